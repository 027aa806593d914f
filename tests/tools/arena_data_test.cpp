// The shipped arenas: every arena file parses as the game reads it, its tile
// map loads, and the layout keeps the rules the game and its computer drivers
// rely on (solid edge, obstacle boxes that match the solid blocks, lanes wide
// enough for cars, room round every respawn point and pickup, fair pickups).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "arena/tile_map.h"
#include "engine/engine.h"
#include "engine/image.h"
#include "tests/support/test_support.h"

namespace {

struct Spot {
    int column = 0, row = 0;
};

struct Box {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
};

struct Arena {
    std::string file;  // "Arenas/x.arn"
    std::string map_name;
    std::vector<Box> boxes;
    std::vector<Spot> health, weapons, spawns, secondary;
    std::unique_ptr<TileMap> map;
};

bool PlainInteger(const std::string& s) {
    if (s.empty()) return false;
    const std::size_t start = s[0] == '-' ? 1 : 0;
    if (start == s.size()) return false;
    return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(start), s.end(),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// Reads an arena file the way the game does: five free lines, the map name,
// then counts and integers one per line. Empty on success, else the fault.
std::string ParseArena(const std::string& text, Arena& a) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    if (lines.size() < 6) return "fewer than six lines";
    a.map_name = lines[5];
    std::size_t at = 6;
    std::string fault;
    auto next = [&]() -> int {
        if (at >= lines.size()) {
            if (fault.empty()) fault = "ends early";
            return 0;
        }
        const std::string& s = lines[at++];
        if (!PlainInteger(s)) {
            if (fault.empty()) fault = "line " + std::to_string(at) + " is not a plain integer";
            return 0;
        }
        return std::stoi(s);
    };
    auto count = [&]() {
        const int n = next();
        if (n < 0 || n > 10000) {
            if (fault.empty()) fault = "bad count at line " + std::to_string(at);
            return 0;
        }
        return n;
    };
    for (int n = count(), i = 0; i < n && fault.empty(); ++i) {
        Box b;
        b.c1 = next();
        b.r1 = next();
        b.c2 = next();
        b.r2 = next();
        a.boxes.push_back(b);
    }
    auto spots = [&](std::vector<Spot>& list, bool unread) {
        for (int n = count(), i = 0; i < n && fault.empty(); ++i) {
            Spot s;
            s.column = next();
            s.row = next();
            if (unread) next();
            list.push_back(s);
        }
    };
    spots(a.health, false);
    spots(a.weapons, false);
    spots(a.spawns, true);
    spots(a.secondary, true);
    if (!fault.empty()) return fault;
    for (; at < lines.size(); ++at)
        if (!lines[at].empty()) return "text after the last item";
    return "";
}

class ArenaData : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        EngineOptions options;
        options.video = false;
        options.audio = false;
        engine_ = std::make_unique<Engine>(options);
        ASSERT_TRUE(engine_->ok());
        test_support::ScopedChdir cd(CRASHMOOR_DATA_DIR);
        std::vector<std::string> names;
        for (const auto& e : std::filesystem::directory_iterator("Arenas"))
            if (e.is_regular_file() && e.path().extension() == ".arn")
                names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        for (const std::string& name : names) {
            auto a = std::make_unique<Arena>();
            a->file = "Arenas/" + name;
            const std::string fault = ParseArena(test_support::ReadFile(a->file), *a);
            EXPECT_EQ(fault, "") << a->file;
            a->map = std::make_unique<TileMap>();
            a->map->Load("Arenas/" + a->map_name + ".FMP", 1);
            arenas_.push_back(std::move(a));
        }
    }
    static void TearDownTestSuite() {
        arenas_.clear();  // the maps' images go before the engine
        engine_.reset();
    }

    static bool Solid(const TileMap& m, int column, int row) {
        return m.BlockAt(column, row).bit0 != 0;
    }
    static int Block(const Arena& a) { return a.map->BlockWidth; }
    static std::pair<double, double> PointPixels(const Arena& a, const Spot& s) {
        return {double(s.column + 1) * Block(a), double(s.row + 1) * Block(a)};
    }

    static std::unique_ptr<Engine> engine_;
    static std::vector<std::unique_ptr<Arena>> arenas_;
};

