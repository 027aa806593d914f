// Measurable checks of the generated interface art: pickups, effects,
// markers, backdrops and the GUI skin, decoded by the engine as the game
// loads them (masked with magenta, filtered).

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/image.h"
#include "tests/support/test_support.h"

namespace {

// Straight-alpha ARGB pixels of one decoded frame.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;

    std::uint32_t at(int x, int y) const { return argb[static_cast<std::size_t>(y) * width + x]; }
    int alpha(int x, int y) const { return static_cast<int>(at(x, y) >> 24); }
};

int Red(std::uint32_t p) {
    return (p >> 16) & 0xFF;
}
int Green(std::uint32_t p) {
    return (p >> 8) & 0xFF;
}
int Blue(std::uint32_t p) {
    return p & 0xFF;
}
double Luma(std::uint32_t p) {
    return 0.299 * Red(p) + 0.587 * Green(p) + 0.114 * Blue(p);
}
double Saturation(std::uint32_t p) {
    const int hi = std::max({Red(p), Green(p), Blue(p)});
    const int lo = std::min({Red(p), Green(p), Blue(p)});
    return hi == 0 ? 0.0 : static_cast<double>(hi - lo) / hi;
}

// Hue in degrees of a colour given as 0..255 components.
double Hue(double r, double g, double b) {
    const double hi = std::max({r, g, b}), lo = std::min({r, g, b});
    if (hi - lo < 1e-9) return 0;
    double h;
    if (hi == r)
        h = 60 * std::fmod((g - b) / (hi - lo), 6.0);
    else if (hi == g)
        h = 60 * ((b - r) / (hi - lo) + 2);
    else
        h = 60 * ((r - g) / (hi - lo) + 4);
    return h < 0 ? h + 360 : h;
}

double HueDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

// Hue of the mean colour of the clearly coloured, solid pixels.
double ColouredHue(const Pixels& p) {
    double r = 0, g = 0, b = 0;
    for (std::uint32_t v : p.argb) {
        if ((v >> 24) < 200 || Saturation(v) < 0.35) continue;
        r += Red(v);
        g += Green(v);
        b += Blue(v);
    }
    return Hue(r, g, b);
}

// Mean luminance and its spread over a rectangle.
struct AreaStats {
    double mean = 0;
    double spread = 0;  // standard deviation
};
AreaStats Stats(const Pixels& p, int x0, int y0, int x1, int y1) {
    double sum = 0, sq = 0;
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const double l = Luma(p.at(x, y));
            sum += l;
            sq += l * l;
            ++n;
        }
    AreaStats s;
    s.mean = sum / n;
    s.spread = std::sqrt(std::max(0.0, sq / n - s.mean * s.mean));
    return s;
}

// Alpha-weighted centre of mass.
void Centroid(const Pixels& p, double* cx, double* cy) {
    double sx = 0, sy = 0, total = 0;
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) {
            const double a = p.alpha(x, y);
            sx += a * (x + 0.5);
            sy += a * (y + 0.5);
            total += a;
        }
    *cx = total > 0 ? sx / total : 0;
    *cy = total > 0 ? sy / total : 0;
}

// How far the outline of the solid part wanders: the outermost radius with
// alpha above `threshold` along 72 rays from the centre, as (max - min) / mean.
double OutlineWobble(const Pixels& p, int threshold) {
    const double cx = p.width / 2.0, cy = p.height / 2.0;
    std::vector<double> radii;
    for (int i = 0; i < 72; ++i) {
        const double a = i * 2 * M_PI / 72;
        double outer = 0;
        for (double r = 0; r < std::min(cx, cy); r += 0.5) {
            const int x = static_cast<int>(cx + r * std::cos(a));
            const int y = static_cast<int>(cy + r * std::sin(a));
            if (p.alpha(x, y) > threshold) outer = r;
        }
        radii.push_back(outer);
    }
    const double mean = std::accumulate(radii.begin(), radii.end(), 0.0) / radii.size();
    const auto [lo, hi] = std::minmax_element(radii.begin(), radii.end());
    return mean > 0 ? (*hi - *lo) / mean : 0;
}

bool BorderIsTransparent(const Pixels& p) {
    for (int x = 0; x < p.width; ++x)
        if (p.alpha(x, 0) || p.alpha(x, p.height - 1)) return false;
    for (int y = 0; y < p.height; ++y)
        if (p.alpha(0, y) || p.alpha(p.width - 1, y)) return false;
    return true;
}

class InterfaceArtTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(engine_.ok());
        img_get_mask_color(&mask_r_, &mask_g_, &mask_b_);
        img_set_mask_color(255, 0, 255);  // as the game sets it
    }
    void TearDown() override { img_set_mask_color(mask_r_, mask_g_, mask_b_); }

    // Frame `frame` of a file loaded as the game loads it (or unmasked).
    static Pixels Load(const std::string& path, int flags = -1, int cell_w = 0, int cell_h = 0,
                       int frames = 1, int frame = 0) {
        Pixels out;
        const ImageHandle image = frames > 1 ? img_load_anim(path, cell_w, cell_h, 0, frames, flags)
                                             : img_load(path, flags);
        EXPECT_TRUE(image) << path;
        if (!image) return out;
        const Pixmap pm = img_lock(image, frame, 1, 0);
        out.width = pm.width;
        out.height = pm.height;
        for (int y = 0; y < pm.height; ++y)
            for (int x = 0; x < pm.width; ++x) out.argb.push_back(pix_read_pixel(pm, x, y));
        img_unlock(image, frame);
        return out;
    }

private:
    test_support::HeadlessEngine engine_;
    int mask_r_ = 0, mask_g_ = 0, mask_b_ = 0;
    test_support::ScopedChdir cd_{CRASHMOOR_DATA_DIR};
};

const char* const kPickups[] = {"sprites/health_pickup.png", "sprites/ammo_pickup.png",
                                "sprites/secondary_pickup.png"};

TEST_F(InterfaceArtTest, PickupsFitTheirPickupRadiusAndSitOnTheirCentre) {
    constexpr double kScale = 0.35, kRadius = 71;
    for (const char* path : kPickups) {
        SCOPED_TRACE(path);
        const Pixels p = Load(path);
        ASSERT_GT(p.width, 0);
        const double cx = p.width / 2.0, cy = p.height / 2.0;
        double reach = 0;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (p.alpha(x, y) > 16)
                    reach = std::max(reach, std::hypot(x + 0.5 - cx, y + 0.5 - cy));
        EXPECT_LE(reach * kScale, kRadius);
        // Big enough to spot: at least 40 px across on screen.
        EXPECT_GE(reach * kScale, 20);
        // Spun about the centre: the solid part must be centred.
        double mx, my;
        Centroid(p, &mx, &my);
        EXPECT_NEAR(mx, cx, p.width * 0.04);
        EXPECT_NEAR(my, cy, p.height * 0.04);
    }
}

TEST_F(InterfaceArtTest, PickupsDifferInColour) {
    const double health = ColouredHue(Load(kPickups[0]));
    const double ammo = ColouredHue(Load(kPickups[1]));
    const double secondary = ColouredHue(Load(kPickups[2]));
    EXPECT_LT(HueDistance(health, 0), 20) << "health should read red, hue " << health;
    EXPECT_GT(ammo, 25) << "ammunition should read yellow-orange";
    EXPECT_LT(ammo, 60) << "ammunition should read yellow-orange";
    EXPECT_GT(secondary, 180) << "secondary should read blue-cyan";
    EXPECT_LT(secondary, 235) << "secondary should read blue-cyan";
    EXPECT_GT(HueDistance(health, ammo), 25);
    EXPECT_GT(HueDistance(ammo, secondary), 25);
    EXPECT_GT(HueDistance(health, secondary), 25);
}

TEST_F(InterfaceArtTest, ParticleGlowIsBrightestInTheMiddleAndFadesToNothing) {
    const Pixels p = Load("sprites/gradball.png");
    ASSERT_EQ(p.width, 64);
    ASSERT_EQ(p.height, 64);
    // Light added per pixel: colour times alpha.
    auto light = [&](int x, int y) { return Luma(p.at(x, y)) * p.alpha(x, y) / 255.0; };
    const int c = p.width / 2;
    EXPECT_GT(light(c, c), 240);
    for (int y = 0; y < p.height; ++y)
        for (int x = 0; x < p.width; ++x) ASSERT_LE(light(x, y), light(c, c) + 1e-9);
    EXPECT_TRUE(BorderIsTransparent(p));
    // Smooth falloff: never brighter further out along the four axes.
    const int dirs[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& d : dirs) {
        double previous = light(c, c);
        for (int r = 1; r < c; ++r) {
            const double here = light(c + d[0] * r, c + d[1] * r);
            EXPECT_LE(here, previous + 2) << "radius " << r;
            previous = here;
        }
    }
}

