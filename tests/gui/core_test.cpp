// The kit's core: screens, the event queue and its text forms, the mouse
// capture and mouse-over rules, fonts, colours, paths, clipping, the
// drawing-state stack and the skin machinery.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/gui/kit_fixture.h"

namespace {

using kit_test::KitTest;
using kit_test::WriteNineSlice;
using test_support::B;
using test_support::G;
using test_support::PixelAt;
using test_support::R;

TEST_F(KitTest, EventQueueIsFirstInFirstOutWithItsTextForms) {
    EXPECT_EQ(kit_EventID(), 0) << "no event polled yet";
    EXPECT_EQ(kit_EventSource(), nullptr);
    EXPECT_EQ(kit_EventText(), "");
    EXPECT_EQ(kit_EventSourceName(), "");

    const auto button = kit_CreateButton("Go", "Go", 0, 0, 10, 10);
    kit_PostEvent(12, button, 3, -4, 5, nullptr);
    kit_PostEvent(7, nullptr, 0, 0, 0, nullptr);
    kit_PostEvent(21, button, 0, 1, 2, nullptr);
    EXPECT_EQ(kit_EventCount(), 3);

    ASSERT_EQ(kit_PollEvent(), 12);
    EXPECT_EQ(kit_EventSource(), button);
    EXPECT_EQ(kit_EventText(), "Event: GadgetSelect Data: 3 X: -4 Y: 5 Source: Go");
    ASSERT_EQ(kit_PollEvent(), 7);
    EXPECT_EQ(kit_EventText(), "Event: Unknown Event: 7 Data: 0 X: 0 Y: 0 Source: External Source");
    EXPECT_EQ(kit_EventSourceName(), "");
    ASSERT_EQ(kit_PollEvent(), 21);
    EXPECT_EQ(kit_EventX(), 1);
    EXPECT_EQ(kit_PollEvent(), 0);
    EXPECT_EQ(kit_EventID(), 21) << "an empty poll keeps the last event current";

    for (const int id : {1, 11, 13, 14}) kit_PostEvent(id, nullptr, 0, 0, 0, nullptr);
    std::vector<std::string> kinds;
    while (kit_PollEvent()) kinds.push_back(kit_TEvent::KindText(kit_EventID()));
    EXPECT_EQ(kinds,
              (std::vector<std::string>{"SetScreen", "GadgetAction", "GadgetOpen", "GadgetClose"}));
}

TEST_F(KitTest, ScreensAreFoundIgnoringCaseAndAMissingOneKeepsTheCurrent) {
    EXPECT_EQ(kit_CreateScreen("", "nothing"), nullptr);
    const auto menu = kit_CreateScreen("Main Menu", "Welcome");
    const auto options = kit_CreateScreen("Options Menu", "");
    EXPECT_EQ(kit_CurrentScreenName(), "");

    kit_SetScreen("MAIN menu");
    EXPECT_EQ(kit_GUI::GetCurrentScreen(), menu);
    EXPECT_EQ(kit_CurrentScreenCaption(), "Welcome");
    ASSERT_EQ(kit_PollEvent(), kit_EventSetScreen);
    EXPECT_EQ(kit_EventSource(), nullptr);
    EXPECT_EQ(kit_EventExtra(), menu);

    testing::internal::CaptureStdout();
    kit_SetScreen("Credits");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "What the fuck?\n");
    EXPECT_EQ(kit_CurrentScreenName(), "Main Menu");
    ASSERT_EQ(kit_PollEvent(), kit_EventSetScreen) << "posted even when nothing matched";
    EXPECT_EQ(kit_EventExtra(), nullptr);
    EXPECT_NE(options, nullptr);
}

