#include "app/menus.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/controls.h"
#include "app/music.h"
#include "app/pause.h"
#include "app/replay.h"
#include "arena/arena_loader.h"
#include "engine/filesystem.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/kit.h"

namespace {

constexpr const char* kTeamItems[] = {"1", "2", "3", "4", "N/A"};
constexpr const char* kVehicleItems[] = {"Samurai", "Rabbit", "Flash", "Sentinel", "Tanker"};
constexpr const char* kGameTypeItems[] = {"Deathmatch", "Big Dog"};
constexpr const char* kDifficultyItems[] = {"AI - Weakling", "AI - Moderate", "AI - Offensive",
                                            "No AI"};
constexpr const char* kResultsPanel = "Match Results Panel";
constexpr const char* kControlsPanel = "Controls Panel";
constexpr const char* kControlsHint =
    "Click a control, then press its new key, mouse button or pad input.";
// Headlines (the winner, "Paused", a screen's title) in the kit's large
// font and the skin's orange.
constexpr const char* kHeadlineColour = "ffa040";
// Tables in the skin's colours: dark rows, an orange title row, and the
// marked row (the player's own) in a warm brown.
constexpr const char* kRowColour = "2e2b2b";
constexpr const char* kTitleRowColour = "b85c1e";
constexpr const char* kMarkedRowColour = "6b4a22";
constexpr const char* kMarkedTextColour = "ffe2b0";
// Why "Start Match" did not start a match, in the setup panel.
constexpr const char* kSetupMessage = "setup message";
constexpr const char* kMessageColour = "ff9a3c";

// The five computer slots: difficulty combo, its prompt, team combo.
struct AISlot {
    const char* combo;
    const char* prompt;
    const char* team;
};
constexpr std::array<AISlot, 5> kAISlots = {{
    {"a1combo", "AI #1", "a1teamcombo"},
    {"a2combo", "AI #2", "a2teamcombo"},
    {"a3combo", "AI #3", "a3teamcombo"},
    {"a4combo", "AI #4", "a4teamcombo"},
    {"a5combo", "AI #5", "a5teamcombo"},
}};
// The text on the dark panels and in the dark fields.
constexpr const char* kTextColour = "e8e4dc";

// The match keys of the configuration file, in the order the menus save and
// restore them, with their combo boxes.
constexpr const char* kMapKey = "MapDefault";
constexpr std::array<std::pair<const char*, const char*>, 14> kMatchKeys = {{
    {"AI1Default", "a1combo"},
    {"AI2Default", "a2combo"},
    {"AI3Default", "a3combo"},
    {"AI4Default", "a4combo"},
    {"AI5Default", "a5combo"},
    {"AI1TeamDefault", "a1teamcombo"},
    {"AI2TeamDefault", "a2teamcombo"},
    {"AI3TeamDefault", "a3teamcombo"},
    {"AI4TeamDefault", "a4teamcombo"},
    {"AI5TeamDefault", "a5teamcombo"},
    {"MatchTypeDefault", "gametypecombo"},
    {"MapDefault", "mapcombo"},
    {"PlayerVehicleDefault", "vehiclecombo"},
    {"PlayerTeamDefault", "playerteamcombo"},
}};

struct Built {
    std::map<std::string, kit_GadgetRef> gadgets;
    std::shared_ptr<kit_TTable> results;
    std::shared_ptr<kit_TTable> controls;
    int player_row = -1;  ///< the player's row of the results, -1 for none
    /// The binding the "Controls" screen waits for: action and place, -1
    /// when it waits for none.
    int capture_action = -1, capture_place = -1;
};
Built g_menus;

template <typename T>
std::shared_ptr<T> Get(const std::string& name) {
    const auto it = g_menus.gadgets.find(name);
    return it == g_menus.gadgets.end() ? nullptr : std::dynamic_pointer_cast<T>(it->second);
}

std::vector<MenuGadgetDef> SetupGadgets() {
    using K = MenuGadget;
    std::vector<MenuGadgetDef> g = {
        {"game type title", K::Label, "Game Type", 10, 10, 100, 24},
        {"gametypecombo", K::Combo, "Select Game Type", 10, 30, 150, 24, 150, 200, 18},
        {"score limit title", K::Label, "Kill/Score Limit:", 10, 70, 100, 24},
        {"score limit edit", K::TextField, "5", 135, 65, 45, 20},
        {"time limit title", K::Label, "Time Limit:", 10, 90, 100, 24},
        {"time limit edit", K::TextField, "5", 135, 85, 45, 20},
        {"penalty title", K::Label, "Respawn Penalty:", 10, 110, 100, 24},
        {"penalty edit", K::TextField, "250", 135, 105, 45, 20},
        {"minimap check", K::CheckBox, "Disable Minimap", 10, 150, 0, 0},
        {"map title", K::Label, "Game Map", 10, 200, 100, 24},
        {"mapcombo", K::Combo, "Select Game Map", 10, 220, 150, 24, 150, 200, 18},
        {"vehicle title", K::Label, "Player Vehicle", 230, 10, 100, 24},
        {"vehiclecombo", K::Combo, "Select Vehicle", 230, 30, 150, 24, 150, 200, 18},
        {"player team title", K::Label, "Team", 400, 10, 150, 24},
        {"playerteamcombo", K::Combo, "", 400, 30, 50, 24, 150, 200, 18},
        {"ai title", K::Label, "Computer Opponents", 230, 80, 100, 24},
    };
    for (std::size_t i = 0; i < kAISlots.size(); ++i) {
        const int y = 100 + 30 * static_cast<int>(i);
        g.push_back(
            {kAISlots[i].combo, K::Combo, kAISlots[i].prompt, 230, y, 150, 24, 150, 200, 18});
    }
    g.push_back({"team title", K::Label, "Team", 400, 80, 100, 24});
    for (std::size_t i = 0; i < kAISlots.size(); ++i) {
        const int y = 100 + 30 * static_cast<int>(i);
        g.push_back({kAISlots[i].team, K::Combo, "", 400, y, 50, 24, 150, 200, 18});
    }
    g.push_back({"startMatchB", K::Button, "Start Match", 660, 60, 150, 24});
    g.push_back({"defaultMatchB", K::Button, "Default Match", 660, 90, 150, 24});
    g.push_back({"saveDefaultMatchB", K::Button, "Save Match", 660, 120, 150, 24});
    g.push_back({kSetupMessage, K::Label, "", 480, 160, 330, 24});
    return g;
}

kit_GadgetRef Make(const MenuGadgetDef& s, const kit_GadgetRef& panel) {
    const int x = s.fromRight ? gfx_width() - s.x : s.x;
    switch (s.kind) {
        case MenuGadget::Button: {
            auto b = kit_CreateButton(s.name, s.caption, x, s.y, s.w, s.h, panel);
            return b;
        }
        case MenuGadget::Label: {
            auto l = kit_CreateLabel(s.name, s.caption, x, s.y, s.w, s.h, s.a, s.b, panel);
            l->SetTextColorHex(std::string(s.name) == kSetupMessage ? kMessageColour : kTextColour);
            return l;
        }
        case MenuGadget::Slider:
            return kit_CreateSlider(s.name, x, s.y, s.w, 1, s.a, s.b, s.c, panel);
        case MenuGadget::TextField: {
            auto t = kit_CreateTextField(s.name, s.caption, x, s.y, s.w, s.h, 0, panel);
            t->SetTextColorHex(kTextColour);
            return t;
        }
        case MenuGadget::Combo:
            return kit_CreateComboBox(s.name, s.caption, x, s.y, s.w, s.h, s.a, s.b, s.c, panel);
        case MenuGadget::CheckBox: {
            auto c = kit_CreateCheckBox(s.name, s.caption, x, s.y, s.w, panel);
            c->SetTextColorHex(kTextColour);
            return c;
        }
    }
    return nullptr;
}

void FillCombo(const char* name, const auto& items) {
    if (auto c = Get<kit_TComboBox>(name)) {
        for (const char* item : items) c->AddItem(item);
    }
}

void SelectCombo(const char* name, int index) {
    if (auto c = Get<kit_TComboBox>(name)) c->Select(index);
}

int ComboIndex(const char* name) {
    const auto c = Get<kit_TComboBox>(name);
    return c ? c->GetSelectedIndex() : -1;
}

std::string FieldText(const char* name) {
    const auto t = Get<kit_TTextField>(name);
    return t ? t->GetText() : "";
}

void LoadOptions() {
    TConfig& config = App().Config;
    if (auto s = Get<kit_TSlider>("gfx slider")) {
        s->SetValue(GraphicsQualityFrom(config.Read("Graphics Quality", "3")));
    }
    if (auto s = Get<kit_TSlider>("sfx slider"))
        s->SetValue(str_to_int(config.Read("Sound Volume", "5")));
    if (auto s = Get<kit_TSlider>("music slider")) {
        s->SetValue(str_to_int(config.Read("Music Volume", "9")));
    }
    if (auto t = Get<kit_TTextField>("playerName")) {
        t->SetText(config.Read("Player Name", "Crashmoor Newbie"));
    }
    if (auto c = Get<kit_TCheckBox>("fullscreen check")) {
        c->SetChecked(str_to_int(config.Read("Full Screen", "1")) != 0 ? 1 : 0);
    }
    if (auto c = Get<kit_TCheckBox>("fps check")) {
        c->SetChecked(str_to_int(config.Read("Show FPS", "0")) != 0 ? 1 : 0);
    }
}

void DefaultOptions() {
    if (auto s = Get<kit_TSlider>("gfx slider")) s->SetValue(3);
    if (auto s = Get<kit_TSlider>("sfx slider")) s->SetValue(5);
    if (auto s = Get<kit_TSlider>("music slider")) s->SetValue(9);
    if (auto t = Get<kit_TTextField>("playerName")) t->SetText("Crashmoor Newbie");
    if (auto c = Get<kit_TCheckBox>("fps check")) c->SetChecked(0);
}

// "Apply": the options go to the file in one rewrite and take effect at
// once, whether or not the file could be written.
void SaveOptions() {
    AppState& app = App();
    auto value = [](const char* name) {
        const auto s = Get<kit_TSlider>(name);
        return s ? s->GetValue() : 0;
    };
    const int quality = value("gfx slider");
    const int sound = value("sfx slider");
    const int music = value("music slider");
    const auto fps = Get<kit_TCheckBox>("fps check");
    const bool show_fps = fps && fps->IsChecked() != 0;
    app.Config.WriteAll({
        {"Graphics Quality", str_from_int(quality)},
        {"Sound Volume", str_from_int(sound)},
        {"Music Volume", str_from_int(music)},
        {"Player Name", FieldText("playerName")},
        {"Show FPS", show_fps ? "1" : "0"},
    });
    app.ShowFPS = show_fps;
    app.GraphicsQuality = GraphicsQualityFrom(quality);
    app.SoundVolume = sound / 10.0;
    app.MusicVolume = music / 10.0;
    ApplyVolumes();
}

// "Full Screen" takes effect and is saved as soon as it is clicked.
void ApplyFullScreen() {
    const auto c = Get<kit_TCheckBox>("fullscreen check");
    if (!c) return;
    const int on = c->IsChecked() != 0 ? 1 : 0;
    gfx_set_fullscreen(on);
    App().Config.Write("Full Screen", str_from_int(on));
}

// "Save Replay": the match just played goes to a new file in the player's
// replays folder (made on first use); the panel says where, or why not.
void SaveLastReplay() {
    const auto label = Get<kit_TLabel>("replay message");
    const Replay* replay = LastReplay();
    std::string text = "No replay of this match";
    if (replay) {
        const std::string& data = App().User.data;
        const std::string folder = data.empty() ? "" : UserPath(data, "replays");
        if (!folder.empty()) fs_make_dirs(folder);
        const std::string name = NewReplayName(folder);
        std::string error;
        text = SaveReplayFile(*replay, name, &error) ? "Saved as " + name : error;
    }
    if (label) label->SetText(text);
}

void StyleTable(kit_TTable& table) {
    table.SetColorHex(kRowColour, 0);
    table.SetTextColorHex(kTextColour, 0);
    table.SetColorHex(kMarkedRowColour, 1);
    table.SetTextColorHex(kMarkedTextColour, 1);
    table.SetColorHex(kTitleRowColour, 2);
    table.SetTextColorHex("ffffff", 2);
}

// The arena is kept by its name, the other choices by their place in their
// lists (fixed lists); "0" is none chosen.
void SaveMatch() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& [key, combo] : kMatchKeys) {
        const auto box = Get<kit_TComboBox>(combo);
        const bool by_name = std::string(key) == kMapKey && box && box->GetSelectedIndex() >= 0;
        entries.emplace_back(
            key, by_name ? box->GetSelectedText() : str_from_int(ComboIndex(combo) + 1));
    }
    App().Config.WriteAll(entries);
}

