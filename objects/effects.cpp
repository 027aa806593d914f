#include "objects/effects.h"

#include "ai/control_object.h"
#include "app/app_state.h"
#include "app/console_message.h"
#include "engine/audio.h"
#include "engine/graphics.h"
#include "engine/random.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "spritebehaviors/delta.h"

namespace {

ImageHandle& LoadShared(ImageHandle& shared, const char* path) {
    if (!shared) {
        shared = LoadGameImage(path);
        img_mid_handle(shared);
    }
    return shared;
}

// Blasts and the scars they leave: scaled, turned, at 0.8 alpha.
void DrawBurn(const ImageHandle& image, float x, float y, float scale, float angle) {
    DrawInArena(image, x, y, ObjectLook(angle, scale, 0.8));
}

}  // namespace

float ScaleForSize(int size) {
    switch (size) {
        case 3:
            return 0.75f;
        case 2:
            return 0.5f;
        case 1:
            return 0.25f;
        case 0:
            return 0.05f;
        default:
            return 0.0f;
    }
}

// --- Explosion --------------------------------------------------------------

int Explosion::RadiusOf(int size) {
    switch (size) {
        case 3:
            return 120;
        case 2:
            return 80;
        case 1:
            return 50;
        default:
            return 0;
    }
}

std::shared_ptr<Explosion> Explosion::Make(int x, int y, int size,
                                           const std::shared_ptr<ControlObject>& parent) {
    auto e = std::make_shared<Explosion>();
    List.Append(e);
    LoadShared(TheMatch().ExplosionImage, "sprites/explosion.png");
    e->X = static_cast<float>(x);
    e->Y = static_cast<float>(y);
    e->Parent = parent;
    e->Size = size;
    e->Scale = ScaleForSize(size);
    if (size > 0) {
        AppState& app = App();
        snd_play(app.EffectSounds[kSfxExplosion], app.EffectChannels[kSfxExplosion]);
    }
    e->scaleDelta = 0.007f;
    e->angDelta = static_cast<int>(rnd_float(0, 2)) == 0 ? 2 : -2;
    e->Life = size > 0 ? 50 : 15;
    return e;
}

int Explosion::Draw() {
    DrawBurn(TheMatch().ExplosionImage, X, Y, Scale, static_cast<float>(Angle));
    return 0;
}

int Explosion::Update() {
    Angle += angDelta;
    Scale += Size > 0 ? scaleDelta : 0.0005f;
    Life -= 1;
    Collision();
    if (Life == 1 && Size > 0 && App().GraphicsQuality == 2) {
        Scar::Make(static_cast<int>(X), static_cast<int>(Y), Size);
    }
    if (Life <= 0) Destroy();
    return 0;
}

int Explosion::Collision() {
    const int radius = RadiusOf(Size);
    const auto strength = static_cast<float>(radius);
    if (radius == 0) return 0;
    const int x = static_cast<int>(X), y = static_cast<int>(Y);
    auto distance_to = [&](float ox, float oy) {
        return PointDistance(x, y, static_cast<int>(ox), static_cast<int>(oy));
    };

    const Vehicle* spared = Spared.lock().get();
    Vehicle::List.Walk([&](Vehicle& v) {
        if (&v == spared) return;
        const float d = distance_to(v.X, v.Y);
        if (!(d < static_cast<float>(radius)) || v.Shield != 0) return;
        float damage = strength - d;
        if (v.bonus == Vehicle::kSemiTruckBonus) damage = (strength - d) / 2;
        if (const auto driver = v.parent.lock()) driver->lastHit = Parent;
        v.Health -= damage / 30;
    });
    // Mines within reach go off (armed or not), then shields wear down.
    for (const ObjectClass device : {ObjectClass::Mine, ObjectClass::Shield}) {
        Shot::List.WalkClass(device, [&](Shot& s) {
            const float d = distance_to(s.X, s.Y);
            if (d < static_cast<float>(radius)) s.Blasted(strength - d);
        });
    }
    return 0;
}

int Explosion::Destroy() {
    List.Remove(this);
    return 0;
}

int Explosion::UpdateAll() {
    List.Walk([](Explosion& e) { e.Update(); });
    return 0;
}

int Explosion::DrawAll() {
    List.Walk([](Explosion& e) { e.Draw(); });
    return 0;
}

int Explosion::FramePass(bool draw) {
    List.Walk([draw](Explosion& e) {
        if (draw) e.Draw();
        e.Update();
    });
    return 0;
}

int Explosion::DestroyAll() {
    List.Walk([](Explosion& e) { e.Destroy(); });
    return 0;
}

// --- Scar -------------------------------------------------------------------

