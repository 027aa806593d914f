// Input counting through events pushed into SDL's queue.

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/engine_detail.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/input_tape.h"
#include "tests/support/synthetic_input.h"
#include "tests/support/test_support.h"
#include "tests/support/virtual_pad.h"

namespace {

void Key(SDL_Scancode sc, bool down, int repeat = 0, Uint16 mod = KMOD_NONE) {
    SDL_Event e{};
    e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    e.key.repeat = static_cast<Uint8>(repeat);
    e.key.keysym.scancode = sc;
    e.key.keysym.mod = mod;
    SDL_PushEvent(&e);
}

using test_support::Button;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(video.ok());
        sys_poll_events();  // drain whatever the window produced at start
        in_flush_keys();
        in_flush_mouse();
    }
    test_support::VideoEngine video;
};

TEST_F(InputTest, KeyHitsCountPressesOnceAndReset) {
    Key(SDL_SCANCODE_A, true);
    Key(SDL_SCANCODE_A, true, /*repeat=*/1);  // auto-repeat does not count
    sys_poll_events();
    EXPECT_EQ(in_key_down(vk::kA), 1);
    EXPECT_EQ(in_key_hit(vk::kA), 1);
    EXPECT_EQ(in_key_hit(vk::kA), 0) << "the second call in a frame gives 0";

    Key(SDL_SCANCODE_A, false);
    Key(SDL_SCANCODE_A, true);
    Key(SDL_SCANCODE_A, false);
    Key(SDL_SCANCODE_A, true);
    sys_poll_events();
    EXPECT_EQ(in_key_hit(vk::kA), 2);
    Key(SDL_SCANCODE_A, false);
    sys_poll_events();
    EXPECT_EQ(in_key_down(vk::kA), 0);
}

TEST_F(InputTest, ScancodesMapToVirtualKeys) {
    const struct {
        SDL_Scancode sc;
        int vk;
    } cases[] = {
        {SDL_SCANCODE_Z, 90},      {SDL_SCANCODE_0, 48},      {SDL_SCANCODE_9, 57},
        {SDL_SCANCODE_LEFT, 37},   {SDL_SCANCODE_DOWN, 40},   {SDL_SCANCODE_RETURN, 13},
        {SDL_SCANCODE_ESCAPE, 27}, {SDL_SCANCODE_SPACE, 32},  {SDL_SCANCODE_BACKSPACE, 8},
        {SDL_SCANCODE_DELETE, 46}, {SDL_SCANCODE_TAB, 9},     {SDL_SCANCODE_LSHIFT, 16},
        {SDL_SCANCODE_RCTRL, 17},  {SDL_SCANCODE_LALT, 18},   {SDL_SCANCODE_HOME, 36},
        {SDL_SCANCODE_END, 35},    {SDL_SCANCODE_PAGEUP, 33}, {SDL_SCANCODE_PAGEDOWN, 34},
        {SDL_SCANCODE_F1, 112},    {SDL_SCANCODE_F12, 123},   {SDL_SCANCODE_GRAVE, 192},
    };
    for (const auto& c : cases) {
        Key(c.sc, true);
        sys_poll_events();
        EXPECT_EQ(in_key_hit(c.vk), 1) << SDL_GetScancodeName(c.sc);
        Key(c.sc, false);
        sys_poll_events();
    }
    in_flush_keys();
}

TEST_F(InputTest, MouseButtonsUseTheGameNumbering) {
    Button(SDL_BUTTON_RIGHT, true, 300, 200);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(2), 1) << "SDL's right button is the game's 2";
    EXPECT_EQ(in_mouse_down(3), 0);
    EXPECT_EQ(in_mouse_x(), 300);
    EXPECT_EQ(in_mouse_y(), 200);
    Button(SDL_BUTTON_MIDDLE, true, 0, 0);
    Button(SDL_BUTTON_RIGHT, false, 0, 0);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(3), 1);
    EXPECT_EQ(in_mouse_hit(2), 1);
    EXPECT_EQ(in_mouse_hit(2), 0);
    EXPECT_EQ(in_mouse_hit(3), 1);
    in_flush_mouse();
    EXPECT_EQ(in_mouse_down(3), 0);
}

TEST_F(InputTest, WheelAccumulates) {
    for (int i = 0; i < 3; ++i) test_support::Wheel(i == 2 ? -1 : 2);
    sys_poll_events();
    EXPECT_EQ(in_mouse_z(), 3);
}