// The saved arena: by its name; a number is an earlier version's place in
// the list of shipped arenas ("0" none chosen), read once and then saved as
// the name.
void RestoreMap(const std::string& value) {
    const auto maps = Get<kit_TComboBox>("mapcombo");
    if (!maps) return;
    std::string name = value;
    if (!value.empty() && value.find_first_not_of("0123456789") == std::string::npos) {
        const int place = str_to_int(value) - 1;
        const std::vector<std::string> shipped = ListShippedArenas();
        if (place < 0 || place >= static_cast<int>(shipped.size())) return;
        name = shipped[static_cast<std::size_t>(place)];
        App().Config.Write(kMapKey, name);
    }
    for (int i = 0; i < maps->ItemCount(); ++i) {
        if (maps->ItemText(i) == name) {
            maps->Select(i);
            return;
        }
    }
}

void RestoreMatch() {
    TConfig& config = App().Config;
    for (const auto& [key, combo] : kMatchKeys) {
        const std::string value = config.Read(key, "-1");
        if (std::string(key) == kMapKey) {
            RestoreMap(value);
        } else {
            SelectCombo(combo, str_to_int(value) - 1);
        }
    }
}

void SetupMessage(const std::string& text) {
    if (auto l = Get<kit_TLabel>(kSetupMessage)) l->SetText(text);
}

