// Drawing checked by reading pixels back from the off-screen renderer.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "tests/support/test_support.h"

namespace {

using test_support::B;
using test_support::G;
using test_support::PixelAt;
using test_support::R;

class DrawingTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ok()) << gfx_last_error();
        gfx_set_blend(kBlendSolid);
    }
    // Fills the whole frame with one colour, opaque.
    static void Fill(int r, int g, int b) {
        gfx_set_blend(kBlendSolid);
        gfx_set_color(r, g, b);
        gfx_draw_rect(0, 0, gfx_width(), gfx_height());
        gfx_set_color(255, 255, 255);
    }
    test_support::VideoEngine video{256, 256};
};

// An image whose every pixel is `argb`.
ImageHandle Solid(int w, int h, std::uint32_t argb, int flags = 0) {
    std::vector<std::uint32_t> px(static_cast<std::size_t>(w) * h, argb);
    return img_from_pixels(w, h, px.data(), flags);
}

void ExpectNear(int actual, int expected, int tolerance, const char* what) {
    EXPECT_NEAR(actual, expected, tolerance) << what;
}

TEST_F(DrawingTest, RectangleHonoursHandleOriginAndRotation) {
    gfx_set_color(255, 0, 0);
    gfx_set_handle(5, 5);
    gfx_set_origin(10, 0);
    gfx_draw_rect(100, 100, 10, 10);  // covers x 105..115, y 95..105
    EXPECT_EQ(R(PixelAt(106, 96)), 255);
    EXPECT_EQ(R(PixelAt(103, 96)), 0);
    EXPECT_EQ(R(PixelAt(106, 106)), 0);

    gfx_set_handle(0, 0);
    gfx_set_origin(0, 0);
    gfx_set_color(0, 255, 0);
    gfx_set_rotation(90);           // local +x turns to screen +y: clockwise on screen
    gfx_draw_rect(200, 20, 20, 4);  // covers x 196..200, y 20..40
    EXPECT_EQ(G(PixelAt(198, 30)), 255);
    EXPECT_EQ(G(PixelAt(202, 30)), 0);
    EXPECT_EQ(G(PixelAt(210, 22)), 0);
}

// A drawing with its own parameters looks as the same drawing made through
// the drawing state, and leaves the state as it found it; a guard puts back
// whatever a scope changed, the clip rectangle included.
TEST_F(DrawingTest, DrawingWithParametersMatchesTheStateAndLeavesItAlone) {
    const ImageHandle image = Solid(24, 8, 0xFF40C080);
    img_mid_handle(image);
    DrawParams p;
    p.rotation = 30;
    p.scale_x = 2;
    p.alpha = 0.5;
    p.r = 200;
    p.g = 100;
    p.b = 50;
    auto frame = [] { return gfx_read_pixels(0, 0, gfx_width(), gfx_height()); };

    Fill(10, 20, 30);
    gfx_set_rotation(p.rotation);
    gfx_set_scale(p.scale_x, p.scale_y);
    gfx_set_alpha(p.alpha);
    gfx_set_blend(p.blend);
    gfx_set_color(p.r, p.g, p.b);
    gfx_draw_image(image, 100, 100, 0);
    gfx_draw_rect(20, 20, 30, 10);
    const std::vector<std::uint32_t> through_state = frame();

    gfx_reset_state();
    gfx_set_origin(0, 0);
    Fill(10, 20, 30);
    gfx_set_color(9, 8, 7);
    gfx_set_rotation(-70);
    gfx_set_viewport(0, 0, 200, 256);
    const GfxState before = gfx_get_state();
    gfx_draw_image_with(image, 100, 100, 0, p);
    gfx_draw_rect_with(20, 20, 30, 10, p);
    EXPECT_TRUE(gfx_get_state() == before) << "the state is left as it was";
    gfx_set_viewport(0, 0, gfx_width(), gfx_height());
    EXPECT_TRUE(frame() == through_state) << "the same picture";

    {
        const GfxStateGuard keep;
        gfx_set_viewport(5, 5, 10, 10);
        gfx_set_scale(3, 3);
        gfx_set_blend(kBlendLight);
    }
    GfxState restored = before;
    restored.vp_w = gfx_width();
    EXPECT_TRUE(gfx_get_state() == restored);
    gfx_set_rotation(0);
    Fill(0, 0, 0);
    EXPECT_EQ(R(PixelAt(250, 250)), 0) << "the clip rectangle is the whole frame again";
}