TEST_F(InterfaceArtTest, ExplosionHasAHotCoreAnIrregularEdgeAndFadesOut) {
    const Pixels p = Load("sprites/explosion.png");
    ASSERT_GE(p.width, 256);
    const int c = p.width / 2;
    double r = 0, g = 0, b = 0;
    int n = 0;
    for (int y = c - 8; y < c + 8; ++y)
        for (int x = c - 8; x < c + 8; ++x, ++n) {
            r += Red(p.at(x, y));
            g += Green(p.at(x, y));
            b += Blue(p.at(x, y));
            EXPECT_GT(p.alpha(x, y), 200);
        }
    EXPECT_GT(r / n, 230) << "white-yellow core";
    EXPECT_GT(g / n, 190) << "white-yellow core";
    // Some flames are orange-red: clearly more red than blue.
    int flame = 0;
    for (std::uint32_t v : p.argb)
        flame += (v >> 24) > 200 && Red(v) > 180 && Green(v) < 140 && Blue(v) < 60;
    EXPECT_GT(flame, p.width * p.height / 50);
    EXPECT_TRUE(BorderIsTransparent(p));
    EXPECT_GT(OutlineWobble(p, 128), 0.15) << "not a perfect disc";
}

TEST_F(InterfaceArtTest, ScorchMarkIsDarkIrregularSoot) {
    const Pixels p = Load("sprites/scar.png");
    ASSERT_GE(p.width, 128);
    double sum = 0;
    int solid = 0;
    for (std::uint32_t v : p.argb)
        if ((v >> 24) > 128) {
            sum += Luma(v);
            ++solid;
        }
    ASSERT_GT(solid, p.width * p.height / 10);
    EXPECT_LT(sum / solid, 70);
    EXPECT_TRUE(BorderIsTransparent(p));
    EXPECT_GT(OutlineWobble(p, 100), 0.2);
}

TEST_F(InterfaceArtTest, TyreMarksAreTwoDarkStripsACarWidthApart) {
    const Pixels p = Load("sprites/tread.png");
    ASSERT_LT(p.width, p.height) << "strips run along x, side by side in y";
    // Rows that hold rubber, gathered into runs.
    std::vector<std::pair<int, int>> runs;
    for (int y = 0; y < p.height; ++y) {
        bool inked = false;
        for (int x = 0; x < p.width; ++x) inked |= p.alpha(x, y) > 64;
        if (!inked) continue;
        if (!runs.empty() && runs.back().second == y - 1)
            runs.back().second = y;
        else
            runs.emplace_back(y, y);
    }
    ASSERT_EQ(runs.size(), 2u);
    const double top = (runs[0].first + runs[0].second) / 2.0;
    const double bottom = (runs[1].first + runs[1].second) / 2.0;
    EXPECT_GE(bottom - top, 75);
    EXPECT_LE(bottom - top, 110);
    EXPECT_NEAR((top + bottom) / 2, p.height / 2.0, 2) << "centred on the car's axis";
    for (std::uint32_t v : p.argb)
        if ((v >> 24) > 64) {
            ASSERT_LT(Luma(v), 60);
        }
}

TEST_F(InterfaceArtTest, AimingMarkPointsAtItsTopLeftPixel) {
    const Pixels p = Load("Sprites/target.png");
    ASSERT_GE(p.width, 16);
    EXPECT_GT(p.alpha(0, 0), 200) << "the aim point is drawn";
    EXPECT_EQ(p.alpha(p.width - 1, p.height - 1), 0);
    double mx, my;
    Centroid(p, &mx, &my);
    EXPECT_LT(mx, p.width / 2.0);
    EXPECT_LT(my, p.height / 2.0);
    // Bright with a dark outline, so it reads on any floor.
    int bright = 0, dark = 0;
    for (std::uint32_t v : p.argb) {
        if ((v >> 24) < 200) continue;
        bright += Luma(v) > 190;
        dark += Luma(v) < 50;
    }
    EXPECT_GT(bright, 20);
    EXPECT_GT(dark, 20);
}

