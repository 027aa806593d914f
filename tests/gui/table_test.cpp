// Tables: layout, rows and cells, selection by the mouse, scrolling and
// drawing.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/scroll_bar.h"
#include "gui/table.h"
#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;
using test_support::B;
using test_support::G;
using test_support::PixelAt;
using test_support::R;

TEST_F(KitTest, TheResultsTableIsAsWideAsItsColumns) {
    const auto panel = kit_CreatePanel("results", 0, 0, 1000, 900);
    const auto table =
        kit_CreateTable("Match Results", 10, 10, 840, "Contestant", 200, 18, 1, panel);
    for (const char* title : {"Kills", "Deaths", "Points"}) table->AddColumn(title, 200);
    EXPECT_EQ(table->W, 809);
    EXPECT_EQ(table->ScrollBar->X, 10 + 809 + 2);
    EXPECT_EQ(table->ScrollBar->Y, 10 + 21) << "below the header";
    EXPECT_EQ(table->ScrollBar->H, 840 - 21);
    EXPECT_EQ(table->ScrollBar->GetParent(), panel) << "a sibling of the table";
    EXPECT_EQ(table->ScrollBar->Step, 20);
    EXPECT_EQ(table->ScrollBar->PageStep, 200);

    gfx_set_font(table->Font);
    const int least = gfx_text_width("Points") + 6;
    table->AddColumn("Points", 10);
    EXPECT_EQ(table->ColumnWidths.back(), least);
    EXPECT_EQ(table->W, 809 + 3 + least);

    EXPECT_EQ(kit_CreateTable("", 0, 0, 100, "A", 50, 0, 0), nullptr);
    const auto plain = kit_CreateTable("plain", 0, 0, 100, "A", 50, 0, 0);
    EXPECT_EQ(plain->RowHeight, 20);
    EXPECT_EQ(plain->ScrollBar->GetParent(), nullptr);
}

TEST_F(KitTest, RowsFitTheColumnsAndInvalidRowsReadAsEmpty) {
    const auto table = kit_CreateTable("T", 0, 0, 200, "A", 40, 18, 1);
    for (const char* title : {"B", "C", "D"}) table->AddColumn(title, 40);
    table->AddRow({"a", "b"}, 7);
    table->AddRow({"1", "2", "3", "4", "5"}, 8);
    EXPECT_EQ(table->RowCells(0), (std::vector<std::string>{"a", "b", "", ""}));
    EXPECT_EQ(table->RowCells(1), (std::vector<std::string>{"1", "2", "3", "4"}));
    EXPECT_EQ(table->CellText(-2, 0), "") << "no selection";
    EXPECT_EQ(table->CellText(1, 4), "");
    EXPECT_EQ(table->CellText(2, 0), "");
    EXPECT_EQ(table->RowData(-1), 0);
    EXPECT_EQ(table->RowExtra(5), nullptr);
    EXPECT_TRUE(table->RowCells(3).empty());

    table->Select(1);
    EXPECT_EQ(table->CellText(-2, 3), "4");
    table->SetCellText(-2, 3, "four");
    table->SetCellText(1, 9, "ignored");
    table->SetRowCells(0, {"x"});
    EXPECT_EQ(table->RowCells(0), (std::vector<std::string>{"x", "", "", ""}));
    EXPECT_EQ(table->CellText(1, 3), "four");
    const auto extra = std::make_shared<kit_TText>("extra");
    table->SetRowExtra(-2, extra);
    table->SetRowData(0, 8);
    EXPECT_EQ(table->RowExtra(1), extra);
    EXPECT_EQ(table->FindRowByData(8), 0);
    EXPECT_EQ(table->FindRowByData(8, 1), 1);
    EXPECT_EQ(table->FindRowByData(8, -5), 0);
    EXPECT_EQ(table->FindRowByData(9), -1);
    table->Select(2);
    EXPECT_EQ(table->GetSelectedIndex(), -1);
    EXPECT_EQ(table->SelectedItem, nullptr);

    // Removing a row above the selection keeps the index, which then names
    // the next row, while the item is still the one selected.
    table->AddRow({"third"});
    table->Select(1);
    const auto selected = table->SelectedItem;
    table->RemoveRow(0);
    EXPECT_EQ(table->RowCount(), 2);
    EXPECT_EQ(table->GetSelectedIndex(), 1);
    EXPECT_EQ(table->CellText(-2, 0), "third");
    EXPECT_EQ(table->SelectedItem, selected);
    table->RemoveRow(-2);
    EXPECT_EQ(table->RowCount(), 1);
    EXPECT_EQ(table->CellText(-2, 0), "") << "the index is past the last row now";
    table->RemoveRow(5);
    EXPECT_EQ(table->RowCount(), 1);

    table->SetColumnWidth(7, 10);
    table->SetFlag(2, 0);
    EXPECT_EQ(table->Flags[0], 1);
    EXPECT_EQ(table->Flags[1], 1);
}

