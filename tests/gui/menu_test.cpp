// Combo boxes and their drop-down menus, driven by synthetic mouse input.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/combo_box.h"
#include "gui/menu.h"
#include "gui/scroll_bar.h"
#include "gui/table.h"
#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;
using kit_test::SeenEvent;

// A 1024 x 768 kit with a full-screen panel holding the combo box
// "mapcombo" at (100, 100), 150 x 24, with five maps (data 10 to 14) and a
// menu of at most 200 pixels with 18-pixel rows.
class ComboTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        panel = FullScreenPanel();
        combo =
            kit_CreateComboBox("mapcombo", "Select a map", 100, 100, 150, 24, 150, 200, 18, panel);
        for (int i = 0; i < 5; ++i) combo->AddItem("Map " + std::to_string(i), 10 + i);
        kit_SetScreen("S");
        Drain();
    }
    /// Screen y of the middle of a visible menu row.
    int RowY(int row) const { return static_cast<int>(combo->Menu->Y) + 5 + 20 * row + 9; }

    std::shared_ptr<kit_TPanel> panel;
    std::shared_ptr<kit_TComboBox> combo;
};

TEST_F(ComboTest, ChoosingAnEntryInTheMenuSelectsAndReportsIt) {
    EXPECT_EQ(combo->GetSelectedText(), "");
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    EXPECT_EQ(combo->DisplayText, "Select a map") << "the prompt while nothing is selected";

    Click(150, 110);
    const auto& menu = combo->Menu;
    EXPECT_EQ(menu->Hidden, 0);
    EXPECT_EQ(menu->X, 100);
    EXPECT_EQ(menu->Y, 126) << "2 pixels below the box";
    EXPECT_EQ(menu->H, 5 * 20 + 8);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr) << "nobody holds the mouse once it is open";
    auto seen = Reports();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, kit_EventGadgetOpen);
    EXPECT_EQ(seen[0].source, "mapcombo:Menu");
    EXPECT_EQ(seen[1].id, kit_EventGadgetOpen);
    EXPECT_EQ(seen[1].source, "mapcombo");
    EXPECT_EQ(seen[1].data, 1);

    Click(150, RowY(3));
    EXPECT_EQ(menu->Hidden, 1);
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    EXPECT_EQ(combo->GetSelectedText(), "Map 3");
    EXPECT_EQ(combo->GetSelectedData(), 13);
    EXPECT_EQ(combo->DisplayText, "Map 3");
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    seen = Reports();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].id, kit_EventGadgetSelect);
    EXPECT_EQ(seen[0].source, "mapcombo");
    EXPECT_EQ(seen[0].data, 13);
    EXPECT_EQ(seen[0].y, 3);
    EXPECT_EQ(seen[1].id, kit_EventGadgetClose);
    EXPECT_EQ(seen[1].source, "mapcombo");
    EXPECT_EQ(seen[2].id, kit_EventGadgetClose);
    EXPECT_EQ(seen[2].source, "mapcombo:Menu");
    EXPECT_EQ(SelectSource(seen), "mapcombo") << "the table inside the menu reports nothing";
}

// A press on one entry and a release on another chooses the second, as on
// every desktop; a release off the list chooses nothing.
TEST_F(ComboTest, TheEntryUnderTheReleaseIsTheChoice) {
    Click(150, 110);
    Drain();
    Frame(150, RowY(1), true);
    Frame(150, RowY(3), true);
    Frame(150, RowY(3), false);
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    EXPECT_EQ(combo->Menu->Hidden, 1);
    auto seen = Reports();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(seen[0].source, "mapcombo");
    EXPECT_EQ(seen[0].y, 3);
    EXPECT_EQ(seen[0].data, 13);

    Click(150, 110);
    Drain();
    Frame(150, RowY(1), true);
    Frame(500, 500, true);
    Frame(500, 500, false);
    EXPECT_EQ(combo->GetSelectedIndex(), 3);
    seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0);
    EXPECT_EQ(Count(seen, kit_EventGadgetClose), 0);
    EXPECT_EQ(combo->Menu->Hidden, 0) << "the list stays open for another try";
    Click(150, RowY(0));
    EXPECT_EQ(combo->GetSelectedIndex(), 0);
}

