// match_frames [crashmoor options]
// The frame time of a quick match with the player firing the whole time:
// the game's own frame loop, with the left mouse button held, the aim
// sweeping round the car and the car driving in loops. The options are the
// game's; without any it plays metro.arn uncapped in a 1024 x 768 window for
// 600 frames. Prints `name: value` lines.

#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/command_line.h"
#include "app/frame_stats.h"
#include "app/game.h"
#include "engine/engine.h"
#include "engine/filesystem.h"
#include "objects/shot.h"

namespace {

void Push(const SDL_Event& e) {
    SDL_Event copy = e;
    SDL_PushEvent(&copy);
}

void Key(SDL_Scancode sc, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    Push(e);
}

struct Script {
    long long frame = 0;
    long long shots_seen = 0;
};

// Runs before each flip: the input is read on the next frame.
void Drive(void* user) {
    auto* s = static_cast<Script*>(user);
    const long long f = s->frame++;
    if (f == 0) {
        SDL_Event e{};
        e.type = SDL_MOUSEBUTTONDOWN;
        e.button.button = SDL_BUTTON_LEFT;
        e.button.state = SDL_PRESSED;
        e.button.x = 700;
        e.button.y = 384;
        Push(e);
        Key(SDL_SCANCODE_UP, true);
    }
    // Loops: turn left for a second out of every three.
    if (f % 180 == 0) Key(SDL_SCANCODE_LEFT, true);
    if (f % 180 == 60) Key(SDL_SCANCODE_LEFT, false);
    const double a = static_cast<double>(f) * 2.0 * std::numbers::pi / 240.0;
    SDL_Event m{};
    m.type = SDL_MOUSEMOTION;
    m.motion.x = 512 + static_cast<int>(220.0 * std::cos(a));
    m.motion.y = 384 + static_cast<int>(220.0 * std::sin(a));
    Push(m);
    s->shots_seen += static_cast<long long>(Shot::List.Count());
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) {
        args = {"--windowed", "--match", "metro.arn", "--uncapped",
                "--frames",   "600",     "--seed",    "1"};
    }
    const CommandLine cl = ParseCommandLine(args);
    if (!cl.error.empty() || !cl.quick_match) {
        std::fprintf(stderr, "match_frames: %s\n",
                     cl.error.empty() ? "needs --match NAME.arn" : cl.error.c_str());
        return 2;
    }
    const std::string data = cl.data_dir.empty() ? CRASHMOOR_DATA_DIR : cl.data_dir;
    if (!fs_change_dir(data)) {
        std::fprintf(stderr, "match_frames: no data folder at %s\n", data.c_str());
        return 1;
    }
    Engine engine(EngineOptionsFor(cl));
    if (!engine.ok()) {
        std::fprintf(stderr, "match_frames: %s\n", engine.error().c_str());
        return 1;
    }
    StartOptions start;
    start.has_seed = cl.has_seed;
    start.seed = cl.seed;
    start.quick_match = &cl.match;
    if (!StartUp(start)) {
        std::fprintf(stderr, "match_frames: %s\n", StartUpError().c_str());
        ShutDown();
        return 1;
    }
    Script script;
    SetBeforeFlipHook(Drive, &script);
    FrameStats stats;
    const long long frames = cl.frames > 0 ? cl.frames : 600;
    while (script.frame < frames && RunFrame()) stats.Tick();
    SetBeforeFlipHook(nullptr, nullptr);
    const int quality = App().GraphicsQuality;
    ShutDown();
    std::fputs(stats.Report().c_str(), stdout);
    std::printf("graphics_quality: %d\n", quality);
    std::printf("shots_in_flight_mean: %.1f\n",
                script.frame > 0 ? static_cast<double>(script.shots_seen) / script.frame : 0.0);
    return 0;
}