TEST_F(KitTest, TheScrollBarShowsOnlyWhileTheRowsDoNotFit) {
    // Header 18 + 3: 198 pixels of rows below it.
    const auto table = kit_CreateTable("T", 0, 0, 219, "A", 40, 18, 1);
    EXPECT_EQ(table->ScrollBar->Hidden, 1);
    for (int i = 0; i < 10; ++i) table->AddRow({"row"});
    EXPECT_EQ(table->ScrollBar->GetTotal(), 198);
    EXPECT_EQ(table->ScrollBar->GetVisible(), 198);
    EXPECT_EQ(table->ScrollBar->Hidden, 1);
    table->AddRow({"one more"});
    EXPECT_EQ(table->ScrollBar->Hidden, 0);
    table->ScrollBar->SetValue(20);
    table->ClearRows();
    EXPECT_EQ(table->ScrollBar->GetValue(), 0) << "nothing left to scroll";
    EXPECT_EQ(table->ScrollBar->Hidden, 1);
    EXPECT_EQ(table->GetSelectedIndex(), -1);
}

// A table at (20, 20) in a panel: header 18 high, rows from y 40, 20 apart,
// five of them visible; columns 100 and 60 wide.
class TableMouseTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        const auto screen = kit_CreateScreen("S", "");
        panel = kit_CreatePanel("P", 0, 0, 600, 400);
        panel->HideBackground();
        screen->AddGadget(panel);
        table = kit_CreateTable("T", 20, 20, 120, "Name", 100, 18, 1, panel);
        table->AddColumn("Score", 60);
        for (int i = 0; i < 8; ++i) {
            table->AddRow({"name " + std::to_string(i), std::to_string(i)}, 100 + i);
        }
        kit_SetScreen("S");
        Drain();
    }
    /// The GadgetSelect events of the table as (data, column, row).
    std::vector<std::vector<int>> Selections() {
        std::vector<std::vector<int>> found;
        for (const auto& e : Drain()) {
            if (e.id == kit_EventGadgetSelect && e.source == "T")
                found.push_back({e.data, e.x, e.y});
        }
        return found;
    }
    std::shared_ptr<kit_TPanel> panel;
    std::shared_ptr<kit_TTable> table;
};

TEST_F(TableMouseTest, AClickSelectsTheRowAndReportsItsColumn) {
    EXPECT_EQ(table->ScrollBar->Hidden, 0);
    Click(20 + 113, 40 + 2 * 20 + 5);
    EXPECT_EQ(table->GetSelectedIndex(), 2);
    EXPECT_EQ(table->CellText(-2, 0), "name 2");
    EXPECT_EQ(Selections(), (std::vector<std::vector<int>>{{102, 1, 2}}));
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);

    Click(25, 30);  // the header
    EXPECT_EQ(table->GetSelectedIndex(), 2);
    EXPECT_TRUE(Selections().empty());

    // Pressed on one row and released on another: the row let go on.
    Frame(30, 40 + 5, true);
    Frame(30, 40 + 4 * 20 + 5, false);
    EXPECT_EQ(Selections(), (std::vector<std::vector<int>>{{104, 0, 4}}));
}

TEST_F(TableMouseTest, AClickBelowTheLastRowSelectsNothing) {
    table->ClearRows();
    table->AddRow({"only"}, 5);
    Click(30, 45);
    EXPECT_EQ(Selections(), (std::vector<std::vector<int>>{{5, 0, 0}}));
    Click(30, 65);  // row 1 does not exist
    EXPECT_EQ(table->HoverRow, 1);
    EXPECT_EQ(table->GetSelectedIndex(), 0);
    EXPECT_TRUE(Selections().empty());
}

TEST_F(TableMouseTest, ScrolledRowsAreHitWhereTheyAreDrawn) {
    // The down arrow of the bar (x 185-200, y 41-140) scrolls one row.
    Click(192, 135);
    EXPECT_EQ(table->ScrollBar->GetValue(), 20);
    Click(192, 135);
    Frame(300, 300, false);
    EXPECT_EQ(table->ScrollOffset, -40);
    Drain();
    Click(30, 45);  // the first visible row is row 2
    EXPECT_EQ(Selections(), (std::vector<std::vector<int>>{{102, 0, 2}}));
    Click(30, 139);  // the last visible row, 6
    EXPECT_EQ(table->GetSelectedIndex(), 6);
    Click(30, 141);  // below the table
    EXPECT_EQ(table->GetSelectedIndex(), 6);
}

