// The text field: typing and the editing keys through the engine's key codes
// and typed characters, caret placement and scrolling, confirming with Enter
// or the search icon, and the focus rule (the focused field reads the
// keyboard wherever the pointer is; a press anywhere else ends the focus).

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

#include "gui/text_field.h"
#include "tests/gui/kit_fixture.h"
#include "tests/support/synthetic_input.h"

namespace {

using kit_test::KitTest;
using test_support::G;
using test_support::Key;
using test_support::PixelAt;
using test_support::R;

// A screen with a field at (100, 100) of 150 x 24 and a button beside it.
// No font is loaded, so the field uses the engine's built-in font.
class TextFieldTest : public KitTest {
protected:
    void SetUp() override {
        KitTest::SetUp();
        screen = kit_CreateScreen("S", "");
        field = kit_CreateTextField("Name", "", 100, 100, 150, 24);
        button = kit_CreateButton("Other", "Other", 400, 100, 100, 30);
        screen->AddGadget(field);
        screen->AddGadget(button);
        kit_SetScreen("S");
        Drain();
    }

    /// One frame with the pointer resting on the field (or at `x`, `y`).
    void Idle(int x = 110, int y = 110) { Frame(x, y, false); }
    void Type(const char* text) {
        test_support::Type(text);
        Idle();
    }
    void Press(SDL_Scancode sc) {
        Key(sc, true);
        Key(sc, false);
        Idle();
    }
    void Focus() {
        Click(110, 110);
        ASSERT_EQ(field->Focused, 1);
    }
    int Width(const std::string& text) {
        gfx_set_font(field->Font);
        return gfx_text_width(text);
    }

    std::shared_ptr<kit_TScreen> screen;
    std::shared_ptr<kit_TTextField> field;
    std::shared_ptr<kit_TButton> button;
};

TEST_F(TextFieldTest, TypingInsertsAtTheCaretAndTheCaretKeysStayInsideTheText) {
    Focus();
    Type("a");
    Type("b");
    Press(SDL_SCANCODE_LEFT);
    Type("c");
    EXPECT_EQ(field->GetText(), "acb");
    EXPECT_EQ(field->Caret, 2);
    EXPECT_EQ(field->CaretPx, Width("ac"));

    Press(SDL_SCANCODE_HOME);
    EXPECT_EQ(field->Caret, 0);
    Press(SDL_SCANCODE_LEFT);
    EXPECT_EQ(field->Caret, 0) << "Left at the start stays";
    Press(SDL_SCANCODE_END);
    EXPECT_EQ(field->Caret, 3);
    Press(SDL_SCANCODE_RIGHT);
    EXPECT_EQ(field->Caret, 3) << "Right at the end stays";

    Type("de");  // two characters in one frame
    EXPECT_EQ(field->GetText(), "acbde");
    EXPECT_EQ(field->Caret, 5);
}

TEST_F(TextFieldTest, KeystrokesPostNoEventsAndControlCharactersAreIgnored) {
    Focus();
    Drain();
    Type("x\ty\x1b");
    EXPECT_EQ(field->GetText(), "xy");
    Press(SDL_SCANCODE_LEFT);
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "y");
    const auto seen = Drain();
    EXPECT_EQ(Count(seen, kit_EventGadgetAction), 0);
    EXPECT_EQ(Count(seen, kit_EventGadgetSelect), 0);
}

TEST_F(TextFieldTest, BackspaceAndDeleteAtTheEndsChangeNothing) {
    field->SetText("abc");
    Focus();
    Press(SDL_SCANCODE_HOME);
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "abc");
    EXPECT_EQ(field->Caret, 0);
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(field->GetText(), "bc");
    EXPECT_EQ(field->Caret, 0) << "Delete leaves the caret";

    Press(SDL_SCANCODE_END);
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(field->GetText(), "bc");
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "b");
    EXPECT_EQ(field->Caret, 1);
    Press(SDL_SCANCODE_BACKSPACE);
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "");
    EXPECT_EQ(field->Caret, 0);
}

