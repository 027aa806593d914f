#pragma once
// Snapshots of the engine's drawing state, kept on a stack so that a gadget
// can change colour, font, origin or viewport and put everything back; and
// the scoped choice of a font, which the engine's `GfxStateGuard` does not
// cover.

#include "engine/font.h"

/// Selects a font for the rest of the scope and selects the one before it
/// again when the scope ends, however it is left.
class kit_FontScope {
public:
    explicit kit_FontScope(const FontHandle& font) : saved_(gfx_get_font()) { gfx_set_font(font); }
    ~kit_FontScope() { gfx_set_font(saved_); }
    kit_FontScope(const kit_FontScope&) = delete;
    kit_FontScope& operator=(const kit_FontScope&) = delete;

private:
    FontHandle saved_;
};

class kit_State {
public:
    int Color[3] = {255, 255, 255};
    int ClsColor[3] = {0, 0, 0};
    double Alpha = 1.0;
    double Origin[2] = {0.0, 0.0};
    int Viewport[4] = {0, 0, 0, 0};
    int Blend = 0;
    FontHandle Font;
    double Rotation = 0.0;
    double ScaleX = 1.0;
    double ScaleY = 1.0;

    /// Captures the whole engine drawing state onto the stack.
    static void Push();
    /// Restores the last snapshot (colour, clear colour, alpha, origin,
    /// viewport, blend, font, rotation, scale) and removes it. Every `Pop`
    /// must match a `Push`; an unmatched one changes nothing.
    static void Pop();
    /// Number of snapshots on the stack.
    static int Depth();
};
