#include "objects/devices.h"

#include <limits>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/effects.h"
#include "objects/vehicle.h"

namespace {

template <typename T>
std::shared_ptr<T> Place(int x, int y, const char* image,
                         const std::shared_ptr<ControlObject>& parent) {
    auto device = std::make_shared<T>();
    Shot::List.Append(device);
    device->Image = LoadGameImage(image);
    img_mid_handle(device->Image);
    device->X = static_cast<float>(x);
    device->Y = static_cast<float>(y);
    device->Parent = parent;
    return device;
}

}  // namespace

// --- Mine -------------------------------------------------------------------

std::shared_ptr<Shot> Mine::Fire(int x, int y, int, const std::shared_ptr<ControlObject>& parent) {
    auto mine = Place<Mine>(x, y, "sprites/mine.png", parent);
    mine->Life = 3000;
    mine->Direction = static_cast<float>(rnd_float(0, 360));
    mine->Active = 0;
    return mine;
}

int Mine::Update() {
    Collision();
    ArmingPeriod += 1;
    if (ArmingPeriod >= ArmingCap) Active = 1;
    Life -= 1;
    if (Life <= 0) Destroy();
    return 0;
}

int Mine::Draw() {
    DrawScaled(0.25f);
    return 0;
}

int Mine::Collision() {
    // Any car sets off an armed mine, its layer's own included.
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    Vehicle::List.Walk([&](Vehicle& v) {
        if (Active == 1 &&
            WithinDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y), 120)) {
            Destroy();
        }
    });
    return 0;
}

int Mine::Destroy() {
    if (!Spend()) return 0;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    // The blast and its fragments are the layer's: a car they destroy is
    // the layer's kill.
    Explosion::Make(x, y, 3, Parent);
    ThrowFragments(x, y, Parent);
    List.Remove(this);
    return 0;
}

void Mine::Blasted(float) {
    Destroy();
}

// --- Shield -----------------------------------------------------------------

std::shared_ptr<Shot> Shield::Fire(int x, int y, int,
                                   const std::shared_ptr<ControlObject>& parent) {
    auto shield = Place<Shield>(x, y, "sprites/Shield.png", parent);
    shield->Health = 100;
    if (parent && parent->myVehicle) {
        shield->Car = parent->myVehicle;
        parent->myVehicle->Shield = 1;
    }
    shield->Radius = 80;
    return shield;
}

int Shield::Update() {
    // It guards the car it was raised on and ends with it: a car after a
    // respawn starts without a shield.
    const std::shared_ptr<Vehicle> car = Car.lock();
    if (!car || car->Dead == 1) {
        Destroy();
        return 0;
    }
    X = car->X;
    Y = car->Y;
    Direction += 2;
    if (Health <= 0) Destroy();
    return 0;
}

int Shield::Draw() {
    // A shield whose car is gone or destroyed ends in its step unseen.
    const std::shared_ptr<Vehicle> car = Car.lock();
    if (!car || car->Dead == 1) return 0;
    DrawInArena(Image, X, Y, ObjectLook(Direction, 0.25, 0.9));
    return 0;
}

int Shield::Destroy() {
    if (!Spend()) return 0;
    if (const std::shared_ptr<Vehicle> car = Car.lock()) car->Shield = 0;
    List.Remove(this);
    return 0;
}

// --- Turret -----------------------------------------------------------------

std::shared_ptr<Shot> Turret::Fire(int x, int y, int,
                                   const std::shared_ptr<ControlObject>& parent) {
    auto turret = Place<Turret>(x, y, "sprites/machinegun.png", parent);
    turret->standImg = LoadGameImage("sprites/turretstand.png");
    img_mid_handle(turret->standImg);
    turret->ShotType = std::make_shared<MGBullet>();
    turret->Ammo = 500;
    return turret;
}

int Turret::Update() {
    Collision();
    searchForTarget();
    Shoot();
    return 0;
}

int Turret::Draw() {
    // The stand does not turn; the gun turns to its aim.
    DrawInArena(standImg, X, Y, ObjectLook(0, 0.25));
    DrawInArena(Image, X, Y, ObjectLook(Angle, 0.25));
    return 0;
}

int Turret::Destroy() {
    if (!Spend()) return 0;
    List.Remove(this);
    return 0;
}

void Turret::searchForTarget() {
    const Vehicle* own = Parent ? Parent->myVehicle.get() : nullptr;
    // Team 0 is no team: such a turret spares only its owner.
    const int team = Parent ? Parent->Team : 0;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    float best = 9999.0f;
    // The square root only for a candidate nearer than the best so far: a
    // farther one cannot have a smaller distance.
    long long best_sq = std::numeric_limits<long long>::max();
    Vehicle::List.Walk([&](Vehicle& v) {
        if (&v == own || v.bonus == Vehicle::kSportsCarBonus) return;
        if (team != 0) {
            const std::shared_ptr<ControlObject> driver = v.parent.lock();
            if (driver && driver->Team == team) return;
        }
        const long long dx = static_cast<int>(v.X) - x, dy = static_cast<int>(v.Y) - y;
        const long long sq = dx * dx + dy * dy;
        if (sq >= best_sq) return;
        const float d = PointDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y));
        if (d < best) {
            best = d;
            best_sq = sq;
            Target = v.SelfAs<Vehicle>();
        }
    });
}

void Turret::Shoot() {
    if (!Target) return;
    if (Target->Dead == 1) {
        Target.reset();
        return;
    }
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    if (!WithinDistance(x, y, static_cast<int>(Target->X), static_cast<int>(Target->Y), 650)) {
        return;
    }
    Angle = static_cast<int>(math_atan2_deg(Target->Y - Y, Target->X - X));
    if (Ammo <= 0) return;
    ShootWait += 1;
    if (ShootWait >= 10) {
        ShotType->Fire(x, y, Angle, Parent);
        ShootWait = 0;
        Ammo -= 1;
    }
}
