// The basic gadgets: panels gating input, buttons and their events, labels,
// images, canvases, check boxes and progress bars.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
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

// A screen holding one panel at (50, 50) of 300 x 200 with a button inside
// it at (10, 10) of 100 x 30, that is (60, 60) on the screen.
class PanelTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        screen = kit_CreateScreen("S", "");
        panel = kit_CreatePanel("Panel", 50, 50, 300, 200);
        button = kit_CreateButton("Inside", "Inside", 10, 10, 100, 30, panel);
        screen->AddGadget(panel);
        kit_SetScreen("S");
        Drain();
    }
    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TPanel> panel;
    std::shared_ptr<kit_TButton> button;
};

TEST_F(PanelTest, ChildrenReactOnlyWhileTheMouseIsInsideThePanel) {
    panel->HideBackground();
    Click(70, 70);
    auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1) << "an invisible panel still passes input";
    EXPECT_EQ(kit_GUI::GetMousePanel(), panel);
    EXPECT_EQ(panel->MouseState, 0) << "a panel never takes the mouse itself";
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);

    Frame(10, 10, false);
    EXPECT_EQ(kit_GUI::GetMousePanel(), nullptr);
    EXPECT_TRUE(Drain().empty()) << "panels post no events";
}

TEST_F(PanelTest, ChildrenAddedLaterAreOnTopForTheMouse) {
    kit_CreateButton("Later", "Later", 50, 10, 100, 30, panel);  // overlaps "Inside"
    Click(120, 70);
    const auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(SelectSource(seen), "Later");
}

// The panel no longer updates its children once the pointer has left it,
// but the pressed button still hears of its release there.
TEST_F(PanelTest, AButtonHeldWhileTheMouseLeavesThePanelGetsItsReleaseOutside) {
    screen->AddGadget(kit_CreatePanel("Other", 400, 50, 200, 200));
    Frame(70, 70, true);
    Frame(500, 100, true);  // over the other panel
    Frame(500, 100, false);
    EXPECT_EQ(button->MouseState, 3);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 2) << "held for two frames";

    Frame(70, 70, true);
    Frame(900, 700, true);  // over no panel
    Frame(900, 700, false);
    EXPECT_EQ(Count(Drain(), kit_EventGadgetSelect), 1);
    Click(520, 150);  // the mouse is free again
    EXPECT_EQ(kit_GUI::GetMousePanel()->Name, "Other");
}

TEST_F(PanelTest, OfTwoOverlappingPanelsTheOneAddedLaterClaimsTheMouse) {
    const auto front = kit_CreatePanel("Front", 0, 0, 120, 120);
    const auto nested = kit_CreatePanel("Nested", 5, 5, 100, 100, front);
    const auto deep = kit_CreateButton("Deep", "", 5, 5, 80, 80, nested);
    screen->AddGadget(front);
    Click(70, 70);  // inside both top-level panels and on both buttons
    const auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    for (const auto& e : seen) {
        EXPECT_EQ(e.source, "Deep") << "panels inside the claimer work";
    }
    EXPECT_EQ(deep->MouseState, 3);
    EXPECT_EQ(button->MouseState, 0);
    EXPECT_EQ(kit_GUI::GetMousePanel(), nested);
    EXPECT_EQ(front->FindChild("NESTED"), nested);
    EXPECT_EQ(screen->FindPanel("front"), front);
    EXPECT_EQ(screen->FindPanel(""), nullptr);
    EXPECT_EQ(screen->FindPanel("Nested"), nullptr) << "only top-level panels";
}

TEST_F(PanelTest, HoldingAButtonForFiveFramesQueuesFiveActionsAndOneSelect) {
    for (int i = 0; i < 5; ++i) Frame(70, 70, true);
    Frame(70, 70, false);
    const auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 5);
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 1);
    EXPECT_EQ(Count(seen, kit_EventMouseOver), 1) << "a pressed gadget skips the mouse-over step";
    EXPECT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen.front().id, kit_EventMouseOver);
}

TEST_F(KitTest, RoundButtonsHitTestACircleAroundTheirPosition) {
    const auto screen = kit_CreateScreen("S", "");
    const auto round = kit_CreateRoundButton("Round", "missing.png", 100, 100, 20);
    screen->AddGadget(round);
    kit_SetScreen("S");
    Drain();
    EXPECT_EQ(round->W, 40);
    EXPECT_EQ(round->DrawSkin, 0);
    EXPECT_EQ(debug, (std::vector<std::string>{"Null image, matey!"}));
    Click(115, 110);  // distance 18
    EXPECT_EQ(Count(Drain(), kit_EventGadgetSelect), 1);
    Click(100, 121);  // distance 21
    Click(100, 120);  // distance 20: not less than the radius
    EXPECT_EQ(Count(Drain(), kit_EventGadgetSelect), 0);
}