TEST_F(InputTest, MousePositionMapsFromALargerWindow) {
    SDL_Window* window = engine_detail::current_window();
    ASSERT_TRUE(window);
    SDL_SetWindowSize(window, 2048, 1536);
    int w = 0, h = 0;
    SDL_GetWindowSize(window, &w, &h);
    if (w != 2048) GTEST_SKIP() << "the video driver keeps the window size";
    int lx = 0, ly = 0;
    engine_detail::map_window_to_logical(1024, 768, &lx, &ly);
    EXPECT_EQ(lx, 512);
    EXPECT_EQ(ly, 384);
    // Letter-boxed: a wide window has bars left and right.
    SDL_SetWindowSize(window, 2048, 768);
    engine_detail::map_window_to_logical(512, 0, &lx, &ly);
    EXPECT_EQ(lx, 0);
    engine_detail::map_window_to_logical(1024, 384, &lx, &ly);
    EXPECT_EQ(lx, 512);
    EXPECT_EQ(ly, 384);
}

TEST_F(InputTest, TypedCharactersQueueDecodeAndFlush) {
    test_support::Type("h\xC3\xA9!");  // h, e acute, !
    sys_poll_events();
    EXPECT_EQ(in_get_char(), 'h');
    EXPECT_EQ(in_get_char(), 0xE9);
    EXPECT_EQ(in_get_char(), '!');
    EXPECT_EQ(in_get_char(), 0);

    test_support::Type("abc");
    Key(SDL_SCANCODE_B, true);
    sys_poll_events();
    in_flush_keys();
    EXPECT_EQ(in_get_char(), 0) << "flushing keys empties the typed characters";
    EXPECT_EQ(in_key_down(vk::kA + 1), 0);
}

TEST_F(InputTest, TypedCharacterRingKeepsAtMost256Unread) {
    for (int i = 0; i < 30; ++i) test_support::Type("0123456789");  // 300 characters
    sys_poll_events();
    int count = 0;
    while (in_get_char() != 0) ++count;
    EXPECT_EQ(count, 256);
}

TEST_F(InputTest, FocusLossFlushesAndSuspends) {
    Key(SDL_SCANCODE_UP, true);
    sys_poll_events();
    ASSERT_EQ(in_key_down(vk::kUp), 1);
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
    sys_poll_events();
    EXPECT_EQ(app_suspended(), 1);
    EXPECT_EQ(in_key_down(vk::kUp), 0);
    EXPECT_EQ(in_key_hit(vk::kUp), 0);
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&e);
    sys_poll_events();
    EXPECT_EQ(app_suspended(), 0);
}

// A touchpad tap or a quick click or key stroke: the press and its release
// arrive in one batch of events, and the game must still see one frame of
// "down". A held switch released in a later batch goes up at once.
TEST_F(InputTest, APressAndItsReleaseInOneBatchAreSeenDownForOneFrame) {
    test_support::MoveMouse(200, 100);
    Button(SDL_BUTTON_LEFT, true, 210, 110);
    Button(SDL_BUTTON_LEFT, false, 210, 110);
    Key(SDL_SCANCODE_SPACE, true);
    Key(SDL_SCANCODE_SPACE, false);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(1), 1);
    EXPECT_EQ(in_mouse_down(1), 1) << "reading does not release it";
    EXPECT_EQ(in_mouse_x(), 210);
    EXPECT_EQ(in_key_down(vk::kSpace), 1);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(1), 0) << "released by the next frame";
    EXPECT_EQ(in_key_down(vk::kSpace), 0);
    EXPECT_EQ(in_mouse_hit(1), 1);
    EXPECT_EQ(in_key_hit(vk::kSpace), 1);

    // Two taps in one batch count two presses; the next batch's press after
    // a held-back release counts again.
    for (int i = 0; i < 2; ++i) {
        Button(SDL_BUTTON_RIGHT, true, 0, 0);
        Button(SDL_BUTTON_RIGHT, false, 0, 0);
    }
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(2), 1);
    Button(SDL_BUTTON_RIGHT, true, 0, 0);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(2), 1);
    EXPECT_EQ(in_mouse_hit(2), 3);
    Button(SDL_BUTTON_RIGHT, false, 0, 0);
    sys_poll_events();
    EXPECT_EQ(in_mouse_down(2), 0) << "a release in its own batch is immediate";

    // The game's loop polls once a frame itself; the flip then adds no
    // second poll that would end the held-back press before the frame read it.
    Key(SDL_SCANCODE_A, true);
    Key(SDL_SCANCODE_A, false);
    sys_poll_events();
    gfx_flip(0);
    EXPECT_EQ(in_key_down(vk::kA), 1);
    sys_poll_events();
    EXPECT_EQ(in_key_down(vk::kA), 0);
    EXPECT_EQ(in_key_hit(vk::kA), 1);
}

TEST_F(InputTest, QuitRequestIsReportedOnceAndEndsTheLoop) {
    EXPECT_EQ(app_terminate(), 0);
    gfx_flip(0);  // ends the frame that the set-up's own poll began
    SDL_Event e{};
    e.type = SDL_QUIT;
    SDL_PushEvent(&e);
    gfx_flip(0);  // a program that only flips is polled by the flip
    EXPECT_EQ(sys_end_requested(), 1);
    EXPECT_EQ(app_terminate(), 1);
    EXPECT_EQ(app_terminate(), 0);
}

