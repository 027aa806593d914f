#pragma once
// The computer driver. It never touches its car's input flags: the car is
// moved by its steering sprite in the steering world, and the driver's
// work is to pick a state by comparing desires (the states switch steering
// behaviours on and off), to choose a target, and to aim and fire its
// primary weapon at it.

#include <memory>

#include "ai/control_object.h"
#include "objects/live_objects.h"
#include "objects/object_list.h"

class HealthPickUp;
class State;

class AI : public ControlObject {
public:
    /// A new computer driver of difficulty 1 Weakling, 2 Moderate or
    /// 3 Offensive (any other leaves it without a car) and team 1..4 (5 for
    /// none), in a car drawn from its difficulty's models at a random
    /// respawn point, wandering.
    static std::shared_ptr<AI> Make(int style, int team);
    /// One frame: respawn a dead car, treads, desires, target, shot, state
    /// step, the car's step and the arena boundary check.
    int Update() override;
    /// Leaves `List` (the driver list keeps it until the next match).
    int Destroy() override;
    /// Puts the dead car back at a random respawn point with full health and
    /// the machine gun, wandering.
    int Respawn();

    int ChangeState(const std::shared_ptr<State>& newState);
    /// Back to the state left by the last change; nothing before any change.
    int RevertToPreviousState();
    int isInState(int id) const { return currentStateID == id ? 1 : 0; }

    /// The four desires, then the state of the largest.
    int WeighActions();
    int checkWander();
    int checkHealth();
    int checkGun();
    int checkKill();
    int decideAction();
    /// The nearest vehicle of a rival (any vehicle when this driver has no
    /// team); the old target stays when none qualifies.
    int searchForTarget();
    /// Aims at the target with the difficulty's error and fires when in
    /// range and the weapon is ready.
    int Shoot();

    static int UpdateAll();
    static int DestroyAll();

    float GoalX = 0;
    float GoalY = 0;
    std::shared_ptr<HealthPickUp> PickUp;
    int hDesire = 0;
    int kDesire = 0;
    int eDesire = 0;
    int wDesire = 0;
    int gDesire = 0;
    std::shared_ptr<Vehicle> target;
    int DesiredWeapon = 0;  ///< weapon number wanted at least: 0 none, 3 RPG, 4 rocket launcher
    int RespawnTime = 0;
    int checkVal = 0;  ///< what the current state planned for
    std::shared_ptr<State> currentState;
    int currentStateID = 0;  ///< 0 Nothing, 1 Wander, 3 SeekHealth, 4 SeekGun, 5 Kill
    std::shared_ptr<State> previousState;
    std::shared_ptr<State> globalState;

    static inline ObjectList<AI> List;
    /// True once a computer driver has been made in this run.
    static inline bool ListCreated = false;
    /// Cars put back because they left the arena, since start-up (a figure
    /// for measuring the drivers).
    static inline long long BoundaryRespawns = 0;

private:
    LiveTally tally_{"AI"};
};

/// Aim error in degrees of a difficulty (0 for unknown ones).
float AimError(int style);
