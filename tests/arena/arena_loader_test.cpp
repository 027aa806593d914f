// The arena loader: listing the arena files, reading an arena into the map,
// the world's walls, the pickups and the respawn points; the number forms of
// the file; short, damaged and missing files; and the shipped arenas.

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/console_message.h"
#include "arena/arena_loader.h"
#include "arena/fmp_writer.h"
#include "objects/game_object.h"
#include "objects/live_objects.h"
#include "objects/pickups.h"
#include "spritebehaviors/world.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;

// An FMP map of columns x rows empty blocks of the given pixel size.
std::string MapBytes(int columns, int rows, int block_width, int block_height) {
    FmpMapData map;
    map.width = columns;
    map.height = rows;
    map.block_width = block_width;
    map.block_height = block_height;
    map.blocks.resize(1);
    map.graphics.assign(1, std::vector<std::uint32_t>(
                               static_cast<std::size_t>(block_width * block_height), 0xFF506070u));
    map.planes.emplace_back(static_cast<std::size_t>(columns * rows), 0);
    return WriteFmp(map, FmpWriteOptions{});
}

// An arena file: five lines of free text, the map name, then one value a line.
std::string ArenaText(const std::string& map, const std::vector<std::string>& values,
                      const std::string& line_end = "\n") {
    std::string text;
    for (const char* line : {"Test arena", "tests", "640 x 480", "about", "contents"})
        text += std::string(line) + line_end;
    text += map + line_end;
    for (const std::string& v : values) text += v + line_end;
    return text;
}

void ExpectVec(const Vector2D& v, double x, double y, const char* what) {
    EXPECT_NEAR(v.x, x, 1e-9) << what;
    EXPECT_NEAR(v.y, y, 1e-9) << what;
}

// A wall's end points and normal.
void ExpectWall(const Wall& wall, double x1, double y1, double x2, double y2, double nx, double ny,
                const char* what) {
    ExpectVec(wall.From(), x1, y1, what);
    ExpectVec(wall.To(), x2, y2, what);
    ExpectVec(wall.Normal(), nx, ny, what);
}

// True when a red console line holds `part`.
bool RedLineNaming(const std::string& part) {
    if (!ConsoleMessage::List) return false;
    for (const auto& line : *ConsoleMessage::List)
        if (line->Color == kConsoleRed && line->Text.find(part) != std::string::npos) return true;
    return false;
}

// Every test works in a folder of its own holding "Arenas/" with the map
// "m": 20 x 15 blocks of 32 pixels (640 x 480).
class ArenaLoaderTest : public ::testing::Test {
protected:
    static constexpr int kBlock = 32;
    static constexpr int kWidth = 20 * kBlock, kHeight = 15 * kBlock;

    void SetUp() override {
        ResetAppState();
        ASSERT_TRUE(engine_.ok());
        fs::create_directory(dir_ / "Arenas");
        WriteMap("m", MapBytes(20, 15, kBlock, kBlock));
    }

    void TearDown() override {
        match_.reset();
        ResetAppState();
        EXPECT_EQ(LiveObjectTotal(), 0) << "objects outlived the test";
    }

    /// The match the arena loads into.
    std::unique_ptr<Match> match_ = std::make_unique<Match>();

    void WriteMap(const std::string& name, const std::string& bytes) {
        test_support::WriteFile(dir_ / ("Arenas/" + name + ".FMP"), bytes);
    }
    void WriteArena(const std::string& file, const std::string& text) {
        test_support::WriteFile(dir_ / ("Arenas/" + file), text);
    }
    /// Writes "t.arn" on the map "m" with the values and loads it.
    bool Load(const std::vector<std::string>& values) {
        WriteArena("t.arn", ArenaText("m", values));
        return LoadArena("t.arn");
    }

    static const std::vector<WallRef>& Walls() { return TheMatch().TheWorld->Walls(); }

