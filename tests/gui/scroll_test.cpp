// Scroll bars, sliders and scroll boxes driven by synthetic mouse input.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gui/scroll_bar.h"
#include "gui/scroll_box.h"
#include "gui/slider.h"
#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;

// A screen with one top-level gadget at screen coordinates.
class ValueGadgetTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        screen = kit_CreateScreen("S", "");
        kit_SetScreen("S");
        Drain();
    }
    /// Data of every GadgetAction from `source` among the drained events.
    static std::vector<int> Actions(const std::vector<kit_test::SeenEvent>& seen,
                                    const std::string& source) {
        std::vector<int> data;
        for (const auto& e : seen) {
            if (e.id == kit_EventGadgetAction && e.source == source) data.push_back(e.data);
        }
        return data;
    }
    std::shared_ptr<kit_TScreen> screen;
};

// A menu's list bar: length 190, 12 rows of 18 pixels (total 238), 190 visible.
TEST_F(ValueGadgetTest, ScrollBarGeometryClampsTheValueToTheContent) {
    const auto bar = kit_CreateScrollBar("Bar", 100, 100, 190, 0, 238, 190);
    EXPECT_EQ(bar->W, 15);
    EXPECT_NEAR(bar->Ratio, 160.0 / 238.0, 1e-4);
    EXPECT_NEAR(bar->KnobLen, 127.73, 0.01);
    EXPECT_EQ(bar->KnobPos, 115) << "knob at the track start, below the arrow";

    bar->SetValue(100);
    EXPECT_EQ(bar->GetValue(), 48);
    EXPECT_NEAR(bar->KnobPos, 115 + 48 * 160.0 / 238.0, 1e-3);
    bar->SetValue(48);
    bar->SetValue(-5);
    EXPECT_EQ(bar->GetValue(), 0);
    EXPECT_EQ(Actions(Drain(), "Bar"), (std::vector<int>{48, 48, 0}))
        << "one action per call, also without a change";

    bar->SetValue(48);
    bar->SetTotal(200);  // 48 + 190 > 200
    EXPECT_EQ(bar->GetValue(), 10);
    bar->SetVisible(195);
    EXPECT_EQ(bar->GetValue(), 5);
    bar->SetVisible(0);
    bar->SetTotal(-4);
    EXPECT_EQ(bar->GetVisible(), 1);
    EXPECT_EQ(bar->GetTotal(), 1);
    EXPECT_EQ(bar->GetValue(), 0);
    bar->SetStep(-3);
    bar->SetPageStep(-1);
    EXPECT_EQ(bar->Step, 0);
    EXPECT_EQ(bar->PageStep, 0);
}

TEST_F(ValueGadgetTest, ScrollBarsWithoutATrackKeepTheKnobAtTheStart) {
    for (const int length : {30, 20, 0, -2}) {
        const auto bar = kit_CreateScrollBar("Short", 0, 0, length, 0, 100, 10);
        EXPECT_LE(bar->Ratio, 0) << length;
        EXPECT_EQ(bar->KnobLen, 6) << length;
        bar->SetValue(50);
        EXPECT_EQ(bar->KnobPos, 15) << "a knob that cannot move stays put: " << length;
        for (const float p : {-10.0f, 15.0f, 20.0f, 500.0f}) {
            bar->SetKnobPos(p);
            EXPECT_EQ(bar->GetValue(), 0) << length << " at " << p;
            EXPECT_EQ(bar->KnobPos, 15);
        }
    }
}

// The bar of the geometry test on the screen at (100, 100): arrows at
// y 100-115 and 275-290, knob from y 115, 127.7 long.
class ScrollBarMouseTest : public ValueGadgetTest {
protected:
    void SetUp() override {
        ValueGadgetTest::SetUp();
        bar = kit_CreateScrollBar("Bar", 100, 100, 190, 0, 238, 190);
        bar->SetStep(5);
        bar->SetPageStep(20);
        screen->AddGadget(bar);
    }
    std::shared_ptr<kit_TScrollBar> bar;
};