// Over the table or its bar the wheel scrolls three rows a notch, within
// the rows; elsewhere it does nothing.
TEST_F(TableMouseTest, TheWheelScrollsTheTableUnderThePointer) {
    for (int i = 8; i < 20; ++i) table->AddRow({"name " + std::to_string(i)}, 100 + i);
    const auto& bar = table->ScrollBar;
    const int last = 20 * 20 - 2 - 99;
    WheelFrame(300, 300, -1);  // in the panel, off the table
    EXPECT_EQ(bar->GetValue(), 0);
    WheelFrame(60, 90, -1);
    EXPECT_EQ(bar->GetValue(), 60);
    EXPECT_EQ(table->HoverRow, (90 - 40 + 60) / 20) << "the row now under the pointer";
    WheelFrame(192, 90, -1);  // over its bar
    EXPECT_EQ(bar->GetValue(), 120);
    WheelFrame(60, 90, -20);
    EXPECT_EQ(bar->GetValue(), last);
    WheelFrame(60, 90, 2);
    EXPECT_EQ(bar->GetValue(), last - 120);
}

TEST_F(TableMouseTest, NoColumnMatchesRightOfTheLastOne) {
    Frame(20 + 110, 45, false);
    EXPECT_EQ(table->HoverColumn, 1);
    EXPECT_EQ(table->HoverRow, 0);
    // Narrower columns without a new layout leave the table wider than they are.
    table->SetColumnWidth(1, 20);
    Frame(20 + 150, 45, false);
    EXPECT_EQ(table->HoverColumn, -1) << "not the column of the previous frame";
    Frame(20 + 150, 300, false);  // off the table: the hover stays
    EXPECT_EQ(table->HoverRow, 0);
    Frame(20 + 150, 30, false);  // over the header
    EXPECT_EQ(table->HoverRow, -1);
    EXPECT_EQ(table->HoverColumn, -1);
}

TEST_F(TableMouseTest, ClearingTheRowsScrollsBackAndDropsTheSelection) {
    table->ScrollBar->SetValue(60);
    Click(30, 45);
    EXPECT_EQ(table->GetSelectedIndex(), 3);
    table->ClearRows();
    Frame(300, 300, false);
    EXPECT_EQ(table->ScrollOffset, 0);
    EXPECT_EQ(table->GetSelectedIndex(), -1);
    table->AddRow({"new"}, 1);
    Drain();
    Click(30, 45);
    EXPECT_EQ(Selections(), (std::vector<std::vector<int>>{{1, 0, 0}}));
}

TEST_F(KitTest, RowsAreDrawnInTheirColourSetsAndClippedToTheTable) {
    // No header: rows from y 100, 20 apart; 50 pixels show two and a half.
    const auto table = kit_CreateTable("T", 100, 100, 50, "", 80, 18, 0);
    for (int i = 0; i < 5; ++i) table->AddRow({""});
    table->SetColor(10, 20, 30, 0);
    table->SetColorHex("c80000", 1);
    table->SetColor(1, 1, 1, 3);  // no such set
    table->SetTextColor(0, 0, 255, 1);
    table->SetAlpha(0.5f, 2);
    table->SetTextAlpha(0.25f, 1);
    EXPECT_EQ(table->BackAlphas[2], 0.5f);
    EXPECT_EQ(table->TextAlphas[1], 0.25f);
    EXPECT_EQ(table->TextColors[1].B, 255);
    table->Select(1);

    gfx_cls();
    table->Draw(0, 0);
    EXPECT_EQ(B(PixelAt(140, 110)), 30) << "row 0";
    EXPECT_EQ(R(PixelAt(140, 125)), 200) << "the selected row";
    EXPECT_EQ(B(PixelAt(140, 145)), 30) << "row 2, half shown";
    EXPECT_EQ(B(PixelAt(140, 155)), 0) << "clipped below the table";
    EXPECT_EQ(B(PixelAt(140, 119)), 0) << "the gap between rows";

    table->ScrollBar->SetTotal(98);  // the bar has no parent: scroll by hand
    table->ScrollBar->SetValue(20);
    table->Update(0, 0);
    table->SetHighlightSelection(0);
    table->SetFlag(0, 0);
    gfx_cls();
    table->Draw(0, 0);
    EXPECT_EQ(B(PixelAt(140, 105)), 30) << "the selected row, scrolled up, in set 0";
    EXPECT_EQ(G(PixelAt(140, 125)), 0) << "only the selected row has a background";
}

}  // namespace
