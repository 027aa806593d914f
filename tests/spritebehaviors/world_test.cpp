#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <utility>

#include "engine/clock.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "spritebehaviors/delta.h"
#include "spritebehaviors/path.h"
#include "spritebehaviors/smoother.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"
#include "tests/spritebehaviors/expect_vec.h"
#include "tests/support/test_support.h"

namespace {

using test_support::B;
using test_support::PixelAt;
using test_support::R;

// Any lit pixel in the rectangle.
bool AnyLit(int x0, int y0, int w, int h) {
    for (const std::uint32_t p : gfx_read_pixels(x0, y0, w, h)) {
        if (p & 0xFFFFFF) return true;
    }
    return false;
}

// The brightest red and blue in the rectangle (a one-pixel line may fall on
// either side of a pixel boundary).
std::pair<int, int> MaxRedBlue(int x0, int y0, int w, int h) {
    int red = 0, blue = 0;
    for (const std::uint32_t p : gfx_read_pixels(x0, y0, w, h)) {
        red = std::max(red, R(p));
        blue = std::max(blue, B(p));
    }
    return {red, blue};
}

TEST(GameWorld, FrameRateIsTheInverseOfTheSmoothedFrameTime) {
    GameWorld world(100, 100);
    EXPECT_EQ(world.DisplayedFrameRate(), 0);
    world.Update(0.1);
    EXPECT_EQ(world.DisplayedFrameRate(), 100) << "nine zeros in the average";
    for (int i = 0; i < 4; ++i) world.Update(0.1);
    EXPECT_EQ(world.DisplayedFrameRate(), 20);
    for (int i = 0; i < 5; ++i) world.Update(0.1);
    EXPECT_EQ(world.DisplayedFrameRate(), 10);
    // Frames faster than the millisecond clock measure 0: the display shows
    // 0 instead of the integer of infinity.
    for (int i = 0; i < 10; ++i) world.Update(0);
    EXPECT_EQ(world.AvFrameTime(), 0);
    EXPECT_EQ(world.DisplayedFrameRate(), 0);
    for (int i = 0; i < 10; ++i) world.Update(1e-300);
    EXPECT_EQ(world.DisplayedFrameRate(), INT_MAX);
}

TEST(GameWorld, PausedWorldDrawsButDoesNotMove) {
    test_support::VideoEngine engine(200, 200);
    ASSERT_TRUE(engine.ok());
    auto world = GameWorld::Create(200, 200);
    auto sprite = std::make_shared<Sprite>();
    sprite->Mass = 1;
    sprite->InitShape();
    sprite->SetRotation(0);
    sprite->SetScale(2, 2);
    sprite->SetPos(100, 100);
    sprite->Velocity.Set(1, 0);
    world->AddAgent(sprite);
    EXPECT_EQ(sprite->GetWorld(), world) << "a sprite without a world joins this one";
    world->TogglePause();
    EXPECT_TRUE(world->IsPaused());
    world->Update(1 / 60.0);
    ExpectVec(sprite->Pos, 100, 100);
    EXPECT_EQ(world->AvFrameTime(), 0) << "nothing at all happens while paused";
    gfx_cls();
    world->Render();
    EXPECT_TRUE(AnyLit(75, 85, 50, 30));
    world->TogglePause();
    world->Update(1 / 60.0);
    ExpectVec(sprite->Pos, 101, 100);
}

TEST(GameWorld, DrawsWallsNormalsAndTheFrameRateWhenAsked) {
    test_support::VideoEngine engine(200, 200);
    ASSERT_TRUE(engine.ok());
    auto world = GameWorld::Create(200, 200);
    auto wall = Wall::Create(20, 150, 180, 150);  // normal (0, 1), drawn 10 long
    wall->SetOffset(0, -50);                      // added to both ends
    world->AddWall(wall);
    gfx_cls();
    world->Render();
    EXPECT_GT(MaxRedBlue(60, 99, 1, 2).first, 200) << "walls show by default";
    EXPECT_EQ(PixelAt(60, 150) & 0xFFFFFF, 0u);
    EXPECT_FALSE(AnyLit(99, 103, 3, 6)) << "no normal yet";

    world->ToggleShowWallNormals();
    gfx_cls();
    world->Render();
    const auto [red, blue] = MaxRedBlue(99, 105, 2, 1);
    EXPECT_GT(blue, 200);
    EXPECT_LT(red, 50) << "the normal is blue";

    world->ToggleShowWalls();  // as the arena loader does
    world->ToggleShowFPS();
    for (int i = 0; i < 10; ++i) world->Update(0);
    gfx_cls();
    world->Render();
    EXPECT_FALSE(AnyLit(0, 60, 200, 140)) << "walls hidden";
    EXPECT_TRUE(AnyLit(10, 10, 10, 16)) << "the frame rate 0 printed at (10, 10)";
}

TEST(GameWorld, TagsNeighboursAndPushesOverlappingSprites) {
    auto world = GameWorld::Create(500, 500);
    std::vector<SpriteRef> s;
    for (const double x : {0.0, 40.0, 70.0, 200.0}) {
        auto sprite = std::make_shared<Sprite>();
        sprite->SetPos(x, 0);
        sprite->SetBoundingRadius(10);
        world->AddAgent(sprite);
        s.push_back(sprite);
    }
    s[0]->Tag();
    world->TagNeighbours(*s[0], 65);
    EXPECT_FALSE(s[0]->IsTagged()) << "never itself";
    EXPECT_TRUE(s[1]->IsTagged());
    EXPECT_TRUE(s[2]->IsTagged()) << "70 minus its radius 10 is within 65";
    EXPECT_FALSE(s[3]->IsTagged());

    s[1]->SetPos(15, 0);  // overlaps s[0] by 5
    world->ToggleNonPenetrationSprites();
    world->EnforceNonPenetration(*s[0]);
    ExpectVec(s[0]->Pos, -5, 0);
}

TEST(GameWorld, DestroyingTheWorldBreaksSeekCycles) {
    std::weak_ptr<Sprite> a_alive, b_alive;
    {
        auto world = GameWorld::Create(500, 500);
        SpriteRef a = Sprite::Create(nullptr, world, Vector2D(), 0, Vector2D(), 1, 1, 1, 1, 1);
        SpriteRef b = Sprite::Create(nullptr, world, Vector2D(), 0, Vector2D(), 1, 1, 1, 1, 1);
        a->GetSteering()->SeekOn(b);
        b->GetSteering()->SeekOn(a);
        world->AddAgent(a);
        world->AddAgent(b);
        a_alive = a;
        b_alive = b;
    }
    EXPECT_TRUE(a_alive.expired());
    EXPECT_TRUE(b_alive.expired());

    auto world = GameWorld::Create(500, 500);
    SpriteRef c = Sprite::Create(nullptr, world, Vector2D(), 0, Vector2D(), 1, 1, 1, 1, 1);
    world->AddAgent(c);
    world->RemoveAgent(c);
    EXPECT_TRUE(world->Agents().empty());
    world->AddAgent(c);
    world->ClearAgents();
    EXPECT_TRUE(world->Agents().empty());
    EXPECT_FALSE(c->GetSteering()) << "cleared agents are released";
}

TEST(Smoothers, AverageOverAllSlotsCountingUnwrittenOnesAsZero) {
    DoubleSmoother d(4);
    EXPECT_EQ(d.Update(8), 2);
    EXPECT_EQ(d.Update(8), 4);
    EXPECT_EQ(d.Update(8), 6);
    EXPECT_EQ(d.Update(8), 8);
    EXPECT_EQ(d.Update(0), 6) << "the oldest slot is overwritten";
    Vector2DSmoother v(2);
    ExpectVec(v.Update(Vector2D(2, 4)), 1, 2);
    ExpectVec(v.Update(Vector2D(4, 0)), 3, 2);
    EXPECT_EQ(DoubleSmoother(0).Size(), 1);
}

TEST(Paths, WalkOnceLoopAndPingPong) {
    Path p;
    p.SetNextWaypoint();
    EXPECT_FALSE(p.CurrentWaypoint().has_value()) << "an empty path has no waypoint";
    p.Set({Vector2D(0, 0), Vector2D(1, 0), Vector2D(2, 0)});
    std::vector<int> seen;
    for (int i = 0; i < 5; ++i) {
        p.SetNextWaypoint();
        seen.push_back(p.Index);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 2, 2}));
    EXPECT_TRUE(p.Finished());
    ExpectVec(*p.CurrentWaypoint(), 2, 0);

    p.Set(p.GetPath());
    p.LoopOn();
    seen.clear();
    for (int i = 0; i < 5; ++i) {
        p.SetNextWaypoint();
        seen.push_back(p.Index);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1}));
    EXPECT_FALSE(p.Finished());

    p.LoopOff();
    p.PingPongOn();
    p.Set(p.GetPath());
    seen.clear();
    for (int i = 0; i < 7; ++i) {
        p.SetNextWaypoint();
        seen.push_back(p.Index);
    }
    // Turning at the far end skips a repeat of the last waypoint; turning at
    // the start takes the first one twice.
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 1, 0, 0, 1}));

    p.CreateRandomPath(6, 10, 20, 30, 40);
    ASSERT_EQ(p.GetPath().size(), 6u);
    for (const Vector2D& w : p.GetPath()) {
        EXPECT_TRUE(w.x >= 10 && w.x < 30 && w.y >= 20 && w.y < 40);
    }
}

