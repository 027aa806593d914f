#pragma once
// Projectiles and deployed devices share one list: bullets fly straight,
// hit vehicles and shields, stop at walls and the arena edge and expire.
// Weapons fire through a prototype, so the prototype's class picks `Fire`.

#include <memory>

#include "engine/image.h"
#include "objects/game_object.h"
#include "spritebehaviors/emitter.h"

class ControlObject;

class Shot : public GameObject {
public:
    Shot();
    ~Shot() override;

    /// A new shot of this object's class from (x, y) at angle (whole
    /// degrees), credited to parent; Null for the plain Shot.
    virtual std::shared_ptr<Shot> Fire(int x, int y, int angle,
                                       const std::shared_ptr<ControlObject>& parent);
    /// The shot as it stands: the frame draws shots before their step.
    virtual int Draw() { return 0; }
    virtual int Collision() { return 0; }
    int Update() override { return 0; }
    int Destroy() override { return 0; }

    /// An explosion reaches this device: `strength` is the blast's strength
    /// less the distance. Mines go off, shields lose strength / 30; other
    /// shots ignore blasts.
    virtual void Blasted(float strength) { (void)strength; }
    /// Pixels a frame a projectile of this class flies at, and the frames
    /// it lives; 0 for devices.
    virtual float LaunchSpeed() const { return 0; }
    virtual int LaunchLife() const { return 0; }
    /// How far from the muzzle a projectile of this class can hit: it
    /// starts two steps out and flies its life.
    float Reach() const { return LaunchSpeed() * static_cast<float>(LaunchLife() + 2); }
    /// Radius within which a shield stops shots; 0 for everything else.
    virtual int ShieldRadius() const { return 0; }
    /// A shot stopped by this shield takes `damage` off its strength.
    virtual void AbsorbHit(float damage) { (void)damage; }

    /// Steps projectiles and shields, class by class.
    static int UpdatePrimary();
    /// Steps mines and turrets.
    static int UpdateSecondary();
    /// Draws mines and turrets, class by class.
    static int DrawSecondary();
    /// The frame's pass over projectiles and shields: class by class, the
    /// class is drawn (when `draw`) and then stepped, so that the fragments
    /// a grenade throws in its step are drawn and stepped with their own
    /// class later in the same pass.
    static int PrimaryFramePass(bool draw);
    /// Destroys every shot and device, class by class.
    static int DestroyAll();
    /// Takes every shot and device away, class by class, without their
    /// effects (no blast, fragments or sound): the end of a match.
    static int RemoveAll();
    /// Leaves the list without the effects of `Destroy`.
    virtual int Remove();

    /// True once the shot is destroyed or removed: a shot is destroyed once,
    /// and its destruction's effect (a spark, a blast, fragments) happens
    /// once, however many tests end it in a frame.
    bool Spent = false;

    ImageHandle Image;
    float Direction = 0;  ///< flight direction and drawing rotation
    float xSpeed = 0;
    float ySpeed = 0;
    int Life = 0;  ///< frames left
    std::shared_ptr<ControlObject> Parent;
    float Damage = 0;

    static constexpr MatchList<Shot, &Match::Shots> List{};
    /// Shields now on the list: the shield tests of every shot are skipped
    /// while there are none.
    static int ShieldsListed() { return List.CountClass(ObjectClass::Shield); }

protected:
    /// Appends a new shot of class T from the muzzle: two steps ahead, with
    /// its image, speed, life, damage and parent.
    template <typename T>
    static std::shared_ptr<T> Launch(int x, int y, int angle, float speed, int life, float damage,
                                     const char* image,
                                     const std::shared_ptr<ControlObject>& parent);
    /// The image at (X, Y) minus the view offset, rotated by Direction.
    void DrawScaled(float scale) const;
    /// Moves by one step and destroys the shot past the arena edge or at
    /// the end of its life.
    void FlyAndAge();
    /// Destroys the shot when a solid block lies 12 pixels ahead or behind
    /// or 7 pixels above or below it.
    void StopAtWalls();
    /// Direct hits: every vehicle within 25 pixels but the shooter's own
    /// (`vehicleEffect` applies the damage), then every foreign shield
    /// (`damageShields`: whether the shield loses Damage).
    template <typename VehicleEffect>
    void HitVehiclesAndShields(VehicleEffect&& vehicleEffect, bool damageShields);
    /// Marks the shot spent; false when it already was (`Destroy` then does
    /// nothing).
    bool Spend();

private:
    LiveTally tally_{"Shot"};
};

/// Machine-gun (and turret) bullet: speed 25, 800 frames, 1 damage.
class MGBullet : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    int Collision() override;
    /// A spark at quality 2, then off the list.
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::MGBullet; }
    static constexpr int kLaunchLife = 800;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 25;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// Heavy machine-gun bullet: speed 15, 800 frames, 1.5 damage.
class HMGBullet : public MGBullet {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    ObjectClass Class() const override { return ObjectClass::HMGBullet; }
    static constexpr int kLaunchLife = 800;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 15;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// Phase-cannon bolt: passes through walls; 105 damage.
class PGBullet : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    int Collision() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::PGBullet; }
    static constexpr int kLaunchLife = 800;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 6;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// Grenades and rockets: a smoke trail at quality 2 and a blast at the end.
class TrailShot : public Shot {
public:
    int Update() override;
    int Draw() override;
    SpriteEmitterRef Emitter;

protected:
    /// The trail: 100 glow particles released every `interval` seconds.
    void MakeTrail(double interval, double speed, double scale);
};

/// Grenade: bursts on vehicles and foreign shields; a size-1 blast and 21
/// fragments.
class RPGBullet : public TrailShot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Collision() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::RPGBullet; }
    static constexpr int kLaunchLife = 100;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 5;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// Rocket: bursts on vehicles and foreign shields; a size-2 blast.
class RLBullet : public TrailShot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Collision() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::RLBullet; }
    static constexpr int kLaunchLife = 100;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 12;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// Fragment of a grenade or mine: 15 frames, 3.5 damage to anyone's car or
/// shield, credited to the driver who fired the grenade or laid the mine.
class Shrapnel : public Shot {
public:
    std::shared_ptr<Shot> Fire(int x, int y, int angle,
                               const std::shared_ptr<ControlObject>& parent) override;
    int Update() override;
    int Draw() override;
    int Collision() override;
    int Destroy() override;
    ObjectClass Class() const override { return ObjectClass::Shrapnel; }
    static constexpr int kLaunchLife = 15;
    int LaunchLife() const override { return kLaunchLife; }
    static constexpr float kLaunchSpeed = 15;
    float LaunchSpeed() const override { return kLaunchSpeed; }
};

/// The 21 fragments of a grenade or mine burst at (x, y): one every 18
/// degrees from 0 to 360 inclusive, each jittered by up to 9 degrees,
/// credited to parent.
void ThrowFragments(int x, int y, const std::shared_ptr<ControlObject>& parent);
