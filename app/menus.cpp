#include "app/menus.h"

#include <algorithm>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/app_state.h"
#include "app/music.h"
#include "app/pause.h"
#include "app/replay.h"
#include "arena/arena_loader.h"
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

// "Save Replay": the match just played goes to a new file beside the
// configuration; the panel says where, or why not.
void SaveLastReplay() {
    const auto label = Get<kit_TLabel>("replay message");
    const Replay* replay = LastReplay();
    std::string text = "No replay of this match";
    if (replay) {
        const std::string name = NewReplayName();
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

void SaveMatch() {
    std::vector<std::pair<std::string, std::string>> entries;
    for (const auto& [key, combo] : kMatchKeys)
        entries.emplace_back(key, str_from_int(ComboIndex(combo) + 1));
    App().Config.WriteAll(entries);
}

void RestoreMatch() {
    TConfig& config = App().Config;
    for (const auto& [key, combo] : kMatchKeys) {
        SelectCombo(combo, str_to_int(config.Read(key, "-1")) - 1);
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
         150,
         600,
         350,
         {
             {"controls title", K::Label, "Controls", 300, 10, 0, 0, 1},
             {"controlsBackB", K::Button, "Back", 250, 312, 100, 24, 0, 0, 0, "Options Menu"},
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
    g_menus.controls = kit_CreateTable("Controls Table", 10, 50, 250, "Action", 280, 18, 1,
                                       panels[kControlsPanel]);
    g_menus.controls->AddColumn("Keys", 290);
    g_menus.controls->SetHighlightSelection(0);
    StyleTable(*g_menus.controls);
    for (const auto& [action, keys] : ControlsList()) g_menus.controls->AddRow({action, keys});
    g_menus.gadgets["Controls Table"] = g_menus.controls;
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

const std::vector<std::pair<const char*, const char*>>& ControlsList() {
    static const std::vector<std::pair<const char*, const char*>> list = {
        {"Drive forward", "Up arrow or W"},
        {"Reverse", "Down arrow or S"},
        {"Turn left", "Left arrow or A"},
        {"Turn right", "Right arrow or D"},
        {"Aim", "Mouse"},
        {"Fire", "Left mouse button"},
        {"Drop device", "Right mouse button"},
        {"Debug console", "The key left of 1"},
        {"Pause", "Esc, P or Pause"},
        {"Leave the game", "Hold Esc"},
        {"Full screen or window", "Alt+Enter"},
    };
    return list;
}

void ReleaseMenus() {
    g_menus = Built{};
}
