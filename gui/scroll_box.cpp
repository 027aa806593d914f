#include "gui/scroll_box.h"

#include "engine/graphics.h"
#include "gui/scroll_bar.h"
#include "gui/support.h"

void kit_TScrollBox::Draw(float parentX, float parentY) {
    if (Hidden) return;
    const int bx = static_cast<int>(parentX + X), by = static_cast<int>(parentY + Y);
    const double left = bx - 1, top = by - 1;
    const DrawParams p = kit_Params(Color, Alpha);
    if (BorderStyle == 1) {
        // From (bx - 1, by - 1) to (bx + W + 1, by + H + 1), a pixel wide.
        const double w = W + 3, h = H + 3;
        gfx_draw_rect_with(left, top, w, 1, p);
        gfx_draw_rect_with(left, top + h - 1, w, 1, p);
        gfx_draw_rect_with(left, top, 1, h, p);
        gfx_draw_rect_with(left + w - 1, top, 1, h, p);
    } else if (BorderStyle == 2) {
        gfx_draw_rect_with(left, top, W + 2, H + 2, p);
    }
    const GfxStateGuard keep;
    kit_ClipViewport(bx + 2, by + 2, static_cast<int>(W - 4), static_cast<int>(H - 4));
    DrawChildren(static_cast<float>(bx + OffsetX), static_cast<float>(by + OffsetY));
}

void kit_TScrollBox::UpdateChildren(int originX, int originY) {
    kit_TGadget::UpdateChildren(originX + OffsetX, originY + OffsetY);
    // The bars are children too: their values move the view from now on.
    FollowBars();
}

void kit_TScrollBox::FollowBars() {
    if (VScroll) OffsetY = -VScroll->GetValue();
    if (HScroll) OffsetX = -HScroll->GetValue();
}

void kit_TScrollBox::OnMouseOver(int parentX, int parentY) {
    kit_TGadget::OnMouseOver(parentX, parentY);
    // The children had the first chance at the wheel: a list inside the box
    // scrolls itself.
    if ((VScroll && VScroll->TakeWheel()) || (HScroll && HScroll->TakeWheel())) FollowBars();
}

std::shared_ptr<kit_TScrollBar> kit_TScrollBox::Bar(int horizontal) const {
    return horizontal ? HScroll : VScroll;
}

void kit_TScrollBox::SetScrollColor(int r, int g, int b, int horizontal) {
    if (const auto bar = Bar(horizontal)) bar->SetColor(r, g, b);
}

void kit_TScrollBox::SetScrollColorHex(const std::string& hex, int horizontal) {
    if (const auto bar = Bar(horizontal)) bar->SetColorHex(hex);
}

void kit_TScrollBox::SetScrollAlpha(float a, int horizontal) {
    if (const auto bar = Bar(horizontal)) bar->SetAlpha(a);
}

std::shared_ptr<kit_TScrollBox> kit_TScrollBox::Create(const std::string& name, float x, float y,
                                                       float w, float h, int type, int contentW,
                                                       int contentH, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto box = std::make_shared<kit_TScrollBox>();
    box->Init(name, x, y, w, h, parent);
    const bool both = type == 3;
    if (type == 1 || both) {
        const auto length = static_cast<int>(both ? h - 15 : h);
        box->VScroll = kit_CreateScrollBar(name + ":VScroll", x + w - 15, y, length, 0, contentH,
                                           static_cast<int>(h - 18), parent);
        box->W = w - 18;
    }
    if (type == 2 || both) {
        const auto length = static_cast<int>(both ? w - 15 : w);
        box->HScroll = kit_CreateScrollBar(name + ":HScroll", x, y + h - 15, length, 1, contentW,
                                           static_cast<int>(w - 18), parent);
        box->H = h - 18;
    }
    return box;
}

std::shared_ptr<kit_TScrollBox> kit_CreateScrollBox(const std::string& name, float x, float y,
                                                    float w, float h, int type, int contentW,
                                                    int contentH, const kit_GadgetRef& parent) {
    return kit_TScrollBox::Create(name, x, y, w, h, type, contentW, contentH, parent);
}
