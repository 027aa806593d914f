#include "objects/shot.h"

#include "app/app_state.h"
#include "engine/audio.h"
#include "engine/graphics.h"
#include "objects/effects.h"
#include "objects/shot_impl.h"

namespace {

constexpr ObjectClass kPrimaryOrder[] = {
    ObjectClass::MGBullet, ObjectClass::HMGBullet, ObjectClass::RPGBullet, ObjectClass::RLBullet,
    ObjectClass::Shield,   ObjectClass::Shrapnel,  ObjectClass::PGBullet};
constexpr ObjectClass kSecondaryOrder[] = {ObjectClass::Mine, ObjectClass::Turret};
constexpr ObjectClass kDestroyOrder[] = {
    ObjectClass::MGBullet, ObjectClass::HMGBullet, ObjectClass::RPGBullet,
    ObjectClass::RLBullet, ObjectClass::Shield,    ObjectClass::Mine,
    ObjectClass::Shrapnel, ObjectClass::PGBullet,  ObjectClass::Turret};

}  // namespace

Shot::Shot() = default;

Shot::~Shot() = default;

std::shared_ptr<Shot> Shot::Fire(int, int, int, const std::shared_ptr<ControlObject>&) {
    return nullptr;
}

int Shot::UpdatePrimary() {
    WalkByClass(List, kPrimaryOrder, [](const std::shared_ptr<Shot>& s) { s->Update(); });
    return 0;
}

int Shot::UpdateSecondary() {
    WalkByClass(List, kSecondaryOrder, [](const std::shared_ptr<Shot>& s) { s->Update(); });
    return 0;
}

int Shot::DestroyAll() {
    WalkByClass(List, kDestroyOrder, [](const std::shared_ptr<Shot>& s) { s->Destroy(); });
    return 0;
}

void Shot::DrawScaled(float scale) const {
    const AppState& app = App();
    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(255);
    gfx_set_rotation(Direction);
    gfx_set_scale(scale, scale);
    gfx_draw_image(Image, X - app.ScrollX, Y - app.ScrollY, 0);
    gfx_set_scale(1, 1);
    gfx_set_rotation(0);
}

void Shot::FlyAndAge() {
    const AppState& app = App();
    X += xSpeed;
    Y += ySpeed;
    // Each failing test destroys again: removal happens once, the destroy
    // effect every time.
    if (X < 0 || X > app.WorldWidth) Destroy();
    if (Y < 0 || Y > app.WorldHeight) Destroy();
    Life -= 1;
    if (Life <= 0) Destroy();
}

void Shot::StopAtWalls() {
    const TileMap& map = *App().TheMap;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    if (map.SolidAt(static_cast<int>(X - 12), y) || map.SolidAt(static_cast<int>(X + 12), y) ||
        map.SolidAt(x, static_cast<int>(Y - 7)) || map.SolidAt(x, static_cast<int>(Y + 7))) {
        Destroy();
    }
}

// --- MGBullet ---------------------------------------------------------------

std::shared_ptr<Shot> MGBullet::Fire(int x, int y, int angle,
                                     const std::shared_ptr<ControlObject>& parent) {
    auto shot = Launch<MGBullet>(x, y, angle, 25, 800, 1.0f, "sprites/bullet.png", parent);
    // A burst plays one uninterrupted sound.
    AppState& app = App();
    const ChannelHandle& channel = app.EffectChannels[kSfxMachineGun];
    if (!chan_playing(channel)) snd_play(app.EffectSounds[kSfxMachineGun], channel);
    return shot;
}

int MGBullet::Update() {
    Draw();
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
    if (App().GraphicsQuality == 2) {
        Explosion::Make(static_cast<int>(X), static_cast<int>(Y), 0, nullptr);
    }
    List.Remove(this);
    return 0;
}

int MGBullet::UpdateAll() {
    List.Walk([](const std::shared_ptr<Shot>& s) {
        if (s->Class() == ObjectClass::MGBullet) s->Update();
    });
    return 0;
}

int MGBullet::DestroyAll() {
    List.Walk([](const std::shared_ptr<Shot>& s) {
        if (s->Class() == ObjectClass::MGBullet) s->Destroy();
    });
    return 0;
}