void StartMatchFromMenus() {
    // The map, the vehicle and the game type must be chosen; the setup says
    // which are missing.
    std::vector<std::string> missing;
    if (ComboIndex("gametypecombo") <= -1) missing.emplace_back("a game type");
    if (ComboIndex("mapcombo") <= -1) missing.emplace_back("a map");
    if (ComboIndex("vehiclecombo") <= -1) missing.emplace_back("a vehicle");
    if (!missing.empty()) {
        std::string text = "Choose " + missing[0];
        for (std::size_t i = 1; i < missing.size(); ++i)
            text += (i + 1 == missing.size() ? " and " : ", ") + missing[i];
        SetupMessage(text + " first.");
        return;
    }
    const MatchSetup setup = MenuMatchSetup();
    if (StartMatch(setup)) {
        SetupMessage("");
        App().GameState = kStateMatch;
    } else {
        SetupMessage("The map " + setup.Arena + " could not be loaded.");
    }
}

// The "Controls" table from the bindings in force, the cell being bound
// asking for its input.
void FillControls() {
    if (!g_menus.controls) return;
    g_menus.controls->ClearRows();
    for (const std::vector<std::string>& row : ControlsRows()) g_menus.controls->AddRow(row);
    if (g_menus.capture_action >= 0) {
        g_menus.controls->SetCellText(g_menus.capture_action, g_menus.capture_place + 1,
                                      "Press...");
    }
    if (auto l = Get<kit_TLabel>("controls hint")) {
        std::string hint = kControlsHint;
        if (g_menus.capture_action >= 0) {
            // The left button binds by clicking the waiting place again.
            const std::string what =
                IsPadPlace(g_menus.capture_place) ? "a pad input" : "a key or mouse button";
            hint = "Press " + what + " for \"" +
                   ActionCaption(static_cast<Action>(g_menus.capture_action)) +
                   "\" (Escape cancels).";
        }
        l->SetText(hint);
    }
}

