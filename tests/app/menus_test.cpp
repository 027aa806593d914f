// The menus through the real frame loop with scripted mouse and keyboard
// input: the screens, the options, the match setup, whole matches started
// from the menus and their results.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/console.h"
#include "app/console_message.h"
#include "app/controls.h"
#include "app/match.h"
#include "app/menus.h"
#include "app/pause.h"
#include "app/player.h"
#include "app/replay.h"
#include "app/user_folders.h"
#include "arena/arena_loader.h"
#include "engine/audio.h"
#include "engine/clock.h"
#include "engine/filesystem.h"
#include "engine/font.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/kit.h"
#include "objects/live_objects.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "tests/app/match_fixture.h"
#include "tests/support/virtual_pad.h"

namespace {

struct Box {
    int x = 0, y = 0, w = 0, h = 0;
    int CentreX() const { return x + w / 2; }
    int CentreY() const { return y + h / 2; }
};

class MenusTest : public MatchTest {
protected:
    bool StartMenus() {
        StartOptions start;
        start.has_seed = true;
        start.seed = 3;
        return StartUp(start);
    }

    /// A gadget of the menus by name, from whichever panel holds it.
    template <typename T = kit_TGadget>
    std::shared_ptr<T> Find(const std::string& name) {
        for (const MenuPanelDef& p : MenuPanels()) {
            if (const auto panel = kit_FindPanel(p.name)) {
                if (auto g = kit_FindGadget(name, panel)) return std::dynamic_pointer_cast<T>(g);
            }
        }
        return nullptr;
    }
    /// Where a gadget of the menus is on the screen.
    Box Where(const std::string& name) {
        const auto g = Find(name);
        EXPECT_TRUE(g) << name;
        if (!g) return {};
        Box b{static_cast<int>(g->X), static_cast<int>(g->Y), static_cast<int>(g->W),
              static_cast<int>(g->H)};
        for (auto parent = g->Parent.lock(); parent; parent = parent->Parent.lock()) {
            b.x += static_cast<int>(parent->X);
            b.y += static_cast<int>(parent->Y);
        }
        return b;
    }

    void Click(int x, int y) {
        MoveMouse(x, y);
        Frames(1);
        Button(SDL_BUTTON_LEFT, true, x, y);
        Frames(2);
        Button(SDL_BUTTON_LEFT, false, x, y);
        Frames(2);
    }
    void ClickOn(const std::string& name) {
        const Box b = Where(name);
        Click(b.CentreX(), b.CentreY());
    }
    /// A touchpad tap: the pointer's move, the press and the release all
    /// arrive before one frame.
    void TapOn(const std::string& name) {
        const Box b = Where(name);
        MoveMouse(b.CentreX(), b.CentreY());
        Button(SDL_BUTTON_LEFT, true, b.CentreX(), b.CentreY());
        Button(SDL_BUTTON_LEFT, false, b.CentreX(), b.CentreY());
        Frames(2);
    }
    std::string SetupMessage() {
        const auto l = Find<kit_TLabel>("setup message");
        return l ? l->GetText() : "(none)";
    }
    /// Opens a combo box and clicks the entry in the given row of its menu.
    void Choose(const std::string& combo, int row) {
        ClickOn(combo);
        const auto box = Find<kit_TComboBox>(combo);
        ASSERT_TRUE(box);
        ASSERT_EQ(box->Menu->Hidden, 0) << combo << " did not open";
        Click(static_cast<int>(box->Menu->X) + 30, static_cast<int>(box->Menu->Y) + 14 + 20 * row);
        ASSERT_EQ(box->GetSelectedIndex(), row) << combo;
    }
    void Choose(const std::string& combo, const std::string& item) {
        const auto box = Find<kit_TComboBox>(combo);
        ASSERT_TRUE(box);
        for (int i = 0; i < box->ItemCount(); ++i) {
            if (box->ItemText(i) == item) return Choose(combo, i);
        }
        FAIL() << item << " is not in " << combo;
    }
    void Press(SDL_Scancode key) {
        Key(key, true);
        Frames(1);
        Key(key, false);
        Frames(1);
    }
    /// Clicks into a text field, selects all its text, types over it and
    /// presses Enter (which gives the mouse back to the other gadgets).
    void Retype(const std::string& field, const std::string& text) {
        ClickOn(field);
        Press(SDL_SCANCODE_END);
        Key(SDL_SCANCODE_LSHIFT, true);
        Press(SDL_SCANCODE_HOME);
        Key(SDL_SCANCODE_LSHIFT, false);
        Press(SDL_SCANCODE_BACKSPACE);
        Type(text);
        Frames(2);
        Press(SDL_SCANCODE_RETURN);
        const auto t = Find<kit_TTextField>(field);
        ASSERT_TRUE(t);
        ASSERT_EQ(t->GetText(), text);
        ASSERT_EQ(t->Focused, 0);
    }
    /// Clicks into a text field and types at the end of its text; the field
    /// keeps the keyboard.
    std::shared_ptr<kit_TTextField> TypeAtEnd(const std::string& field, const std::string& text) {
        ClickOn(field);
        const auto t = Find<kit_TTextField>(field);
        EXPECT_TRUE(t && t->Focused == 1) << field << " took no focus";
        Press(SDL_SCANCODE_END);
        Type(text);
        Frames(2);
        return t;
    }
    /// Clicks the track of a slider near one end: one step down or up.
    void StepSlider(const std::string& slider, int steps) {
        const Box b = Where(slider);
        for (int i = 0; i < std::abs(steps); ++i) {
            Click(steps < 0 ? b.x + 2 : b.x + b.w - 3, b.CentreY());
        }
    }
    int SliderValue(const std::string& slider) { return Find<kit_TSlider>(slider)->GetValue(); }
    std::string Screen() const { return kit_CurrentScreenName(); }
    /// Clicks a cell of the "Controls" table.
    void ClickControl(int row, int column) {
        const Box t = Where("Controls Table");
        const int widths[] = {150, 104, 104, 104, 104};
        int x = t.x;
        for (int c = 0; c < column; ++c) x += widths[c] + 3;
        Click(x + widths[column] / 2, t.y + 20 + row * 20 + 9);
    }
    std::string Control(int row, int column) {
        return Find<kit_TTable>("Controls Table")->CellText(row, column);
    }

