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
#include "tests/support/synthetic_input.h"
#include "tests/support/test_support.h"

using test_support::Button;
using test_support::Key;
using test_support::MoveMouse;
using test_support::Type;

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
    Vehicle& Car() { return *TheMatch().HumanPlayer->myVehicle; }
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
