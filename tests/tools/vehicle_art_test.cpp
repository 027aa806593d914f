// The vehicle, weapon and device images as the game uses them: car bodies
// the right size at their drawing scale, light enough to tint, wrecks
// matching them and dark, rotating images pointing +x with guns turning on
// their pivot, the shield's rim at its effect radius, clean borders.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/image.h"
#include "tests/support/test_support.h"

namespace {

constexpr double kCarScale = 0.5;
constexpr double kGunScale = 0.25;

/// One image's pixels as 32-bit ARGB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return 0;
        return argb[static_cast<std::size_t>(y) * width + x];
    }
    int Alpha(int x, int y) const { return static_cast<int>(At(x, y) >> 24); }
    bool Opaque(int x, int y) const { return Alpha(x, y) > 127; }
};

Pixels Load(const std::string& path, int flags = -1) {
    Pixels p;
    ImageHandle image = img_load(path, flags);
    if (!image) return p;
    Pixmap pm = img_lock(image, 0, 1, 0);
    p.width = pm.width;
    p.height = pm.height;
    p.argb.resize(static_cast<std::size_t>(p.width) * p.height);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x)
            p.argb[static_cast<std::size_t>(y) * p.width + x] = pix_read_pixel(pm, x, y);
    img_unlock(image, 0);
    return p;
}

double Luminance(std::uint32_t c) {
    return 0.299 * test_support::R(c) + 0.587 * test_support::G(c) + 0.114 * test_support::B(c);
}

/// Bounding box of the pixels more than half opaque.
struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
    bool empty() const { return x1 < x0; }
    int width() const { return x1 - x0 + 1; }
    int height() const { return y1 - y0 + 1; }
    double cx() const { return (x0 + x1) / 2.0; }
    double cy() const { return (y0 + y1) / 2.0; }
};

Box OpaqueBox(const Pixels& p) {
    Box b;
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            if (!p.Opaque(x, y)) continue;
            b.x0 = std::min(b.x0, x);
            b.y0 = std::min(b.y0, y);
            b.x1 = std::max(b.x1, x);
            b.y1 = std::max(b.y1, y);
        }
    }
    return b;
}

/// Mean luminance, mean saturation (max - min channel) and the share of
/// dark pixels, over the opaque pixels.
struct Tone {
    double luminance = 0;
    double saturation = 0;
    double dark_share = 0;
};

Tone ToneOf(const Pixels& p) {
    Tone t;
    int n = 0, dark = 0;
    for (std::uint32_t c : p.argb) {
        if ((c >> 24) <= 127) continue;
        const int r = test_support::R(c), g = test_support::G(c), b = test_support::B(c);
        const double l = Luminance(c);
        t.luminance += l;
        t.saturation += std::max({r, g, b}) - std::min({r, g, b});
        dark += l < 80;
        ++n;
    }
    if (n == 0) return t;
    t.luminance /= n;
    t.saturation /= n;
    t.dark_share = static_cast<double>(dark) / n;
    return t;
}

struct CarModel {
    const char* body;
    const char* wreck;
    double min_length;  ///< on screen at the drawing scale
    double max_length;
};

const CarModel kCars[] = {
    {"Sprites/jeep.png", "sprites/wrecked_jeep.png", 85, 110},
    {"Sprites/car.png", "sprites/wrecked_car.png", 85, 110},
    {"Sprites/sportscar.png", "sprites/wrecked_sportscar.png", 85, 110},
    {"Sprites/conceptcar.png", "sprites/wrecked_conceptcar.png", 85, 110},
    {"Sprites/semitruck.png", "sprites/wrecked_semitruck.png", 100, 125},
};

struct Gun {
    const char* path;
    int width, height;
    int pivot_x, pivot_y;
};

const Gun kGuns[] = {
    {"sprites/machinegun.png", 176, 48, 36, 24},   {"sprites/heavymachinegun.png", 176, 48, 36, 24},
    {"sprites/rpg.png", 200, 64, 60, 32},          {"sprites/rocketlauncher.png", 240, 64, 100, 32},
    {"sprites/phasecannon.png", 240, 64, 100, 32},
};

const char* const kAllImages[] = {
    "Sprites/jeep.png",
    "Sprites/car.png",
    "Sprites/sportscar.png",
    "Sprites/conceptcar.png",
    "Sprites/semitruck.png",
    "sprites/wrecked_jeep.png",
    "sprites/wrecked_car.png",
    "sprites/wrecked_sportscar.png",
    "sprites/wrecked_conceptcar.png",
    "sprites/wrecked_semitruck.png",
    "sprites/machinegun.png",
    "sprites/heavymachinegun.png",
    "sprites/rpg.png",
    "sprites/rocketlauncher.png",
    "sprites/phasecannon.png",
    "sprites/bullet.png",
    "sprites/phasebullet.png",
    "sprites/grenade.png",
    "sprites/mine.png",
    "sprites/Shield.png",
    "sprites/turretstand.png",
};

class VehicleArtTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    test_support::HeadlessEngine engine;
    test_support::ScopedChdir cd{CRASHMOOR_DATA_DIR};
};

TEST_F(VehicleArtTest, CarBodiesAreCarSizedAndCentredAtTheirDrawingScale) {
    double truck_length = 0, longest_car = 0;
    for (const CarModel& car : kCars) {
        SCOPED_TRACE(car.body);
        const Pixels p = Load(car.body);
        ASSERT_GT(p.width, 0);
        const Box b = OpaqueBox(p);
        ASSERT_FALSE(b.empty());
        const double length = b.width() * kCarScale;
        EXPECT_GE(length, car.min_length);
        EXPECT_LE(length, car.max_length);
        // Across: wide enough for a car, inside the collision square.
        EXPECT_GE(b.height(), b.width() * 2 / 5);
        EXPECT_LE(b.height() * kCarScale, 62);
        // Turning about the image centre must not swing the body off-centre.
        EXPECT_NEAR(b.cx(), (p.width - 1) / 2.0, 4.0);
        EXPECT_NEAR(b.cy(), (p.height - 1) / 2.0, 4.0);
        // Room left for the shadow down and to the right.
        EXPECT_GE(p.width - 1 - b.x1, 8);
        EXPECT_GE(p.height - 1 - b.y1, 8);
        if (std::string(car.body) == "Sprites/semitruck.png")
            truck_length = length;
        else
            longest_car = std::max(longest_car, length);
    }
    EXPECT_GT(truck_length, longest_car + 8);
}

TEST_F(VehicleArtTest, TheFiveModelsHaveDifferentSilhouettes) {
    std::vector<Pixels> bodies;
    for (const CarModel& car : kCars) bodies.push_back(Load(car.body));
    for (std::size_t i = 0; i < bodies.size(); ++i) {
        for (std::size_t j = i + 1; j < bodies.size(); ++j) {
            SCOPED_TRACE(std::string(kCars[i].body) + " vs " + kCars[j].body);
            const Pixels& a = bodies[i];
            const Pixels& b = bodies[j];
            ASSERT_GT(a.width, 0);
            ASSERT_GT(b.width, 0);
            // Compare the masks with the canvas centres on top of each other.
            const int w = std::max(a.width, b.width), h = std::max(a.height, b.height);
            const int ax = (w - a.width) / 2, ay = (h - a.height) / 2;
            const int bx = (w - b.width) / 2, by = (h - b.height) / 2;
            int both = 0, either = 0;
            for (int y = 0; y < h; ++y) {
                for (int x = 0; x < w; ++x) {
                    const bool in_a = a.Opaque(x - ax, y - ay), in_b = b.Opaque(x - bx, y - by);
                    both += in_a && in_b;
                    either += in_a || in_b;
                }
            }
            ASSERT_GT(either, 0);
            EXPECT_LT(static_cast<double>(both) / either, 0.9);
        }
    }
}

TEST_F(VehicleArtTest, BodiesAreLightAndNeutralWithDarkDetailsForTheTint) {
    for (const CarModel& car : kCars) {
        SCOPED_TRACE(car.body);
        const Tone t = ToneOf(Load(car.body));
        EXPECT_GE(t.luminance, 110);
        EXPECT_LE(t.saturation, 24);
        EXPECT_GE(t.dark_share, 0.05);
        EXPECT_LE(t.dark_share, 0.45);
    }
}

TEST_F(VehicleArtTest, WrecksKeepTheirCarsShapeAndAreBurntDark) {
    for (const CarModel& car : kCars) {
        SCOPED_TRACE(car.wreck);
        const Pixels body = Load(car.body);
        const Pixels wreck = Load(car.wreck);
        ASSERT_GT(wreck.width, 0);
        EXPECT_EQ(wreck.width, body.width);
        EXPECT_EQ(wreck.height, body.height);
        const Box bb = OpaqueBox(body), wb = OpaqueBox(wreck);
        ASSERT_FALSE(wb.empty());
        EXPECT_LE(std::abs(wb.width() - bb.width()) * kCarScale, 3);
        EXPECT_LE(std::abs(wb.height() - bb.height()) * kCarScale, 3);
        EXPECT_NEAR(wb.cx(), bb.cx(), 3);
        EXPECT_NEAR(wb.cy(), bb.cy(), 3);
        const Tone wt = ToneOf(wreck), bt = ToneOf(body);
        EXPECT_LE(wt.luminance, 85);
        EXPECT_LE(wt.luminance, bt.luminance * 0.5);
    }
}