TEST_F(DrawingTest, NegativeWidthRectangleDrawsMirrored) {
    gfx_set_color(0, 0, 255);
    gfx_draw_rect(100, 100, -20, 10);
    EXPECT_EQ(B(PixelAt(85, 105)), 255);
    EXPECT_EQ(B(PixelAt(105, 105)), 0);
}

TEST_F(DrawingTest, MirroredImageFlipsAboutItsHandle) {
    // Left half red, right half green.
    std::vector<std::uint32_t> px(8 * 8);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) px[y * 8 + x] = x < 4 ? 0xFFFF0000u : 0xFF00FF00u;
    ImageHandle image = img_from_pixels(8, 8, px.data(), 0);
    ASSERT_TRUE(image);
    gfx_draw_image(image, 20, 20, 0);
    EXPECT_EQ(PixelAt(21, 22), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(26, 22), 0xFF00FF00u);

    gfx_set_scale(-1, 1);
    gfx_draw_image(image, 100, 20, 0);  // occupies x 92..100
    EXPECT_EQ(PixelAt(98, 22), 0xFFFF0000u);
    EXPECT_EQ(PixelAt(93, 22), 0xFF00FF00u);
    EXPECT_EQ(PixelAt(102, 22) & 0xFFFFFFu, 0u);
}

TEST_F(DrawingTest, ImageRectStretchesAndMidHandleCentres) {
    ImageHandle image = Solid(4, 4, 0xFFFFFFFFu);
    img_mid_handle(image);
    EXPECT_FLOAT_EQ(image->handle_x, 2.0f);
    gfx_draw_image_rect(image, 50, 50, 40, 20, 0);  // handle (2,2) stays in local units
    EXPECT_EQ(R(PixelAt(48, 49)), 255);
    EXPECT_EQ(R(PixelAt(86, 66)), 255);
    EXPECT_EQ(R(PixelAt(90, 70)), 0);
}

TEST_F(DrawingTest, BlendModesCombineAsDocumented) {
    Fill(100, 100, 100);
    ImageHandle white = Solid(10, 10, 0xFFFFFFFFu);

    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(0.5);
    gfx_draw_image(white, 0, 0, 0);
    ExpectNear(R(PixelAt(5, 5)), 178, 2, "alpha: 100 + (255 - 100) * 0.5");

    gfx_set_blend(kBlendLight);
    gfx_set_alpha(1.0);
    gfx_set_color(50, 60, 70);
    gfx_draw_image(white, 20, 0, 0);
    const std::uint32_t lit = PixelAt(25, 5);
    ExpectNear(R(lit), 150, 1, "light adds");
    ExpectNear(G(lit), 160, 1, "light adds");
    ExpectNear(B(lit), 170, 1, "light adds");

    gfx_set_blend(kBlendShade);
    gfx_set_color(128, 255, 0);
    gfx_draw_image(white, 40, 0, 0);
    const std::uint32_t shaded = PixelAt(45, 5);
    ExpectNear(R(shaded), 50, 1, "shade multiplies");
    ExpectNear(G(shaded), 100, 1, "shade multiplies");
    ExpectNear(B(shaded), 0, 1, "shade multiplies");

    gfx_set_blend(kBlendSolid);
    gfx_set_alpha(0.2);  // ignored by solid drawing
    gfx_set_color(255, 255, 255);
    gfx_draw_image(Solid(10, 10, 0x40FF0000u), 60, 0, 0);
    EXPECT_EQ(PixelAt(65, 5) & 0xFFFFFFu, 0xFF0000u);
}

TEST_F(DrawingTest, MaskDiscardsLowAlphaAndDrawsTheRestOpaque) {
    Fill(0, 0, 255);
    std::vector<std::uint32_t> px(10 * 10);
    for (int y = 0; y < 10; ++y)
        for (int x = 0; x < 10; ++x)
            px[y * 10 + x] = x < 5 ? 0x66FF0000u : 0x9900FF00u;  // 0.4 | 0.6
    ImageHandle image = img_from_pixels(10, 10, px.data(), 0);
    gfx_set_blend(kBlendMask);
    gfx_set_alpha(0.1);  // the mask mode ignores the drawing alpha
    gfx_draw_image(image, 0, 0, 0);
    EXPECT_EQ(PixelAt(2, 5) & 0xFFFFFFu, 0x0000FFu) << "alpha 0.4 is discarded";
    EXPECT_EQ(PixelAt(7, 5) & 0xFFFFFFu, 0x00FF00u) << "alpha 0.6 is drawn opaque";
}

