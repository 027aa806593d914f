// steering_world
// The cost of one steering-world step with 100 wandering, wall-avoiding
// cars (the game's vehicle numbers, bounding radius 64) among 200 walls:
// the four border walls of a 4096 x 4096 arena and 49 solid boxes. Measured
// with the wall cull (as the game runs) and without it. Nothing is drawn.
// Prints `name: value` lines.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "engine/random.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kSize = 4096;
constexpr int kSprites = 100;
constexpr int kWarmUp = 300;
constexpr int kSteps = 3000;

struct Model {
    double mass, force, speed, turn;
};
constexpr Model kModels[] = {{1.00, 2.5, 3.0, 1.0},
                             {0.75, 2.4, 3.5, 1.5},
                             {0.50, 3.8, 4.0, 1.8},
                             {0.65, 2.9, 5.0, 1.2},
                             {0.65, 2.1, 2.5, 0.9}};

void AddWall(GameWorld& world, double x1, double y1, double x2, double y2, const Vector2D* normal) {
    auto wall = Wall::Create(x1, y1, x2, y2);
    if (normal) wall->SetNormal(*normal);
    world.AddWall(wall);
}

// The arena border and a 7 x 7 grid of 192 x 192 boxes, walled as the
// arena loader walls them.
std::shared_ptr<GameWorld> MakeWorld() {
    auto world = GameWorld::Create(kSize, kSize);
    const Vector2D right = Vector2D::Polar(3, 0), up = Vector2D::Polar(3, 90);
    const Vector2D left = Vector2D::Polar(3, 180), down = Vector2D::Polar(3, 270);
    AddWall(*world, 10, 10, kSize, 10, nullptr);
    AddWall(*world, 10, 10, 10, kSize, &right);
    AddWall(*world, kSize - 10, 10, kSize - 10, kSize - 10, nullptr);
    AddWall(*world, 10, kSize - 20, kSize, kSize - 20, &up);
    for (int row = 0; row < 7; ++row) {
        for (int col = 0; col < 7; ++col) {
            const double x1 = 320 + col * 512, y1 = 320 + row * 512;
            const double x2 = x1 + 192, y2 = y1 + 192;
            AddWall(*world, x1, y1, x2, y1, &up);
            AddWall(*world, x1, y2, x2, y2, &down);
            AddWall(*world, x1, y1, x1, y2, &left);
            AddWall(*world, x2, y1, x2, y2, &right);
        }
    }
    for (int i = 0; i < kSprites; ++i) {
        const Model& m = kModels[i % 5];
        SpriteRef s = Sprite::Create(nullptr, world, Vector2D(0, 0), 0, Vector2D(0, 0), m.mass,
                                     m.force, m.speed, m.turn, 0.5);
        s->SetBoundingRadius(64);
        // In the lanes between the boxes.
        s->SetPos(160 + 512 * rnd_int(0, 7), rnd_float(200, kSize - 200));
        s->SetRotation(rnd_float(0, 360));
        s->GetSteering()->WallAvoidanceOn();
        s->GetSteering()->WanderOn();
        world->AddAgent(s);
    }
    return world;
}

// Microseconds per world update, the best of three runs.
double MeasureUpdate(bool cull) {
    double best = 1e30;
    for (int run = 0; run < 3; ++run) {
        rnd_seed(1234);
        auto world = MakeWorld();
        for (const SpriteRef& s : world->Agents()) s->GetSteering()->CullWalls = cull;
        for (int i = 0; i < kWarmUp; ++i) world->Update(1 / 60.0);
        const auto start = Clock::now();
        for (int i = 0; i < kSteps; ++i) world->Update(1 / 60.0);
        const double us =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count() / kSteps;
        best = std::min(best, us);
    }
    return best;
}

}  // namespace

int main() {
    const double culled = MeasureUpdate(true);
    const double all = MeasureUpdate(false);
    std::printf("sprites: %d\n", kSprites);
    std::printf("walls: %zu\n", MakeWorld()->Walls().size());
    std::printf("world_update_us: %.1f\n", culled);
    std::printf("world_update_no_cull_us: %.1f\n", all);
    std::printf("cull_speedup: %.2f\n", all / culled);
    return 0;
}