TEST_F(VehicleArtTest, GunsPointRightFromTheirMountPivot) {
    for (const Gun& gun : kGuns) {
        SCOPED_TRACE(gun.path);
        const Pixels p = Load(gun.path);
        ASSERT_EQ(p.width, gun.width);
        ASSERT_EQ(p.height, gun.height);
        EXPECT_EQ(p.Alpha(gun.pivot_x, gun.pivot_y), 255);
        // The pivot sits on a solid round mount, not on a thin barrel.
        int holes = 0;
        for (int dy = -10; dy <= 10; ++dy)
            for (int dx = -10; dx <= 10; ++dx)
                holes += dx * dx + dy * dy <= 100 && !p.Opaque(gun.pivot_x + dx, gun.pivot_y + dy);
        EXPECT_EQ(holes, 0);
        const Box b = OpaqueBox(p);
        ASSERT_FALSE(b.empty());
        // The muzzle reaches the right edge, centred on the aiming line
        // through the pivot; the gun reaches further forward than back.
        EXPECT_GE(b.x1, p.width - 8);
        double muzzle_y = 0;
        int muzzle = 0;
        for (int x = b.x1 - 9; x <= b.x1; ++x) {
            for (int y = 0; y < p.height; ++y) {
                if (!p.Opaque(x, y)) continue;
                muzzle_y += y;
                ++muzzle;
            }
        }
        ASSERT_GT(muzzle, 0);
        EXPECT_NEAR(muzzle_y / muzzle, gun.pivot_y, 1.5);
        EXPECT_GT(b.x1 - gun.pivot_x, 1.5 * (gun.pivot_x - b.x0));
        // Thick enough to read on the car at a quarter size.
        EXPECT_GE(b.height() * kGunScale, 5);
    }
}

TEST_F(VehicleArtTest, MachineGunMuzzlesAreThirtyFiveArenaPixelsFromThePivot) {
    for (const Gun& gun : kGuns) {
        if (gun.width != 176) continue;
        SCOPED_TRACE(gun.path);
        const Pixels p = Load(gun.path);
        const Box b = OpaqueBox(p);
        ASSERT_FALSE(b.empty());
        EXPECT_NEAR((b.x1 + 1 - gun.pivot_x) * kGunScale, 35, 1.5);
    }
}

TEST_F(VehicleArtTest, ProjectilesPointRightWithTheirHotEndInFront) {
    for (const char* path : {"sprites/bullet.png", "sprites/phasebullet.png"}) {
        SCOPED_TRACE(path);
        const Pixels p = Load(path);
        ASSERT_GT(p.width, 0);
        EXPECT_GT(p.width, p.height);
        // Where the brightest tenth of the light is, weighted by brightness.
        double brightest = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                brightest = std::max(brightest, Luminance(p.At(x, y)) * p.Alpha(x, y));
        double sum = 0, weighted_x = 0;
        for (int y = 0; y < p.height; ++y) {
            for (int x = 0; x < p.width; ++x) {
                const double v = Luminance(p.At(x, y)) * p.Alpha(x, y);
                if (v < brightest * 0.9) continue;
                sum += v;
                weighted_x += v * x;
            }
        }
        ASSERT_GT(sum, 0);
        EXPECT_GT(weighted_x / sum, (p.width - 1) / 2.0 + 1);
    }
    // The tracer stays a bold streak at a quarter size.
    const Box b = OpaqueBox(Load("sprites/bullet.png"));
    ASSERT_FALSE(b.empty());
    EXPECT_GE(b.width() * 0.25, 5);
    EXPECT_GE(b.height() * 0.25, 1.5);
}

TEST_F(VehicleArtTest, PhaseBoltIsAGlowWithAWhiteCore) {
    const Pixels p = Load("sprites/phasebullet.png");
    ASSERT_GT(p.width, 0);
    int white_core = 0, translucent = 0, bluish = 0;
    for (std::uint32_t c : p.argb) {
        const int a = static_cast<int>(c >> 24);
        const int r = test_support::R(c), g = test_support::G(c), b = test_support::B(c);
        white_core += a == 255 && r > 235 && g > 235 && b > 235;
        if (a > 0 && a < 160) {
            ++translucent;
            bluish += b > r + 40;
        }
    }
    EXPECT_GE(white_core, 6);
    EXPECT_GE(translucent, 20);
    EXPECT_GE(bluish, translucent * 3 / 4);
}