TEST_F(TextFieldTest, AccentedCharactersAreEditedWhole) {
    Focus();
    Type("a\xC3\xA9z");  // a, e acute, z
    EXPECT_EQ(field->Length(), 3);
    Press(SDL_SCANCODE_LEFT);
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "az");
    Type("\xE2\x82\xAC");  // the euro sign, three bytes
    EXPECT_EQ(field->GetText(),
              "a\xE2\x82\xAC"
              "z");
    Press(SDL_SCANCODE_LEFT);
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(field->GetText(), "az");
    EXPECT_EQ(field->Caret, 1);
}

TEST_F(TextFieldTest, CharactersTypedBeforeTheFocusAndIntoAnUnfocusedFieldAreDropped) {
    test_support::Type("early");
    Idle(500, 500);
    EXPECT_EQ(field->GetText(), "") << "an unfocused field reads no characters";
    test_support::Type("late");  // waiting in the engine when the field is clicked
    Frame(110, 110, true);
    Frame(110, 110, false);
    EXPECT_EQ(field->GetText(), "") << "the focusing press flushes what was typed";
    Type("ok");
    EXPECT_EQ(field->GetText(), "ok");
}

// SetText keeps the stored caret; an edit after a shorter text must not cut
// the text at a position past its end.
TEST_F(TextFieldTest, EditsAfterAShorterSetTextClampTheCaretFirst) {
    field->SetText("hello");
    field->SetCaret(5);
    field->SetText("hi");
    EXPECT_EQ(field->Caret, 5) << "SetText itself leaves the caret";
    field->Backspace();
    EXPECT_EQ(field->GetText(), "h");
    EXPECT_EQ(field->Caret, 1);

    field->SetText("hello");
    field->SetCaret(5);
    field->SetText("hi");
    field->DeleteForward();
    EXPECT_EQ(field->GetText(), "hi");
    EXPECT_EQ(field->Caret, 2);
    EXPECT_EQ(field->CaretPx, Width("hi"));

    field->SetText("hello");
    field->SetCaret(5);
    Focus();
    field->SetText("hi");
    field->SetCaret(5);  // clamped at once
    EXPECT_EQ(field->Caret, 2);
    field->Caret = 9;  // as SetText can leave it
    Type("!");
    EXPECT_EQ(field->GetText(), "hi!");
    EXPECT_EQ(field->Caret, 3);

    field->SetText("");
    Idle();  // drawing clamps too
    EXPECT_EQ(field->Caret, 0);
    EXPECT_EQ(field->CaretPx, 0);
    EXPECT_EQ(field->ScrollX, 0);
}

TEST_F(TextFieldTest, ShiftWithTheCaretKeysSelectsAndEditsReplaceTheSelection) {
    field->SetText("abcd");
    Focus();
    Press(SDL_SCANCODE_END);
    Key(SDL_SCANCODE_LSHIFT, true);
    Press(SDL_SCANCODE_LEFT);
    Press(SDL_SCANCODE_LEFT);
    Key(SDL_SCANCODE_LSHIFT, false);
    EXPECT_EQ(field->GetSelectedText(), "cd");
    EXPECT_EQ(field->Caret, 2);
    Type("x");
    EXPECT_EQ(field->GetText(), "abx") << "typing replaces the selection";
    EXPECT_EQ(field->Caret, 3);
    EXPECT_FALSE(field->HasSelection());

    Key(SDL_SCANCODE_RSHIFT, true);
    Press(SDL_SCANCODE_HOME);
    Key(SDL_SCANCODE_RSHIFT, false);
    EXPECT_EQ(field->GetSelectedText(), "abx");
    Press(SDL_SCANCODE_RIGHT);
    EXPECT_FALSE(field->HasSelection()) << "a move without Shift drops it";
    EXPECT_EQ(field->Caret, 1);

    field->Select(0, 2);
    Idle();
    Press(SDL_SCANCODE_BACKSPACE);
    EXPECT_EQ(field->GetText(), "x");
    EXPECT_EQ(field->Caret, 0);
    field->Select(1, 0);
    Idle();
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(field->GetText(), "");

    field->SetText("again");
    field->Select(1, 4);
    field->SetText("ag");
    EXPECT_FALSE(field->HasSelection()) << "new text drops the selection";
    Type("!");
    EXPECT_EQ(field->GetText(), "ag!");
}