TEST_F(KitTest, FontsAreLookedUpIgnoringCaseAndGadgetsTakeTheDefault) {
    UseShippedSkin();
    kit_LoadFont("", "trebucbd.ttf", 30);
    kit_LoadFont("Large", "trebucbd.ttf", 24);
    const FontHandle normal = kit_GetFont("Default");
    ASSERT_NE(normal, nullptr);
    EXPECT_EQ(kit_GetFont("DEFAULT"), normal);
    EXPECT_EQ(kit_GetFont("default"), normal);
    EXPECT_NE(kit_GetFont("large"), normal);
    EXPECT_EQ(kit_GetFont(""), nullptr);
    EXPECT_EQ(kit_GetFont("Huge"), nullptr) << "unknown names select the built-in font";

    const auto label = kit_CreateLabel("l", "Text", 0, 0, 0, 0);
    EXPECT_EQ(label->Font, normal);
    const float small_height = label->H;
    label->SetFont("LARGE");
    EXPECT_EQ(label->Font, kit_GetFont("Large"));
    EXPECT_GT(label->H, small_height) << "SetFont lays the label out again";
}

TEST_F(KitTest, HexColoursNeedExactlySixDigits) {
    int r = 1, g = 2, b = 3;
    kit_ParseHexColor("3f3d3d", r, g, b);
    EXPECT_EQ(r, 63);
    EXPECT_EQ(g, 61);
    EXPECT_EQ(b, 61);
    kit_ParseHexColor("fff", r, g, b);
    EXPECT_EQ(r, 63) << "other lengths leave the colour untouched";
    kit_ParseHexColor("FF8000", r, g, b);
    EXPECT_EQ(r, 255);
    EXPECT_EQ(g, 128);
    EXPECT_EQ(b, 0);

    const auto button = kit_CreateButton("b", "", 0, 0, 10, 10);
    button->SetColorHex("A0B0C0");
    EXPECT_EQ(button->Color.G, 0xB0);
    button->SetTextColorHex("fff");
    EXPECT_EQ(button->TextColor.R, 0) << "a bad hex colour becomes black";
    button->SetColorHex("12345");
    EXPECT_EQ(button->Color.R + button->Color.G + button->Color.B, 0);
}

TEST_F(KitTest, GadgetPathsDescendThroughChildren) {
    EXPECT_EQ(kit_SplitString("a//b", "/"), (std::vector<std::string>{"a", "", "b"}));
    EXPECT_EQ(kit_SplitString("", "/"), (std::vector<std::string>{""}));

    const auto options = kit_CreatePanel("Options", 0, 0, 300, 300);
    const auto inner = kit_CreatePanel("Sound", 10, 10, 100, 100, options);
    const auto ok = kit_CreateButton("OK", "OK", 5, 5, 40, 20, inner);
    EXPECT_EQ(kit_CreatePanel("", 0, 0, 1, 1), nullptr);

    EXPECT_EQ(kit_FindGadget("options"), options) << "one part gives the panel";
    EXPECT_EQ(kit_FindGadget("Options/sound/ok"), ok);
    EXPECT_EQ(kit_FindGadget("Options/Music/OK"), nullptr);
    EXPECT_EQ(kit_FindGadget("Options//OK"), nullptr);
    EXPECT_EQ(kit_FindGadget("Nothing"), nullptr);
    // With a starting gadget the path is followed from it.
    EXPECT_EQ(kit_FindGadget("Sound/OK", options), ok);
    EXPECT_EQ(kit_FindGadget("OK", inner), ok);
    EXPECT_EQ(kit_FindGadget("Options/Sound", options), nullptr);
    EXPECT_EQ(ok->GetAbsoluteX(), 15);
    EXPECT_EQ(ok->GetAbsoluteY(), 15);

    kit_HidePanel("SOUND");
    EXPECT_EQ(inner->Hidden, 1);
    kit_ShowPanel("sound");
    EXPECT_EQ(inner->Hidden, 0);
    kit_HidePanel("none");  // nothing to hide: no effect
}

// A screen with two overlapping top-level buttons: "Under" added first.
class PointerTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        screen = kit_CreateScreen("Test", "");
        under = kit_CreateButton("Under", "Under", 100, 100, 100, 30);
        over = kit_CreateButton("Over", "Over", 150, 100, 100, 30);
        screen->AddGadget(under);
        screen->AddGadget(over);
        kit_SetScreen("Test");
        Drain();
    }
    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TButton> under, over;
};

