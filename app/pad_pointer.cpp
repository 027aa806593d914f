#include "app/pad_pointer.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "engine/clock.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"

namespace {

// Pixels a second at full tilt when the stick is first pushed, and how much
// faster it gets over a second of holding it.
constexpr double kStartSpeed = 300.0;
constexpr double kSpeedUp = 2.0;
// A frame longer than this (a stall) moves the pointer no further.
constexpr std::int64_t kMaxStepMs = 100;

struct PadPointer {
    std::int64_t last_ms = -1;
    bool moving = false;
    double held_s = 0.0;  ///< how long the pointer has been moving
    double x = 0.0, y = 0.0;
    bool clicking = false;  ///< A holds the left button down
};
PadPointer g_pointer;

// The stick outside its dead zone, scaled to 0..1 beyond it, plus the d-pad.
void Direction(double* dx, double* dy) {
    double x = pad_axis(pad::kLeftX), y = pad_axis(pad::kLeftY);
    const double length = std::hypot(x, y);
    if (length < pad::kDeadZone) {
        x = y = 0.0;
    } else {
        const double scale = std::min(1.0, (length - pad::kDeadZone) / (1.0 - pad::kDeadZone));
        x = x / length * scale;
        y = y / length * scale;
    }
    x += pad_down(pad::kDpadRight) - pad_down(pad::kDpadLeft);
    y += pad_down(pad::kDpadDown) - pad_down(pad::kDpadUp);
    *dx = std::clamp(x, -1.0, 1.0);
    *dy = std::clamp(y, -1.0, 1.0);
}

}  // namespace

bool PadPointerFrame() {
    const std::int64_t now = sys_millisecs();
    const std::int64_t step =
        g_pointer.last_ms < 0 ? 0
                              : std::clamp<std::int64_t>(now - g_pointer.last_ms, 0, kMaxStepMs);
    g_pointer.last_ms = now;
    const double dt = static_cast<double>(step) / 1000.0;

    double dx = 0.0, dy = 0.0;
    Direction(&dx, &dy);
    if (dx == 0.0 && dy == 0.0) {
        g_pointer.moving = false;
        g_pointer.held_s = 0.0;
    } else {
        // The pointer starts where the mouse left it.
        if (!g_pointer.moving) {
            g_pointer.moving = true;
            g_pointer.x = in_mouse_x();
            g_pointer.y = in_mouse_y();
        }
        g_pointer.held_s += dt;
        const double speed = kStartSpeed * (1.0 + kSpeedUp * std::min(g_pointer.held_s, 1.0));
        g_pointer.x = std::clamp(g_pointer.x + dx * speed * dt, 0.0, gfx_width() - 1.0);
        g_pointer.y = std::clamp(g_pointer.y + dy * speed * dt, 0.0, gfx_height() - 1.0);
        in_set_mouse(static_cast<int>(g_pointer.x), static_cast<int>(g_pointer.y));
    }

    // A is the left button for as long as it is held.
    pad_hit(pad::kA);
    const bool a = pad_down(pad::kA) != 0;
    if (a != g_pointer.clicking) {
        in_push_button(1, a ? 1 : 0);
        g_pointer.clicking = a;
    }
    if (pad_hit(pad::kB) == 0) return false;
    in_tap_key(vk::kEscape);
    return true;
}

void ResetPadPointer() {
    g_pointer = PadPointer{};
}