// The idle face is the skin (or image) as it is; the pointer over a button
// lightens it and a press darkens it, for skinned and image buttons alike.
TEST_F(KitTest, ButtonsLightenUnderThePointerAndDarkenWhilePressed) {
    std::filesystem::create_directories("Skin/graphics");
    WriteNineSlice("Skin/graphics/button.png");
    kit_SetSkin("Skin");
    const std::vector<std::uint32_t> icon(40 * 20, 0xFF336699u);
    ASSERT_EQ(pix_save_png(40, 20, icon.data(), "icon.png"), 1);
    const auto screen = kit_CreateScreen("S", "");
    screen->AddGadget(kit_CreateButton("Skinned", "", 100, 100, 100, 30));
    screen->AddGadget(kit_CreateImageButton("Image", "icon.png", 300, 100, 0, 0));
    kit_SetScreen("S");
    struct Face {
        int x, y;
        std::uint32_t idle;
    };
    // The centre tile of the skin, and the image's colour.
    for (const Face& face : {Face{150, 115, 0xFF50AF64u}, Face{320, 110, 0xFF336699u}}) {
        // What a frame draws is what the frame before it found under the mouse.
        auto drawn = [&](bool held) {
            Frame(face.x, face.y, held);
            Frame(face.x, face.y, held);
            return PixelAt(face.x, face.y);
        };
        Frame(600, 600, false);
        Frame(600, 600, false);
        EXPECT_EQ(PixelAt(face.x, face.y) & 0xFFFFFFu, face.idle & 0xFFFFFFu) << face.x;
        const std::uint32_t over = drawn(false), pressed = drawn(true);
        Frame(600, 600, false);
        for (auto channel : {R, G, B}) {
            EXPECT_GE(channel(over), channel(face.idle)) << face.x;
            EXPECT_LT(channel(pressed), channel(face.idle)) << face.x;
        }
        EXPECT_GT(R(over) + G(over) + B(over), R(face.idle) + G(face.idle) + B(face.idle))
            << face.x;
    }
}

TEST_F(KitTest, ImageButtonsTakeTheImageSizeAndCentreIt) {
    const std::vector<std::uint32_t> pixels(40 * 20, 0xFF336699u);
    ASSERT_EQ(pix_save_png(40, 20, pixels.data(), "icon.png"), 1);
    const auto button = kit_CreateImageButton("Icon", "icon.png", 10, 10, 0, 0);
    ASSERT_NE(button->Image, nullptr);
    EXPECT_EQ(button->W, 40);
    EXPECT_EQ(button->H, 20);
    EXPECT_EQ(button->TextX, 10);
    EXPECT_EQ(button->TextY, 10);
    const ImageHandle before = button->Image;
    button->LoadImage("nothing.png");
    EXPECT_EQ(button->Image, before) << "a failed load keeps the previous image";
    button->SetImage(nullptr);
    EXPECT_EQ(button->Image, before);
    EXPECT_EQ(kit_CreateImageButton("", "icon.png", 0, 0, 0, 0), nullptr);

    const auto wide = kit_CreateImageButton("Wide", "icon.png", 0, 0, 100, 0);
    EXPECT_EQ(wide->W, 100);
    EXPECT_EQ(wide->TextX, 30) << "centred in the given width";
}

TEST_F(KitTest, ButtonCaptionsAreCentred) {
    // The built-in font: 8 x 16 glyphs.
    const auto button = kit_CreateButton("B", "Four", 100, 50, 60, 30);
    EXPECT_EQ(button->TextX, 100 + 30 - 16);
    EXPECT_EQ(button->TextY, 50 + 15 - 8);
    button->SetPosition(0, 0);
    EXPECT_EQ(button->TextX, 114) << "moving does not lay out again";
    button->SetSize(20, 20);
    EXPECT_EQ(button->TextX, 10 - 16);
    EXPECT_EQ(kit_CreateButton("", "x", 0, 0, 1, 1), nullptr);
}

TEST_F(KitTest, LabelsAlignOnTheirAnchorAndTakeTheTextSize) {
    const auto left = kit_CreateLabel("", "Ten chars!", 200, 100, 0, 0, 0, 0);
    EXPECT_EQ(left->X, 200);
    EXPECT_EQ(left->W, 80);
    EXPECT_EQ(left->H, 16);
    const auto centre = kit_CreateLabel("c", "Ten chars!", 200, 100, 0, 0, 1, 1);
    EXPECT_EQ(centre->X, 160);
    EXPECT_EQ(centre->Y, 92);
    const auto right = kit_CreateLabel("r", "Ten chars!", 200, 100, 0, 0, 2, 2);
    EXPECT_EQ(right->X, 120);
    EXPECT_EQ(right->Y, 84);
    right->SetText("Five!");
    EXPECT_EQ(right->X, 160);
    EXPECT_EQ(right->GetText(), "Five!");
    right->SetHAlign(7);  // unknown alignment: X stays
    EXPECT_EQ(right->X, 160);
}

