#include "engine/input.h"

#include <array>

#include "engine/engine_detail.h"
#include "engine/gamepad.h"
#include "engine/input_tape.h"
#include "engine/switches.h"

namespace {

constexpr int kKeyCount = 256;
constexpr int kButtonCount = 4;  // index 1..3
constexpr int kCharRing = 256;

struct InputState {
    Switches<kKeyCount> keys;        // index 1..255
    Switches<kButtonCount> buttons;  // index 1..3
    std::array<int, kCharRing> chars{};
    int char_head = 0;   // next to read
    int char_count = 0;  // unread
    int mouse_x = 0, mouse_y = 0, mouse_z = 0;
    bool suspended = false;
    int focus_losses = 0;  // since app_focus_lost last asked
    bool terminate = false;
    bool end_requested = false;
    bool polling = false;
    bool polled_since_flip = false;
};

InputState g_in;

// SDL scancodes to Windows virtual-key codes. Scancodes name physical keys, so
// the key left of "1" is 192 on every layout, as the console toggle expects.
int virtual_key(SDL_Scancode sc) {
    if (sc >= SDL_SCANCODE_A && sc <= SDL_SCANCODE_Z) return 65 + (sc - SDL_SCANCODE_A);
    if (sc >= SDL_SCANCODE_1 && sc <= SDL_SCANCODE_9) return 49 + (sc - SDL_SCANCODE_1);
    if (sc >= SDL_SCANCODE_F1 && sc <= SDL_SCANCODE_F12) return 112 + (sc - SDL_SCANCODE_F1);
    if (sc >= SDL_SCANCODE_KP_1 && sc <= SDL_SCANCODE_KP_9) return 97 + (sc - SDL_SCANCODE_KP_1);
    switch (sc) {
        case SDL_SCANCODE_0:
            return 48;
        case SDL_SCANCODE_KP_0:
            return 96;
        case SDL_SCANCODE_BACKSPACE:
            return vk::kBackspace;
        case SDL_SCANCODE_TAB:
            return vk::kTab;
        case SDL_SCANCODE_RETURN:
            return vk::kEnter;
        case SDL_SCANCODE_KP_ENTER:
            return vk::kEnter;
        case SDL_SCANCODE_LSHIFT:
            return vk::kShift;
        case SDL_SCANCODE_RSHIFT:
            return vk::kShift;
        case SDL_SCANCODE_LCTRL:
            return vk::kControl;
        case SDL_SCANCODE_RCTRL:
            return vk::kControl;
        case SDL_SCANCODE_LALT:
            return vk::kAlt;
        case SDL_SCANCODE_RALT:
            return vk::kAlt;
        case SDL_SCANCODE_PAUSE:
            return vk::kPause;
        case SDL_SCANCODE_CAPSLOCK:
            return vk::kCapsLock;
        case SDL_SCANCODE_ESCAPE:
            return vk::kEscape;
        case SDL_SCANCODE_SPACE:
            return vk::kSpace;
        case SDL_SCANCODE_PAGEUP:
            return vk::kPageUp;
        case SDL_SCANCODE_PAGEDOWN:
            return vk::kPageDown;
        case SDL_SCANCODE_END:
            return vk::kEnd;
        case SDL_SCANCODE_HOME:
            return vk::kHome;
        case SDL_SCANCODE_LEFT:
            return vk::kLeft;
        case SDL_SCANCODE_UP:
            return vk::kUp;
        case SDL_SCANCODE_RIGHT:
            return vk::kRight;
        case SDL_SCANCODE_DOWN:
            return vk::kDown;
        case SDL_SCANCODE_PRINTSCREEN:
            return 44;
        case SDL_SCANCODE_INSERT:
            return vk::kInsert;
        case SDL_SCANCODE_DELETE:
            return vk::kDelete;
        case SDL_SCANCODE_LGUI:
            return 91;
        case SDL_SCANCODE_RGUI:
            return 92;
        case SDL_SCANCODE_APPLICATION:
            return 93;
        case SDL_SCANCODE_KP_MULTIPLY:
            return 106;
        case SDL_SCANCODE_KP_PLUS:
            return 107;
        case SDL_SCANCODE_KP_MINUS:
            return 109;
        case SDL_SCANCODE_KP_PERIOD:
            return 110;
        case SDL_SCANCODE_KP_DIVIDE:
            return 111;
        case SDL_SCANCODE_NUMLOCKCLEAR:
            return 144;
        case SDL_SCANCODE_SCROLLLOCK:
            return 145;
        case SDL_SCANCODE_SEMICOLON:
            return 186;
        case SDL_SCANCODE_EQUALS:
            return 187;
        case SDL_SCANCODE_COMMA:
            return 188;
        case SDL_SCANCODE_MINUS:
            return 189;
        case SDL_SCANCODE_PERIOD:
            return 190;
        case SDL_SCANCODE_SLASH:
            return 191;
        case SDL_SCANCODE_GRAVE:
            return vk::kTilde;
        case SDL_SCANCODE_LEFTBRACKET:
            return 219;
        case SDL_SCANCODE_BACKSLASH:
            return 220;
        case SDL_SCANCODE_RIGHTBRACKET:
            return 221;
        case SDL_SCANCODE_APOSTROPHE:
            return 222;
        case SDL_SCANCODE_NONUSBACKSLASH:
            return 226;
        default:
            return 0;
    }
}

// SDL numbers buttons 1 left, 2 middle, 3 right; the game 1 left, 2 right, 3 middle.
int game_button(Uint8 sdl_button) {
    switch (sdl_button) {
        case SDL_BUTTON_LEFT:
            return 1;
        case SDL_BUTTON_RIGHT:
            return 2;
        case SDL_BUTTON_MIDDLE:
            return 3;
        default:
            return 0;
    }
}

void press_key(int key) {
    if (key > 0) g_in.keys.press(key);
}

void release_key(int key) {
    if (key > 0) g_in.keys.release(key);
}

void press_button(int button) {
    if (button > 0) g_in.buttons.press(button);
}

void release_button(int button) {
    if (button > 0) g_in.buttons.release(button);
}

// Side-specific codes travel with the generic ones, as the game tests either.
int side_key(SDL_Scancode sc) {
    switch (sc) {
        case SDL_SCANCODE_LSHIFT:
            return vk::kLeftShift;
        case SDL_SCANCODE_RSHIFT:
            return vk::kRightShift;
        case SDL_SCANCODE_LCTRL:
            return vk::kLeftControl;
        case SDL_SCANCODE_RCTRL:
            return vk::kRightControl;
        case SDL_SCANCODE_LALT:
            return vk::kLeftAlt;
        case SDL_SCANCODE_RALT:
            return vk::kRightAlt;
        default:
            return 0;
    }
}

void push_char(int code) {
    if (g_in.char_count >= kCharRing) return;
    g_in.chars[(g_in.char_head + g_in.char_count) % kCharRing] = code;
    ++g_in.char_count;
}

void flush_keys() {
    g_in.keys = {};
    g_in.char_head = g_in.char_count = 0;
}

void flush_mouse() {
    g_in.buttons = {};
}

}  // namespace

