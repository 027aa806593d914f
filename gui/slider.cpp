#include "gui/slider.h"

#include <algorithm>
#include <cmath>

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/scroll_bar.h"
#include "gui/skin.h"
#include "gui/support.h"

namespace {

[[maybe_unused]] const kit_SkinLoader kRegistered =
    kit_RegisterSkinLoader(kit_SkinSlot::Slider, &kit_TSlider::LoadSkin);

constexpr int kThickness = 15;
constexpr int kCap = 3;

// Order of the slider's skin images: the track, then the vertical and the
// horizontal knob, three pieces each.
constexpr std::size_t kTrack = 0;
constexpr std::size_t kVKnob = 1;
constexpr std::size_t kHKnob = 4;

ImageHandle piece(std::size_t index) {
    const std::vector<ImageHandle>& images = kit_SkinOf(kit_SkinSlot::Slider).Images;
    return index < images.size() ? images[index] : nullptr;
}

}  // namespace

void kit_TSlider::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const DrawParams p = kit_Params(Color, Alpha);
    const auto tx = static_cast<float>(static_cast<int>(parentX + static_cast<float>(TrackX)));
    const auto ty = static_cast<float>(static_cast<int>(parentY + static_cast<float>(TrackY)));
    const auto len = static_cast<float>(TrackLen);
    const auto mark = static_cast<float>(TrackLen / 2 - 1);
    const auto knob = static_cast<float>(KnobPos);
    const auto knobLen = static_cast<float>(KnobLen);
    if (Horizontal) {
        const float kx = parentX + knob;
        const auto ky = static_cast<float>(static_cast<int>(parentY + Y));
        kit_DrawStretched(piece(kTrack), tx, ty + 5, len, 5, p);
        kit_DrawStretched(piece(kTrack), tx + mark, ty + 2, 2, 11, p);
        gfx_draw_image_with(piece(kHKnob), kx, ky, 0, p);
        kit_DrawStretched(piece(kHKnob + 1), kx + kCap, ky, knobLen - 2 * kCap, H, p);
        gfx_draw_image_with(piece(kHKnob + 2), kx + knobLen - kCap, ky, 0, p);
    } else {
        const auto kx = static_cast<float>(static_cast<int>(parentX + X));
        const float ky = parentY + knob;
        kit_DrawStretched(piece(kTrack), tx + 5, ty, 5, len, p);
        kit_DrawStretched(piece(kTrack), tx + 2, ty + mark, 11, 2, p);
        gfx_draw_image_with(piece(kVKnob), kx, ky, 0, p);
        kit_DrawStretched(piece(kVKnob + 1), kx, ky + kCap, W, knobLen - 2 * kCap, p);
        gfx_draw_image_with(piece(kVKnob + 2), kx, ky + knobLen - kCap, 0, p);
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TSlider::OnMouseOver(int parentX, int parentY) {
    kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TSlider::OnMouseDown(int parentX, int parentY) {
    kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
    const auto px = static_cast<float>(parentX), py = static_cast<float>(parentY);
    const auto knob = static_cast<float>(KnobPos), knobLen = static_cast<float>(KnobLen);
    if (DragMode == kit_DragNone) {
        const bool onKnob =
            Horizontal ? kit_MouseInRect(px + knob, static_cast<float>(static_cast<int>(py + Y)),
                                         knobLen, H)
                       : kit_MouseInRect(static_cast<float>(static_cast<int>(px + X)), py + knob, W,
                                         knobLen);
        if (onKnob) {
            DragMode = kit_DragKnob;
        } else if (MouseIsOver(parentX, parentY)) {
            // Left of the knob, or below it on a vertical slider, is towards
            // smaller values.
            if (Horizontal) {
                DragMode = static_cast<float>(in_mouse_x()) < px + knob ? kit_DragTrackBack
                                                                        : kit_DragTrackForward;
            } else {
                DragMode = static_cast<float>(in_mouse_y()) < py + knob ? kit_DragTrackForward
                                                                        : kit_DragTrackBack;
            }
        }
    }
    if (DragMode == kit_DragKnob) {
        SetFromPixel(Horizontal ? in_mouse_x() - (parentX + TrackX)
                                : in_mouse_y() - (parentY + TrackY));
    }
}

void kit_TSlider::OnMouseUp(int parentX, int parentY) {
    kit_TGadget::OnMouseUp(parentX, parentY);
    if (DragMode == kit_DragTrackBack) SetValue(Value - Step);
    if (DragMode == kit_DragTrackForward) SetValue(Value + Step);
    DragMode = kit_DragNone;
}

void kit_TSlider::SetValue(int v) {
    Value = std::clamp(v, Min, Max);
    UpdateKnob();
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Value, 0, 0, nullptr);
}

void kit_TSlider::SetFromPixel(int p) {
    double steps = 0;
    if (PixelsPerUnit > 0) {
        const double ppu = PixelsPerUnit;
        steps = std::trunc(p / ppu);
        if (p - steps * ppu > ppu / 2) steps += 1;
    }
    // In doubles: a pixel far off the track must not overflow before the
    // clamp. A vertical slider counts its steps down from the top.
    const double value = Horizontal ? Min + steps * Step : Max - steps * Step;
    SetValue(
        static_cast<int>(std::clamp(value, static_cast<double>(Min), static_cast<double>(Max))));
    kit_TEvent::Create(kit_EventGadgetAction, Self(), Value, 0, 0, nullptr);
}

void kit_TSlider::SetRange(int min, int max) {
    Min = min;
    Max = std::max(max, min);
    // The knob is placed from Value - Min: a value outside the new range
    // would put it off the track.
    Value = std::clamp(Value, Min, Max);
    UpdateScale();
}

void kit_TSlider::SetStep(int s) {
    // A step of 0 would be a division by zero in the scale.
    Step = std::max(std::abs(s), 1);
    UpdateScale();
}

void kit_TSlider::UpdateScale() {
    const double steps = (static_cast<double>(Max) - Min) / Step;
    PixelsPerUnit = steps > 0 && TrackLen > 0 ? static_cast<float>(TrackLen / steps) : 0.0f;
    UpdateKnob();
}

void kit_TSlider::UpdateKnob() {
    const double along = PixelsPerUnit * ((static_cast<double>(Value) - Min) / Step);
    const double centre = Horizontal ? TrackX + along : TrackY + std::max(TrackLen, 0) - along;
    KnobPos = static_cast<int>(centre - KnobLen / 2);
}

std::shared_ptr<kit_TSlider> kit_TSlider::Create(const std::string& name, float x, float y,
                                                 int length, int horizontal, int min, int max,
                                                 int step, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto slider = std::make_shared<kit_TSlider>();
    const auto len = static_cast<float>(length);
    if (horizontal) {
        slider->Horizontal = 1;
        slider->Init(name, x, y, len, kThickness, parent);
        slider->TrackX = static_cast<int>(x) + 7;
        slider->TrackY = static_cast<int>(y);
    } else {
        slider->Init(name, x, y, kThickness, len, parent);
        slider->TrackX = static_cast<int>(x);
        slider->TrackY = static_cast<int>(y) + 7;
    }
    slider->TrackLen = length - 14;
    slider->SetRange(min, max);
    slider->SetStep(step);
    return slider;
}

void kit_TSlider::LoadSkin() {
    std::vector<ImageHandle> images(7);
    images[kTrack] = kit_LoadSkinImage(kit_SkinFile("/graphics/scrollback.png"), -1);
    const kit_KnobPieces v = kit_LoadKnobPieces(kit_SkinFile("/graphics/vscrollbar.png"), false);
    const kit_KnobPieces h = kit_LoadKnobPieces(kit_SkinFile("/graphics/hscrollbar.png"), true);
    std::copy(v.begin(), v.end(), images.begin() + kVKnob);
    std::copy(h.begin(), h.end(), images.begin() + kHKnob);
    kit_SkinOf(kit_SkinSlot::Slider).Images = std::move(images);
}

std::shared_ptr<kit_TSlider> kit_CreateSlider(const std::string& name, float x, float y, int length,
                                              int horizontal, int min, int max, int step,
                                              const kit_GadgetRef& parent) {
    return kit_TSlider::Create(name, x, y, length, horizontal, min, max, step, parent);
}
