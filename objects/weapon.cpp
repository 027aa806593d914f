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
    const AppState& app = App();
    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(255);
    gfx_set_rotation(Angle);
    gfx_set_scale(0.25, 0.25);
    gfx_draw_image(Image, X - app.ScrollX, Y - app.ScrollY, 0);
    gfx_set_scale(1, 1);
    gfx_set_rotation(0);
    return 0;
}

int Weapon::Destroy() {
    List.Remove(this);
    return 0;
}

int Weapon::UpdateAll() {
    WalkByClass(List, kWeaponOrder, [](const std::shared_ptr<Weapon>& w) { w->Update(); });
    return 0;
}

void Weapon::FollowBehind(const Vehicle& v) {
    X = static_cast<float>(v.X + -5 * math_cos_deg(v.Angle));
    Y = static_cast<float>(v.Y + -5 * math_sin_deg(v.Angle));
}

void Weapon::AimAtMouse() {
    const AppState& app = App();
    const int dx = static_cast<int>(in_mouse_x() - (X - app.ScrollX));
    const int dy = static_cast<int>(in_mouse_y() - (Y - app.ScrollY));
    Angle = math_atan2_deg(dy, dx);
}

void Weapon::AdvanceMuzzle() {
    const AppState& app = App();
    if (app.GraphicsQuality < 1) return;
    Emitter->SetOffset(app.ScrollX, app.ScrollY);
    Emitter->SetPos(X + 35 * math_cos_deg(Angle), Y + 35 * math_sin_deg(Angle));
    Emitter->Update(Delta::Get());
}

int FirePrimary(Vehicle& vehicle, const std::shared_ptr<ControlObject>& controller, bool fireHeld) {
    vehicle.ShootWait += 1;
    Weapon* w = vehicle.WeaponSlot.get();
    if (!fireHeld || !w) return 0;
    if (w->Emitter) w->Emitter->Render();
    if (vehicle.ShootWait < w->RateOfFire || w->Ammo == 0 || w->Ammo < -1 || !w->ShotType) {
        return 0;
    }
    w->ShotType->Fire(static_cast<int>(w->X), static_cast<int>(w->Y), static_cast<int>(w->Angle),
                      controller);
    vehicle.ShootWait = 0;
    if (w->Ammo > 0) w->Ammo -= 1;
    return 1;
}

std::shared_ptr<Weapon> MachineGun::Choose(const std::shared_ptr<Vehicle>& vehicle) {
    auto gun = std::make_shared<MachineGun>();
    List.Append(gun);
    gun->Image = LoadGameImage("sprites/machinegun.png");
    img_mid_handle(gun->Image);
    img_set_handle(gun->Image, 36, 24);
    gun->Name = "Machine Gun";
    gun->RateOfFire = 8;
    gun->Ammo = -1;
    gun->bulletLife = 800;
    gun->bulletSpeed = 25;
    gun->bulletSpins = 0;
    gun->bulletType = 1;
    gun->maxAmmo = 0;
    gun->Parent = vehicle;
    gun->ShotType = std::make_shared<MGBullet>();
    gun->Number = 1;
    SpriteEmitter& e = *gun->Emitter;
    e.SetEmitCount(1);
    e.SetStartAngle(90);
    e.SetEndAngle(110);
    e.SetEmitInterval(0.07);
    e.SetParticleSpeed(2.0);
    e.SetBlend(kBlendLight);
    e.SetAngleStep(3.0);
    e.SetScale(0.25, 0.25);
    e.SetFadeStep(0.05);
    return gun;
}

int MachineGun::Update() {
    const std::shared_ptr<Vehicle> v = Parent.lock();
    Draw();
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
