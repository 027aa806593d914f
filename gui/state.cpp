#include "gui/state.h"

#include <cassert>

#include "engine/graphics.h"
#include "gui/gui_detail.h"

void kit_State::Push() {
    kit_State s;
    gfx_get_color(&s.Color[0], &s.Color[1], &s.Color[2]);
    gfx_get_cls_color(&s.ClsColor[0], &s.ClsColor[1], &s.ClsColor[2]);
    s.Alpha = gfx_get_alpha();
    gfx_get_origin(&s.Origin[0], &s.Origin[1]);
    gfx_get_viewport(&s.Viewport[0], &s.Viewport[1], &s.Viewport[2], &s.Viewport[3]);
    s.Blend = gfx_get_blend();
    s.Font = gfx_get_font();
    s.Rotation = gfx_get_rotation();
    gfx_get_scale(&s.ScaleX, &s.ScaleY);
    kit_detail::Module().StateStack.push_back(std::move(s));
}

void kit_State::Pop() {
    auto& stack = kit_detail::Module().StateStack;
    assert(!stack.empty() && "kit_State::Pop without a matching Push");
    if (stack.empty()) return;
    const kit_State s = std::move(stack.back());
    stack.pop_back();
    gfx_set_color(s.Color[0], s.Color[1], s.Color[2]);
    gfx_set_cls_color(s.ClsColor[0], s.ClsColor[1], s.ClsColor[2]);
    gfx_set_alpha(s.Alpha);
    gfx_set_origin(s.Origin[0], s.Origin[1]);
    gfx_set_viewport(s.Viewport[0], s.Viewport[1], s.Viewport[2], s.Viewport[3]);
    gfx_set_blend(s.Blend);
    gfx_set_font(s.Font);
    gfx_set_rotation(s.Rotation);
    gfx_set_scale(s.ScaleX, s.ScaleY);
}

int kit_State::Depth() {
    return static_cast<int>(kit_detail::Module().StateStack.size());
}