    void SavePicture(const std::string& name) {
        const std::string path = std::string(MATCH_SHOTS_DIR) + "/" + name;
        SetBeforeFlipHook([](void* user) { gfx_save_png(*static_cast<const std::string*>(user)); },
                          const_cast<std::string*>(&path));
        RunFrame();
        SetBeforeFlipHook(nullptr, nullptr);
    }
};

std::string Config() {
    return test_support::ReadFile("config.cfg");
}

bool ConfigHas(const std::string& line) {
    return Config().find(line + "\r\n") != std::string::npos;
}

TEST_F(MenusTest, EveryGadgetOfTheTablesIsBuiltOnItsPanel) {
    ASSERT_TRUE(StartMenus());
    EXPECT_EQ(Screen(), "Main Menu");
    int gadgets = 0;
    for (const MenuPanelDef& panel : MenuPanels()) {
        const auto p = kit_FindPanel(panel.name);
        ASSERT_TRUE(p) << panel.name;
        for (const MenuGadgetDef& g : panel.gadgets) {
            EXPECT_TRUE(kit_FindGadget(g.name, p)) << panel.name << " / " << g.name;
            ++gadgets;
        }
    }
    EXPECT_EQ(gadgets, 3 + 13 + 31 + 5 + 4 + 4);
    EXPECT_EQ(Where("quitB").x, 1024 - 105) << "measured from the right edge";
    EXPECT_EQ(kit_FindPanel("Match Setup Panel")->W, 1024 - 200);
}

// The Default font's text of every label and check box ends before the
// gadget to its right on the same panel begins.
TEST_F(MenusTest, NoLabelRunsIntoTheGadgetBesideIt) {
    ASSERT_TRUE(StartMenus());
    gfx_set_font(kit_GetFont("Default"));
    const int line = gfx_text_height();
    int checked = 0;
    for (const MenuPanelDef& panel : MenuPanels()) {
        for (const MenuGadgetDef& text : panel.gadgets) {
            if (text.kind != MenuGadget::Label && text.kind != MenuGadget::CheckBox) continue;
            const Box t = Where(text.name);
            // A check box's caption starts after its box.
            const int left =
                text.kind == MenuGadget::CheckBox ? t.x + t.w - gfx_text_width(text.caption) : t.x;
            const int right = left + gfx_text_width(text.caption);
            for (const MenuGadgetDef& other : panel.gadgets) {
                if (&other == &text) continue;
                const Box o = Where(other.name);
                const bool beside = o.x >= t.x && o.y < t.y + line && o.y + o.h > t.y;
                if (!beside) continue;
                ++checked;
                EXPECT_LT(right, o.x) << "\"" << text.caption << "\" runs into " << other.name;
            }
        }
    }
    EXPECT_GE(checked, 8) << "every limit label, the options labels and the setup titles";
    gfx_set_font(nullptr);
}

// Nothing resets the drawing state between frames: every frame of a match
// leaves it as it found it, and the menus after the match come out as
// before it.
TEST_F(MenusTest, AMatchLeavesTheDrawingStateAsItFoundIt) {
    ASSERT_TRUE(StartMenus());
    struct Capture {
        std::vector<std::uint32_t> pixels;
    } before, after;
    auto grab = [](void* user) {
        static_cast<Capture*>(user)->pixels = gfx_read_pixels(0, 0, 1024, 768);
    };
    SetBeforeFlipHook(grab, &before);
    RunFrame();
    SetBeforeFlipHook(nullptr, nullptr);
    const GfxState state = gfx_get_state();
    MatchSetup match;
    match.Arena = "yard.arn";
    match.AIStyle = {3, 3, 0, 0, 0};
    match.GameType = 1;
    match.Spectate = true;
    ASSERT_TRUE(StartMatch(match));
    App().GameState = kStateMatch;
    for (int frame = 0; frame < 240; ++frame) {
        RunFrame();
        ASSERT_TRUE(gfx_get_state() == state) << "frame " << frame;
    }
    QuitMatch();
    SetBeforeFlipHook(grab, &after);
    RunFrame();
    SetBeforeFlipHook(nullptr, nullptr);
    ASSERT_EQ(before.pixels.size(), 1024u * 768u);
    EXPECT_TRUE(before.pixels == after.pixels);
}

TEST_F(MenusTest, InstantBattleLeadsToTheMatchSetupWithItsStartUpChoices) {
    ASSERT_TRUE(StartMenus());
    SavePicture("menu_main.png");
    TapOn("startBattleB");
    EXPECT_EQ(Screen(), "Match Setup") << "a tap is a click";
    SavePicture("menu_setup.png");

    // Nothing chosen yet: "Start Match" says what is missing.
    EXPECT_EQ(SetupMessage(), "");
    ClickOn("startMatchB");
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_EQ(Screen(), "Match Setup");
    EXPECT_EQ(SetupMessage(), "Choose a map and a vehicle first.");

    const MatchSetup defaults = MenuMatchSetup();
    EXPECT_EQ(defaults.GameType, 0) << "Deathmatch is chosen at start-up";
    EXPECT_EQ(defaults.Team, 5) << "N/A";
    EXPECT_EQ(defaults.AITeam, (std::array<int, 5>{5, 5, 5, 5, 5}));
    EXPECT_EQ(defaults.AIStyle, (std::array<int, 5>{}));
    EXPECT_EQ(defaults.ScoreLimit, 5);
    EXPECT_EQ(defaults.TimeLimitMinutes, 5);
    EXPECT_EQ(defaults.RespawnPenalty, 250);
    EXPECT_EQ(Find<kit_TComboBox>("mapcombo")->ItemCount(), 4) << "the shipped arenas";

    // A map and a vehicle but no game type is not enough either.
    Choose("mapcombo", 0);
    Choose("vehiclecombo", 0);
    Find<kit_TComboBox>("gametypecombo")->Menu->Select(-1);
    ClickOn("startMatchB");
    EXPECT_EQ(App().GameState, kStateMenus);
}

// The whole round: setup by mouse and keyboard, a one-minute match on the
// virtual clock, the sorted results, back to the main menu.
TEST_F(MenusTest, AOneMinuteMatchFromTheMenusEndsOnItsClockWithSortedResults) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    ASSERT_EQ(Screen(), "Match Setup");
    Choose("gametypecombo", "Deathmatch");
    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", "Flash");
    Choose("a1combo", "AI - Offensive");
    Choose("a2combo", "AI - Moderate");
    Choose("a2teamcombo", "2");
    Retype("score limit edit", "99");
    Retype("time limit edit", "1");
    // The menus idle a while: the match clock must not count that.
    Frames(200);

    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch);
    ASSERT_EQ(AI::List.Count(), 2);
    EXPECT_EQ(AI::List.Items()[0]->Style, 3);
    EXPECT_EQ(AI::List.Items()[1]->Style, 2);
    EXPECT_EQ(AI::List.Items()[1]->Team, 2);
    ASSERT_TRUE(TheMatch().HumanPlayer);
    EXPECT_EQ(TheMatch().HumanPlayer->myVehicle->Class(), ModelClass(3)) << "the Flash";
    EXPECT_EQ(TheMatch().TimeLeft, 60);
    EXPECT_EQ(TheMatch().ScoreLimit, 99);

    // The scores as they stand before each frame; the end test runs first
    // in a frame, so the last of these are the final scores.
    std::vector<ResultRow> standing;
    // The click's last two frames were the match's first two.
    int frames = 2;
    while (App().GameState == kStateMatch && frames < 4000) {
        standing.clear();
        AI::List.Walk([&](AI& ai) {
            standing.push_back({ai.Name, ai.Points, ai.Deaths, ai.Points, ai.Team, false});
        });
        const Player& p = *TheMatch().HumanPlayer;
        standing.push_back({p.Name, p.Points, p.Deaths, p.Points, p.Team, true});
        RunFrame();
        ++frames;
    }
    // 60 seconds of 1/60 s frames, then the frame that sees the clock out.
    EXPECT_GE(frames, 3600);
    EXPECT_LE(frames, 3602);
    ASSERT_EQ(Screen(), "Match Results");
    EXPECT_EQ(LiveObjectTotal(), 0);

    std::stable_sort(standing.begin(), standing.end(),
                     [](const ResultRow& a, const ResultRow& b) { return a.Points > b.Points; });
    const auto table = Find<kit_TTable>("Match Results");
    ASSERT_TRUE(table);
    ASSERT_EQ(table->RowCount(), 3);
    for (int r = 0; r < 3; ++r) {
        const ResultRow& want = standing[static_cast<std::size_t>(r)];
        EXPECT_EQ(table->CellText(r, 0), want.Name);
        EXPECT_EQ(table->CellText(r, 1), std::to_string(want.Points));
        EXPECT_EQ(table->CellText(r, 2), std::to_string(want.Deaths));
        EXPECT_EQ(table->CellText(r, 3), std::to_string(want.Points));
        if (r > 0) {
            EXPECT_GE(std::stoi(table->CellText(r - 1, 3)), std::stoi(table->CellText(r, 3)));
        }
        if (want.Human) {
            EXPECT_EQ(table->GetSelectedIndex(), r) << "the player's row is marked";
        }
    }
    // The headline names the winner and says why the match ended.
    EXPECT_EQ(Find<kit_TLabel>("results headline")->GetText(), WinnerText(standing));
    EXPECT_EQ(Find<kit_TLabel>("results reason")->GetText(), "Time limit of 1:00 reached");
    const int marked = table->GetSelectedIndex();
    ASSERT_GE(marked, 0);
    const int other = marked == 0 ? 1 : 0;
    Click(Where("Match Results").x + 20, Where("Match Results").y + (other + 1) * 20 + 10);
    EXPECT_EQ(table->GetSelectedIndex(), marked) << "a click on a row leaves the player's marked";
    SavePicture("menu_results.png");

    // "Save Replay" writes the match just played beside the configuration.
    ClickOn("saveReplayB");
    const std::string saved = Find<kit_TLabel>("replay message")->GetText();
    ASSERT_EQ(saved.rfind("Saved as replay-", 0), 0u) << saved;
    Replay replay;
    std::string error;
    ASSERT_TRUE(LoadReplayFile(saved.substr(9), &replay, &error)) << error;
    EXPECT_EQ(replay.Setup.Arena, "yard.arn");
    EXPECT_EQ(replay.Setup.TimeLimitMinutes, 1);
    EXPECT_EQ(replay.Checkpoints.size(), 3600u / kReplayCheckpoint);
    ClickOn("saveReplayB");
    EXPECT_NE(Find<kit_TLabel>("replay message")->GetText(), saved) << "a second file";

    ClickOn("continueMatchB");
    EXPECT_EQ(Screen(), "Main Menu");
    EXPECT_EQ(table->RowCount(), 0);

    // The setup is kept for the next visit.
    ClickOn("startBattleB");
    EXPECT_EQ(MenuMatchSetup().TimeLimitMinutes, 1);
    EXPECT_EQ(MenuMatchSetup().Arena, "yard.arn");
}