TEST_F(ScrollBarMouseTest, ArrowsStepOnceOnReleaseHoweverLongTheyAreHeld) {
    for (int i = 0; i < 5; ++i) Frame(107, 285, true);
    EXPECT_EQ(bar->GetValue(), 0) << "nothing while held";
    EXPECT_EQ(bar->DragMode, kit_DragArrowForward);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), bar);
    Frame(107, 285, false);
    EXPECT_EQ(bar->GetValue(), 5);
    EXPECT_EQ(bar->DragMode, kit_DragNone);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    EXPECT_EQ(Actions(Drain(), "Bar"), (std::vector<int>{5}));

    Click(107, 105);  // up arrow
    Click(107, 105);
    EXPECT_EQ(bar->GetValue(), 0);
}

TEST_F(ScrollBarMouseTest, TrackClicksPageTowardsTheMouse) {
    Click(107, 260);  // below the knob (115 to 242.7)
    EXPECT_EQ(bar->GetValue(), 20);
    Click(107, 272);
    EXPECT_EQ(bar->GetValue(), 40);
    Click(107, 272);
    EXPECT_EQ(bar->GetValue(), 48) << "limited to total - visible";
    Click(107, 116);  // the knob starts at 147.3 now: above it
    EXPECT_EQ(bar->GetValue(), 28);
}

TEST_F(ScrollBarMouseTest, DraggingTheKnobFollowsTheMouseAndStopsAtTheEnds) {
    Frame(107, 150, true);  // 35 pixels into the knob
    EXPECT_EQ(bar->DragMode, kit_DragKnob);
    EXPECT_EQ(bar->DragOffset, 35);
    EXPECT_EQ(bar->GetValue(), 0);
    Frame(500, 170, true);  // 20 down, far to the side: the drag goes on
    EXPECT_EQ(bar->GetValue(), static_cast<int>(20 / bar->Ratio));
    EXPECT_EQ(bar->KnobPos, 135);
    Frame(107, 700, true);  // below the end
    EXPECT_EQ(bar->GetValue(), 48);
    EXPECT_NEAR(bar->KnobPos, 290 - 15 - bar->KnobLen, 1e-3);
    Frame(107, 0, true);  // above the start
    EXPECT_EQ(bar->GetValue(), 0);
    EXPECT_EQ(bar->KnobPos, 115);
    Frame(107, 0, false);
    EXPECT_EQ(bar->GetValue(), 0) << "a knob release adds no step";
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
}

TEST_F(ValueGadgetTest, HorizontalScrollBarsWorkAlongX) {
    const auto bar = kit_CreateScrollBar("HBar", 100, 300, 230, 1, 400, 200);
    screen->AddGadget(bar);
    EXPECT_EQ(bar->W, 230);
    EXPECT_EQ(bar->H, 15);
    EXPECT_EQ(bar->KnobLen, 100);
    Click(320, 307);  // right arrow
    EXPECT_EQ(bar->GetValue(), 1);
    Frame(130, 307, true);  // on the knob (116 to 216), 14 in
    Frame(230, 307, true);
    EXPECT_EQ(bar->GetValue(), 200) << "the knob at the end of the track";
    Frame(230, 307, false);
}

// The options screen's graphic-detail slider: track 136 pixels from x 147.
class SliderTest : public ValueGadgetTest {
protected:
    void SetUp() override {
        ValueGadgetTest::SetUp();
        slider = kit_CreateSlider("gfx slider", 140, 25, 150, 1, 0, 2, 1);
        screen->AddGadget(slider);
        Drain();
    }
    std::shared_ptr<kit_TSlider> slider;
};

TEST_F(SliderTest, PixelsRoundToTheNearestValueWithHalvesDown) {
    EXPECT_EQ(slider->TrackX, 147);
    EXPECT_EQ(slider->TrackLen, 136);
    EXPECT_EQ(slider->PixelsPerUnit, 68);
    slider->SetFromPixel(35);
    EXPECT_EQ(slider->GetValue(), 1);
    slider->SetFromPixel(34);
    EXPECT_EQ(slider->GetValue(), 0);
    slider->SetFromPixel(102);
    EXPECT_EQ(slider->GetValue(), 1);
    slider->SetFromPixel(103);
    EXPECT_EQ(slider->GetValue(), 2);
    EXPECT_EQ(Actions(Drain(), "gfx slider"), (std::vector<int>{1, 1, 0, 0, 1, 1, 2, 2}))
        << "two actions per pixel";
}

