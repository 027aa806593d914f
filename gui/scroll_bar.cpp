#include "gui/scroll_bar.h"

#include <algorithm>

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/skin.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::ScrollBar, &kit_TScrollBar::LoadSkin);

constexpr int kThickness = 15;
constexpr int kArrow = 15;
constexpr int kCap = 3;

// Order of the scroll bar's skin images.
enum Piece : std::size_t {
    kTrack,
    kUp,
    kDown,
    kLeft,
    kRight,
    kVKnob,      // three pieces
    kHKnob = 8,  // three pieces
    kPieceCount = 11,
};

ImageHandle piece(std::size_t index) {
    const std::vector<ImageHandle>& images = kit_SkinOf(kit_SkinSlot::ScrollBar).Images;
    return index < images.size() ? images[index] : nullptr;
}

}  // namespace

kit_KnobPieces kit_LoadKnobPieces(const std::string& path, bool horizontal) {
    kit_KnobPieces pieces;
    const ImageHandle source = kit_LoadSkinImage(path, -1);
    if (!source) return pieces;
    // Along the axis: cap rows (or columns) 0-2, middle 3, cap 4-6.
    constexpr int kFrom[3] = {0, kCap, kCap + 1};
    constexpr int kLen[3] = {kCap, 1, kCap};
    const Pixmap from = img_lock(source, 0, 1, 0);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const int w = horizontal ? kLen[i] : kThickness;
        const int h = horizontal ? kThickness : kLen[i];
        // Unfiltered, as the nine-slice tiles: the stretched middle keeps its
        // exact pixels.
        pieces[i] = img_create(w, h, 1, kImageMasked);
        const Pixmap to = img_lock(pieces[i], 0, 0, 1);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const int sx = horizontal ? kFrom[i] + x : x;
                const int sy = horizontal ? y : kFrom[i] + y;
                pix_write_pixel(to, x, y, pix_read_pixel(from, sx, sy));
            }
        }
        img_unlock(pieces[i], 0);
    }
    img_unlock(source, 0);
    return pieces;
}

void kit_TScrollBar::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const DrawParams p = kit_Params(Color, Alpha);
    const float bx = static_cast<float>(static_cast<int>(parentX + X));
    const float by = static_cast<float>(static_cast<int>(parentY + Y));
    if (Horizontal) {
        const float kx = parentX + KnobPos;
        kit_DrawStretched(piece(kTrack), bx + 10, by, W - 20, H, p);
        gfx_draw_image_with(piece(kLeft), bx, by, 0, p);
        gfx_draw_image_with(piece(kRight), bx + W - kArrow, by, 0, p);
        gfx_draw_image_with(piece(kHKnob), kx, by, 0, p);
        kit_DrawStretched(piece(kHKnob + 1), kx + kCap, by, KnobLen - 2 * kCap, H, p);
        gfx_draw_image_with(piece(kHKnob + 2), kx + KnobLen - kCap, by, 0, p);
    } else {
        const float ky = parentY + KnobPos;
        kit_DrawStretched(piece(kTrack), bx, by + 10, W, H - 20, p);
        gfx_draw_image_with(piece(kUp), bx, by, 0, p);
        gfx_draw_image_with(piece(kDown), bx, by + H - kArrow, 0, p);
        gfx_draw_image_with(piece(kVKnob), bx, ky, 0, p);
        kit_DrawStretched(piece(kVKnob + 1), bx, ky + kCap, W, KnobLen - 2 * kCap, p);
        gfx_draw_image_with(piece(kVKnob + 2), bx, ky + KnobLen - kCap, 0, p);
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TScrollBar::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
    TakeWheel();
}

bool kit_TScrollBar::TakeWheel() {
    if (Hidden || Total <= Visible) return false;
    const int notches = kit_GUI::TakeWheel();
    if (notches == 0) return false;
    // Turning the wheel away from the user goes towards the start.
    SetValue(Value - notches * WheelStep);
    return true;
}

void kit_TScrollBar::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
    const float bx = static_cast<float>(static_cast<int>(parentX + X));
    const float by = static_cast<float>(static_cast<int>(parentY + Y));
    // Positions along the bar's axis; the other axis spans the bar.
    const float origin = static_cast<float>(Horizontal ? parentX : parentY);
    const float start = Horizontal ? bx : by;
    const int mouse = Horizontal ? in_mouse_x() : in_mouse_y();
    const auto hit = [&](float along, float length) {
        return Horizontal ? kit_MouseInRect(along, by, length, H)
                          : kit_MouseInRect(bx, along, W, length);
    };
    if (DragMode == kit_DragNone) {
        // A later test wins: the knob over an arrow is the knob.
        if (hit(start, kArrow)) DragMode = kit_DragArrowBack;
        if (hit(start + Length() - kArrow, kArrow)) DragMode = kit_DragArrowForward;
        if (hit(origin + KnobPos, KnobLen)) {
            DragMode = kit_DragKnob;
            DragOffset = static_cast<int>(static_cast<float>(mouse) - (origin + KnobPos));
        }
        if (DragMode == kit_DragNone && hit(start + kArrow, Length() - 2 * kArrow)) {
            DragMode = static_cast<float>(mouse) >= origin + KnobPos ? kit_DragTrackForward
                                                                     : kit_DragTrackBack;
        }
    }
    if (DragMode == kit_DragKnob) SetKnobPos(static_cast<float>(mouse) - origin - DragOffset);
}

