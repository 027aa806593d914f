#include "engine/engine.h"

#include <SDL.h>
#include <SDL_image.h>

#include "engine/audio_detail.h"
#include "engine/clock.h"
#include "engine/engine_detail.h"
#include "engine/font_detail.h"
#include "engine/graphics.h"
#include "engine/input.h"

namespace {
EngineOptions g_options;
bool g_running = false;
}  // namespace

const EngineOptions& engine_options() {
    return g_options;
}

Engine::Engine(const EngineOptions& options) {
    if (g_running) {
        error_ = "the engine is already running";
        return;
    }
    g_options = options;
    engine_detail::pin_system_libraries();
    if (g_options.fixed_dt > 0.0) g_options.audio = false;
    // Full screen gets out of the way when the player switches to another
    // program (Alt+Tab); the game pauses a match when it loses the focus.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "1");
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "1");
    Uint32 systems = SDL_INIT_EVENTS | SDL_INIT_TIMER;
    if (g_options.video) systems |= SDL_INIT_VIDEO;
    if (SDL_Init(systems) != 0) {
        error_ = std::string("cannot start SDL: ") + SDL_GetError();
        return;
    }
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    engine_detail::pads_start();
    engine_detail::audio_start(g_options.audio);
    engine_detail::fonts_start();
    clock_set_fixed_step(g_options.fixed_dt);
    clock_reset();
    input_reset();
    g_running = true;
    ok_ = true;
}

Engine::~Engine() {
    if (!ok_) return;
    gfx_close();
    engine_detail::fonts_stop();
    engine_detail::audio_stop();
    engine_detail::pads_stop();
    IMG_Quit();
    SDL_Quit();
    clock_set_fixed_step(0.0);
    g_options = EngineOptions{};
    g_running = false;
}
