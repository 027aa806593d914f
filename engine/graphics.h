#pragma once
// The 2-D immediate-mode renderer with one global drawing state.
//
// Every frame is drawn into an off-screen target of the opened size (1024 x
// 768 for the game) and presented scaled and letter-boxed to the window.
// All shapes, images and glyphs are textured or coloured triangles placed
// with the transform: a local point (u, v) lands at
//   x = X + origin.x + u * ix + v * iy,   y = Y + origin.y + u * jx + v * jy
// where ix = cos(r) sx, iy = -sin(r) sy, jx = sin(r) sx, jy = cos(r) sy.
//
// In the no-video mode every drawing call returns at once.

#include <cstdint>
#include <string>
#include <vector>

/// Blend modes of `gfx_set_blend`.
enum BlendMode : int {
    kBlendMask = 1,   ///< opaque, pixels with alpha at or below 0.5 discarded
    kBlendSolid = 2,  ///< opaque
    kBlendAlpha = 3,  ///< src * a + dst * (1 - a)
    kBlendLight = 4,  ///< dst + src * a
    kBlendShade = 5,  ///< dst * src
};

void app_set_title(const std::string& text);

/// Opens the graphics mode: a window (depth 0, or when the engine was started
/// windowed) or desktop full screen (any other depth). In the no-video mode it
/// only records the size. Returns 1, or 0 when no mode could be opened (the
/// reason is in `gfx_last_error`). Opening again replaces the mode.
int gfx_open(int width, int height, int depth, int hz, int flags);
/// Closes the mode (also done by the engine's shutdown).
void gfx_close();
/// 1 while a mode is open (also in the no-video mode).
int gfx_is_open();
std::string gfx_last_error();
int gfx_width();
int gfx_height();
/// 1 when frames are paced by the display's vertical sync.
int gfx_vsync();
/// 1 while the window covers the screen (0 without a window).
int gfx_fullscreen();
/// Desktop full screen (1) or a window (0), at once; Alt+Enter toggles the
/// same way. Nothing happens without a window.
void gfx_set_fullscreen(int on);

/// Clears the whole frame with the clear colour (ignoring the viewport).
void gfx_cls();
/// Presents the frame, paces to the mode's rate (sync -1 default or 1; 0 does
/// not wait), advances the virtual clock and polls input.
void gfx_flip(int sync);

void gfx_set_color(int r, int g, int b);
void gfx_get_color(int* r, int* g, int* b);
/// Clamped to 0..1.
void gfx_set_alpha(double a);
double gfx_get_alpha();
void gfx_set_blend(int mode);
int gfx_get_blend();
void gfx_set_rotation(double degrees);
double gfx_get_rotation();
void gfx_set_scale(double sx, double sy);
void gfx_get_scale(double* sx, double* sy);
void gfx_set_origin(double x, double y);
void gfx_get_origin(double* x, double* y);
/// Drawing handle for text and shapes.
void gfx_set_handle(double x, double y);
void gfx_get_handle(double* x, double* y);
/// Clip rectangle; an empty one draws nothing.
void gfx_set_viewport(int x, int y, int w, int h);
void gfx_get_viewport(int* x, int* y, int* w, int* h);
void gfx_set_line_width(double w);
double gfx_get_line_width();
void gfx_set_cls_color(int r, int g, int b);
void gfx_get_cls_color(int* r, int* g, int* b);
/// Restores every field of the drawing state to its default.
void gfx_reset_state();

/// Filled rectangle with the handle at (x, y); negative sizes draw mirrored.
void gfx_draw_rect(double x, double y, double w, double h);
/// Filled ellipse inside the rectangle.
void gfx_draw_oval(double x, double y, double w, double h);
/// A line `line width` wide.
void gfx_draw_line(double x1, double y1, double x2, double y2);

/// Reads pixels of the current frame as 32-bit ARGB (all zero without video).
std::vector<std::uint32_t> gfx_read_pixels(int x, int y, int w, int h);
/// Saves the current frame as a PNG file. Returns 1 on success.
int gfx_save_png(const std::string& path);