TEST_F(MenusTest, ApplyWritesTheOptionsAndDefaultsAloneWritesNothing) {
    ASSERT_TRUE(StartMenus());
    ClickOn("optionsB");
    ASSERT_EQ(Screen(), "Options Menu");
    EXPECT_EQ(SliderValue("gfx slider"), 2) << "3 from the file, held to the slider's range";
    EXPECT_EQ(SliderValue("sfx slider"), 5);
    EXPECT_EQ(SliderValue("music slider"), 9) << "10 from the file, held to 9";
    EXPECT_EQ(Find<kit_TTextField>("playerName")->GetText(), "Crashmoor Newbie");
    SavePicture("menu_options.png");

    StepSlider("gfx slider", -1);
    StepSlider("sfx slider", +2);
    StepSlider("music slider", -3);
    Retype("playerName", "Moor Wrangler");
    EXPECT_EQ(SliderValue("gfx slider"), 1);
    EXPECT_EQ(SliderValue("sfx slider"), 7);
    EXPECT_EQ(SliderValue("music slider"), 6);
    EXPECT_FALSE(ConfigHas("Sound Volume = 7")) << "nothing is written before Apply";

    // "Full Screen" applies and is saved at once; "Show FPS" with Apply.
    EXPECT_EQ(Find<kit_TCheckBox>("fullscreen check")->IsChecked(), 1) << "full screen by default";
    EXPECT_EQ(Find<kit_TCheckBox>("fps check")->IsChecked(), 0);
    ClickOn("fullscreen check");
    EXPECT_TRUE(ConfigHas("Full Screen = 0"));
    EXPECT_EQ(gfx_fullscreen(), 0);
    ClickOn("fullscreen check");
    EXPECT_TRUE(ConfigHas("Full Screen = 1"));
    EXPECT_EQ(gfx_fullscreen(), 1) << "the window goes full screen at once";
    ClickOn("fullscreen check");
    ClickOn("fps check");
    EXPECT_FALSE(ConfigHas("Show FPS = 1"));
    EXPECT_FALSE(App().ShowFPS);

    ClickOn("saveOptionsB");
    EXPECT_TRUE(ConfigHas("Show FPS = 1"));
    EXPECT_TRUE(App().ShowFPS);
    EXPECT_TRUE(ConfigHas("Graphics Quality = 1"));
    EXPECT_TRUE(ConfigHas("Sound Volume = 7"));
    EXPECT_TRUE(ConfigHas("Music Volume = 6"));
    EXPECT_TRUE(ConfigHas("Player Name = Moor Wrangler"));
    EXPECT_EQ(App().GraphicsQuality, 1) << "the detail level applies at once";
    EXPECT_DOUBLE_EQ(chan_get_volume(App().EffectChannels[kSfxMachineGun]), 0.7);
    EXPECT_DOUBLE_EQ(chan_get_volume(App().MusicChannel), 0.6) << "and so do the volumes";

    // "Defaults" changes the gadgets only; leaving the screen keeps the file.
    const std::string applied = Config();
    ClickOn("defaultOptionsB");
    EXPECT_EQ(SliderValue("gfx slider"), 2);
    EXPECT_EQ(SliderValue("sfx slider"), 5);
    EXPECT_EQ(SliderValue("music slider"), 9);
    EXPECT_EQ(Find<kit_TTextField>("playerName")->GetText(), "Crashmoor Newbie");
    EXPECT_EQ(Find<kit_TCheckBox>("fps check")->IsChecked(), 0);
    ClickOn("startBattleB");
    EXPECT_EQ(Config(), applied);

    // "Controls" lists every control and leads back to the options.
    ClickOn("optionsB");
    EXPECT_EQ(Find<kit_TCheckBox>("fullscreen check")->IsChecked(), 0) << "as saved";
    EXPECT_EQ(Find<kit_TCheckBox>("fps check")->IsChecked(), 1);
    ClickOn("controlsB");
    ASSERT_EQ(Screen(), "Controls");
    const auto controls = Find<kit_TTable>("Controls Table");
    ASSERT_TRUE(controls);
    ASSERT_EQ(controls->RowCount(), static_cast<int>(ControlsRows().size()));
    EXPECT_EQ(controls->CellText(7, 0), "Pause");
    EXPECT_EQ(controls->CellText(7, 1), "P");
    SavePicture("menu_controls.png");
    ClickOn("controlsBackB");
    EXPECT_EQ(Screen(), "Options Menu");

    // "Game Options" again reloads from the file, also while it is shown.
    ClickOn("optionsB");
    EXPECT_EQ(SliderValue("sfx slider"), 7);
    StepSlider("sfx slider", -4);
    ClickOn("optionsB");
    EXPECT_EQ(Screen(), "Options Menu");
    EXPECT_EQ(SliderValue("sfx slider"), 7) << "unapplied changes are discarded";
    EXPECT_EQ(Find<kit_TTextField>("playerName")->GetText(), "Moor Wrangler");

    // A file that cannot be written: the level chosen still applies, as
    // chosen (not the default read back instead).
    std::filesystem::remove("config.cfg");
    std::filesystem::create_directory("config.cfg");
    StepSlider("gfx slider", -1);
    ClickOn("saveOptionsB");
    EXPECT_EQ(App().GraphicsQuality, 0);
    std::filesystem::remove("config.cfg");
    test_support::WriteFile("config.cfg", applied);

    // The next match's driver carries the applied name.
    ClickOn("startBattleB");
    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", 0);
    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch);
    EXPECT_EQ(TheMatch().HumanPlayer->Name, "Moor Wrangler");
}