// Whether the pointer is over the cell that waits for its input.
bool PointerOnCapturedCell() {
    const std::shared_ptr<kit_TTable>& table = g_menus.controls;
    if (!table) return false;
    float x = table->X, y = table->Y;
    for (kit_GadgetRef p = table->GetParent(); p; p = p->GetParent()) {
        x += p->X;
        y += p->Y;
    }
    const int pitch = table->RowHeight + 2;
    y += static_cast<float>(pitch * (table->ShowHeader + g_menus.capture_action) +
                            table->ScrollOffset);
    const auto column = static_cast<std::size_t>(g_menus.capture_place + 1);
    if (column >= table->ColumnWidths.size()) return false;
    for (std::size_t c = 0; c < column; ++c) x += static_cast<float>(table->ColumnWidths[c] + 3);
    const auto mx = static_cast<float>(in_mouse_x()), my = static_cast<float>(in_mouse_y());
    return mx >= x && mx < x + static_cast<float>(table->ColumnWidths[column]) && my >= y &&
           my < y + static_cast<float>(pitch);
}

void StopCapture() {
    g_menus.capture_action = g_menus.capture_place = -1;
    // The press that bound (or gave up) is nobody else's.
    in_flush_keys();
    in_flush_mouse();
    pad_flush();
    FillControls();
}

