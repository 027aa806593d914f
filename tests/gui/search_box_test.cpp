// The search box and its pop-up, driven by synthetic mouse and keyboard
// input.

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/text.h"
#include "gui/button.h"
#include "gui/search_box.h"
#include "gui/table.h"
#include "gui/text_field.h"
#include "tests/gui/kit_fixture.h"
#include "tests/support/synthetic_input.h"

namespace {

using kit_test::KitTest;
using kit_test::SeenEvent;

void PushEnter() {
    test_support::Key(SDL_SCANCODE_RETURN, true);
    test_support::Key(SDL_SCANCODE_RETURN, false);
}

// A 1024 x 768 kit with the search box "driver" at (100, 100), 200 x 24,
// whose pop-up takes the box's width and the default height, rows 18
// pixels high, and -1 as the data of no selection. The search finds the
// drivers whose names contain the text; data is the driver's number. A
// button "Under" lies beneath the place where the pop-up opens.
class SearchBoxTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        panel = FullScreenPanel();
        under = kit_CreateButton("Under", "Under", 100, 126, 200, 200, panel);
        box = kit_CreateSearchBox("driver", 100, 100, 200, 24, 0, 0, 18, -1, panel);
        popup = box->Panel;
        box->SetSearchCallback([this](kit_TSearchBox& source, const std::string& text) {
            searches.push_back(text);
            source.ClearResults();
            const char* const names[] = {"Big Dog", "Rustbucket", "Moorhen", "Mudlark",
                                         "Bogtrotter"};
            for (int i = 0; i < 5; ++i) {
                if (str_contains(str_lower(names[i]), str_lower(text)))
                    source.AddResult(names[i], i);
            }
        });
        kit_SetScreen("S");
        Drain();
    }
    void Open() {
        Click(150, 110);
        ASSERT_EQ(popup->Hidden, 0);
    }
    /// Types into the pop-up's field and confirms with Enter.
    void Search(const char* text) {
        const int fx = static_cast<int>(popup->X) + 60, fy = static_cast<int>(popup->Y) + 15;
        Click(fx, fy);
        ASSERT_EQ(popup->SearchField->Focused, 1);
        test_support::Type(text);
        Frame(fx, fy, false);
        PushEnter();
        Frame(fx, fy, false);
    }
    /// Screen position of the middle of a result row.
    int RowX() const { return static_cast<int>(popup->X) + 60; }
    int RowY(int row) const { return static_cast<int>(popup->Y) + 30 + 20 * row + 9; }

    std::shared_ptr<kit_TPanel> panel;
    std::shared_ptr<kit_TButton> under;
    std::shared_ptr<kit_TSearchBox> box;
    std::shared_ptr<kit_TSearchPanel> popup;
    std::vector<std::string> searches;
};

TEST_F(SearchBoxTest, ShowsNoneAfterCreationAndBuildsItsPopup) {
    EXPECT_EQ(box->GetDisplayText(), "[None]");
    EXPECT_EQ(box->GetSelectedData(), -1);
    EXPECT_EQ(popup->Hidden, 1);
    EXPECT_EQ(popup->W, 200) << "the box's width";
    EXPECT_EQ(popup->H, 200);
    EXPECT_EQ(popup->NoneButton->Text, "None");
    EXPECT_EQ(popup->SearchField->W, 145);
    EXPECT_EQ(popup->SearchField->SearchIcon, 1);
    EXPECT_EQ(popup->Results->W, 172);
    EXPECT_EQ(popup->Results->H, 165);
    EXPECT_EQ(popup->Results->ShowHeader, 0);

    box->SetSelection("Moorhen", 2);
    EXPECT_EQ(box->GetDisplayText(), "Moorhen");
    EXPECT_EQ(box->GetSelectedData(), 2);
    box->SetSelection("", 7);
    EXPECT_EQ(box->GetDisplayText(), "[None]");
    EXPECT_EQ(box->GetSelectedData(), -1) << "no selection reports the none data";
    EXPECT_EQ(kit_CreateSearchBox("", 0, 0, 10, 10), nullptr);
}

