#pragma once
// Secondary weapons: a count of charges and a prototype of the device they
// deploy (mines, turrets, shields). A new vehicle holds a plain one with no
// charges.

#include <memory>
#include <string>

#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/object_list.h"

class Shot;
class Vehicle;

class SecondaryWeapon : public std::enable_shared_from_this<SecondaryWeapon> {
public:
    virtual ~SecondaryWeapon() = default;

    /// Destroys an empty weapon. Secondary weapons draw nothing.
    virtual int Update();
    /// The plain weapon does nothing; the layers leave the list.
    virtual int Destroy() { return 0; }

    std::string Name;
    std::weak_ptr<Vehicle> Parent;
    float X = 0;
    float Y = 0;
    int Ammo = 0;
    std::shared_ptr<Shot> ShotType;

    static constexpr MatchList<SecondaryWeapon, &Match::SecondaryWeapons> List{};

private:
    LiveTally tally_{"SecondaryWeapon"};
};

/// The three layers leave the list when destroyed.
class ListedSecondaryWeapon : public SecondaryWeapon {
public:
    int Destroy() override;
};

class MineLayer : public ListedSecondaryWeapon {
public:
    /// Five mines (ten on a ConceptCar).
    static std::shared_ptr<SecondaryWeapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
};

class TurretLayer : public ListedSecondaryWeapon {
public:
    /// Three turrets (six on a ConceptCar).
    static std::shared_ptr<SecondaryWeapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
};

class ShieldGen : public ListedSecondaryWeapon {
public:
    /// One shield.
    static std::shared_ptr<SecondaryWeapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
};

class ControlObject;

/// Deploys one device for every frame the second fire input is held while
/// charges are left, at the vehicle's position and heading. Returns 1 when
/// a device was deployed.
int FireSecondary(Vehicle& vehicle, const std::shared_ptr<ControlObject>& controller, bool held);