TEST_F(SliderTest, DraggingReachesBothEndsOfTheRange) {
    EXPECT_EQ(slider->KnobPos, 140) << "value 0: the knob centred on the track start";
    Frame(145, 30, true);  // on the knob
    EXPECT_EQ(slider->DragMode, kit_DragKnob);
    Frame(147 + 35, 30, true);
    EXPECT_EQ(slider->GetValue(), 1);
    EXPECT_EQ(slider->KnobPos, 147 + 68 - 7);
    Frame(900, 400, true);
    EXPECT_EQ(slider->GetValue(), 2);
    EXPECT_EQ(slider->KnobPos, 147 + 136 - 7);
    Frame(0, 30, true);
    EXPECT_EQ(slider->GetValue(), 0);
    Frame(0, 30, false);
    EXPECT_EQ(slider->GetValue(), 0);
    EXPECT_EQ(slider->DragMode, kit_DragNone);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
}

TEST_F(SliderTest, TrackClicksStepOnceOnRelease) {
    Click(250, 30);  // right of the knob
    EXPECT_EQ(slider->GetValue(), 1);
    Frame(280, 30, true);
    Frame(280, 30, true);
    EXPECT_EQ(slider->GetValue(), 1);
    Frame(280, 30, false);
    EXPECT_EQ(slider->GetValue(), 2);
    Click(145, 30);  // left of the knob, now at 276
    EXPECT_EQ(slider->GetValue(), 1);
}

TEST_F(ValueGadgetTest, SliderValuesStayInTheRangeWhateverTheStepOrTrack) {
    const auto volume = kit_CreateSlider("sfx slider", 140, 75, 150, 1, 0, 9, 1);
    Drain();
    volume->SetValue(12);
    EXPECT_EQ(volume->GetValue(), 9);
    EXPECT_EQ(Actions(Drain(), "sfx slider"), (std::vector<int>{9}));

    volume->SetStep(0);
    EXPECT_EQ(volume->Step, 1) << "a step of 0 would divide by zero";
    volume->SetStep(-3);
    EXPECT_EQ(volume->Step, 3);

    // An empty range: the knob at the track start, every pixel the minimum.
    volume->SetRange(4, 2);
    EXPECT_EQ(volume->Max, 4);
    EXPECT_EQ(volume->PixelsPerUnit, 0);
    volume->SetValue(7);
    EXPECT_EQ(volume->GetValue(), 4);
    EXPECT_EQ(volume->KnobPos, volume->TrackX - 7);
    volume->SetFromPixel(90);
    EXPECT_EQ(volume->GetValue(), 4);

    // No track at all.
    const auto stub = kit_CreateSlider("stub", 0, 0, 10, 1, 0, 9, 1);
    EXPECT_EQ(stub->PixelsPerUnit, 0);
    stub->SetValue(5);
    EXPECT_EQ(stub->KnobPos, stub->TrackX - 7);
    stub->SetFromPixel(3);
    EXPECT_EQ(stub->GetValue(), 0);
}

TEST_F(ValueGadgetTest, SlidersWithAMinimumOrALargerStepKeepTheKnobOnTheTrack) {
    // Track 100 pixels from x 7; 10..20 is 10 pixels a unit.
    const auto h = kit_CreateSlider("h", 0, 0, 114, 1, 10, 20, 1);
    h->SetValue(15);
    EXPECT_EQ(h->KnobPos, 7 + 50 - 7);
    h->SetFromPixel(30);
    EXPECT_EQ(h->GetValue(), 13);
    h->SetFromPixel(100);
    EXPECT_EQ(h->GetValue(), 20);

    // Vertical: larger values higher up; the track runs from y 7 to 107.
    const auto v = kit_CreateSlider("v", 0, 0, 114, 0, 10, 20, 1);
    v->SetValue(10);
    EXPECT_EQ(v->KnobPos, 107 - 7) << "the minimum at the bottom";
    v->SetValue(17);
    EXPECT_EQ(v->KnobPos, 7 + 30 - 7);
    v->SetFromPixel(0);
    EXPECT_EQ(v->GetValue(), 20);
    v->SetFromPixel(80);
    EXPECT_EQ(v->GetValue(), 12);

    // 0..10 in steps of 2: five steps of 20 pixels, and the last step ends
    // at the end of the track.
    const auto stepped = kit_CreateSlider("stepped", 0, 0, 114, 1, 0, 10, 2);
    EXPECT_EQ(stepped->PixelsPerUnit, 20);
    stepped->SetValue(10);
    EXPECT_EQ(stepped->KnobPos, 7 + 100 - 7);
    stepped->SetFromPixel(41);
    EXPECT_EQ(stepped->GetValue(), 4);
}