// After typing, the first click anywhere else acts, also on another panel:
// the top bar's buttons and "Start Match" work at once, and the field lets
// go of the keyboard.
TEST_F(MenusTest, AfterTypingTheFirstClickElsewhereActs) {
    ASSERT_TRUE(StartMenus());
    ClickOn("optionsB");
    const auto name = TypeAtEnd("playerName", "!");
    ClickOn("startBattleB");
    EXPECT_EQ(Screen(), "Match Setup");
    EXPECT_EQ(name->Focused, 0);
    EXPECT_EQ(name->GetText(), "Crashmoor Newbie!");
    Type("?");
    Frames(2);
    EXPECT_EQ(name->GetText(), "Crashmoor Newbie!") << "no more typing into the field";

    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", 0);
    TypeAtEnd("penalty edit", "0");
    ClickOn("optionsB");
    EXPECT_EQ(Screen(), "Options Menu");
    SavePicture("menu_options_after_typing.png");
    ClickOn("startBattleB");
    SavePicture("menu_setup_after_typing.png");
    ClickOn("penalty edit");
    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch) << "Start Match works at the first click";
    EXPECT_EQ(TheMatch().RespawnPenalty, 2500);
}

TEST_F(MenusTest, SaveMatchThenDefaultMatchRestoresTheSetup) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    // Nothing saved yet: every key reads -2 and changes nothing.
    ClickOn("defaultMatchB");
    EXPECT_EQ(MenuMatchSetup().GameType, 0);
    EXPECT_EQ(Find<kit_TComboBox>("mapcombo")->GetSelectedIndex(), -1);

    // No map chosen: "MapDefault" is saved as 0.
    Choose("gametypecombo", "Big Dog");
    Choose("vehiclecombo", "Tanker");
    Choose("playerteamcombo", "1");
    Choose("a1combo", "AI - Weakling");
    Choose("a1teamcombo", "2");
    Choose("a3combo", "No AI");
    ClickOn("saveDefaultMatchB");
    EXPECT_TRUE(ConfigHas("MapDefault = 0"));
    EXPECT_TRUE(ConfigHas("MatchTypeDefault = 2"));
    EXPECT_TRUE(ConfigHas("PlayerVehicleDefault = 5"));
    EXPECT_TRUE(ConfigHas("PlayerTeamDefault = 1"));
    EXPECT_TRUE(ConfigHas("AI1Default = 1"));
    EXPECT_TRUE(ConfigHas("AI1TeamDefault = 2"));
    EXPECT_TRUE(ConfigHas("AI2Default = 0"));
    EXPECT_TRUE(ConfigHas("AI2TeamDefault = 5"));
    EXPECT_TRUE(ConfigHas("AI3Default = 4"));

    // Change everything, then restore: the map keeps its new choice.
    Choose("mapcombo", 2);
    Choose("gametypecombo", "Deathmatch");
    Choose("vehiclecombo", "Samurai");
    Choose("playerteamcombo", "N/A");
    Choose("a1combo", "AI - Offensive");
    Choose("a1teamcombo", "N/A");
    Choose("a2combo", "AI - Moderate");
    ClickOn("defaultMatchB");
    const MatchSetup s = MenuMatchSetup();
    EXPECT_EQ(s.Arena, Find<kit_TComboBox>("mapcombo")->ItemText(2));
    EXPECT_EQ(s.GameType, 1);
    EXPECT_EQ(s.Vehicle, 5);
    EXPECT_EQ(s.Team, 1);
    EXPECT_EQ(s.AIStyle[0], 1);
    EXPECT_EQ(s.AITeam[0], 2);
    EXPECT_EQ(s.AIStyle[1], 2) << "a slot saved empty keeps its current choice";
    EXPECT_EQ(s.AIStyle[2], 0) << "No AI";

    // Saved with a map: it comes back by its name.
    ClickOn("saveDefaultMatchB");
    const std::string map = Find<kit_TComboBox>("mapcombo")->ItemText(2);
    EXPECT_TRUE(ConfigHas("MapDefault = " + map));
    Choose("mapcombo", 0);
    ClickOn("defaultMatchB");
    EXPECT_EQ(Find<kit_TComboBox>("mapcombo")->GetSelectedText(), map);
}

