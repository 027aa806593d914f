#pragma once
// A car in the arena, driven by one controller: the human's moves by its own
// physics and collides with the tile map; a computer driver's rides a
// steering sprite in the steering world and copies its position and
// heading. Five models differ in their numbers, images and one scoring rule.

#include <memory>
#include <string>

#include "engine/image.h"
#include "objects/game_object.h"
#include "spritebehaviors/sprite.h"

class ControlObject;
class Weapon;
class SecondaryWeapon;

/// The numbers of one model.
struct VehicleModel {
    ObjectClass Class;
    const char* Name;
    const char* BodyImage;
    float Mass;
    float TopSpeed;
    float EngineForce;
    float TurnRate;
    float Health;
    float Armor;
    int Bonus;       ///< model code: 1 Jeep, 2 Car, 4 SportsCar, 5 ConceptCar, 3 SemiTruck
    int WreckIndex;  ///< wreck image, 1..5
    const char* RemovalText;
};

/// The five models, in the order of the per-class passes.
const VehicleModel& ModelOf(ObjectClass model);

/// The colour of team 1 red, 2 green, 3 blue, 4 yellow into r, g, b; false
/// (and nothing written) for no team.
bool TeamColour(int team, int* r, int* g, int* b);
/// The class of vehicle model 1 Jeep .. 5 SemiTruck; other numbers are
/// taken as the nearest model.
ObjectClass ModelClass(int model);

class Vehicle : public GameObject {
public:
    Vehicle();
    ~Vehicle() override;

    /// Model codes of `bonus` with rules of their own elsewhere.
    static constexpr int kSemiTruckBonus = 3;
    static constexpr int kSportsCarBonus = 4;
    static constexpr int kConceptCarBonus = 5;
    static constexpr float kFriction = 0.009f;
    static constexpr float kMaxHealth = 120;

    /// A new vehicle of the model at (x, y), appended to `List`, with a
    /// machine gun and a sprite: a computer driver's (playerControlled 0) is
    /// its steering sprite in the steering world, a human's a plain one that
    /// follows the car. Null for `ObjectClass::None` or a class that is not
    /// a vehicle.
    static std::shared_ptr<Vehicle> Spawn(ObjectClass model, int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent);

    /// One frame's step (called by the controller): move (human: physics
    /// and map collision; computer: copy the sprite), note the Big Dog
    /// marker, destroy when health is below 0, cap health at 120. Draws
    /// nothing.
    int Update() override;
    /// The heading the car is drawn with, degrees clockwise on screen, in
    /// 0..359. A computer car is drawn by its steering sprite, whose angles
    /// turn the other way round than the screen's: its heading on screen is
    /// the mirror of `Angle`.
    int ScreenHeading() const;
    /// What the car showed in its last step (called by the controller):
    /// tinted by team, a human-driven car's body (a computer car's is its
    /// steering sprite, drawn by the steering world) and the Big Dog marker.
    virtual int Draw();
    /// Human-driven: blocked axes go back to the previous truncated
    /// coordinate; the position is clamped to the arena.
    virtual int Collision();
    void ApplyForce(float f) { Force = f; }
    void Turn(float f) { Angle += f; }
    /// Explosion, scoring, death count and wreck. A human-driven vehicle
    /// also loses its weapons and leaves the list; a computer-driven one
    /// stays, dead, for its driver to revive.
    int Destroy() override;
    /// Destroys both weapons and leaves the list (the match teardown).
    virtual int Remove();
    ObjectClass Class() const override { return model_ ? model_->Class : ObjectClass::None; }
    const VehicleModel* Info() const { return model_; }

    /// Steps every vehicle, model by model (the main loop does not call it:
    /// controllers step their own vehicle).
    static int UpdateAll();
    /// Removes every vehicle, model by model.
    static int DestroyAll();

    float Armor = 0;
    float TurnRate = 0;
    float EngineForce = 0;
    float TopSpeed = 0;
    float Friction = 0;
    float Force = 0;
    float Mass = 0;
    float Velocity = 0;  ///< signed speed along the heading, pixels per frame
    float xSpeed = 0;
    float ySpeed = 0;
    float Health = 0;
    int healthReport = 0;
    float Angle = 0;  ///< degrees, clockwise on screen; not wrapped
    int Model = 0;    ///< declared; nothing reads it
    int Up = 0;
    int Down = 0;
    int LeftTurn = 0;
    int RightTurn = 0;
    int Shoot = 0;
    int Shoot2 = 0;
    int Dead = 0;
    int Shield = 0;  ///< 1 while a deployed shield protects the vehicle
    int ShootWait = 0;
    int TreadWait = 0;
    int TreadCap = 3;
    std::shared_ptr<Weapon> WeaponSlot;
    std::shared_ptr<SecondaryWeapon> WeaponSlot2;
    int PlayerControlled = 0;
    SpriteRef mySprite;
    float mySpeed = 0;
    ImageHandle Image;
    std::weak_ptr<ControlObject> parent;
    int bonus = 0;
    /// What the last step showed, for `Draw`: a human-driven car's body
    /// where the step found it, before moving it, and the Big Dog marker
    /// where the step left the car. A death later in the step passes the
    /// title on, and a computer car put back on the map moves, after the
    /// marker showed.
    float ShownX = 0;
    float ShownY = 0;
    bool ShowsBigDog = false;
    float BigDogX = 0;
    float BigDogY = 0;

    static constexpr MatchList<Vehicle, &Match::Vehicles> List{};

private:
    void MoveByPhysics();
    const VehicleModel* model_ = nullptr;
    LiveTally tally_{"Vehicle"};
};

// The five models: each is a Vehicle with its own numbers.
class Jeep : public Vehicle {
public:
    static std::shared_ptr<Vehicle> Spawn(int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent) {
        return Vehicle::Spawn(ObjectClass::Jeep, x, y, playerControlled, parent);
    }
};
class Car : public Vehicle {
public:
    static std::shared_ptr<Vehicle> Spawn(int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent) {
        return Vehicle::Spawn(ObjectClass::Car, x, y, playerControlled, parent);
    }
};
class SportsCar : public Vehicle {
public:
    static std::shared_ptr<Vehicle> Spawn(int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent) {
        return Vehicle::Spawn(ObjectClass::SportsCar, x, y, playerControlled, parent);
    }
};
class ConceptCar : public Vehicle {
public:
    static std::shared_ptr<Vehicle> Spawn(int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent) {
        return Vehicle::Spawn(ObjectClass::ConceptCar, x, y, playerControlled, parent);
    }
};
/// Big Dog: makes `driver` the Big Dog, with one console line saying so.
void CrownBigDog(ControlObject& driver);

class SemiTruck : public Vehicle {
public:
    static std::shared_ptr<Vehicle> Spawn(int x, int y, int playerControlled,
                                          const std::shared_ptr<ControlObject>& parent) {
        return Vehicle::Spawn(ObjectClass::SemiTruck, x, y, playerControlled, parent);
    }
};