void kit_TScrollBar::OnMouseUp(int parentX, int parentY) {
    kit_TGadget::OnMouseUp(parentX, parentY);
    switch (DragMode) {
        case kit_DragArrowBack:
            SetValue(Value - Step);
            break;
        case kit_DragArrowForward:
            SetValue(Value + Step);
            break;
        case kit_DragTrackBack:
            SetValue(Value - PageStep);
            break;
        case kit_DragTrackForward:
            SetValue(Value + PageStep);
            break;
        default:
            break;
    }
    DragMode = kit_DragNone;
}

void kit_TScrollBar::ClampValue() {
    if (Value + Visible > Total) Value = Total - Visible;
    if (Value < 0) Value = 0;
}

void kit_TScrollBar::SetValue(int v) {
    Value = v;
    ClampValue();
    UpdateKnob();
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Value, 0, 0, nullptr);
}

void kit_TScrollBar::SetKnobPos(float p) {
    const float first = Start() + kArrow;
    const float last = Start() + Length() - (KnobLen + kArrow);
    if (p < first || Ratio <= 0) {
        // A bar too short for a track has no ratio to divide by: its knob
        // stays at the start.
        KnobPos = first;
        Value = 0;
    } else if (p > last) {
        KnobPos = last;
        // A window longer than the content has nothing to scroll.
        Value = std::max(Total - Visible, 0);
    } else {
        KnobPos = p;
        Value = static_cast<int>((p - first) / Ratio);
    }
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Value, 0, 0, nullptr);
}

void kit_TScrollBar::SetLength(int len) {
    (Horizontal ? W : H) = static_cast<float>(len);
    UpdateRatio();
}

void kit_TScrollBar::SetVisible(int v) {
    Visible = std::max(v, 1);
    ClampValue();
    UpdateRatio();
}

void kit_TScrollBar::SetTotal(int t) {
    Total = std::max(t, 1);
    ClampValue();
    UpdateRatio();
}

void kit_TScrollBar::SetStep(int s) {
    Step = std::max(s, 0);
}

void kit_TScrollBar::SetPageStep(int s) {
    PageStep = std::max(s, 0);
}

void kit_TScrollBar::UpdateRatio() {
    const float track = Length() - 2 * kArrow;
    Ratio = track / static_cast<float>(Total);
    // At most the track, but never shorter than its two caps (a bar with
    // almost no track still shows a knob).
    KnobLen = std::max(std::min(Ratio * static_cast<float>(Visible), track), 6.0f);
    UpdateKnob();
}

void kit_TScrollBar::UpdateKnob() {
    // A bar without a track keeps the knob at the track start.
    KnobPos = Start() + kArrow + std::max(Ratio, 0.0f) * static_cast<float>(Value);
}

std::shared_ptr<kit_TScrollBar> kit_TScrollBar::Create(const std::string& name, float x, float y,
                                                       int length, int horizontal, int total,
                                                       int visible, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto bar = std::make_shared<kit_TScrollBar>();
    const auto len = static_cast<float>(length);
    if (horizontal) {
        bar->Horizontal = 1;
        bar->Init(name, x, y, len, kThickness, parent);
    } else {
        bar->Init(name, x, y, kThickness, len, parent);
    }
    bar->SetTotal(total);
    bar->SetVisible(visible);
    return bar;
}

void kit_TScrollBar::LoadSkin() {
    std::vector<ImageHandle> images(kPieceCount);
    images[kTrack] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrollback.png"), -1);
    images[kUp] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrollup.png"), -1);
    images[kDown] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrolldown.png"), -1);
    images[kLeft] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrollleft.png"), -1);
    images[kRight] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrollright.png"), -1);
    const kit_KnobPieces v = kit_LoadKnobPieces(kit_SkinFile("/graphics/vscrollbar.png"), false);
    const kit_KnobPieces h = kit_LoadKnobPieces(kit_SkinFile("/graphics/hscrollbar.png"), true);
    std::copy(v.begin(), v.end(), images.begin() + kVKnob);
    std::copy(h.begin(), h.end(), images.begin() + kHKnob);
    kit_SkinOf(kit_SkinSlot::ScrollBar).Images = std::move(images);
}

std::shared_ptr<kit_TScrollBar> kit_CreateScrollBar(const std::string& name, float x, float y,
                                                    int length, int horizontal, int total,
                                                    int visible, const kit_GadgetRef& parent) {
    return kit_TScrollBar::Create(name, x, y, length, horizontal, total, visible, parent);
}