TEST_F(InterfaceArtTest, BigDogMarkerIsACentredGoldBadge) {
    const Pixels p = Load("sprites/bigdog.png");
    ASSERT_GE(p.width, 64);
    const double hue = ColouredHue(p);
    EXPECT_GT(hue, 30);
    EXPECT_LT(hue, 60);
    double mx, my;
    Centroid(p, &mx, &my);
    EXPECT_NEAR(mx, p.width / 2.0, p.width * 0.06);
    EXPECT_NEAR(my, p.height / 2.0, p.height * 0.08);
    EXPECT_TRUE(BorderIsTransparent(p));
}

TEST_F(InterfaceArtTest, LoadingScreenIsLightWhereTheGameWritesLoading) {
    const Pixels p = Load("sprites/backdrop/logo.png");
    ASSERT_EQ(p.width, 1024);
    ASSERT_EQ(p.height, 768);
    for (std::uint32_t v : p.argb) ASSERT_EQ(v >> 24, 255u) << "opaque";
    const AreaStats text = Stats(p, 300, 440, 724, 520);
    EXPECT_GT(text.mean, 190);
    EXPECT_LT(text.spread, 25) << "an even ground for the black text";
    // The title above it is strongly coloured.
    int orange = 0;
    for (int y = 120; y < 320; ++y)
        for (int x = 0; x < p.width; ++x) {
            const std::uint32_t v = p.at(x, y);
            orange += Saturation(v) > 0.6 && HueDistance(Hue(Red(v), Green(v), Blue(v)), 30) < 20;
        }
    EXPECT_GT(orange, 20000);
}

TEST_F(InterfaceArtTest, MenuBackdropIsCalmUnderThePanelsAndBrightInTheTitle) {
    const Pixels p = Load("sprites/backdrop/mainmenu.png");
    ASSERT_EQ(p.width, 1024);
    ASSERT_EQ(p.height, 768);
    for (std::uint32_t v : p.argb) ASSERT_EQ(v >> 24, 255u) << "opaque";
    const AreaStats panels = Stats(p, 100, 200, 924, 450);
    const AreaStats band = Stats(p, 0, 100, 1024, 135);
    const AreaStats title = Stats(p, 300, 20, 724, 80);
    const AreaStats footer = Stats(p, 0, 740, 400, 768);
    EXPECT_LT(panels.mean, 60);
    EXPECT_LT(panels.spread, 15) << "low-contrast texture";
    EXPECT_LT(band.mean, 60);
    EXPECT_LT(footer.mean, 45) << "white footer text must read";
    EXPECT_GT(title.mean, panels.mean + 30) << title.mean << " " << panels.mean;
}

const char* const kNineSlices[] = {"panel.png",     "button.png",   "progress.png",
                                   "textfield.png", "combobox.png", "menu.png"};

// Largest difference of any channel, alpha included.
int ChannelGap(std::uint32_t a, std::uint32_t b) {
    int gap = 0;
    for (int shift = 0; shift < 32; shift += 8)
        gap = std::max(gap, std::abs(static_cast<int>((a >> shift) & 0xFF) -
                                     static_cast<int>((b >> shift) & 0xFF)));
    return gap;
}

TEST_F(InterfaceArtTest, NineSliceFramesStretchWithoutSeams) {
    constexpr int kTolerance = 2;
    for (const char* name : kNineSlices) {
        SCOPED_TRACE(name);
        const Pixels p = Load(std::string("Skin/graphics/") + name);
        ASSERT_EQ(p.width, 15);
        ASSERT_EQ(p.height, 15);
        // Top and bottom edges stretch along x: every column equal.
        for (int y : {0, 1, 2, 3, 4, 10, 11, 12, 13, 14})
            for (int x = 6; x < 10; ++x)
                EXPECT_LE(ChannelGap(p.at(x, y), p.at(5, y)), kTolerance) << x << "," << y;
        // Left and right edges stretch along y: every row equal.
        for (int x : {0, 1, 2, 3, 4, 10, 11, 12, 13, 14})
            for (int y = 6; y < 10; ++y)
                EXPECT_LE(ChannelGap(p.at(x, y), p.at(x, 5)), kTolerance) << x << "," << y;
        // The centre is one solid colour.
        for (int y = 5; y < 10; ++y)
            for (int x = 5; x < 10; ++x)
                EXPECT_LE(ChannelGap(p.at(x, y), p.at(7, 7)), kTolerance) << x << "," << y;
        EXPECT_EQ(p.alpha(7, 7), 255);
        // Rounded corners: the very corner pixel is see-through.
        EXPECT_LT(p.alpha(0, 0), 128);
    }
}

