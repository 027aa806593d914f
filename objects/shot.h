#pragma once
// Projectiles and deployed devices share one list: bullets fly straight,
// hit vehicles and shields, stop at walls and the arena edge and expire.
// Weapons fire through a prototype, so the prototype's class picks `Fire`.

#include <memory>

#include "engine/image.h"
#include "objects/game_object.h"

class ControlObject;

class Shot : public GameObject {
public:
    Shot();
    ~Shot() override;

    /// A new shot of this object's class from (x, y) at angle (whole
    /// degrees), credited to parent; Null for the plain Shot.
    virtual std::shared_ptr<Shot> Fire(int x, int y, int angle,
                                       const std::shared_ptr<ControlObject>& parent);
    virtual int Draw() { return 0; }
    virtual int Collision() { return 0; }
    int Update() override { return 0; }
    int Destroy() override { return 0; }

    /// An explosion reaches this device: `strength` is the blast's strength
    /// less the distance. Mines go off, shields lose strength / 30; other
    /// shots ignore blasts.
    virtual void Blasted(float strength) { (void)strength; }
    /// Radius within which a shield stops shots; 0 for everything else.
    virtual int ShieldRadius() const { return 0; }
    /// A shot stopped by this shield takes `damage` off its strength.
    virtual void AbsorbHit(float damage) { (void)damage; }

    /// Steps projectiles and shields, class by class.
    static int UpdatePrimary();
    /// Steps mines and turrets.
    static int UpdateSecondary();
    /// Destroys every shot and device, class by class.
    static int DestroyAll();

    ImageHandle Image;
    float Direction = 0;  ///< flight direction and drawing rotation
    float xSpeed = 0;
    float ySpeed = 0;
    int Life = 0;  ///< frames left
    std::shared_ptr<ControlObject> Parent;
    float Damage = 0;

    static inline ObjectList<Shot> List;

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
    static int UpdateAll();
    static int DestroyAll();
};
