// make_builtin_font: one-off generator for engine/builtin_font_bitmap.cpp, the engine's built-in
// 8 x 16 one-bit font (character codes 32 to 127).
//
// It rasterises DejaVu Sans Mono with FreeType in hinted monochrome mode, places every glyph in an
// 8 x 16 cell on a common baseline and prints the resulting C++ table to stdout. The tool is not
// built by CMake; the generated file is committed, so it only needs to be rerun when the
// glyph shapes should change. To regenerate, from the repository root:
//
//   FREETYPE="$(pkg-config --cflags --libs freetype2)"
//   g++ -std=c++20 -O1 tools/make_builtin_font.cpp $FREETYPE -o /tmp/mkfont
//   /tmp/mkfont > engine/builtin_font_bitmap.cpp
//
// Optional arguments override the defaults: mkfont [font.ttf [pixel_width [pixel_height]]].
// The pixel width/height are the nominal em size handed to FT_Set_Pixel_Sizes. The defaults
// (13 x 14, slightly taller than square) give a monospace advance of exactly 8 pixels, capitals
// 10 rows high and an x-height of 8 rows, while every glyph, descenders and brackets included,
// still fits in 15 of the 16 rows; one more row of height would use all 16 and let consecutive
// lines of text touch. The regular face is used rather than the bold one because at 8 pixels
// wide the bold strokes fill 'm', 'M', 'W' and '@' solid. The tool refuses to write a table if any
// glyph would be clipped, so a bad combination is caught immediately rather than producing a
// damaged font.

#include <ft2build.h>
#include FT_FREETYPE_H

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kCellWidth = 8;
constexpr int kCellHeight = 16;
constexpr int kFirstCode = 32;
constexpr int kLastCode = 127;
constexpr int kGlyphCount = kLastCode - kFirstCode + 1;

constexpr const char* kDefaultFont = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono.ttf";
constexpr int kDefaultPixelWidth = 13;
constexpr int kDefaultPixelHeight = 14;

using Cell = std::array<std::uint8_t, kCellHeight>;

// A rendered glyph, copied out of FreeType's glyph slot (which is reused by the next load).
struct Raster {
    int left = 0;     // horizontal offset of the bitmap from the pen position
    int top = 0;      // rows of the bitmap above the baseline
    int width = 0;    // bitmap width in pixels
    int rows = 0;     // bitmap height in pixels
    int advance = 0;  // hinted horizontal advance in pixels
    std::array<std::array<bool, 32>, 32> pixels{};
};

[[noreturn]] void fail(const std::string& message) {
    std::fprintf(stderr, "make_builtin_font: %s\n", message.c_str());
    std::exit(1);
}

Raster render(FT_Face face, int code) {
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_TARGET_MONO) != 0) {
        fail("cannot load glyph for code " + std::to_string(code));
    }
    FT_GlyphSlot slot = face->glyph;
    if (FT_Render_Glyph(slot, FT_RENDER_MODE_MONO) != 0) {
        fail("cannot render glyph for code " + std::to_string(code));
    }
    const FT_Bitmap& bitmap = slot->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO) {
        fail("FreeType did not return a monochrome bitmap for code " + std::to_string(code));
    }
    Raster r;
    r.left = slot->bitmap_left;
    r.top = slot->bitmap_top;
    r.width = static_cast<int>(bitmap.width);
    r.rows = static_cast<int>(bitmap.rows);
    r.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (r.width > 32 || r.rows > 32) {
        fail("glyph for code " + std::to_string(code) + " is unexpectedly large");
    }
    for (int y = 0; y < r.rows; ++y) {
        const unsigned char* row = bitmap.buffer + y * bitmap.pitch;
        for (int x = 0; x < r.width; ++x) {
            r.pixels[y][x] = (row[x >> 3] & (0x80 >> (x & 7))) != 0;
        }
    }
    return r;
}

// Column of the glyph's leftmost bitmap pixel inside the cell. The hinted advance of the font is
// the cell width, and DejaVu Sans Mono centres each design inside its advance, so the pen offset
// already centres the glyph; asymmetric shapes such as 'j' keep their designed position
// instead of being shifted by their ink. Should the advance differ from the cell, the advance box
// is centred. A glyph that pokes out of the cell (the leg of 'R' can reach one pixel past the
// advance) is pushed back inside.
int cellColumn(const Raster& r, int code) {
    const int designed = r.left + (kCellWidth - r.advance) / 2;
    int column = designed;
    if (column + r.width > kCellWidth) column = kCellWidth - r.width;
    if (column < 0) column = 0;
    if (column != designed) {
        std::fprintf(stderr, "make_builtin_font: code %d moved %d column(s) to fit the cell\n",
                     code, column - designed);
    }
    return column;
}

// DEL has no printable form; it gets a hollow box spanning the cap height, in the same spirit as
// the "missing glyph" boxes fonts commonly use, so it is visible when it shows up in text.
Cell deleteBox(int capTopRow, int baselineRow) {
    Cell cell{};
    const std::uint8_t edge = 0x7E;   // columns 1..6
    const std::uint8_t sides = 0x42;  // columns 1 and 6
    for (int y = capTopRow; y < baselineRow; ++y) {
        cell[y] = (y == capTopRow || y == baselineRow - 1) ? edge : sides;
    }
    return cell;
}

