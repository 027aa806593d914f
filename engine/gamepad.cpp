#include "engine/gamepad.h"

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>
#include <map>

#include "engine/engine_detail.h"
#include "engine/switches.h"

namespace {

// A stick direction or a trigger is held once pushed past this share of its
// travel, and let go again inside the dead zone, so that a stick resting
// near the edge does not flicker.
constexpr double kPressAt = 0.35;
// Axes travel as whole steps of 1/127: fine enough to aim, coarse enough
// that a stick held still records nothing.
constexpr int kAxisSteps = 127;

constexpr std::array<const char*, pad::kCodeCount> kCodeNames = {
    "A",
    "B",
    "X",
    "Y",
    "Back",
    "Guide",
    "Start",
    "Left Stick Press",
    "Right Stick Press",
    "Left Shoulder",
    "Right Shoulder",
    "D-Pad Up",
    "D-Pad Down",
    "D-Pad Left",
    "D-Pad Right",
    "Misc",
    "Paddle 1",
    "Paddle 2",
    "Paddle 3",
    "Paddle 4",
    "Touchpad",
    "Left Trigger",
    "Right Trigger",
    "Left Stick Up",
    "Left Stick Down",
    "Left Stick Left",
    "Left Stick Right",
    "Right Stick Up",
    "Right Stick Down",
    "Right Stick Left",
    "Right Stick Right",
};

struct PadState {
    Switches<pad::kCodeCount> codes;
    std::array<int, pad::kAxisCount> axes{};  // in steps
    bool aiming = false;
    double aim_x = 1.0, aim_y = 0.0;
    // Axis moves of the current poll, applied once at its end.
    std::array<int, pad::kAxisCount> pending{};
    std::array<bool, pad::kAxisCount> pending_set{};
};
PadState g_pad;

// Open controllers by their joystick instance, with their names.
struct OpenPad {
    SDL_GameController* controller = nullptr;
    std::string name;
};
std::map<SDL_JoystickID, OpenPad> g_open;
std::deque<std::string> g_notices;

double axis_value(int axis) {
    return static_cast<double>(g_pad.axes[static_cast<std::size_t>(axis)]) / kAxisSteps;
}

// Holds or lets go of the code for one side of an axis.
void axis_switch(int code, double push) {
    const bool held = g_pad.codes.down[static_cast<std::size_t>(code)];
    if (!held && push >= kPressAt) g_pad.codes.press(code);
    if (held && push < pad::kDeadZone) g_pad.codes.release(code);
}

void update_axis_switches(int axis) {
    const double v = axis_value(axis);
    switch (axis) {
        case pad::kLeftX:
            axis_switch(pad::kLeftStickLeft, -v);
            axis_switch(pad::kLeftStickRight, v);
            break;
        case pad::kLeftY:
            axis_switch(pad::kLeftStickUp, -v);
            axis_switch(pad::kLeftStickDown, v);
            break;
        case pad::kRightX:
            axis_switch(pad::kRightStickLeft, -v);
            axis_switch(pad::kRightStickRight, v);
            break;
        case pad::kRightY:
            axis_switch(pad::kRightStickUp, -v);
            axis_switch(pad::kRightStickDown, v);
            break;
        case pad::kLeftTriggerAxis:
            axis_switch(pad::kLeftTrigger, v);
            break;
        case pad::kRightTriggerAxis:
            axis_switch(pad::kRightTrigger, v);
            break;
        default:
            break;
    }
    // The right stick pushed out of its dead zone takes the aim.
    if (axis == pad::kRightX || axis == pad::kRightY) {
        const double x = axis_value(pad::kRightX), y = axis_value(pad::kRightY);
        const double length = std::hypot(x, y);
        if (length >= pad::kDeadZone) {
            g_pad.aiming = true;
            g_pad.aim_x = x / length;
            g_pad.aim_y = y / length;
        }
    }
}

std::string controller_name(SDL_GameController* controller) {
    const char* name = SDL_GameControllerName(controller);
    return name && *name ? name : "unnamed gamepad";
}

}  // namespace