TEST_F(DrawingTest, ViewportClipsAndAnEmptyOneDrawsNothing) {
    gfx_set_viewport(10, 10, 20, 20);
    gfx_set_color(255, 0, 0);
    gfx_draw_rect(0, 0, 100, 100);
    EXPECT_EQ(R(PixelAt(15, 15)), 255);
    EXPECT_EQ(R(PixelAt(5, 5)), 0);
    EXPECT_EQ(R(PixelAt(35, 15)), 0);

    gfx_set_viewport(50, 50, 0, 10);
    gfx_draw_rect(0, 0, 200, 200);
    EXPECT_EQ(R(PixelAt(55, 55)), 0);

    // cls ignores the viewport.
    gfx_set_cls_color(0, 0, 40);
    gfx_cls();
    EXPECT_EQ(B(PixelAt(200, 200)), 40);
}

TEST_F(DrawingTest, ColourMultipliesImagesAndLinesHaveWidth) {
    gfx_set_color(255, 128, 0);
    gfx_draw_image(Solid(4, 4, 0xFFFFFFFFu), 0, 0, 0);
    const std::uint32_t p = PixelAt(1, 1);
    EXPECT_EQ(R(p), 255);
    ExpectNear(G(p), 128, 1, "colour multiplies");
    EXPECT_EQ(B(p), 0);

    gfx_set_color(255, 255, 255);
    gfx_set_line_width(5);
    gfx_draw_line(20, 100, 120, 100);
    EXPECT_EQ(R(PixelAt(70, 101)), 255);
    EXPECT_EQ(R(PixelAt(70, 98)), 255);
    EXPECT_EQ(R(PixelAt(70, 104)), 0);
}

TEST_F(DrawingTest, OvalFillsTheInscribedEllipse) {
    gfx_set_color(255, 255, 0);
    gfx_draw_oval(100, 100, 60, 30);
    EXPECT_EQ(R(PixelAt(130, 115)), 255);  // centre
    EXPECT_EQ(R(PixelAt(102, 102)), 0);    // corner of the box, outside
    EXPECT_EQ(R(PixelAt(104, 115)), 255);  // near the left end of the axis
}

TEST_F(DrawingTest, FrameUvDefaultsToThePowerOfTwoTexture) {
    ImageHandle image = img_create(100, 50, 2, 0);
    ASSERT_TRUE(image);
    EXPECT_TRUE(image->flags() & kImageDynamic);
    int tw = 0, th = 0;
    img_texture_size(image, &tw, &th);
    EXPECT_EQ(tw, 128);
    EXPECT_EQ(th, 64);
    double u0, v0, u1, v1;
    img_get_frame_uv(image, 1, &u0, &v0, &u1, &v1);
    EXPECT_DOUBLE_EQ(u0, 0.0);
    EXPECT_DOUBLE_EQ(u1, 100.0 / 128.0);
    EXPECT_DOUBLE_EQ(v1, 50.0 / 64.0);
}

