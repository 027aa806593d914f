#pragma once
// In-process matches through the real frame loop on the off-screen driver,
// with scripted SDL input, on the shipped arenas: the fixture and the input
// helpers.

#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/game.h"
#include "app/match.h"
#include "app/player.h"
#include "engine/engine.h"
#include "objects/live_objects.h"
#include "objects/vehicle.h"
#include "tests/support/test_support.h"

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

// Text typed on the keyboard, as the platform delivers it.
inline void Type(const std::string& text) {
    SDL_Event e{};
    e.type = SDL_TEXTINPUT;
    SDL_strlcpy(e.text.text, text.c_str(), sizeof e.text.text);
    SDL_PushEvent(&e);
}

inline void MoveMouse(int x, int y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    SDL_PushEvent(&e);
}

class MatchTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        // The shipped data, seen through a folder of our own so that the
        // configuration and report files the game writes stay out of it.
        test_support::LinkDataFolder(CRASHMOOR_DATA_DIR, dir.path());
        engine = std::make_unique<Engine>(options);
        ASSERT_TRUE(engine->ok());
    }
    void TearDown() override {
        ShutDown();
        engine.reset();
        EXPECT_EQ(LiveObjectTotal(), 0);
    }
    bool Start(const std::string& arena, int vehicle = 1) {
        setup.Arena = arena;
        setup.Vehicle = vehicle;
        StartOptions start;
        start.has_seed = true;
        start.seed = 7;
        start.quick_match = &setup;
        return StartUp(start);
    }
    Vehicle& Car() { return *App().HumanPlayer->myVehicle; }
    void Frames(int n) {
        for (int i = 0; i < n; ++i) RunFrame();
    }

    /// What the engine starts with; a fixture may change it before SetUp.
    EngineOptions options = [] {
        EngineOptions o;
        o.audio = false;
        o.windowed = true;
        o.uncapped = true;
        o.fixed_dt = 1 / 60.0;
        return o;
    }();
    test_support::TempDir dir;
    test_support::ScopedChdir cd{dir.path()};
    std::unique_ptr<Engine> engine;
    MatchSetup setup;
};