TEST(Paths, FollowingAPathVisitsEveryWaypoint) {
    auto world = GameWorld::Create(1000, 1000);
    SpriteRef s =
        Sprite::Create(nullptr, world, Vector2D(100, 100), 0, Vector2D(), 1, 200, 4, 360, 1);
    world->AddAgent(s);
    auto path = std::make_shared<Path>();
    path->Set({Vector2D(300, 100), Vector2D(300, 300), Vector2D(100, 300)});
    s->GetSteering()->Path = path;
    s->GetSteering()->FollowPathOn();
    s->GetSteering()->WeightFollowPath = 1;
    for (int i = 0; i < 1200 && !path->Finished(); ++i) world->Update(1 / 60.0);
    EXPECT_TRUE(path->Finished());
    for (int i = 0; i < 600; ++i) world->Update(1 / 60.0);
    EXPECT_LT(Vec2DDistance(s->Pos, Vector2D(100, 300)), 10) << "arrives at the last";
}

TEST(Delta, FrameTimeIsTheClockStepInSinglePrecisionSeconds) {
    test_support::HeadlessEngine engine;
    ASSERT_TRUE(engine.ok());
    clock_set_fixed_step(0.016);
    Delta::Reset();
    EXPECT_EQ(Delta::Get(), 0);
    Delta::Start();
    clock_advance_frame();
    Delta::Update();
    EXPECT_EQ(Delta::Get(), 16 * static_cast<double>(0.001f));
    EXPECT_NE(Delta::Get(), 0.016);
    Delta::Update();  // no time passed since the last reading
    EXPECT_EQ(Delta::Get(), 0);
    clock_set_fixed_step(0);
    Delta::Reset();
}

}  // namespace