TEST_F(PointerTest, TheGadgetAddedLaterTakesAClickWhereTwoOverlap) {
    Frame(175, 110, false);
    auto seen = Drain();
    ASSERT_EQ(seen.size(), 1u) << "one MouseOver a frame, for the gadget on top";
    EXPECT_EQ(seen[0].source, "Over");
    EXPECT_EQ(kit_GUI::GetMouseOverGadget(), over);

    Frame(175, 110, true);
    seen = Drain();
    ASSERT_EQ(seen.size(), 2u) << "one MouseOver and one GadgetAction";
    for (const auto& e : seen) EXPECT_EQ(e.source, "Over") << e.id;
    EXPECT_EQ(under->MouseState, 0) << "the capture keeps the button below out";

    // The release frame: the pressed button stops after its release, and the
    // one below is the first to claim the mouse-over.
    Frame(175, 110, false);
    seen = Drain();
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].id, kit_EventGadgetSelect);
    EXPECT_EQ(seen[0].source, "Over");
    EXPECT_EQ(seen[1].id, kit_EventMouseOver);
    EXPECT_EQ(seen[1].source, "Under");
}

TEST_F(PointerTest, RightAndBottomEdgesAreInside) {
    Click(250, 130);  // Over's right and bottom edge
    auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(SelectSource(seen), "Over");
    over->Hide();
    Click(200, 130);  // Under's
    seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(SelectSource(seen), "Under");
    Click(251, 130);
    Click(250, 131);
    Click(99, 99);
    EXPECT_EQ(Count(Drain(), kit_EventGadgetSelect), 0);
}

TEST_F(PointerTest, RestingOnAButtonQueuesOneMouseOverPerFrame) {
    for (int i = 0; i < 3; ++i) Frame(110, 105, false);
    const auto seen = Drain();
    ASSERT_EQ(seen.size(), 3u);
    for (const auto& e : seen) {
        EXPECT_EQ(e.id, kit_EventMouseOver);
        EXPECT_EQ(e.source, "Under");
        EXPECT_EQ(e.x, 10) << "relative to the button";
        EXPECT_EQ(e.y, 5);
    }
    EXPECT_EQ(kit_GUI::GetMouseOverGadget(), under);
    EXPECT_EQ(under->MouseState, 1);
    EXPECT_EQ(kit_GUI::GetCursorState(), 1);
}

TEST_F(PointerTest, APressCapturesTheMouseUntilTheReleaseWherever) {
    Frame(110, 110, true);
    EXPECT_EQ(under->MouseState, 2);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), under);
    EXPECT_EQ(kit_GUI::GetCursorState(), 2);
    // Dragging over the other button while held: it does not react.
    Frame(240, 110, true);
    EXPECT_EQ(over->MouseState, 0);
    EXPECT_EQ(under->MouseState, 2);
    Frame(600, 600, true);
    Frame(600, 600, false);  // released far outside
    EXPECT_EQ(under->MouseState, 3);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);

    const auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 3) << "once per held frame";
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    for (const auto& e : seen) EXPECT_EQ(e.source, "Under");

    Frame(600, 600, false);
    EXPECT_EQ(under->MouseState, 0) << "back to idle at its next update";
}

TEST_F(PointerTest, HoldingTheButtonAndMovingOntoAGadgetPressesIt) {
    Frame(500, 500, true);
    Frame(110, 110, true);
    EXPECT_EQ(under->MouseState, 2);
}

TEST_F(PointerTest, HiddenGadgetsAreNeitherDrawnNorUpdatedButFinishAPress) {
    over->Hide();
    Click(175, 110);
    auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(SelectSource(seen), "Under") << "the hidden button lets the click through";

    Frame(110, 110, true);
    under->Hide();
    Frame(110, 110, false);
    seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1) << "a press in progress still ends";
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    Click(110, 110);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(PointerTest, ATargetScreenSwitchesOnReleaseAndPostsSetScreen) {
    const auto options = kit_CreateScreen("Options", "");
    under->SetTargetScreenByName("nowhere");
    EXPECT_EQ(under->TargetScreen.lock(), nullptr);
    under->SetTargetScreenByName("OPTIONS");
    Click(110, 110);
    EXPECT_EQ(kit_GUI::GetCurrentScreen(), options);
    const auto seen = Drain();
    ASSERT_GE(seen.size(), 2u);
    EXPECT_EQ(seen[seen.size() - 2].id, kit_EventGadgetSelect);
    EXPECT_EQ(seen.back().id, kit_EventSetScreen);
    EXPECT_EQ(seen.back().source, "Under");
    // The new screen is empty: nothing reacts any more.
    Click(110, 110);
    EXPECT_TRUE(Drain().empty());
}