// A click on the "Controls" table: a binding's cell starts waiting for its
// input; the other cells do nothing.
void ControlsClicked(int column, int row) {
    if (row < 0 || row >= kActionCount || column < 1 || column > kBindingPlaces) return;
    g_menus.capture_action = row;
    g_menus.capture_place = column - 1;
    // The click that chose the cell is not the input to bind.
    in_flush_keys();
    in_flush_mouse();
    pad_flush();
    FillControls();
}

void ControlsDefaults() {
    g_menus.capture_action = g_menus.capture_place = -1;
    SetBindings(DefaultBindings());
    SaveBindings();
    FillControls();
}

}  // namespace

const std::vector<MenuPanelDef>& MenuPanels() {
    using K = MenuGadget;
    static const std::vector<MenuPanelDef> panels = {
        {"Main Menu Panel",
         0,
         100,
         0,
         35,
         {
             {"startBattleB", K::Button, "Instant Battle", 10, 5, 100, 25, 0, 0, 0, "Match Setup"},
             {"optionsB", K::Button, "Game Options", 120, 5, 100, 25, 0, 0, 0, "Options Menu"},
             {"quitB", K::Button, "Exit Game", 105, 5, 100, 25, 0, 0, 0, nullptr, true},
         }},
        {"Options Menu Panel",
         362,
         200,
         300,
         400,
         {
             {"gfx title", K::Label, "Graphic Detail:", 10, 25, 780, 80},
             {"gfx slider", K::Slider, "", 140, 25, 150, 0, 0, 2, 1},
             {"sfx title", K::Label, "SFX Volume:", 10, 75, 780, 80},
             {"sfx slider", K::Slider, "", 140, 75, 150, 0, 0, 9, 1},
             {"music title", K::Label, "Music Volume:", 10, 125, 780, 80},
             {"music slider", K::Slider, "", 140, 125, 150, 0, 0, 9, 1},
             {"name title", K::Label, "Player Name:", 10, 175, 780, 80},
             {"playerName", K::TextField, "Crashmoor Newbie", 140, 172, 150, 24},
             {"fullscreen check", K::CheckBox, "Full Screen", 10, 225, 0, 0},
             {"fps check", K::CheckBox, "Show FPS", 10, 255, 0, 0},
             {"controlsB", K::Button, "Controls", 10, 295, 85, 24, 0, 0, 0, "Controls"},
             {"saveOptionsB", K::Button, "Apply", 10, 350, 85, 24},
             {"defaultOptionsB", K::Button, "Defaults", 200, 350, 85, 24},
         }},
        {"Match Setup Panel", 100, 200, -200, 250, SetupGadgets()},
        {kResultsPanel,
         100,
         150,
         -200,
         330,
         {
             {"results headline", K::Label, "", 412, 10, 0, 0, 1},
             {"results reason", K::Label, "", 412, 50, 0, 0, 1},
             {"continueMatchB", K::Button, "Continue", 312, 292, 200, 24, 0, 0, 0, "Main Menu"},
             {"saveReplayB", K::Button, "Save Replay", 614, 292, 200, 24},
             {"replay message", K::Label, "", 10, 296, 0, 0},
         }},
        {kPausePanel,
         387,
         240,
         250,
         230,
         {
             {"pause title", K::Label, "Paused", 125, 15, 0, 0, 1},
             {"resumeB", K::Button, "Resume", 25, 80, 200, 28},
             {"quitMatchB", K::Button, "Quit Match", 25, 125, 200, 28},
             {"exitGameB", K::Button, "Exit Game", 25, 170, 200, 28},
         }},
        {kControlsPanel,
         212,
         130,
         600,
         462,
         {
             {"controls title", K::Label, "Controls", 300, 10, 0, 0, 1},
             {"controls hint", K::Label, kControlsHint, 10, 384, 0, 0},
             {"controlsDefaultsB", K::Button, "Defaults", 140, 422, 100, 24},
             {"controlsBackB", K::Button, "Back", 360, 422, 100, 24, 0, 0, 0, "Options Menu"},
         }},
    };
    return panels;
}

