#include "objects/vehicle.h"

#include <algorithm>
#include <cmath>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "app/console_message.h"
#include "engine/clock.h"
#include "engine/graphics.h"
#include "objects/effects.h"
#include "objects/secondary_weapon.h"
#include "objects/weapon.h"
#include "spritebehaviors/steering.h"

namespace {

const VehicleModel kModels[] = {
    {ObjectClass::Jeep, "Jeep", "Sprites/jeep.png", 100, 3.0f, 2.5f, 1.0f, 120, 0.5f, 1, 1,
     "] Player object [samurai] removed from scene."},
    {ObjectClass::Car, "Car", "Sprites/car.png", 75, 3.5f, 2.4f, 1.5f, 100, 0.35f, 2, 2,
     "] Player object [rabbit] removed from scene."},
    {ObjectClass::SportsCar, "SportsCar", "Sprites/sportscar.png", 50, 4.0f, 3.8f, 1.8f, 100, 0.25f,
     4, 3, "] Player object [flash] removed from scene."},
    {ObjectClass::ConceptCar, "ConceptCar", "Sprites/conceptcar.png", 65, 5.0f, 2.9f, 1.2f, 100,
     0.15f, 5, 4, "] Player object [sentinel] removed from scene."},
    {ObjectClass::SemiTruck, "SemiTruck", "Sprites/semitruck.png", 65, 2.5f, 2.1f, 0.9f, 100, 0.75f,
     3, 5, "] Player object [tanker] removed from scene."},
};

constexpr ObjectClass kModelOrder[] = {ObjectClass::Jeep, ObjectClass::Car, ObjectClass::SportsCar,
                                       ObjectClass::ConceptCar, ObjectClass::SemiTruck};

// Half the side of the square a human-driven vehicle occupies on the map.
constexpr int kHalfSize = 48;
// The upper edge's right probe stands closer in.
constexpr int kUpperRightProbe = 28;

int Solid(float x, float y) {
    return TheMatch().TheMap->SolidAt(static_cast<int>(x), static_cast<int>(y));
}

}  // namespace

bool TeamColour(int team, int* r, int* g, int* b) {
    static constexpr int kColours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 0}};
    if (team < 1 || team > 4) return false;
    *r = kColours[team - 1][0];
    *g = kColours[team - 1][1];
    *b = kColours[team - 1][2];
    return true;
}

ObjectClass ModelClass(int model) {
    return kModelOrder[std::clamp(model, 1, 5) - 1];
}

const VehicleModel& ModelOf(ObjectClass model) {
    for (const VehicleModel& m : kModels) {
        if (m.Class == model) return m;
    }
    return kModels[0];
}

// The gun and the sprite come with `Spawn`, which knows the model and the
// controller; only the empty device slot is the same for every car.
Vehicle::Vehicle() : WeaponSlot2(std::make_shared<SecondaryWeapon>()) {}

Vehicle::~Vehicle() = default;

std::shared_ptr<Vehicle> Vehicle::Spawn(ObjectClass model, int x, int y, int playerControlled,
                                        const std::shared_ptr<ControlObject>& parent) {
    const VehicleModel* m = nullptr;
    for (const VehicleModel& candidate : kModels) {
        if (candidate.Class == model) m = &candidate;
    }
    if (!m) return nullptr;

    auto v = std::make_shared<Vehicle>();
    v->model_ = m;
    List.Append(v);
    ImageHandle body = LoadGameImage(m->BodyImage);
    img_mid_handle(body);
    v->X = v->ShownX = static_cast<float>(x);
    v->Y = v->ShownY = static_cast<float>(y);
    v->Friction = kFriction;
    v->Mass = m->Mass;
    v->TopSpeed = m->TopSpeed;
    v->PlayerControlled = playerControlled;
    v->WeaponSlot = MachineGun::Choose(v);
    v->Health = m->Health;
    v->WeaponSlot->playerControlled = playerControlled;
    v->Image = body;
    v->Shield = 0;
    v->EngineForce = m->EngineForce;
    v->TurnRate = m->TurnRate;
    v->parent = parent;
    // A new car starts a new life: no earlier attacker is credited with it.
    if (parent) parent->lastHit.reset();
    v->Dead = 0;
    v->bonus = m->Bonus;
    v->Armor = m->Armor;

    if (playerControlled != 0) {
        // A human-driven car moves by its own physics; its sprite only keeps
        // its position.
        v->mySprite = std::make_shared<Sprite>();
    } else {
        Match& match = TheMatch();
        v->mySprite =
            Sprite::Create(body, match.TheWorld, Vector2D(0, 0), 0, Vector2D(0, 0), m->Mass / 100.0,
                           m->EngineForce, m->TopSpeed, m->TurnRate, 0.5);
        v->mySprite->SetBoundingRadius(64);
        v->mySprite->SetOffset(match.ScrollX, match.ScrollY);
        v->mySprite->SetPos(x, y);
        v->mySprite->SetRotation(0);
        v->mySprite->GetSteering()->WallAvoidanceOn();
        if (match.TheWorld) match.TheWorld->AddAgent(v->mySprite);
    }
    return v;
}

