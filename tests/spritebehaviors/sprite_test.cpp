#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/clock.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"
#include "tests/spritebehaviors/expect_vec.h"
#include "tests/support/test_support.h"

namespace {

using test_support::PixelAt;

SpriteRef MakeSprite(const GameWorldRef& world, double mass = 1, double maxForce = 10,
                     double maxSpeed = 5) {
    return Sprite::Create(nullptr, world, Vector2D(100, 100), 0, Vector2D(0, 0), mass, maxForce,
                          maxSpeed, 360, 1);
}

TEST(Sprite, RotationIsNormalisedAndReadBackAnticlockwise) {
    Sprite s;
    ExpectVec(s.Heading, 0, 0);  // a plain sprite has no heading until it moves
    s.SetRotation(370);
    EXPECT_NEAR(s.GetRotation(), 10, 1e-9);
    s.SetRotation(-90);
    EXPECT_NEAR(s.GetRotation(), 270, 1e-9);
    ExpectVec(s.Heading, 0, 1);  // 270 points down the screen
    ExpectVec(s.Side, 1, 0);
    s.SetRotation(360);  // only values above 360 are reduced
    ExpectVec(s.Heading, 1, 0);
    s.SetRotation(90);
    ExpectVec(s.Heading, 0, -1);
    s.SetHeading(Vector2D(0, 1));
    EXPECT_NEAR(s.GetRotation(), 270, 1e-9);
}

TEST(Sprite, CreateSetsLimitsAndOwnsItsSteering) {
    auto world = GameWorld::Create(800, 600);
    SpriteRef s =
        Sprite::Create(nullptr, world, Vector2D(3, 4), 90, Vector2D(2, 0), 0.5, 2.9, 5, 1.2, 0.5);
    EXPECT_EQ(s->BoundingRadius, 1);
    ExpectVec(s->Pos, 3, 4);
    ExpectVec(s->Heading, 0, -1);
    ExpectVec(s->Velocity, 2, 0);
    EXPECT_EQ(s->Mass, 0.5);
    EXPECT_EQ(s->MaxForce, 2.9);
    EXPECT_EQ(s->MaxSpeed, 5);
    EXPECT_EQ(s->MaxTurnRate, 1.2);
    ExpectVec(s->Scale, 0.5, 0.5);
    EXPECT_EQ(s->Shape.size(), 3u);
    ASSERT_TRUE(s->GetSteering());
    EXPECT_EQ(s->GetSteering()->Owner.lock(), s);
    EXPECT_EQ(s->GetSteering()->Flags, 0);
    EXPECT_EQ(s->GetSteering()->Deceleration, 100);
    EXPECT_EQ(s->GetWorld(), world);
    EXPECT_TRUE(world->Agents().empty()) << "the caller adds it";
}

TEST(Sprite, StepAddsForceTimesDtThenMovesByTheWholeVelocity) {
    auto world = GameWorld::Create(800, 600);
    SpriteRef s = MakeSprite(world, /*mass=*/2, /*maxForce=*/10, /*maxSpeed=*/5);
    auto target = std::make_shared<Sprite>();
    target->SetPos(200, 100);
    s->GetSteering()->SeekOn(target);
    s->Update(0.5);
    // Seek from rest: desired (5, 0), force (5, 0) / mass 2 * 0.5 s.
    ExpectVec(s->LastSteeringForce, 5, 0);
    ExpectVec(s->Velocity, 1.25, 0);
    ExpectVec(s->Pos, 101.25, 100);  // not scaled by dt
    ExpectVec(s->Heading, 1, 0);     // longer than 1: normalised
    EXPECT_EQ(s->GetTimeElapsed(), 0.5);
    // Velocity is truncated to MaxSpeed.
    for (int i = 0; i < 50; ++i) s->Update(1.0);
    EXPECT_LE(s->GetSpeed(), 5 + 1e-9);
}

TEST(Sprite, HeadingFollowsSlowVelocityAndStaysAtRest) {
    Sprite s;
    s.Mass = 1;
    s.Velocity.Set(0, -0.5);
    s.Update(1 / 60.0);
    ExpectVec(s.Heading, 0, -0.5);  // shorter than unit length at low speed
    ExpectVec(s.Side, -0.5, 0);
    s.Velocity.Set(0, 0);
    s.Update(1 / 60.0);
    ExpectVec(s.Heading, 0, -0.5);  // a sprite at rest keeps its last heading
}

TEST(Sprite, AnimationStepsOnceEveryFrameDelayOfClockTime) {
    test_support::HeadlessEngine engine;
    ASSERT_TRUE(engine.ok());
    clock_set_fixed_step(0.01);  // 10 ms per frame
    Sprite s;
    s.Mass = 1;
    s.Image = img_create(4, 4, 5, 0);
    s.SetFrameDelay(-0.05);  // the absolute value is kept
    EXPECT_EQ(s.GetFrameDelay(), 0.05);
    s.Update(0.01);  // the first step starts the timer
    const int first = s.Frame;
    int changes = 0;
    for (int i = 0; i < 100; ++i) {
        clock_advance_frame();
        const int before = s.Frame;
        s.Update(0.01);
        if (s.Frame != before) ++changes;
    }
    // One second of 10 ms steps with a 50 ms delay: 20 frame changes, and
    // the frame number wraps around the image's five frames.
    EXPECT_EQ(changes, 20);
    EXPECT_EQ(s.Frame, (first + 20) % 5);
    s.SetFrameDelay(0);
    const int still = s.Frame;
    clock_advance_frame();
    s.Update(0.01);
    EXPECT_EQ(s.Frame, still);
    s.PrevFrame();
    EXPECT_EQ(s.Frame, (still + 4) % 5);
    clock_set_fixed_step(0);
}

TEST(Sprite, TurnsTowardATargetByAtMostItsTurnRate) {
    Sprite s;
    s.SetPos(0, 0);
    s.SetRotation(0);
    s.Velocity.Set(2, 0);
    s.MaxTurnRate = 30;
    // The target straight down the screen (clockwise): three turns of 30.
    EXPECT_FALSE(s.RotateHeadingToFacePosition(Vector2D(0, 50)));
    EXPECT_NEAR(s.GetRotation(), 330, 1e-9);
    ExpectVec(s.Velocity, 2 * std::cos(std::numbers::pi / 6), 1.0);  // turned with the heading
    EXPECT_FALSE(s.RotateHeadingToFacePosition(Vector2D(0, 50)));
    EXPECT_FALSE(s.RotateHeadingToFacePosition(Vector2D(0, 50)));
    EXPECT_NEAR(s.GetRotation(), 270, 1e-9);
    EXPECT_TRUE(s.RotateHeadingToFacePosition(Vector2D(0, 50)));
    // Anticlockwise the other way.
    EXPECT_FALSE(s.RotateHeadingToFacePosition(Vector2D(50, 0)));
    EXPECT_NEAR(s.GetRotation(), 300, 1e-9);
}

TEST(Sprite, OverlapsSpeedLimitsAndPolarHelpers) {
    Sprite a, b;
    a.SetBoundingRadius(10);
    b.SetBoundingRadius(5);
    b.SetPos(15, 0);
    EXPECT_TRUE(a.Overlaps(b));  // exactly touching counts
    b.SetPos(15.01, 0);
    EXPECT_FALSE(a.Overlaps(b));
    EXPECT_FALSE(a.Overlaps(a)) << "never with itself";
    a.MaxSpeed = 5;
    a.Velocity.Set(3, 0);
    EXPECT_FALSE(a.IsSpeedMaxedOut());
    a.Velocity.Set(6, 8);
    a.Velocity.Truncate(5);
    EXPECT_TRUE(a.IsSpeedMaxedOut());
    a.Velocity.Set(0, 0);
    a.AddVelocityPolar(2, 90);
    ExpectVec(a.Velocity, 0, -2);
    a.SetDirection(90);  // velocity angle -90: down the screen
    ExpectVec(a.Velocity, 0, 2);
    EXPECT_NEAR(a.GetDirection(), 90, 1e-9);
    a.SetSpeed(4);
    ExpectVec(a.Velocity, 0, 4);
    a.MoveByVelocity();
    ExpectVec(a.Pos, 0, 4);
}

TEST(Sprite, WrapsAroundTheWorldShiftedByTheViewOffset) {
    auto world = GameWorld::Create(100, 80);
    SpriteRef s = MakeSprite(world);
    s->SetWrap(1);
    s->SetOffset(10, 0);
    s->SetPos(95, 40);
    s->Velocity.Set(3, 0);
    s->Update(0);
    EXPECT_EQ(s->Pos.x, -10);  // 98 is past 100 - 10
    s->SetWrap(0);
    s->SetPos(95, 40);
    s->Update(0);
    EXPECT_EQ(s->Pos.x, 98);
}

TEST(Sprite, SmoothingAveragesTheLastTenHeadings) {
    Sprite s;
    s.Mass = 1;
    s.HeadingSmoother = Vector2DSmoother::Create(10);
    s.SmoothingOn();
    s.Velocity.Set(2, 0);
    s.Update(0);
    ExpectVec(s.GetSmoothedHeading(), 0.1, 0);  // one heading among nine zeros
    for (int i = 0; i < 9; ++i) s.Update(0);
    ExpectVec(s.GetSmoothedHeading(), 1, 0);
    s.ToggleSmoothing();
    EXPECT_FALSE(s.IsSmoothingOn());
}

TEST(Sprite, ReleaseDropsReferencesAndLeavesASafeSprite) {
    auto world = GameWorld::Create(800, 600);
    SpriteRef s = MakeSprite(world);
    auto target = std::make_shared<Sprite>();
    s->GetSteering()->SeekOn(target);
    const std::weak_ptr<Sprite> weak_target = target;
    target.reset();
    EXPECT_FALSE(weak_target.expired()) << "the steering holds its target";
    s->Release();
    EXPECT_TRUE(weak_target.expired());
    EXPECT_FALSE(s->GetSteering());
    EXPECT_FALSE(s->GetWorld());
    s->Velocity.Set(1, 0);
    s->Update(1 / 60.0);  // no steering: no force, still moves
    ExpectVec(s->Pos, 101, 100);
}

TEST(SpriteDrawing, ImageAtPositionMinusOffsetAndTriangleWithoutImage) {
    test_support::VideoEngine engine(200, 200);
    ASSERT_TRUE(engine.ok());
    // A 10 x 10 image: left half red, right half green, drawn with the
    // negated heading angle.
    std::vector<std::uint32_t> pixels(100);
    for (int y = 0; y < 10; ++y) {
        for (int x = 0; x < 10; ++x) pixels[y * 10 + x] = x < 5 ? 0xFFFF0000u : 0xFF00FF00u;
    }
    Sprite s;
    s.SetImage(img_from_pixels(10, 10, pixels.data(), 0));
    s.SetPos(60, 60);
    s.SetOffset(10, 10);
    s.SetRotation(90);  // heading up: the image's right side (green) turns to the top
    s.SetScale(2, 2);
    gfx_cls();
    s.Render();
    using test_support::G;
    using test_support::R;
    EXPECT_GT(G(PixelAt(50, 42)), 200) << "green above the centre at (50, 50)";
    EXPECT_GT(R(PixelAt(50, 58)), 200) << "red below";
    EXPECT_EQ(PixelAt(80, 80) & 0xFFFFFF, 0u);

    Sprite plain;
    plain.InitShape();
    plain.SetPos(150, 150);
    plain.SetRotation(0);
    plain.SetScale(3, 3);
    gfx_cls();
    plain.Render();
    // The outline's tip at (150 + 30, 150) and its back edge at x = 120.
    EXPECT_GT(R(PixelAt(179, 150)), 200);
    EXPECT_GT(std::max(R(PixelAt(119, 150)), R(PixelAt(120, 150))), 200);
    EXPECT_EQ(PixelAt(150, 150) & 0xFFFFFF, 0u) << "an outline, not filled";
}

}  // namespace