TEST_F(KitTest, RefreshWithoutAScreenRunsOnlyThePopUps) {
    UseShippedSkin();
    const auto popup = kit_CreateButton("Popup", "Pop", 10, 10, 60, 20);
    kit_GUI::AddFloating(popup);
    kit_GUI::AddFloating(nullptr);
    EXPECT_EQ(kit_GUI::GetFloatingList().size(), 1u);
    Click(20, 20);
    const auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(kit_State::Depth(), 0) << "every state pushed was popped";
}

TEST_F(KitTest, PopUpsGetTheMouseBeforeTheScreen) {
    const auto screen = kit_CreateScreen("S", "");
    screen->AddGadget(kit_CreateButton("Below", "", 0, 0, 100, 100));
    kit_GUI::AddFloating(kit_CreateButton("Above", "", 0, 0, 100, 100));
    kit_SetScreen("S");
    Drain();
    Click(50, 50);
    const auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(SelectSource(seen), "Above");
}

// True when anything but black was drawn in the rectangle.
bool Drawn(int x, int y, int w, int h) {
    for (const std::uint32_t p : gfx_read_pixels(x, y, w, h)) {
        if ((p & 0xFFFFFFu) != 0) return true;
    }
    return false;
}

TEST_F(KitTest, TheCursorFollowsTheStateAndTheSystemPointerOnlyWhenAllowed) {
    UseShippedSkin();
    ASSERT_NE(kit_GUI::GetCursorImage(0), nullptr);
    const auto screen = kit_CreateScreen("S", "");
    screen->AddGadget(kit_CreateButton("B", "", 500, 100, 100, 100));
    kit_SetScreen("S");
    gfx_set_blend(kBlendAlpha);
    gfx_cls();
    Frame(300, 300, false);
    EXPECT_EQ(kit_GUI::GetCursorState(), 0);
    EXPECT_TRUE(Drawn(300, 300, 24, 32)) << "the normal cursor at the mouse";

    gfx_cls();
    Frame(520, 150, false);
    EXPECT_EQ(kit_GUI::GetCursorState(), 1) << "over a button";
    EXPECT_TRUE(Drawn(515, 150, 24, 32));

    kit_SetResolution(1024, 768, 1);
    kit_SetSystemPointer(1);
    gfx_cls();
    Frame(400, 300, false);
    EXPECT_FALSE(Drawn(380, 280, 60, 60)) << "the system pointer instead";
    gfx_cls();
    Frame(520, 150, false);
    EXPECT_TRUE(Drawn(515, 150, 24, 32)) << "gadgets still show the kit's cursors";
}