std::unique_ptr<Engine> ArenaData::engine_;
std::vector<std::unique_ptr<Arena>> ArenaData::arenas_;

TEST_F(ArenaData, AtLeastFourArenasEachWithItsMapFile) {
    ASSERT_GE(arenas_.size(), 4u);
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        EXPECT_FALSE(a->map_name.empty());
        // The map name with the upper-case extension, exactly as spelt.
        EXPECT_TRUE(std::filesystem::is_regular_file(std::string(CRASHMOOR_DATA_DIR) + "/Arenas/" +
                                                     a->map_name + ".FMP"));
    }
}

TEST_F(ArenaData, MapsLoadWithSquareOpaqueBlocks) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        const TileMap& m = *a->map;
        ASSERT_EQ(m.ErrorCode, 0);
        ASSERT_GT(m.MapWidth, 0);
        ASSERT_GT(m.MapHeight, 0);
        ASSERT_GT(m.BlockWidth, 0);
        EXPECT_EQ(m.BlockWidth, m.BlockHeight);
        // The game draws blocks opaque: every graphic in use has no hole.
        std::set<int> used;
        for (int r = 0; r < m.MapHeight; ++r)
            for (int c = 0; c < m.MapWidth; ++c) used.insert(m.BlockAt(c, r).gfx0);
        for (int g : used) {
            ASSERT_GE(g, 0);
            ASSERT_LT(g, static_cast<int>(m.BlockImages.size()));
            const ImageHandle& image = m.BlockImages[static_cast<std::size_t>(g)];
            ASSERT_TRUE(image) << "graphic " << g;
            const Pixmap pm = img_lock(image, 0, 1, 0);
            int holes = 0;
            for (int y = 0; y < pm.height; ++y)
                for (int x = 0; x < pm.width; ++x)
                    holes += (pix_read_pixel(pm, x, y) >> 24) != 0xFF;
            img_unlock(image, 0);
            EXPECT_EQ(holes, 0) << "graphic " << g;
        }
    }
}

TEST_F(ArenaData, SizesFromOneScreenToLargeScrollingArenas) {
    bool screen = false, wide = false, large = false;
    for (const auto& a : arenas_) {
        const long long w = static_cast<long long>(a->map->MapWidth) * a->map->BlockWidth;
        const long long h = static_cast<long long>(a->map->MapHeight) * a->map->BlockHeight;
        screen = screen || (w == 1024 && h == 768);
        wide = wide || w >= 3000;
        large = large || (w >= 4000 && h >= 4000);
    }
    EXPECT_TRUE(screen) << "no arena of exactly 1024 x 768";
    EXPECT_TRUE(wide) << "no arena 3000 pixels wide";
    EXPECT_TRUE(large) << "no arena of 4000 x 4000";
}

TEST_F(ArenaData, EdgeIsSolidAllRound) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        const TileMap& m = *a->map;
        for (int c = 0; c < m.MapWidth; ++c) {
            EXPECT_TRUE(Solid(m, c, 0)) << "column " << c;
            EXPECT_TRUE(Solid(m, c, m.MapHeight - 1)) << "column " << c;
        }
        for (int r = 0; r < m.MapHeight; ++r) {
            EXPECT_TRUE(Solid(m, 0, r)) << "row " << r;
            EXPECT_TRUE(Solid(m, m.MapWidth - 1, r)) << "row " << r;
        }
    }
}

