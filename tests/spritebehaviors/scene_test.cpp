// A picture of the steering library at work, for people to look at:
// wandering cars among walls (drawn with their normals and the cars'
// feelers) and a particle emitter, saved as steering_scene.png in the test's
// working folder. The checks make sure the picture shows what it should.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "engine/clock.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "engine/random.h"
#include "spritebehaviors/emitter.h"
#include "tests/spritebehaviors/box_world.h"
#include "tests/support/test_support.h"

namespace {

using test_support::B;
using test_support::G;
using test_support::PixelAt;
using test_support::R;

// A 24 x 12 car seen from above, pointing right (angle 0): a grey body with a
// bright windscreen toward the front.
ImageHandle MakeCarImage() {
    std::vector<std::uint32_t> px(24 * 12, 0);
    for (int y = 1; y < 11; ++y) {
        for (int x = 0; x < 24; ++x) px[y * 24 + x] = 0xFFB0B0B0u;
        for (int x = 14; x < 18; ++x) px[y * 24 + x] = 0xFF303848u;
    }
    return img_from_pixels(24, 12, px.data(), kImageFiltered);
}

// A soft white dot for the particles.
ImageHandle MakeGlowImage() {
    constexpr int kSize = 16;
    std::vector<std::uint32_t> px(kSize * kSize);
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const double d = std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0) / 8;
            const auto a = static_cast<std::uint32_t>(255 * std::max(0.0, 1 - d));
            px[y * kSize + x] = (a << 24) | 0xFFFFFFu;
        }
    }
    return img_from_pixels(kSize, kSize, px.data(), kImageFiltered);
}

TEST(SteeringScene, WanderersWallsAndAnEmitter) {
    test_support::VideoEngine engine(1024, 768);
    ASSERT_TRUE(engine.ok());
    clock_set_fixed_step(1 / 60.0);
    rnd_seed(99);

    auto world = GameWorld::Create(1024, 768);
    AddBorderWalls(*world, 1024, 768);
    AddBoxWalls(*world, 192, 192, 384, 320);
    AddBoxWalls(*world, 640, 448, 832, 576);
    world->ToggleShowWallNormals();
    world->ToggleShowFeelers();
    world->ToggleShowFPS();

    const ImageHandle car = MakeCarImage();
    const int tints[][3] = {{255, 90, 80}, {90, 200, 255}, {120, 255, 120}, {255, 220, 90}};
    std::vector<SpriteRef> cars;
    for (int i = 0; i < 12; ++i) {
        const VehicleNumbers& m = kVehicleModels[static_cast<std::size_t>(i) % 5];
        const double x = i < 6 ? 100 + 80 * i : 500 + 60 * (i - 6);
        const double y = i < 6 ? 120 : 680;
        SpriteRef s = MakeCarSprite(world, m, x, y, rnd_float(0, 360));
        s->SetBoundingRadius(32);
        s->SetScale(2, 2);
        if (i % 2 == 0) s->SetImage(car);  // the others draw their outline
        s->SetColor(tints[i % 4][0], tints[i % 4][1], tints[i % 4][2]);
        s->GetSteering()->WanderOn();
        world->AddAgent(s);
        cars.push_back(s);
    }

    auto smoke = SpriteEmitter::Create(MakeGlowImage(), 100);
    smoke->SetEmitCount(2);
    smoke->SetStartAngle(0);
    smoke->SetEndAngle(359);
    smoke->SetEmitInterval(0.02);
    smoke->SetParticleSpeed(1.5);
    smoke->SetBlend(kBlendLight);
    smoke->SetAngleStep(23);
    smoke->SetScale(1.5, 1.5);
    smoke->SetFadeStep(0.02);
    smoke->SetColor(255, 160, 60);
    smoke->SetPos(512, 384);

    for (int step = 0; step < 900; ++step) {
        clock_advance_frame();
        world->Update(1 / 60.0);
        smoke->SetOffset(0, 0);
        smoke->Update(1 / 60.0);
    }
    gfx_set_cls_color(24, 28, 34);
    gfx_cls();
    world->Render();
    smoke->Render();
    ASSERT_EQ(gfx_save_png("steering_scene.png"), 1);
    std::printf("saved steering_scene.png\n");

    for (const SpriteRef& s : cars) {
        EXPECT_TRUE(s->Pos.x > 0 && s->Pos.x < 1024 && s->Pos.y > 0 && s->Pos.y < 768);
    }
    EXPECT_GT(smoke->LiveCount(), 10);
    // The emitter's orange glow around its position (light blend on the
    // dark floor: red well above blue).
    int orange = 0;
    for (const std::uint32_t p : gfx_read_pixels(412, 284, 200, 200)) {
        orange += R(p) > 120 && R(p) > B(p) + 40 ? 1 : 0;
    }
    EXPECT_GT(orange, 1000);
    // A box wall in white, the left border wall's normal in blue.
    EXPECT_GT(G(PixelAt(288, 192)) + G(PixelAt(288, 191)), 200);
    int blue = 0;
    for (const std::uint32_t p : gfx_read_pixels(12, 388, 30, 3)) blue = std::max(blue, B(p));
    EXPECT_GT(blue, 200);
    clock_set_fixed_step(0);
}

}  // namespace