void BuildMenus() {
    g_menus = Built{};
    kit_SetResolution(1024, 768, 0);
    kit_SetSystemPointer(0);
    kit_SetSkin("Skin");
    kit_LoadFont("Default", "trebucbd.ttf", 12);
    kit_LoadFont("Large", "trebucbd.ttf", 24);

    const auto main_menu = kit_CreateScreen("Main Menu", "");
    const auto options = kit_CreateScreen("Options Menu", "");
    const auto setup = kit_CreateScreen("Match Setup", "");
    const auto results = kit_CreateScreen("Match Results", "");
    const auto paused = kit_CreateScreen(kPauseScreen, "");
    const auto controls = kit_CreateScreen("Controls", "");

    const int w = gfx_width();
    std::map<std::string, std::shared_ptr<kit_TPanel>> panels;
    for (const MenuPanelDef& p : MenuPanels()) {
        panels[p.name] = kit_CreatePanel(p.name, p.x, p.y, p.w > 0 ? p.w : w + p.w, p.h);
    }
    for (auto& [name, panel] : panels) panel->SetColorHex("3f3d3d");
    main_menu->AddGadget(panels["Main Menu Panel"]);
    options->AddGadget(panels["Options Menu Panel"]);
    options->AddGadget(panels["Main Menu Panel"]);
    setup->AddGadget(panels["Match Setup Panel"]);
    setup->AddGadget(panels["Main Menu Panel"]);
    results->AddGadget(panels["Match Results Panel"]);
    results->AddGadget(panels["Main Menu Panel"]);
    // The pause screen is drawn over the match: its panel alone.
    paused->AddGadget(panels[kPausePanel]);
    controls->AddGadget(panels[kControlsPanel]);
    controls->AddGadget(panels["Main Menu Panel"]);

    // The results panel gets its gadgets after its table, so that
    // "Continue" lies above the table (the later child takes the mouse).
    auto make_gadgets = [&](const MenuPanelDef& p) {
        const std::shared_ptr<kit_TPanel>& panel = panels[p.name];
        for (const MenuGadgetDef& s : p.gadgets) {
            const kit_GadgetRef g = Make(s, panel);
            g_menus.gadgets[s.name] = g;
            if (s.target) {
                if (auto b = std::dynamic_pointer_cast<kit_TButton>(g))
                    b->SetTargetScreenByName(s.target);
            }
        }
    };
    for (const MenuPanelDef& p : MenuPanels()) {
        if (std::string(p.name) != kResultsPanel) make_gadgets(p);
    }

    FillCombo("playerteamcombo", kTeamItems);
    SelectCombo("playerteamcombo", 4);
    FillCombo("vehiclecombo", kVehicleItems);
    FillCombo("gametypecombo", kGameTypeItems);
    for (const AISlot& slot : kAISlots) FillCombo(slot.combo, kDifficultyItems);
    if (auto maps = Get<kit_TComboBox>("mapcombo")) {
        for (const std::string& arena : ListArenas()) maps->AddItem(arena);
    }
    SelectCombo("gametypecombo", 0);
    for (const AISlot& slot : kAISlots) {
        FillCombo(slot.team, kTeamItems);
        SelectCombo(slot.team, 4);
    }

    g_menus.results = kit_CreateTable("Match Results", 10, 80, 200, "Contestant", 200, 18, 1,
                                      panels[kResultsPanel]);
    for (const char* column : {"Kills", "Deaths", "Points"})
        g_menus.results->AddColumn(column, 200);
    StyleTable(*g_menus.results);
    g_menus.gadgets["Match Results"] = g_menus.results;
    for (const MenuPanelDef& p : MenuPanels()) {
        if (std::string(p.name) == kResultsPanel) make_gadgets(p);
    }
    // Every row shows: no scroll bar over the last column.
    g_menus.controls = kit_CreateTable("Controls Table", 10, 50, 322, "Action", 150, 18, 1,
                                       panels[kControlsPanel]);
    for (const char* column : {"Key", "Second key", "Pad", "Second pad"})
        g_menus.controls->AddColumn(column, 104);
    g_menus.controls->SetHighlightSelection(0);
    StyleTable(*g_menus.controls);
    g_menus.gadgets["Controls Table"] = g_menus.controls;
    FillControls();
    for (const char* title : {"results headline", "pause title", "controls title"}) {
        if (auto l = Get<kit_TLabel>(title)) {
            l->SetFont("Large");
            l->SetTextColorHex(kHeadlineColour);
            l->Refresh();
        }
    }
    kit_SetScreen("Main Menu");
    // The set-up selections above queued events nobody asked for.
    while (kit_PollEvent()) {
    }
}