TEST_F(KitTest, ImagesLoadOrReturnNullAndTakeTheirSize) {
    const std::vector<std::uint32_t> pixels(30 * 12, 0xFFFF0000u);
    ASSERT_EQ(pix_save_png(30, 12, pixels.data(), "red.png"), 1);
    const auto panel = kit_CreatePanel("P", 0, 0, 100, 100);
    EXPECT_EQ(kit_CreateImage("Gone", "gone.png", 0, 0, 0, 0, panel), nullptr);
    EXPECT_EQ(debug, (std::vector<std::string>{"Image: gone.png not loaded."}));
    EXPECT_TRUE(panel->Children.empty()) << "nothing attached";

    const auto image = kit_CreateImage("Red", "red.png", 5, 6, 0, 50, panel);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->Path, "red.png");
    EXPECT_EQ(image->W, 30);
    EXPECT_EQ(image->H, 50);
    image->SetSize(-1, 0);
    EXPECT_EQ(image->H, 12);

    const auto screen = kit_CreateScreen("S", "");
    screen->AddGadget(kit_CreateImage("Big", "red.png", 400, 300, 60, 24));
    kit_SetScreen("S");
    gfx_cls();
    Frame(0, 700, false);
    EXPECT_EQ(R(PixelAt(455, 320)), 255) << "stretched to the gadget's size";
    EXPECT_EQ(R(PixelAt(461, 320)), 0);
}

TEST_F(KitTest, CanvasesClearAndClipTheirCallbackAndReportPressesInside) {
    const auto screen = kit_CreateScreen("S", "");
    const auto canvas = kit_CreateCanvas("Canvas", 100, 100, 50, 40);
    canvas->SetColor(0, 0, 255);
    int calls = 0;
    canvas->SetDrawCallback([&calls] {
        ++calls;
        gfx_set_color(0, 255, 0);
        gfx_draw_rect(10, 10, 200, 5);  // runs far past the canvas
    });
    screen->AddGadget(canvas);
    kit_SetScreen("S");
    Drain();
    gfx_cls();
    Frame(0, 700, false);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(B(PixelAt(101, 101)), 255) << "cleared to its colour";
    EXPECT_EQ(G(PixelAt(140, 112)), 255) << "callback in canvas coordinates";
    EXPECT_EQ(G(PixelAt(151, 112)), 0) << "clipped at the canvas edge";
    EXPECT_EQ(B(PixelAt(99, 99)), 0);

    Click(120, 130);
    auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 0) << "not interactive";
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0);

    canvas->SetInteractive(1);
    Frame(120, 130, true);
    EXPECT_EQ(kit_GUI::GetCursorState(), 2);
    Frame(170, 90, false);
    seen = Drain();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[1].id, kit_EventGadgetAction);
    EXPECT_EQ(seen[1].x, 20);
    EXPECT_EQ(seen[1].y, 30);
    EXPECT_EQ(seen[2].id, kit_EventGadgetSelect);
    EXPECT_EQ(seen[2].x, 70) << "the release is measured where it happens";
    EXPECT_EQ(seen[2].y, -10);
}

TEST_F(KitTest, CheckBoxesLayOutOnEitherSideOfTheirAnchor) {
    // The built-in font makes the ten-character caption 80 pixels wide and
    // the missing skin a 15-pixel box.
    const auto box = kit_CreateCheckBox("Minimap", "0123456789", 10, 150, 0);
    EXPECT_EQ(box->BoxX, 10);
    EXPECT_EQ(box->TextX, 30);
    EXPECT_EQ(box->X, 10);
    EXPECT_EQ(box->W, 100);
    EXPECT_EQ(box->H, 15);

    box->SetBoxSide(1);
    box->SetPosition(200, 20);
    EXPECT_EQ(box->AnchorX, 200);
    EXPECT_EQ(box->BoxX, 185);
    EXPECT_EQ(box->TextX, 100);
    EXPECT_EQ(box->X, 100);
    EXPECT_EQ(box->W, 100);
    box->SetBoxSide(2);
    EXPECT_EQ(box->BoxSide, 1) << "only 0 and 1";
    box->Move(10, 5);
    EXPECT_EQ(box->BoxX, 195);
    EXPECT_EQ(box->Y, 25);
}