TEST_F(InterfaceArtTest, SkinFramesHaveTheirRoles) {
    auto centre = [&](const char* name) {
        return Load(std::string("Skin/graphics/") + name).at(7, 7);
    };
    // The menus tint panels with 3f3d3d, which multiplies the stored pixels.
    const std::uint32_t stored = centre("panel.png");
    auto tint = [](std::uint32_t c, int shift, std::uint32_t t) {
        return (((c >> shift) & 0xFF) * t / 255) << shift;
    };
    const std::uint32_t panel =
        0xFF000000u | tint(stored, 16, 0x3F) | tint(stored, 8, 0x3D) | tint(stored, 0, 0x3D);
    EXPECT_NEAR(static_cast<int>((panel >> 16) & 0xFF), 0x3F, 2)
        << "the tinted panel shows the panel colour";
    const std::uint32_t button = centre("button.png");
    const std::uint32_t field = centre("textfield.png"), bar = centre("progress.png");
    // Text fields sink below the panel, buttons stand out of it; white text
    // reads on all of them.
    EXPECT_LT(Luma(field), Luma(panel) - 10);
    EXPECT_GT(Luma(button), Luma(panel) + 10);
    for (const char* name : kNineSlices) {
        if (std::string(name) == "progress.png" || std::string(name) == "panel.png") continue;
        EXPECT_LT(Luma(centre(name)), 110) << name;
    }
    // The progress fill is a bright accent.
    EXPECT_GT(Saturation(bar), 0.6);
    EXPECT_GT(Luma(bar), 120);
}

TEST_F(InterfaceArtTest, CheckboxFramesShowTheTick) {
    const Pixels off = Load("Skin/graphics/checkbox.png", -1, 15, 15, 2, 0);
    const Pixels on = Load("Skin/graphics/checkbox.png", -1, 15, 15, 2, 1);
    ASSERT_EQ(off.width, 15);
    ASSERT_EQ(on.width, 15);
    int differ = 0, white = 0;
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 15; ++x) {
            differ += ChannelGap(off.at(x, y), on.at(x, y)) > 40;
            white += on.alpha(x, y) > 200 && Luma(on.at(x, y)) > 220;
        }
    EXPECT_GT(differ, 40);
    EXPECT_GT(white, 8) << "a light tick";
}