TEST_F(ComboTest, MenusOpenUpwardsWhenTheyWouldPassTheScreenBottom) {
    const auto low = kit_CreateComboBox("low", "", 100, 676, 150, 24, 150, 200, 18, panel);
    for (int i = 0; i < 12; ++i) low->AddItem("Team " + std::to_string(i));
    EXPECT_EQ(low->Menu->H, 200) << "12 rows of 20 + 8 is limited";
    EXPECT_EQ(low->Menu->Table->H, 190);
    EXPECT_EQ(low->Menu->Table->ScrollBar->Hidden, 0);
    EXPECT_EQ(low->Menu->Table->ScrollBar->GetTotal(), 238);
    Click(150, 690);
    EXPECT_EQ(low->Menu->Hidden, 0);
    EXPECT_EQ(low->Menu->Y, 700 - 24 - 2 - 200) << "above the box";
    Click(500, 300);  // closes it
    EXPECT_EQ(low->Menu->Hidden, 1);

    // Just room below: 526 + 200 reaches 726.
    const auto middle = kit_CreateComboBox("middle", "", 400, 500, 150, 24, 150, 200, 18, panel);
    for (int i = 0; i < 12; ++i) middle->AddItem("Team " + std::to_string(i));
    Click(450, 510);
    EXPECT_EQ(middle->Menu->Y, 526);
}

TEST_F(ComboTest, APressOutsideTheListClosesTheMenuAndIsConsumed) {
    const auto button = kit_CreateButton("B", "B", 400, 400, 100, 30, panel);
    Click(150, 110);
    Drain();
    Frame(420, 410, true);
    EXPECT_EQ(combo->Menu->Hidden, 1);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), combo->Menu) << "held until the button goes up";
    Frame(420, 410, true);
    Frame(420, 410, false);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    const auto seen = Reports();
    ASSERT_EQ(seen.size(), 1u) << "one close for one press, and nothing from the button";
    EXPECT_EQ(seen[0].id, kit_EventGadgetClose);
    EXPECT_EQ(seen[0].source, "mapcombo:Menu");
    EXPECT_EQ(combo->GetSelectedIndex(), -1);

    Click(420, 410);
    EXPECT_EQ(SelectSource(Reports()), "B") << "the next press is the button's again";

    // Escape closes an open list the same way, choosing nothing.
    Click(150, 110);
    Drain();
    ASSERT_EQ(combo->Menu->Hidden, 0);
    test_support::Key(SDL_SCANCODE_ESCAPE, true);
    Frame(150, 110, false);
    EXPECT_EQ(combo->Menu->Hidden, 1);
    const auto closed = Reports();
    ASSERT_EQ(closed.size(), 1u);
    EXPECT_EQ(closed[0].id, kit_EventGadgetClose);
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
}

TEST_F(ComboTest, ClickingTheComboWhileItsMenuIsOpenOnlyClosesIt) {
    Click(150, 110);
    Drain();
    Click(150, 110);
    EXPECT_EQ(combo->Menu->Hidden, 1);
    const auto seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetOpen), 0);
    EXPECT_EQ(Count(seen, kit_EventGadgetClose), 1);
    Click(150, 110);
    EXPECT_EQ(combo->Menu->Hidden, 0) << "the click after that opens it again";
}

TEST_F(ComboTest, TheMenuScrollsWithoutClosing) {
    for (int i = 5; i < 12; ++i) combo->AddItem("Map " + std::to_string(i), 10 + i);
    Click(150, 110);
    const auto& menu = combo->Menu;
    const auto& bar = menu->Table->ScrollBar;
    // The down arrow: the bar is right of the 125-pixel column, 190 long.
    const int ax = static_cast<int>(menu->X + bar->X) + 7;
    const int ay = static_cast<int>(menu->Y + bar->Y + bar->H) - 7;
    Click(ax, ay);
    Click(ax, ay);
    EXPECT_EQ(menu->Hidden, 0);
    EXPECT_EQ(bar->GetValue(), 40);
    Drain();
    Click(150, RowY(0));
    EXPECT_EQ(combo->GetSelectedText(), "Map 2") << "two rows scrolled away";
    EXPECT_EQ(menu->Hidden, 1);
}