TEST_F(TextFieldTest, DraggingTheMouseSelects) {
    field->SetText("abcdef");
    const int origin = 100 + 3;
    Frame(origin + Width("a"), 110, true);
    Frame(origin + Width("abc"), 110, true);
    Frame(origin + Width("abcd"), 110, false);  // the release does not move the caret
    EXPECT_EQ(field->GetSelectedText(), "bc");
    EXPECT_EQ(field->Caret, 3);
    Press(SDL_SCANCODE_DELETE);
    EXPECT_EQ(field->GetText(), "adef");

    Click(origin + Width("ad"), 110);
    EXPECT_FALSE(field->HasSelection()) << "a plain click only places the caret";
    Key(SDL_SCANCODE_LSHIFT, true);
    Click(origin + Width("adef"), 110);
    Key(SDL_SCANCODE_LSHIFT, false);
    Idle();
    EXPECT_EQ(field->GetSelectedText(), "ef") << "Shift and a click extend";
}

TEST_F(TextFieldTest, DeleteRangeIsLimitedToTheText) {
    field->SetText("abcdef");
    field->DeleteRange(-3, 2);
    EXPECT_EQ(field->GetText(), "cdef");
    field->DeleteRange(3, 99);
    EXPECT_EQ(field->GetText(), "cde");
    field->DeleteRange(2, 1);  // reversed: nothing
    EXPECT_EQ(field->GetText(), "cde");
    field->DeleteRange(7, 9);
    EXPECT_EQ(field->GetText(), "cde");
}

TEST_F(TextFieldTest, LongTextScrollsToKeepTheCaretInsideAndHomeScrollsBack) {
    field->SetSize(60, 24);
    Focus();
    const std::string text = "abcdefghijklmnopqrstuvwxyz";
    Type(text.c_str());
    ASSERT_GT(Width(text), 55);
    EXPECT_EQ(field->CaretPx, Width(text));
    EXPECT_EQ(field->CaretPx + field->ScrollX, 60 - 5) << "5 pixels inside the right edge";
    Press(SDL_SCANCODE_LEFT);
    EXPECT_EQ(field->CaretPx + field->ScrollX, 55 - Width("z")) << "moving left inside: no scroll";
    Press(SDL_SCANCODE_HOME);
    EXPECT_EQ(field->ScrollX, 0);
    Press(SDL_SCANCODE_END);
    EXPECT_EQ(field->CaretPx + field->ScrollX, 55);
}

// A long name scrolled to its end and then replaced by a shorter one: the
// text must stay in view, not be drawn left of the field.
TEST_F(TextFieldTest, AShorterTextScrollsNoFurtherThanItNeeds) {
    field->SetSize(60, 24);
    const std::string text = "abcdefghijklmnopqrstuvwxyz";
    field->SetText(text);
    field->SetCaret(26);
    ASSERT_EQ(field->ScrollX, 55 - Width(text));
    field->SetText("abcdefghijklmno");  // still too long, the caret past its end
    Idle(500, 500);
    EXPECT_EQ(field->ScrollX, 55 - Width("abcdefghijklmno")) << "its end at the right edge";

    field->SetText("Bob");
    EXPECT_EQ(field->ScrollX, 0) << "a text that fits shows from its start";
    field->SetTextColor(255, 0, 0);
    gfx_set_cls_color(0, 0, 0);
    gfx_cls();
    Idle(500, 500);
    int red = 0;
    for (const std::uint32_t p : gfx_read_pixels(100, 100, 60, 24)) red += R(p) > 200 && G(p) < 80;
    EXPECT_GT(red, 0) << "drawn inside the field";
}

