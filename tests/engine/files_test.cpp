// Paths, listings, streams, text helpers and the clock.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/clock.h"
#include "engine/filesystem.h"
#include "engine/stream.h"
#include "engine/text.h"
#include "spritebehaviors/delta.h"
#include "tests/support/test_support.h"

namespace {

using test_support::ReadFile;
using test_support::TempDir;
using test_support::WriteFile;

TEST(Paths, ExtensionIsTheTextAfterTheLastDotOfTheName) {
    EXPECT_EQ(fs_extract_ext("a.b/c"), "");
    EXPECT_EQ(fs_extract_ext("Arenas/Desert.FMP"), "FMP");
    EXPECT_EQ(fs_extract_ext("noext"), "");
    EXPECT_EQ(fs_extract_ext("x.tar.gz"), "gz");
    EXPECT_EQ(fs_extract_ext("trailing."), "");
}

TEST(Paths, MissingPathsResolveCaseInsensitivelyPerComponent) {
    TempDir dir;
    std::filesystem::create_directories(dir / "sprites/backdrop");
    WriteFile(dir / "sprites/backdrop/Logo.png", "x");
    test_support::ScopedChdir cd(dir.path());
    EXPECT_EQ(fs_resolve("Sprites/Backdrop/logo.PNG"), "sprites/backdrop/Logo.png");
    EXPECT_EQ(fs_resolve("sprites/backdrop/Logo.png"), "sprites/backdrop/Logo.png");
    EXPECT_EQ(fs_file_type("SPRITES/backdrop/logo.png"), 1);
    EXPECT_EQ(fs_file_type("SPRITES"), 2);
    // Unmatched components stay as written: that is where a new file goes.
    EXPECT_EQ(fs_resolve("Sprites/new/file.txt"), "sprites/new/file.txt");
    EXPECT_EQ(fs_resolve(dir / "SPRITES/backdrop"), dir / "sprites/backdrop");
    // A Windows path is just a name that does not exist.
    EXPECT_EQ(fs_file_type("C:\\windows\\fonts\\tahoma.ttf"), 0);
    EXPECT_EQ(fs_file_type(""), 0);
}

TEST(Paths, ListingsAreSortedIgnoringCaseWithByteOrderTies) {
    TempDir dir;
    for (const char* name : {"b.arn", "A.arn", "a.arn", "C.arn", "_x.arn"})
        WriteFile(dir / name, "");
    std::filesystem::create_directories(dir / "sub");
    const std::vector<std::string> names = fs_load_dir(dir.path());
    EXPECT_EQ(names,
              (std::vector<std::string>{"A.arn", "a.arn", "b.arn", "C.arn", "sub", "_x.arn"}));

    DirHandle d = fs_read_dir(dir.path());
    ASSERT_TRUE(d);
    EXPECT_EQ(fs_next_file(d), ".");
    EXPECT_EQ(fs_next_file(d), "..");
    EXPECT_EQ(fs_next_file(d), "A.arn");
    fs_close_dir(d);
    EXPECT_EQ(fs_next_file(d), "");
    EXPECT_TRUE(fs_load_dir(dir / "missing").empty());
    EXPECT_FALSE(fs_read_dir(dir / "missing"));
}

TEST(Paths, LoadDirNeverChangesTheWorkingFolder) {
    TempDir dir;
    test_support::ScopedChdir cd(dir.path());
    const std::string before = fs_current_dir();
    fs_load_dir("mp3/");
    EXPECT_EQ(fs_current_dir(), before);
}

TEST(Streams, LinesLoseTheirLineEndsAndWritesUseCrLf) {
    TempDir dir;
    WriteFile(dir / "t.txt", "one\r\ntwo\nthree\r\n\nlast");
    StreamHandle s = stream_open_read(dir / "t.txt");
    ASSERT_TRUE(s);
    EXPECT_EQ(stream_read_line(s), "one");
    EXPECT_EQ(stream_read_line(s), "two");
    EXPECT_EQ(stream_read_line(s), "three");
    EXPECT_EQ(stream_read_line(s), "");
    EXPECT_FALSE(stream_eof(s));
    EXPECT_EQ(stream_read_line(s), "last");
    EXPECT_TRUE(stream_eof(s));
    EXPECT_EQ(stream_size(s), 21);
    stream_close(s);
    EXPECT_FALSE(s);

    StreamHandle w = stream_open_write(dir / "w.txt");
    stream_write_line(w, "a");
    stream_write_string(w, "b");
    stream_close(w);
    EXPECT_EQ(ReadFile(dir / "w.txt"), "a\r\nb");
}

TEST(Streams, ReadWriteOpenKeepsContentAndSeeks) {
    TempDir dir;
    WriteFile(dir / "f", "12345");
    EXPECT_FALSE(stream_open(dir / "missing", 1, 1));
    StreamHandle s = stream_open(dir / "f", 1, 1);
    ASSERT_TRUE(s);
    EXPECT_EQ(stream_seek(s, 99), 5);
    stream_write_string(s, "67");
    EXPECT_EQ(stream_seek(s, -3), 0);
    EXPECT_EQ(stream_read_byte(s), '1');
    stream_close(s);
    EXPECT_EQ(ReadFile(dir / "f"), "1234567");
    EXPECT_FALSE(stream_open_read(dir.path())) << "a folder is not a stream";
}

TEST(Streams, NullStreamsAreHarmless) {
    StreamHandle none;
    EXPECT_EQ(stream_read_line(none), "");
    EXPECT_EQ(stream_read_byte(none), 0);
    EXPECT_EQ(stream_write_line(none, "x"), 0);
    EXPECT_EQ(stream_eof(none), 1);
    EXPECT_EQ(stream_size(none), 0);
    EXPECT_EQ(stream_close(none), 0);
}

TEST(Streams, BinaryBytesSurviveLineReading) {
    TempDir dir;
    const std::string bytes("a\0b\xff\n", 5);
    WriteFile(dir / "bin", bytes);
    StreamHandle s = stream_open_read(dir / "bin");
    EXPECT_EQ(stream_read_line(s), std::string("a\0b\xff", 4));
}

TEST(Files, CreateDeleteRenameAndTypes) {
    TempDir dir;
    EXPECT_EQ(fs_create_file(dir / "a"), 1);
    EXPECT_EQ(fs_file_type(dir / "a"), 1);
    EXPECT_EQ(fs_rename_file(dir / "a", dir / "b"), 1);
    EXPECT_EQ(fs_file_type(dir / "a"), 0);
    EXPECT_EQ(fs_delete_file(dir / "b"), 1);
    EXPECT_EQ(fs_delete_file(dir / "b"), 0);
    EXPECT_EQ(fs_delete_file(dir.path()), 0) << "folders are not deleted";
    EXPECT_EQ(fs_create_file(dir / "no/such/folder/x"), 0);
}

TEST(Text, NumbersThatDoNotParseReadAsZero) {
    EXPECT_EQ(str_to_int("42"), 42);
    EXPECT_EQ(str_to_int("  -7xyz"), -7);
    EXPECT_EQ(str_to_int(""), 0);
    EXPECT_EQ(str_to_int("abc"), 0);
    EXPECT_EQ(str_to_int("99999999999999"), 2147483647);
    EXPECT_EQ(str_to_int("-99999999999999"), -2147483647 - 1);
    EXPECT_DOUBLE_EQ(str_to_float("0.25"), 0.25);
    EXPECT_DOUBLE_EQ(str_to_float("nan"), 0.0);
    EXPECT_DOUBLE_EQ(str_to_float("0x10"), 0.0);
    EXPECT_DOUBLE_EQ(str_to_float("x"), 0.0);
}

TEST(Text, SearchCaseAndCharacters) {
    EXPECT_EQ(str_find("add ai moderate now", "moderate", 0), 7);
    EXPECT_EQ(str_find("abc", "c", 5), -1);
    EXPECT_EQ(str_find("abcabc", "a", 1), 3);
    EXPECT_TRUE(str_contains("xx rpg yy", "rpg"));
    EXPECT_EQ(str_upper("Rpg1"), "RPG1");
    EXPECT_EQ(str_lower("RpG"), "rpg");
    EXPECT_EQ(str_chr(65), "A");
    EXPECT_EQ(str_chr(0xE9), "\xC3\xA9");
    EXPECT_EQ(str_chr(-1), "");
    EXPECT_EQ(str_hex8(0xBEEF), "0000BEEF");
    EXPECT_NEAR(math_acos_deg(1.0000001), 0.0, 1e-9) << "clamped, not NaN";
    EXPECT_NEAR(math_atan2_deg(1, 0), 90.0, 1e-9);
    EXPECT_NEAR(math_sin_deg(30), 0.5, 1e-12);
}

class VirtualClock : public ::testing::Test {
protected:
    void TearDown() override { clock_set_fixed_step(0.0); }
};

TEST_F(VirtualClock, AdvancesByTheStepCarryingFractions) {
    clock_set_fixed_step(1.0 / 60.0);
    EXPECT_EQ(sys_millisecs(), 0);
    std::int64_t last = 0;
    std::vector<std::int64_t> steps;
    for (int i = 0; i < 6; ++i) {
        clock_advance_frame();
        steps.push_back(sys_millisecs() - last);
        last = sys_millisecs();
    }
    EXPECT_EQ(steps, (std::vector<std::int64_t>{16, 17, 17, 16, 17, 17}));
    EXPECT_EQ(sys_current_time(), "00:00:00");
    for (int i = 0; i < 60 * 61; ++i) clock_advance_frame();
    EXPECT_EQ(sys_current_time(), "00:01:01");
}

TEST_F(VirtualClock, KeepsCountingPastThirtyTwoBits) {
    clock_set_fixed_step(1.0);
    // 30 days of one-second frames: beyond 2^31 milliseconds.
    for (int i = 0; i < 30 * 24 * 3600; ++i) clock_advance_frame();
    EXPECT_EQ(sys_millisecs(), 30LL * 24 * 3600 * 1000);
}

TEST_F(VirtualClock, DeltaMeasuresTheFrameInSinglePrecisionSeconds) {
    clock_set_fixed_step(1.0 / 60.0);
    Delta::Reset();
    EXPECT_EQ(Delta::Get(), 0.0);
    Delta::Start();
    clock_advance_frame();
    Delta::Update();
    EXPECT_DOUBLE_EQ(Delta::Get(), 16 * static_cast<double>(0.001f));
    clock_advance_frame();
    Delta::Update();
    EXPECT_DOUBLE_EQ(Delta::Get(), 17 * static_cast<double>(0.001f));
}

// The game's clock follows the engine clock frame by frame, stands still
// while held, and the world's frame time never exceeds 100 ms.
TEST_F(VirtualClock, TheGameClockStopsWhileHeldAndAStallStepsTheWorldAtMost100Ms) {
    clock_set_fixed_step(0.25);
    Delta::Reset();
    Delta::Start();
    EXPECT_EQ(game_millisecs(), 0);
    clock_advance_frame();
    EXPECT_EQ(game_millisecs(), 250);
    Delta::Update();
    EXPECT_DOUBLE_EQ(Delta::Get(), 100 * static_cast<double>(0.001f)) << "a 250 ms stall";
    game_clock_hold(true);
    for (int i = 0; i < 10; ++i) clock_advance_frame();
    EXPECT_EQ(sys_millisecs(), 2750);
    EXPECT_EQ(game_millisecs(), 250);
    Delta::Update();
    EXPECT_EQ(Delta::Get(), 0.0);
    game_clock_hold(false);
    clock_advance_frame();
    EXPECT_EQ(game_millisecs(), 500) << "only the frame after the hold counts";
    clock_set_virtual_ms(3600000);
    EXPECT_EQ(game_millisecs(), 3600000);
    clock_set_fixed_step(1.0 / 60.0);
    EXPECT_EQ(game_millisecs(), 0);
}

TEST(RealClock, CurrentTimeHasTheClockForm) {
    const std::string t = sys_current_time();
    ASSERT_EQ(t.size(), 8u);
    EXPECT_EQ(t[2], ':');
    EXPECT_EQ(t[5], ':');
    EXPECT_GE(sys_millisecs(), 0);
}

}  // namespace