TEST_F(KitTest, CheckBoxesToggleOnReleaseAnywhereOnTheCaption) {
    const auto screen = kit_CreateScreen("S", "");
    const auto box = kit_CreateCheckBox("Minimap", "0123456789", 10, 150, 0);
    screen->AddGadget(box);
    kit_SetScreen("S");
    Drain();
    Frame(105, 160, true);
    EXPECT_EQ(box->Checked, 0) << "toggles on release";
    Frame(105, 160, false);
    EXPECT_EQ(box->IsChecked(), 1);
    Click(12, 152);
    EXPECT_EQ(box->IsChecked(), 0);
    const auto seen = Drain();
    std::vector<int> data;
    for (const auto& e : seen) {
        if (e.id == kit_EventGadgetAction) data.push_back(e.data);
    }
    EXPECT_EQ(data, (std::vector<int>{1, 0}));

    box->SetChecked(5);
    box->Toggle();
    EXPECT_EQ(box->Checked, 4);
    box->SetChecked(-1);
    box->Toggle();
    EXPECT_EQ(box->Checked, 2);
}

TEST_F(KitTest, AOneFrameCheckBoxImageDrawsNothingWhenChecked) {
    std::filesystem::create_directories("Skin/graphics");
    const std::vector<std::uint32_t> pixels(15 * 15, 0xFFFF0000u);
    ASSERT_EQ(pix_save_png(15, 15, pixels.data(), "Skin/graphics/checkbox.png"), 1);
    kit_SetSkin("Skin");
    const auto screen = kit_CreateScreen("S", "");
    const auto off = kit_CreateCheckBox("Off", "", 100, 100, 0);
    const auto on = kit_CreateCheckBox("On", "", 200, 100, 0);
    on->SetChecked(1);
    screen->AddGadget(off);
    screen->AddGadget(on);
    kit_SetScreen("S");
    gfx_cls();
    Frame(0, 700, false);
    EXPECT_EQ(R(PixelAt(107, 107)), 255);
    EXPECT_EQ(R(PixelAt(207, 107)), 0);
    EXPECT_EQ(off->H, 15);

    // A file smaller than one cell: the box shows what there is.
    const std::vector<std::uint32_t> small(9 * 9, 0xFF00FF00u);
    ASSERT_EQ(pix_save_png(9, 9, small.data(), "Skin/graphics/checkbox.png"), 1);
    kit_SetSkin("Skin");
    gfx_cls();
    Frame(0, 700, false);
    EXPECT_EQ(G(PixelAt(104, 104)), 255);
    EXPECT_EQ(G(PixelAt(112, 112)), 0) << "transparent outside the file";
}

TEST_F(KitTest, ProgressBarsFillTheirShareAndReportEveryChange) {
    std::filesystem::create_directories("Skin/graphics");
    WriteNineSlice("Skin/graphics/progress.png");
    kit_SetSkin("Skin");
    const auto screen = kit_CreateScreen("S", "");
    const auto bar = kit_CreateProgressBar("Bar", "", 100, 100, 110, 20);
    screen->AddGadget(bar);
    kit_SetScreen("S");
    bar->SetPercent(50);
    gfx_cls();
    Frame(0, 700, false);
    // The centre tile is (80, 175, 100); colour 1 (red) multiplies the fill.
    EXPECT_EQ(R(PixelAt(105, 110)), 80);
    EXPECT_EQ(G(PixelAt(154, 110)), 0) << "filled up to 50 pixels";
    EXPECT_EQ(G(PixelAt(155, 110)), 175) << "then the empty part";
    EXPECT_EQ(G(PixelAt(204, 110)), 175);
    EXPECT_EQ(R(PixelAt(150, 103)), 80) << "the fill is taller than the empty part";
    EXPECT_EQ(G(PixelAt(160, 103)), 255 - 20) << "the empty part leaves the top edge";

    Drain();
    bar->SetPercent(150);
    bar->SetPercent(100);
    bar->SetPercent(-3);
    std::vector<int> data;
    for (const auto& e : Drain()) data.push_back(e.data);
    EXPECT_EQ(data, (std::vector<int>{100, 100, 0})) << "clamped, and posted when unchanged";

    bar->SetColor(1, 2, 3, 1);
    EXPECT_EQ(bar->Colors[1].B, 3);
    EXPECT_EQ(bar->Colors[0].B, 255);
    bar->SetColorHex("0a0b0c", 0);
    EXPECT_EQ(bar->Colors[0].R, 10);
    bar->SetColor(9, 9, 9, 2);  // no third colour
    EXPECT_EQ(bar->Colors[1].R, 1);

    // Bars narrower than their frame fill nothing and draw no negative part.
    bar->SetSize(6, 3);
    bar->SetPercent(100);
    Frame(0, 700, false);
    EXPECT_EQ(kit_State::Depth(), 0);
}

}  // namespace