// A screen of every gadget the kit draws, in the states that change their
// look (a lit button, a focused field with a selection, an open combo box
// and calendar, a clipped scroll box, a canvas), drawn from the engine's
// plain state and again after other code left rotation, scale, alpha,
// colour, blend, handle, line width and font behind: the same picture, and
// the state (font included) handed back as the kit found it.
TEST_F(KitTest, EveryGadgetDrawsTheSameWhateverStateItFindsAndLeavesTheStateAlone) {
    UseShippedSkin();
    kit_LoadFont("Other", "trebucbd.ttf", 20);
    const auto screen = kit_CreateScreen("S", "");
    const auto add = [&screen](const kit_GadgetRef& gadget) {
        ASSERT_NE(gadget, nullptr);
        screen->AddGadget(gadget);
    };
    const auto panel = kit_CreatePanel("panel", 10, 10, 200, 110);
    kit_CreateLabel("inPanel", "In a panel", 10, 10, 0, 0, 0, 0, panel);
    add(panel);
    const auto frameless = kit_CreatePanel("frameless", 220, 10, 100, 60);
    frameless->HideFrame();
    add(frameless);
    add(kit_CreateButton("button", "Button", 340, 10, 120, 25));
    const auto lit = kit_CreateButton("lit", "Lit", 340, 50, 120, 25);
    add(lit);
    add(kit_CreateImageButton("imageButton", "Sprites/target.png", 480, 10, 0, 0));
    add(kit_CreateRoundButton("roundButton", "sprites/gradball.png", 640, 60, 26));
    const auto label = kit_CreateLabel("label", "A label", 700, 10, 0, 0, 0, 0);
    label->SetTextColor(255, 255, 255);
    add(label);
    const auto check = kit_CreateCheckBox("checkBox", "Checked", 700, 40);
    check->SetChecked(1);
    add(check);
    const auto slider = kit_CreateSlider("slider", 10, 150, 150, 1, 0, 10, 1);
    slider->SetValue(4);
    add(slider);
    add(kit_CreateSlider("upright", 180, 140, 100, 0, 0, 10, 1));
    const auto bar = kit_CreateScrollBar("scrollBar", 220, 150, 180, 1, 400, 100);
    bar->SetValue(120);
    add(bar);
    const auto progress = kit_CreateProgressBar("progressBar", "40 %", 420, 150, 200, 22);
    progress->SetPercent(40);
    add(progress);
    add(kit_CreateImage("image", "Sprites/jeep.png", 640, 140, 120, 80));
    const auto combo = kit_CreateComboBox("comboBox", "Pick", 10, 250, 150, 24, 150, 120, 18);
    for (const char* item : {"One", "Two", "Three", "Four", "Five", "Six", "Seven", "Eight"}) {
        combo->AddItem(item);
    }
    combo->Select(1);
    add(combo);
    const auto field = kit_CreateTextField("textField", "Some text", 200, 250, 150, 24);
    field->SetTextColor(255, 255, 255);
    add(field);
    add(kit_CreateTextField("searchField", "", 370, 250, 150, 24, 1));
    const auto date = kit_CreateDate("date", 540, 250, 130, 24, 2000, 2030);
    add(date);
    add(kit_CreateSearchBox("searchBox", 700, 250, 150, 24));
    const auto table = kit_CreateTable("table", 10, 300, 120, "Name", 120, 18, 1);
    table->AddColumn("Score", 60);
    for (int i = 0; i < 10; ++i) table->AddRow({"Row " + std::to_string(i), std::to_string(i)});
    table->Select(2);
    add(table);
    const auto box = kit_CreateScrollBox("scrollBox", 300, 300, 200, 150, 3, 400, 300);
    kit_CreateLabel("inBox", "Scrolled content", 10, 10, 0, 0, 0, 0, box);
    kit_CreateButton("boxButton", "Clipped", 120, 100, 150, 25, box);
    box->HScroll->SetValue(40);
    add(box);
    const auto filled = kit_CreateScrollBox("filledBox", 520, 300, 120, 90, 1, 0, 200);
    filled->SetBorderStyle(2);
    filled->SetColor(90, 86, 86);
    add(filled);
    const auto canvas = kit_CreateCanvas("canvas", 660, 300, 100, 80);
    canvas->SetColor(20, 40, 60);
    // Draws through whatever the canvas hands it.
    canvas->SetDrawCallback([] {
        gfx_draw_rect(10, 10, 50, 20);
        gfx_draw_line(0, 79, 99, 40);
    });
    add(canvas);
    kit_SetScreen("S");

    Click(220, 262);  // the field takes the focus
    field->Select(2, 6);
    combo->OpenMenu(10, 560);
    date->OpenPanel(540, 560);
    kit_GUI::ReleaseCapture();  // the pop-ups wait open; the pointer rests on a button
    Frame(400, 62, false);
    Drain();
    ASSERT_EQ(kit_GUI::GetMouseOverGadget(), lit);
    ASSERT_EQ(field->Focused, 1);

    std::vector<kit_GadgetRef> gadgets = screen->Gadgets;
    for (const auto& popup : kit_GUI::GetFloatingList()) {
        if (!popup->Hidden) gadgets.push_back(popup);
    }
    // One frame through the kit, then each gadget drawn on its own: the
    // state and the font are handed back each time.
    std::string leaving;
    const auto draw = [this, &gadgets, &leaving] {
        gfx_cls();
        const GfxState before = gfx_get_state();
        const FontHandle font = gfx_get_font();
        Frame(400, 62, false);
        EXPECT_TRUE(gfx_get_state() == before) << "the frame hands the drawing state back";
        EXPECT_EQ(gfx_get_font(), font) << "and the font";
        std::vector<std::uint32_t> pixels = gfx_read_pixels(0, 0, 1024, 768);
        for (const auto& g : gadgets) {
            g->Draw(0, 0);
            if (!(gfx_get_state() == before) || gfx_get_font() != font) leaving += " " + g->Name;
            gfx_set_state(before);
            gfx_set_font(font);
        }
        return pixels;
    };
    gfx_reset_state();
    gfx_set_font(nullptr);
    const std::vector<std::uint32_t> plain = draw();
    gfx_set_rotation(33);
    gfx_set_scale(1.7, 0.6);
    gfx_set_alpha(0.45);
    gfx_set_color(200, 40, 90);
    gfx_set_blend(kBlendLight);
    gfx_set_handle(13, -7);
    gfx_set_line_width(3);
    gfx_set_font(kit_GetFont("Other"));
    const std::vector<std::uint32_t> disturbed = draw();
    ASSERT_EQ(plain.size(), disturbed.size());
    EXPECT_EQ(leaving, "") << "gadgets that leave drawing state behind";

    // Each gadget (the pop-ups and the cursor too) drew something, and the
    // ones whose rectangle shows a difference are named.
    struct Area {
        std::string name;
        float x, y, w, h;
    };
    std::vector<Area> areas;
    for (const auto& g : gadgets) areas.push_back({g->Name, g->X, g->Y, g->W, g->H});
    areas.push_back({"cursor", 400, 62, 24, 32});
    std::string differing;
    for (const Area& a : areas) {
        bool drawn = false, differs = false;
        for (int y = std::max(0, static_cast<int>(a.y)); y < std::min(768.0f, a.y + a.h); ++y) {
            for (int x = std::max(0, static_cast<int>(a.x)); x < std::min(1024.0f, a.x + a.w);
                 ++x) {
                const auto at = static_cast<std::size_t>(y * 1024 + x);
                drawn = drawn || (plain[at] & 0xFFFFFFu) != 0;
                differs = differs || plain[at] != disturbed[at];
            }
        }
        EXPECT_TRUE(drawn) << a.name << " draws nothing";
        if (differs) differing += " " + a.name;
    }
    EXPECT_TRUE(plain == disturbed) << "drawn differently:" << differing;
}

