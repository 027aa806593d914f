#include "app/pause.h"

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/controls.h"
#include "app/match.h"
#include "app/menus.h"
#include "app/overlay_draw.h"
#include "app/pad_pointer.h"
#include "app/replay.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/engine.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/image.h"
#include "engine/input.h"
#include "gui/kit.h"

namespace {

struct PauseState {
    bool paused = false;
    ImageHandle picture;        ///< the last frame of the match before the pause
    std::string screen_before;  ///< the kit's screen to go back to
};
PauseState g_pause;

void PauseSounds(bool pause) {
    for (const ChannelHandle& channel : App().EffectChannels) {
        if (pause) {
            chan_pause(channel);
        } else {
            chan_resume(channel);
        }
    }
}

// The frame drawn so far, as an opaque image (nothing without video).
ImageHandle TakePicture() {
    const int w = gfx_width(), h = gfx_height();
    std::vector<std::uint32_t> pixels = gfx_read_pixels(0, 0, w, h);
    if (pixels.empty()) return nullptr;
    for (std::uint32_t& p : pixels) p |= 0xFF000000u;
    return img_from_pixels(w, h, pixels.data(), 0);
}

// Whether the pointer is over the pause panel (a click elsewhere resumes).
bool PointerOnPanel() {
    const auto panel = kit_FindPanel(kPausePanel);
    if (!panel) return false;
    const int x = in_mouse_x(), y = in_mouse_y();
    return x >= panel->X && x < panel->X + panel->W && y >= panel->Y && y < panel->Y + panel->H;
}

// Reads the presses of Escape and of the pause action's inputs (so that
// none is left for a later frame). While the console is open, a pause key
// that types (P) is a letter of a command.
bool PausePressed() {
    const bool escape = in_key_hit(vk::kEscape) > 0;
    const bool typing_pauses = App().ConsoleOpen == 0;
    return ActionHit(Action::Pause, typing_pauses) > 0 || escape;
}

}  // namespace

bool MatchPaused() {
    return g_pause.paused;
}

bool PauseAsked() {
    const bool pressed = PausePressed();
    const bool focus_lost = app_focus_lost() != 0;
    return pressed || focus_lost;
}

void PauseMatch() {
    if (g_pause.paused || App().GameState != kStateMatch) return;
    g_pause.paused = true;
    g_pause.picture = TakePicture();
    g_pause.screen_before = kit_CurrentScreenName();
    game_clock_hold(true);
    PauseSounds(true);
    kit_SetScreen(kPauseScreen);
    // Clicks of the match (a held trigger) are not clicks on the overlay,
    // nor are its pad presses.
    in_flush_mouse();
    pad_forget_presses();
}

void ResumeMatch() {
    if (!g_pause.paused) return;
    const std::string screen = g_pause.screen_before;
    ResetPause();
    PauseSounds(false);
    if (!screen.empty()) kit_SetScreen(screen);
    // The click that resumed is not a shot.
    in_flush_mouse();
    pad_forget_presses();
}

void QuitMatch() {
    if (App().GameState != kStateMatch) return;
    ResetPause();
    for (const ChannelHandle& channel : App().EffectChannels) chan_stop(channel);
    ReplayMatchEnding();
    EndMatchTeardown();
    App().GameState = kStateMenus;
    kit_SetScreen("Main Menu");
    in_flush_mouse();
}

void PausedFrame() {
    if (engine_options().video) {
        gfx_draw_image_with(g_pause.picture, 0, 0, 0, DrawParams{});
        gfx_draw_rect_with(0, 0, gfx_width(), gfx_height(), gfx_tint(0, 0, 0, 0.55));
    }
    // A pad's B is Escape here too: it resumes.
    PadPointerFrame();
    kit_Refresh();
    HandleMenuEvents();
    if (!g_pause.paused) return;  // a button resumed or ended the match
    const bool pressed = PausePressed();
    const bool click_outside = in_mouse_hit(1) > 0 && !PointerOnPanel();
    if (pressed || click_outside) ResumeMatch();
}

bool PointerConfined() {
    return App().GameState == kStateMatch && !g_pause.paused;
}

void ResetPause() {
    g_pause = PauseState{};
    game_clock_hold(false);
}
