#include "app/crashmoor_main.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/frame_stats.h"
#include "app/game.h"
#include "app/replay.h"
#include "app/user_folders.h"
#include "engine/engine.h"
#include "engine/filesystem.h"
#include "engine/graphics.h"

namespace {

struct RunState {
    const CommandLine* cl = nullptr;
    long long frame = 0;
    std::string screenshot;  // absolute path, taken before the data folder
    bool saved = false;
};

void SaveIfLastFrame(void* user) {
    auto* run = static_cast<RunState*>(user);
    if (run->screenshot.empty()) return;
    const bool last = run->cl->frames > 0 && run->frame + 1 >= run->cl->frames;
    if (!last) return;
    if (gfx_save_png(run->screenshot)) {
        run->saved = true;
    } else {
        std::fprintf(stderr, "crashmoor: cannot save the screenshot %s\n", run->screenshot.c_str());
    }
}

// The data folder of a build tree ("data" beside the program), else of an
// installed game ("../share/crashmoor" from the program's folder).
std::string FindDataFolder() {
    const std::string here = fs_executable_dir();
    const std::string beside = here + "/data";
    if (fs_file_type(beside) == 2) return beside;
    const std::string installed = fs_absolute(here + "/../share/crashmoor");
    if (fs_file_type(installed) == 2) return installed;
    return beside;
}

}  // namespace

int CrashmoorMain(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const CommandLine cl = ParseCommandLine(args);
    if (!cl.error.empty()) {
        std::fprintf(stderr, "crashmoor: %s\n\n%s", cl.error.c_str(), CommandLineHelp().c_str());
        return 2;
    }
    if (cl.help) {
        std::fputs(CommandLineHelp().c_str(), stdout);
        return 0;
    }

    RunState run;
    run.cl = &cl;
    if (!cl.screenshot.empty()) run.screenshot = fs_absolute(cl.screenshot);
    const std::string record = cl.record.empty() ? "" : fs_absolute(cl.record);
    Replay replay;
    if (!cl.replay.empty()) {
        std::string error;
        if (!LoadReplayFile(fs_absolute(cl.replay), &replay, &error)) {
            std::fprintf(stderr, "crashmoor: cannot play %s: %s\n", cl.replay.c_str(),
                         error.c_str());
            return 2;
        }
    }
    PrintStateHashes(!cl.record.empty() || !cl.replay.empty());

    // The player's folders, named before the working folder changes.
    StartOptions start;
    start.user = cl.user_dir.empty() ? XdgUserFolders() : UserFoldersIn(fs_absolute(cl.user_dir));

    // Data paths are relative to the data folder, which becomes the working
    // folder. Without one the game still runs, with nothing to show.
    const std::string data = cl.data_dir.empty() ? FindDataFolder() : cl.data_dir;
    if (!fs_change_dir(data)) {
        std::fprintf(stderr, "crashmoor: no data folder at %s; running without data\n",
                     data.c_str());
    }

    Engine engine(EngineOptionsFor(cl));
    if (!engine.ok()) {
        std::fprintf(stderr, "crashmoor: %s\n", engine.error().c_str());
        return 1;
    }

    start.has_seed = cl.has_seed;
    start.seed = cl.seed;
    if (cl.quick_match) start.quick_match = &cl.match;
    if (!cl.replay.empty()) start.replay = &replay;
    SetBeforeFlipHook(SaveIfLastFrame, &run);
    if (!StartUp(start)) {
        std::fprintf(stderr, "crashmoor: %s\n", StartUpError().c_str());
        ShutDown();
        return 1;
    }

    FrameStats stats;
    for (;;) {
        const bool go_on = RunFrame();
        stats.Tick();
        ++run.frame;
        if (!go_on) break;
        if (cl.frames > 0 && run.frame >= cl.frames) break;
    }
    SetBeforeFlipHook(nullptr, nullptr);
    ShutDown();
    int status = 0;
    if (!record.empty()) {
        std::string error;
        if (!FirstReplay()) {
            std::fprintf(stderr, "crashmoor: no match was played: nothing to record\n");
            status = 1;
        } else if (!SaveReplayFile(*FirstReplay(), record, &error)) {
            std::fprintf(stderr, "crashmoor: %s\n", error.c_str());
            status = 1;
        }
    }
    if (ReplayStrayed()) status = 1;
    if (cl.stats) std::fputs(stats.Report().c_str(), stdout);
    if (!run.screenshot.empty() && run.saved) {
        std::printf("screenshot: %s\n", run.screenshot.c_str());
    }
    return status;
}