TEST_F(ArenaData, BoxesCoverExactlyTheSolidBlocksWithoutOverlapping) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        const TileMap& m = *a->map;
        std::vector<int> cover(static_cast<std::size_t>(m.MapWidth) * m.MapHeight, 0);
        for (const Box& b : a->boxes) {
            ASSERT_LE(b.c1, b.c2);
            ASSERT_LE(b.r1, b.r2);
            ASSERT_GE(b.c1, 0);
            ASSERT_GE(b.r1, 0);
            ASSERT_LT(b.c2, m.MapWidth);
            ASSERT_LT(b.r2, m.MapHeight);
            for (int r = b.r1; r <= b.r2; ++r)
                for (int c = b.c1; c <= b.c2; ++c)
                    ++cover[static_cast<std::size_t>(r * m.MapWidth + c)];
        }
        int overlaps = 0, uncovered = 0, covered_floor = 0;
        for (int r = 0; r < m.MapHeight; ++r) {
            for (int c = 0; c < m.MapWidth; ++c) {
                const int n = cover[static_cast<std::size_t>(r * m.MapWidth + c)];
                overlaps += n > 1;
                uncovered += Solid(m, c, r) && n == 0;
                covered_floor += !Solid(m, c, r) && n > 0;
            }
        }
        EXPECT_EQ(overlaps, 0);
        EXPECT_EQ(uncovered, 0) << "solid blocks outside every box";
        EXPECT_EQ(covered_floor, 0) << "floor blocks inside a box";
    }
}

TEST_F(ArenaData, LanesBetweenObstaclesAreWideEnoughForCars) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        const int s = Block(*a);
        for (std::size_t i = 0; i < a->boxes.size(); ++i) {
            for (std::size_t j = i + 1; j < a->boxes.size(); ++j) {
                const Box &p = a->boxes[i], &q = a->boxes[j];
                // Blocks strictly between the boxes along each axis.
                const int gx = std::max(q.c1 - p.c2 - 1, p.c1 - q.c2 - 1);
                const int gy = std::max(q.r1 - p.r2 - 1, p.r1 - q.r2 - 1);
                if (gx <= 0 && gy <= 0) continue;  // touching: one obstacle
                const double gap = std::hypot(std::max(gx, 0), std::max(gy, 0)) * s;
                EXPECT_GE(gap, 200.0) << "boxes " << i << " and " << j;
            }
        }
    }
}

TEST_F(ArenaData, RespawnPointsAndPickupsHaveRoomRoundThem) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        const TileMap& m = *a->map;
        const int s = Block(*a);
        for (const auto* list : {&a->spawns, &a->health, &a->weapons, &a->secondary}) {
            for (const Spot& p : *list) {
                const auto [px, py] = PointPixels(*a, p);
                // Every block the 160 x 160 square round the point touches.
                const int c0 = static_cast<int>(std::floor((px - 80) / s));
                const int c1 = static_cast<int>(std::floor((px + 80 - 1) / s));
                const int r0 = static_cast<int>(std::floor((py - 80) / s));
                const int r1 = static_cast<int>(std::floor((py + 80 - 1) / s));
                bool clear = c0 >= 0 && r0 >= 0 && c1 < m.MapWidth && r1 < m.MapHeight;
                for (int r = r0; clear && r <= r1; ++r)
                    for (int c = c0; clear && c <= c1; ++c) clear = !Solid(m, c, r);
                EXPECT_TRUE(clear) << "point at block " << p.column << "," << p.row;
                // The same through the pixel query, at the square's corners and middle.
                for (const double dx : {-80.0, 0.0, 79.0})
                    for (const double dy : {-80.0, 0.0, 79.0})
                        EXPECT_EQ(m.SolidAt(static_cast<int>(px + dx), static_cast<int>(py + dy)),
                                  0);
            }
        }
    }
}

