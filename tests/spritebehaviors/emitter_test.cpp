#include <gtest/gtest.h>

#include "engine/clock.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "spritebehaviors/emitter.h"
#include "tests/spritebehaviors/expect_vec.h"
#include "tests/support/test_support.h"

namespace {

// The release direction of each of n successive particles.
std::vector<double> ReleaseAngles(SpriteEmitter& e, int n) {
    std::vector<double> angles;
    for (int i = 0; i < n; ++i) {
        e.KillAll();
        e.Emit();
        angles.push_back(e.Particles[0].Velocity.Heading());
    }
    return angles;
}

void ExpectAngles(const std::vector<double>& got, const std::vector<double>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], want[i], 1e-9) << i;
}

TEST(SpriteEmitter, SweepsItsReleaseDirection) {
    auto e = SpriteEmitter::Create(nullptr, 10);
    e->SetParticleSpeed(2);
    e->SetStartAngle(90);
    e->SetEndAngle(110);
    e->SetAngleStep(3);
    ExpectAngles(ReleaseAngles(*e, 9), {90, 93, 96, 99, 102, 105, 108, 90, 93});

    e->SetAngleStep(0);
    e->SetStartAngle(45);
    ExpectAngles(ReleaseAngles(*e, 3), {45, 45, 45});

    // A sweep through 0 restarts once it reaches the end of its arc.
    e->SetStartAngle(350);
    e->SetEndAngle(10);
    e->SetAngleStep(5);
    ExpectAngles(ReleaseAngles(*e, 6), {350, 355, 0, 5, 350, 355});

    e->SetStartAngle(370);
    EXPECT_EQ(e->StartAngle, 10);
    e->SetStartAngle(-30);
    EXPECT_EQ(e->CurrentAngle, 330);
}

TEST(SpriteEmitter, ParticlesCopyTheEmitterAndFlyStraight) {
    auto e = SpriteEmitter::Create(nullptr, 4);
    EXPECT_EQ(e->LiveCount(), 0);
    e->SetPos(50, 60);
    e->SetOffset(5, 6);
    e->SetColor(10, 20, 30);
    e->SetBlend(4);
    e->SetScale(0.5, 0.25);
    e->SetParticleSpeed(3);
    e->SetStartAngle(90);  // straight up the screen
    e->SetEmitCount(2);
    e->Emit();
    EXPECT_EQ(e->LiveCount(), 2);
    const Sprite& p = e->Particles[1];
    EXPECT_EQ(p.Alpha, 1);
    ExpectVec(p.Pos, 50, 60);
    ExpectVec(p.ViewOffset, 5, 6);
    EXPECT_EQ(p.Red + p.Green + p.Blue, 60);
    EXPECT_EQ(p.Blend, 4);
    ExpectVec(p.Scale, 0.5, 0.25);
    e->Move();
    ExpectVec(e->Particles[0].Pos, 50, 57);
    ExpectVec(e->Particles[2].Pos, 0, 0);  // free particles stay put
    e->SetSpeedGrowth(1);
    e->Move();
    ExpectVec(e->Particles[0].Pos, 50, 54);
    ExpectVec(e->Particles[0].Velocity, 0, -4);
    e->SetOffset(7, 8);
    ExpectVec(e->Particles[0].ViewOffset, 7, 8);
    ExpectVec(e->Particles[3].ViewOffset, 0, 0);
}

TEST(SpriteEmitter, AFullPoolReleasesNothingAndFadedParticlesAreReused) {
    auto e = SpriteEmitter::Create(nullptr, 3);
    e->SetEmitCount(5);
    e->Emit();
    EXPECT_EQ(e->LiveCount(), 3) << "only as many as the pool holds";
    e->Particles[1].Pos.Set(99, 99);
    e->Emit();
    ExpectVec(e->Particles[1].Pos, 99, 99);  // a full pool releases nothing

    e->SetFadeStep(0.05);
    int fades = 0;
    while (e->LiveCount() > 0 && fades < 100) {
        e->Fade();
        ++fades;
    }
    EXPECT_EQ(fades, 20);
    EXPECT_EQ(e->FindFreeParticle(0), 0);
    EXPECT_EQ(e->FindFreeParticle(2), 2);
    e->SetEmitCount(1);
    e->Emit();
    EXPECT_EQ(e->FindFreeParticle(0), 1);
    EXPECT_EQ(e->FindFreeParticle(1), 1);
}

TEST(SpriteEmitter, EmitsAtItsIntervalOnTheClockAndEachParticleFadesAway) {
    test_support::HeadlessEngine engine;
    ASSERT_TRUE(engine.ok());
    clock_set_fixed_step(0.01);  // 10 ms steps
    auto e = SpriteEmitter::Create(nullptr, 100);
    e->SetEmitInterval(0.05);
    e->SetFadeStep(0.05);  // fading on every step: 20 steps of life
    e->SetParticleSpeed(1);
    int emissions = 0, most_live = 0;
    for (int step = 0; step < 100; ++step) {
        clock_advance_frame();
        const double last = e->LastEmit;
        e->Update(0.01);
        if (e->LastEmit != last) ++emissions;
        most_live = std::max(most_live, e->LiveCount());
    }
    // Emission waits until more than 50 ms have passed since the last one:
    // at 60, 120, ... 960 ms, so sixteen in the second.
    EXPECT_EQ(emissions, 16);
    // Each lives 20 steps (200 ms) while one is released every 60 ms.
    EXPECT_EQ(most_live, 4);
    EXPECT_NEAR(e->Age, 1.0, 1e-9);
    // Stop emitting; after twenty more steps every particle has faded out.
    e->SetEmitInterval(1000);
    for (int step = 0; step < 20; ++step) {
        clock_advance_frame();
        e->Update(0.01);
    }
    EXPECT_EQ(e->LiveCount(), 0);
    for (const Sprite& p : e->Particles) EXPECT_LE(p.Alpha, 0);
    clock_set_fixed_step(0);
}

TEST(SpriteEmitter, DrawsOnlyLiveParticles) {
    test_support::VideoEngine engine(100, 100);
    ASSERT_TRUE(engine.ok());
    std::vector<std::uint32_t> white(16, 0xFFFFFFFFu);
    auto e = SpriteEmitter::Create(img_from_pixels(4, 4, white.data(), 0), 10);
    e->SetPos(50, 50);
    gfx_cls();
    e->Render();
    for (const std::uint32_t p : gfx_read_pixels(0, 0, 100, 100)) {
        ASSERT_EQ(p & 0xFFFFFF, 0u) << "nothing before the first release";
    }
    e->Emit();
    gfx_cls();
    e->Render();
    EXPECT_GT(test_support::R(test_support::PixelAt(50, 50)), 200);
}

}  // namespace
