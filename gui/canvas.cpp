#include "gui/canvas.h"

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/state.h"
#include "gui/support.h"

void kit_TCanvas::Draw(float parentX, float parentY) {
    if (Hidden) return;
    {
        const GfxStateGuard keep;
        const kit_FontScope keepFont(gfx_get_font());
        kit_ClipViewport(static_cast<int>(X + parentX), static_cast<int>(Y + parentY),
                         static_cast<int>(W), static_cast<int>(H));
        gfx_set_origin(X + parentX, Y + parentY);
        if (ClearBackground == 1) {
            // The engine's clear ignores the viewport: the canvas clears its
            // own rectangle with an opaque fill of the clear colour.
            gfx_set_cls_color(Color.R, Color.G, Color.B);
            DrawParams fill = kit_Params(Color, 1.0f);
            fill.blend = kBlendSolid;
            gfx_draw_rect_with(0, 0, W, H, fill);
        }
        gfx_apply_params(DrawParams{});
        gfx_set_line_width(1);
        if (DrawCallback) DrawCallback();
    }
    kit_TGadget::Draw(parentX, parentY);
}

void kit_TCanvas::PostMouseEvent(int id, int parentX, int parentY) {
    kit_TEvent::Create(id, Self(), 0, static_cast<int>(in_mouse_x() - (X + parentX)),
                       static_cast<int>(in_mouse_y() - (Y + parentY)), nullptr);
}

void kit_TCanvas::OnMouseOver(int parentX, int parentY) {
    if (Interactive) kit_GUI::SetCursorState(1);
    kit_TGadget::OnMouseOver(parentX, parentY);
}

void kit_TCanvas::OnMouseDown(int parentX, int parentY) {
    if (Interactive) kit_GUI::SetCursorState(2);
    kit_TGadget::OnMouseDown(parentX, parentY);
    if (Interactive) PostMouseEvent(kit_EventGadgetAction, parentX, parentY);
}

void kit_TCanvas::OnMouseUp(int parentX, int parentY) {
    kit_TGadget::OnMouseUp(parentX, parentY);
    if (Interactive) PostMouseEvent(kit_EventGadgetSelect, parentX, parentY);
}

void kit_TCanvas::SetDrawCallback(std::function<void()> callback) {
    DrawCallback = std::move(callback);
}

std::shared_ptr<kit_TCanvas> kit_TCanvas::Create(const std::string& name, float x, float y, float w,
                                                 float h, const kit_GadgetRef& parent) {
    if (name.empty()) return nullptr;
    auto canvas = std::make_shared<kit_TCanvas>();
    canvas->Init(name, x, y, w, h, parent);
    return canvas;
}

std::shared_ptr<kit_TCanvas> kit_CreateCanvas(const std::string& name, float x, float y, float w,
                                              float h, const kit_GadgetRef& parent) {
    return kit_TCanvas::Create(name, x, y, w, h, parent);
}