namespace engine_detail {

void input_apply(const TapeEvent& ev) {
    switch (ev.kind) {
        case TapeKind::KeyDown: {
            const auto sc = static_cast<SDL_Scancode>(ev.a);
            press_key(virtual_key(sc));
            press_key(side_key(sc));
            break;
        }
        case TapeKind::KeyUp: {
            const auto sc = static_cast<SDL_Scancode>(ev.a);
            release_key(virtual_key(sc));
            release_key(side_key(sc));
            break;
        }
        case TapeKind::Char:
            push_char(ev.a);
            break;
        case TapeKind::Motion:
            g_in.mouse_x = ev.a;
            g_in.mouse_y = ev.b;
            pad_mouse_moved();
            break;
        case TapeKind::ButtonDown:
            g_in.mouse_x = ev.a;
            g_in.mouse_y = ev.b;
            press_button(game_button(static_cast<Uint8>(ev.c)));
            break;
        case TapeKind::ButtonUp:
            g_in.mouse_x = ev.a;
            g_in.mouse_y = ev.b;
            release_button(game_button(static_cast<Uint8>(ev.c)));
            break;
        case TapeKind::Wheel:
            g_in.mouse_z += ev.a;
            break;
        case TapeKind::FocusLost:
            if (!g_in.suspended) {
                g_in.suspended = true;
                ++g_in.focus_losses;
                flush_keys();
                flush_mouse();
                pad_flush();
            }
            break;
        case TapeKind::FocusGained:
            if (g_in.suspended) {
                g_in.suspended = false;
                flush_keys();
                flush_mouse();
                pad_flush();
            }
            break;
        case TapeKind::PadDown:
        case TapeKind::PadUp:
        case TapeKind::PadAxis:
        case TapeKind::PadReset:
            pad_apply(ev);
            break;
        default:
            break;
    }
}

namespace {

// Applies an event of the platform and hands it to a recording tape.
void apply_live(const TapeEvent& ev) {
    input_apply(ev);
    tape_note_event(ev);
}

// Decodes UTF-8 text into code points; invalid bytes are skipped.
void apply_text(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        int code = 0, extra = 0;
        if (*p < 0x80) {
            code = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            extra = 3;
        } else {
            ++p;
            continue;
        }
        ++p;
        bool valid = true;
        for (int i = 0; i < extra; ++i) {
            if ((*p & 0xC0) != 0x80) {
                valid = false;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
            ++p;
        }
        if (valid) apply_live({TapeKind::Char, code, 0, 0});
    }
}

}  // namespace

void input_handle_event(const SDL_Event& e) {
    // Requests to end the program and Alt+Enter belong to the window: they
    // act even while a tape plays, and are not recorded.
    if (e.type == SDL_QUIT ||
        (e.type == SDL_WINDOWEVENT && e.window.event == SDL_WINDOWEVENT_CLOSE)) {
        g_in.terminate = true;
        g_in.end_requested = true;
        return;
    }
    if (e.type == SDL_KEYDOWN && e.key.repeat == 0 &&
        (e.key.keysym.scancode == SDL_SCANCODE_RETURN ||
         e.key.keysym.scancode == SDL_SCANCODE_KP_ENTER) &&
        (e.key.keysym.mod & KMOD_ALT)) {
        toggle_fullscreen();
        return;
    }
    // Pads are opened and let go whatever plays.
    if (e.type == SDL_CONTROLLERDEVICEADDED) {
        pad_device_added(e.cdevice.which);
        return;
    }
    if (e.type == SDL_CONTROLLERDEVICEREMOVED) {
        if (pad_device_removed(e.cdevice.which) && !tape_playing()) {
            apply_live({TapeKind::PadReset, 0, 0, 0});
        }
        return;
    }
    // A playing tape stands in for the rest of the live input, but the one
    // watching it leaves with Escape.
    if (tape_playing()) {
        if (e.type == SDL_KEYDOWN && e.key.repeat == 0 &&
            e.key.keysym.scancode == SDL_SCANCODE_ESCAPE) {
            g_in.end_requested = true;
        }
        return;
    }
    int x = 0, y = 0;
    switch (e.type) {
        case SDL_KEYDOWN:
            if (e.key.repeat == 0) apply_live({TapeKind::KeyDown, e.key.keysym.scancode, 0, 0});
            break;
        case SDL_KEYUP:
            apply_live({TapeKind::KeyUp, e.key.keysym.scancode, 0, 0});
            break;
        case SDL_TEXTINPUT:
            apply_text(e.text.text);
            break;
        case SDL_MOUSEMOTION:
            map_window_to_logical(e.motion.x, e.motion.y, &x, &y);
            apply_live({TapeKind::Motion, x, y, 0});
            break;
        case SDL_MOUSEBUTTONDOWN:
            map_window_to_logical(e.button.x, e.button.y, &x, &y);
            apply_live({TapeKind::ButtonDown, x, y, e.button.button});
            break;
        case SDL_MOUSEBUTTONUP:
            map_window_to_logical(e.button.x, e.button.y, &x, &y);
            apply_live({TapeKind::ButtonUp, x, y, e.button.button});
            break;
        case SDL_MOUSEWHEEL:
            apply_live({TapeKind::Wheel,
                        e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y, 0,
                        0});
            break;
        // A pad in the background does nothing, as keys do not.
        case SDL_CONTROLLERBUTTONDOWN:
            if (!g_in.suspended) apply_live({TapeKind::PadDown, e.cbutton.button, 0, 0});
            break;
        case SDL_CONTROLLERBUTTONUP:
            if (!g_in.suspended) apply_live({TapeKind::PadUp, e.cbutton.button, 0, 0});
            break;
        case SDL_CONTROLLERAXISMOTION:
            if (!g_in.suspended) pad_note_axis(e.caxis.axis, e.caxis.value);
            break;
        case SDL_WINDOWEVENT:
            if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST ||
                e.window.event == SDL_WINDOWEVENT_MINIMIZED) {
                if (!g_in.suspended) apply_live({TapeKind::FocusLost, 0, 0, 0});
            } else if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                       e.window.event == SDL_WINDOWEVENT_RESTORED) {
                if (g_in.suspended) apply_live({TapeKind::FocusGained, 0, 0, 0});
            }
            break;
        default:
            break;
    }
}

