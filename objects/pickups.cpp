#include "objects/pickups.h"

#include "app/app_state.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "objects/secondary_weapon.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

void PickUp::Place(int x, int y, const char* image) {
    Image = LoadGameImage(image);
    img_mid_handle(Image);
    X = static_cast<float>(x);
    Y = static_cast<float>(y);
    Angle = 0;
    Recharge = kRechargeFrames;
    mySprite = std::make_shared<Sprite>();
    mySprite->SetPos(x, y);
}

int PickUp::Draw() {
    if (Empty == 0) DrawInArena(Image, X, Y, ObjectLook(Angle, 0.35));
    return 0;
}

int PickUp::Collision() {
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    // Every car in reach this frame, each with its own draw.
    Vehicle::List.Walk([&](Vehicle& v) {
        if (!WithinDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y), kReach)) return;
        Empty = 1;
        Apply(v);
    });
    return 0;
}

int PickUp::Update() {
    if (Empty == 0) Collision();
    RechargeAndSpin();
    return 0;
}

void PickUp::RechargeAndSpin() {
    if (Empty == 1) {
        Recharge -= 1;
        if (Recharge <= 0) {
            Empty = 0;
            Recharge = kRechargeFrames;
        }
    }
    Angle += 1;
}

// --- Health -----------------------------------------------------------------

std::shared_ptr<HealthPickUp> HealthPickUp::Make(int x, int y) {
    auto p = std::make_shared<HealthPickUp>();
    List.Append(p);
    p->Place(x, y, "sprites/health_pickup.png");
    return p;
}

int HealthPickUp::Update() {
    if (Empty == 0) Collision();
    RechargeAndSpin();
    return 0;
}

int HealthPickUp::Draw() {
    if (Empty == 0) PickUp::Draw();
    return 0;
}

void HealthPickUp::Apply(Vehicle& v) {
    mySprite->SetImage(Image2);
    v.Health += 25;  // the car's next update caps it at 120
}

int HealthPickUp::Destroy() {
    List.Remove(this);
    return 0;
}

int HealthPickUp::UpdateAll() {
    List.Walk([](HealthPickUp& p) { p.Update(); });
    return 0;
}

int HealthPickUp::DrawAll() {
    List.Walk([](HealthPickUp& p) { p.Draw(); });
    return 0;
}

int HealthPickUp::DestroyAll() {
    List.Walk([](HealthPickUp& p) { p.Destroy(); });
    return 0;
}

// --- Weapon -----------------------------------------------------------------

std::shared_ptr<WeaponPickUp> WeaponPickUp::Make(int x, int y) {
    auto p = std::make_shared<WeaponPickUp>();
    List.Append(p);
    p->Place(x, y, "sprites/ammo_pickup.png");
    return p;
}

void WeaponPickUp::Apply(Vehicle& v) {
    // 1..4: never the machine gun; always a fresh weapon.
    const int r = static_cast<int>(rnd_float(1, 5));
    if (v.WeaponSlot) v.WeaponSlot->Destroy();
    v.WeaponSlot = ChooseWeapon(r + 1, v.SelfAs<Vehicle>());
}

int WeaponPickUp::Destroy() {
    List.Remove(this);
    return 0;
}

int WeaponPickUp::UpdateAll() {
    List.Walk([](WeaponPickUp& p) { p.Update(); });
    return 0;
}

int WeaponPickUp::DrawAll() {
    List.Walk([](WeaponPickUp& p) { p.Draw(); });
    return 0;
}

int WeaponPickUp::DestroyAll() {
    List.Walk([](WeaponPickUp& p) { p.Destroy(); });
    return 0;
}

// --- Secondary --------------------------------------------------------------

std::shared_ptr<SecondaryPickUp> SecondaryPickUp::Make(int x, int y) {
    auto p = std::make_shared<SecondaryPickUp>();
    List.Append(p);
    p->Place(x, y, "sprites/secondary_pickup.png");
    return p;
}

void SecondaryPickUp::Apply(Vehicle& v) {
    const int r = static_cast<int>(rnd_float(1, 4));
    if (v.WeaponSlot2) v.WeaponSlot2->Destroy();
    const auto self = v.SelfAs<Vehicle>();
    switch (r) {
        case 1:
            v.WeaponSlot2 = MineLayer::Choose(self);
            break;
        case 2:
            v.WeaponSlot2 = ShieldGen::Choose(self);
            break;
        default:
            v.WeaponSlot2 = TurretLayer::Choose(self);
            break;
    }
}

int SecondaryPickUp::Destroy() {
    List.Remove(this);
    return 0;
}

int SecondaryPickUp::UpdateAll() {
    List.Walk([](SecondaryPickUp& p) { p.Update(); });
    return 0;
}

int SecondaryPickUp::DrawAll() {
    List.Walk([](SecondaryPickUp& p) { p.Draw(); });
    return 0;
}

int SecondaryPickUp::DestroyAll() {
    List.Walk([](SecondaryPickUp& p) { p.Destroy(); });
    return 0;
}
