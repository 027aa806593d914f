// The FMP reader against the writer, hand-made files and malformed input;
// queries and drawing of the result.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "arena/fmp_writer.h"
#include "arena/tile_map.h"
#include "engine/engine.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "tests/support/test_support.h"

namespace {

using test_support::PixelAt;

// A small map: 5 x 4 blocks of 8 x 8 pixels, four blocks (block 2 solid),
// four graphics of distinct colours (graphic 3 with a transparent corner),
// two planes and two animations.
FmpMapData SampleMap() {
    FmpMapData m;
    m.width = 5;
    m.height = 4;
    m.block_width = m.block_height = 8;
    for (int i = 0; i < 4; ++i) {
        BLKSTR b;
        b.gfx0 = i;
        b.gfx1 = (i + 1) % 4;
        b.user1 = 1000 + i;
        b.user2 = -7 * i;
        b.user3 = -3;
        b.user4 = 300;
        b.user5 = 9;
        b.user7 = 200;
        b.bit0 = i == 2;
        b.bit5 = i == 3;
        m.blocks.push_back(b);
    }
    const std::uint32_t colours[4] = {0xFF204080u, 0xFFF0C010u, 0xFF808080u, 0xFF10A040u};
    for (std::uint32_t c : colours) m.graphics.emplace_back(64, c);
    m.graphics[3][0] = 0;  // transparent pixel, written in the key colour
    m.planes.resize(2);
    for (int row = 0; row < m.height; ++row)
        for (int col = 0; col < m.width; ++col) m.planes[0].push_back((col + row) % 4);
    m.planes[0][6] = -1;  // animated cell (1, 1)
    m.planes[0][7] = -2;
    m.planes[1].assign(20, 1);
    ANISTR a1;
    a1.type = 1;
    a1.delay = 4;
    a1.current = 1;
    a1.start = 0;
    a1.end = 2;
    ANISTR a2 = a1;
    a2.type = 2;
    a2.current = 2;
    m.anims = {a1, a2};
    m.frames = {0, 2, 3};
    return m;
}

TileMap Read(const std::string& bytes, int layers = 2) {
    TileMap map;
    map.LoadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), layers);
    return map;
}

class TileMapTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    test_support::HeadlessEngine engine;
};

void ExpectSameMap(const TileMap& map, const FmpMapData& m, int depth) {
    ASSERT_EQ(map.ErrorCode, 0);
    ASSERT_EQ(map.MapWidth, m.width);
    ASSERT_EQ(map.MapHeight, m.height);
    EXPECT_EQ(map.BlockWidth, 8);
    EXPECT_EQ(map.BlockDepth, depth);
    for (std::size_t plane = 0; plane < m.planes.size(); ++plane)
        for (int row = 0; row < m.height; ++row)
            for (int col = 0; col < m.width; ++col)
                EXPECT_EQ(map.Cell(col, row, static_cast<int>(plane)),
                          m.planes[plane][row * m.width + col])
                    << "plane " << plane << " cell " << col << "," << row;
    ASSERT_GE(map.Blocks.size(), m.blocks.size());
    for (std::size_t i = 0; i < m.blocks.size(); ++i) {
        const BLKSTR& a = map.Blocks[i];
        const BLKSTR& b = m.blocks[i];
        EXPECT_EQ(a.gfx0, b.gfx0);
        EXPECT_EQ(a.gfx1, b.gfx1);
        EXPECT_EQ(a.user1, b.user1);
        EXPECT_EQ(a.user2, b.user2);
        EXPECT_EQ(a.user3, b.user3);
        EXPECT_EQ(a.user4, b.user4);
        EXPECT_EQ(a.user5, b.user5);
        EXPECT_EQ(a.user7, b.user7);
        EXPECT_EQ(a.bit0, b.bit0);
        EXPECT_EQ(a.bit5, b.bit5);
    }
    EXPECT_EQ(map.AnimCount, 3);
    EXPECT_EQ(map.Anims[1].type, 1);
    EXPECT_EQ(map.Anims[2].current, 2);
    EXPECT_EQ(map.Anims[3].type, 255);
    ASSERT_GE(map.FrameTable.size(), 3u);
    EXPECT_EQ(map.FrameTable[1], 2);
    // Graphics: colours survive within the depth's precision, the key
    // colour is transparent.
    const int tolerance = depth == 15 || depth == 16 ? 8 : 0;
    for (int g = 0; g < 4; ++g) {
        ASSERT_TRUE(map.BlockImages[static_cast<std::size_t>(g)]);
        Pixmap pm = img_lock(map.BlockImages[static_cast<std::size_t>(g)], 0, 1, 0);
        const std::uint32_t want = m.graphics[static_cast<std::size_t>(g)][5];
        const std::uint32_t got = pix_read_pixel(pm, 5, 0);
        EXPECT_EQ(got >> 24, 255u);
        for (int shift : {0, 8, 16})
            EXPECT_NEAR(static_cast<int>((got >> shift) & 0xFF),
                        static_cast<int>((want >> shift) & 0xFF), tolerance);
    }
    Pixmap corner = img_lock(map.BlockImages[3], 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(corner, 0, 0) >> 24, 0u);
}