void poll_at_flip() {
    if (!g_in.polled_since_flip) sys_poll_events();
    g_in.polled_since_flip = false;
}

}  // namespace engine_detail

int in_key_down(int key) {
    return key > 0 ? g_in.keys.is_held(key) : 0;
}

int in_key_hit(int key) {
    return key > 0 ? g_in.keys.take_hits(key) : 0;
}

void in_tap_key(int key) {
    press_key(key);
    release_key(key);
}

int in_get_char() {
    if (g_in.char_count == 0) return 0;
    const int c = g_in.chars[g_in.char_head];
    g_in.char_head = (g_in.char_head + 1) % kCharRing;
    --g_in.char_count;
    return c;
}

void in_flush_keys() {
    flush_keys();
}

void in_set_mouse(int x, int y) {
    g_in.mouse_x = x;
    g_in.mouse_y = y;
}

int in_mouse_x() {
    return g_in.mouse_x;
}
int in_mouse_y() {
    return g_in.mouse_y;
}
int in_mouse_z() {
    return g_in.mouse_z;
}

int in_mouse_down(int button) {
    return button > 0 ? g_in.buttons.is_held(button) : 0;
}

int in_mouse_hit(int button) {
    return button > 0 ? g_in.buttons.take_hits(button) : 0;
}

