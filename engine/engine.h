#pragma once
// The engine's lifetime: one `Engine` object initialises the platform layer
// (video, audio, input, fonts) in its constructor and shuts it down in its
// destructor. Every engine call happens while it exists, on its thread.

#include <string>

struct EngineOptions {
    bool video = true;      ///< false: no window or renderer; drawing returns at once
    bool audio = true;      ///< false: sounds decode but never play
    bool windowed = false;  ///< open a window even where full screen is asked for
    bool uncapped = false;  ///< no frame limiter and no vertical sync
    double fixed_dt = 0.0;  ///< > 0: virtual clock with this step a frame, no pacing
};

/// Options of the running engine (defaults before one starts).
const EngineOptions& engine_options();

class Engine {
public:
    /// Starts the platform layer. Check `ok()`: without events nothing runs.
    explicit Engine(const EngineOptions& options);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    bool ok() const { return ok_; }
    const std::string& error() const { return error_; }

private:
    bool ok_ = false;
    std::string error_;
};
