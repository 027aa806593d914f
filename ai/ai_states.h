#pragma once
// The states of the computer driver. A state holds nothing: entering it
// switches steering behaviours on and records its id, its step may plan
// again when the situation changed, leaving it switches them off.

#include <memory>

class AI;

class State {
public:
    virtual ~State() = default;
    virtual int EnterState(AI& ai);
    virtual int ExecuteState(AI& ai);
    virtual int ExitState(AI& ai);
};

/// Standing still while the car is being respawned (id 0).
class Nothing : public State {
public:
    static std::shared_ptr<State> Instance();
    int EnterState(AI& ai) override;
};

/// Roaming (id 1).
class Wander : public State {
public:
    static std::shared_ptr<State> Instance();
    int EnterState(AI& ai) override;
    int ExecuteState(AI& ai) override;
    int ExitState(AI& ai) override;
};

/// Driving to the nearest available health pickup (id 3).
class SeekHealth : public State {
public:
    static std::shared_ptr<State> Instance();
    int EnterState(AI& ai) override;
    int ExecuteState(AI& ai) override;
    int ExitState(AI& ai) override;
};

/// Driving to the nearest available weapon pickup (id 4).
class SeekGun : public State {
public:
    static std::shared_ptr<State> Instance();
    int EnterState(AI& ai) override;
    int ExecuteState(AI& ai) override;
    int ExitState(AI& ai) override;
};

/// Hunting the nearest living rival (id 5), until its car is destroyed or
/// replaced or it leaves the match; then the next one.
class Kill : public State {
public:
    static std::shared_ptr<State> Instance();
    int EnterState(AI& ai) override;
    int ExecuteState(AI& ai) override;
    int ExitState(AI& ai) override;
};