TEST_F(TileMapTest, EveryTypeOrderAndDepthRoundTrips) {
    const FmpMapData m = SampleMap();
    for (int type : {0, 1, 2}) {
        for (bool little : {true, false}) {
            for (int depth : {8, 15, 16, 24, 32}) {
                SCOPED_TRACE("type " + std::to_string(type) + (little ? " little " : " big ") +
                             std::to_string(depth));
                FmpWriteOptions o;
                o.map_type = type;
                o.little_endian = little;
                o.block_depth = depth;
                const TileMap map = Read(WriteFmp(m, o));
                EXPECT_EQ(map.LittleEndian, little ? 1 : 0);
                ExpectSameMap(map, m, depth);
            }
        }
    }
}

TEST_F(TileMapTest, EditorChunksAnywhereAreSkipped) {
    FmpWriteOptions o;
    o.extra_chunks = true;
    ExpectSameMap(Read(WriteFmp(SampleMap(), o)), SampleMap(), 32);
}

TEST_F(TileMapTest, ShortHeaderTakesTheDefaultKeyAndGaps) {
    FmpMapData m = SampleMap();
    m.key_red = 1;  // not written: the header ends before the key
    FmpWriteOptions o;
    o.header_length = 24;
    const TileMap map = Read(WriteFmp(m, o));
    EXPECT_EQ(map.KeyRed, 255);
    EXPECT_EQ(map.KeyGreen, 0);
    EXPECT_EQ(map.KeyBlue, 255);
    EXPECT_EQ(map.KeyColour, 0xFF00FF);
    EXPECT_EQ(map.GapX, 8);
    EXPECT_EQ(map.GapY, 8);
    EXPECT_EQ(map.StaggerX, 0);
    o.header_length = 28;
    EXPECT_EQ(Read(WriteFmp(m, o)).KeyRed, 1);
}

// Builds a file from raw chunks (tag + data), with a big-endian header.
std::string Chunk(const std::string& tag, const std::string& data) {
    const auto n = static_cast<std::uint32_t>(data.size());
    std::string s = tag;
    for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    return s + data;
}
std::string Form(const std::string& chunks) {
    const auto n = static_cast<std::uint32_t>(chunks.size() + 4);
    std::string s = "FORM";
    for (int i = 3; i >= 0; --i) s.push_back(static_cast<char>((n >> (8 * i)) & 0xFF));
    return s + "FMAP" + chunks;
}
std::string Be16(int v) {
    return {static_cast<char>((v >> 8) & 0xFF), static_cast<char>(v & 0xFF)};
}
std::string Be32(int v) {
    return Be16(v >> 16) + Be16(v & 0xFFFF);
}
// A big-endian header of the given type and size, 32-pixel blocks.
std::string Header(int type, int w, int h, int structs = 4, int gfx = 0, int struct_size = 32,
                   int depth = 32) {
    return Chunk("MPHD", std::string{1, 0, 0, static_cast<char>(type)} + Be16(w) + Be16(h) +
                             Be16(0) + Be16(0) + Be16(32) + Be16(32) + Be16(depth) +
                             Be16(struct_size) + Be16(structs) + Be16(gfx));
}

TEST_F(TileMapTest, RunLengthRowsExpandAndClamp) {
    // Row 0: count 3, a b c, then count -2 and d: a b c d d.
    const std::string row0 = Be16(3) + Be16(1) + Be16(2) + Be16(3) + Be16(-2) + Be16(4);
    // Row 1: a run of 9 into a 5-wide row is clamped; zero counts store nothing.
    const std::string row1 = Be16(0) + Be16(7) + Be16(-9) + Be16(5);
    const TileMap map = Read(Form(Header(2, 5, 2) + Chunk("BODY", row0 + row1)));
    const int want0[5] = {1, 2, 3, 4, 4};
    for (int c = 0; c < 5; ++c) EXPECT_EQ(map.Cell(c, 0, 0), want0[c]);
    for (int c = 0; c < 5; ++c) EXPECT_EQ(map.Cell(c, 1, 0), 5);
    // A body of nothing but zero counts ends with the chunk.
    const TileMap zeros = Read(Form(Header(2, 5, 2) + Chunk("BODY", std::string(4000, '\0'))));
    EXPECT_EQ(zeros.Cell(0, 0, 0), 0);
}