TEST_F(DrawingTest, FrameUvSelectsPartOfTheTexture) {
    // 4 x 4 texture: left half red, right half green; show only the right half.
    std::vector<std::uint32_t> px(16);
    for (int i = 0; i < 16; ++i) px[i] = (i % 4) < 2 ? 0xFFFF0000u : 0xFF00FF00u;
    ImageHandle image = img_from_pixels(4, 4, px.data(), 0);
    img_set_frame_uv(image, 0, 0.5, 0.0, 1.0, 1.0);
    gfx_draw_image_rect(image, 0, 0, 16, 16, 0);
    EXPECT_EQ(PixelAt(2, 8) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_EQ(PixelAt(13, 8) & 0xFFFFFFu, 0x00FF00u);
}

TEST_F(DrawingTest, LockedPixelsRoundTripAndReachTheScreen) {
    ImageHandle image = img_create(8, 8, 1, 0);
    Pixmap pm = img_lock(image, 0, 1, 1);
    ASSERT_TRUE(pm.pixels);
    pix_write_pixel(pm, 3, 4, 0xFF123456u);
    pix_write_pixel(pm, 99, 4, 0xFFFFFFFFu);  // outside: ignored
    EXPECT_EQ(pix_read_pixel(pm, 3, 4), 0xFF123456u);
    EXPECT_EQ(pix_read_pixel(pm, -1, 0), 0u);
    EXPECT_EQ(pix_read_pixel(pm, 8, 8), 0u);
    img_unlock(image, 0);
    gfx_draw_image(image, 0, 0, 0);  // drawn once: the upload happens now
    EXPECT_EQ(PixelAt(3, 4) & 0xFFFFFFu, 0x123456u);

    // A second write after the first upload shows too.
    pm = img_lock(image, 0, 0, 1);
    pix_write_pixel(pm, 3, 4, 0xFF00FF00u);
    img_unlock(image, 0);
    gfx_draw_image(image, 0, 0, 0);
    EXPECT_EQ(PixelAt(3, 4) & 0xFFFFFFu, 0x00FF00u);
    EXPECT_FALSE(img_lock(image, 1, 1, 0).pixels) << "no frame 1";
    EXPECT_FALSE(img_lock(nullptr, 0, 1, 0).pixels);
}

TEST_F(DrawingTest, SharedImagesHaveTheirOwnHandleOverTheSamePixels) {
    ImageHandle image = img_create(8, 8, 1, 0);
    img_set_handle(image, 6, 2);
    ImageHandle twin = img_share(image);
    ASSERT_TRUE(twin);
    EXPECT_EQ(twin->handle_x, 0) << "a fresh handle, as after a load";
    img_mid_handle(twin);
    EXPECT_EQ(image->handle_x, 6) << "setting one handle leaves the other";
    EXPECT_EQ(twin->width(), 8);
    EXPECT_EQ(twin->frame_count(), 1);
    Pixmap pm = img_lock(image, 0, 1, 1);
    pix_write_pixel(pm, 1, 1, 0xFFABCDEFu);
    img_unlock(image, 0);
    EXPECT_EQ(pix_read_pixel(img_lock(twin, 0, 1, 0), 1, 1), 0xFFABCDEFu) << "one set of pixels";
    img_unlock(twin, 0);
    gfx_draw_image(twin, 4, 4, 0);  // drawn around its centre: pixel (1, 1) lands at (1, 1)
    EXPECT_EQ(PixelAt(1, 1) & 0xFFFFFFu, 0xABCDEFu);
    EXPECT_FALSE(img_share(nullptr));
}

class ImageFileTest : public DrawingTest {
protected:
    // Writes a PNG with `w` x `h` pixels from a function of x, y.
    template <typename F>
    std::string WritePng(const std::string& name, int w, int h, F colour) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        auto* px = static_cast<std::uint32_t*>(s->pixels);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) px[y * (s->pitch / 4) + x] = colour(x, y);
        const std::string path = dir / name;
        EXPECT_EQ(IMG_SavePNG(s, path.c_str()), 0);
        SDL_FreeSurface(s);
        return path;
    }
    test_support::TempDir dir;
};

TEST_F(ImageFileTest, MaskColourCapturedAtLoadMakesPixelsTransparent) {
    const std::string path = WritePng("m.png", 4, 1, [](int x, int) {
        return x == 0 ? 0xFFFF00FFu : (x == 1 ? 0xFF000000u : 0xFF808080u);
    });
    // Default mask colour is black.
    ImageHandle black_masked = img_load(path, -1);
    ASSERT_TRUE(black_masked);
    Pixmap pm = img_lock(black_masked, 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(pm, 0, 0), 0xFFFF00FFu);
    EXPECT_EQ(pix_read_pixel(pm, 1, 0) >> 24, 0u);

    img_set_mask_color(255, 0, 255);
    ImageHandle magenta_masked = img_load(path, -1);
    pm = img_lock(magenta_masked, 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(pm, 0, 0) >> 24, 0u);
    EXPECT_EQ(pix_read_pixel(pm, 1, 0), 0xFF000000u);
    EXPECT_EQ(magenta_masked->mask_r, 255);

    ImageHandle unmasked = img_load(path, kImageFiltered);
    pm = img_lock(unmasked, 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(pm, 0, 0), 0xFFFF00FFu);
    img_set_mask_color(0, 0, 0);
}

TEST_F(ImageFileTest, AnimationGridIsCutRowByRow) {
    // 3 x 2 cells of 4 x 4 pixels; the cell number is in the blue channel.
    const std::string path = WritePng("grid.png", 12, 8, [](int x, int y) {
        return 0xFF000000u | static_cast<std::uint32_t>(10 + (y / 4) * 3 + x / 4);
    });
    ImageHandle anim = img_load_anim(path, 4, 4, 1, 4, 0);
    ASSERT_TRUE(anim);
    EXPECT_EQ(img_frames(anim), 4);
    EXPECT_EQ(img_width(anim), 4);
    for (int f = 0; f < 4; ++f) {
        Pixmap pm = img_lock(anim, f, 1, 0);
        EXPECT_EQ(pix_read_pixel(pm, 2, 2) & 0xFF, 11u + f) << "frame " << f;
    }
    EXPECT_FALSE(img_load_anim(path, 4, 4, 3, 4, 0)) << "cells beyond the grid";
    EXPECT_FALSE(img_load_anim(path, 0, 4, 0, 1, 0));
}

