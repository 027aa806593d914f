// The game's window on a real X display without a window manager (a bare
// X server, started here when Xvfb is installed): full screen must cover
// the desktop even though nothing honours the full-screen request, and the
// picture and the pointer must be laid out for the window's real size.

#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "engine/engine_detail.h"
#include "engine/graphics.h"
#include "engine/input.h"

// Last: the X11 headers it brings define macros (None, Bool, ...) that
// clash with names in the headers above.
#include <SDL_syswm.h>

extern char** environ;

namespace {

bool Installed(const char* path) {
    return ::access(path, X_OK) == 0;
}

// A bare X server of 1600 x 900 on a display of its own, for one test.
class BareXServer {
public:
    BareXServer() {
        display_ = ":" + std::to_string(60 + ::getpid() % 200);
        const std::string socket = "/tmp/.X11-unix/X" + display_.substr(1);
        std::string screen = "1600x900x24";
        const char* argv[] = {"Xvfb",         display_.c_str(), "-screen", "0",
                              screen.c_str(), "-nolisten",      "tcp",     nullptr};
        if (::posix_spawn(&pid_, "/usr/bin/Xvfb", nullptr, nullptr, const_cast<char**>(argv),
                          environ) != 0) {
            pid_ = -1;
            return;
        }
        for (int i = 0; i < 100 && !std::filesystem::exists(socket); ++i) ::usleep(50'000);
        ready_ = std::filesystem::exists(socket);
    }
    ~BareXServer() {
        if (pid_ <= 0) return;
        ::kill(pid_, SIGTERM);
        int status = 0;
        ::waitpid(pid_, &status, 0);
    }
    bool ready() const { return ready_; }
    const std::string& display() const { return display_; }

private:
    std::string display_;
    pid_t pid_ = -1;
    bool ready_ = false;
};

// The size the X server gives the game's window, asked of the server itself.
std::pair<int, int> RealWindowSize(const std::string& display) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_GetWindowWMInfo(engine_detail::current_window(), &info) ||
        info.subsystem != SDL_SYSWM_X11) {
        return {-1, -1};
    }
    const std::string command = "DISPLAY=" + display + " xwininfo -id " +
                                std::to_string(static_cast<unsigned long>(info.info.x11.window));
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(::popen(command.c_str(), "r"), ::pclose);
    int w = -1, h = -1;
    char line[256];
    while (out && std::fgets(line, sizeof line, out.get())) {
        std::sscanf(line, " Width: %d", &w);
        std::sscanf(line, " Height: %d", &h);
    }
    return {w, h};
}

// Opens the game's window full screen on `display`, checks its size, then
// switches to a window and checks again.
void CheckTheWindowOn(const std::string& display) {
    ::setenv("DISPLAY", display.c_str(), 1);
    ::setenv("SDL_VIDEODRIVER", "x11", 1);
    EngineOptions options;
    options.audio = false;
    options.uncapped = true;
    Engine engine(options);
    ASSERT_TRUE(engine.ok()) << engine.error();
    ASSERT_EQ(gfx_open(1024, 768, 32, 60, 0), 1) << gfx_last_error();
    for (int i = 0; i < 3; ++i) gfx_flip(0);

    EXPECT_EQ(RealWindowSize(display), std::make_pair(1600, 900));
    int w = 0, h = 0;
    SDL_GetWindowSize(engine_detail::current_window(), &w, &h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(1600, 900)) << "the size the game lays out for";
    // 1600 x 900 letter-boxes the 4:3 picture to 1200 x 900 from x = 200.
    int lx = 0, ly = 0;
    engine_detail::map_window_to_logical(200 + 600, 450, &lx, &ly);
    EXPECT_EQ(std::make_pair(lx, ly), std::make_pair(512, 384));

    // Alt+Enter: a window of the mode's size.
    engine_detail::toggle_fullscreen();
    for (int i = 0; i < 3; ++i) gfx_flip(0);
    EXPECT_EQ(RealWindowSize(display), std::make_pair(1024, 768));
    SDL_GetWindowSize(engine_detail::current_window(), &w, &h);
    EXPECT_EQ(std::make_pair(w, h), std::make_pair(1024, 768));
    gfx_close();
}

TEST(BareDesktop, FullScreenCoversTheDesktopAndAWindowGetsTheModeSize) {
    if (!Installed("/usr/bin/Xvfb") || !Installed("/usr/bin/xwininfo")) {
        GTEST_SKIP() << "Xvfb and xwininfo are not installed";
    }
    BareXServer x;
    ASSERT_TRUE(x.ready()) << "Xvfb did not start on " << x.display();
    // In a child process that ends without the leak checker's pass at exit:
    // the X11 GL driver's threads may still be winding down then, and
    // stopping them for the check can crash it.
    EXPECT_EXIT(
        {
            CheckTheWindowOn(x.display());
            std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
