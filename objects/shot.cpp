#include "objects/shot.h"

#include "app/app_state.h"
#include "engine/audio.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "objects/effects.h"
#include "objects/shot_impl.h"
#include "spritebehaviors/delta.h"

namespace {

constexpr ObjectClass kPrimaryOrder[] = {
    ObjectClass::MGBullet, ObjectClass::HMGBullet, ObjectClass::RPGBullet, ObjectClass::RLBullet,
    ObjectClass::Shield,   ObjectClass::Shrapnel,  ObjectClass::PGBullet};
constexpr ObjectClass kSecondaryOrder[] = {ObjectClass::Mine, ObjectClass::Turret};
constexpr ObjectClass kDestroyOrder[] = {
    ObjectClass::MGBullet, ObjectClass::HMGBullet, ObjectClass::RPGBullet,
    ObjectClass::RLBullet, ObjectClass::Shield,    ObjectClass::Mine,
    ObjectClass::Shrapnel, ObjectClass::PGBullet,  ObjectClass::Turret};

// Plays an effect on its own channel; a burst (onlyWhenIdle) plays one
// uninterrupted sound, the others restart theirs on every shot.
void PlayEffect(int effect, bool onlyWhenIdle) {
    AppState& app = App();
    const ChannelHandle& channel = app.EffectChannels[static_cast<std::size_t>(effect)];
    if (onlyWhenIdle && chan_playing(channel)) return;
    snd_play(app.EffectSounds[static_cast<std::size_t>(effect)], channel);
}

}  // namespace

Shot::Shot() = default;

Shot::~Shot() = default;

std::shared_ptr<Shot> Shot::Fire(int, int, int, const std::shared_ptr<ControlObject>&) {
    return nullptr;
}

int Shot::UpdatePrimary() {
    WalkByClass(List, kPrimaryOrder, [](Shot& s) { s.Update(); });
    return 0;
}

int Shot::UpdateSecondary() {
    WalkByClass(List, kSecondaryOrder, [](Shot& s) { s.Update(); });
    return 0;
}

int Shot::DrawSecondary() {
    WalkByClass(List, kSecondaryOrder, [](Shot& s) { s.Draw(); });
    return 0;
}

int Shot::PrimaryFramePass(bool draw) {
    for (const ObjectClass cls : kPrimaryOrder) {
        if (draw) List.WalkClass(cls, [](Shot& s) { s.Draw(); });
        List.WalkClass(cls, [](Shot& s) { s.Update(); });
    }
    return 0;
}

int Shot::DestroyAll() {
    WalkByClass(List, kDestroyOrder, [](Shot& s) { s.Destroy(); });
    return 0;
}

int Shot::RemoveAll() {
    WalkByClass(List, kDestroyOrder, [](Shot& s) { s.Remove(); });
    return 0;
}

int Shot::Remove() {
    Spend();
    List.Remove(this);
    return 0;
}

bool Shot::Spend() {
    if (Spent) return false;
    Spent = true;
    return true;
}

void Shot::DrawScaled(float scale) const {
    DrawInArena(Image, X, Y, ObjectLook(Direction, scale));
}

void Shot::FlyAndAge() {
    const Match& match = TheMatch();
    X += xSpeed;
    Y += ySpeed;
    // Each failing test destroys again: removal happens once, the destroy
    // effect every time.
    if (X < 0 || X > match.WorldWidth) Destroy();
    if (Y < 0 || Y > match.WorldHeight) Destroy();
    Life -= 1;
    if (Life <= 0) Destroy();
}

void Shot::StopAtWalls() {
    const TileMap& map = *TheMatch().TheMap;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    if (map.SolidAt(static_cast<int>(X - 12), y) || map.SolidAt(static_cast<int>(X + 12), y) ||
        map.SolidAt(x, static_cast<int>(Y - 7)) || map.SolidAt(x, static_cast<int>(Y + 7))) {
        Destroy();
    }
}

// --- MGBullet ---------------------------------------------------------------

std::shared_ptr<Shot> MGBullet::Fire(int x, int y, int angle,
                                     const std::shared_ptr<ControlObject>& parent) {
    auto shot = Launch<MGBullet>(x, y, angle, kLaunchSpeed, kLaunchLife, 1.0f, "sprites/bullet.png",
                                 parent);
    PlayEffect(kSfxMachineGun, true);
    return shot;
}

int MGBullet::Update() {
    Collision();
    FlyAndAge();
    StopAtWalls();
    return 0;
}

int MGBullet::Draw() {
    DrawScaled(0.25f);
    return 0;
}

int MGBullet::Collision() {
    HitVehiclesAndShields([this](Vehicle& v) { v.Health -= Damage - v.Armor; }, true);
    return 0;
}

int MGBullet::Destroy() {
    if (!Spend()) return 0;
    if (App().GraphicsQuality == 2) {
        Explosion::Make(static_cast<int>(X), static_cast<int>(Y), 0, nullptr);
    }
    List.Remove(this);
    return 0;
}

// --- HMGBullet --------------------------------------------------------------

std::shared_ptr<Shot> HMGBullet::Fire(int x, int y, int angle,
                                      const std::shared_ptr<ControlObject>& parent) {
    auto shot = Launch<HMGBullet>(x, y, angle, kLaunchSpeed, kLaunchLife, 1.5f,
                                  "sprites/bullet.png", parent);
    PlayEffect(kSfxHeavyMachineGun, true);
    return shot;
}

// --- PGBullet ---------------------------------------------------------------

