#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/random.h"
#include "spritebehaviors/geometry.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"
#include "tests/spritebehaviors/box_world.h"
#include "tests/spritebehaviors/expect_vec.h"

namespace {

struct Fixture {
    GameWorldRef world = GameWorld::Create(2000, 2000);
    SpriteRef sprite;
    SteeringBehavior* steering = nullptr;

    explicit Fixture(double maxForce = 10, double maxSpeed = 10, double radius = 1) {
        sprite = Sprite::Create(nullptr, world, Vector2D(0, 0), 0, Vector2D(0, 0), 1, maxForce,
                                maxSpeed, 360, 1);
        sprite->SetBoundingRadius(radius);
        world->AddAgent(sprite);
        steering = sprite->GetSteering().get();
    }
};

SpriteRef SpriteAt(double x, double y) {
    auto s = std::make_shared<Sprite>();
    s->SetPos(x, y);
    return s;
}

TEST(SteeringSwitches, BitsTargetsAndOffWhenAlreadyOff) {
    Fixture f;
    EXPECT_FALSE(f.steering->On(0x30));
    f.steering->WanderOn();
    EXPECT_FALSE(f.steering->On(0x30)) << "wander alone";
    f.steering->CohesionOn();
    EXPECT_TRUE(f.steering->On(0x30));
    f.steering->FlockingOff();
    EXPECT_EQ(f.steering->Flags, 0);
    f.steering->WanderOff();  // already off: nothing changes
    EXPECT_EQ(f.steering->Flags, 0);

    // SeekOff clears the target only when seek was on.
    auto target = SpriteAt(5, 5);
    f.steering->SeekTarget = target;
    f.steering->SeekOff();
    EXPECT_EQ(f.steering->SeekTarget, target);
    f.steering->SeekOn(target);
    EXPECT_TRUE(f.steering->isSeekOn());
    f.steering->SeekOff();
    EXPECT_FALSE(f.steering->SeekTarget);
    EXPECT_FALSE(f.steering->isSeekOn());

    f.steering->FlockingOn();
    EXPECT_EQ(f.steering->Flags, kCohesion | kAlignment | kSeparation | kWander);
    f.steering->OffsetPursuitOn(target, Vector2D(-20, 0));
    EXPECT_TRUE(f.steering->isOffsetPursuitOn());
    ExpectVec(f.steering->Offset, -20, 0);
}

TEST(SteeringCombination, AccumulateForceFillsUpToMaxForce) {
    Fixture f(/*maxForce=*/10);
    Vector2D total(6, 0);
    EXPECT_TRUE(f.steering->AccumulateForce(total, Vector2D(0, 8)));
    ExpectVec(total, 6, 4);  // only the 4 left under MaxForce
    total.Set(6, 0);
    EXPECT_TRUE(f.steering->AccumulateForce(total, Vector2D(0, 3)));
    ExpectVec(total, 6, 3);  // fits whole
    total.Set(10, 0);
    EXPECT_FALSE(f.steering->AccumulateForce(total, Vector2D(0, 1)));
    ExpectVec(total, 10, 0);
}

TEST(SteeringCombination, SeekComesBeforeWanderUnderThePrioritisedMethod) {
    rnd_seed(7);
    // MaxForce 5: seek from rest wants (10, 0) and takes all of it.
    Fixture tight(/*maxForce=*/5);
    tight.steering->SeekOn(SpriteAt(500, 0));
    tight.steering->WanderOn();
    tight.sprite->TimeElapsed = 1 / 60.0;
    ExpectVec(tight.steering->Calculate(), 5, 0);

    // MaxForce 20: seek fits whole and wander adds a little (at most 3.2).
    Fixture roomy(/*maxForce=*/20);
    roomy.sprite->SetRotation(0);
    roomy.steering->SeekOn(SpriteAt(500, 0));
    roomy.steering->WanderOn();
    roomy.sprite->TimeElapsed = 1 / 60.0;
    const Vector2D force = roomy.steering->Calculate();
    const double wander = Vec2DDistance(force, Vector2D(10, 0));
    EXPECT_GT(wander, 0.5);
    EXPECT_LE(wander, 3.21);

    // The weighted sum adds both and then truncates.
    roomy.steering->SetSummingMethod(kWeightedSum);
    roomy.steering->WeightSeek = 3;
    EXPECT_NEAR(roomy.steering->Calculate().Length(), 20, 1e-9);
    roomy.steering->SetSummingMethod(9);
    ExpectVec(roomy.steering->Calculate(), 0, 0);  // an unknown method gives no force
}

TEST(SteeringCombination, DitheredEvaluatesWithItsProbabilityAndScalesUp) {
    rnd_seed(11);
    Fixture f(/*maxForce=*/100);
    f.steering->SetSummingMethod(kDithered);
    f.steering->SeekOn(SpriteAt(300, 400));  // seek wants (6, 8), chance 0.8
    int hits = 0;
    for (int i = 0; i < 2000; ++i) {
        const Vector2D force = f.steering->Calculate();
        if (force.LengthSq() == 0) continue;
        ++hits;
        ExpectVec(force, 6 / static_cast<double>(0.8f), 8 / static_cast<double>(0.8f));
    }
    EXPECT_NEAR(hits / 2000.0, 0.8, 0.04);
}

TEST(SteeringBehaviours, SeekFleeArriveAndWanderShapes) {
    rnd_seed(3);
    Fixture f(/*maxForce=*/10, /*maxSpeed=*/4);
    f.sprite->SetPos(100, 100);
    f.sprite->Velocity.Set(1, 0);
    ExpectVec(f.steering->Seek(Vector2D(100, 200)), -1, 4);
    ExpectVec(f.steering->Seek(Vector2D(100, 100)), 0, 0);  // already there
    ExpectVec(f.steering->Flee(Vector2D(100, 200)), -1, -4);
    ExpectVec(f.steering->Arrive(Vector2D(100, 100), 100), 0, 0);
    // Arrive slows down close in: 15 pixels away at deceleration 100 the
    // wanted speed is 15 / 30.
    f.sprite->Velocity.Set(0, 0);
    ExpectVec(f.steering->Arrive(Vector2D(115, 100), 100), 15 / (100 * 0.3f), 0, 1e-6);
    ExpectVec(f.steering->Arrive(Vector2D(1100, 100), 100), 4, 0);  // capped at MaxSpeed
    ExpectVec(f.steering->Evade(nullptr), 0, 0);

    // Wander stays on a circle of 1.2 two pixels ahead: at most 3.2 long
    // and always forward of the heading.
    f.sprite->SetRotation(90);
    f.sprite->TimeElapsed = 1 / 60.0;
    for (int i = 0; i < 500; ++i) {
        const Vector2D w = f.steering->Wander();
        EXPECT_LE(w.Length(), 3.2 + 1e-9);
        EXPECT_GE(w.Dot(f.sprite->Heading), 0.8 - 1e-6);
        EXPECT_NEAR(f.steering->WanderTarget.Length(), 1.2, 1e-6);
    }
}

TEST(WallAvoidance, FeelersGrowWithSpeedFromTheFrontEdge) {
    Fixture f(10, 10, /*radius=*/64);
    f.sprite->SetPos(100, 100);
    f.sprite->SetRotation(0);
    f.sprite->Velocity.Set(2, 0);
    f.steering->CreateFeelers();
    ExpectVec(f.steering->FeelerOrigin, 164, 100);
    ASSERT_EQ(f.steering->Feelers.size(), 3u);
    const double side = 80 / 1.5 * std::sqrt(0.5);  // length 40 x speed 2, at 45 degrees
    ExpectVec(f.steering->Feelers[0], 244, 100);
    ExpectVec(f.steering->Feelers[1], 164 + side, 100 + side);
    ExpectVec(f.steering->Feelers[2], 164 + side, 100 - side);
    f.sprite->Velocity.Set(0.5, 0);
    f.steering->CreateFeelers();
    ExpectVec(f.steering->Feelers[0], 204, 100);  // at least 40
    f.sprite->Velocity.Set(9, 0);
    f.steering->CreateFeelers();
    ExpectVec(f.steering->Feelers[0], 324, 100);  // at most 160
}

TEST(WallAvoidance, NoWallInReachGivesNoForce) {
    Fixture f(10, 10, 64);
    AddBorderWalls(*f.world, 2000, 2000);
    f.steering->WallAvoidanceOn();
    f.sprite->SetPos(1000, 1000);
    f.sprite->SetRotation(0);
    f.sprite->Velocity.Set(3, 0);
    f.sprite->Update(1 / 60.0);
    ExpectVec(f.sprite->LastSteeringForce, 0, 0);
    ExpectVec(f.sprite->Velocity, 3, 0);
}

TEST(WallAvoidance, WallNormalsOfTheArenaBorderPointInwards) {
    auto world = GameWorld::Create(2000, 1000);
    AddBorderWalls(*world, 2000, 1000);
    const auto& walls = world->Walls();
    ASSERT_EQ(walls.size(), 4u);
    ExpectVec(walls[0]->Normal(), 0, 1);   // top: unit, down the screen
    ExpectVec(walls[1]->Normal(), 3, 0);   // left: length 3, to the right
    ExpectVec(walls[2]->Normal(), -1, 0);  // right: unit, to the left
    ExpectVec(walls[3]->Normal(), 0, -3);  // bottom: length 3, up
    ExpectVec(walls[1]->Centre(), 10, 505);
    // Each wall turns back a car heading straight at it.
    const struct {
        double x, y, rotation, fx, fy;
    } cases[] = {{1000, 100, 90, 0, 1},
                 {100, 500, 180, 1, 0},
                 {1900, 500, 0, -1, 0},
                 {1000, 900, 270, 0, -1}};
    for (const auto& c : cases) {
        SpriteRef s = MakeCarSprite(world, kVehicleModels[3], c.x, c.y, c.rotation);
        s->Velocity = s->Heading * 5;
        Vector2D dir = s->GetSteering()->WallAvoidance(walls);
        ASSERT_TRUE(dir.Normalize()) << c.x << "," << c.y;
        ExpectVec(dir, c.fx, c.fy);
    }
}

// A sprite at the origin heading right at speed 4 (feelers 160 long from
// its front edge at x = 10) meets two vertical walls, at x = 100 and 150.
struct TwoWalls {
    Fixture f{10, 10, 10};
    std::shared_ptr<Wall> near_wall = Wall::Create(100, -20, 100, 20);
    std::shared_ptr<Wall> far_wall = Wall::Create(150, -20, 150, 20);