TEST_F(TextFieldTest, AClickPutsTheCaretOnTheNearestBoundary) {
    field->SetText("abcd");
    // Text starts 3 pixels into the field for the caret placement.
    const int origin = 100 + 3;
    const int w1 = Width("a"), w2 = Width("ab");
    ASSERT_EQ((w1 + w2) % 2, 0) << "the built-in font has even widths";
    Click(origin + (w1 + w2) / 2, 110);  // exactly halfway between 1 and 2
    EXPECT_EQ(field->Caret, 2) << "ties go to the right-hand boundary";
    Click(origin + (w1 + w2) / 2 - 1, 110);
    EXPECT_EQ(field->Caret, 1);
    Click(101, 110);  // left of the text start
    EXPECT_EQ(field->Caret, 0);
    Click(240, 110);  // right of the text
    EXPECT_EQ(field->Caret, 4);
}

TEST_F(TextFieldTest, AClickInAScrolledTextPutsTheCaretUnderTheMouse) {
    field->SetSize(60, 24);
    field->SetText("abcdefghijklmnopqrstuvwxyz");
    Focus();
    Press(SDL_SCANCODE_END);
    ASSERT_LT(field->ScrollX, 0);
    const int scroll = field->ScrollX;
    // Where the left edge of "w" is drawn now.
    const int x = 100 + 3 + scroll + Width("abcdefghijklmnopqrstuv");
    Click(x, 110);
    EXPECT_EQ(field->Caret, 22);
    EXPECT_EQ(field->ScrollX, scroll) << "the caret is in view: the text stays put";
}

TEST_F(TextFieldTest, EnterPostsTheTextOnceAndRemovesTheFocus) {
    Focus();
    Type("Cra");
    EXPECT_EQ(kit_GUI::GetFocusGadget(), field);
    Drain();
    // Typed in the same frame as Enter: still part of the confirmed text.
    test_support::Type("sh");
    Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(field->Focused, 0);
    EXPECT_EQ(kit_GUI::GetFocusGadget(), nullptr);
    int actions = 0;
    while (kit_PollEvent() != 0) {
        if (kit_EventID() != kit_EventGadgetAction) continue;
        ++actions;
        EXPECT_EQ(kit_EventSource(), field);
        EXPECT_EQ(kit_EventData(), 0);
        const auto text = std::dynamic_pointer_cast<kit_TText>(kit_EventExtra());
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->Text, "Crash");
    }
    EXPECT_EQ(actions, 1);
    Type("more");
    EXPECT_EQ(field->GetText(), "Crash") << "no typing after Enter";

    Click(450, 110);
    EXPECT_EQ(SelectSource(Drain()), "Other") << "after Enter a click reaches the button directly";

    // Escape leaves the field too, keeping the text and confirming nothing.
    Focus();
    Type("!");
    Drain();
    Press(SDL_SCANCODE_ESCAPE);
    EXPECT_EQ(kit_GUI::GetFocusGadget(), nullptr);
    EXPECT_EQ(field->Focused, 0);
    EXPECT_EQ(field->GetText().size(), 6u);
    for (const auto& seen : Drain()) EXPECT_NE(seen.id, kit_EventGadgetAction);
}