TEST_F(KitTest, ViewportNarrowingClampsAtZero) {
    gfx_set_viewport(100, 100, 200, 100);
    kit_ClipViewport(50, 150, 400, 20);
    int x, y, w, h;
    gfx_get_viewport(&x, &y, &w, &h);
    EXPECT_EQ(x, 100);
    EXPECT_EQ(y, 150);
    EXPECT_EQ(w, 200) << "moving x right does not shrink w; the right edge does";
    EXPECT_EQ(h, 20);

    gfx_set_viewport(100, 100, 200, 100);
    kit_ClipViewport(120, 120, 8 - 4 - 6, 4 - 4);  // a gadget smaller than its inset
    gfx_get_viewport(&x, &y, &w, &h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);

    gfx_set_viewport(100, 100, 200, 100);
    kit_ClipViewport(400, 300, 50, 50);  // wholly outside
    gfx_get_viewport(&x, &y, &w, &h);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    EXPECT_FALSE(kit_RectVisible(300, 200, 10));
    gfx_set_viewport(0, 0, 1024, 768);
    EXPECT_TRUE(kit_RectVisible(-5, -5, 6));
    EXPECT_FALSE(kit_RectVisible(-5, -5, 5));
}

TEST_F(KitTest, TheStateStackRestoresTheDrawingState) {
    gfx_set_color(10, 20, 30);
    gfx_set_viewport(1, 2, 3, 4);
    gfx_set_alpha(0.5);
    kit_State::Push();
    gfx_set_color(200, 200, 200);
    gfx_set_viewport(0, 0, 1024, 768);
    gfx_set_alpha(1);
    gfx_set_font(kit_GetFont("none"));
    gfx_set_scale(2, 3);
    kit_State::Pop();
    int r, g, b, x, y, w, h;
    gfx_get_color(&r, &g, &b);
    gfx_get_viewport(&x, &y, &w, &h);
    EXPECT_EQ(g, 20);
    EXPECT_EQ(h, 4);
    EXPECT_DOUBLE_EQ(gfx_get_alpha(), 0.5);
    double sx, sy;
    gfx_get_scale(&sx, &sy);
    EXPECT_DOUBLE_EQ(sy, 1.0);
    EXPECT_EQ(kit_State::Depth(), 0);
}

