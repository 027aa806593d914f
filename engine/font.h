#pragma once
// Image fonts: glyphs rasterised from TrueType files by FreeType into one
// texture atlas per font, drawn glyph by glyph through the drawing state.
// A built-in 8 x 16 font (codes 32 to 127) is used when no font is selected.

#include <memory>
#include <string>

class ImageFont;
using FontHandle = std::shared_ptr<ImageFont>;

/// Font style bits.
enum FontStyle : int {
    kFontBold = 1,
    kFontItalic = 2,
    kFontSmooth = 4,  ///< glyphs sampled with filtering (else nearest pixel)
};

/// Loads a TrueType font at `size` pixels (FreeType's pixel size). A path
/// that does not exist falls back to the free fonts shipped in the data
/// folder (see `font_fallback_path`). Null when nothing could be loaded.
FontHandle font_load(const std::string& path, int size, int style);
/// The file `font_load` reads for `path`: the path itself when it exists,
/// otherwise the data folder's replacement ("fonts/..."), or empty.
std::string font_fallback_path(const std::string& path);
/// The built-in 8 x 16 font.
FontHandle font_builtin();
/// Line height of a font in pixels (0 for Null).
int font_height(const FontHandle& font);

/// Selects the font for text; Null selects the built-in font.
void gfx_set_font(const FontHandle& font);
/// The selected font (Null while the built-in font is selected).
FontHandle gfx_get_font();
/// Draws text with the drawing-state handle at (x, y), the top of the line.
void gfx_draw_text(const std::string& text, double x, double y);
/// Sum of the glyph advances, the running total truncated to an integer
/// after each glyph.
int gfx_text_width(const std::string& text);
/// Line height of the selected font.
int gfx_text_height();
