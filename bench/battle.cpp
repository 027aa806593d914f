// battle
// Frames simulated per second for a six-car battle with every weapon and
// device in play (the scripted battle of the game-object tests), without
// video or sound, and the average number of live shots per frame. Runs in
// the generated data folder so that the objects' images load.
// Prints `name: value` lines.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/app_state.h"
#include "engine/engine.h"
#include "objects/game_object.h"
#include "tests/objects/battle.h"

int main(int argc, char** argv) {
    std::error_code ec;
    std::filesystem::current_path(CRASHMOOR_DATA_DIR, ec);
    if (ec) {
        std::fprintf(stderr, "battle: no data folder at %s\n", CRASHMOOR_DATA_DIR);
        return 1;
    }
    EngineOptions options;
    options.video = false;
    options.audio = false;
    Engine engine(options);
    if (!engine.ok()) return 1;

    constexpr int kFrames = 20000;
    const int quality = argc > 1 ? std::atoi(argv[1]) : 2;
    double best_fps = 0, shots = 0, marks = 0, turrets = 0;
    for (int run = 0; run < 3; ++run) {
        Battle battle(4242, quality);
        long shot_frames = 0, mark_frames = 0, turret_frames = 0;
        const auto start = std::chrono::steady_clock::now();
        for (int frame = 0; frame < kFrames; ++frame) {
            battle.Frame();
            shot_frames += Shot::List.Count();
            mark_frames += Tread::List.Count() + Scar::List.Count();
            Shot::List.WalkClass(ObjectClass::Turret, [&](Shot&) { ++turret_frames; });
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        best_fps = std::max(best_fps, kFrames / seconds);
        shots = static_cast<double>(shot_frames) / kFrames;
        marks = static_cast<double>(mark_frames) / kFrames;
        turrets = static_cast<double>(turret_frames) / kFrames;
        battle.Teardown();
    }
    ResetAppState();
    std::printf("frames: %d\n", kFrames);
    std::printf("frames_per_second: %.0f\n", best_fps);
    std::printf("live_shots: %.1f\n", shots);
    std::printf("live_turrets: %.1f\n", turrets);
    std::printf("live_treads_and_scars: %.0f\n", marks);
    return 0;
}