    test_support::HeadlessEngine engine_;
    test_support::TempDir dir_;
    test_support::ScopedChdir in_dir_{dir_.path()};
};

TEST_F(ArenaLoaderTest, AllZeroFileLoadsTheMapAndMakesOnlyTheBorderWalls) {
    ASSERT_TRUE(Load({"0", "0", "0", "0", "0"}));
    const Match& match = TheMatch();
    EXPECT_EQ(match.TheMap->MapWidth, 20);
    EXPECT_EQ(match.TheMap->MapHeight, 15);
    EXPECT_EQ(match.TheMap->BlockWidth, kBlock);
    EXPECT_EQ(match.TheMap->LayerCount, 2);
    EXPECT_DOUBLE_EQ(match.WorldWidth, kWidth);
    EXPECT_DOUBLE_EQ(match.WorldHeight, kHeight);
    ASSERT_TRUE(match.TheWorld);
    EXPECT_EQ(match.TheWorld->CxClient(), kWidth);
    EXPECT_EQ(match.TheWorld->CyClient(), kHeight);
    EXPECT_FALSE(match.TheWorld->ShowWalls());
    EXPECT_TRUE(match.TheWorld->Agents().empty());
    EXPECT_EQ(Walls().size(), 4u);
    EXPECT_EQ(HealthPickUp::List.Count(), 0);
    EXPECT_EQ(WeaponPickUp::List.Count(), 0);
    EXPECT_EQ(SecondaryPickUp::List.Count(), 0);
    EXPECT_EQ(RespawnPoint::List.Count(), 0);
}

TEST_F(ArenaLoaderTest, BorderWallsLieInsideTheEdgesWithTheirNormals) {
    ASSERT_TRUE(Load({"0", "0", "0", "0", "0"}));
    ASSERT_EQ(Walls().size(), 4u);
    const double w = kWidth, h = kHeight;
    // Top and right keep the unit normals their direction gives.
    ExpectWall(*Walls()[0], 10, 10, w, 10, 0, 1, "top");
    ExpectWall(*Walls()[1], 10, 10, 10, h, 3, 0, "left");
    ExpectWall(*Walls()[2], w - 10, 10, w - 10, h - 10, -1, 0, "right");
    ExpectWall(*Walls()[3], 10, h - 20, w, h - 20, 0, -3, "bottom");
}

TEST_F(ArenaLoaderTest, OneTileBoxIsASquareWithOutwardNormalsOfLengthThree) {
    ASSERT_TRUE(Load({"1", "2", "3", "2", "3", "0", "0", "0", "0"}));
    ASSERT_EQ(Walls().size(), 8u);  // the box's four, then the border's
    ExpectWall(*Walls()[0], 64, 96, 96, 96, 0, -3, "top");
    ExpectWall(*Walls()[1], 64, 128, 96, 128, 0, 3, "bottom");
    ExpectWall(*Walls()[2], 64, 96, 64, 128, -3, 0, "left");
    ExpectWall(*Walls()[3], 96, 96, 96, 128, 3, 0, "right");
    ExpectWall(*Walls()[4], 10, 10, kWidth, 10, 0, 1, "border top");
}

TEST_F(ArenaLoaderTest, BoxesSpanFromTheirFirstToPastTheirLastTile) {
    ASSERT_TRUE(Load({"2", "0", "0", "3", "1", "5", "6", "5", "9", "0", "0", "0", "0"}));
    ASSERT_EQ(Walls().size(), 12u);
    ExpectWall(*Walls()[0], 0, 0, 128, 0, 0, -3, "first box top");
    ExpectWall(*Walls()[3], 128, 0, 128, 64, 3, 0, "first box right");
    ExpectWall(*Walls()[5], 160, 320, 192, 320, 0, 3, "second box bottom");
    ExpectWall(*Walls()[6], 160, 192, 160, 320, -3, 0, "second box left");
}

