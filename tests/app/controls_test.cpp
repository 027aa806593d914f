// The player's controls in a match: a pad plugged in while it runs, the
// bindings read from the configuration file, and a match played with a pad
// and its own bindings replayed exactly.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>

#include "app/app_state.h"
#include "app/console_message.h"
#include "app/controls.h"
#include "app/game.h"
#include "app/pause.h"
#include "app/replay.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "tests/app/match_fixture.h"
#include "tests/support/test_support.h"
#include "tests/support/virtual_pad.h"

namespace {

bool ConsoleHas(const std::string& text) {
    if (!ConsoleMessage::List) return false;
    for (const auto& message : *ConsoleMessage::List) {
        if (message->Text.find(text) != std::string::npos) return true;
    }
    return false;
}

int Mines() {
    int mines = 0;
    Shot::List.WalkClass(ObjectClass::Mine, [&](Shot&) { ++mines; });
    return mines;
}

void WriteConfig(const std::string& lines) {
    test_support::WriteFile("config.cfg", lines);
}

class PadMatchTest : public MatchTest {
protected:
    /// A button pressed for a frame and let go.
    void Tap(int button) {
        pad->Button(button, true);
        Frames(1);
        pad->Button(button, false);
        Frames(1);
    }
    std::unique_ptr<test_support::VirtualPad> pad;
};

class NoVideoPadMatchTest : public PadMatchTest {
protected:
    NoVideoPadMatchTest() { options.video = false; }
};

}  // namespace

TEST_F(PadMatchTest, APadPluggedInDrivesAimsFiresDropsPausesAndOpensTheConsole) {
    ASSERT_TRUE(Start("yard.arn"));
    Vehicle& car = Car();
    car.WeaponSlot2->Destroy();
    car.WeaponSlot2 = MineLayer::Choose(TheMatch().HumanPlayer->myVehicle);
    Frames(2);
    pad = std::make_unique<test_support::VirtualPad>();
    ASSERT_TRUE(pad->ok()) << SDL_GetError();
    Frames(1);
    EXPECT_TRUE(ConsoleHas("Gamepad connected: Virtual Controller"));

    // The left stick drives and turns; the d-pad does too.
    const float x0 = car.X, y0 = car.Y, angle0 = car.Angle;
    pad->Stick(pad::kLeftY, -1.0);
    Frames(60);
    EXPECT_EQ(car.Up, 1);
    EXPECT_GT(std::hypot(car.X - x0, car.Y - y0), 10.0f);
    pad->Stick(pad::kLeftY, 0.1);  // inside the dead zone
    pad->Stick(pad::kLeftX, 0.8);
    Frames(10);
    EXPECT_EQ(car.Up, 0);
    EXPECT_EQ(car.Down, 0);
    EXPECT_EQ(car.RightTurn, 1);
    EXPECT_NE(car.Angle, angle0);
    pad->Stick(pad::kLeftX, 0.0);
    pad->Button(pad::kDpadDown, true);
    Frames(2);
    EXPECT_EQ(car.Down, 1);
    EXPECT_EQ(car.RightTurn, 0);
    pad->Button(pad::kDpadDown, false);
    Frames(2);
    EXPECT_EQ(car.Down, 0);

    // The right stick puts the aiming mark round the car, and it stays
    // when the stick is let go.
    pad->Stick(pad::kRightX, -1.0);
    Frames(2);
    pad->Stick(pad::kRightX, 0.0);
    Frames(2);
    const Match& match = TheMatch();
    EXPECT_NEAR(in_mouse_x(), car.X - match.ScrollX - 160, 2.0);
    EXPECT_NEAR(in_mouse_y(), car.Y - match.ScrollY, 2.0);

    // The right trigger fires; the left one lays one mine a pull.
    const int shots = Shot::List.Count();
    pad->Trigger(pad::kRightTriggerAxis, 1.0);
    Frames(20);
    EXPECT_GT(Shot::List.Count(), shots);
    pad->Trigger(pad::kRightTriggerAxis, 0.0);
    pad->Trigger(pad::kLeftTriggerAxis, 1.0);
    Frames(3);
    pad->Trigger(pad::kLeftTriggerAxis, 0.0);
    Frames(1);
    EXPECT_EQ(Mines(), 1);
    EXPECT_EQ(car.WeaponSlot2->Ammo, 4);

    // Start pauses; B backs out of the pause; Back opens the console.
    Tap(pad::kStart);
    EXPECT_TRUE(MatchPaused());
    Tap(pad::kB);
    EXPECT_FALSE(MatchPaused());
    Tap(pad::kBack);
    EXPECT_EQ(App().ConsoleOpen, 1);

    // The mouse takes the aim back.
    MoveMouse(300, 200);
    Frames(2);
    EXPECT_EQ(in_mouse_x(), 300);
    EXPECT_EQ(in_mouse_y(), 200);

    pad.reset();
    Frames(1);
    EXPECT_TRUE(ConsoleHas("Gamepad disconnected: Virtual Controller"));
}

