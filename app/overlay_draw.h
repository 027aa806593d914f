#pragma once
// Drawing of the match's overlay and the frame's own texts with explicit
// parameters: each drawing sets what it uses for itself and leaves the
// drawing state (and the font in force, through `kit_FontScope`) as it
// found it.

#include <string>

#include "engine/font.h"
#include "engine/graphics.h"
#include "gui/state.h"

/// Text in the font in force with the parameters given.
inline void DrawTextWith(const std::string& text, double x, double y, const DrawParams& params) {
    const GfxStateGuard keep;
    gfx_apply_params(params);
    gfx_draw_text(text, x, y);
}
