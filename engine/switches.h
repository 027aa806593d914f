#pragma once
// Held and pressed switches (keys, buttons), shared by the keyboard, the
// mouse and the pads.
//
// What the game reads ("held") can differ from what the device says
// ("down"): a press whose release arrives in the same poll (a touchpad tap,
// a quick click or key stroke between two frames) stays held until the next
// poll, so that every press is seen down for at least one frame.

#include <array>
#include <cstddef>

template <std::size_t N>
struct Switches {
    std::array<bool, N> held{};
    std::array<bool, N> down{};
    std::array<bool, N> pressed_this_poll{};
    std::array<int, N> hits{};

    static bool valid(int index) { return index >= 0 && static_cast<std::size_t>(index) < N; }

    void press(int index) {
        if (!valid(index)) return;
        const auto i = static_cast<std::size_t>(index);
        if (!down[i]) ++hits[i];
        down[i] = true;
        held[i] = true;
        pressed_this_poll[i] = true;
    }

    /// A release of a switch pressed in this same poll is applied by the
    /// next poll.
    void release(int index) {
        if (!valid(index)) return;
        const auto i = static_cast<std::size_t>(index);
        down[i] = false;
        if (!pressed_this_poll[i]) held[i] = false;
    }

    /// The start of a poll: releases held back by the previous one take
    /// effect.
    void begin_poll() {
        held = down;
        pressed_this_poll.fill(false);
    }

    int is_held(int index) const {
        return valid(index) && held[static_cast<std::size_t>(index)] ? 1 : 0;
    }

    /// Presses since the last call; the count restarts at 0.
    int take_hits(int index) {
        if (!valid(index)) return 0;
        int& n = hits[static_cast<std::size_t>(index)];
        const int taken = n;
        n = 0;
        return taken;
    }
};