// Bindings saved in the file drive the match; a line that does not read
// keeps its action's default and says so on the console.
TEST_F(MatchTest, ControlsComeFromTheFileAndABrokenLineKeepsItsDefault) {
    WriteConfig(
        "Control Fire = F, None, A, None\r\n"
        "Control Back = Down, Sideways, D-Pad Down, None\r\n"
        "Control Console = Left of 1, W, Back, None\r\n");
    ASSERT_TRUE(Start("yard.arn"));
    const Bindings& bindings = CurrentBindings();
    const Binding& fire = bindings[static_cast<std::size_t>(Action::Fire)];
    EXPECT_EQ(fire.inputs[0], 'F');
    EXPECT_EQ(fire.inputs[1], kNoInput);
    EXPECT_EQ(fire.inputs[2], pad::kA);
    EXPECT_EQ(bindings[static_cast<std::size_t>(Action::Back)],
              DefaultBindings()[static_cast<std::size_t>(Action::Back)]);
    EXPECT_TRUE(ConsoleHas("\"Back = Down, Sideways, D-Pad Down, None\" cannot be read"));
    const Binding& console = bindings[static_cast<std::size_t>(Action::Console)];
    EXPECT_EQ(console.inputs[0], vk::kTilde);
    EXPECT_EQ(console.inputs[1], kNoInput) << "W drives forward, the first action naming it";
    EXPECT_NE(test_support::ReadFile("config.cfg").find("Control Pause = P, Pause, Start, None"),
              std::string::npos)
        << "an action the file lacks is written with its default";

    // The left button fires no more; F does.
    Frames(2);
    const int shots = Shot::List.Count();
    Button(SDL_BUTTON_LEFT, true, 600, 300);
    Frames(20);
    Button(SDL_BUTTON_LEFT, false, 600, 300);
    Frames(2);
    EXPECT_EQ(Shot::List.Count(), shots);
    Key(SDL_SCANCODE_F, true);
    Frames(20);
    Key(SDL_SCANCODE_F, false);
    EXPECT_GT(Shot::List.Count(), shots);
}

// A match played with a pad, with the pad's A bound to fire, plays back to
// the same state with the bindings it was recorded with, whatever the
// player's are when it is watched; the player's come back afterwards.
TEST_F(NoVideoPadMatchTest, AMatchPlayedWithAPadReplaysExactlyWithItsOwnControls) {
    WriteConfig("Control Fire = Left Mouse, None, A, None\r\n");
    setup.AIStyle = {2, 1, 0, 0, 0};
    PrintStateHashes(true);
    testing::internal::CaptureStdout();
    ASSERT_TRUE(Start("yard.arn"));
    pad = std::make_unique<test_support::VirtualPad>();
    ASSERT_TRUE(pad->ok()) << SDL_GetError();
    Frames(2);
    const float x0 = Car().X, y0 = Car().Y;
    pad->Stick(pad::kLeftY, -0.9);
    pad->Stick(pad::kLeftX, 0.5);
    Frames(40);
    pad->Stick(pad::kRightX, 0.7);
    pad->Stick(pad::kRightY, -0.7);
    pad->Button(pad::kA, true);
    Frames(40);
    pad->Button(pad::kA, false);
    pad->Stick(pad::kLeftX, -1.0);
    pad->Trigger(pad::kLeftTriggerAxis, 1.0);
    Frames(40);
    EXPECT_GT(std::hypot(Car().X - x0, Car().Y - y0), 10.0f) << "the pad drove";
    pad.reset();
    Frames(20);
    ShutDown();
    const std::string recorded = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(FirstReplay());
    Replay replay = *FirstReplay();
    EXPECT_EQ(replay.Controls[static_cast<std::size_t>(Action::Fire)].inputs[2], pad::kA);

    WriteConfig("");
    testing::internal::CaptureStdout();
    StartOptions start;
    start.replay = &replay;
    ASSERT_TRUE(StartUp(start)) << StartUpError();
    int frames = 0;
    while (RunFrame() && frames < 1000) ++frames;
    EXPECT_EQ(CurrentBindings()[static_cast<std::size_t>(Action::Fire)].inputs[2],
              pad::kRightTrigger)
        << "the player's own controls again";
    ShutDown();
    const std::string replayed = testing::internal::GetCapturedStdout();
    PrintStateHashes(false);
    EXPECT_FALSE(ReplayStrayed());
    const std::size_t at = recorded.find("state_hash: ");
    ASSERT_NE(at, std::string::npos) << recorded;
    const std::size_t replayed_at = replayed.find("state_hash: ");
    ASSERT_NE(replayed_at, std::string::npos) << replayed;
    EXPECT_EQ(replayed.substr(replayed_at, 28), recorded.substr(at, 28));
}