std::shared_ptr<Shot> PGBullet::Fire(int x, int y, int angle,
                                     const std::shared_ptr<ControlObject>& parent) {
    auto shot = Launch<PGBullet>(x, y, angle, kLaunchSpeed, kLaunchLife, 105,
                                 "sprites/phasebullet.png", parent);
    PlayEffect(kSfxLaser, false);
    return shot;
}

int PGBullet::Update() {
    // A phase bolt passes through walls.
    Collision();
    FlyAndAge();
    return 0;
}

int PGBullet::Draw() {
    // The bolt's image at its own size.
    DrawScaled(1.0f);
    return 0;
}

int PGBullet::Collision() {
    HitVehiclesAndShields([this](Vehicle& v) { v.Health -= Damage - v.Armor; }, true);
    return 0;
}

int PGBullet::Destroy() {
    if (!Spend()) return 0;
    List.Remove(this);
    return 0;
}

// --- Grenades and rockets ---------------------------------------------------

void TrailShot::MakeTrail(double interval, double speed, double scale) {
    Emitter = SpriteEmitter::Create(App().GradBall, 100);
    Emitter->SetEmitCount(1);
    Emitter->SetEmitInterval(interval);
    Emitter->SetParticleSpeed(speed);
    Emitter->SetBlend(kBlendLight);
    Emitter->SetAngleStep(0);
    Emitter->SetScale(scale, scale);
    Emitter->SetFadeStep(0.02);
}

int TrailShot::Update() {
    const AppState& app = App();
    const Match& match = TheMatch();
    if (app.GraphicsQuality == 2 && Emitter) {
        // The emitter measures angles anticlockwise, so -Direction is the
        // shot's own direction; slower than the shot, the smoke falls behind.
        Emitter->SetStartAngle(-Direction);
        Emitter->SetEndAngle(-Direction);
        Emitter->SetPos(X, Y);
        Emitter->Update(Delta::Get());
        Emitter->SetOffset(match.ScrollX, match.ScrollY);
    }
    Collision();
    FlyAndAge();
    StopAtWalls();
    return 0;
}

int TrailShot::Draw() {
    // The smoke as the last step left it, seen from the last step's view.
    if (App().GraphicsQuality == 2 && Emitter) Emitter->Render();
    DrawScaled(0.5f);
    return 0;
}

std::shared_ptr<Shot> RPGBullet::Fire(int x, int y, int angle,
                                      const std::shared_ptr<ControlObject>& parent) {
    auto shot =
        Launch<RPGBullet>(x, y, angle, kLaunchSpeed, kLaunchLife, 0, "sprites/grenade.png", parent);
    shot->MakeTrail(0.045, 2.0, 0.2);
    PlayEffect(kSfxGrenadeLauncher, false);
    return shot;
}

int RPGBullet::Collision() {
    // With no damage of its own the target's armour is added back: the
    // blast does the harm.
    HitVehiclesAndShields([this](Vehicle& v) { v.Health -= Damage - v.Armor; }, false);
    return 0;
}

int RPGBullet::Destroy() {
    if (!Spend()) return 0;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    Explosion::Make(x, y, 1, Parent);
    ThrowFragments(x, y, Parent);
    List.Remove(this);
    return 0;
}

std::shared_ptr<Shot> RLBullet::Fire(int x, int y, int angle,
                                     const std::shared_ptr<ControlObject>& parent) {
    auto shot =
        Launch<RLBullet>(x, y, angle, kLaunchSpeed, kLaunchLife, 0, "sprites/bullet.png", parent);
    shot->MakeTrail(0.025, 2.5, 0.25);
    PlayEffect(kSfxRocketLauncher, false);
    return shot;
}

int RLBullet::Collision() {
    HitVehiclesAndShields([](Vehicle&) {}, false);
    return 0;
}

int RLBullet::Destroy() {
    if (!Spend()) return 0;
    Explosion::Make(static_cast<int>(X), static_cast<int>(Y), 2, Parent);
    List.Remove(this);
    return 0;
}

// --- Shrapnel ---------------------------------------------------------------

std::shared_ptr<Shot> Shrapnel::Fire(int x, int y, int angle,
                                     const std::shared_ptr<ControlObject>& parent) {
    return Launch<Shrapnel>(x, y, angle, kLaunchSpeed, kLaunchLife, 3.5f, "sprites/bullet.png",
                            parent);
}

int Shrapnel::Update() {
    Collision();
    FlyAndAge();
    StopAtWalls();
    return 0;
}

int Shrapnel::Draw() {
    DrawScaled(0.25f);
    return 0;
}

int Shrapnel::Collision() {
    // Anyone's car, the thrower's own included, and anyone's shield; no
    // armour. The driver whose grenade or mine threw it is the attacker.
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    Vehicle::List.Walk([&](Vehicle& v) {
        if (!WithinDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y), 25)) return;
        Destroy();
        v.Health -= Damage;
        if (const auto driver = v.parent.lock()) driver->lastHit = Parent;
    });
    if (ShieldsListed() == 0) return 0;
    List.WalkClass(ObjectClass::Shield, [&](Shot& s) {
        if (!WithinDistance(x, y, static_cast<int>(s.X), static_cast<int>(s.Y), s.ShieldRadius()))
            return;
        Destroy();
        s.AbsorbHit(Damage);
    });
    return 0;
}

int Shrapnel::Destroy() {
    if (!Spend()) return 0;
    List.Remove(this);
    return 0;
}

void ThrowFragments(int x, int y, const std::shared_ptr<ControlObject>& parent) {
    Shrapnel prototype;
    for (int i = 0; i <= 20; ++i) {
        const float angle =
            static_cast<float>(i * 18) + RandomSign(static_cast<float>(rnd_float(0, 9)));
        prototype.Fire(x, y, static_cast<int>(angle), parent);
    }
}