TEST_F(InputTest, AltEnterBelongsToTheWindow) {
    Key(SDL_SCANCODE_RETURN, true, 0, KMOD_LALT);
    sys_poll_events();
    EXPECT_EQ(in_key_hit(vk::kEnter), 0);
    Key(SDL_SCANCODE_RETURN, false);
    Key(SDL_SCANCODE_RETURN, true);
    sys_poll_events();
    EXPECT_EQ(in_key_hit(vk::kEnter), 1);
}

}  // namespace

// A pad plugged in while the program runs: its buttons, sticks and triggers
// as held inputs, the right stick taking the aim from the mouse, its input
// recorded on a tape and played back alike, and everything let go when it
// is pulled out.
TEST_F(InputTest, APadIsPickedUpReadRecordedAndLetGo) {
    while (!pad_next_notice().empty()) {
    }
    auto pad = std::make_unique<test_support::VirtualPad>();
    ASSERT_TRUE(pad->ok()) << SDL_GetError();
    sys_poll_events();
    EXPECT_EQ(pad_count(), 1);
    EXPECT_EQ(pad_next_notice(), "Gamepad connected: Virtual Controller");
    EXPECT_EQ(pad_next_notice(), "");
    EXPECT_EQ(pad_down(pad::kRightTrigger), 0) << "triggers at rest";

    tape_record_start();
    pad->Button(pad::kA, true);
    pad->Stick(pad::kLeftY, -1.0);
    pad->Trigger(pad::kRightTriggerAxis, 1.0);
    sys_poll_events();
    EXPECT_EQ(pad_down(pad::kA), 1);
    EXPECT_EQ(pad_hit(pad::kA), 1);
    EXPECT_EQ(pad_hit(pad::kA), 0);
    EXPECT_EQ(pad_down(pad::kLeftStickUp), 1);
    EXPECT_EQ(pad_down(pad::kLeftStickDown), 0);
    EXPECT_NEAR(pad_axis(pad::kLeftY), -1.0, 0.01);
    EXPECT_EQ(pad_down(pad::kRightTrigger), 1);

    // Easing the stick back: held until it is inside the dead zone.
    pad->Stick(pad::kLeftY, -0.3);
    sys_poll_events();
    EXPECT_EQ(pad_down(pad::kLeftStickUp), 1);
    pad->Stick(pad::kLeftY, -0.1);
    pad->Button(pad::kA, false);
    sys_poll_events();
    EXPECT_EQ(pad_down(pad::kLeftStickUp), 0);
    EXPECT_EQ(pad_down(pad::kA), 0);

    // The right stick aims until the mouse moves.
    EXPECT_FALSE(pad_aiming());
    pad->Stick(pad::kRightY, 1.0);
    sys_poll_events();
    double x = 0, y = 0;
    EXPECT_TRUE(pad_aiming());
    pad_aim(&x, &y);
    EXPECT_NEAR(x, 0.0, 1e-9);
    EXPECT_NEAR(y, 1.0, 1e-9);
    pad->Stick(pad::kRightY, 0.0);
    sys_poll_events();
    EXPECT_TRUE(pad_aiming()) << "the aim stays when the stick is let go";
    test_support::MoveMouse(10, 10);
    sys_poll_events();
    EXPECT_FALSE(pad_aiming());
    pad->Stick(pad::kRightX, -1.0);
    sys_poll_events();
    const std::vector<std::uint8_t> tape = tape_record_stop();

    // The tape plays the same pad back, whatever the live one does.
    in_flush_mouse();
    pad_flush();
    ASSERT_TRUE(tape_play_start(tape, nullptr));
    pad->Button(pad::kB, true);
    sys_poll_events();
    EXPECT_EQ(pad_down(pad::kA), 1);
    EXPECT_EQ(pad_down(pad::kLeftStickUp), 1);
    EXPECT_EQ(pad_down(pad::kRightTrigger), 1);
    for (int i = 0; i < 6; ++i) sys_poll_events();
    EXPECT_EQ(pad_down(pad::kB), 0) << "the live pad is set aside";
    EXPECT_EQ(pad_down(pad::kA), 0);
    EXPECT_TRUE(pad_aiming());
    pad_aim(&x, &y);
    EXPECT_NEAR(x, -1.0, 1e-9);
    tape_play_stop();

    // Pulled out with the trigger held: nothing stays held.
    sys_poll_events();
    pad->Trigger(pad::kRightTriggerAxis, 1.0);
    pad->Button(pad::kX, true);
    sys_poll_events();
    ASSERT_EQ(pad_down(pad::kX), 1);
    pad.reset();
    sys_poll_events();
    EXPECT_EQ(pad_count(), 0);
    EXPECT_EQ(pad_next_notice(), "Gamepad disconnected: Virtual Controller");
    EXPECT_EQ(pad_down(pad::kX), 0);
    EXPECT_EQ(pad_down(pad::kRightTrigger), 0);
}
