// Start-up and the frame loop, run in-process on the off-screen driver.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/console_message.h"
#include "app/game.h"
#include "app/music.h"
#include "app/user_folders.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/engine.h"
#include "engine/engine_detail.h"
#include "engine/filesystem.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/log.h"
#include "objects/match_state.h"
#include "tests/support/synthetic_input.h"
#include "tests/support/test_support.h"

namespace {

using test_support::ReadFile;
using test_support::TempDir;
using test_support::WriteFile;

class GameTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAppState(); }
    void TearDown() override {
        ShutDown();
        engine.reset();
    }
    // Starts the engine in the temporary data folder and runs start-up.
    bool Start(bool audio = false) {
        EngineOptions options;
        options.audio = audio;
        options.windowed = true;
        options.uncapped = true;
        engine = std::make_unique<Engine>(options);
        if (!engine->ok()) return false;
        StartOptions start;
        start.has_seed = true;
        start.seed = 42;
        return StartUp(start);
    }
    TempDir dir;
    test_support::ScopedChdir cd{dir.path()};
    std::unique_ptr<Engine> engine;
};

TEST_F(GameTest, FreshStartWritesTheSettingsAndOpensTheMode) {
    ASSERT_TRUE(Start());
    EXPECT_EQ(ReadFile("config.cfg"),
              "Screen Format = 0\r\nSound Volume = 5\r\nMusic Volume = 10\r\nFull Screen = 1\r\n"
              "Graphics Quality = 3\r\nShow FPS = 0\r\n"
              "Control Forward = Up, W, D-Pad Up, Left Stick Up\r\n"
              "Control Back = Down, S, D-Pad Down, Left Stick Down\r\n"
              "Control Left = Left, A, D-Pad Left, Left Stick Left\r\n"
              "Control Right = Right, D, D-Pad Right, Left Stick Right\r\n"
              "Control Fire = Left Mouse, None, Right Trigger, None\r\n"
              "Control Drop Device = Right Mouse, None, Left Trigger, Left Shoulder\r\n"
              "Control Console = Left of 1, None, Back, None\r\n"
              "Control Pause = P, Pause, Start, None\r\n");
    EXPECT_EQ(gfx_width(), 1024);
    EXPECT_EQ(gfx_height(), 768);
    EXPECT_STREQ(SDL_GetWindowTitle(engine_detail::current_window()), "Crashmoor v1.0 [RC1]");
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_EQ(App().GraphicsQuality, 2) << "the default 3 is read as the highest level, 2";
    EXPECT_DOUBLE_EQ(chan_get_volume(App().EffectChannels[kSfxExplosion]), 0.5);
    EXPECT_DOUBLE_EQ(chan_get_volume(App().MusicChannel), 1.0);
    EXPECT_EQ(App().ConsoleCommands[3], "rocket launcher");
    EXPECT_EQ(App().AIDisplayNames.size(), 26u);
    for (const std::string& name : App().AIDisplayNames) EXPECT_FALSE(name.empty());
    EXPECT_EQ(fs_file_type("debug_console_report.txt"), 1);
}

TEST_F(GameTest, SettingsFromTheFileAreApplied) {
    WriteFile(
        "config.cfg",
        "Screen Format = 1\r\nSound Volume = 7\r\nMusic Volume = 3\r\nGraphics Quality = 9\r\n"
        "Show FPS = 1\r\n");
    ASSERT_TRUE(Start());
    EXPECT_TRUE(App().ShowFPS);
    EXPECT_NE(ReadFile("config.cfg").find("Show FPS = 1\r\nFull Screen = 1\r\n"), std::string::npos)
        << "a file without the full-screen key reads the default and gets it";
    EXPECT_EQ(gfx_width(), 1024) << "every screen format opens the same mode";
    EXPECT_DOUBLE_EQ(chan_get_volume(App().EffectChannels[0]), 0.7);
    EXPECT_DOUBLE_EQ(chan_get_volume(App().MusicChannel), 0.3);
    EXPECT_EQ(App().GraphicsQuality, 2);
    EXPECT_NE(ReadFile("config.cfg").find("Graphics Quality = 9"), std::string::npos)
        << "the file keeps what it says";
}

