#include "objects/weapon.h"

#include <cmath>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "spritebehaviors/delta.h"

namespace {

constexpr ObjectClass kWeaponOrder[] = {ObjectClass::MachineGun, ObjectClass::HeavyMachineGun,
                                        ObjectClass::RPG, ObjectClass::RocketLauncher,
                                        ObjectClass::PhaseGun};

}  // namespace

Weapon::Weapon() : Emitter(SpriteEmitter::Create(App().GradBall, 100)) {}

Weapon::~Weapon() = default;

int Weapon::Draw() {
    DrawInArena(Image, X, Y, ObjectLook(Angle, 0.25));
    return 0;
}

int Weapon::Destroy() {
    List.Remove(this);
    return 0;
}

int Weapon::UpdateAll() {
    WalkByClass(List, kWeaponOrder, [](Weapon& w) { w.Update(); });
    return 0;
}

int Weapon::DrawAll() {
    WalkByClass(List, kWeaponOrder, [](Weapon& w) { w.Draw(); });
    return 0;
}

void Weapon::FollowBehind(const Vehicle& v) {
    X = static_cast<float>(v.X + -5 * math_cos_deg(v.Angle));
    Y = static_cast<float>(v.Y + -5 * math_sin_deg(v.Angle));
}

void Weapon::Mount(const Vehicle& v) {
    // A computer driver's machine gun sits on the car's centre.
    if (v.PlayerControlled == 1 || Class() != ObjectClass::MachineGun) {
        FollowBehind(v);
    } else {
        X = v.X;
        Y = v.Y;
    }
    if (v.PlayerControlled == 1) {
        AimAtMouse();
    } else {
        Angle = v.ScreenHeading();
    }
    // The muzzle smoke starts at the muzzle too.
    const Match& match = TheMatch();
    Emitter->SetOffset(match.ScrollX, match.ScrollY);
    Emitter->SetPos(X + 35 * math_cos_deg(Angle), Y + 35 * math_sin_deg(Angle));
}

void Weapon::AimAtMouse() {
    const Match& match = TheMatch();
    const int dx = static_cast<int>(in_mouse_x() - (X - match.ScrollX));
    const int dy = static_cast<int>(in_mouse_y() - (Y - match.ScrollY));
    Angle = math_atan2_deg(dy, dx);
}

void Weapon::AdvanceMuzzle() {
    const AppState& app = App();
    const Match& match = TheMatch();
    if (app.GraphicsQuality < 1) return;
    Emitter->SetOffset(match.ScrollX, match.ScrollY);
    Emitter->SetPos(X + 35 * math_cos_deg(Angle), Y + 35 * math_sin_deg(Angle));
    Emitter->Update(Delta::Get());
}

int FirePrimary(Vehicle& vehicle, const std::shared_ptr<ControlObject>& controller, bool fireHeld,
                bool emitSmoke) {
    vehicle.ShootWait += 1;
    Weapon* w = vehicle.WeaponSlot.get();
    if (!fireHeld || !w) return 0;
    if (w->Emitter && emitSmoke) w->Emitter->Emit();
    if (vehicle.ShootWait < w->RateOfFire || w->Ammo == 0 || w->Ammo < -1 || !w->ShotType) {
        return 0;
    }
    w->ShotType->Fire(static_cast<int>(w->X), static_cast<int>(w->Y), static_cast<int>(w->Angle),
                      controller);
    vehicle.ShootWait = 0;
    if (w->Ammo > 0) w->Ammo -= 1;
    return 1;
}

