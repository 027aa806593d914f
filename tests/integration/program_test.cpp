// The real program, started headless with --frames and --screenshot.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace {

using test_support::ReadFile;
using test_support::TempDir;

struct Result {
    int status = -1;
    std::string out;
};

// The player's folders of a run: the base-directory variables point into
// the temporary folder, so that no test writes into the home folder.
std::string XdgEnv(const TempDir& dir) {
    return "XDG_CONFIG_HOME='" + (dir / "xdg/config") + "' XDG_STATE_HOME='" + (dir / "xdg/state") +
           "' XDG_DATA_HOME='" + (dir / "xdg/data") + "'";
}
std::string ConfigOf(const TempDir& dir) {
    return ReadFile(dir / "xdg/config/crashmoor/config.cfg");
}
std::string ReportOf(const TempDir& dir) {
    return ReadFile(dir / "xdg/state/crashmoor/debug_console_report.txt");
}

// Runs the program with arguments (already quoted where needed) and returns
// its exit status and standard output; `env` comes after the player's
// folders and may set them otherwise.
Result RunProgram(const TempDir& dir, const std::string& args, const std::string& env = "") {
    const std::string out = dir / "stdout.txt";
    const std::string command = XdgEnv(dir) + " " + env + " '" CRASHMOOR_BINARY "' " + args +
                                " > '" + out + "' 2> '" + (dir / "stderr.txt") + "'";
    Result r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = ReadFile(out);
    return r;
}

// A data folder with the shipped fonts only.
std::string MakeData(const TempDir& dir) {
    const std::string data = dir / "data";
    std::filesystem::create_directories(data);
    std::filesystem::copy(std::string(CRASHMOOR_DATA_DIR) + "/fonts", data + "/fonts",
                          std::filesystem::copy_options::recursive);
    return data;
}

// The whole shipped data folder seen through links, so that the files the
// game writes stay in the temporary folder.
std::string LinkData(const TempDir& dir) {
    const std::string data = dir / "linked";
    std::filesystem::create_directories(data);
    test_support::LinkDataFolder(CRASHMOOR_DATA_DIR, data);
    return data;
}

struct Picture {
    int w = 0, h = 0, lit = 0;
};

Picture Inspect(const std::string& png) {
    Picture p;
    SDL_Surface* loaded = IMG_Load(png.c_str());
    if (!loaded) return p;
    SDL_Surface* s = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    p.w = s->w;
    p.h = s->h;
    for (int y = 0; y < s->h; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(
            static_cast<const char*>(s->pixels) + y * s->pitch);
        for (int x = 0; x < s->w; ++x) p.lit += (row[x] & 0xFFFFFF) != 0;
    }
    SDL_FreeSurface(s);
    return p;
}

TEST(Program, HeadlessRunSavesAFullFrameAndItsFiles) {
    TempDir dir;
    const std::string data = MakeData(dir);
    const std::string shot = dir / "shot.png";
    const Result r =
        RunProgram(dir, "--windowed --frames 20 --data '" + data + "' --screenshot '" + shot + "'");
    ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_NE(r.out.find("screenshot: " + shot), std::string::npos);
    const Picture p = Inspect(shot);
    EXPECT_EQ(p.w, 1024);
    EXPECT_EQ(p.h, 768);
    EXPECT_GT(p.lit, 500) << "the footer line is drawn";
    // The settings, then the controls.
    const std::string config = ConfigOf(dir);
    EXPECT_EQ(config.substr(0, config.find("Control ")),
              "Screen Format = 0\r\nSound Volume = 5\r\nMusic Volume = 10\r\nFull Screen = 1\r\n"
              "Graphics Quality = 3\r\nShow FPS = 0\r\n");
    EXPECT_NE(config.find("Control Pause = P, Pause, Start, None\r\n"), std::string::npos);
    EXPECT_FALSE(ReportOf(dir).empty());
    EXPECT_NE(r.out.find("Sound Volume: 0.5"), std::string::npos);
    EXPECT_EQ(ReadFile(dir / "stderr.txt").find("alive at exit"), std::string::npos);
}

