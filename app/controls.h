#pragma once
// The player's controls: each action of a match is bound to up to two keys
// (or mouse buttons) and up to two pad inputs, chosen on the "Controls"
// screen and kept in the configuration file, one line an action:
//
//     Control Forward = Up, W, D-Pad Up, Left Stick Up
//
// (two keys, then two pad inputs, "None" for an empty place). Escape is not
// an action's: it always pauses, backs out and, held, leaves the game.

#include <array>
#include <string>

enum class Action : int { Forward, Back, Left, Right, Fire, DropDevice, Console, Pause };
inline constexpr int kActionCount = 8;

/// An empty place of a binding.
inline constexpr int kNoInput = -1;
/// Key places hold key codes 1..255 or a mouse button, `kMouseInput` + 1..3
/// (left, right, middle); pad places hold pad codes.
inline constexpr int kMouseInput = 256;
/// The places of a binding: 0 and 1 keys, 2 and 3 pad inputs.
inline constexpr int kBindingPlaces = 4;

struct Binding {
    std::array<int, kBindingPlaces> inputs{kNoInput, kNoInput, kNoInput, kNoInput};
    bool operator==(const Binding& other) const { return inputs == other.inputs; }
};
using Bindings = std::array<Binding, kActionCount>;

inline bool IsPadPlace(int place) {
    return place >= 2;
}

/// The action's name in the configuration file ("Forward", "Drop Device").
std::string ActionName(Action action);
/// The action as the "Controls" screen lists it ("Drive forward").
std::string ActionCaption(Action action);

/// Today's keys and the pad's default mapping.
const Bindings& DefaultBindings();
/// The bindings in force.
const Bindings& CurrentBindings();
void SetBindings(const Bindings& bindings);
/// Puts `input` in the action's place; where the input was bound already
/// (another action's place, or this action's other place) it takes the
/// place's old input instead, so that no input ever drives two actions.
void Bind(Bindings& bindings, Action action, int place, int input);

/// Whether an input of the action is held.
bool ActionDown(Action action);
/// Presses of the action's inputs since they were last asked for. Every
/// press is taken; with `typing_keys_count` false, those of keys that type
/// a character are not counted (while the console is open, letters are the
/// command's).
int ActionHit(Action action, bool typing_keys_count = true);
/// Whether one of the action's keys is held (the console does not type the
/// key that opens it).
bool ActionKeyDown(Action action);

/// A key place's input by name ("W", "Up", "Left Mouse", "None") and back;
/// `KeyInputFromName` gives -2 for a name it does not know.
std::string KeyInputName(int input);
int KeyInputFromName(const std::string& name);
/// An input of a place by name, whichever kind the place holds.
std::string PlaceInputName(int place, int input);

/// A binding as the configuration file holds it, and back (false for a line
/// that is not four known names).
std::string BindingText(const Binding& binding);
bool ParseBinding(const std::string& text, Binding* binding);

/// Reads the bindings from the configuration file (writing the defaults
/// where it has none); a line that cannot be read gives the action's default
/// and a console line saying so.
void LoadBindings();
/// Writes the bindings in force to the configuration file.
void SaveBindings();