namespace {

// The numbers of each weapon class.
struct WeaponNumbers {
    const char* name;
    const char* image;
    double handle_x, handle_y;
    int rate_of_fire, ammo, max_ammo;
    int bullet_life, bullet_speed, bullet_spins, bullet_type;
    int number;
    double emit_interval;  // muzzle particles; 0 = none
};

constexpr WeaponNumbers kMachineGunNumbers{
    "Machine Gun", "sprites/machinegun.png", 36, 24, 8, -1, 0, 800, 25, 0, 1, 1, 0.07};
constexpr WeaponNumbers kHeavyMachineGunNumbers{"Heavy Machine Gun",
                                                "sprites/heavymachinegun.png",
                                                36,
                                                24,
                                                7,
                                                250,
                                                250,
                                                800,
                                                15,
                                                0,
                                                1,
                                                2,
                                                0.12};
constexpr WeaponNumbers kRPGNumbers{"RPG", "sprites/rpg.png", 60, 32, 50, 20, 20, 100, 5, 1, 2, 3,
                                    0};
constexpr WeaponNumbers kRocketLauncherNumbers{
    "Rocket Launcher", "sprites/rocketlauncher.png", 100, 32, 75, 10, 10, 500, 7, 1, 0, 4, 0};
constexpr WeaponNumbers kPhaseGunNumbers{
    "Phase Cannon", "sprites/phasecannon.png", 100, 32, 75, 7, 7, 750, 9, 1, 0, 5, 0};

// Makes, lists and equips a weapon of class W firing shots of class S.
template <typename W, typename S>
std::shared_ptr<Weapon> Equip(const WeaponNumbers& numbers,
                              const std::shared_ptr<Vehicle>& vehicle) {
    auto w = std::make_shared<W>();
    Weapon::List.Append(w);
    w->Image = LoadGameImage(numbers.image);
    img_mid_handle(w->Image);
    img_set_handle(w->Image, numbers.handle_x, numbers.handle_y);
    w->Name = numbers.name;
    w->RateOfFire = numbers.rate_of_fire;
    w->Ammo = numbers.ammo;
    w->bulletLife = numbers.bullet_life;
    w->bulletSpeed = numbers.bullet_speed;
    w->bulletSpins = numbers.bullet_spins;
    w->bulletType = numbers.bullet_type;
    w->maxAmmo = numbers.max_ammo;
    w->Parent = vehicle;
    if (vehicle) w->Mount(*vehicle);
    w->ShotType = std::make_shared<S>();
    w->Number = numbers.number;
    if (numbers.emit_interval > 0) {
        SpriteEmitter& e = *w->Emitter;
        e.SetEmitCount(1);
        e.SetStartAngle(90);
        e.SetEndAngle(110);
        e.SetEmitInterval(numbers.emit_interval);
        e.SetParticleSpeed(2.0);
        e.SetBlend(kBlendLight);
        e.SetAngleStep(3.0);
        e.SetScale(0.25, 0.25);
        e.SetFadeStep(0.05);
    }
    return w;
}

}  // namespace

std::shared_ptr<Weapon> MachineGun::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<MachineGun, MGBullet>(kMachineGunNumbers, vehicle);
}

std::shared_ptr<Weapon> HeavyMachineGun::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<HeavyMachineGun, HMGBullet>(kHeavyMachineGunNumbers, vehicle);
}

std::shared_ptr<Weapon> RPG::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<RPG, RPGBullet>(kRPGNumbers, vehicle);
}

std::shared_ptr<Weapon> RocketLauncher::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<RocketLauncher, RLBullet>(kRocketLauncherNumbers, vehicle);
}

std::shared_ptr<Weapon> PhaseGun::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    return Equip<PhaseGun, PGBullet>(kPhaseGunNumbers, vehicle);
}

std::shared_ptr<Weapon> ChooseWeapon(int number, const std::shared_ptr<Vehicle>& vehicle) {
    switch (number) {
        case 1:
            return MachineGun::Choose(vehicle);
        case 2:
            return HeavyMachineGun::Choose(vehicle);
        case 3:
            return RPG::Choose(vehicle);
        case 4:
            return RocketLauncher::Choose(vehicle);
        case 5:
            return PhaseGun::Choose(vehicle);
        default:
            return nullptr;
    }
}

int LimitedWeapon::Update() {
    const std::shared_ptr<Vehicle> v = Parent.lock();
    if (!v) return 0;
    FollowBehind(*v);
    // The heavy machine gun places its muzzle before aiming, so its smoke
    // uses the previous frame's aim.
    if (Class() == ObjectClass::HeavyMachineGun) AdvanceMuzzle();
    if (v->PlayerControlled == 1) AimAtMouse();
    if (Ammo <= 0) {
        v->WeaponSlot = MachineGun::Choose(v);
        Destroy();
    }
    return 0;
}

int MachineGun::Update() {
    const std::shared_ptr<Vehicle> v = Parent.lock();
    if (!v) return 0;
    // A computer driver's gun sits on the vehicle centre.
    if (v->PlayerControlled == 1) {
        FollowBehind(*v);
        AimAtMouse();
    } else {
        X = v->X;
        Y = v->Y;
    }
    AdvanceMuzzle();
    return 0;
}