TEST_F(ArenaLoaderTest, EveryWallTakesTheViewOffsetOfTheLoad) {
    TheMatch().ScrollX = 100;
    TheMatch().ScrollY = -40;
    ASSERT_TRUE(Load({"1", "2", "3", "2", "3", "0", "0", "0", "0"}));
    ASSERT_EQ(Walls().size(), 8u);
    for (const WallRef& wall : Walls()) ExpectVec(wall->Offset(), 100, -40, "offset");
}

TEST_F(ArenaLoaderTest, PickupsAndRespawnPointsSitAtTheLowerRightCornerOfTheirTile) {
    ASSERT_TRUE(Load({"0",                                  // no boxes
                      "2", "0", "0", "4",  "1",             // health at (0, 0) and (4, 1)
                      "1", "3", "2",                        // weapon at (3, 2)
                      "2", "5", "6", "77", "1", "0", "88",  // respawn points, unread lines
                      "1", "7", "8", "99"}));               // secondary at (7, 8)
    const auto health = HealthPickUp::List.Items();
    ASSERT_EQ(health.size(), 2u);
    EXPECT_EQ(health[0]->X, 32);
    EXPECT_EQ(health[0]->Y, 32);
    EXPECT_EQ(health[1]->X, 160);
    EXPECT_EQ(health[1]->Y, 64);
    ASSERT_TRUE(health[0]->mySprite);
    const auto weapons = WeaponPickUp::List.Items();
    ASSERT_EQ(weapons.size(), 1u);
    EXPECT_EQ(weapons[0]->X, 128);
    EXPECT_EQ(weapons[0]->Y, 96);
    const auto points = RespawnPoint::List.Items();
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0]->X, 192);
    EXPECT_EQ(points[0]->Y, 224);
    EXPECT_EQ(points[1]->X, 64);
    EXPECT_EQ(points[1]->Y, 32);
    const auto secondary = SecondaryPickUp::List.Items();
    ASSERT_EQ(secondary.size(), 1u);
    EXPECT_EQ(secondary[0]->X, 256);
    EXPECT_EQ(secondary[0]->Y, 288);
    EXPECT_EQ(Walls().size(), 4u);
}

TEST_F(ArenaLoaderTest, TileCoordinatesUseTheBlockWidthForBothAxes) {
    WriteMap("wide", MapBytes(10, 12, 32, 16));
    WriteArena("w.arn", ArenaText("wide", {"1", "1", "1", "1", "1",  // one box
                                           "1", "2", "3", "0", "0", "0"}));
    ASSERT_TRUE(LoadArena("w.arn"));
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, 320);
    EXPECT_DOUBLE_EQ(TheMatch().WorldHeight, 192);
    ASSERT_EQ(HealthPickUp::List.Count(), 1);
    EXPECT_EQ(HealthPickUp::List.Items()[0]->Y, 128);  // (3 + 1) x 32, not x 16
    ASSERT_EQ(Walls().size(), 8u);
    ExpectWall(*Walls()[2], 32, 32, 32, 64, -3, 0, "box left");
    ExpectWall(*Walls()[7], 10, 192 - 20, 320, 192 - 20, 0, -3, "border bottom");
}

TEST_F(ArenaLoaderTest, SecondaryPickupsArePrintedToStandardOutput) {
    testing::internal::CaptureStdout();
    const bool loaded = Load({"0", "0", "0", "0", "2", "1", "2", "x", "0", "0", "x"});
    const std::string out = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(loaded);
    EXPECT_EQ(out, "2\n64\n96\n32\n32\n");
    EXPECT_EQ(SecondaryPickUp::List.Count(), 2);
}

TEST_F(ArenaLoaderTest, ZeroSecondaryPickupsPrintsTheCountAlone) {
    testing::internal::CaptureStdout();
    const bool loaded = Load({"0", "0", "0", "0", "0"});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "0\n");
    EXPECT_TRUE(loaded);
}