namespace engine_detail {

void pads_start() {
    // The game decides itself what a pad does while the window is in the
    // background (nothing), so the platform delivers every event.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // Without pad support (no joystick layer) the game runs on keyboard
    // and mouse alone.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void pads_stop() {
    for (auto& [id, open] : g_open) SDL_GameControllerClose(open.controller);
    g_open.clear();
    g_notices.clear();
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void pad_device_added(int device_index) {
    if (!SDL_IsGameController(device_index)) return;
    const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(device_index);
    if (g_open.count(id) != 0) return;
    SDL_GameController* controller = SDL_GameControllerOpen(device_index);
    if (!controller) return;
    const std::string name = controller_name(controller);
    g_open[id] = OpenPad{controller, name};
    g_notices.push_back("Gamepad connected: " + name);
}

bool pad_device_removed(int instance_id) {
    const auto it = g_open.find(instance_id);
    if (it == g_open.end()) return false;
    g_notices.push_back("Gamepad disconnected: " + it->second.name);
    SDL_GameControllerClose(it->second.controller);
    g_open.erase(it);
    return true;
}

void pad_note_axis(int axis, int value) {
    if (axis < 0 || axis >= pad::kAxisCount) return;
    // -32768..32767 to whole steps, the same both ways.
    const int steps = std::clamp(static_cast<int>(std::lround(value * kAxisSteps / 32767.0)),
                                 -kAxisSteps, kAxisSteps);
    g_pad.pending[static_cast<std::size_t>(axis)] = steps;
    g_pad.pending_set[static_cast<std::size_t>(axis)] = true;
}

std::vector<TapeEvent> pad_take_axis_moves() {
    std::vector<TapeEvent> moves;
    for (int axis = 0; axis < pad::kAxisCount; ++axis) {
        const auto i = static_cast<std::size_t>(axis);
        if (!g_pad.pending_set[i]) continue;
        g_pad.pending_set[i] = false;
        if (g_pad.pending[i] != g_pad.axes[i]) {
            moves.push_back({TapeKind::PadAxis, axis, g_pad.pending[i], 0});
        }
    }
    return moves;
}

void pad_apply(const TapeEvent& ev) {
    switch (ev.kind) {
        case TapeKind::PadDown:
            if (ev.a >= 0 && ev.a < pad::kButtonCount) g_pad.codes.press(ev.a);
            break;
        case TapeKind::PadUp:
            if (ev.a >= 0 && ev.a < pad::kButtonCount) g_pad.codes.release(ev.a);
            break;
        case TapeKind::PadAxis:
            if (ev.a < 0 || ev.a >= pad::kAxisCount) break;
            g_pad.axes[static_cast<std::size_t>(ev.a)] = std::clamp(ev.b, -kAxisSteps, kAxisSteps);
            update_axis_switches(ev.a);
            break;
        case TapeKind::PadReset:
            pad_flush();
            break;
        default:
            break;
    }
}

void pad_begin_poll() {
    g_pad.codes.begin_poll();
}

void pad_reset() {
    g_pad = PadState{};
}

void pad_mouse_moved() {
    g_pad.aiming = false;
}

}  // namespace engine_detail

int pad_down(int code) {
    return g_pad.codes.is_held(code);
}

int pad_hit(int code) {
    return g_pad.codes.take_hits(code);
}

double pad_axis(int axis) {
    if (axis < 0 || axis >= pad::kAxisCount) return 0.0;
    return axis_value(axis);
}

int pad_count() {
    return static_cast<int>(g_open.size());
}

void pad_flush() {
    g_pad.codes = {};
    g_pad.axes = {};
    g_pad.pending_set = {};
}

void pad_forget_presses() {
    g_pad.codes.hits = {};
}

bool pad_aiming() {
    return g_pad.aiming;
}

void pad_aim(double* x, double* y) {
    *x = g_pad.aim_x;
    *y = g_pad.aim_y;
}

void pad_set_aim(bool aiming, double x, double y) {
    g_pad.aiming = aiming;
    g_pad.aim_x = x;
    g_pad.aim_y = y;
}

std::string pad_next_notice() {
    if (g_notices.empty()) return "";
    std::string notice = g_notices.front();
    g_notices.pop_front();
    return notice;
}

int pad_add_mappings(const std::string& path) {
    if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER)) return -1;
    return SDL_GameControllerAddMappingsFromFile(path.c_str());
}

std::string pad_code_name(int code) {
    if (code < 0 || code >= pad::kCodeCount) return "";
    return kCodeNames[static_cast<std::size_t>(code)];
}

int pad_code_from_name(const std::string& name) {
    for (int code = 0; code < pad::kCodeCount; ++code) {
        if (name == kCodeNames[static_cast<std::size_t>(code)]) return code;
    }
    return -1;
}