TEST_F(MenusTest, LimitsOfZeroEndTheMatchOnItsFirstFrameAlone) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", 0);
    for (const char* slot : {"a1combo", "a2combo", "a3combo", "a4combo", "a5combo"}) {
        Choose(slot, "No AI");
    }
    Choose("gametypecombo", "Big Dog");
    Retype("score limit edit", "0");

    // The button is released in the second of the click's last two frames:
    // the match starts there, its first frame ends it.
    ClickOn("startMatchB");
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_EQ(Screen(), "Match Results");
    ASSERT_EQ(LastResults().size(), 1u) << "the human alone";
    EXPECT_EQ(LastResults()[0].Name, "Crashmoor Newbie");
    EXPECT_EQ(Find<kit_TLabel>("results reason")->GetText(), "Score limit of 0 reached");
    EXPECT_EQ(Find<kit_TLabel>("results headline")->GetText(), "Crashmoor Newbie wins!");

    // A time limit of 0 (here a text that is no number) does the same. The
    // results screen is left through the top bar, not "Continue": the next
    // results show that match's rows alone.
    ClickOn("startBattleB");
    Retype("score limit edit", "5");
    Retype("time limit edit", "x");
    ClickOn("startMatchB");
    EXPECT_EQ(Screen(), "Match Results");
    EXPECT_EQ(Find<kit_TTable>("Match Results")->RowCount(), 1);
    EXPECT_EQ(LiveObjectTotal(), 0);
    ClickOn("continueMatchB");

    // Typed limits are held to what a match can hold; a negative penalty is
    // none.
    ClickOn("startBattleB");
    Retype("time limit edit", "99999999999");
    Retype("penalty edit", "-2147483648");
    Retype("score limit edit", "-3");
    const MatchSetup typed = MenuMatchSetup();
    EXPECT_EQ(typed.TimeLimitMinutes, kMatchLimitMax);
    EXPECT_EQ(typed.RespawnPenalty, 0);
    EXPECT_EQ(typed.ScoreLimit, 0);
    Retype("score limit edit", "5");
    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch);
    EXPECT_EQ(TheMatch().TimeLeft, kMatchLimitMax * 60);
    EXPECT_EQ(TheMatch().RespawnPenalty, 0);
}

TEST_F(MenusTest, AnArenaThatFailsToLoadLeavesTheSetupUp) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", 0);
    // The arenas go away between the listing and the start (the folder is
    // a link to the shipped one: only the link is removed).
    ASSERT_TRUE(std::filesystem::is_symlink("Arenas"));
    std::filesystem::remove("Arenas");
    std::filesystem::create_directory("Arenas");
    ClickOn("startMatchB");
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_EQ(Screen(), "Match Setup");
    EXPECT_NE(test_support::ReadFile("debug_console_report.txt").find("yard.arn"),
              std::string::npos)
        << "the console says which arena failed";
    EXPECT_NE(SetupMessage().find("yard.arn"), std::string::npos) << "and so does the screen";
    EXPECT_EQ(LiveObjectTotal(), 0);
}

TEST_F(MenusTest, ExitGameEndsTheRunWithTheReportClosedAndTheConfigurationWhole) {
    ASSERT_TRUE(StartMenus());
    ClickOn("optionsB");
    StepSlider("sfx slider", +1);
    ClickOn("saveOptionsB");
    const std::string before = Config();
    ASSERT_NE(before.find("Sound Volume = 6"), std::string::npos);

    ConsoleMessage::Create("Last words", kConsoleWhite);
    const Box quit = Where("quitB");
    MoveMouse(quit.CentreX(), quit.CentreY());
    Frames(1);
    Button(SDL_BUTTON_LEFT, true, quit.CentreX(), quit.CentreY());
    Frames(2);
    Button(SDL_BUTTON_LEFT, false, quit.CentreX(), quit.CentreY());
    bool go_on = true;
    for (int i = 0; i < 3 && go_on; ++i) go_on = RunFrame();
    EXPECT_FALSE(go_on) << "Exit Game ends the frame loop";
    ShutDown();
    EXPECT_EQ(Config(), before);
    EXPECT_FALSE(std::filesystem::exists("config.cfg.tmp"));
    const std::string report = test_support::ReadFile("debug_console_report.txt");
    EXPECT_NE(report.find("Last words"), std::string::npos) << "the report reached the disk";
}