TEST_F(ImageFileTest, MissingOrBrokenFilesGiveNullAndNullDrawsNothing) {
    EXPECT_FALSE(img_load(dir / "none.png", -1));
    test_support::WriteFile(dir / "junk.png", std::string("\x89PNG\r\n\x1a\nrubbish", 16));
    EXPECT_FALSE(img_load(dir / "junk.png", -1));
    gfx_draw_image(nullptr, 0, 0, 0);
    gfx_draw_image_rect(nullptr, 0, 0, 5, 5, 0);
    EXPECT_EQ(img_width(nullptr), 0);
}

TEST_F(ImageFileTest, CaseInsensitivePathsLoad) {
    std::filesystem::create_directories(dir / "sprites");
    WritePng("sprites/target.png", 2, 2, [](int, int) { return 0xFFFFFFFFu; });
    EXPECT_TRUE(img_load(dir / "Sprites/Target.PNG", -1));
}

TEST_F(DrawingTest, BuiltInFontMeasuresEightBySixteen) {
    gfx_set_font(nullptr);
    EXPECT_EQ(gfx_text_height(), 16);
    EXPECT_EQ(gfx_text_width("abc"), 24);
    EXPECT_EQ(gfx_text_width(""), 0);
    gfx_set_color(255, 255, 255);
    gfx_draw_text("||||", 0, 0);
    int lit = 0;
    for (std::uint32_t p : gfx_read_pixels(0, 0, 32, 16)) lit += R(p) > 128;
    EXPECT_GT(lit, 20);
    // Nothing is drawn below the 16-pixel line.
    for (std::uint32_t p : gfx_read_pixels(0, 16, 32, 4)) EXPECT_EQ(R(p), 0);
}

TEST_F(DrawingTest, TrueTypeTextWidthTruncatesAfterEachGlyph) {
    FontHandle font = font_load("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 25, kFontSmooth);
    ASSERT_TRUE(font);
    gfx_set_font(font);
    EXPECT_GE(gfx_text_height(), 25);
    EXPECT_LE(gfx_text_height(), 35);
    const int one = gfx_text_width("W");
    EXPECT_GT(one, 10);
    // Hinted advances are whole pixels, so widths add up exactly.
    EXPECT_EQ(gfx_text_width("WWW"), 3 * one);
    gfx_draw_text("WWW", 10, 10);
    int lit = 0;
    for (std::uint32_t p : gfx_read_pixels(10, 10, 3 * one, gfx_text_height())) lit += R(p) > 128;
    EXPECT_GT(lit, 50);
    gfx_set_font(nullptr);
}

TEST_F(DrawingTest, MissingFontFallsBackOrGivesNull) {
    // No data folder here: a Windows font path has nothing to fall back to.
    test_support::TempDir empty;
    test_support::ScopedChdir cd(empty.path());
    EXPECT_EQ(font_fallback_path("C:\\windows\\fonts\\tahoma.ttf"), "");
    EXPECT_FALSE(font_load("C:\\windows\\fonts\\tahoma.ttf", 12, 4));
    // With the data folder's fonts it loads the replacement.
    std::filesystem::create_directories("fonts");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               "fonts/DejaVuSans.ttf");
    EXPECT_EQ(font_fallback_path("C:\\windows\\fonts\\tahoma.ttf"), "fonts/DejaVuSans.ttf");
    EXPECT_TRUE(font_load("C:\\windows\\fonts\\tahoma.ttf", 12, 4));
}

TEST(NoVideo, DrawingReturnsAndImagesAndFontsKeepTheirSizes) {
    test_support::VideoEngine engine(1024, 768, /*video=*/false);
    ASSERT_TRUE(engine.ok());
    EXPECT_EQ(gfx_width(), 1024);
    ImageHandle image = img_create(30, 20, 1, -1);
    EXPECT_EQ(img_width(image), 30);
    gfx_draw_image(image, 0, 0, 0);
    gfx_draw_rect(0, 0, 10, 10);
    gfx_draw_text("hello", 0, 0);
    gfx_flip(-1);
    FontHandle font = font_load("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", 25, kFontSmooth);
    ASSERT_TRUE(font);
    gfx_set_font(font);
    EXPECT_GT(gfx_text_width("Crashmoor"), 50);
    EXPECT_GE(gfx_text_height(), 25);
    EXPECT_EQ(gfx_read_pixels(0, 0, 2, 1), std::vector<std::uint32_t>(2, 0));
}

}  // namespace