std::string describe(int code) {
    switch (code) {
        case ' ':
            return "space";
        case '\'':
            return "quote";
        case '\\':
            return "backslash";
        case 127:
            return "DEL";
        default:
            return std::string("'") + static_cast<char>(code) + "'";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* fontPath = argc > 1 ? argv[1] : kDefaultFont;
    const int pixelWidth = argc > 2 ? std::atoi(argv[2]) : kDefaultPixelWidth;
    const int pixelHeight = argc > 3 ? std::atoi(argv[3]) : kDefaultPixelHeight;
    if (pixelWidth <= 0 || pixelHeight <= 0) fail("pixel sizes must be positive");

    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) fail("cannot initialise FreeType");
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontPath, 0, &face) != 0) {
        fail(std::string("cannot open font ") + fontPath);
    }
    if (FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(pixelWidth),
                           static_cast<FT_UInt>(pixelHeight)) != 0) {
        fail("cannot set pixel size");
    }

    // Render the printable range first: the common baseline depends on the extremes of all of
    // them together.
    std::array<Raster, kGlyphCount> rasters{};
    int maxAbove = 0;  // rows above the baseline needed by the tallest glyph
    int maxBelow = 0;  // rows below the baseline needed by the deepest descender
    for (int code = kFirstCode; code < kLastCode; ++code) {
        Raster& r = rasters[code - kFirstCode];
        r = render(face, code);
        if (r.width > kCellWidth) {
            fail(describe(code) + " is " + std::to_string(r.width) + " pixels wide");
        }
        if (r.rows == 0) continue;  // space
        if (r.top > maxAbove) maxAbove = r.top;
        if (r.rows - r.top > maxBelow) maxBelow = r.rows - r.top;
    }
    if (maxAbove + maxBelow > kCellHeight) {
        fail("glyphs need " + std::to_string(maxAbove + maxBelow) + " rows, the cell has " +
             std::to_string(kCellHeight));
    }

    // Split the spare rows evenly above and below the used band (any odd row goes to the bottom,
    // where it reads as line spacing). baselineRow is the first row below the baseline.
    const int spare = kCellHeight - (maxAbove + maxBelow);
    const int baselineRow = spare / 2 + maxAbove;

    std::array<Cell, kGlyphCount> cells{};
    for (int code = kFirstCode; code < kLastCode; ++code) {
        const Raster& r = rasters[code - kFirstCode];
        Cell& cell = cells[code - kFirstCode];
        const int column = cellColumn(r, code);
        const int firstRow = baselineRow - r.top;
        for (int y = 0; y < r.rows; ++y) {
            for (int x = 0; x < r.width; ++x) {
                if (!r.pixels[y][x]) continue;
                const int cy = firstRow + y;
                const int cx = column + x;
                if (cy < 0 || cy >= kCellHeight || cx < 0 || cx >= kCellWidth) {
                    fail(describe(code) + " would be clipped");
                }
                cell[cy] |= static_cast<std::uint8_t>(0x80 >> cx);
            }
        }
    }
    const Raster& capH = rasters['H' - kFirstCode];
    cells[kLastCode - kFirstCode] = deleteBox(baselineRow - capH.top, baselineRow);

    std::string fontName = fontPath;
    if (const auto slash = fontName.find_last_of('/'); slash != std::string::npos) {
        fontName.erase(0, slash + 1);
    }

    std::printf("#include \"engine/builtin_font_bitmap.h\"\n");
    std::printf("\n");
    std::printf(
        "// Generated by tools/make_builtin_font.cpp from %s (%s),\n"
        "// rendered by FreeType in hinted monochrome at %d x %d pixels.\n"
        "// Code 127 is a hollow box. Do not edit by hand, rerun the tool instead.\n",
        fontName.c_str(), face->family_name, pixelWidth, pixelHeight);
    std::printf(
        "// DejaVu fonts: Copyright (c) 2003 by Bitstream, Inc. (Bitstream Vera Fonts licence),\n"
        "// DejaVu changes are in the public domain.\n");
    std::printf("\n");
    // One glyph per line reads best but is wider than the formatter's column limit, which would
    // otherwise break every row in two.
    std::printf("// clang-format off\n");
    std::printf("const std::uint8_t kBuiltinFontBitmap[96][16] = {\n");
    for (int code = kFirstCode; code <= kLastCode; ++code) {
        const Cell& cell = cells[code - kFirstCode];
        std::printf("    {");
        for (int y = 0; y < kCellHeight; ++y) {
            std::printf("0x%02X%s", cell[y], y + 1 < kCellHeight ? ", " : "");
        }
        std::printf("},  // %s\n", describe(code).c_str());
    }
    std::printf("};\n");
    std::printf("// clang-format on\n");

    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return 0;
}
