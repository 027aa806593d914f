#include "gui/text_field.h"

#include <algorithm>
#include <cstddef>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::TextField, &kit_TTextField::LoadSkin);

// Behind selected text: dark enough for light text, light enough for black.
constexpr kit_RGB kSelectionColor{168, 82, 14};

// Bytes of the character that starts at `pos`, split the way the engine's
// fonts decode text: a complete UTF-8 sequence is one character, and any
// other byte stands for itself. So the caret moves over what is drawn.
std::size_t CharBytes(const std::string& text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t extra = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
    }
    if (pos + extra >= text.size()) return 1;
    for (std::size_t i = 1; i <= extra; ++i) {
        if ((static_cast<unsigned char>(text[pos + i]) & 0xC0) != 0x80) return 1;
    }
    return 1 + extra;
}

// Byte offset of the first `chars` characters (the whole text when it has
// fewer).
std::size_t ByteOffset(const std::string& text, int chars) {
    std::size_t pos = 0;
    for (int i = 0; i < chars && pos < text.size(); ++i) pos += CharBytes(text, pos);
    return pos;
}

int PrefixWidth(const std::string& text, int chars) {
    return gfx_text_width(text.substr(0, ByteOffset(text, chars)));
}

const ImageHandle& SearchImage() {
    static const ImageHandle none;
    const std::vector<ImageHandle>& images = kit_SkinOf(kit_SkinSlot::TextField).Images;
    return images.empty() ? none : images[0];
}

}  // namespace

int kit_TTextField::Length() const {
    int count = 0;
    for (std::size_t pos = 0; pos < Text.size(); pos += CharBytes(Text, pos)) ++count;
    return count;
}

void kit_TTextField::ClampCaret() {
    const int length = Length();
    Caret = std::clamp(Caret, 0, length);
    Anchor = std::clamp(Anchor, 0, length);
}

bool kit_TTextField::CaretOutsideText() const {
    const int length = Length();
    return Caret < 0 || Caret > length || Anchor < 0 || Anchor > length;
}

