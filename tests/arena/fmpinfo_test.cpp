// The map tool: its figures and its picture of a written map.

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <zlib.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "arena/fmp_writer.h"
#include "tests/support/test_support.h"

namespace {

TEST(FmpInfo, PrintsTheHeaderAndTheCellChecksumAndRenders) {
    test_support::TempDir dir;
    FmpMapData m;
    m.width = 3;
    m.height = 2;
    m.block_width = m.block_height = 4;
    BLKSTR b;
    m.blocks = {b, b};
    m.blocks[1].gfx0 = 1;
    m.graphics = {std::vector<std::uint32_t>(16, 0xFFFF0000u),
                  std::vector<std::uint32_t>(16, 0xFF0000FFu)};
    m.graphics[1][0] = 0;  // transparent: the dark grey shows through
    m.planes = {{0, 1, 0, 1, 1, -3}};
    FmpWriteOptions o;
    o.map_type = 2;
    o.little_endian = false;
    o.block_depth = 24;
    test_support::WriteFile(dir / "m.FMP", WriteFmp(m, o));

    const std::string out = dir / "out.txt";
    const std::string command = std::string("'") + FMPINFO_BINARY + "' '" + (dir / "m.FMP") +
                                "' --png '" + (dir / "m.png") + "' > '" + out + "'";
    const int status = std::system(command.c_str());
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    const std::string text = test_support::ReadFile(out);
    for (const char* line :
         {"map_type: 2\n", "byte_order: big\n", "map_width: 3\n", "map_height: 2\n",
          "block_width: 4\n", "block_depth: 24\n", "block_struct_count: 2\n",
          "block_gfx_count: 2\n", "anim_count: 0\n", "error_code: 0\n", "key_colour: FF00FF\n"}) {
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    }
    // zlib's CRC-32 of the cells as little-endian 32-bit values, row by row.
    const std::int32_t cells[6] = {0, 1, 0, 1, 1, -3};
    unsigned char bytes[24];
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 4; ++k)
            bytes[i * 4 + k] =
                static_cast<unsigned char>(static_cast<std::uint32_t>(cells[i]) >> (8 * k));
    char expected[32];
    std::snprintf(expected, sizeof expected, "cells_crc32: %08lx\n", crc32(0L, bytes, 24));
    EXPECT_NE(text.find(expected), std::string::npos) << text;

    // The picture as ARGB pixels, and its size.
    struct Picture {
        int w = 0, h = 0;
        std::vector<std::uint32_t> pixels;
        std::uint32_t At(int x, int y) const {
            return pixels[static_cast<std::size_t>(y * w + x)] & 0xFFFFFFu;
        }
    };
    auto load = [](const std::string& path) {
        Picture p;
        SDL_Surface* png = IMG_Load(path.c_str());
        if (!png) return p;
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(png, SDL_PIXELFORMAT_ARGB8888, 0);
        p.w = argb->w;
        p.h = argb->h;
        for (int y = 0; y < p.h; ++y) {
            const auto* row = reinterpret_cast<const std::uint32_t*>(
                static_cast<const char*>(argb->pixels) + y * argb->pitch);
            p.pixels.insert(p.pixels.end(), row, row + p.w);
        }
        SDL_FreeSurface(argb);
        SDL_FreeSurface(png);
        return p;
    };
    const Picture full = load(dir / "m.png");
    ASSERT_EQ(full.w, 12);
    ASSERT_EQ(full.h, 8);
    EXPECT_EQ(full.At(1, 1), 0xFF0000u);  // cell (0,0): red block
    EXPECT_EQ(full.At(5, 1), 0x0000FFu);  // cell (1,0): blue block
    EXPECT_EQ(full.At(4, 0), 0x303030u);  // its transparent corner
    EXPECT_EQ(full.At(9, 5), 0x303030u);  // cell (2,1) has no block: background

    // A map larger than the picture may be is drawn at a whole fraction of
    // its size, and the tool says so.
    const std::string err = dir / "err.txt";
    const std::string scaled = std::string("'") + FMPINFO_BINARY + "' '" + (dir / "m.FMP") +
                               "' --png '" + (dir / "half.png") +
                               "' --max-pixels 24 > /dev/null 2> '" + err + "'";
    const int scaled_status = std::system(scaled.c_str());
    ASSERT_TRUE(WIFEXITED(scaled_status) && WEXITSTATUS(scaled_status) == 0);
    EXPECT_NE(test_support::ReadFile(err).find("at 1/2"), std::string::npos)
        << test_support::ReadFile(err);
    const Picture half = load(dir / "half.png");
    ASSERT_EQ(half.w, 6);
    ASSERT_EQ(half.h, 4);
    EXPECT_EQ(half.At(0, 0), 0xFF0000u);  // pixel (0, 0)
    EXPECT_EQ(half.At(2, 0), 0x303030u);  // pixel (4, 0): the transparent corner
    EXPECT_EQ(half.At(3, 0), 0x0000FFu);  // pixel (6, 0)
}

}  // namespace