TEST_F(ArenaData, RespawnPointsAreSpreadAndPickupsOfEveryKindExist) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        EXPECT_GE(a->spawns.size(), 4u);
        EXPECT_LE(a->spawns.size(), 8u);
        EXPECT_GE(a->health.size(), 1u);
        EXPECT_GE(a->weapons.size(), 1u);
        EXPECT_GE(a->secondary.size(), 1u);
        if (a->spawns.empty()) continue;
        // The respawn points reach over at least half the arena each way.
        int lo_c = a->spawns[0].column, hi_c = lo_c, lo_r = a->spawns[0].row, hi_r = lo_r;
        for (const Spot& p : a->spawns) {
            lo_c = std::min(lo_c, p.column), hi_c = std::max(hi_c, p.column);
            lo_r = std::min(lo_r, p.row), hi_r = std::max(hi_r, p.row);
        }
        EXPECT_GE(2 * (hi_c - lo_c), a->map->MapWidth - 2);
        EXPECT_GE(2 * (hi_r - lo_r), a->map->MapHeight - 2);
        // No two points on top of each other.
        std::vector<Spot> all;
        for (const auto* list : {&a->spawns, &a->health, &a->weapons, &a->secondary})
            all.insert(all.end(), list->begin(), list->end());
        for (std::size_t i = 0; i < all.size(); ++i)
            for (std::size_t j = i + 1; j < all.size(); ++j)
                EXPECT_GE(
                    std::hypot(all[i].column - all[j].column, all[i].row - all[j].row) * Block(*a),
                    128.0)
                    << all[i].column << "," << all[i].row << " and " << all[j].column << ","
                    << all[j].row;
    }
}

TEST_F(ArenaData, EveryRespawnPointIsAboutAsNearToEachKindOfPickup) {
    for (const auto& a : arenas_) {
        SCOPED_TRACE(a->file);
        for (const auto* kind : {&a->health, &a->weapons, &a->secondary}) {
            if (kind->empty() || a->spawns.empty()) continue;
            double nearest_lo = 1e18, nearest_hi = 0;
            for (const Spot& s : a->spawns) {
                const auto [sx, sy] = PointPixels(*a, s);
                double nearest = 1e18;
                for (const Spot& p : *kind) {
                    const auto [px, py] = PointPixels(*a, p);
                    nearest = std::min(nearest, std::hypot(px - sx, py - sy));
                }
                nearest_lo = std::min(nearest_lo, nearest);
                nearest_hi = std::max(nearest_hi, nearest);
            }
            EXPECT_LE(nearest_hi - nearest_lo, 256.0);
        }
    }
}

std::string Lines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& l : lines) text += l + "\n";
    return text;
}

