#pragma once
// The devices a secondary weapon deploys, which live on the shot list:
// mines that arm and blow up, shields that follow their owner's car, and
// machine-gun turrets.

#include <memory>

#include "objects/shot.h"

class Vehicle;

/// Arms after 100 frames; then any car within 120 pixels sets it off. A
/// blast sets it off at any time; after 3000 frames it goes off by itself.
class Mine : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    int Collision() override;
    /// A size-3 blast credited to nobody and 21 fragments.
    int Destroy() override;
    void Blasted(float strength) override;
    ObjectClass Class() const override { return ObjectClass::Mine; }

    int ArmingPeriod = 0;
    int ArmingCap = 100;
    int Active = 0;
};

/// Stops foreign shots within its radius and keeps blasts off the car it was
/// raised on until its strength is spent or that car is destroyed.
class Shield : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    /// Clears its car's shield flag and leaves the list.
    int Destroy() override;
    /// The same as `Destroy`, which has no effects to leave out.
    int Remove() override { return Destroy(); }
    void Blasted(float strength) override { Health -= strength / 30; }
    int ShieldRadius() const override { return Radius; }
    void AbsorbHit(float damage) override { Health -= damage; }
    ObjectClass Class() const override { return ObjectClass::Shield; }

    float Health = 0;
    int Radius = 0;
    /// The car it was raised on.
    std::weak_ptr<Vehicle> Car;
};

/// Fires a machine-gun bullet every 10 frames at the nearest car within 650
/// pixels (never its owner's, never a SportsCar), 500 in all.
class Turret : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::Turret; }
    /// The nearest eligible car becomes the target; with none the previous
    /// target stays.
    void searchForTarget();
    /// Drops a dead target; aims at a live one within 650 pixels and fires
    /// when loaded.
    void Shoot();

    std::shared_ptr<Vehicle> Target;
    int ShootWait = 0;
    std::shared_ptr<Shot> ShotType;
    int Ammo = 0;
    int Angle = 0;
    ImageHandle standImg;
};