TEST(Program, ReportFileHoldsTheSongLines) {
    TempDir dir;
    const std::string data = MakeData(dir);
    std::filesystem::create_directories(data + "/mp3");
    test_support::WriteWav(data + "/mp3/tune.wav", 0.5);
    test_support::WriteFile(data + "/mp3/notes.txt", "not music");
    const Result r = RunProgram(dir, "--windowed --no-video --frames 10 --data '" + data + "'",
                                "SDL_AUDIODRIVER=dummy");
    ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_NE(r.out.find("tune.wav"), std::string::npos) << "song names go to standard output";
    const std::string report = ReportOf(dir);
    EXPECT_NE(report.find("] Playing song 'tune.wav'\r\n"), std::string::npos) << report;
    EXPECT_EQ(report.find("notes.txt"), std::string::npos);
    EXPECT_EQ(report[0], '[');
}

TEST(Program, FixedStepRunsRepeatExactly) {
    TempDir dir;
    const std::string data = MakeData(dir);
    std::filesystem::create_directories(data + "/mp3");
    test_support::WriteWav(data + "/mp3/tune.wav", 0.2);
    std::string reports[2], shots[2];
    for (int run = 0; run < 2; ++run) {
        const std::string shot = dir / ("shot" + std::to_string(run) + ".png");
        const Result r =
            RunProgram(dir, "--windowed --fixed-dt 0.0166667 --seed 7 --frames 30 --data '" + data +
                                "' --screenshot '" + shot + "'");
        ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
        reports[run] = ReportOf(dir);
        shots[run] = ReadFile(shot);
    }
    EXPECT_EQ(reports[0], reports[1]);
    EXPECT_FALSE(shots[0].empty());
    EXPECT_EQ(shots[0], shots[1]);
    EXPECT_EQ(reports[0].find("Playing song"), std::string::npos) << "fixed-step runs are silent";
}

TEST(Program, RunsWithoutAnyDataFolder) {
    TempDir dir;
    const std::string shot = dir / "shot.png";
    const Result r = RunProgram(dir, "--windowed --frames 3 --data '" + (dir / "missing") +
                                         "' --screenshot '" + shot + "'");
    EXPECT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_EQ(Inspect(shot).w, 1024);
}

TEST(Program, NoVideoAtAllFailsWithAReason) {
    TempDir dir;
    const Result r = RunProgram(dir, "--windowed --frames 3", "SDL_VIDEODRIVER=no-such-driver");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(ReadFile(dir / "stderr.txt").find("crashmoor: "), std::string::npos);
}