MatchSetup MenuMatchSetup() {
    MatchSetup s;
    const auto maps = Get<kit_TComboBox>("mapcombo");
    s.Arena = maps ? maps->GetSelectedText() : "";
    s.Vehicle = ComboIndex("vehiclecombo") + 1;
    s.Team = ComboIndex("playerteamcombo") + 1;
    s.GameType = ComboIndex("gametypecombo");
    // Whatever was typed, the limits stay within what a match can hold (a
    // negative penalty is none).
    auto limit = [](const char* field) {
        return std::clamp(str_to_int(FieldText(field)), 0, kMatchLimitMax);
    };
    s.ScoreLimit = limit("score limit edit");
    s.TimeLimitMinutes = limit("time limit edit");
    s.RespawnPenalty = limit("penalty edit");
    const auto minimap = Get<kit_TCheckBox>("minimap check");
    s.MinimapHidden = minimap ? minimap->IsChecked() : 0;
    for (std::size_t i = 0; i < kAISlots.size(); ++i) {
        const int difficulty = ComboIndex(kAISlots[i].combo);
        s.AIStyle[i] = difficulty >= 0 && difficulty <= 2 ? difficulty + 1 : 0;
        s.AITeam[i] = ComboIndex(kAISlots[i].team) + 1;
    }
    return s;
}

void HandleMenuEvents() {
    while (kit_PollEvent()) {
        const kit_GadgetRef source = kit_EventSource();
        if (!source) continue;
        auto is = [&](const char* name) { return source == Get<kit_TGadget>(name); };
        if (kit_EventID() == kit_EventGadgetAction && is("fullscreen check")) {
            ApplyFullScreen();
            continue;
        }
        if (kit_EventID() != kit_EventGadgetSelect) continue;
        if (is("optionsB")) {
            LoadOptions();
        } else if (is("quitB")) {
            sys_end();
        } else if (is("defaultOptionsB")) {
            DefaultOptions();
        } else if (is("saveOptionsB")) {
            SaveOptions();
        } else if (is("saveDefaultMatchB")) {
            SaveMatch();
        } else if (is("defaultMatchB")) {
            RestoreMatch();
        } else if (is("startMatchB")) {
            StartMatchFromMenus();
        } else if (is("continueMatchB")) {
            if (g_menus.results) g_menus.results->ClearRows();
        } else if (is("Match Results")) {
            // A click on a row leaves the player's row marked.
            g_menus.results->Select(g_menus.player_row);
        } else if (is("saveReplayB")) {
            SaveLastReplay();
        } else if (is("resumeB")) {
            ResumeMatch();
        } else if (is("quitMatchB")) {
            QuitMatch();
        } else if (is("exitGameB")) {
            sys_end();
        } else if (is("Controls Table")) {
            ControlsClicked(kit_EventX(), kit_EventY());
        } else if (is("controlsDefaultsB")) {
            ControlsDefaults();
        } else if (is("controlsBackB")) {
            g_menus.capture_action = g_menus.capture_place = -1;
            FillControls();
        }
    }
}