TEST(ArenaIntegers, DecimalHexadecimalBinaryAndSigns) {
    EXPECT_EQ(ParseArenaInt("42"), 42);
    EXPECT_EQ(ParseArenaInt("-7"), -7);
    EXPECT_EQ(ParseArenaInt("+7"), 7);
    EXPECT_EQ(ParseArenaInt("$ff"), 255);
    EXPECT_EQ(ParseArenaInt("$FF"), 255);
    EXPECT_EQ(ParseArenaInt("%101"), 5);
    EXPECT_EQ(ParseArenaInt("-$1F"), -31);
    EXPECT_EQ(ParseArenaInt("-%11"), -3);
    EXPECT_EQ(ParseArenaInt("  12"), 12);
    EXPECT_EQ(ParseArenaInt("\t-3"), -3);
    EXPECT_EQ(ParseArenaInt("000000000000000000000005"), 5);
}

TEST(ArenaIntegers, TextWithoutDigitsReadsAsZero) {
    EXPECT_EQ(ParseArenaInt(""), 0);
    EXPECT_EQ(ParseArenaInt("abc"), 0);
    EXPECT_EQ(ParseArenaInt("-"), 0);
    EXPECT_EQ(ParseArenaInt("$"), 0);
    EXPECT_EQ(ParseArenaInt("%"), 0);
    EXPECT_EQ(ParseArenaInt("$-1F"), 0);  // the sign goes before the base mark
    EXPECT_EQ(ParseArenaInt("%2"), 0);
    EXPECT_EQ(ParseArenaInt("$g"), 0);
    EXPECT_EQ(ParseArenaInt("--1"), 0);
}

TEST(ArenaIntegers, ReadingStopsAtTheFirstCharacterOutsideTheBase) {
    EXPECT_EQ(ParseArenaInt("12abc"), 12);
    EXPECT_EQ(ParseArenaInt("7 8"), 7);
    EXPECT_EQ(ParseArenaInt("0x10"), 0);
    EXPECT_EQ(ParseArenaInt("%102"), 2);
    EXPECT_EQ(ParseArenaInt("$1g"), 1);
    EXPECT_EQ(ParseArenaInt("3.9"), 3);
    EXPECT_EQ(ParseArenaInt("5\r"), 5);
}