// Every sprite drawn on the floor keeps enough pixels that differ clearly
// from every arena's floor colour to be seen on it.
TEST_F(ArenaData, SpritesStandOutOnEveryFloor) {
    test_support::ScopedChdir cd(CRASHMOOR_DATA_DIR);
    const char* const sprites[] = {
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
        "sprites/health_pickup.png",
        "sprites/ammo_pickup.png",
        "sprites/secondary_pickup.png",
        "sprites/mine.png",
        "sprites/turretstand.png",
        "sprites/machinegun.png",
        "sprites/grenade.png",
        "sprites/bullet.png",
        "Sprites/target.png",
        "sprites/bigdog.png",
        "sprites/explosion.png",
    };
    auto rgb = [](std::uint32_t p) {
        return std::array<double, 3>{double((p >> 16) & 0xFF), double((p >> 8) & 0xFF),
                                     double(p & 0xFF)};
    };
    for (const auto& a : arenas_) {
        // The floor's mean colour over the free blocks.
        std::array<double, 3> floor{0, 0, 0};
        long long samples = 0;
        const TileMap& m = *a->map;
        for (int row = 0; row < m.MapHeight; ++row) {
            for (int col = 0; col < m.MapWidth; ++col) {
                const BLKSTR b = m.BlockAt(col, row);
                if (b.bit0 || b.gfx0 < 0 || b.gfx0 >= static_cast<int>(m.BlockImages.size()))
                    continue;
                const Pixmap pm =
                    img_lock(m.BlockImages[static_cast<std::size_t>(b.gfx0)], 0, 1, 0);
                for (int y = 0; y < pm.height; y += 8)
                    for (int x = 0; x < pm.width; x += 8) {
                        const auto c = rgb(pix_read_pixel(pm, x, y));
                        for (int k = 0; k < 3; ++k)
                            floor[static_cast<std::size_t>(k)] += c[static_cast<std::size_t>(k)];
                        ++samples;
                    }
            }
        }
        ASSERT_GT(samples, 0) << a->file;
        for (double& v : floor) v /= static_cast<double>(samples);
        for (const char* path : sprites) {
            ImageHandle image = img_load(path, -1);
            ASSERT_TRUE(image) << path;
            const Pixmap pm = img_lock(image, 0, 1, 0);
            long long opaque = 0, distinct = 0;
            for (int y = 0; y < pm.height; ++y)
                for (int x = 0; x < pm.width; ++x) {
                    const std::uint32_t p = pix_read_pixel(pm, x, y);
                    if ((p >> 24) < 128) continue;
                    ++opaque;
                    const auto c = rgb(p);
                    const double d = std::hypot(c[0] - floor[0], c[1] - floor[1], c[2] - floor[2]);
                    distinct += d > 60.0;
                }
            ASSERT_GT(opaque, 0) << path;
            EXPECT_GT(static_cast<double>(distinct) / static_cast<double>(opaque), 0.3)
                << path << " on the floor of " << a->file;
        }
    }
}

TEST(ArenaFile, ParsingFindsEveryItemAndRejectsDamage) {
    const std::vector<std::string> head = {"title", "author", "size", "about", "more", "m"};
    auto with = [&](std::vector<std::string> items) {
        std::vector<std::string> all = head;
        all.insert(all.end(), items.begin(), items.end());
        return Lines(all);
    };
    Arena a;
    EXPECT_EQ(ParseArena(with({"1", "0", "0", "3", "0",            // one box
                               "1", "1", "1",                      // one health pickup
                               "0",                                // no weapons
                               "2", "2", "0", "0", "1", "1", "7",  // two respawn points
                               "1", "4", "5", "0"}),               // one secondary
                         a),
              "");
    EXPECT_EQ(a.map_name, "m");
    ASSERT_EQ(a.boxes.size(), 1u);
    EXPECT_EQ(a.boxes[0].c2, 3);
    EXPECT_EQ(a.boxes[0].r2, 0);
    ASSERT_EQ(a.health.size(), 1u);
    EXPECT_EQ(a.health[0].column, 1);
    EXPECT_EQ(a.weapons.size(), 0u);
    ASSERT_EQ(a.spawns.size(), 2u);
    EXPECT_EQ(a.spawns[0].column, 2);
    EXPECT_EQ(a.spawns[1].column, 1);
    EXPECT_EQ(a.spawns[1].row, 1);
    ASSERT_EQ(a.secondary.size(), 1u);
    EXPECT_EQ(a.secondary[0].column, 4);
    EXPECT_EQ(a.secondary[0].row, 5);

    Arena cut, extra, hex, windows;
    EXPECT_NE(ParseArena(with({"1", "0", "0"}), cut), "");
    EXPECT_NE(ParseArena(with({"0", "0", "0", "0", "0", "7"}), extra), "");
    EXPECT_NE(ParseArena(with({"0", "1", "0x3", "4", "0", "0", "0"}), hex), "");
    // Line ends written on Windows read the same.
    EXPECT_EQ(ParseArena("t\r\na\r\ns\r\nd\r\nx\r\nm\r\n0\r\n0\r\n0\r\n0\r\n0\r\n", windows), "");
    EXPECT_EQ(windows.map_name, "m");
}

}  // namespace
