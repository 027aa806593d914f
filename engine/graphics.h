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

/// The whole drawing state as one value: what the gfx_set_* calls set.
struct GfxState {
    int r = 255, g = 255, b = 255;
    double alpha = 1.0;
    int blend = kBlendMask;
    double rotation = 0.0;
    double scale_x = 1.0, scale_y = 1.0;
    double origin_x = 0.0, origin_y = 0.0;
    double handle_x = 0.0, handle_y = 0.0;
    int vp_x = 0, vp_y = 0, vp_w = 0, vp_h = 0;
    double line_width = 1.0;
    int cls_r = 0, cls_g = 0, cls_b = 0;
    bool operator==(const GfxState&) const = default;
};
GfxState gfx_get_state();
void gfx_set_state(const GfxState& state);

/// Keeps the drawing state as it was made and puts it back when it ends,
/// however the scope is left.
class GfxStateGuard {
public:
    GfxStateGuard() : saved_(gfx_get_state()) {}
    ~GfxStateGuard() { gfx_set_state(saved_); }
    GfxStateGuard(const GfxStateGuard&) = delete;
    GfxStateGuard& operator=(const GfxStateGuard&) = delete;

private:
    GfxState saved_;
};

/// The parameters one drawing takes instead of the drawing state's
/// transform, colour, alpha and blend (the origin and the clip rectangle
/// stay the state's); the state is left as it was.
struct DrawParams {
    double rotation = 0.0;
    double scale_x = 1.0, scale_y = 1.0;
    double alpha = 1.0;
    int blend = kBlendAlpha;
    int r = 255, g = 255, b = 255;
    double handle_x = 0.0, handle_y = 0.0;  ///< of shapes; images have their own
};
/// Upright, unscaled drawing in a colour at an alpha with a blend.
inline DrawParams gfx_tint(int r, int g, int b, double alpha = 1.0, int blend = kBlendAlpha) {
    DrawParams params;
    params.r = r;
    params.g = g;
    params.b = b;
    params.alpha = alpha;
    params.blend = blend;
    return params;
}
/// Puts the parameters into the drawing state (used by the *_with calls).
void gfx_apply_params(const DrawParams& params);
/// A filled rectangle drawn with these parameters.
void gfx_draw_rect_with(double x, double y, double w, double h, const DrawParams& params);

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