TEST_F(MenusTest, EscapeHeldDuringAMatchEndsTheRunWithTheConfigurationWhole) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    Choose("mapcombo", "dust.arn");
    Choose("vehiclecombo", 1);
    Choose("a1combo", "AI - Offensive");
    ClickOn("saveDefaultMatchB");
    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch);
    const std::string before = Config();
    ASSERT_NE(before.find("MapDefault = dust.arn"), std::string::npos);
    Frames(30);
    ConsoleMessage::Create("Last words", kConsoleWhite);
    Key(SDL_SCANCODE_ESCAPE, true);
    int frames = 1;
    while (RunFrame() && frames < 100) ++frames;
    EXPECT_EQ(frames, 43) << "held for 0.7 s";
    EXPECT_TRUE(MatchPaused()) << "the press paused the match first";
    ShutDown();
    EXPECT_EQ(Config(), before);
    EXPECT_NE(test_support::ReadFile("debug_console_report.txt").find("Last words"),
              std::string::npos)
        << "the report is closed whole";
    EXPECT_EQ(LiveObjectTotal(), 0);
}

// Everything of a match that moves: the cars, the drivers' scores, the
// shots, the clocks.
std::string MatchState() {
    std::string state =
        std::to_string(TheMatch().TimeLeft) + " " + std::to_string(game_millisecs()) + " shots " +
        std::to_string(Shot::List.Count()) + " live " + std::to_string(LiveObjectTotal());
    char line[160];
    Vehicle::List.Walk([&](Vehicle& v) {
        std::snprintf(line, sizeof line, " | %.5f %.5f %.5f %.3f", v.X, v.Y, v.Angle, v.Health);
        state += line;
    });
    for (const auto& driver : TheMatch().DriverList) {
        state += " " + std::to_string(driver->Points) + "/" + std::to_string(driver->Deaths);
    }
    return state;
}

// P pauses the match after the frame it was pressed in: for 600 frames
// nothing moves, not even the clocks, and the match then goes on exactly as
// the same match played without a pause.
TEST_F(MenusTest, APausedMatchStandsStillAndResumesExactlyWhereItStood) {
    setup.AIStyle = {3, 3, 2, 0, 0};
    setup.ScoreLimit = 99;
    auto play = [&](bool pause) {
        // Frames of 1/64 s are exact in binary: the virtual clock then
        // reads the same milliseconds however many frames it skipped.
        clock_set_fixed_step(1 / 64.0);
        EXPECT_TRUE(Start("yard.arn"));
        Frames(90);
        if (pause) Key(SDL_SCANCODE_P, true);
        RunFrame();
        if (pause) {
            Key(SDL_SCANCODE_P, false);
            EXPECT_TRUE(MatchPaused());
            EXPECT_EQ(Screen(), "Paused");
            const std::string held = MatchState();
            // The pause holds the clock for 600 frames, this one's end
            // included; 600 frames of 1/64 s are whole milliseconds, so the
            // virtual clock's 15/16 ms steps line up again after it.
            Frames(599);
            EXPECT_EQ(MatchState(), held) << "a paused match moves nothing";
            EXPECT_TRUE(MatchPaused());
            Key(SDL_SCANCODE_P, true);
            RunFrame();
            Key(SDL_SCANCODE_P, false);
            EXPECT_FALSE(MatchPaused());
            EXPECT_EQ(Screen(), "Main Menu") << "the screen from before the pause";
        }
        std::vector<std::string> states;
        for (int i = 0; i < 150; ++i) {
            RunFrame();
            states.push_back(MatchState());
        }
        ShutDown();
        return states;
    };
    const std::vector<std::string> straight = play(false);
    const std::vector<std::string> paused = play(true);
    ASSERT_EQ(straight.size(), paused.size());
    EXPECT_NE(straight.front(), straight.back()) << "the match itself moves";
    for (std::size_t i = 0; i < straight.size(); ++i) {
        ASSERT_EQ(paused[i], straight[i]) << "frame " << i << " after the pause";
    }
}

// Escape taps, the focus lost and the overlay's buttons; the console keeps
// its P; "Quit Match" ends the match without results.
TEST_F(MenusTest, EscapeAndFocusLossPauseTheButtonsResumeOrQuit) {
    setup.AIStyle = {3, 0, 0, 0, 0};
    ASSERT_TRUE(Start("yard.arn"));
    Frames(30);
    auto tap = [&](SDL_Scancode key) {
        Key(key, true);
        Key(key, false);
        Frames(2);
    };
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_TRUE(MatchPaused());
    EXPECT_EQ(Screen(), "Paused");
    EXPECT_TRUE(game_clock_held());
    SavePicture("pause_overlay.png");
    tap(SDL_SCANCODE_ESCAPE);
    EXPECT_FALSE(MatchPaused());
    EXPECT_FALSE(game_clock_held());

    // With the console open, P is a letter.
    tap(SDL_SCANCODE_GRAVE);
    ASSERT_EQ(App().ConsoleOpen, 1);
    tap(SDL_SCANCODE_P);
    EXPECT_FALSE(MatchPaused());
    tap(SDL_SCANCODE_GRAVE);
    ASSERT_EQ(App().ConsoleOpen, 0);

    // The focus lost and back within one poll still pauses.
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
    SDL_PushEvent(&e);
    e.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
    SDL_PushEvent(&e);
    Frames(2);
    EXPECT_TRUE(MatchPaused());
    // A click outside the panel resumes, and is no shot.
    const int shots = Shot::List.Count();
    Click(60, 700);
    EXPECT_FALSE(MatchPaused());
    EXPECT_EQ(Car().Shoot, 0);
    EXPECT_EQ(Shot::List.Count(), shots);

    tap(SDL_SCANCODE_P);
    ASSERT_TRUE(MatchPaused());
    ClickOn("resumeB");
    EXPECT_FALSE(MatchPaused());

    tap(SDL_SCANCODE_P);
    ASSERT_TRUE(MatchPaused());
    ClickOn("quitMatchB");
    EXPECT_FALSE(MatchPaused());
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_EQ(Screen(), "Main Menu");
    EXPECT_EQ(LiveObjectTotal(), 0) << LiveObjectSummary();
    EXPECT_EQ(Find<kit_TTable>("Match Results")->RowCount(), 0) << "no results for a match quit";
    EXPECT_FALSE(game_clock_held());
    Frames(5);
    EXPECT_EQ(Screen(), "Main Menu");

    // The next match from the menus runs; "Exit Game" on its overlay ends
    // the run.
    ClickOn("startBattleB");
    Choose("mapcombo", "yard.arn");
    Choose("vehiclecombo", 0);
    ClickOn("startMatchB");
    ASSERT_EQ(App().GameState, kStateMatch);
    EXPECT_FALSE(MatchPaused());
    tap(SDL_SCANCODE_P);
    ASSERT_TRUE(MatchPaused());
    const Box exit = Where("exitGameB");
    MoveMouse(exit.CentreX(), exit.CentreY());
    Button(SDL_BUTTON_LEFT, true, exit.CentreX(), exit.CentreY());
    Frames(2);
    Button(SDL_BUTTON_LEFT, false, exit.CentreX(), exit.CentreY());
    bool go_on = true;
    for (int i = 0; i < 3 && go_on; ++i) go_on = RunFrame();
    EXPECT_FALSE(go_on) << "Exit Game ends the frame loop";
}