TEST_F(TileMapTest, TypeZeroCellsAreScaled) {
    const TileMap map = Read(Form(Header(0, 2, 1) + Chunk("BODY", Be16(-32) + Be16(96))));
    EXPECT_EQ(map.Cell(0, 0, 0), -2);
    EXPECT_EQ(map.Cell(1, 0, 0), 3);
    // A block record size of 0 does not divide by zero.
    const TileMap zero = Read(Form(Header(0, 2, 1, 4, 0, 0) + Chunk("BODY", Be16(-32) + Be16(96))));
    EXPECT_EQ(zero.Cell(1, 0, 0), 96);
}

TEST_F(TileMapTest, AnimationChunkWithOnlyTheEndMarker) {
    // Eight bytes of frame table, then the end marker.
    const std::string andt = Be32(4) + Be32(5) + std::string{static_cast<char>(255), 0, 0, 0} +
                             Be32(0) + Be32(0) + Be32(0);
    const TileMap map = Read(Form(Header(1, 2, 2) + Chunk("ANDT", andt)));
    EXPECT_EQ(map.AnimCount, 1);
    EXPECT_EQ(map.Anims[1].type, 255);
    ASSERT_EQ(map.FrameTable.size(), 3u);  // 8 / 4 + 1
    EXPECT_EQ(map.FrameTable[0], 4);
    EXPECT_EQ(map.FrameTable[1], 5);
    // Without an end marker: no animations.
    const TileMap none = Read(Form(Header(1, 2, 2) + Chunk("ANDT", std::string(40, '\x01'))));
    EXPECT_EQ(none.AnimCount, 0);
}

// 999 animations and their end marker fit; one more is refused with a line.
TEST_F(TileMapTest, TooManyAnimationsAreRefusedWithAConsoleLine) {
    std::string lines;
    log_set_sink([&lines](const std::string& text, int) { lines += text + "\n"; });
    const std::string record = std::string{1, 0, 0, 0} + Be32(0) + Be32(0) + Be32(0);
    const std::string end =
        std::string{static_cast<char>(255), 0, 0, 0} + Be32(0) + Be32(0) + Be32(0);
    auto chunk = [&](int records) {
        std::string andt = end;
        for (int i = 0; i < records; ++i) andt += record;
        return Chunk("ANDT", andt);
    };
    const TileMap most = Read(Form(Header(1, 2, 2) + chunk(TileMap::kMaxAnims)));
    EXPECT_EQ(most.AnimCount, TileMap::kMaxAnims + 1) << "the animations and the end marker";
    EXPECT_EQ(lines, "");
    const TileMap map = Read(Form(Header(1, 2, 2) + chunk(TileMap::kMaxAnims + 1)));
    log_set_sink(nullptr);
    EXPECT_EQ(map.AnimCount, 0);
    EXPECT_NE(lines.find("animations"), std::string::npos);
}

TEST_F(TileMapTest, QueriesUseTruncatingDivisionAndStayInsideTheGrid) {
    FmpMapData m = SampleMap();
    m.block_width = m.block_height = 32;
    for (auto& g : m.graphics) g.assign(32 * 32, 0xFF000000u);
    m.planes[0].assign(20, 0);
    m.planes[0][1] = 2;  // cell (1, 0) solid
    const TileMap map = Read(WriteFmp(m, FmpWriteOptions{}));
    EXPECT_EQ(map.SolidAt(31, 0), 0);
    EXPECT_EQ(map.SolidAt(32, 0), 1);
    EXPECT_EQ(map.SolidAt(63, 31), 1);
    EXPECT_EQ(map.SolidAt(-10, 5), 0);  // column 0
    EXPECT_EQ(map.BlockAt(-5, 0).gfx0, 0) << "outside reads as block 0";
    EXPECT_EQ(map.BlockAt(99, 99).gfx0, 0);
    EXPECT_EQ(map.SolidAt(100000, -100000), 0);
}