// After typing a name, the first click on a button elsewhere works (and ends
// the editing), also when the button sits in another panel than the field.
TEST_F(TextFieldTest, APressElsewhereEndsTheFocusAndActsOnWhatItLandsOn) {
    const auto options = kit_CreatePanel("Options", 50, 300, 300, 100);
    const auto inner = kit_CreateTextField("playerName", "", 20, 20, 150, 24, 0, options);
    const auto topBar = kit_CreatePanel("Top", 400, 300, 300, 100);
    kit_CreateButton("Apply", "Apply", 20, 20, 100, 30, topBar);
    screen->AddGadget(options);
    screen->AddGadget(topBar);
    Click(80, 330);
    ASSERT_EQ(inner->Focused, 1);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr) << "the focus is no hold on the mouse";
    test_support::Type("in");
    Idle(500, 380);  // over the other panel
    test_support::Type("out");
    Idle(900, 700);  // over no panel
    EXPECT_EQ(inner->GetText(), "inout") << "the keyboard follows the focus, not the pointer";

    Click(450, 335);  // once, on the button
    EXPECT_EQ(SelectSource(Drain()), "Apply");
    EXPECT_EQ(inner->Focused, 0);
    EXPECT_EQ(kit_GUI::GetFocusGadget(), nullptr);
    Type("x");
    EXPECT_EQ(inner->GetText(), "inout");

    // The same at the top level, and a press on nothing.
    Focus();
    Click(450, 110);
    EXPECT_EQ(SelectSource(Drain()), "Other");
    EXPECT_EQ(field->Focused, 0);
    Focus();
    Click(700, 50);
    EXPECT_EQ(field->Focused, 0);
}

TEST_F(TextFieldTest, AClickInsideAFocusedFieldKeepsTheFocusAndAnotherFieldTakesIt) {
    field->SetText("abc");
    Focus();
    Click(240, 110);
    EXPECT_EQ(field->Focused, 1);
    EXPECT_EQ(field->Caret, 3);
    // Pressed inside and released outside: still a click on the field.
    Frame(120, 110, true);
    Frame(500, 300, false);
    EXPECT_EQ(field->Focused, 1);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);

    const auto second = kit_CreateTextField("Second", "", 100, 200, 150, 24);
    screen->AddGadget(second);
    Click(110, 210);
    EXPECT_EQ(field->Focused, 0);
    EXPECT_EQ(second->Focused, 1);
    EXPECT_EQ(kit_GUI::GetFocusGadget(), second);
    Type("z");
    EXPECT_EQ(second->GetText(), "z");
    EXPECT_EQ(field->GetText(), "abc");
}

// A field that is hidden, or whose screen is left, stops reading the
// keyboard for good: showing it again does not give the focus back.
TEST_F(TextFieldTest, AFieldNoLongerShownLosesTheFocus) {
    const auto panel = kit_CreatePanel("Options", 50, 300, 300, 100);
    const auto inner = kit_CreateTextField("playerName", "", 20, 20, 150, 24, 0, panel);
    screen->AddGadget(panel);
    Click(80, 330);
    ASSERT_EQ(inner->Focused, 1);
    panel->Hide();
    Type("hidden");
    EXPECT_EQ(inner->Focused, 0);
    panel->Show();
    Type("shown");
    EXPECT_EQ(inner->GetText(), "");

    Click(80, 330);
    ASSERT_EQ(inner->Focused, 1);
    kit_CreateScreen("Elsewhere", "");
    kit_SetScreen("Elsewhere");
    Type("away");
    EXPECT_EQ(inner->Focused, 0);
    kit_SetScreen("S");
    Type("back");
    EXPECT_EQ(inner->GetText(), "");
}

TEST_F(TextFieldTest, TheSearchIconConfirmsTheTextAndTheTextAreaEndsBeforeIt) {
    const auto search = kit_CreateTextField("Find", "jeep", 100, 200, 150, 24, 1);
    screen->AddGadget(search);
    search->SetCaret(2);
    // The icon: 12 x 17 at 17 pixels from the right edge.
    Frame(238, 205, false);
    EXPECT_EQ(kit_GUI::GetCursorState(), 1);
    Frame(238, 205, true);
    EXPECT_EQ(kit_GUI::GetCursorState(), 2);
    EXPECT_EQ(search->Caret, 2) << "a press on the icon does not move the caret";
    Drain();
    Frame(238, 205, false);
    EXPECT_EQ(search->Focused, 0);
    EXPECT_EQ(kit_GUI::GetCaptureGadget(), nullptr);
    const auto seen = Drain();
    ASSERT_EQ(Count(seen, kit_EventGadgetAction), 1);
}

