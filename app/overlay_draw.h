#pragma once
// Drawing of the match's overlay and the frame's own texts with explicit
// parameters: each drawing sets what it uses for itself and leaves the
// drawing state (and the font in force) as it found it.

#include <string>

#include "engine/font.h"
#include "engine/graphics.h"

/// Makes a font the one in force for a scope (text widths are measured in
/// it too) and puts the previous one back when the scope ends.
class FontScope {
public:
    explicit FontScope(const FontHandle& font) : saved_(gfx_get_font()) { gfx_set_font(font); }
    ~FontScope() { gfx_set_font(saved_); }
    FontScope(const FontScope&) = delete;
    FontScope& operator=(const FontScope&) = delete;

private:
    FontHandle saved_;
};

/// Text in the font in force with the parameters given.
inline void DrawTextWith(const std::string& text, double x, double y, const DrawParams& params) {
    const GfxStateGuard keep;
    gfx_apply_params(params);
    gfx_draw_text(text, x, y);
}
