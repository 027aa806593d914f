#pragma once
// A gamepad for tests: SDL's virtual joystick, known to the platform as a
// game controller, plugged in when made and pulled out when destroyed. Its
// moves reach the engine at its next poll, as a real pad's do.

#include <SDL.h>

#include "engine/gamepad.h"

namespace test_support {

class VirtualPad {
public:
    VirtualPad() {
        index_ = SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, pad::kAxisCount,
                                           pad::kButtonCount, 0);
        if (index_ < 0) return;
        joystick_ = SDL_JoystickOpen(index_);
        // A virtual trigger starts half-way; a real one at rest.
        Trigger(pad::kLeftTriggerAxis, 0.0);
        Trigger(pad::kRightTriggerAxis, 0.0);
    }
    ~VirtualPad() { Unplug(); }
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool ok() const { return joystick_ != nullptr; }

    /// A button (pad::kA ... pad::kDpadRight) pressed or let go.
    void Button(int button, bool down) {
        if (joystick_) SDL_JoystickSetVirtualButton(joystick_, button, down ? 1 : 0);
    }
    /// A stick's axis at -1..1 (pad::kLeftX ... pad::kRightY).
    void Stick(int axis, double value) {
        if (joystick_)
            SDL_JoystickSetVirtualAxis(joystick_, axis, static_cast<Sint16>(value * 32767));
    }
    /// A trigger pulled 0..1.
    void Trigger(int axis, double pulled) {
        if (joystick_) {
            SDL_JoystickSetVirtualAxis(joystick_, axis,
                                       static_cast<Sint16>(-32768 + pulled * 65535));
        }
    }
    void Unplug() {
        if (joystick_) SDL_JoystickClose(joystick_);
        joystick_ = nullptr;
        if (index_ >= 0) SDL_JoystickDetachVirtual(index_);
        index_ = -1;
    }

private:
    int index_ = -1;
    SDL_Joystick* joystick_ = nullptr;
};

}  // namespace test_support