// The wheel scrolls an open list three rows a notch, wherever the pointer
// is, and no further than its entries go; a closed box ignores it.
TEST_F(ComboTest, TheWheelScrollsTheOpenList) {
    for (int i = 5; i < 20; ++i) combo->AddItem("Map " + std::to_string(i), 10 + i);
    const auto& bar = combo->Menu->Table->ScrollBar;
    WheelFrame(150, 110, -1);
    EXPECT_EQ(bar->GetValue(), 0);
    Click(150, 110);
    WheelFrame(150, RowY(2), -1);  // towards the user: down
    EXPECT_EQ(bar->GetValue(), 60);
    WheelFrame(150, RowY(2), -9);
    EXPECT_EQ(bar->GetValue(), 20 * 20 - 2 - 190);
    WheelFrame(150, 110, 1);  // over the box that opened it
    EXPECT_EQ(bar->GetValue(), 20 * 20 - 2 - 190 - 60);
    EXPECT_EQ(combo->Menu->Hidden, 0);
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    EXPECT_EQ(Count(Drain(), kit_EventGadgetSelect), 0);
}

TEST_F(ComboTest, SelectFromTheProgramReportsTwice) {
    combo->Select(5);
    EXPECT_EQ(combo->GetSelectedIndex(), -1);
    EXPECT_TRUE(Drain().empty());
    combo->Select(2);
    Drain();
    combo->Select(-2);  // a setting never saved
    EXPECT_TRUE(Drain().empty());

    combo->Select(4);
    EXPECT_EQ(combo->DisplayText, "Map 4");
    auto seen = Reports();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].source, "mapcombo:Menu");
    EXPECT_EQ(seen[0].y, 4);
    EXPECT_EQ(seen[1].source, "mapcombo");
    EXPECT_EQ(seen[1].data, 14);
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 2);

    combo->SetItemText(-2, "Bog");
    EXPECT_EQ(combo->DisplayText, "Bog");
    combo->SetItemText(0, "Moor");
    EXPECT_EQ(combo->DisplayText, "Bog") << "not the selected entry";
    EXPECT_EQ(combo->ItemText(0), "Moor");
    combo->SetItemData(0, 99);
    EXPECT_EQ(combo->ItemData(0), 99);
    EXPECT_EQ(combo->ItemData(7), 0);
    combo->RemoveItem(9);
    EXPECT_EQ(combo->ItemCount(), 5);

    // One choice, one report, also through the menu's own Choose.
    combo->Menu->Select(1);
    Drain();
    combo->Menu->Choose();
    seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(Count(seen, kit_EventGadgetClose), 2);
    EXPECT_EQ(combo->DisplayText, "Map 1");

    combo->ClearItems();
    EXPECT_EQ(combo->ItemCount(), 0);
    EXPECT_EQ(combo->DisplayText, "Select a map");
    EXPECT_EQ(combo->GetSelectedText(), "");
    EXPECT_EQ(combo->Menu->H, 8);
    seen = Reports();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].source, "mapcombo:Menu");
    EXPECT_EQ(seen[1].source, "mapcombo");
    EXPECT_EQ(seen[1].y, -1);
    EXPECT_EQ(seen[1].data, 0);
}

TEST_F(ComboTest, FactoriesTakeDefaultsAndTheMenuFloats) {
    EXPECT_EQ(kit_CreateComboBox("", "x", 0, 0, 50, 24), nullptr);
    EXPECT_EQ(kit_CreateMenu("", 0, 0, 50, 50, 0), nullptr);
    const auto team = kit_CreateComboBox("a1team", "Team", 300, 40, 50, 24);
    EXPECT_EQ(team->Menu->W, 50);
    EXPECT_EQ(team->Menu->MaxHeight, 200);
    EXPECT_EQ(team->Menu->Table->RowHeight, 20);
    EXPECT_EQ(team->Menu->Owner.lock(), team);
    EXPECT_EQ(team->Menu->Table->HighlightSelection, 0);
    EXPECT_EQ(team->Menu->Table->BackAlphas[1], 0.3f);
    const auto& floating = kit_GUI::GetFloatingList();
    EXPECT_EQ(floating.back(), team->Menu);
    EXPECT_EQ(team->Menu->Table->GetParent(), team->Menu);
    EXPECT_EQ(team->Menu->Table->ScrollBar->GetParent(), team->Menu);

    // With the shipped skin, an open menu draws over the screen.
    UseShippedSkin();
    combo->Select(2);
    Click(150, 110);
    gfx_cls();
    Frame(150, RowY(1), false);
    EXPECT_TRUE(console.empty()) << "every skin file is there";
    const auto pixel = test_support::PixelAt(combo->Menu->GetAbsoluteX() + 2, RowY(4));
    EXPECT_NE(pixel, test_support::PixelAt(600, 600)) << "the menu is drawn over the screen";
}

}  // namespace