void ShowMatchResults(const std::vector<ResultRow>& rows) {
    g_menus.player_row = -1;
    if (g_menus.results) {
        // The table holds the last match alone, however its screen was left.
        g_menus.results->ClearRows();
        for (const ResultRow& r : rows) {
            if (r.Human) g_menus.player_row = g_menus.results->RowCount();
            g_menus.results->AddRow(
                {r.Name, str_from_int(r.Kills), str_from_int(r.Deaths), str_from_int(r.Points)});
        }
        g_menus.results->Select(g_menus.player_row);
    }
    if (auto l = Get<kit_TLabel>("results headline")) l->SetText(WinnerText(rows));
    if (auto l = Get<kit_TLabel>("results reason")) l->SetText(EndReasonText());
    if (auto l = Get<kit_TLabel>("replay message")) l->SetText("");
    kit_SetScreen("Match Results");
}

std::vector<std::vector<std::string>> ControlsRows() {
    std::vector<std::vector<std::string>> rows;
    const Bindings& bindings = CurrentBindings();
    for (int a = 0; a < kActionCount; ++a) {
        const auto action = static_cast<Action>(a);
        std::vector<std::string> row = {ActionCaption(action)};
        for (int place = 0; place < kBindingPlaces; ++place) {
            const int input =
                bindings[static_cast<std::size_t>(a)].inputs[static_cast<std::size_t>(place)];
            row.push_back(input == kNoInput ? "" : PlaceInputName(place, input));
        }
        rows.push_back(row);
    }
    // What cannot be rebound.
    const std::vector<std::vector<std::string>> fixed = {
        {"Aim", "Mouse", "", "Right Stick", ""},
        {"Pause, back out", "Escape", "", "", ""},
        {"Menu pointer", "Mouse", "", "Left Stick", "D-Pad"},
        {"Menu click", "Left Mouse", "", "A", ""},
        {"Menu back", "Escape", "", "B", ""},
        {"Leave the game", "Hold Escape", "", "", ""},
        {"Window or full screen", "Alt+Enter", "", "", ""},
    };
    rows.insert(rows.end(), fixed.begin(), fixed.end());
    return rows;
}

void MenuBack() {
    const std::string screen = kit_CurrentScreenName();
    if (screen == "Controls") {
        g_menus.capture_action = g_menus.capture_place = -1;
        FillControls();
        kit_SetScreen("Options Menu");
    } else if (screen == "Match Results") {
        if (g_menus.results) g_menus.results->ClearRows();
        kit_SetScreen("Main Menu");
    } else if (screen == "Options Menu" || screen == "Match Setup") {
        kit_SetScreen("Main Menu");
    }
}

bool ControlsCapturing() {
    return g_menus.capture_action >= 0;
}

void ControlsCaptureFrame() {
    if (!ControlsCapturing()) return;
    // Leaving the screen (a button bound to nothing, the pause) gives up.
    if (kit_CurrentScreenName() != "Controls" || in_key_hit(vk::kEscape) > 0) {
        StopCapture();
        return;
    }
    const int place = g_menus.capture_place;
    int input = kNoInput;
    if (IsPadPlace(place)) {
        for (int code = 0; code < pad::kCodeCount && input == kNoInput; ++code) {
            if (pad_hit(code) > 0) input = code;
        }
        // A click elsewhere gives up, as a click beside a list closes it.
        if (input == kNoInput && in_mouse_hit(1) + in_mouse_hit(2) + in_mouse_hit(3) > 0) {
            StopCapture();
            return;
        }
    } else {
        for (int key = 1; key < kMouseInput && input == kNoInput; ++key) {
            if (in_key_hit(key) > 0) input = key;
        }
        for (int button = 1; button <= 3 && input == kNoInput; ++button) {
            if (in_mouse_hit(button) > 0) input = kMouseInput + button;
        }
        // The left button binds when it clicks the waiting cell again; a
        // click anywhere else (on "Back", say) gives up.
        if (input == kMouseInput + 1 && !PointerOnCapturedCell()) {
            StopCapture();
            return;
        }
    }
    if (input == kNoInput) return;
    Bindings bindings = CurrentBindings();
    Bind(bindings, static_cast<Action>(g_menus.capture_action), place, input);
    SetBindings(bindings);
    SaveBindings();
    StopCapture();
}

void ReleaseMenus() {
    g_menus = Built{};
}