TEST_F(VehicleArtTest, MineAndTurretStandAreCentredAndReadableAtAQuarter) {
    const Pixels mine = Load("sprites/mine.png");
    ASSERT_GT(mine.width, 0);
    const Box mb = OpaqueBox(mine);
    ASSERT_FALSE(mb.empty());
    EXPECT_NEAR(mb.cx(), (mine.width - 1) / 2.0, 2);
    EXPECT_NEAR(mb.cy(), (mine.height - 1) / 2.0, 2);
    EXPECT_GE(mb.width() * 0.25, 16);
    EXPECT_LE(mb.width() * 0.25, 24);
    // The armed light: strongly red in the middle.
    const std::uint32_t light = mine.At(mine.width / 2, mine.height / 2);
    EXPECT_GT(test_support::R(light), 180);
    EXPECT_LT(test_support::G(light), 110);

    const Pixels stand = Load("sprites/turretstand.png");
    ASSERT_GT(stand.width, 0);
    const Box sb = OpaqueBox(stand);
    ASSERT_FALSE(sb.empty());
    EXPECT_NEAR(sb.cx(), (stand.width - 1) / 2.0, 3);
    EXPECT_NEAR(sb.cy(), (stand.height - 1) / 2.0, 3);
    EXPECT_GE(sb.width() * 0.25, 22);
    EXPECT_LE(sb.width() * 0.25, 32);
    EXPECT_EQ(stand.Alpha(stand.width / 2, stand.height / 2), 255);
}

TEST_F(VehicleArtTest, ShieldRimLiesAtTheEffectRadiusAndItsTextureShowsTheSpin) {
    const Pixels p = Load("sprites/Shield.png");
    ASSERT_GT(p.width, 0);
    EXPECT_EQ(p.width, p.height);
    EXPECT_NEAR(p.width, 680, 40);
    const double cx = p.width / 2.0, cy = p.height / 2.0;
    // Along rays in every direction the strongest alpha is the rim, 80
    // screen pixels out at a quarter size.
    constexpr int kRays = 32;
    for (int i = 0; i < kRays; ++i) {
        const double a = i * 2 * M_PI / kRays;
        int best_alpha = -1;
        double best_r = 0;
        for (double r = 0; r < p.width / 2.0; r += 1) {
            const int alpha = p.Alpha(static_cast<int>(cx + std::cos(a) * r),
                                      static_cast<int>(cy + std::sin(a) * r));
            if (alpha > best_alpha) {
                best_alpha = alpha;
                best_r = r;
            }
        }
        SCOPED_TRACE(i);
        EXPECT_NEAR(best_r * 0.25, 80, 4);
        EXPECT_GE(best_alpha, 200);
    }
    // A faint but present interior.
    double interior = 0;
    int n = 0;
    for (int y = 0; y < p.height; y += 3) {
        for (int x = 0; x < p.width; x += 3) {
            if (std::hypot(x - cx, y - cy) > 200) continue;
            interior += p.Alpha(x, y);
            ++n;
        }
    }
    ASSERT_GT(n, 0);
    interior /= n;
    EXPECT_GT(interior, 3);
    EXPECT_LT(interior, 90);
    // Uneven around the circle inside the rim, so turning it is visible.
    constexpr int kSectors = 24;
    std::vector<double> sector(kSectors, 0);
    for (int s = 0; s < kSectors; ++s) {
        for (int k = 0; k < 20; ++k) {
            const double a = (s + k / 20.0) * 2 * M_PI / kSectors;
            for (double r = 250; r <= 305; r += 1)
                sector[s] += p.Alpha(static_cast<int>(cx + std::cos(a) * r),
                                     static_cast<int>(cy + std::sin(a) * r));
        }
    }
    const auto [lo, hi] = std::minmax_element(sector.begin(), sector.end());
    EXPECT_GT(*hi, *lo * 1.25);
}

TEST_F(VehicleArtTest, EveryImageHasAClearBorderAndNoMaskColour) {
    for (const char* path : kAllImages) {
        SCOPED_TRACE(path);
        // Unmasked, to see the colours as written.
        const Pixels p = Load(path, 0);
        ASSERT_GT(p.width, 2);
        ASSERT_GT(p.height, 2);
        int border = 0, magenta = 0;
        for (int x = 0; x < p.width; ++x) border += p.Alpha(x, 0) + p.Alpha(x, p.height - 1);
        for (int y = 0; y < p.height; ++y) border += p.Alpha(0, y) + p.Alpha(p.width - 1, y);
        for (std::uint32_t c : p.argb) magenta += (c >> 24) != 0 && (c & 0xFFFFFF) == 0xFF00FF;
        EXPECT_EQ(border, 0);
        EXPECT_EQ(magenta, 0);
        // Something is drawn.
        EXPECT_FALSE(OpaqueBox(p).empty());
    }
}

}  // namespace