TEST_F(ValueGadgetTest, VerticalSliderTrackClicksFollowTheDirectionOfValues) {
    const auto v = kit_CreateSlider("v", 100, 100, 114, 0, 0, 10, 1);
    screen->AddGadget(v);
    v->SetValue(5);   // knob from y 100 + 7 + 50 - 7 = 150
    Click(107, 120);  // above the knob: larger
    EXPECT_EQ(v->GetValue(), 6);
    Click(107, 200);  // below
    Click(107, 200);
    EXPECT_EQ(v->GetValue(), 4);
}

TEST_F(ValueGadgetTest, ScrollBoxShiftsItsChildrenByItsBars) {
    const auto panel = kit_CreatePanel("P", 0, 0, 600, 500);
    screen->AddGadget(panel);
    const auto box = kit_CreateScrollBox("Box", 50, 50, 200, 150, 3, 400, 300, panel);
    ASSERT_TRUE(box->VScroll && box->HScroll);
    EXPECT_EQ(box->W, 182);
    EXPECT_EQ(box->H, 132);
    EXPECT_EQ(box->VScroll->X, 235);
    EXPECT_EQ(box->VScroll->H, 135);
    EXPECT_EQ(box->VScroll->GetVisible(), 132);
    EXPECT_EQ(box->HScroll->Y, 185);
    EXPECT_EQ(box->HScroll->W, 185);
    EXPECT_EQ(box->HScroll->GetTotal(), 400);
    EXPECT_EQ(box->VScroll->GetParent(), panel) << "the bars are the box's siblings";

    const auto button = kit_CreateButton("Deep", "Deep", 10, 200, 80, 30, box);
    box->VScroll->SetValue(150);
    box->HScroll->SetValue(5);
    Frame(300, 300, false);
    EXPECT_EQ(box->OffsetY, -150);
    EXPECT_EQ(box->OffsetX, -5);
    Drain();
    // The button is at (50 + 10 - 5, 50 + 200 - 150) on the screen now.
    Click(60, 105);
    const auto seen = Drain();
    EXPECT_EQ(SelectSource(seen), "Deep");

    const auto vertical = kit_CreateScrollBox("V", 0, 0, 100, 100, 1, 0, 300, panel);
    EXPECT_EQ(vertical->HScroll, nullptr);
    EXPECT_EQ(vertical->W, 82);
    EXPECT_EQ(vertical->H, 100);
    vertical->SetScrollColor(1, 2, 3, 1);  // no horizontal bar: nothing
    vertical->SetScrollColor(1, 2, 3, 0);
    EXPECT_EQ(vertical->VScroll->Color.B, 3);
    vertical->SetScrollAlpha(0.5f, 0);
    EXPECT_EQ(vertical->VScroll->Alpha, 0.5f);
    Frame(300, 300, false);  // draws every border style and bar
    vertical->SetBorderStyle(2);
    Frame(300, 300, false);
}

// The wheel over the box, or over a gadget inside it, scrolls the content
// at once; over its horizontal bar it scrolls across.
TEST_F(ValueGadgetTest, TheWheelScrollsTheBoxUnderThePointer) {
    const auto panel = kit_CreatePanel("P", 0, 0, 600, 500);
    screen->AddGadget(panel);
    const auto box = kit_CreateScrollBox("Box", 50, 50, 200, 150, 3, 400, 300, panel);
    kit_CreateButton("Deep", "Deep", 10, 70, 80, 30, box);
    WheelFrame(400, 400, -1);
    EXPECT_EQ(box->VScroll->GetValue(), 0) << "off the box";
    WheelFrame(100, 100, -1);  // on the box, beside the button
    EXPECT_EQ(box->VScroll->GetValue(), 60);
    EXPECT_EQ(box->OffsetY, -60) << "the content follows in the same frame";
    WheelFrame(70, 70, -5);  // on the button, scrolled under the pointer
    EXPECT_EQ(box->VScroll->GetValue(), 300 - 132);
    WheelFrame(150, 192, -1);  // the horizontal bar
    EXPECT_EQ(box->HScroll->GetValue(), 60);
    EXPECT_EQ(box->VScroll->GetValue(), 300 - 132);
}

}  // namespace