    TwoWalls() {
        near_wall->SetNormal(Vector2D(-3, 0));
        far_wall->SetNormal(Vector2D(0, 1));
        f.sprite->SetRotation(0);
        f.sprite->Velocity.Set(4, 0);
    }
    // Only the front feeler reaches the walls, but the push is recomputed
    // for every later feeler, so the result is measured from the last one.
    double LastFeelerTo(double x) const { return Vec2DDistance(f.steering->Feelers[2], {x, 0}); }
};

TEST(WallAvoidance, TheNearerOfTwoCrossedWallsPushes) {
    TwoWalls t;
    t.f.world->AddWall(t.far_wall);
    t.f.world->AddWall(t.near_wall);
    const Vector2D force = t.f.steering->WallAvoidance(t.f.world->Walls());
    ExpectVec(force, -3 * t.LastFeelerTo(100), 0);
}

TEST(WallAvoidance, ALaterFartherCrossingDoesNotMoveTheClosestPoint) {
    TwoWalls t;
    t.f.world->AddWall(t.near_wall);
    t.f.world->AddWall(t.far_wall);  // found after the nearer one
    const Vector2D force = t.f.steering->WallAvoidance(t.f.world->Walls());
    // Measured to the crossing at x = 100, not to the later one at 150.
    ExpectVec(force, -3 * t.LastFeelerTo(100), 0);
    EXPECT_GT(std::fabs(t.LastFeelerTo(150) - t.LastFeelerTo(100)), 10);
}

TEST(WallAvoidance, ASpriteTouchingAWallIsPushedEvenWithoutACrossing) {
    Fixture f(10, 10, /*radius=*/64);
    auto wall = Wall::Create(0, -100, 0, 100);  // normal (-1, 0)
    wall->SetNormal(Vector2D(3, 0));
    f.world->AddWall(wall);
    // Past the wall heading away from it: no feeler crosses, the circle does.
    f.sprite->SetPos(30, 0);
    f.sprite->SetRotation(0);
    f.sprite->Velocity.Set(1, 0);
    const Vector2D force = f.steering->WallAvoidance(f.world->Walls());
    EXPECT_GT(force.x, 0);
    EXPECT_EQ(force.y, 0);
}

TEST(WallAvoidance, InACornerTheNearerWallAheadWinsOverATouchedOne) {
    auto world = GameWorld::Create(2000, 2000);
    AddBorderWalls(*world, 2000, 2000);
    // 40 pixels below the top wall heading up, 40 pixels from the right wall,
    // which the car's 64-pixel circle touches 64 pixels from its centre.
    SpriteRef car = MakeCarSprite(world, kVehicleModels[0], 1950, 50, 90);
    car->Velocity = car->Heading * 3;
    Vector2D dir = car->GetSteering()->WallAvoidance(world->Walls());
    ASSERT_TRUE(dir.Normalize());
    ExpectVec(dir, 0, 1);  // pushed down, away from the wall it is about to cross
    // Farther from the top wall the touched right wall is the nearer one.
    car->SetPos(1950, 150);
    dir = car->GetSteering()->WallAvoidance(world->Walls());
    ASSERT_TRUE(dir.Normalize());
    ExpectVec(dir, -1, 0);
}

TEST(WallAvoidance, CullingOutOfReachWallsGivesTheSameForces) {
    rnd_seed(2024);
    Fixture f(10, 10, 64);
    GameWorld& world = *f.world;
    AddBorderWalls(world, 3000, 3000);
    for (int i = 0; i < 60; ++i) {
        const double x = rnd_float(0, 2800), y = rnd_float(0, 2800);
        AddBoxWalls(world, x, y, x + rnd_float(32, 300), y + rnd_float(32, 300));
    }
    int pushed = 0;
    for (int i = 0; i < 3000; ++i) {
        f.sprite->SetPos(rnd_float(0, 3000), rnd_float(0, 3000));
        f.sprite->SetRotation(rnd_float(0, 360));
        f.sprite->Velocity = f.sprite->Heading * rnd_float(0, 5);
        f.steering->CullWalls = false;
        const Vector2D all = f.steering->WallAvoidance(world.Walls());
        f.steering->CullWalls = true;
        const Vector2D culled = f.steering->WallAvoidance(world.Walls());
        ASSERT_EQ(all.x, culled.x) << i;
        ASSERT_EQ(all.y, culled.y) << i;
        if (all.LengthSq() > 0) ++pushed;
    }
    EXPECT_GT(pushed, 300) << "the cases must include many pushes";
}

TEST(SteeringScenario, EveryModelReachesASoughtPointWithinTenSeconds) {
    for (const VehicleNumbers& m : kVehicleModels) {
        auto world = GameWorld::Create(2000, 2000);
        SpriteRef car = MakeCarSprite(world, m, 300, 300, 0);
        world->AddAgent(car);
        SpriteRef goal = SpriteAt(900, 800);
        car->GetSteering()->SeekOn(goal);
        double closest = 1e9;
        for (int step = 0; step < 600; ++step) {
            world->Update(1 / 60.0);
            closest = std::min(closest, Vec2DDistance(car->Pos, goal->Pos));
        }
        EXPECT_LE(closest, 2 * 64) << m.name;
    }
}

TEST(SteeringScenario, WanderingCarsStayInsideAWalledBox) {
    rnd_seed(12345);
    constexpr int kSize = 2000, kSprites = 50, kSteps = 20000;
    auto world = GameWorld::Create(kSize, kSize);
    AddBorderWalls(*world, kSize, kSize);
    for (int i = 0; i < kSprites; ++i) {
        const VehicleNumbers& m = kVehicleModels[static_cast<std::size_t>(i) % 5];
        SpriteRef car = MakeCarSprite(world, m, rnd_float(200, kSize - 200),
                                      rnd_float(200, kSize - 200), rnd_float(0, 360));
        car->GetSteering()->WanderOn();
        world->AddAgent(car);
    }
    long outside = 0;
    double farthest = 0;  // how far outside the box any car got
    for (int step = 0; step < kSteps; ++step) {
        world->Update(1 / 60.0);
        for (const SpriteRef& car : world->Agents()) {
            const double x = car->Pos.x, y = car->Pos.y;
            ASSERT_TRUE(std::isfinite(x) && std::isfinite(y)) << "step " << step;
            const double out = std::max({-x, -y, x - kSize, y - kSize});
            if (out > 0) {
                ++outside;
                farthest = std::max(farthest, out);
            }
        }
    }
    const double share = 100.0 * static_cast<double>(outside) / (kSprites * kSteps);
    std::printf("sprite-steps outside the box: %ld of %d (%.4f %%), farthest %.1f px\n", outside,
                kSprites * kSteps, share, farthest);
    RecordProperty("outside_percent", std::to_string(share));
    EXPECT_LE(share, 0.1);
}

}  // namespace
