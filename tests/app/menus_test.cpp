// The menus through the real frame loop with scripted mouse input.

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/menus.h"
#include "engine/graphics.h"
#include "gui/kit.h"
#include "tests/app/match_fixture.h"

namespace {

class MenusTest : public MatchTest {
protected:
    bool StartMenus() {
        StartOptions start;
        start.has_seed = true;
        start.seed = 3;
        return StartUp(start);
    }
    void Click(int x, int y) {
        MoveMouse(x, y);
        Frames(1);
        Button(SDL_BUTTON_LEFT, true, x, y);
        Frames(2);
        Button(SDL_BUTTON_LEFT, false, x, y);
        Frames(2);
    }
    void SavePicture(const std::string& name) {
        const std::string path = std::string(MATCH_SHOTS_DIR) + "/" + name;
        SetBeforeFlipHook([](void* user) { gfx_save_png(*static_cast<const std::string*>(user)); },
                          const_cast<std::string*>(&path));
        RunFrame();
        SetBeforeFlipHook(nullptr, nullptr);
    }
};

TEST_F(MenusTest, EveryGadgetOfTheTablesIsBuiltOnItsPanel) {
    ASSERT_TRUE(StartMenus());
    EXPECT_EQ(kit_CurrentScreenName(), "Main Menu");
    int gadgets = 0;
    for (const MenuPanelSpec& panel : MenuPanels()) {
        const auto p = kit_FindPanel(panel.name);
        ASSERT_TRUE(p) << panel.name;
        for (const MenuGadgetSpec& g : panel.gadgets) {
            EXPECT_TRUE(kit_FindGadget(g.name, p)) << panel.name << " / " << g.name;
            ++gadgets;
        }
    }
    EXPECT_EQ(gadgets, 3 + 10 + 30 + 1);
}

TEST_F(MenusTest, InstantBattleLeadsToTheMatchSetupAndAMatchStartsFromIt) {
    ASSERT_TRUE(StartMenus());
    SavePicture("menu_main.png");
    Click(60, 117);  // "Instant Battle"
    EXPECT_EQ(kit_CurrentScreenName(), "Match Setup");
    SavePicture("menu_setup.png");

    // Nothing chosen yet: "Start Match" does nothing.
    Click(100 + 660 + 75, 200 + 60 + 12);
    EXPECT_EQ(App().GameState, kStateMenus);

    const MatchSetup defaults = MenuMatchSetup();
    EXPECT_EQ(defaults.GameType, 0) << "Deathmatch is chosen at start-up";
    EXPECT_EQ(defaults.Team, 5) << "N/A";
    EXPECT_EQ(defaults.AIStyle, (std::array<int, 5>{}));
    EXPECT_EQ(defaults.ScoreLimit, 5);
    EXPECT_EQ(defaults.TimeLimitMinutes, 5);
    EXPECT_EQ(defaults.RespawnPenalty, 250);
}

}  // namespace