TEST_F(KitTest, NineSliceTilesAreCutFromTheGrid) {
    std::filesystem::create_directories("Skin/graphics");
    WriteNineSlice("Skin/graphics/panel.png");
    WriteNineSlice("Skin/graphics/button.png", 7, 9);  // too small
    kit_SetSkin("Skin");
    const kit_NineImages& panel = kit_SkinOf(kit_SkinSlot::Panel).Tiles;
    for (int i = 0; i < 9; ++i) {
        ASSERT_NE(panel[static_cast<std::size_t>(i)], nullptr);
        const Pixmap pm = img_lock(panel[static_cast<std::size_t>(i)], 0, 1, 0);
        EXPECT_EQ(pm.width, 5);
        EXPECT_EQ(R(pix_read_pixel(pm, 4, 4)), i * 20) << "tile " << i;
        img_unlock(panel[static_cast<std::size_t>(i)], 0);
    }
    // The small file: tile 8 lies wholly outside it and is transparent.
    const kit_NineImages& button = kit_SkinOf(kit_SkinSlot::Button).Tiles;
    Pixmap pm = img_lock(button[8], 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(pm, 0, 0) >> 24, 0u);
    img_unlock(button[8], 0);
    pm = img_lock(button[4], 0, 1, 0);
    EXPECT_EQ(pix_read_pixel(pm, 1, 3) >> 24, 0xFFu) << "inside the file";
    EXPECT_EQ(pix_read_pixel(pm, 2, 3) >> 24, 0u) << "column 7 is outside";
    img_unlock(button[4], 0);
}

TEST_F(KitTest, NineSliceDrawingPutsCornersEdgesAndCentre) {
    std::filesystem::create_directories("Skin/graphics");
    WriteNineSlice("Skin/graphics/panel.png");
    kit_SetSkin("Skin");
    const auto screen = kit_CreateScreen("S", "");
    screen->AddGadget(kit_CreatePanel("P", 100, 100, 60, 40));
    const auto tiny = kit_CreatePanel("Tiny", 300, 100, 40, 8);  // an empty list's height
    kit_CreateButton("Inside", "", 0, 0, 30, 30, tiny);
    screen->AddGadget(tiny);
    kit_SetScreen("S");
    gfx_cls();
    Frame(0, 700, false);
    EXPECT_EQ(R(PixelAt(100, 100)), 0);    // tile 0
    EXPECT_EQ(R(PixelAt(157, 101)), 40);   // tile 2
    EXPECT_EQ(R(PixelAt(130, 102)), 20);   // tile 1 stretched
    EXPECT_EQ(R(PixelAt(101, 139)), 120);  // tile 6
    EXPECT_EQ(R(PixelAt(159, 139)), 160);  // tile 8
    EXPECT_EQ(R(PixelAt(130, 120)), 80);   // centre
    EXPECT_EQ(G(PixelAt(130, 120)), 255 - 80);
    EXPECT_EQ(B(PixelAt(161, 120)), 0) << "nothing outside";
    // The 8-pixel panel: corners only, no edge or centre of negative size.
    EXPECT_EQ(G(PixelAt(301, 101)), 255);  // tile 0
    EXPECT_EQ(R(PixelAt(301, 106)), 120);  // tile 6 over it
    EXPECT_EQ(R(PixelAt(301, 104)), 120) << "no left edge of height -2";
    EXPECT_EQ(R(PixelAt(320, 104)), 140) << "no centre of height -2 over the bottom edge";
    EXPECT_EQ(kit_State::Depth(), 0);
}

