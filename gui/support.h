#pragma once
// Helpers every gadget uses: mouse hit tests against the engine's polled
// mouse, viewport narrowing for clipping, drawing with explicit parameters,
// colour and path parsing.

#include <string>
#include <vector>

#include "engine/font.h"
#include "engine/graphics.h"
#include "gui/object.h"

/// True when x <= mouse x <= x + w and y <= mouse y <= y + h (both edges
/// inclusive).
bool kit_MouseInRect(float x, float y, float w, float h);
/// True when the distance from (x, y) to the mouse, taken from the integer
/// absolute differences, is less than `r`.
bool kit_MouseInCircle(int x, int y, int r);
/// True when a square of side `size` at (x, y) overlaps the current viewport.
bool kit_RectVisible(int x, int y, int size);
/// Narrows the current viewport to the part of (x, y, w, h) that lies inside
/// it. Only the right and bottom edges shorten the size; a size that would be
/// negative becomes 0, which draws nothing.
void kit_ClipViewport(int x, int y, int w, int h);
/// What a gadget draws with: its colour and alpha, alpha-blended, upright,
/// unscaled and with the handle at the top left, whatever the drawing state
/// holds.
DrawParams kit_Params(const kit_RGB& colour, float alpha);
/// Draws text in `font` with these parameters; the drawing state and the
/// selected font are left as they were.
void kit_DrawText(const std::string& text, double x, double y, const FontHandle& font,
                  const DrawParams& params);
/// Reads "rrggbb" as three hexadecimal bytes. Any length other than six
/// leaves the outputs untouched; characters that are not hex digits count
/// as 0.
void kit_ParseHexColor(const std::string& hex, int& r, int& g, int& b);
/// The pieces between separators, in order ("a//b" gives "a", "", "b").
std::vector<std::string> kit_SplitString(const std::string& text, const std::string& separator);
/// Case-insensitive equality of two names.
bool kit_SameName(const std::string& a, const std::string& b);