// A pop-up that uses a field as its own control (the search pop-up) takes
// the confirmed text; the field then posts nothing.
class TextOwner : public kit_TGadget {
public:
    bool ChildReleased(kit_TGadget& child) override {
        if (auto* field = dynamic_cast<kit_TTextField*>(&child)) taken = field->GetText();
        return true;
    }
    std::string taken;
};

TEST_F(TextFieldTest, AParentCanTakeTheConfirmedTextInsteadOfTheEvent) {
    const auto owner = std::make_shared<TextOwner>();
    owner->Init("Owner", 0, 400, 300, 100, nullptr);
    const auto inner = kit_CreateTextField("Owned", "", 10, 10, 150, 24, 1, owner);
    screen->AddGadget(owner);
    Click(30, 420);
    ASSERT_EQ(inner->Focused, 1);
    test_support::Type("rocket");
    Idle(30, 420);
    Drain();
    Press(SDL_SCANCODE_RETURN);
    EXPECT_EQ(owner->taken, "rocket");
    EXPECT_EQ(inner->Focused, 0);
    EXPECT_EQ(Count(Drain(), kit_EventGadgetAction), 0);
}

TEST_F(TextFieldTest, FactoryRefusesAnEmptyName) {
    EXPECT_EQ(kit_CreateTextField("", "text", 0, 0, 10, 10), nullptr);
    const auto made = kit_CreateTextField("score limit edit", "5", 135, 65, 25, 20, 0, field);
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->GetText(), "5");
    EXPECT_EQ(made->Caret, 0);
    EXPECT_EQ(made->GetParent(), field);
}

TEST_F(TextFieldTest, DrawsTheSkinTheClippedTextAndTheCaretOnlyWhenFocused) {
    UseShippedSkin();
    field->SetFont("default");
    field->SetSize(60, 24);
    field->SetTextColor(255, 0, 0);
    field->SetText("MMMMMMMMMMMMMMMMMMMM");
    gfx_set_cls_color(0, 255, 0);
    gfx_cls();
    Idle(500, 500);
    // The skin covers the field; nothing of the text spills past it.
    EXPECT_NE(G(PixelAt(130, 112)), 255) << "skin drawn";
    EXPECT_EQ(G(PixelAt(165, 112)), 255) << "text clipped to the field";
    EXPECT_EQ(R(PixelAt(165, 112)), 0);
    int red = 0;
    for (int x = 102; x < 158; ++x) red += R(PixelAt(x, 110)) > 200 && G(PixelAt(x, 110)) < 80;
    EXPECT_GT(red, 0) << "text drawn in its colour";

    field->SetText("");
    gfx_cls();
    Idle(500, 500);
    const std::uint32_t unfocused = PixelAt(102, 112);
    Focus();
    gfx_cls();
    Idle(500, 500);  // no press elsewhere: the field keeps the focus
    const std::uint32_t focused = PixelAt(102, 112);
    EXPECT_EQ(R(focused), 255) << "a caret in the text colour at the text start";
    EXPECT_EQ(G(focused), 0);
    EXPECT_NE(unfocused, focused);
    EXPECT_NE(R(PixelAt(101, 112)), 255) << "one pixel wide";
    EXPECT_NE(R(PixelAt(103, 112)), 255);

    field->SetText("MMMM");
    field->Select(0, 2);
    gfx_cls();
    Idle(500, 500);
    const int span = Width("MM");
    auto highlighted = [](int x) {
        const std::uint32_t p = PixelAt(x, 103);
        return R(p) > 150 && G(p) > 60 && G(p) < 100 && test_support::B(p) < 40;
    };
    int inside = 0, outside = 0;
    for (int x = 102; x < 102 + span; ++x) inside += highlighted(x);
    for (int x = 102 + span + 1; x < 158; ++x) outside += highlighted(x);
    EXPECT_GT(inside, span / 2) << "the selection is marked behind its characters";
    EXPECT_EQ(outside, 0);
}

}  // namespace