TEST_F(KitTest, MissingSkinFilesAreReportedOnceAndGadgetsStillWork) {
    kit_SetSkin("NoSkin");
    kit_SetSkin("NoSkin");
    // The slider reads the scroll bar's files, already reported.
    const std::vector<std::string> expected = {"NoSkin/graphics/panel.png",
                                               "NoSkin/graphics/button.png",
                                               "NoSkin/graphics/combobox.png",
                                               "NoSkin/graphics/combobox arrow.png",
                                               "NoSkin/graphics/menu.png",
                                               "NoSkin/graphics/progress.png",
                                               "NoSkin/graphics/checkbox.png",
                                               "NoSkin/graphics/scrollback.png",
                                               "NoSkin/graphics/scrollup.png",
                                               "NoSkin/graphics/scrolldown.png",
                                               "NoSkin/graphics/scrollleft.png",
                                               "NoSkin/graphics/scrollright.png",
                                               "NoSkin/graphics/vscrollbar.png",
                                               "NoSkin/graphics/hscrollbar.png",
                                               "NoSkin/graphics/textfield.png",
                                               "NoSkin/graphics/search.png",
                                               "NoSkin/graphics/cursors/normal.png",
                                               "NoSkin/graphics/cursors/mouseover.png",
                                               "NoSkin/graphics/cursors/mousedown.png"};
    ASSERT_EQ(console.size(), expected.size()) << "each file once, in the reload order";
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NE(console[i].find(expected[i]), std::string::npos) << console[i];
    }

    const auto screen = kit_CreateScreen("S", "");
    const auto panel = kit_CreatePanel("P", 0, 0, 200, 200);
    const auto box = kit_CreateCheckBox("Box", "Check", 10, 10, 0, panel);
    kit_CreateProgressBar("Bar", "", 10, 50, 100, 20, panel)->SetPercent(40);
    screen->AddGadget(panel);
    kit_SetScreen("S");
    EXPECT_EQ(box->H, 15) << "a missing box image keeps the box's usual size";
    Drain();
    Click(12, 12);
    EXPECT_EQ(box->Checked, 1);
    ASSERT_EQ(kit_PollEvent(), kit_EventMouseOver);
    ASSERT_EQ(kit_PollEvent(), kit_EventGadgetAction);
    EXPECT_EQ(kit_EventData(), 1);
}

// Loaders of classes added to the kit later run at their place in the
// order; these stand-ins write to the console the missing files go to.
std::vector<std::string>* g_lines = nullptr;
void LoadComboBox() {
    g_lines->push_back("combo box");
}
void LoadMenu() {
    g_lines->push_back("menu");
}
void LoadSlider() {
    g_lines->push_back("slider");
}

TEST_F(KitTest, SkinLoadersRunInTheirSlotOrder) {
    g_lines = &console;
    const kit_SkinLoader slider = kit_RegisterSkinLoader(kit_SkinSlot::Slider, &LoadSlider);
    const kit_SkinLoader menu = kit_RegisterSkinLoader(kit_SkinSlot::Menu, &LoadMenu);
    const kit_SkinLoader combo = kit_RegisterSkinLoader(kit_SkinSlot::ComboBox, &LoadComboBox);
    kit_SetSkin("NoSkin");
    kit_RegisterSkinLoader(kit_SkinSlot::Slider, slider);
    kit_RegisterSkinLoader(kit_SkinSlot::Menu, menu);
    kit_RegisterSkinLoader(kit_SkinSlot::ComboBox, combo);
    g_lines = nullptr;
    const std::vector<std::string> expected = {
        "panel.png", "button.png", "combo box", "menu", "progress.png", "checkbox.png",
        "scrollback.png", "scrollup.png", "scrolldown.png", "scrollleft.png", "scrollright.png",
        "vscrollbar.png", "hscrollbar.png", "textfield.png", "search.png",
        // The date and its calendar; the search box and its pop-up only load
        // files already reported.
        "combobox.png", "combobox arrow.png", "menu.png", "slider", "normal.png"};
    ASSERT_GE(console.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_NE(console[i].find(expected[i]), std::string::npos) << console[i];
    }
}

}  // namespace
