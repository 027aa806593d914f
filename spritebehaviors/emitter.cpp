#include "spritebehaviors/emitter.h"

#include <algorithm>

#include "engine/clock.h"

std::shared_ptr<SpriteEmitter> SpriteEmitter::Create(ImageHandle image, int count) {
    auto e = std::make_shared<SpriteEmitter>();
    e->Init(std::move(image), count);
    return e;
}

void SpriteEmitter::Init(ImageHandle image, int count) {
    Particles.assign(static_cast<std::size_t>(count > 0 ? count : 0), Sprite());
    for (Sprite& p : Particles) {
        p.SetImage(image);
        p.Alpha = 0;
    }
    Image = std::move(image);
    used_ = 0;
}

void SpriteEmitter::KillAll() {
    for (Sprite& p : Particles) p.Alpha = 0;
}

void SpriteEmitter::SetStartAngle(double a) {
    if (a > 360) a -= 360;
    if (a < 0) a += 360;
    StartAngle = a;
    CurrentAngle = a;
}

void SpriteEmitter::Fade() {
    for (std::size_t i = 0; i < used_; ++i) {
        Sprite& p = Particles[i];
        if (IsLive(p)) p.Alpha -= FadeStep;
    }
}

void SpriteEmitter::Move() {
    for (std::size_t i = 0; i < used_; ++i) {
        Sprite& p = Particles[i];
        if (!IsLive(p)) continue;
        p.MoveByVelocity();
        if (SpeedGrowth != 0) p.SetSpeed(p.GetSpeed() + SpeedGrowth);
        OnMove(p);
    }
}

int SpriteEmitter::FindFreeParticle(int start) const {
    for (int i = start < 0 ? 0 : start; i < static_cast<int>(Particles.size()); ++i) {
        if (!IsLive(Particles[static_cast<std::size_t>(i)])) return i;
    }
    return -1;
}

void SpriteEmitter::Emit() {
    int index = 0;
    for (int n = 0; n < EmitCount; ++n) {
        index = FindFreeParticle(index);
        if (index < 0) {
            index = 0;
            continue;
        }
        Sprite& p = Particles[static_cast<std::size_t>(index)];
        used_ = std::max(used_, static_cast<std::size_t>(index) + 1);
        p.Alpha = 1;
        p.Velocity = Vector2D::Polar(ParticleSpeed, CurrentAngle);
        p.ViewOffset = ViewOffset;
        p.Pos = Pos;
        p.Blend = Blend;
        p.Scale = Scale;
        p.SetColor(Red, Green, Blue);

        CurrentAngle += AngleStep;
        if (CurrentAngle > 359) CurrentAngle -= 360;
        if (StartAngle <= EndAngle) {
            if (CurrentAngle >= EndAngle) CurrentAngle = StartAngle;
        } else if (EndAngle <= CurrentAngle && CurrentAngle <= StartAngle) {
            // A sweep through 0 has left its arc.
            CurrentAngle = StartAngle;
        }
        OnEmit(p);
    }
}

void SpriteEmitter::OnEmit(Sprite&) {}

void SpriteEmitter::OnMove(Sprite&) {}

void SpriteEmitter::Update(double dt) {
    Age += dt;
    auto due = [](double last, double interval) {
        return last + 1000 * interval < static_cast<double>(game_millisecs());
    };
    if (due(LastEmit, EmitInterval)) {
        Emit();
        LastEmit = static_cast<double>(game_millisecs());
    }
    if (due(LastFade, FadeInterval)) {
        Fade();
        LastFade = static_cast<double>(game_millisecs());
    }
    if (due(LastMove, MoveInterval)) {
        Move();
        LastMove = static_cast<double>(game_millisecs());
    }
}

void SpriteEmitter::Render() {
    for (std::size_t i = 0; i < used_; ++i) {
        if (IsLive(Particles[i])) Particles[i].Render();
    }
}

void SpriteEmitter::SetOffset(double x, double y) {
    ViewOffset.Set(x, y);
    for (std::size_t i = 0; i < used_; ++i) {
        if (IsLive(Particles[i])) Particles[i].SetOffset(x, y);
    }
}

void SpriteEmitter::SetImage(ImageHandle image) {
    for (Sprite& p : Particles) p.SetImage(image);
    Image = std::move(image);
}

int SpriteEmitter::LiveCount() const {
    int n = 0;
    for (std::size_t i = 0; i < used_; ++i) n += IsLive(Particles[i]) ? 1 : 0;
    return n;
}
