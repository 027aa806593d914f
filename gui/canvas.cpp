#include "gui/canvas.h"

#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/event.h"
#include "gui/gui.h"
#include "gui/state.h"
#include "gui/support.h"

namespace {

// The engine's clear ignores the viewport, so the canvas clears its own
// rectangle with an opaque, untransformed fill of the clear colour. The
// drawing state the callback sees is otherwise left as it was.
void fill_opaque(const kit_RGB& colour, float w, float h) {
    int r = 0, g = 0, b = 0;
    gfx_get_color(&r, &g, &b);
    const int blend = gfx_get_blend();
    const double rotation = gfx_get_rotation();
    double sx = 1, sy = 1, hx = 0, hy = 0;
    gfx_get_scale(&sx, &sy);
    gfx_get_handle(&hx, &hy);
    gfx_set_color(colour.R, colour.G, colour.B);
    gfx_set_blend(kBlendSolid);
    gfx_set_rotation(0);
    gfx_set_scale(1, 1);
    gfx_set_handle(0, 0);
    gfx_draw_rect(0, 0, w, h);
    gfx_set_color(r, g, b);
    gfx_set_blend(blend);
    gfx_set_rotation(rotation);
    gfx_set_scale(sx, sy);
    gfx_set_handle(hx, hy);
}

}  // namespace

void kit_TCanvas::Draw(float parentX, float parentY) {
    if (Hidden) return;
    kit_State::Push();
    kit_ClipViewport(static_cast<int>(X + parentX), static_cast<int>(Y + parentY),
                     static_cast<int>(W), static_cast<int>(H));
    gfx_set_origin(X + parentX, Y + parentY);
    if (ClearBackground == 1) {
        gfx_set_cls_color(Color.R, Color.G, Color.B);
        fill_opaque(Color, W, H);
    }
    if (DrawCallback) DrawCallback();
    kit_State::Pop();
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