TEST(ArenaIntegers, OverflowSaturatesAtTheEndsOfTheIntRange) {
    EXPECT_EQ(ParseArenaInt("2147483647"), INT_MAX);
    EXPECT_EQ(ParseArenaInt("2147483648"), INT_MAX);
    EXPECT_EQ(ParseArenaInt("99999999999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseArenaInt("-2147483648"), INT_MIN);
    EXPECT_EQ(ParseArenaInt("-2147483649"), INT_MIN);
    EXPECT_EQ(ParseArenaInt("-99999999999999999999999999"), INT_MIN);
    EXPECT_EQ(ParseArenaInt("$7FFFFFFF"), INT_MAX);
    EXPECT_EQ(ParseArenaInt("$FFFFFFFF"), INT_MAX);
    EXPECT_EQ(ParseArenaInt("-$80000000"), INT_MIN);
    EXPECT_EQ(ParseArenaInt("%" + std::string(40, '1')), INT_MAX);
}

TEST_F(ArenaLoaderTest, CountsAndCoordinatesMayBeHexadecimalOrBinary) {
    ASSERT_TRUE(Load({"0", "$1", "%1", "$2", "0", "0", "0"}));
    ASSERT_EQ(HealthPickUp::List.Count(), 1);
    EXPECT_EQ(HealthPickUp::List.Items()[0]->X, 64);
    EXPECT_EQ(HealthPickUp::List.Items()[0]->Y, 96);
}

TEST_F(ArenaLoaderTest, WindowsLineEndsReadTheSame) {
    WriteArena("crlf.arn",
               ArenaText("m", {"1", "2", "3", "2", "3", "1", "0", "0", "0", "0", "0"}, "\r\n"));
    ASSERT_TRUE(LoadArena("crlf.arn"));
    ASSERT_EQ(Walls().size(), 8u);
    ExpectWall(*Walls()[0], 64, 96, 96, 96, 0, -3, "top");
    ASSERT_EQ(HealthPickUp::List.Count(), 1);
    EXPECT_EQ(HealthPickUp::List.Items()[0]->X, 32);
}

TEST_F(ArenaLoaderTest, MapNameIsFoundWhateverTheCaseOfTheFile) {
    WriteMap("Mixed", MapBytes(4, 3, 16, 16));
    fs::rename(dir_ / "Arenas/Mixed.FMP", dir_ / "Arenas/Mixed.fmp");
    WriteArena("c.arn", ArenaText("mixed", {"0", "0", "0", "0", "0"}));
    ASSERT_TRUE(LoadArena("c.arn"));
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, 64);
}

TEST_F(ArenaLoaderTest, ListsOnlyFilesWithTheLowerCaseExtensionSorted) {
    for (const char* name : {"b.arn", "A.arn", "c.ARN", "e.Arn", "d.arn.txt", "arn", "x.FMP"})
        WriteArena(name, "");
    fs::create_directory(dir_ / "Arenas/folder.arn");
    const std::vector<std::string> names = ListArenas();
    EXPECT_EQ(names, (std::vector<std::string>{"A.arn", "b.arn"}));
    EXPECT_EQ(ConsoleMessage::MessageCount, 0);
}

TEST_F(ArenaLoaderTest, UpperCaseExtensionIsNotListedButTheSameNameInLowerCaseIs) {
    WriteArena("Arena.ARN", "");
    EXPECT_TRUE(ListArenas().empty());
    fs::rename(dir_ / "Arenas/Arena.ARN", dir_ / "Arenas/Arena.arn");
    EXPECT_EQ(ListArenas(), std::vector<std::string>{"Arena.arn"});
}

// A player's own arenas are listed with the shipped ones, a name both have
// (in any case) once as the player's, and each loads from its own folder
// with its own map. A player's folder that does not exist adds nothing.
TEST_F(ArenaLoaderTest, ThePlayersArenasJoinTheShippedOnesAndWinOnTheSameName) {
    WriteArena("yard.arn", ArenaText("m", {"0", "0", "0", "0", "0"}));
    WriteArena("metro.arn", ArenaText("m", {"0", "0", "0", "0", "0"}));
    SetPlayerArenaFolder(dir_ / "nobody");
    EXPECT_EQ(ListArenas(), (std::vector<std::string>{"metro.arn", "yard.arn"}));
    const fs::path own = dir_ / "own";
    fs::create_directories(own);
    test_support::WriteFile(own / "small.FMP", MapBytes(4, 3, 16, 16));
    test_support::WriteFile(own / "Yard.arn", ArenaText("small", {"0", "0", "0", "0", "0"}));
    test_support::WriteFile(own / "alley.arn", ArenaText("small", {"0", "0", "0", "0", "0"}));
    SetPlayerArenaFolder(own.string());
    EXPECT_EQ(ListArenas(), (std::vector<std::string>{"alley.arn", "metro.arn", "Yard.arn"}));
    EXPECT_EQ(ListShippedArenas(), (std::vector<std::string>{"metro.arn", "yard.arn"}));
    ASSERT_TRUE(LoadArena("alley.arn"));
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, 64) << "the map beside the player's arena";
    ASSERT_TRUE(LoadArena("metro.arn"));
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, kWidth);
    SetPlayerArenaFolder("");
    EXPECT_EQ(ConsoleMessage::MessageCount, 0);
}

TEST_F(ArenaLoaderTest, MissingArenaFolderGivesAnEmptyListAndOneRedLine) {
    fs::remove_all(dir_ / "Arenas");
    EXPECT_TRUE(ListArenas().empty());
    EXPECT_EQ(ConsoleMessage::MessageCount, 1);
    EXPECT_TRUE(RedLineNaming("failed to read current directory"));
}

