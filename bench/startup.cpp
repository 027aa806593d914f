// startup [runs]
// The time from a cold start to the first main-menu frame on the screen:
// the engine, the whole start-up sequence (configuration, mode, fonts,
// images, sounds, music list, the menus) and one presented menu frame. Each
// run is a fresh process (the program runs itself with --child), so every
// run pays the dynamic loading and first-use costs a player's start pays.
// Also times the game binary itself for `--windowed --frames 1` (start-up,
// one menu frame and shutdown). Prints `name: value` lines.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/game.h"
#include "engine/engine.h"
#include "engine/filesystem.h"
#include "gui/kit.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point t0) {
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
}

// One cold start in this process; prints the figure for the parent.
int Child() {
    const Clock::time_point t0 = Clock::now();
    if (!fs_change_dir(CRASHMOOR_DATA_DIR)) return 1;
    EngineOptions options;
    options.windowed = true;
    options.audio = false;
    Engine engine(options);
    if (!engine.ok()) return 1;
    StartOptions start;
    if (!StartUp(start)) return 1;
    const double startup_ms = MsSince(t0);
    RunFrame();  // ends with the frame presented
    const double first_frame_ms = MsSince(t0);
    const bool on_main_menu =
        App().GameState == kStateMenus && kit_CurrentScreenName() == "Main Menu";
    ShutDown();
    std::printf("%.3f %.3f %d\n", startup_ms, first_frame_ms, on_main_menu ? 1 : 0);
    return 0;
}

// Runs a program and waits; the wall time in milliseconds, or -1. The
// child's standard output comes back through a pipe into `out` when it is
// given.
double Run(const std::vector<std::string>& argv, std::string* out) {
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    int pipe_fds[2] = {-1, -1};
    if (out && pipe(pipe_fds) != 0) return -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (out) {
        posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
        posix_spawn_file_actions_addclose(&actions, pipe_fds[0]);
        posix_spawn_file_actions_addclose(&actions, pipe_fds[1]);
    } else {
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    const Clock::time_point t0 = Clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (out) {
        close(pipe_fds[1]);
        out->clear();
        char buffer[256];
        ssize_t n = 0;
        while (spawned == 0 && (n = read(pipe_fds[0], buffer, sizeof buffer)) > 0) {
            out->append(buffer, static_cast<std::size_t>(n));
        }
        close(pipe_fds[0]);
    }
    if (spawned != 0) return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = MsSince(t0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
    return ms;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--child") return Child();
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string self = fs_executable_dir() + "/startup";
    const std::string game = fs_executable_dir() + "/../crashmoor";

    std::vector<double> startup, first_frame, process;
    int on_main_menu = 0;
    for (int i = 0; i < runs; ++i) {
        std::string out;
        if (Run({self, "--child"}, &out) < 0) {
            std::fprintf(stderr, "startup: the start-up run failed\n");
            return 1;
        }
        double s = 0, f = 0;
        int menu = 0;
        // The game prints its own lines first; the figures are the last.
        const std::size_t end = out.find_last_not_of('\n');
        const std::size_t start = end == std::string::npos ? 0 : out.rfind('\n', end);
        const std::string last = out.substr(start == std::string::npos ? 0 : start + 1);
        if (std::sscanf(last.c_str(), "%lf %lf %d", &s, &f, &menu) != 3) {
            std::fprintf(stderr, "startup: unexpected output from the start-up run\n");
            return 1;
        }
        startup.push_back(s);
        first_frame.push_back(f);
        on_main_menu += menu;
        const double p = Run({game, "--windowed", "--frames", "1"}, nullptr);
        if (p >= 0) process.push_back(p);
    }
    std::printf("runs: %d\n", runs);
    std::printf("startup_sequence_ms_median: %.1f\n", Median(startup));
    std::printf("first_main_menu_frame_ms_median: %.1f\n", Median(first_frame));
    std::printf("first_main_menu_frame_ms_max: %.1f\n",
                *std::max_element(first_frame.begin(), first_frame.end()));
    std::printf("first_frame_showed_main_menu: %d/%d\n", on_main_menu, runs);
    if (!process.empty()) {
        std::printf("game_process_one_frame_ms_median: %.1f\n", Median(process));
    }
    return 0;
}
