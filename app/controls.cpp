#include "app/controls.h"

#include <algorithm>
#include <vector>

#include "app/app_state.h"
#include "app/console_message.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "engine/text.h"

namespace {

struct ActionInfo {
    const char* name;
    const char* caption;
    Binding defaults;
};

// The keyboard and mouse as they always were; the pad's sticks and d-pad
// drive, its triggers fire and drop, Back opens the console and Start
// pauses.
const std::array<ActionInfo, kActionCount>& Actions() {
    static const std::array<ActionInfo, kActionCount> actions = {{
        {"Forward", "Drive forward", {{vk::kUp, 'W', pad::kDpadUp, pad::kLeftStickUp}}},
        {"Back", "Reverse", {{vk::kDown, 'S', pad::kDpadDown, pad::kLeftStickDown}}},
        {"Left", "Turn left", {{vk::kLeft, 'A', pad::kDpadLeft, pad::kLeftStickLeft}}},
        {"Right", "Turn right", {{vk::kRight, 'D', pad::kDpadRight, pad::kLeftStickRight}}},
        {"Fire", "Fire", {{kMouseInput + 1, kNoInput, pad::kRightTrigger, kNoInput}}},
        {"Drop Device",
         "Drop device",
         {{kMouseInput + 2, kNoInput, pad::kLeftTrigger, pad::kLeftShoulder}}},
        {"Console", "Debug console", {{vk::kTilde, kNoInput, pad::kBack, kNoInput}}},
        {"Pause", "Pause", {{'P', vk::kPause, pad::kStart, kNoInput}}},
    }};
    return actions;
}

Bindings MakeDefaults() {
    Bindings b;
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = Actions()[i].defaults;
    return b;
}

Bindings g_bindings = MakeDefaults();

const Binding& Of(Action action) {
    return g_bindings[static_cast<std::size_t>(action)];
}

bool InputDown(int place, int input) {
    if (input == kNoInput) return false;
    if (IsPadPlace(place)) return pad_down(input) != 0;
    if (input > kMouseInput) return in_mouse_down(input - kMouseInput) != 0;
    return in_key_down(input) != 0;
}

int InputHit(int place, int input) {
    if (input == kNoInput) return 0;
    if (IsPadPlace(place)) return pad_hit(input);
    if (input > kMouseInput) return in_mouse_hit(input - kMouseInput);
    return in_key_hit(input);
}

// Keys whose press types a character: letters, digits, the space bar, the
// punctuation keys and the number pad.
bool TypingKey(int key) {
    return key == vk::kSpace || (key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z') ||
           (key >= vk::kNumpad0 && key <= 111) || (key >= 186 && key <= 192) ||
           (key >= 219 && key <= 222) || key == 226;
}

struct NamedKey {
    int code;
    const char* name;
};
// Keys named in words; letters, digits, F-keys and the number pad's digits
// are named by rule below.
constexpr NamedKey kKeyNames[] = {
    {vk::kBackspace, "Backspace"},
    {vk::kTab, "Tab"},
    {vk::kEnter, "Enter"},
    {vk::kShift, "Shift"},
    {vk::kControl, "Ctrl"},
    {vk::kAlt, "Alt"},
    {vk::kPause, "Pause"},
    {vk::kCapsLock, "Caps Lock"},
    {vk::kEscape, "Escape"},
    {vk::kSpace, "Space"},
    {vk::kPageUp, "Page Up"},
    {vk::kPageDown, "Page Down"},
    {vk::kEnd, "End"},
    {vk::kHome, "Home"},
    {vk::kLeft, "Left"},
    {vk::kUp, "Up"},
    {vk::kRight, "Right"},
    {vk::kDown, "Down"},
    {44, "Print Screen"},
    {vk::kInsert, "Insert"},
    {vk::kDelete, "Delete"},
    {91, "Left Super"},
    {92, "Right Super"},
    {93, "Menu"},
    {106, "Numpad *"},
    {107, "Numpad +"},
    {109, "Numpad -"},
    {110, "Numpad ."},
    {111, "Numpad /"},
    {144, "Num Lock"},
    {145, "Scroll Lock"},
    {vk::kLeftShift, "Left Shift"},
    {vk::kRightShift, "Right Shift"},
    {vk::kLeftControl, "Left Ctrl"},
    {vk::kRightControl, "Right Ctrl"},
    {vk::kLeftAlt, "Left Alt"},
    {vk::kRightAlt, "Right Alt"},
    {186, "Semicolon"},
    {187, "Equals"},
    {188, "Comma"},
    {189, "Minus"},
    {190, "Period"},
    {191, "Slash"},
    {vk::kTilde, "Left of 1"},
    {219, "Left Bracket"},
    {220, "Backslash"},
    {221, "Right Bracket"},
    {222, "Apostrophe"},
    {226, "Extra Backslash"},
    {kMouseInput + 1, "Left Mouse"},
    {kMouseInput + 2, "Right Mouse"},
    {kMouseInput + 3, "Middle Mouse"},
};

std::string KeyName(int code) {
    if (code == kNoInput) return "None";
    if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
        return std::string(1, static_cast<char>(code));
    }
    if (code >= vk::kF1 && code < vk::kF1 + 12) return "F" + str_from_int(code - vk::kF1 + 1);
    if (code >= vk::kNumpad0 && code <= vk::kNumpad0 + 9) {
        return "Numpad " + str_from_int(code - vk::kNumpad0);
    }
    for (const NamedKey& k : kKeyNames) {
        if (k.code == code) return k.name;
    }
    if (code > 0 && code < kMouseInput) return "Key " + str_from_int(code);
    return "";
}

std::vector<std::string> SplitFields(const std::string& text) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        std::string field = text.substr(start, comma - start);
        const auto first = field.find_first_not_of(' ');
        const auto last = field.find_last_not_of(' ');
        fields.push_back(first == std::string::npos ? "" : field.substr(first, last - first + 1));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

// Whether the binding holds the input in one of the two places of the
// place's kind: a key code and a pad code may be the same number.
bool HoldsOfKind(const Binding& b, int place, int input) {
    const auto first = static_cast<std::size_t>(IsPadPlace(place) ? 2 : 0);
    return b.inputs[first] == input || b.inputs[first + 1] == input;
}

std::string ConfigKey(Action action) {
    return "Control " + ActionName(action);
}

}  // namespace