// Escape ends the loop once held for 0.7 s (42 frames of the virtual
// clock), in the menus and in a match; a tap, or a hold let go early, does
// not.
TEST_F(GameTest, EscapeHeldForAMomentEndsTheLoopInEitherStateATapDoesNot) {
    ASSERT_TRUE(Start());
    clock_set_fixed_step(1 / 60.0);
    auto frames_until_the_end = [] {
        int frames = 1;
        while (RunFrame() && frames < 100) ++frames;
        return frames;
    };
    test_support::Key(SDL_SCANCODE_ESCAPE, true);
    for (int i = 0; i < 20; ++i) EXPECT_TRUE(RunFrame());
    test_support::Key(SDL_SCANCODE_ESCAPE, false);
    for (int i = 0; i < 60; ++i) EXPECT_TRUE(RunFrame()) << "let go before 0.7 s";
    test_support::Key(SDL_SCANCODE_ESCAPE, true);
    EXPECT_EQ(frames_until_the_end(), 43) << "the hold starts again from nothing";

    test_support::Key(SDL_SCANCODE_ESCAPE, false);
    EXPECT_TRUE(RunFrame());
    App().GameState = kStateMatch;  // a match with time and points to go
    Match match;
    match.TimeLeft = 100;
    match.ScoreLimit = 10;
    EXPECT_TRUE(RunFrame());
    test_support::Key(SDL_SCANCODE_ESCAPE, true);
    EXPECT_EQ(frames_until_the_end(), 43);
    clock_set_fixed_step(0);
}

TEST_F(GameTest, WindowCloseAndExitRequestEndTheLoop) {
    ASSERT_TRUE(Start());
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    EXPECT_FALSE(RunFrame());
}

TEST_F(GameTest, MenuFrameDrawsTheFooterInTheMediumFont) {
    std::filesystem::create_directories("fonts");
    std::filesystem::copy_file("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                               "fonts/DejaVuSans.ttf");
    ASSERT_TRUE(Start());
    ASSERT_TRUE(App().FontMedium) << "the Windows font path falls back to the data folder";
    EXPECT_EQ(gfx_get_font(), App().FontMedium);
    struct Capture {
        int lit = 0;
    } capture;
    SetBeforeFlipHook(
        [](void* user) {
            auto* c = static_cast<Capture*>(user);
            for (std::uint32_t p : gfx_read_pixels(0, 700, 400, 68)) c->lit += (p & 0xFF) > 128;
        },
        &capture);
    RunFrame();
    SetBeforeFlipHook(nullptr, nullptr);
    EXPECT_GT(capture.lit, 200) << "footer text at the bottom left";
}

TEST_F(GameTest, WithoutDataTheGameStillRuns) {
    ASSERT_TRUE(Start());
    EXPECT_FALSE(App().MenuBackdrop);
    EXPECT_FALSE(App().FontLarge);
    EXPECT_TRUE(App().SongList.empty());
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(RunFrame());
}

TEST_F(GameTest, EngineLogLinesReachTheConsoleAndTheReport) {
    ASSERT_TRUE(Start());
    log_message("Map 'x.FMP' could not be loaded", kConsoleRed);
    ASSERT_TRUE(ConsoleMessage::List);
    const std::string& text = ConsoleMessage::List->back()->Text;
    EXPECT_EQ(text.substr(9), "] Map 'x.FMP' could not be loaded");
    EXPECT_EQ(ConsoleMessage::List->back()->Color, kConsoleRed);
    EXPECT_NE(ReadFile("debug_console_report.txt").find(text + "\r\n"), std::string::npos);
}

TEST_F(GameTest, UnwritableReportLeavesTheGameRunning) {
    std::filesystem::create_directories("debug_console_report.txt");  // a folder in the way
    ASSERT_TRUE(Start());
    EXPECT_FALSE(App().ReportFile);
    ConsoleMessage::Create("still logged", kConsoleWhite);
    EXPECT_EQ(ConsoleMessage::List->back()->Text, "still logged");
}

class MusicTest : public GameTest {
protected:
    // Three short songs, an undecodable file and a sub-folder.
    void MakeMusicFolder(int songs) {
        std::filesystem::create_directories("mp3/sub");
        for (int i = 0; i < songs; ++i)
            test_support::WriteWav("mp3/song" + std::to_string(i) + ".wav", 0.05);
        WriteFile("mp3/broken.ogg", "OggS but not really");
    }
    // Lets the keeper pick `rounds` songs, stopping each at once.
    std::multiset<std::string> Pick(int rounds) {
        std::multiset<std::string> picked;
        for (int i = 0; i < rounds; ++i) {
            chan_stop(App().MusicChannel);
            const int before = ConsoleMessage::MessageCount;
            KeepMusicPlaying();
            if (ConsoleMessage::MessageCount == before) continue;
            const std::string& line = ConsoleMessage::List->back()->Text;
            const std::size_t at = line.find("Playing song '");
            if (at != std::string::npos) picked.insert(line.substr(at + 14, line.size() - at - 15));
        }
        return picked;
    }
};

TEST_F(MusicTest, OnlySongsThatLoadAreListedAndEveryOneCanBePicked) {
    MakeMusicFolder(3);
    ASSERT_TRUE(Start(/*audio=*/true));
    ASSERT_EQ(App().SongList.size(), 3u);
    EXPECT_EQ(App().SongList[2].Name, "song2.wav");
    if (!snd_available()) GTEST_SKIP() << "no audio device, not even the silent one";
    const std::multiset<std::string> picked = Pick(200);
    EXPECT_EQ(picked.size(), 200u);
    for (const char* name : {"song0.wav", "song1.wav", "song2.wav"})
        EXPECT_GT(picked.count(name), 20u) << name;
    EXPECT_EQ(picked.count("broken.ogg"), 0u);
    // A playing song is left alone.
    const int before = ConsoleMessage::MessageCount;
    KeepMusicPlaying();
    EXPECT_EQ(ConsoleMessage::MessageCount, before);
}

TEST_F(MusicTest, OneSongIsAlwaysReplayed) {
    MakeMusicFolder(1);
    ASSERT_TRUE(Start(/*audio=*/true));
    if (!snd_available()) GTEST_SKIP() << "no audio device, not even the silent one";
    const std::multiset<std::string> picked = Pick(10);
    EXPECT_EQ(picked.count("song0.wav"), 10u);
}

TEST_F(MusicTest, NoSongsOrNoSoundMeansTheKeeperStaysQuiet) {
    ASSERT_TRUE(Start(/*audio=*/true));
    const int before = ConsoleMessage::MessageCount;
    for (int i = 0; i < 5; ++i) RunFrame();
    EXPECT_EQ(ConsoleMessage::MessageCount, before) << "an empty music folder posts nothing";
}

TEST_F(MusicTest, SilentRunsLoadSongsButNeverPlayThem) {
    MakeMusicFolder(2);
    ASSERT_TRUE(Start(/*audio=*/false));
    EXPECT_EQ(App().SongList.size(), 2u) << "songs still load without a device";
    const int before = ConsoleMessage::MessageCount;
    for (int i = 0; i < 5; ++i) RunFrame();
    EXPECT_EQ(ConsoleMessage::MessageCount, before);
    EXPECT_EQ(chan_playing(App().MusicChannel), 0);
}

}  // namespace