TEST(Program, CommandLineHelpStatsAndErrors) {
    TempDir dir;
    Result r = RunProgram(dir, "--help");
    EXPECT_EQ(r.status, 0);
    for (const char* option : {"--windowed", "--data", "--frames", "--screenshot", "--seed",
                               "--fixed-dt", "--no-video", "--uncapped", "--stats"}) {
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(RunProgram(dir, "--frames").status, 2);
    EXPECT_EQ(RunProgram(dir, "--frames 0").status, 2);
    EXPECT_EQ(RunProgram(dir, "--fixed-dt -1").status, 2);
    EXPECT_EQ(RunProgram(dir, "--bogus").status, 2);
    for (const char* option : {"--match", "--vehicle", "--team", "--game-type", "--score-limit",
                               "--time-limit", "--respawn-penalty", "--no-minimap"}) {
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
    }
    // A vehicle model outside 1 to 5 is refused with a clear message.
    const Result bad = RunProgram(dir, "--match yard.arn --vehicle 6");
    EXPECT_EQ(bad.status, 2);
    EXPECT_NE(ReadFile(dir / "stderr.txt").find("--vehicle needs 1 (Jeep)"), std::string::npos);
    EXPECT_EQ(RunProgram(dir, "--match yard.arn --game-type tag").status, 2);
    EXPECT_EQ(RunProgram(dir, "--match yard.arn --team 0").status, 2);

    const std::string data = MakeData(dir);
    r = RunProgram(dir, "--no-video --frames 5 --stats --data '" + data + "'");
    ASSERT_EQ(r.status, 0);
    for (const char* line :
         {"frames: 5\n", "frame_ms_median: ", "frame_ms_p95: ", "peak_rss_mb: "}) {
        EXPECT_NE(r.out.find(line), std::string::npos) << line;
    }
}

TEST(Program, QuickMatchPlaysAShippedArenaAndRefusesAMissingOne) {
    TempDir dir;
    const std::string data = LinkData(dir);
    const std::string shot = dir / "match.png";
    Result r =
        RunProgram(dir, "--windowed --fixed-dt 0.0166667 --frames 120 --seed 5 --data '" + data +
                            "' --match dust.arn --vehicle 4 --screenshot '" + shot + "'");
    ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_EQ(ReadFile(dir / "stderr.txt").find("alive at exit"), std::string::npos);
    const Picture p = Inspect(shot);
    EXPECT_GT(p.lit, 1024 * 768 / 2) << "the arena fills the frame";
    EXPECT_NE(ReportOf(dir).find("Player added to scene"), std::string::npos);

    r = RunProgram(dir, "--windowed --frames 5 --data '" + data + "' --match nowhere.arn");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(ReadFile(dir / "stderr.txt").find("nowhere.arn"), std::string::npos);

    // A match whose time limit is 0 ends at once with the results.
    r = RunProgram(dir,
                   "--windowed --frames 50 --data '" + data + "' --match yard.arn --time-limit 0");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Contestant"), std::string::npos);
    EXPECT_NE(r.out.find("Crashmoor Newbie"), std::string::npos);
}

// The player's files go to the base-directory folders, or all to
// --user-dir; an earlier version's settings in the data folder are brought
// over once; a folder that cannot be made leaves the game running on its
// defaults; and the data folder is never written.
TEST(Program, ThePlayersFilesGoToTheirOwnFoldersAndTheDataFolderStaysAsItIs) {
    TempDir dir;
    const std::string data = LinkData(dir);
    test_support::WriteFile(data + "/config.cfg", "Sound Volume = 7\r\n");
    auto listing = [&] {
        std::string names;
        for (const auto& entry : std::filesystem::directory_iterator(data)) {
            names += entry.path().filename().string() + "\n";
        }
        return names;
    };
    const std::string before = listing();
    std::filesystem::permissions(data, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::remove);
    const std::string play = "--no-video --frames 30 --data '" + data + "' --match yard.arn";
    Result r = RunProgram(dir, play);
    ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_NE(ConfigOf(dir).find("Sound Volume = 7\r\n"), std::string::npos)
        << "the earlier settings are brought over";
    EXPECT_NE(ConfigOf(dir).find("Control Fire = "), std::string::npos);
    EXPECT_NE(ReportOf(dir).find("Settings copied from " + data + "/config.cfg"),
              std::string::npos);
    EXPECT_NE(ReportOf(dir).find("Player added to scene"), std::string::npos);

    // Once only: the player's own file is theirs from now on.
    test_support::WriteFile(dir / "xdg/config/crashmoor/config.cfg", "Sound Volume = 3\r\n");
    r = RunProgram(dir, play);
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("Sound Volume: 0.3"), std::string::npos);
    EXPECT_EQ(ConfigOf(dir).find("Sound Volume = 7"), std::string::npos);

    // --user-dir holds them all, whatever the variables say.
    const std::string user = dir / "user";
    r = RunProgram(dir, play + " --user-dir '" + user + "'",
                   "XDG_CONFIG_HOME=/proc/nowhere XDG_STATE_HOME=/proc/nowhere");
    ASSERT_EQ(r.status, 0);
    EXPECT_NE(ReadFile(user + "/config.cfg").find("Sound Volume = 7"), std::string::npos);
    EXPECT_NE(ReadFile(user + "/debug_console_report.txt").find("Player added to scene"),
              std::string::npos);

    // A configuration folder that cannot be made: the defaults, and a line
    // saying so.
    r = RunProgram(dir, play, "XDG_CONFIG_HOME=/proc/nowhere");
    ASSERT_EQ(r.status, 0) << ReadFile(dir / "stderr.txt");
    EXPECT_NE(r.out.find("Sound Volume: 0.5"), std::string::npos);
    const std::string report = ReportOf(dir);
    const std::string line = "Cannot create the folder /proc/nowhere/crashmoor";
    ASSERT_NE(report.find(line), std::string::npos) << report;
    EXPECT_EQ(report.find(line), report.rfind(line)) << "said once";

    std::filesystem::permissions(data, std::filesystem::perms::owner_write,
                                 std::filesystem::perm_options::add);
    EXPECT_EQ(listing(), before) << "nothing was written into the data folder";
    EXPECT_EQ(ReadFile(data + "/config.cfg"), "Sound Volume = 7\r\n");
}

}  // namespace