int Vehicle::Update() {
    const Match& match = TheMatch();
    const std::shared_ptr<ControlObject> owner = parent.lock();
    if (PlayerControlled == 0) {
        mySprite->SetOffset(match.ScrollX, match.ScrollY);
        X = static_cast<float>(mySprite->GetX());
        Y = static_cast<float>(mySprite->GetY());
        Angle = static_cast<float>(mySprite->GetRotation());
    } else {
        ShownX = X;
        ShownY = Y;
        MoveByPhysics();
        mySprite->SetPos(X, Y);
        Collision();
    }
    ShowsBigDog = owner && owner->iAmBigDog == 1;
    BigDogX = X;
    BigDogY = Y;
    if (Health < 0) Destroy();
    if (Health > kMaxHealth) Health = kMaxHealth;
    return 0;
}

int Vehicle::Draw() {
    if (PlayerControlled != 0) {
        // Tinted in the driver's team colour (none: untinted).
        const std::shared_ptr<ControlObject> owner = parent.lock();
        DrawParams body = ObjectLook(Angle, 0.5);
        TeamColour(owner ? owner->Team : 0, &body.r, &body.g, &body.b);
        DrawInArena(Image, ShownX, ShownY, body);
    }
    if (ShowsBigDog) DrawInArena(App().BigDogImage, BigDogX, BigDogY, ObjectLook(0, 0.75, 0.75));
    return 0;
}

void Vehicle::MoveByPhysics() {
    Velocity = Velocity + Force / Mass;
    if (Velocity > TopSpeed) Velocity = TopSpeed;
    if (Velocity < -TopSpeed) Velocity = -TopSpeed;
    OldX = static_cast<int>(X);
    OldY = static_cast<int>(Y);
    const double a = Angle * 3.14159265358979323846 / 180.0;
    X = static_cast<float>(X + Velocity * std::cos(a));
    Y = static_cast<float>(Y + Velocity * std::sin(a));
    // No clamp at zero: a speed below the friction swaps sign each frame.
    if (Velocity > 0) {
        Velocity -= Friction;
    } else if (Velocity < 0) {
        Velocity += Friction;
    }
}

int Vehicle::ScreenHeading() const {
    const int drawn = static_cast<int>(PlayerControlled == 1 ? Angle : -Angle);
    return (drawn % 360 + 360) % 360;
}

int Vehicle::Collision() {
    const Match& match = TheMatch();
    // Horizontal: the leading side's two corners.
    const float side = X >= static_cast<float>(OldX) ? kHalfSize : -kHalfSize;
    if (Solid(X + side, Y - kHalfSize) || Solid(X + side, Y + kHalfSize)) {
        X = static_cast<float>(OldX);
    }
    // Upper edge (the right probe 28 pixels out), then lower edge.
    if (Solid(X - kHalfSize, Y - kHalfSize) || Solid(X + kUpperRightProbe, Y - kHalfSize)) {
        Y = static_cast<float>(OldY);
    }
    if (Solid(X - kHalfSize, Y + kHalfSize) || Solid(X + kHalfSize, Y + kHalfSize)) {
        Y = static_cast<float>(OldY);
    }
    if (X < 0) X = 0;
    if (Y < 0) Y = 0;
    if (X > match.WorldWidth) X = static_cast<float>(match.WorldWidth);
    if (Y > match.WorldHeight) Y = static_cast<float>(match.WorldHeight);
    return 0;
}