TEST_F(ArenaLoaderTest, HugeCountInAShortFileEndsWithTheFile) {
    // Two boxes are present; the count claims two billion.
    ASSERT_TRUE(Load({"2000000000", "0", "0", "0", "0", "4", "4", "4", "4"}));
    EXPECT_EQ(Walls().size(), 4u * 2 + 4);
    EXPECT_EQ(HealthPickUp::List.Count(), 0);
    EXPECT_EQ(RespawnPoint::List.Count(), 0);
}

TEST_F(ArenaLoaderTest, HugeCountsOfEveryListEndWithTheFile) {
    for (int list = 0; list < 5; ++list) {
        std::vector<std::string> values(5, "0");
        values[static_cast<std::size_t>(list)] = "2147483647";
        values.resize(static_cast<std::size_t>(list) + 1);  // the file ends after the count
        testing::internal::CaptureStdout();
        const bool loaded = Load(values);
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(loaded) << "list " << list;
        EXPECT_EQ(Walls().size(), 4u) << "list " << list;
        EXPECT_EQ(HealthPickUp::List.Count() + WeaponPickUp::List.Count() +
                      SecondaryPickUp::List.Count() + RespawnPoint::List.Count(),
                  0)
            << "list " << list;
    }
}

TEST_F(ArenaLoaderTest, PartlyPresentLastItemIsCompletedWithZeros) {
    // The box has c1 and r1 only: c2 = r2 = 0.
    ASSERT_TRUE(Load({"3", "2", "3"}));
    ASSERT_EQ(Walls().size(), 8u);
    ExpectWall(*Walls()[0], 64, 96, 32, 96, 0, -3, "top");
    ExpectWall(*Walls()[3], 32, 96, 32, 32, 3, 0, "right");
}

TEST_F(ArenaLoaderTest, PartlyPresentRespawnPointIsStillMade) {
    ASSERT_TRUE(Load({"0", "0", "0", "5", "4"}));
    ASSERT_EQ(RespawnPoint::List.Count(), 1);
    EXPECT_EQ(RespawnPoint::List.Items()[0]->X, 160);
    EXPECT_EQ(RespawnPoint::List.Items()[0]->Y, 32);
}

TEST_F(ArenaLoaderTest, FileEndingAfterTheMapNameMakesOnlyTheBorderWalls) {
    ASSERT_TRUE(Load({}));
    EXPECT_EQ(Walls().size(), 4u);
    EXPECT_EQ(HealthPickUp::List.Count(), 0);
}

TEST_F(ArenaLoaderTest, FarOffCoordinatesDoNotOverflow) {
    ASSERT_TRUE(Load({"1", "2147483647", "-2147483648", "2147483647", "2147483647",  // box
                      "2", "2147483647", "-2147483648", "-1", "-1",                  // health
                      "0", "0", "0"}));
    ASSERT_EQ(Walls().size(), 8u);
    EXPECT_DOUBLE_EQ(Walls()[0]->From().x, 2147483647.0 * kBlock);
    EXPECT_DOUBLE_EQ(Walls()[0]->From().y, -2147483648.0 * kBlock);
    EXPECT_DOUBLE_EQ(Walls()[0]->To().x, 2147483648.0 * kBlock);
    const auto health = HealthPickUp::List.Items();
    ASSERT_EQ(health.size(), 2u);
    EXPECT_EQ(health[0]->X, static_cast<float>(INT_MAX));
    EXPECT_EQ(health[0]->Y, static_cast<float>(INT_MIN));
    EXPECT_EQ(health[1]->X, 0);
    EXPECT_EQ(health[1]->Y, 0);
}