void in_push_button(int button, int down) {
    if (down) {
        press_button(button);
    } else {
        release_button(button);
    }
}

void in_flush_mouse() {
    flush_mouse();
}

void in_show_mouse() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_ENABLE);
}

void in_hide_mouse() {
    if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(SDL_DISABLE);
}

int app_focus_lost() {
    const int losses = g_in.focus_losses;
    g_in.focus_losses = 0;
    return losses > 0 ? 1 : 0;
}

int app_suspended() {
    return g_in.suspended ? 1 : 0;
}

int app_terminate() {
    const bool t = g_in.terminate;
    g_in.terminate = false;
    return t ? 1 : 0;
}

void sys_poll_events() {
    if (g_in.polling || !SDL_WasInit(SDL_INIT_EVENTS)) return;
    g_in.polling = true;
    g_in.polled_since_flip = true;
    g_in.keys.begin_poll();
    g_in.buttons.begin_poll();
    engine_detail::pad_begin_poll();
    engine_detail::tape_note_poll();
    SDL_Event e;
    while (SDL_PollEvent(&e)) engine_detail::input_handle_event(e);
    for (const engine_detail::TapeEvent& move : engine_detail::pad_take_axis_moves()) {
        engine_detail::apply_live(move);
    }
    // A playing tape gives this poll's recorded events.
    engine_detail::tape_play_poll();
    g_in.polling = false;
}

void sys_end() {
    g_in.end_requested = true;
}

int sys_end_requested() {
    return g_in.end_requested ? 1 : 0;
}

void input_reset() {
    g_in = InputState{};
    engine_detail::pad_reset();
}