TEST_F(TileMapTest, AnimatedCellsFollowTheirCurrentFrame) {
    FmpMapData m = SampleMap();
    m.anims[1].current = 5;  // record 2
    m.frames = {0, 0, 0, 0, 0, 2};
    m.planes[0][0] = -2;
    const TileMap map = Read(WriteFmp(m, FmpWriteOptions{}));
    EXPECT_EQ(map.BlockAt(0, 0).gfx0, 2);
    EXPECT_EQ(map.SolidAt(0, 0), 1);
}

TEST_F(TileMapTest, IndexesOutsideTheirTablesAreNotSolid) {
    FmpMapData m = SampleMap();
    m.planes[0][0] = 77;      // no such block
    m.planes[0][1] = -2000;   // beyond the animation table
    m.anims[0].current = 40;  // record 1 points past the frame table
    m.planes[0][2] = -1;
    const TileMap map = Read(WriteFmp(m, FmpWriteOptions{}));
    for (int c = 0; c < 3; ++c) {
        EXPECT_EQ(map.SolidAt(c * 8, 0), 0);
        EXPECT_EQ(map.BlockAt(c, 0).gfx0, -1);
    }
}

TEST_F(TileMapTest, MalformedHeadersAreRefused) {
    EXPECT_EQ(Read(Form(Header(1, 0, 5))).ErrorCode, 3);
    EXPECT_EQ(Read(Form(Header(1, 5, -1))).ErrorCode, 3);
    EXPECT_EQ(Read(Form(Header(4, 5, 5))).ErrorCode, 3);
    EXPECT_EQ(Read(Form(Header(1, 32767, 32767))).ErrorCode, 3) << "too many cells";
    // The cell budget counts every plane: 2047 x 2047 blocks (with the spare
    // row and column) fit in four planes, not in five.
    EXPECT_EQ(Read(Form(Header(1, 2047, 2047)), 3).ErrorCode, 0);
    EXPECT_EQ(Read(Form(Header(1, 2047, 2047)), 4).ErrorCode, 3);
    TileMap bad = Read("FORX" + Be32(4) + "FMAP");
    EXPECT_EQ(bad.ErrorCode, 1);
    // A refused header leaves an empty map that answers safely.
    EXPECT_EQ(bad.MapWidth, 0);
    EXPECT_EQ(bad.SolidAt(5, 5), 0);
}

TEST_F(TileMapTest, HigherLayersAndEarlyLayersAreSkipped) {
    const std::string body = Be16(1) + Be16(1);
    const TileMap map = Read(
        Form(Chunk("BODY", body) + Header(1, 2, 1) + Chunk("LYR3", body) + Chunk("LYR2", body)));
    EXPECT_EQ(map.Cell(0, 0, 0), 0) << "a layer before the header has no grid";
    EXPECT_EQ(map.Cell(0, 0, 2), 1);
    EXPECT_EQ(map.Cell(0, 0, 3), 0);
}

TEST_F(TileMapTest, TruncatedAndOvershootingFilesLoadSafely) {
    FmpWriteOptions o;
    o.extra_chunks = true;
    const std::string good = WriteFmp(SampleMap(), o);
    for (std::size_t cut = 0; cut < good.size(); ++cut) {
        TileMap map = Read(good.substr(0, cut));
        map.SolidAt(8, 8);
        map.BlockAt(2, 2);
    }
    // Lengths that overshoot: form length and a chunk length far too big.
    std::string over = good;
    over[4] = over[5] = static_cast<char>(0x7F);
    EXPECT_EQ(Read(over).MapWidth, 5);
    std::string chunk_over = Form(Header(1, 2, 2) + "BODY" + Be32(0x7FFFFFFF) + Be16(1));
    EXPECT_EQ(Read(chunk_over).Cell(0, 0, 0), 1);
    // Negative counts in the header.
    std::string negative = Form(Header(1, 2, 2, -5, -3) + Chunk("BKDT", std::string(64, '\x01')) +
                                Chunk("BGFX", std::string(64, '\x02')));
    EXPECT_EQ(Read(negative).BlockStructCount, 0);
}

TEST_F(TileMapTest, UnknownDepthLeavesABlankFirstGraphic) {
    const TileMap map =
        Read(Form(Header(1, 2, 2, 1, 3, 32, 12) + Chunk("BGFX", std::string(100, '\x05'))));
    EXPECT_TRUE(map.BlockImages[0]);
    EXPECT_FALSE(map.BlockImages[1]);
}