TEST_F(InterfaceArtTest, ScrollArrowsPointTheirWay) {
    struct Case {
        const char* name;
        int dx, dy;  // the way the arrow points
    };
    const Case cases[] = {{"scrollup.png", 0, -1},
                          {"scrolldown.png", 0, 1},
                          {"scrollleft.png", -1, 0},
                          {"scrollright.png", 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Pixels p = Load(std::string("Skin/graphics/") + c.name);
        ASSERT_EQ(p.width, 15);
        ASSERT_EQ(p.height, 15);
        // The white triangle: its mass lies towards its base, behind the
        // middle of its bounding box.
        int x0 = 15, y0 = 15, x1 = -1, y1 = -1, n = 0;
        double sx = 0, sy = 0;
        for (int y = 0; y < 15; ++y)
            for (int x = 0; x < 15; ++x) {
                if (p.alpha(x, y) < 200 || Luma(p.at(x, y)) < 200) continue;
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = std::max(y1, y);
                sx += x;
                sy += y;
                ++n;
            }
        ASSERT_GT(n, 6);
        const double ox = sx / n - (x0 + x1) / 2.0, oy = sy / n - (y0 + y1) / 2.0;
        if (c.dx) {
            EXPECT_LT(ox * c.dx, -0.3);
        }
        if (c.dy) {
            EXPECT_LT(oy * c.dy, -0.3);
        }
    }
}

TEST_F(InterfaceArtTest, ScrollKnobsAndSmallIcons) {
    const Pixels v = Load("Skin/graphics/vscrollbar.png");
    ASSERT_EQ(v.width, 15);
    ASSERT_EQ(v.height, 7);
    const Pixels h = Load("Skin/graphics/hscrollbar.png");
    ASSERT_EQ(h.width, 7);
    ASSERT_EQ(h.height, 15);
    // The stretched middle row or column is solid across the knob, and the
    // knob is the transposed twin of the other.
    for (int i = 2; i < 13; ++i) {
        EXPECT_EQ(v.alpha(i, 3), 255) << i;
        EXPECT_EQ(h.alpha(3, i), 255) << i;
    }
    EXPECT_GT(Luma(v.at(7, 3)), 90) << "stands out of the dark track";
    const Pixels track = Load("Skin/graphics/scrollback.png");
    for (std::uint32_t px : track.argb) ASSERT_EQ(px, track.argb[0]) << "stretched whole";
    EXPECT_LT(Luma(track.argb[0]), Luma(v.at(7, 3)) - 40);
    // The combo box arrow is white (the kit tints it) and points down: its
    // widest row is at the top.
    const Pixels arrow = Load("Skin/graphics/combobox arrow.png");
    ASSERT_GT(arrow.width, 0);
    std::vector<int> widths(arrow.height, 0);
    for (int y = 0; y < arrow.height; ++y)
        for (int x = 0; x < arrow.width; ++x) {
            if (arrow.alpha(x, y) == 0) continue;
            EXPECT_GE(std::min({Red(arrow.at(x, y)), Green(arrow.at(x, y)), Blue(arrow.at(x, y))}),
                      250);
            widths[y] += arrow.alpha(x, y) > 128;
        }
    EXPECT_GT(widths[1], widths[arrow.height - 2]);
    const Pixels search = Load("Skin/graphics/search.png");
    EXPECT_LE(search.width, 16);
    EXPECT_LE(search.height, 16);
}

TEST_F(InterfaceArtTest, CursorHotspotsAreDrawn) {
    const Pixels arrow = Load("Skin/graphics/cursors/normal.png");
    const Pixels over = Load("Skin/graphics/cursors/mouseover.png");
    const Pixels down = Load("Skin/graphics/cursors/mousedown.png");
    EXPECT_GT(arrow.alpha(0, 0), 200);
    EXPECT_GT(over.alpha(5, 0), 200);
    EXPECT_GT(down.alpha(5, 0), 200);
    // The fingertip is the top of the hand: nothing above-left of it far off.
    EXPECT_EQ(over.alpha(0, 0), 0);
    EXPECT_EQ(over.alpha(12, 0), 0);
    for (const Pixels* p : {&arrow, &over, &down}) {
        EXPECT_LE(p->width, 32);
        EXPECT_LE(p->height, 32);
        int white = 0, black = 0;
        for (std::uint32_t v : p->argb) {
            if ((v >> 24) < 220) continue;
            white += Luma(v) > 220;
            black += Luma(v) < 40;
        }
        EXPECT_GT(white, 40);
        EXPECT_GT(black, 30);
    }
    int differ = 0;
    for (std::size_t i = 0; i < over.argb.size(); ++i)
        differ += ChannelGap(over.argb[i], down.argb[i]) > 60;
    EXPECT_GT(differ, 20) << "pressing shows";
}

TEST_F(InterfaceArtTest, NoPixelUsesTheMaskColour) {
    const char* const files[] = {"sprites/health_pickup.png",
                                 "sprites/ammo_pickup.png",
                                 "sprites/secondary_pickup.png",
                                 "sprites/explosion.png",
                                 "sprites/scar.png",
                                 "sprites/tread.png",
                                 "sprites/gradball.png",
                                 "Sprites/target.png",
                                 "sprites/bigdog.png",
                                 "sprites/backdrop/logo.png",
                                 "sprites/backdrop/mainmenu.png",
                                 "Skin/graphics/panel.png",
                                 "Skin/graphics/button.png",
                                 "Skin/graphics/progress.png",
                                 "Skin/graphics/textfield.png",
                                 "Skin/graphics/combobox.png",
                                 "Skin/graphics/menu.png",
                                 "Skin/graphics/checkbox.png",
                                 "Skin/graphics/search.png",
                                 "Skin/graphics/combobox arrow.png",
                                 "Skin/graphics/scrollback.png",
                                 "Skin/graphics/scrollup.png",
                                 "Skin/graphics/scrolldown.png",
                                 "Skin/graphics/scrollleft.png",
                                 "Skin/graphics/scrollright.png",
                                 "Skin/graphics/vscrollbar.png",
                                 "Skin/graphics/hscrollbar.png",
                                 "Skin/graphics/cursors/normal.png",
                                 "Skin/graphics/cursors/mouseover.png",
                                 "Skin/graphics/cursors/mousedown.png"};
    for (const char* path : files) {
        const Pixels p = Load(path, 0);
        int magenta = 0;
        for (std::uint32_t v : p.argb) magenta += (v >> 24) > 0 && (v & 0xFFFFFFu) == 0xFF00FFu;
        EXPECT_EQ(magenta, 0) << path;
    }
}

}  // namespace