// A time limit counts seconds of the clock, not frames: at four frames a
// second a one-minute match lasts 240 frames.
class SlowFramesTest : public MenusTest {
protected:
    SlowFramesTest() { options.fixed_dt = 0.25; }
};

TEST_F(SlowFramesTest, TheTimeLimitEndsOnTheClockWhateverTheFrameRate) {
    setup.TimeLimitMinutes = 1;
    setup.ScoreLimit = 99;
    ASSERT_TRUE(Start("yard.arn"));
    int frames = 0;
    // The HUD's clock counts the time left down second by second.
    std::vector<std::string> clock{ClockText(TheMatch().TimeLeft)};
    while (App().GameState == kStateMatch && frames < 1000) {
        RunFrame();
        ++frames;
        if (ClockText(TheMatch().TimeLeft) != clock.back())
            clock.push_back(ClockText(TheMatch().TimeLeft));
    }
    // The 60th second passes in frame 241; the next frame's end test sees it.
    EXPECT_GE(frames, 241);
    EXPECT_LE(frames, 242);
    ASSERT_EQ(clock.size(), 61u);
    EXPECT_EQ(clock[0], "1:00");
    EXPECT_EQ(clock[1], "0:59");
    EXPECT_EQ(clock[51], "0:09");
    EXPECT_EQ(clock[60], "0:00");
    EXPECT_EQ(ClockText(-3), "0:00");
    EXPECT_EQ(ClockText(600), "10:00");
    EXPECT_EQ(ScoreText(3, 10), "Score: 3 / 10");
}

// Twenty matches in a row through the menus, without video: every match
// leaves nothing behind, and the heap does not grow from match to match.
class MenusSoakTest : public MenusTest {
protected:
    MenusSoakTest() { options.video = false; }
};

TEST_F(MenusSoakTest, TwentyMatchesInARowLeaveNothingBehind) {
    ASSERT_TRUE(StartMenus());
    ClickOn("startBattleB");
    Choose("vehiclecombo", "Rabbit");
    Choose("a1combo", "AI - Offensive");
    Choose("a2combo", "AI - Offensive");
    Choose("a3combo", "AI - Moderate");
    const int maps = Find<kit_TComboBox>("mapcombo")->ItemCount();
    ASSERT_GT(maps, 0);

    // Sprites are loaded on first use (a car type's first wreck, a weapon's
    // first pickup), which may come in any match: load them all first so
    // that the heap compares like with like.
    for (const std::string& name : fs_load_dir("sprites/")) {
        if (name.ends_with(".png")) LoadGameImage("sprites/" + name);
    }

    std::vector<long long> heap;
    for (int match = 0; match < 20; ++match) {
        Choose("mapcombo", match % maps);
        Choose("gametypecombo", match % 2);
        ClickOn("startMatchB");
        ASSERT_EQ(App().GameState, kStateMatch) << "match " << match;
        EXPECT_EQ(TheMatch().DriverList.size(), 4u);
        EXPECT_EQ(App().ConsoleOpen, 0);
        // Open the console now and then: the next match must start with it
        // closed.
        if (match % 3 == 1) Press(SDL_SCANCODE_GRAVE);
        Frames(300);
        if (App().GameState == kStateMatch) {
            TheMatch().TimeLeft = 0;
            Frames(1);
        }
        ASSERT_EQ(Screen(), "Match Results") << "match " << match;
        EXPECT_EQ(LiveObjectTotal(), 0) << "match " << match << ": " << LiveObjectSummary();
        EXPECT_EQ(Find<kit_TTable>("Match Results")->RowCount(), 4);
        ClickOn("continueMatchB");
        ASSERT_EQ(Screen(), "Main Menu");
        heap.push_back(HeapBytesInUse());
        ClickOn("startBattleB");
    }
    // Caches fill while the first round of arenas is played; a match that
    // leaves anything behind makes every later round grow. Measured at the
    // same point of the round (the same arena loaded), the last two rounds
    // stay within a few kilobytes.
    const std::size_t last = heap.size() - 1;
    const std::size_t two_rounds_before = last - static_cast<std::size_t>(2 * maps);
    EXPECT_LT(heap[last] - heap[two_rounds_before], 64 * 1024)
        << "the heap grows from match to match: " << heap[two_rounds_before] << " -> "
        << heap[last];
}

}  // namespace