std::string ActionName(Action action) {
    return Actions()[static_cast<std::size_t>(action)].name;
}

std::string ActionCaption(Action action) {
    return Actions()[static_cast<std::size_t>(action)].caption;
}

const Bindings& DefaultBindings() {
    static const Bindings defaults = MakeDefaults();
    return defaults;
}

const Bindings& CurrentBindings() {
    return g_bindings;
}

void SetBindings(const Bindings& bindings) {
    g_bindings = bindings;
}

void Bind(Bindings& bindings, Action action, int place, int input) {
    if (place < 0 || place >= kBindingPlaces) return;
    Binding& target = bindings[static_cast<std::size_t>(action)];
    const int old = target.inputs[static_cast<std::size_t>(place)];
    if (input != kNoInput) {
        // Places of the same kind only: a key code and a pad code may be
        // the same number.
        for (Binding& b : bindings) {
            for (int p = 0; p < kBindingPlaces; ++p) {
                int& held = b.inputs[static_cast<std::size_t>(p)];
                if (IsPadPlace(p) == IsPadPlace(place) && held == input) held = old;
            }
        }
    }
    target.inputs[static_cast<std::size_t>(place)] = input;
}

bool ActionDown(Action action) {
    const Binding& b = Of(action);
    for (int p = 0; p < kBindingPlaces; ++p) {
        if (InputDown(p, b.inputs[static_cast<std::size_t>(p)])) return true;
    }
    return false;
}

int ActionHit(Action action, bool typing_keys_count) {
    const Binding& b = Of(action);
    int hits = 0;
    for (int p = 0; p < kBindingPlaces; ++p) {
        const int input = b.inputs[static_cast<std::size_t>(p)];
        const int n = InputHit(p, input);
        if (typing_keys_count || IsPadPlace(p) || !TypingKey(input)) hits += n;
    }
    return hits;
}

bool ActionKeyDown(Action action) {
    const Binding& b = Of(action);
    return InputDown(0, b.inputs[0]) || InputDown(1, b.inputs[1]);
}

std::string KeyInputName(int input) {
    return KeyName(input);
}

int KeyInputFromName(const std::string& name) {
    if (name == "None") return kNoInput;
    for (int code = 1; code <= kMouseInput + 3; ++code) {
        if (KeyName(code) == name) return code;
    }
    return -2;
}

std::string PlaceInputName(int place, int input) {
    if (!IsPadPlace(place)) return KeyName(input);
    return input == kNoInput ? "None" : pad_code_name(input);
}

std::string BindingText(const Binding& binding) {
    std::string text;
    for (int p = 0; p < kBindingPlaces; ++p) {
        if (p > 0) text += ", ";
        text += PlaceInputName(p, binding.inputs[static_cast<std::size_t>(p)]);
    }
    return text;
}

bool ParseBinding(const std::string& text, Binding* binding) {
    const std::vector<std::string> fields = SplitFields(text);
    if (fields.size() != kBindingPlaces) return false;
    Binding parsed;
    for (int p = 0; p < kBindingPlaces; ++p) {
        const std::string& name = fields[static_cast<std::size_t>(p)];
        int input = kNoInput;
        if (name != "None") {
            input = IsPadPlace(p) ? pad_code_from_name(name) : KeyInputFromName(name);
            // Escape is nobody's: it pauses and backs out.
            if (input < 0 || (!IsPadPlace(p) && input == vk::kEscape)) return false;
        }
        parsed.inputs[static_cast<std::size_t>(p)] = input;
    }
    *binding = parsed;
    return true;
}

void LoadBindings() {
    TConfig& config = App().Config;
    Bindings loaded = DefaultBindings();
    for (int a = 0; a < kActionCount; ++a) {
        const auto action = static_cast<Action>(a);
        const auto i = static_cast<std::size_t>(a);
        const std::string text = config.Read(ConfigKey(action), BindingText(loaded[i]));
        Binding b;
        if (ParseBinding(text, &b)) {
            loaded[i] = b;
        } else {
            ConsoleMessage::Create("The control \"" + ActionName(action) + " = " + text +
                                       "\" cannot be read; " + ActionName(action) +
                                       " keeps its default (" + BindingText(loaded[i]) + ")",
                                   kConsoleYellow);
        }
    }
    // A file edited by hand may give one input to two actions: the first
    // keeps it.
    Bindings checked{};
    for (std::size_t a = 0; a < checked.size(); ++a) {
        for (int p = 0; p < kBindingPlaces; ++p) {
            const int input = loaded[a].inputs[static_cast<std::size_t>(p)];
            const bool taken = std::any_of(checked.begin(), checked.end(), [&](const Binding& b) {
                return HoldsOfKind(b, p, input);
            });
            if (!taken) checked[a].inputs[static_cast<std::size_t>(p)] = input;
        }
    }
    g_bindings = checked;
}

void SaveBindings() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (int a = 0; a < kActionCount; ++a) {
        const auto action = static_cast<Action>(a);
        entries.emplace_back(ConfigKey(action), BindingText(Of(action)));
    }
    App().Config.WriteAll(entries);
}
