#pragma once
// Gamepads, polled like the keyboard. Every pad plugged in is opened (at
// start-up and when it is plugged in later) and let go when it is pulled
// out; the game sees one merged pad. Each input of a pad is a "pad code":
// the buttons, and the triggers and stick directions as buttons too, held
// while pushed past a threshold, so that they can drive the game's on/off
// controls. The sticks' positions are read as axes as well.
//
// Pad input goes through the input tape like keys: pads recorded in a match
// play back exactly. Pads are known by the platform's controller database,
// `SDL_GAMECONTROLLERCONFIG`, and the mappings added with `pad_add_mappings`.

#include <string>

/// Pad codes: the buttons first, then the analogue inputs as buttons.
namespace pad {
constexpr int kA = 0, kB = 1, kX = 2, kY = 3, kBack = 4, kGuide = 5, kStart = 6;
constexpr int kLeftStickPress = 7, kRightStickPress = 8;
constexpr int kLeftShoulder = 9, kRightShoulder = 10;
constexpr int kDpadUp = 11, kDpadDown = 12, kDpadLeft = 13, kDpadRight = 14;
constexpr int kButtonCount = 21;  ///< the platform's buttons (misc, paddles, touchpad)
constexpr int kLeftTrigger = 21, kRightTrigger = 22;
constexpr int kLeftStickUp = 23, kLeftStickDown = 24, kLeftStickLeft = 25, kLeftStickRight = 26;
constexpr int kRightStickUp = 27, kRightStickDown = 28, kRightStickLeft = 29;
constexpr int kRightStickRight = 30;
constexpr int kCodeCount = 31;

/// Axes: the sticks -1..1 (x right, y down), the triggers 0..1.
constexpr int kLeftX = 0, kLeftY = 1, kRightX = 2, kRightY = 3;
constexpr int kLeftTriggerAxis = 4, kRightTriggerAxis = 5;
constexpr int kAxisCount = 6;

/// A stick's dead zone (share of its travel): inside it the stick is at rest
/// and no direction is held.
constexpr double kDeadZone = 0.25;
}  // namespace pad

/// 1 while the pad input is held.
int pad_down(int code);
/// Presses of the pad input since the previous call for it; restarts at 0.
int pad_hit(int code);
/// The axis' position, 0 for an unknown axis or without a pad.
double pad_axis(int axis);
/// Pads open now.
int pad_count();
/// Forgets held pad inputs, presses and axes.
void pad_flush();
/// Forgets the presses not yet asked for (those of one screen are not the
/// next one's); what is held stays held.
void pad_forget_presses();

/// True when the right stick moved after the mouse did: the right stick
/// aims. `pad_aim` gives the last direction it was pushed (a unit vector),
/// kept when it is let go.
bool pad_aiming();
void pad_aim(double* x, double* y);
/// Puts the aim as a recording found it (a replay starting).
void pad_set_aim(bool aiming, double x, double y);

/// The next line about a pad plugged in or out ("Gamepad connected: ..."),
/// empty when there is none.
std::string pad_next_notice();

/// Adds the controller mappings of a file in the platform's database format;
/// the number added, -1 when the file cannot be read.
int pad_add_mappings(const std::string& path);

/// The pad code's name as the controls show it and the configuration file
/// stores it ("A", "Left Trigger", "Left Stick Up"...); empty for none.
std::string pad_code_name(int code);
/// The code of a name `pad_code_name` gives, -1 for any other text.
int pad_code_from_name(const std::string& name);