// A pad in the menus: the stick moves the pointer, faster the longer it is
// held; A clicks; B leaves a text field, then backs out of the screen. On
// "Controls" a click on a cell and the next key, button or pad input rebind
// an action; an input bound elsewhere swaps; Escape gives up; "Defaults"
// puts today's keys back; the file keeps the bindings across a restart.
TEST_F(MenusTest, APadPointsClicksAndBacksOutAndTheControlsRebind) {
    ASSERT_TRUE(StartMenus());
    test_support::VirtualPad pad;
    ASSERT_TRUE(pad.ok()) << SDL_GetError();
    auto tap = [&](int button) {
        pad.Button(button, true);
        Frames(2);
        pad.Button(button, false);
        Frames(2);
    };
    MoveMouse(100, 300);
    Frames(2);
    pad.Stick(pad::kLeftX, 1.0);
    Frames(30);
    const int first = in_mouse_x() - 100;
    Frames(30);
    const int second = in_mouse_x() - 100 - first;
    pad.Stick(pad::kLeftX, 0.0);
    Frames(1);
    EXPECT_GT(first, 100);
    EXPECT_GT(second, first + first / 3) << "the pointer speeds up";
    EXPECT_EQ(in_mouse_y(), 300);

    const Box button = Where("optionsB");
    MoveMouse(button.CentreX(), button.CentreY());
    Frames(1);
    tap(pad::kA);
    ASSERT_EQ(Screen(), "Options Menu");
    ClickOn("playerName");
    ASSERT_TRUE(kit_GUI::GetFocusGadget());
    tap(pad::kB);
    EXPECT_FALSE(kit_GUI::GetFocusGadget()) << "B leaves the field";
    EXPECT_EQ(Screen(), "Options Menu");
    tap(pad::kB);
    EXPECT_EQ(Screen(), "Main Menu");

    ClickOn("optionsB");
    ClickOn("controlsB");
    ASSERT_EQ(Screen(), "Controls");
    ASSERT_EQ(Control(4, 0), "Fire");
    EXPECT_EQ(Control(4, 1), "Left Mouse");
    EXPECT_EQ(Control(0, 2), "W");
    EXPECT_EQ(Control(0, 4), "Left Stick Up");
    // Fire on F.
    ClickControl(4, 1);
    EXPECT_EQ(Control(4, 1), "Press...");
    SavePicture("menu_controls_waiting.png");
    Press(SDL_SCANCODE_F);
    EXPECT_EQ(Control(4, 1), "F");
    EXPECT_TRUE(ConfigHas("Control Fire = F, None, Right Trigger, None"));
    // S drives forward, and reversing takes Up in exchange.
    ClickControl(0, 1);
    Press(SDL_SCANCODE_S);
    EXPECT_TRUE(ConfigHas("Control Forward = S, W, D-Pad Up, Left Stick Up"));
    EXPECT_TRUE(ConfigHas("Control Back = Down, Up, D-Pad Down, Left Stick Down"));
    // A pad's place takes the pad's input, and A does not click meanwhile.
    ClickControl(7, 3);
    tap(pad::kA);
    EXPECT_EQ(Control(7, 3), "A");
    EXPECT_EQ(Screen(), "Controls");
    // Escape gives up, and so does a click elsewhere, which does nothing
    // else; a click on the waiting cell binds the left button.
    ClickControl(6, 1);
    Press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(Control(6, 1), "Left of 1");
    ClickControl(5, 2);
    ClickOn("controlsBackB");
    EXPECT_EQ(Screen(), "Controls");
    EXPECT_EQ(Control(5, 2), "");
    ClickControl(5, 2);
    ClickControl(5, 2);
    EXPECT_TRUE(
        ConfigHas("Control Drop Device = Right Mouse, Left Mouse, Left Trigger, Left Shoulder"));
    EXPECT_EQ(Control(5, 2), "Left Mouse") << "the binding click chose no new place";
    SavePicture("menu_controls_rebound.png");

    // The bindings come back from the file.
    ShutDown();
    ASSERT_TRUE(StartMenus());
    const Bindings kept = CurrentBindings();
    EXPECT_EQ(kept[static_cast<std::size_t>(Action::Fire)].inputs[0], 'F');
    EXPECT_EQ(kept[static_cast<std::size_t>(Action::Pause)].inputs[2], pad::kA);
    ClickOn("optionsB");
    ClickOn("controlsB");
    EXPECT_EQ(Control(4, 1), "F");
    ClickOn("controlsDefaultsB");
    EXPECT_TRUE(CurrentBindings() == DefaultBindings());
    EXPECT_EQ(Control(4, 1), "Left Mouse");
    EXPECT_TRUE(ConfigHas("Control Fire = Left Mouse, None, Right Trigger, None"));
    tap(pad::kB);
    EXPECT_EQ(Screen(), "Options Menu");
}

// The saved arena is kept by its name: an arena of the player's that comes
// before it in the list leaves the choice alone. An earlier version's number
// is read once, as the shipped arena at that place, and then kept by name.
TEST_F(MenusTest, TheSavedArenaIsKeptByNameAndAnOldNumberIsReadOnce) {
    const std::string user = dir / "user";
    std::filesystem::create_directories(user + "/Arenas");
    test_support::WriteFile(user + "/config.cfg", "MapDefault = 4\r\n");
    StartOptions start;
    start.user = UserFoldersIn(user);
    ASSERT_TRUE(StartUp(start));
    const std::string chosen = ListShippedArenas().at(3);
    ClickOn("startBattleB");
    ClickOn("defaultMatchB");
    const auto maps = Find<kit_TComboBox>("mapcombo");
    EXPECT_EQ(maps->GetSelectedText(), chosen);
    const std::string config = test_support::ReadFile(user + "/config.cfg");
    EXPECT_NE(config.find("MapDefault = " + chosen + "\r\n"), std::string::npos) << config;

    ShutDown();
    test_support::WriteFile(user + "/Arenas/aaa.arn", test_support::ReadFile("Arenas/yard.arn"));
    ASSERT_TRUE(StartUp(start));
    ClickOn("startBattleB");
    ClickOn("defaultMatchB");
    const auto again = Find<kit_TComboBox>("mapcombo");
    ASSERT_EQ(again->ItemCount(), 5);
    EXPECT_EQ(again->ItemText(0), "aaa.arn");
    EXPECT_EQ(again->GetSelectedText(), chosen);
}