// The player's folders from the base-directory variables: a variable that
// is not an absolute path reads as its default under the home folder.
TEST(UserFolders, TheBaseDirectoryVariablesAndTheirDefaults) {
    // The variables as they were come back whatever the checks find.
    struct Keep {
        std::vector<std::pair<std::string, std::optional<std::string>>> saved;
        Keep() {
            for (const char* name :
                 {"HOME", "XDG_CONFIG_HOME", "XDG_STATE_HOME", "XDG_DATA_HOME"}) {
                const char* v = std::getenv(name);
                saved.emplace_back(name, v ? std::optional<std::string>(v) : std::nullopt);
            }
        }
        ~Keep() {
            for (const auto& [name, value] : saved) {
                if (value) {
                    setenv(name.c_str(), value->c_str(), 1);
                } else {
                    unsetenv(name.c_str());
                }
            }
        }
    } keep;
    setenv("HOME", "/home/player", 1);
    setenv("XDG_CONFIG_HOME", "/elsewhere/settings", 1);
    setenv("XDG_STATE_HOME", "relative/state", 1);
    unsetenv("XDG_DATA_HOME");
    const UserFolders xdg = XdgUserFolders();
    EXPECT_EQ(xdg.config, "/elsewhere/settings/crashmoor");
    EXPECT_EQ(xdg.state, "/home/player/.local/state/crashmoor");
    EXPECT_EQ(xdg.data, "/home/player/.local/share/crashmoor");
    EXPECT_FALSE(xdg.InWorkingFolder());
    const UserFolders one = UserFoldersIn("/tmp/u");
    EXPECT_EQ(one.config + one.state + one.data, "/tmp/u/tmp/u/tmp/u");
    EXPECT_EQ(UserPath(one.config, "config.cfg"), "/tmp/u/config.cfg");
    EXPECT_EQ(UserPath("", "config.cfg"), "config.cfg");
}
