#pragma once
// A small arena for the game-object tests: a 16 x 12 map of 64-pixel blocks
// (1024 x 768 pixels) written with the FMP writer, loaded into TheMap, an
// empty steering world of the same size, and the engine without video or
// sound, working in the generated data folder so that the objects' images
// load. Solid blocks are placed by the tests.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "arena/fmp_writer.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/match_state.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "tests/support/test_support.h"

/// A driver that sets the input flags a person would and steps its vehicle
/// as the human controller does.
class TestDriver : public ControlObject {
public:
    /// Holds Up/Down/Left/Right as given and steps the vehicle one frame.
    void Drive(bool up, bool down, bool left, bool right) {
        Vehicle& v = *myVehicle;
        v.Up = up;
        v.Down = down;
        v.LeftTurn = left;
        v.RightTurn = right;
        if (up) v.ApplyForce(v.EngineForce);
        if (down) v.ApplyForce(-v.EngineForce);
        if (!up && !down) v.ApplyForce(0);
        if (left) v.Turn(-v.TurnRate);
        if (right) v.Turn(v.TurnRate);
        v.Update();
    }
};

class ArenaTest : public ::testing::Test {
protected:
    static constexpr int kColumns = 16, kRows = 12, kBlock = 64;

    /// Tests that read pixels back ask for an off-screen window instead of
    /// the engine without video.
    explicit ArenaTest(bool video = false) {
        if (video) {
            video_ = std::make_unique<test_support::VideoEngine>();
        } else {
            headless_ = std::make_unique<test_support::HeadlessEngine>();
        }
    }

    void SetUp() override {
        ResetAppState();
        ASSERT_TRUE(video_ ? video_->ok() : headless_->ok());
        App().GraphicsQuality = 2;
        match_ = std::make_unique<Match>();
        match_->WorldWidth = kColumns * kBlock;
        match_->WorldHeight = kRows * kBlock;
        match_->TheWorld = GameWorld::Create(kColumns * kBlock, kRows * kBlock);
        cells_.assign(kColumns * kRows, 0);
        LoadMap();
    }

    void TearDown() override {
        match_.reset();
        drivers_.clear();
        ResetAppState();
        EXPECT_EQ(LiveObjectTotal(), 0) << "objects outlived the test";
    }

    /// Marks the block at (column, row) solid and reloads the map.
    void SetSolid(int column, int row) {
        cells_[static_cast<std::size_t>(row * kColumns + column)] = 1;
        LoadMap();
    }

    /// A driver of the team with a vehicle of the model at (x, y), in the
    /// match's driver list as the game's drivers are.
    std::shared_ptr<TestDriver> MakeDriver(ObjectClass model, int x, int y, int playerControlled,
                                           int team = 0) {
        auto d = std::make_shared<TestDriver>();
        d->Team = team;
        d->myVehicle = Vehicle::Spawn(model, x, y, playerControlled, d);
        match_->DriverList.push_back(d);
        drivers_.push_back(d);
        return d;
    }

    /// Lets go of the drivers made by MakeDriver (and so of their cars).
    void ForgetDrivers() {
        drivers_.clear();
        match_->DriverList.clear();
    }

private:
    void LoadMap() {
        FmpMapData map;
        map.width = kColumns;
        map.height = kRows;
        map.block_width = kBlock;
        map.block_height = kBlock;
        map.blocks.resize(2);
        map.blocks[1].bit0 = 1;
        map.graphics.assign(1, std::vector<std::uint32_t>(kBlock * kBlock, 0xFF404040u));
        map.planes.push_back(cells_);
        const std::string bytes = WriteFmp(map, FmpWriteOptions{});
        match_->TheMap->LoadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                  1);
    }

    std::unique_ptr<test_support::HeadlessEngine> headless_;
    std::unique_ptr<Match> match_;  ///< the test's match: its objects end with it
    std::unique_ptr<test_support::VideoEngine> video_;
    test_support::ScopedChdir in_data_{CRASHMOOR_DATA_DIR};
    std::vector<int> cells_;
    std::vector<std::shared_ptr<ControlObject>> drivers_;
};
