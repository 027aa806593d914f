#pragma once
// Keyboard and mouse input for tests, pushed onto SDL's event queue as the
// platform would deliver it; the engine reads it at its next poll.

#include <SDL.h>

#include <string>

namespace test_support {

inline void Key(SDL_Scancode sc, bool down) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.keysym.scancode = sc;
    SDL_PushEvent(&e);
}

inline void Button(Uint8 button, bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = button;
    e.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    SDL_PushEvent(&e);
}

inline void MoveMouse(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

/// The mouse wheel turned by `notches`: positive away from the user (scrolls
/// up), negative towards the user.
inline void Wheel(int notches) {
    SDL_Event e{};
    e.type = SDL_MOUSEWHEEL;
    e.wheel.y = notches;
    e.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&e);
}

/// Text typed on the keyboard (at most 31 bytes an event).
inline void Type(const std::string& text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text.c_str(), sizeof e.text.text);
    SDL_PushEvent(&e);
}

}  // namespace test_support