TEST_F(SearchBoxTest, SearchingAndClickingAResultChoosesIt) {
    Open();
    EXPECT_EQ(popup->X, 100);
    EXPECT_EQ(popup->Y, 126);
    auto seen = Reports();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].source, "driver:Panel");
    EXPECT_EQ(seen[1].id, kit_EventGadgetOpen);
    EXPECT_EQ(seen[1].source, "driver");

    Search("r");
    ASSERT_EQ(searches, std::vector<std::string>{"r"});
    EXPECT_EQ(popup->Hidden, 0) << "the results are shown in the open pop-up";
    ASSERT_EQ(popup->Results->RowCount(), 4);
    EXPECT_EQ(popup->Results->CellText(1, 0), "Moorhen");
    seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 0) << "the search box takes the text";

    Click(RowX(), RowY(2));
    EXPECT_EQ(popup->Hidden, 1);
    EXPECT_EQ(box->GetDisplayText(), "Mudlark");
    EXPECT_EQ(box->GetSelectedData(), 3);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0) << "a choice posts no GadgetSelect";
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, kit_EventGadgetClose);
    EXPECT_EQ(seen[0].source, "driver");
    EXPECT_EQ(seen[1].source, "driver:Panel");
}

TEST_F(SearchBoxTest, TheSearchIconRunsTheSearchToo) {
    Open();
    const int iconX =
        static_cast<int>(popup->X + popup->SearchField->X + popup->SearchField->W) - 11;
    const int iconY = static_cast<int>(popup->Y + popup->SearchField->Y) + 8;
    Click(iconX, iconY);
    ASSERT_EQ(searches, std::vector<std::string>{""});
    EXPECT_EQ(popup->Results->RowCount(), 5) << "an empty text finds everyone";
    EXPECT_EQ(popup->Hidden, 0);
}

TEST_F(SearchBoxTest, TheNoneButtonClearsTheChoice) {
    box->SetSelection("Big Dog", 0);
    Open();
    Drain();
    Click(static_cast<int>(popup->X) + 25, static_cast<int>(popup->Y) + 15);
    EXPECT_EQ(popup->Hidden, 1);
    EXPECT_EQ(box->GetDisplayText(), "[None]");
    EXPECT_EQ(box->GetSelectedData(), -1);
    const auto seen = Reports();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0) << "the button posts nothing of its own";
    EXPECT_EQ(Count(seen, kit_EventGadgetClose), 2);
}

TEST_F(SearchBoxTest, PressesOnThePopupStayInItAndPressesOutsideCloseIt) {
    box->SetSelection("Big Dog", 0);
    Open();
    Drain();
    // Between the button and the field: the pop-up's own background.
    Click(static_cast<int>(popup->X) + 47, static_cast<int>(popup->Y) + 15);
    EXPECT_EQ(popup->Hidden, 0);
    // On an empty part of the results list: nothing chosen.
    Click(RowX(), RowY(6));
    EXPECT_EQ(popup->Hidden, 0);
    EXPECT_EQ(SelectSource(Reports()), "") << "the button beneath never saw the presses";

    Click(600, 600);
    EXPECT_EQ(popup->Hidden, 1);
    EXPECT_EQ(box->GetDisplayText(), "Big Dog");
    EXPECT_EQ(box->GetSelectedData(), 0);
    EXPECT_EQ(Count(Reports(), kit_EventGadgetClose), 1);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);

    // Programmatic closing, and a pop-up near the bottom opens above.
    box->SetPosition(100, 700);
    Click(150, 710);
    EXPECT_EQ(popup->Y, 700 - 2 - 200);
    // Closed while its field is being edited: the field lets the keyboard go.
    Click(static_cast<int>(popup->X) + 60, static_cast<int>(popup->Y) + 15);
    ASSERT_EQ(popup->SearchField->Focused, 1);
    box->ClosePanel();
    EXPECT_EQ(popup->Hidden, 1);
    EXPECT_EQ(popup->SearchField->Focused, 0);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
}

}  // namespace