TEST_F(ArenaLoaderTest, ArenaFileUpToTheSizeLimitLoadsAndALargerOneFails) {
    // A long free-text line pads the file to the limit exactly.
    std::string text = ArenaText("m", {"1", "2", "3", "2", "3", "0", "0", "0", "0"});
    text.insert(0, static_cast<std::size_t>(kMaxArenaFileBytes) - text.size(), 'a');
    ASSERT_EQ(text.size(), static_cast<std::size_t>(kMaxArenaFileBytes));
    WriteArena("limit.arn", text);
    ASSERT_TRUE(LoadArena("limit.arn"));
    EXPECT_EQ(Walls().size(), 8u);

    text.insert(0, "a");
    WriteArena("over.arn", text);
    const GameWorldRef world = TheMatch().TheWorld;
    EXPECT_FALSE(LoadArena("over.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/over.arn"));
    EXPECT_EQ(TheMatch().TheWorld, world);
}

TEST_F(ArenaLoaderTest, MissingArenaFileFailsWithARedLine) {
    EXPECT_FALSE(LoadArena("none.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/none.arn"));
    EXPECT_FALSE(TheMatch().TheWorld);
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, 0);
}

TEST_F(ArenaLoaderTest, FolderNamedLikeAnArenaFailsWithARedLine) {
    fs::create_directory(dir_ / "Arenas/dir.arn");
    EXPECT_FALSE(LoadArena("dir.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/dir.arn"));
}

TEST_F(ArenaLoaderTest, MissingMapFailsWithARedLineAndMakesNothing) {
    WriteArena("t.arn", ArenaText("nomap", {"1", "2", "3", "2", "3", "1", "0", "0", "0", "0", "1",
                                            "0", "0", "0", "0"}));
    EXPECT_FALSE(LoadArena("t.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/nomap.FMP"));
    EXPECT_FALSE(TheMatch().TheWorld);
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, 0);
    EXPECT_EQ(HealthPickUp::List.Count(), 0);
    EXPECT_EQ(RespawnPoint::List.Count(), 0);
}

TEST_F(ArenaLoaderTest, MapWithABadHeaderFails) {
    std::string bytes = MapBytes(4, 4, 16, 16);
    bytes[0] = 'X';  // not "FORM"
    WriteMap("bad", bytes);
    WriteArena("t.arn", ArenaText("bad", {"0", "0", "0", "0", "0"}));
    EXPECT_FALSE(LoadArena("t.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/bad.FMP"));
    EXPECT_FALSE(TheMatch().TheWorld);
}

TEST_F(ArenaLoaderTest, EmptyMapFileFails) {
    WriteMap("empty", "");
    WriteArena("t.arn", ArenaText("empty", {"0", "0", "0", "0", "0"}));
    EXPECT_FALSE(LoadArena("t.arn"));
    EXPECT_TRUE(RedLineNaming("Arenas/empty.FMP"));
    EXPECT_FALSE(TheMatch().TheWorld);
}

TEST_F(ArenaLoaderTest, FailedLoadLeavesThePreviousArenaAsItWas) {
    ASSERT_TRUE(Load({"1", "2", "3", "2", "3", "1", "0", "0", "0", "1", "1", "1", "0", "0"}));
    const GameWorldRef world = TheMatch().TheWorld;
    WriteArena("gone.arn", ArenaText("nomap", {"1", "1", "1", "1", "1", "0", "0", "0", "0"}));
    EXPECT_FALSE(LoadArena("gone.arn"));
    EXPECT_EQ(TheMatch().TheWorld, world);
    EXPECT_EQ(Walls().size(), 8u);
    EXPECT_EQ(TheMatch().TheMap->MapWidth, 20);
    EXPECT_EQ(TheMatch().TheMap->ErrorCode, 0);
    EXPECT_DOUBLE_EQ(TheMatch().WorldWidth, kWidth);
    EXPECT_EQ(HealthPickUp::List.Count(), 1);
    EXPECT_EQ(RespawnPoint::List.Count(), 1);
}

