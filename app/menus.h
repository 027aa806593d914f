#pragma once
// The menu screens: built once at start-up with the GUI kit, shown while the
// game is in its menu state. The gadgets of every panel are kept as tables
// of data, so that a test can walk every menu.

#include <string>
#include <utility>
#include <vector>

#include "app/match.h"

/// What a table row makes.
enum class MenuGadget { Button, Label, Slider, TextField, Combo, CheckBox };

/// One gadget of a panel: position relative to the panel; `fromRight` puts
/// x that far left of the screen's right edge. Sliders take `a`..`c` as
/// min, max and step; combo boxes their menu width, menu height and item
/// height; labels their alignments in `a`, `b`.
struct MenuGadgetDef {
    const char* name;
    MenuGadget kind;
    const char* caption;
    int x, y, w, h;
    int a = 0, b = 0, c = 0;
    const char* target = nullptr;  ///< a button's target screen
    bool fromRight = false;
};

/// The pause overlay's screen and its panel.
inline constexpr const char* kPauseScreen = "Paused";
inline constexpr const char* kPausePanel = "Pause Panel";

/// The panels in build order, each with its gadgets.
struct MenuPanelDef {
    const char* name;
    int x, y, w, h;  ///< w <= 0: the screen width less -w
    std::vector<MenuGadgetDef> gadgets;
};
const std::vector<MenuPanelDef>& MenuPanels();

/// Builds the kit's screens, panels and gadgets and shows "Main Menu".
void BuildMenus();
/// Drains the kit's event queue and acts on completed selections.
void HandleMenuEvents();
/// The match setup the menus' gadgets describe now.
MatchSetup MenuMatchSetup();
/// Fills the "Match Results" table, headlines the winner and why the match
/// ended, marks the player's row and shows the screen.
void ShowMatchResults(const std::vector<ResultRow>& rows);
/// The rows of the "Controls" screen: each action with its two keys and two
/// pad inputs as bound now, then the controls that cannot be rebound.
std::vector<std::vector<std::string>> ControlsRows();
/// Goes back from a screen to the one it was opened from: the options from
/// "Controls", the main menu from the others (a pad's B that no open list
/// or text field took).
void MenuBack();
/// True while the "Controls" screen waits for the key or pad input to bind.
bool ControlsCapturing();
/// While capturing, takes the first key, mouse button or pad input pressed
/// (by the place's kind) and binds it; Escape gives up. Runs before the
/// menus see the frame's input, which it takes when it binds.
void ControlsCaptureFrame();
/// Forgets the gadgets (the kit releases them).
void ReleaseMenus();