TEST_F(TileMapTest, MissingFileLeavesAnEmptyMapAndSaysSo) {
    std::string lines;
    log_set_sink([&lines](const std::string& text, int) { lines += text; });
    TileMap map = Read(WriteFmp(SampleMap(), FmpWriteOptions{}));
    map.Load("/no/such/Arenas/x.FMP", 2);
    log_set_sink(nullptr);
    EXPECT_EQ(map.MapWidth, 0);
    EXPECT_EQ(map.SolidAt(0, 0), 0);
    EXPECT_NE(lines.find("/no/such/Arenas/x.FMP"), std::string::npos);
}

class TileMapDrawing : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(video.ok()); }
    test_support::VideoEngine video{256, 128};
};

// A map of 32-pixel blocks whose column c is drawn in colour c (blue = c).
TileMap ColumnMap(int columns, int rows) {
    FmpMapData m;
    m.width = columns;
    m.height = rows;
    m.block_width = m.block_height = 32;
    for (int c = 0; c < columns; ++c) {
        BLKSTR b;
        b.gfx0 = c;
        m.blocks.push_back(b);
        m.graphics.emplace_back(32 * 32, 0xFF800000u | static_cast<std::uint32_t>(10 + c));
    }
    m.planes.resize(1);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) m.planes[0].push_back(c);
    return Read(WriteFmp(m, FmpWriteOptions{}));
}

TEST_F(TileMapDrawing, ScrolledViewStartsMidBlock) {
    TileMap map = ColumnMap(12, 6);
    map.DrawMap(40, 0, 0, 0, 256, 128);
    EXPECT_EQ(test_support::B(PixelAt(0, 5)), 11) << "column 1 drawn at x = -8";
    EXPECT_EQ(test_support::B(PixelAt(23, 5)), 11);
    EXPECT_EQ(test_support::B(PixelAt(24, 5)), 12);
}

// Staggered rows come in pairs: the even row shifted back by the stagger,
// the odd row after it, GapY apart per pair. A gap of 0 or less cannot step
// through the rows: such a map draws as a rectangular one.
TEST_F(TileMapDrawing, StaggeredRowsAndAMapWithoutAGap) {
    TileMap map = ColumnMap(12, 6);
    map.GapX = 32;
    map.GapY = 64;
    map.StaggerX = map.StaggerY = 16;
    map.DrawMap(0, 0, 0, 0, 256, 128);
    // Rows 0 and 1 at y -16 and 0; rows 2 and 3 at y 48 and 64.
    EXPECT_EQ(PixelAt(20, 40) & 0xFFFFFFu, 0u) << "between the pairs of rows";
    EXPECT_EQ(test_support::B(PixelAt(20, 50)), 11) << "an even row starts at x = -16";
    EXPECT_EQ(test_support::B(PixelAt(20, 70)), 10) << "an odd row starts at x = 0";

    gfx_cls();
    map.GapX = 0;
    map.DrawMap(0, 0, 0, 0, 256, 128);
    EXPECT_EQ(test_support::B(PixelAt(20, 50)), 10);
    EXPECT_EQ(test_support::B(PixelAt(40, 5)), 11);
}

TEST_F(TileMapDrawing, RestoresTheDrawingState) {
    TileMap map = ColumnMap(12, 6);
    gfx_set_color(10, 20, 30);
    gfx_set_alpha(0.25);
    gfx_set_blend(kBlendLight);
    gfx_set_viewport(3, 4, 50, 60);
    map.DrawMap(0, 0, 10, 10, 100, 50);
    int r, g, b, x, y, w, h;
    gfx_get_color(&r, &g, &b);
    gfx_get_viewport(&x, &y, &w, &h);
    EXPECT_EQ(r, 10);
    EXPECT_EQ(b, 30);
    EXPECT_DOUBLE_EQ(gfx_get_alpha(), 0.25);
    EXPECT_EQ(gfx_get_blend(), kBlendLight);
    EXPECT_EQ(x, 3);
    EXPECT_EQ(h, 60);
    // The view was clipped to its rectangle.
    EXPECT_EQ(PixelAt(5, 5) & 0xFFFFFFu, 0u);
    EXPECT_NE(PixelAt(15, 15) & 0xFFFFFFu, 0u);
}

TEST_F(TileMapDrawing, ViewLargerThanTheMapDrawsOnlyTheMap) {
    TileMap map = ColumnMap(3, 2);  // 96 x 64 pixels
    map.DrawMap(0, 0, 0, 0, 256, 128);
    EXPECT_EQ(test_support::B(PixelAt(95, 63)), 12);
    EXPECT_EQ(PixelAt(100, 10) & 0xFFFFFFu, 0u);
    EXPECT_EQ(PixelAt(10, 70) & 0xFFFFFFu, 0u);
}

}  // namespace
