#pragma once
// Polled keyboard and mouse input. Key codes are Windows virtual-key codes;
// mouse buttons are 1 left, 2 right, 3 middle; the mouse position is in the
// logical screen (the opened mode's size) whatever the window's size.
//
// The state is refreshed by `sys_poll_events`, once a frame: the game's
// frame loop polls itself, and `gfx_flip` polls when nothing polled since
// the previous flip. Every press is seen down for at least one frame: when
// its release arrives in the same poll (a tap, or a click quicker than a
// frame), the release takes effect at the next poll. Press counts stay
// exact.

/// Virtual-key codes the game names.
namespace vk {
constexpr int kBackspace = 8, kTab = 9, kEnter = 13, kShift = 16, kControl = 17, kAlt = 18;
constexpr int kPause = 19, kCapsLock = 20, kEscape = 27, kSpace = 32;
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40;
constexpr int kInsert = 45, kDelete = 46;
constexpr int k0 = 48, kA = 65, kF1 = 112, kNumpad0 = 96;
constexpr int kLeftShift = 160, kRightShift = 161, kLeftControl = 162, kRightControl = 163;
constexpr int kLeftAlt = 164, kRightAlt = 165;
constexpr int kTilde = 192;  ///< the key left of "1"
}  // namespace vk

/// 1 while the key is held.
int in_key_down(int key);
/// Presses of the key since the previous call for it (auto-repeat does not
/// count); the count restarts at 0.
int in_key_hit(int key);
/// The key pressed and let go at once, as a tap between two frames is: held
/// for this frame (a pad's button standing in for a key).
void in_tap_key(int key);
/// Next typed character code, 0 when none is waiting.
int in_get_char();
/// Forgets held keys, key presses and typed characters.
void in_flush_keys();

int in_mouse_x();
int in_mouse_y();
/// Puts the polled mouse position at (x, y) of the logical screen without
/// moving the platform's pointer (an autopilot aiming); the next real
/// motion takes over again.
void in_set_mouse(int x, int y);
/// Accumulated wheel position.
int in_mouse_z();
int in_mouse_down(int button);
int in_mouse_hit(int button);
/// Presses (1) or lets go (0) of the button as the mouse would (a pad's
/// button standing in for a click).
void in_push_button(int button, int down);
void in_flush_mouse();
void in_show_mouse();
void in_hide_mouse();

/// 1 while the application is in the background (focus lost).
int app_suspended();
/// 1 once after the window lost the focus (or was minimised), even when it
/// got the focus back in the same poll; then 0 until it loses it again.
int app_focus_lost();
/// Confines the pointer to the window (1) or lets it go (0). Nothing
/// happens without a window.
void in_confine_mouse(int confine);
/// 1 once after the user asked to close the program (window close button,
/// SIGINT or SIGTERM), then 0 again.
int app_terminate();

/// Polls the platform's event queue once and refreshes the input state; a
/// nested call while polling returns at once.
void sys_poll_events();
/// Asks the program to end; the main loop ends after the current frame.
void sys_end();
/// 1 after `sys_end` or a close request that the loop has not consumed.
int sys_end_requested();

/// Clears all input state (keys, buttons, characters, flags).
void input_reset();
