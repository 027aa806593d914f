// Sprite sheets drawn cell by cell, frame sequences and the frame counter.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "engine/clock.h"
#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;
using test_support::B;
using test_support::G;
using test_support::PixelAt;
using test_support::R;

// A sheet of 25 x 25 cells, cell i painted with red i * 30, and its left
// half green 255, right half green 0.
void WriteSheet(const char* path, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height));
    const int cols = width / 25;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t cell = static_cast<std::uint32_t>((y / 25) * cols + x / 25);
            const std::uint32_t green = x % 25 < 12 ? 255u : 0u;
            pixels[static_cast<std::size_t>(y * width + x)] =
                0xFF000000u | ((cell * 30) << 16) | (green << 8) | 7u;
        }
    }
    ASSERT_EQ(pix_save_png(width, height, pixels.data(), path), 1);
}

TEST_F(KitTest, SheetCellsAreFractionsOfThePowerOfTwoTexture) {
    WriteSheet("sheet.png", 100, 50);
    const auto anim = kit_TAnimImage::Load("sheet.png", 25, 25, 0, 0, -1);
    ASSERT_EQ(anim->CellCount(), 8);
    EXPECT_EQ(debug.back(), "Loaded in image with 8 frames.");
    EXPECT_FLOAT_EQ(anim->U0[5], 25.0f / 128);
    EXPECT_FLOAT_EQ(anim->U1[5], 50.0f / 128);
    EXPECT_FLOAT_EQ(anim->V0[5], 25.0f / 64);
    EXPECT_FLOAT_EQ(anim->V1[5], 50.0f / 64);
    EXPECT_FLOAT_EQ(anim->U0[3], 75.0f / 128);
    EXPECT_FLOAT_EQ(anim->V0[3], 0.0f);
    int tw = 0, th = 0;
    img_texture_size(anim->Image, &tw, &th);
    EXPECT_EQ(tw, 128) << "the engine stores the sheet as the cells assume";
    EXPECT_EQ(th, 64);
}

TEST_F(KitTest, SheetsWithoutAWholeCellHaveNoCells) {
    WriteSheet("narrow.png", 20, 50);
    EXPECT_EQ(kit_TAnimImage::Load("narrow.png", 25, 25, 0, 0, -1)->CellCount(), 0);
    WriteSheet("sheet.png", 100, 50);
    EXPECT_EQ(kit_TAnimImage::Load("sheet.png", 0, 25, 0, 0, -1)->CellCount(), 0);
    EXPECT_EQ(kit_TAnimImage::Load("sheet.png", 25, 0, 0, 0, -1)->CellCount(), 0);
    EXPECT_EQ(kit_TAnimImage::Load("sheet.png", 30, 30, 0, 0, -1)->CellCount(), 3)
        << "only whole cells: three across, one row";
    const auto missing = kit_TAnimImage::Load("missing.png", 25, 25, 0, 0, -1);
    EXPECT_EQ(missing->CellCount(), 0);
    ASSERT_EQ(console.size(), 1u);
    EXPECT_NE(console[0].find("missing.png"), std::string::npos);
    missing->Draw(10, 10, 25, 25, 0);  // nothing to draw
}

TEST_F(KitTest, DrawingACellShowsThatCellMirroredOnRequest) {
    WriteSheet("sheet.png", 100, 50);
    const auto anim = kit_TAnimImage::Load("sheet.png", 25, 25, 5, 5, 0);
    gfx_cls();
    anim->Draw(105, 105, 25, 25, 5);
    EXPECT_EQ(R(PixelAt(101, 101)), 150) << "cell 5, placed by the handle";
    EXPECT_EQ(G(PixelAt(101, 101)), 255);
    EXPECT_EQ(G(PixelAt(123, 101)), 0);
    anim->Draw(205, 105, 25, 25, 6, 1, 0);
    EXPECT_EQ(R(PixelAt(201, 101)), 180);
    EXPECT_EQ(G(PixelAt(201, 101)), 0) << "mirrored: the right half shows on the left";
    EXPECT_EQ(G(PixelAt(223, 101)), 255);
    anim->Draw(305, 105, 50, 50, 2, 0, 1);
    EXPECT_EQ(R(PixelAt(320, 120)), 60) << "stretched";
    // A flip of 2 collapses the cell's columns onto the sheet's first one.
    anim->Draw(405, 105, 25, 25, 2, 2, 0);
    EXPECT_EQ(R(PixelAt(420, 110)), 0);
    EXPECT_EQ(G(PixelAt(420, 110)), 255);
    anim->Draw(505, 105, 25, 25, 8);  // out of range
    anim->Draw(505, 105, 25, 25, -1);
    EXPECT_EQ(B(PixelAt(510, 110)), 0);

    EXPECT_FLOAT_EQ(kit_TAnimImage::NextPow2(100), 128);
    EXPECT_FLOAT_EQ(kit_TAnimImage::NextPow2(64), 64);
    EXPECT_FLOAT_EQ(kit_TAnimImage::NextPow2(0), 1);
    anim->Free();
    EXPECT_EQ(anim->Image, nullptr);
    anim->Draw(105, 105, 25, 25, 5);
}

TEST(KitAnimation, FramesWrapAfterTheLast) {
    const auto anim = kit_TAnimation::Create();
    EXPECT_EQ(anim->NextFrame(0), 0) << "no frames";
    anim->AddFrame(4, 0.1f);
    anim->AddFrame(7, 0.25f);
    anim->AddFrame(2, 0.5f);
    EXPECT_EQ(anim->NextFrame(0), 1);
    EXPECT_EQ(anim->NextFrame(2), 0);
    EXPECT_EQ(anim->FrameIndex(1), 7);
    EXPECT_FLOAT_EQ(anim->FrameDuration(2), 0.5f);
    EXPECT_EQ(anim->FrameIndex(3), 0);
    EXPECT_FLOAT_EQ(anim->FrameDuration(-1), 0.0f);
}

TEST_F(KitTest, TheFrameCounterCountsFramesPerSecondOfTheEngineClock) {
    clock_set_fixed_step(1.0 / 60.0);
    clock_advance_frame();
    kit_FPS::Update();
    EXPECT_EQ(kit_FPS::GetFPS(), 1) << "the first count";
    for (int i = 0; i < 61; ++i) {
        clock_advance_frame();
        kit_FPS::Update();
    }
    EXPECT_NEAR(kit_FPS::GetFPS(), 60, 1);
    EXPECT_EQ(kit_FPS::GetTotalFrames(), 62);
    clock_set_fixed_step(0);
    kit_Initialise();
    EXPECT_EQ(kit_FPS::GetTotalFrames(), 0);
}

}  // namespace