std::shared_ptr<Scar> Scar::Make(int x, int y, int size) {
    auto s = std::make_shared<Scar>();
    List.Append(s);
    LoadShared(TheMatch().ScarImage, "sprites/scar.png");
    s->X = static_cast<float>(x);
    s->Y = static_cast<float>(y);
    s->Size = size;
    s->Angle = static_cast<float>(rnd_float(0, 360));
    s->Scale = ScaleForSize(size);
    return s;
}

int Scar::Draw() {
    DrawBurn(TheMatch().ScarImage, X, Y, Scale, static_cast<float>(Angle));
    return 0;
}

int Scar::Destroy() {
    List.Remove(this);
    return 0;
}

int Scar::DrawAll() {
    List.Walk([](Scar& s) { s.Draw(); });
    return 0;
}

int Scar::DestroyAll() {
    List.Walk([](Scar& s) { s.Destroy(); });
    return 0;
}

// --- Wreckage ---------------------------------------------------------------

Wreckage::Wreckage() : Emitter(SpriteEmitter::Create(App().GradBall, 100)) {}

std::shared_ptr<Wreckage> Wreckage::Make(int x, int y, int angle, int model) {
    static const char* const kImages[] = {
        "sprites/wrecked_jeep.png", "sprites/wrecked_car.png", "sprites/wrecked_sportscar.png",
        "sprites/wrecked_conceptcar.png", "sprites/wrecked_semitruck.png"};
    auto w = std::make_shared<Wreckage>();
    List.Append(w);
    if (model >= 1 && model <= 5) w->Image = LoadGameImage(kImages[model - 1]);
    img_mid_handle(w->Image);
    w->X = x;
    w->Y = y;
    w->Angle = angle;
    w->Life = 1000;
    SpriteEmitter& e = *w->Emitter;
    e.SetEmitCount(1);
    e.SetStartAngle(90);
    e.SetEndAngle(110);
    e.SetEmitInterval(0.3);
    e.SetParticleSpeed(1.0);
    e.SetBlend(kBlendLight);
    e.SetAngleStep(1.0);
    e.SetScale(0.5, 0.5);
    e.SetFadeStep(0.02);
    ConsoleMessage::Create(TimeStamped("New object [wreck] added to scene."), kConsoleWhite);
    return w;
}

int Wreckage::Draw() {
    const Match& match = TheMatch();
    DrawInArena(Image, static_cast<float>(X), static_cast<float>(Y), ObjectLook(Angle, 0.5));
    // The smoke as it stands before this frame's step moves it, seen from
    // this frame's view (new smoke is released from that view too).
    Emitter->SetOffset(match.ScrollX, match.ScrollY);
    Emitter->Render();
    return 0;
}

int Wreckage::Update() {
    Emitter->SetPos(X, Y);
    Emitter->Update(Delta::Get());
    Life -= 1;
    if (Life <= 0) Destroy();
    return 0;
}

int Wreckage::Destroy() {
    List.Remove(this);
    return 0;
}

int Wreckage::UpdateAll() {
    List.Walk([](Wreckage& w) { w.Update(); });
    return 0;
}

int Wreckage::DrawAll() {
    List.Walk([](Wreckage& w) { w.Draw(); });
    return 0;
}

int Wreckage::DestroyAll() {
    List.Walk([](Wreckage& w) { w.Destroy(); });
    return 0;
}

// --- Tread ------------------------------------------------------------------

int Tread::Make(int x, int y, int angle) {
    auto t = std::make_shared<Tread>();
    List.Append(t);
    LoadShared(TheMatch().TreadImage, "sprites/tread.png");
    t->X = static_cast<float>(x);
    t->Y = static_cast<float>(y);
    t->Angle = angle;
    switch (App().GraphicsQuality) {
        case 2:
            t->Life = 750;
            break;
        case 1:
            t->Life = 500;
            break;
        case 0:
            t->Life = 100;
            break;
        default:
            t->Life = 0;
            break;
    }
    return 0;
}

int Tread::Draw() {
    DrawInArena(TheMatch().TreadImage, X, Y, ObjectLook(Angle, 0.5, 0.3));
    return 0;
}

int Tread::Update() {
    if (Life > 0) Life -= 1;
    if (Life <= 0) Destroy();
    return 0;
}

int Tread::Destroy() {
    List.Remove(this);
    return 0;
}

int Tread::UpdateAll() {
    List.Walk([](Tread& t) { t.Update(); });
    return 0;
}

int Tread::DrawAll() {
    List.Walk([](Tread& t) { t.Draw(); });
    return 0;
}

int Tread::DestroyAll() {
    List.Walk([](Tread& t) { t.Destroy(); });
    return 0;
}
