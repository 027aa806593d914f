#pragma once
// A particle source: a fixed pool of plain sprites released from the
// emitter's position at a fixed interval, in a sweeping direction, moved in
// straight lines and faded out, all on the game's millisecond clock.
//
// The emitter is not put into a steering world: its owner positions it,
// calls `Update` with the frame time and `Render` when the particles are to
// be seen. The pool is allocated once; emission reuses free particles.

#include <memory>
#include <vector>

#include "spritebehaviors/sprite.h"

class SpriteEmitter : public Sprite {
public:
    /// An emitter with `count` particles of the image, all free.
    static std::shared_ptr<SpriteEmitter> Create(ImageHandle image, int count);
    /// Replaces the pool by `count` free particles of the image.
    void Init(ImageHandle image, int count);

    void SetSpeedGrowth(double v) { SpeedGrowth = v; }
    void SetMoveInterval(double s) { MoveInterval = s; }
    void SetEmitInterval(double s) { EmitInterval = s; }
    void SetFadeInterval(double s) { FadeInterval = s; }
    /// Frees every particle.
    void KillAll();
    void SetEmitCount(int n) { EmitCount = n; }
    void SetFadeStep(double v) { FadeStep = v; }
    void SetAngleStep(double v) { AngleStep = v; }
    /// Sets the first release direction (brought into 0..360) and restarts
    /// the sweep there.
    void SetStartAngle(double a);
    void SetEndAngle(double a) { EndAngle = a; }
    void SetParticleSpeed(double v) { ParticleSpeed = v; }
    /// Removes FadeStep from every live particle's alpha.
    void Fade();
    /// Moves every live particle by its velocity and grows its speed.
    void Move();
    /// Index of the first free particle at or after `start`, or -1.
    int FindFreeParticle(int start) const;
    /// Releases EmitCount particles (fewer when the pool runs out).
    void Emit();
    /// Called after a particle is released and after it is moved.
    virtual void OnEmit(Sprite& particle);
    virtual void OnMove(Sprite& particle);

    /// Emits, fades and moves when each one's interval has passed on the
    /// clock (an interval of 0: whenever the clock has advanced).
    void Update(double dt) override;
    /// Draws the live particles.
    void Render() override;
    /// Sets the emitter's and every live particle's view offset.
    void SetOffset(double x, double y) override;
    /// Sets every particle's image.
    void SetImage(ImageHandle image) override;

    /// Particles with alpha above 0.
    int LiveCount() const;
    static bool IsLive(const Sprite& particle) { return particle.Alpha > 0; }

    /// The pool. Particles are the emitter's to manage: it releases free
    /// ones from the front, and those above the highest ever released stay
    /// free, which the per-step loops rely on.
    std::vector<Sprite> Particles;
    int EmitCount = 1;
    double AngleStep = 0;
    double StartAngle = 0;
    double EndAngle = 359;
    double CurrentAngle = 0;
    double ParticleSpeed = 0;
    /// The single-precision 0.001 as tuned.
    double FadeStep = static_cast<double>(0.001f);
    double Age = 0;
    double EmitInterval = 0;
    double LastEmit = 0;
    double FadeInterval = 0;
    double LastFade = 0;
    double MoveInterval = 0;
    double LastMove = 0;
    double SpeedGrowth = 0;

private:
    /// One past the highest particle ever released: the loops over live
    /// particles stop there (a wreck's smoke uses a handful of its 100).
    std::size_t used_ = 0;
};
using SpriteEmitterRef = std::shared_ptr<SpriteEmitter>;
