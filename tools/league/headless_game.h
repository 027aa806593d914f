#pragma once
// The game for the league tools: started without video or sound, on a fixed
// frame time of 1/60 s and uncapped, in a data folder, with the shipped
// arenas listed.

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/game.h"
#include "arena/arena_loader.h"
#include "engine/engine.h"
#include "engine/filesystem.h"

class HeadlessGame {
public:
    static constexpr int kFramesPerSecond = 60;

    /// Starts the engine and the game in `data`; when anything fails, says
    /// why on standard error after the tool's name and is not ok().
    HeadlessGame(const char* tool, const std::string& data, const StartOptions& start) {
        if (!fs_change_dir(data)) {
            std::fprintf(stderr, "%s: no data folder at %s\n", tool, data.c_str());
            return;
        }
        EngineOptions options;
        options.video = false;
        options.audio = false;
        options.fixed_dt = 1.0 / kFramesPerSecond;
        options.uncapped = true;
        engine_ = std::make_unique<Engine>(options);
        if (!engine_->ok()) {
            std::fprintf(stderr, "%s: %s\n", tool, engine_->error().c_str());
            return;
        }
        if (!StartUp(start)) {
            std::fprintf(stderr, "%s: %s\n", tool, StartUpError().c_str());
            return;
        }
        started_ = true;
        arenas = ListArenas();
        if (arenas.empty()) {
            std::fprintf(stderr, "%s: no arenas in %s/Arenas\n", tool, data.c_str());
            return;
        }
        ok_ = true;
    }

    ~HeadlessGame() {
        if (started_) ShutDown();
    }

    HeadlessGame(const HeadlessGame&) = delete;
    HeadlessGame& operator=(const HeadlessGame&) = delete;

    bool ok() const { return ok_; }

    std::vector<std::string> arenas;

private:
    std::unique_ptr<Engine> engine_;
    bool started_ = false;
    bool ok_ = false;
};