void kit_TTextField::Draw(float parentX, float parentY) {
    if (Hidden) return;
    // `SetText` may have left the caret past a shorter text.
    if (CaretOutsideText()) Refresh();
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    kit_DrawNineSlice(kit_SkinOf(kit_SkinSlot::TextField).Tiles, bx, by, W, H,
                      kit_Params(Color, Alpha));
    {
        // The text, its selection and the caret, clipped to the field.
        const GfxStateGuard keep;
        const kit_FontScope use(Font);
        const DrawParams text = kit_Params(TextColor, Alpha);
        if (SearchIcon) {
            gfx_draw_image_with(SearchImage(), bx + (W - 16), by + (H - 2) / 2 - 4, 0, text);
            kit_ClipViewport(bx + 2, by + 2, static_cast<int>(W - 20), static_cast<int>(H - 4));
        } else {
            kit_ClipViewport(bx + 2, by + 2, static_cast<int>(W - 4), static_cast<int>(H - 4));
        }
        const int textX = bx + ScrollX + 2;
        if (Focused == 1 && HasSelection()) {
            const int from = PrefixWidth(Text, std::min(Anchor, Caret));
            const int to = PrefixWidth(Text, std::max(Anchor, Caret));
            gfx_draw_rect_with(textX + from, by + 2, to - from, H - 4,
                               kit_Params(kSelectionColor, Alpha));
        }
        gfx_apply_params(text);
        gfx_set_line_width(1);
        gfx_draw_text(Text, textX, by + 3);
        if (Focused == 1) {
            // In the text's colour, which is chosen to stand out on the skin
            // (black by default).
            const int cx = bx + CaretPx + ScrollX + 2;
            // Through the pixel centres: the line covers column cx from row
            // by + 2 to row by + H - 4.
            gfx_draw_line(cx + 0.5, by + 2.5, cx + 0.5, by + H - 3.5);
        }
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TTextField::OnKeyboard() {
    const bool shift = in_key_down(vk::kShift) != 0;
    if (in_key_hit(vk::kLeft)) MoveCaret(Caret - 1, shift);
    if (in_key_hit(vk::kRight)) MoveCaret(Caret + 1, shift);
    if (in_key_hit(vk::kEnd)) MoveCaret(Length(), shift);
    if (in_key_hit(vk::kHome)) MoveCaret(0, shift);
    if (in_key_hit(vk::kBackspace)) Backspace();
    if (in_key_hit(vk::kDelete)) DeleteForward();
    // Characters typed in the frame go in before Enter confirms: a quick
    // typist's last letters belong to the text, not after it.
    for (int code = in_get_char(); code != 0; code = in_get_char()) {
        if (code >= 32) InsertAtCaret(code);
    }
    if (in_key_hit(vk::kEnter)) Submit();
    // Escape leaves the field, keeping what was typed.
    if (in_key_hit(vk::kEscape)) kit_GUI::SetFocus(nullptr);
}

void kit_TTextField::OnFocusLost() {
    Focused = 0;
}

bool kit_TTextField::MouseInIcon(int parentX, int parentY) const {
    return kit_MouseInRect(parentX + X + W - 17, parentY + Y, 12, 17);
}

void kit_TTextField::OnMouseOver(int parentX, int parentY) {
    if (SearchIcon && MouseInIcon(parentX, parentY)) kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TTextField::OnMouseDown(int parentX, int parentY) {
    // This runs in every frame while the button is held: the first one
    // starts a selection, the later ones drag its end.
    const bool pressStarts = MouseState != 2;
    kit_TGadget::OnMouseDown(parentX, parentY);
    const bool extend = Focused == 1 && in_key_down(vk::kShift) != 0;
    if (Focused != 1) {
        in_flush_keys();  // what was typed before the focus is not for this field
        Focused = 1;
        kit_GUI::SetFocus(Self());
    }
    const float left = parentX + X, top = parentY + Y;
    const bool inText =
        kit_MouseInRect(left, top, W, H) && (!SearchIcon || kit_MouseInRect(left, top, W - 20, H));
    if (inText) {
        const int anchor = Anchor;
        SetCaretFromX(in_mouse_x() - parentX);
        if (!pressStarts || extend) Select(anchor, Caret);
    }
    if (SearchIcon && MouseInIcon(parentX, parentY)) kit_GUI::SetCursorState(2);
}

void kit_TTextField::OnMouseUp(int parentX, int parentY) {
    kit_TGadget::OnMouseUp(parentX, parentY);
    if (SearchIcon && MouseInIcon(parentX, parentY)) Submit();
}

void kit_TTextField::Refresh() {
    ClampCaret();
    LayOut();
}

void kit_TTextField::LayOut() {
    int textPx = 0;
    {
        const kit_FontScope use(Font);
        CaretPx = PrefixWidth(Text, std::clamp(Caret, 0, Length()));
        textPx = gfx_text_width(Text);
    }
    // Scrolled no further than the text's end at the right edge: after a
    // shorter text the field never shows empty space where text could be.
    ScrollX = std::clamp(ScrollX, std::min(0, static_cast<int>(W - 5) - textPx), 0);
    if (CaretPx + ScrollX > W - 5) ScrollX = static_cast<int>(W - 5 - CaretPx);
    if (CaretPx + ScrollX < 0) ScrollX = -CaretPx;
}

void kit_TTextField::SetText(const std::string& text) {
    Text = text;
    Anchor = Caret;
    LayOut();
}

void kit_TTextField::Backspace() {
    if (CaretOutsideText()) Refresh();
    if (HasSelection()) {
        DeleteSelection();
    } else if (Caret > 0) {
        DeleteRange(Caret - 1, Caret);
        SetCaret(Caret - 1);
    }
}

void kit_TTextField::DeleteForward() {
    if (CaretOutsideText()) Refresh();
    if (HasSelection()) {
        DeleteSelection();
    } else if (Caret < Length()) {
        DeleteRange(Caret, Caret + 1);
    }
}

void kit_TTextField::DeleteRange(int a, int b) {
    a = std::max(a, 0);
    b = std::min(b, Length());
    if (a >= b) return;
    const std::size_t from = ByteOffset(Text, a);
    Text.erase(from, ByteOffset(Text, b) - from);
}

void kit_TTextField::SetCaret(int position) {
    MoveCaret(position, false);
}

void kit_TTextField::MoveCaret(int position, bool extend) {
    Caret = std::clamp(position, 0, Length());
    if (!extend) Anchor = Caret;
    Refresh();
}

void kit_TTextField::Select(int anchor, int caret) {
    const int length = Length();
    Anchor = std::clamp(anchor, 0, length);
    Caret = std::clamp(caret, 0, length);
    Refresh();
}

std::string kit_TTextField::GetSelectedText() const {
    const int length = Length();
    const int from = std::clamp(std::min(Anchor, Caret), 0, length);
    const int to = std::clamp(std::max(Anchor, Caret), 0, length);
    const std::size_t start = ByteOffset(Text, from);
    return Text.substr(start, ByteOffset(Text, to) - start);
}

void kit_TTextField::DeleteSelection() {
    if (CaretOutsideText()) Refresh();
    const int from = std::min(Anchor, Caret);
    DeleteRange(from, std::max(Anchor, Caret));
    SetCaret(from);
}

void kit_TTextField::SetCaretFromX(int mx) {
    const kit_FontScope use(Font);
    // Measured in the text as drawn, so a scrolled text counts its offset.
    const int d = static_cast<int>(static_cast<float>(mx) - (X + 3)) - ScrollX;
    const int length = Length();
    if (d >= gfx_text_width(Text)) {
        Caret = length;
    } else {
        int f = 0;
        while (f < length && PrefixWidth(Text, f) <= d) ++f;
        Caret = f;
        if (f > 0) {
            // The nearer of the two boundaries around the mouse; ties go right.
            const int e = f - 1;
            Caret = d - PrefixWidth(Text, e) >= PrefixWidth(Text, f) - d ? f : e;
        }
    }
    Anchor = Caret;
    Refresh();
}

void kit_TTextField::Submit() {
    if (kit_GUI::GetCaptureGadget().get() == this) kit_GUI::ReleaseCapture();
    MouseState = 0;
    if (kit_GUI::GetFocusGadget().get() == this) kit_GUI::SetFocus(nullptr);
    Focused = 0;
    const kit_GadgetRef parent = GetParent();
    if (parent && parent->ChildReleased(*this)) return;
    kit_TEvent::Create(kit_EventGadgetAction, Self(), 0, 0, 0, std::make_shared<kit_TText>(Text));
}

void kit_TTextField::InsertAtCaret(int code) {
    if (CaretOutsideText()) Refresh();
    const std::string character = str_chr(code);
    if (character.empty()) return;  // not a character code
    if (HasSelection()) DeleteSelection();
    Text.insert(ByteOffset(Text, Caret), character);
    SetCaret(Caret + 1);
}

std::shared_ptr<kit_TTextField> kit_TTextField::Create(const std::string& name,
                                                       const std::string& text, float x, float y,
                                                       float w, float h, int searchIcon,
                                                       const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto field = std::make_shared<kit_TTextField>();
    field->Init(name, x, y, w, h, parent);
    field->SetText(text);
    field->SearchIcon = searchIcon;
    return field;
}

void kit_TTextField::LoadSkin() {
    kit_Skin& skin = kit_SkinOf(kit_SkinSlot::TextField);
    skin.Tiles = kit_LoadNineSlice(kit_SkinFile("/graphics/textfield.png"));
    skin.Images = {kit_LoadSkinImage(kit_SkinFile("/graphics/search.png"), -1)};
}

std::shared_ptr<kit_TTextField> kit_CreateTextField(const std::string& name,
                                                    const std::string& text, float x, float y,
                                                    float w, float h, int searchIcon,
                                                    const kit_GadgetRef& parent) {
    return kit_TTextField::Create(name, text, x, y, w, h, searchIcon, parent);
}