void CrownBigDog(ControlObject& driver) {
    driver.iAmBigDog = 1;
    ConsoleMessage::Create(TimeStamped(driver.Name + " is the Big Dog!"), kConsoleYellow);
}

namespace {

// Who takes the title from a Big Dog that died: its killer, or, after a death
// by its own fire or without an attacker, the other driver of the match with
// the most points (the earliest in the driver list on a tie). Null when the
// Big Dog is alone.
std::shared_ptr<ControlObject> BigDogHeir(const std::shared_ptr<ControlObject>& victim,
                                          const std::shared_ptr<ControlObject>& killer) {
    if (killer && killer != victim) return killer;
    std::shared_ptr<ControlObject> heir;
    for (const auto& driver : TheMatch().DriverList) {
        if (driver && driver != victim && (!heir || driver->Points > heir->Points)) heir = driver;
    }
    return heir;
}

}  // namespace

int Vehicle::Destroy() {
    if (!model_) return 0;
    const std::shared_ptr<ControlObject> victim = parent.lock();
    Health = 0;
    // The blast is the victim's (a car it destroys is the victim's kill),
    // but not on the wreck it leaves.
    Explosion::Make(static_cast<int>(X), static_cast<int>(Y), 3, victim)->Spared =
        SelfAs<Vehicle>();

    if (victim) {
        // No attacker recorded (never hit since the car spawned), or one
        // that has left the match: nobody gains a point.
        std::shared_ptr<ControlObject> killer = victim->lastHit.lock();
        if (killer != victim && !InMatch(killer)) killer = nullptr;
        const bool own_fire = killer == victim;
        switch (TheMatch().GameType) {
            case 0:
                if (!own_fire) {
                    if (killer) killer->Points += 1;
                } else {
                    victim->Points -= 1;
                }
                break;
            case 1: {
                // The Car scores when the killer is the Big Dog; the others
                // when the victim was.
                const bool big_dog_test = model_->Class == ObjectClass::Car
                                              ? (killer && killer->iAmBigDog == 1)
                                              : victim->iAmBigDog == 1;
                if (!own_fire && killer && big_dog_test) killer->Points += 1;
                // The title always passes on while another driver is in
                // the match.
                if (victim->iAmBigDog == 1) {
                    victim->Points -= 1;
                    victim->iAmBigDog = 0;
                    if (const auto heir = BigDogHeir(victim, killer)) CrownBigDog(*heir);
                }
                break;
            }
            default:
                break;
        }
        victim->Deaths += 1;
    }

    // The wreck lies as the car was drawn.
    Wreckage::Make(static_cast<int>(X), static_cast<int>(Y), ScreenHeading(), model_->WreckIndex);
    Dead = 1;

    if (PlayerControlled == 1) {
        if (WeaponSlot) WeaponSlot->Destroy();
        if (WeaponSlot2) WeaponSlot2->Destroy();
        ConsoleMessage::Create("[" + sys_current_time() + model_->RemovalText, kConsoleWhite);
        List.Remove(this);
    }
    return 0;
}

int Vehicle::Remove() {
    if (WeaponSlot) WeaponSlot->Destroy();
    if (WeaponSlot2) WeaponSlot2->Destroy();
    List.Remove(this);
    return 0;
}

int Vehicle::UpdateAll() {
    WalkByClass(List, kModelOrder, [](Vehicle& v) { v.Update(); });
    return 0;
}

int Vehicle::DestroyAll() {
    WalkByClass(List, kModelOrder, [](Vehicle& v) { v.Remove(); });
    return 0;
}