TEST_F(ArenaLoaderTest, FaultOfAnEarlierMapDoesNotSpoilTheNextLoad) {
    TheMatch().TheMap->ErrorCode = 3;
    ASSERT_TRUE(Load({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(TheMatch().TheMap->ErrorCode, 0);
}

TEST_F(ArenaLoaderTest, TheMapObjectIsRefilledNotReplaced) {
    const std::shared_ptr<TileMap> map = TheMatch().TheMap;
    ASSERT_TRUE(Load({"0", "0", "0", "0", "0"}));
    EXPECT_EQ(TheMatch().TheMap, map);
    EXPECT_EQ(map->MapWidth, 20);
}

TEST_F(ArenaLoaderTest, EachLoadMakesANewWorld) {
    ASSERT_TRUE(Load({"0", "0", "0", "0", "0"}));
    const GameWorldRef first = TheMatch().TheWorld;
    ASSERT_TRUE(Load({"1", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_NE(TheMatch().TheWorld, first);
    EXPECT_EQ(Walls().size(), 8u);
    EXPECT_EQ(first->Walls().size(), 4u);
}

// The shipped arenas, from the generated data folder, where the pickups'
// images exist too.
class ShippedArenaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        ASSERT_TRUE(engine_.ok());
    }
    void TearDown() override {
        match_.reset();
        ResetAppState();
        EXPECT_EQ(LiveObjectTotal(), 0) << "objects outlived the test";
    }

    /// The match the arenas load into; each arena gets a fresh one.
    std::unique_ptr<Match> match_ = std::make_unique<Match>();

    test_support::HeadlessEngine engine_;
    test_support::ScopedChdir in_data_{CRASHMOOR_DATA_DIR};
};

// The seventh line of an arena file: its number of boxes.
int BoxCount(const std::string& file) {
    std::istringstream in(test_support::ReadFile(file));
    std::string line;
    for (int i = 0; i < 7; ++i) std::getline(in, line);
    return ParseArenaInt(line);
}

TEST_F(ShippedArenaTest, EveryShippedArenaIsListedAndLoads) {
    const std::vector<std::string> names = ListArenas();
    ASSERT_GE(names.size(), 4u);
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        match_.reset();
        match_ = std::make_unique<Match>();
        testing::internal::CaptureStdout();
        const bool loaded = LoadArena(name);
        const std::string out = testing::internal::GetCapturedStdout();
        ASSERT_TRUE(loaded);
        const Match& match = TheMatch();
        EXPECT_GE(match.WorldWidth, 1024);
        EXPECT_GE(match.WorldHeight, 768);
        EXPECT_EQ(match.TheWorld->CxClient(), static_cast<int>(match.WorldWidth));
        const int boxes = BoxCount("Arenas/" + name);
        EXPECT_GE(boxes, 4);
        EXPECT_EQ(match.TheWorld->Walls().size(), static_cast<std::size_t>(4 * boxes + 4));
        EXPECT_GE(RespawnPoint::List.Count(), 4);
        EXPECT_GE(HealthPickUp::List.Count(), 1);
        EXPECT_GE(WeaponPickUp::List.Count(), 1);
        EXPECT_GE(SecondaryPickUp::List.Count(), 1);
        EXPECT_EQ(out.substr(0, out.find('\n')), std::to_string(SecondaryPickUp::List.Count()));
        // Every point lies inside the arena and off solid ground.
        for (const auto& p : RespawnPoint::List.Items()) {
            EXPECT_GT(p->X, 0);
            EXPECT_LT(p->X, match.WorldWidth);
            EXPECT_GT(p->Y, 0);
            EXPECT_LT(p->Y, match.WorldHeight);
            EXPECT_EQ(match.TheMap->SolidAt(static_cast<int>(p->X), static_cast<int>(p->Y)), 0);
        }
        for (const auto& p : HealthPickUp::List.Items()) {
            EXPECT_TRUE(p->Image) << "pickup image";
            EXPECT_LT(p->X, match.WorldWidth);
            EXPECT_LT(p->Y, match.WorldHeight);
        }
    }
}

}  // namespace
