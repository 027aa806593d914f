#pragma once
// Primary weapons: the gun on a vehicle, which follows it, turns toward its
// aim and fires through a prototype of its projectile. Every vehicle starts
// with an unlimited machine gun.

#include <memory>
#include <string>

#include "engine/image.h"
#include "objects/game_object.h"
#include "spritebehaviors/emitter.h"

class ControlObject;
class Shot;
class Vehicle;

class Weapon : public GameObject {
public:
    /// Every weapon has a muzzle emitter of 100 particles of the glow image.
    Weapon();
    ~Weapon() override;

    /// The gun at its pivot, turned to Angle, at quarter size (the frame
    /// draws guns before their step).
    virtual int Draw();
    /// Leaves the list.
    int Destroy() override;
    /// Steps every weapon, class by class.
    static int UpdateAll();
    /// Draws every weapon, class by class.
    static int DrawAll();

    int RateOfFire = 0;  ///< frames between two shots
    int Ammo = 0;        ///< shots left; -1 unlimited
    ImageHandle BulletImage;
    std::weak_ptr<Vehicle> Parent;
    double Angle = 0;  ///< aim, degrees clockwise on screen
    std::string Name;
    int gType = 0;
    int bulletLife = 0;
    int bulletSpeed = 0;
    int bulletSpins = 0;
    int bulletType = 0;
    int maxAmmo = 0;
    int playerControlled = 0;
    ImageHandle Image;
    SpriteEmitterRef Emitter;
    std::shared_ptr<Shot> ShotType;  ///< prototype of the projectile fired
    int Number = 0;                  ///< 1 machine gun ... 5 phase cannon

    static constexpr MatchList<Weapon, &Match::Weapons> List{};

    /// Puts a gun that was just chosen on its car and aims it, as its
    /// update does: it neither fires from nor is drawn at the arena's corner
    /// before that update. A computer driver's gun points where the car
    /// does until the driver aims it.
    void Mount(const Vehicle& v);

protected:
    /// Puts the gun 5 pixels behind the vehicle centre.
    void FollowBehind(const Vehicle& v);
    /// Points the gun at the mouse (human-driven vehicles).
    void AimAtMouse();
    /// Positions and advances the muzzle particles (quality 1 and up).
    void AdvanceMuzzle();

private:
    LiveTally tally_{"Weapon"};
};

/// Frames of fire: counts the vehicle's ShootWait up every frame and, while
/// `fireHeld`, fires through the prototype when ShootWait has reached the
/// rate of fire and ammunition is left (unlimited, or counted down); the
/// human's trigger also releases a muzzle particle every frame it is held
/// (`emitSmoke`). The caller draws the muzzle smoke while the trigger is
/// held. Returns 1 when a shot was fired.
int FirePrimary(Vehicle& vehicle, const std::shared_ptr<ControlObject>& controller, bool fireHeld,
                bool emitSmoke = false);

class MachineGun : public Weapon {
public:
    static std::shared_ptr<Weapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
    int Update() override;
    ObjectClass Class() const override { return ObjectClass::MachineGun; }
};

/// The four limited weapons: each falls back to a new machine gun when its
/// ammunition runs out.
class LimitedWeapon : public Weapon {
public:
    /// Draws, follows 5 pixels behind the vehicle, aims at the mouse for the
    /// human, positions the muzzle particles (heavy machine gun only, before
    /// aiming), and gives way to a machine gun when empty.
    int Update() override;
};

class HeavyMachineGun : public LimitedWeapon {
public:
    static std::shared_ptr<Weapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
    ObjectClass Class() const override { return ObjectClass::HeavyMachineGun; }
};

/// The grenade launcher.
class RPG : public LimitedWeapon {
public:
    static std::shared_ptr<Weapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
    ObjectClass Class() const override { return ObjectClass::RPG; }
};

class RocketLauncher : public LimitedWeapon {
public:
    static std::shared_ptr<Weapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
    ObjectClass Class() const override { return ObjectClass::RocketLauncher; }
};

/// The phase cannon.
class PhaseGun : public LimitedWeapon {
public:
    static std::shared_ptr<Weapon> Choose(const std::shared_ptr<Vehicle>& vehicle);
    ObjectClass Class() const override { return ObjectClass::PhaseGun; }
};

/// The weapon of code 1 (machine gun) to 5 (phase cannon) for the vehicle;
/// Null for another code.
std::shared_ptr<Weapon> ChooseWeapon(int number, const std::shared_ptr<Vehicle>& vehicle);
