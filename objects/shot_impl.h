#pragma once
// The shared steps of the projectile classes, for their sources only.

#include "ai/control_object.h"
#include "app/app_state.h"
#include "engine/text.h"
#include "objects/shot.h"
#include "objects/vehicle.h"

template <typename T>
std::shared_ptr<T> Shot::Launch(int x, int y, int angle, float speed, int life, float damage,
                                const char* image, const std::shared_ptr<ControlObject>& parent) {
    auto shot = std::make_shared<T>();
    List.Append(shot);
    shot->Image = LoadGameImage(image);
    img_mid_handle(shot->Image);
    shot->xSpeed = static_cast<float>(math_cos_deg(angle) * speed);
    shot->ySpeed = static_cast<float>(math_sin_deg(angle) * speed);
    // Two steps ahead of the muzzle.
    shot->X = static_cast<float>(x + 2 * shot->xSpeed);
    shot->Y = static_cast<float>(y + 2 * shot->ySpeed);
    shot->Direction = static_cast<float>(angle);
    shot->Life = life;
    shot->Parent = parent;
    shot->Damage = damage;
    return shot;
}

template <typename VehicleEffect>
void Shot::HitVehiclesAndShields(VehicleEffect&& vehicleEffect, bool damageShields) {
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    const Vehicle* own = Parent && Parent->myVehicle ? Parent->myVehicle.get() : nullptr;
    Vehicle::List.Walk([&](Vehicle& v) {
        if (!WithinDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y), 25)) return;
        if (&v == own) return;
        vehicleEffect(v);
        if (const auto driver = v.parent.lock()) driver->lastHit = Parent;
        Destroy();
    });
    // A shooter's own shield lets its shots through.
    if (ShieldsListed() == 0) return;
    List.WalkClass(ObjectClass::Shield, [&](Shot& s) {
        if (!WithinDistance(x, y, static_cast<int>(s.X), static_cast<int>(s.Y), s.ShieldRadius()))
            return;
        if (s.Parent == Parent) return;
        Destroy();
        if (damageShields) s.AbsorbHit(Damage);
    });
}
