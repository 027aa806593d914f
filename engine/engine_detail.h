#pragma once
// Engine internals shared by its source files. Only engine/ includes this
// header (and with it SDL); the rest of the game sees the public headers.

#include <SDL.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace engine_detail {

struct SurfaceDeleter {
    void operator()(SDL_Surface* s) const { SDL_FreeSurface(s); }
};
using SurfacePtr = std::unique_ptr<SDL_Surface, SurfaceDeleter>;

/// Makes a transparent 32-bit ARGB surface; null when w or h is not positive
/// or memory is short.
SurfacePtr make_argb_surface(int w, int h);
/// Converts any surface to 32-bit ARGB (null on failure).
SurfacePtr to_argb_surface(SDL_Surface* source);

/// Smallest power of two at or above n (1 for n <= 1).
int next_pow2(int n);

/// The renderer of the open graphics mode, or null (no mode, or no video).
SDL_Renderer* current_renderer();
/// The window of the open graphics mode, or null.
SDL_Window* current_window();
/// Changes whenever a renderer is created or destroyed; textures made under
/// another generation are gone with their renderer and must not be touched.
std::uint64_t renderer_generation();

/// CPU pixels (32-bit ARGB) with their GPU copies, uploaded lazily: a
/// power-of-two texture with the pixels in its top-left corner, and for the
/// mask blend mode a copy whose alpha is thresholded at 0.5.
class PixelTexture {
public:
    PixelTexture(int w, int h);
    ~PixelTexture();
    PixelTexture(const PixelTexture&) = delete;
    PixelTexture& operator=(const PixelTexture&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    int tex_width() const { return tex_width_; }
    int tex_height() const { return tex_height_; }
    /// Row-major pixels, `pitch()` values a row; null for an empty size.
    std::uint32_t* pixels() {
        return surface_ ? static_cast<std::uint32_t*>(surface_->pixels) : nullptr;
    }
    int pitch() const { return surface_ ? surface_->pitch / 4 : 0; }
    SDL_Surface* surface() { return surface_.get(); }
    /// Replaces the pixels (the size changes with them).
    void Replace(SurfacePtr surface);
    /// Call after changing pixels so the next draw uploads them again.
    void MarkDirty() { dirty_ = true; }
    /// The texture to draw for the given blend mode (mask thresholds alpha),
    /// with linear or nearest sampling; null when there is no renderer.
    SDL_Texture* Texture(bool mask, bool filtered);

private:
    void DropTextures();
    SDL_Texture* Upload(bool mask);

    int width_ = 0;
    int height_ = 0;
    int tex_width_ = 1;
    int tex_height_ = 1;
    SurfacePtr surface_;
    SDL_Texture* texture_ = nullptr;
    SDL_Texture* mask_texture_ = nullptr;
    std::uint64_t generation_ = 0;
    bool dirty_ = true;
    bool mask_dirty_ = true;
};

/// One textured quad in the drawing state's local space: corners (x0,y0) to
/// (x1,y1) relative to the draw position (px,py), with texture coordinates.
struct LocalQuad {
    float x0, y0, x1, y1;
    float u0, v0, u1, v1;
};

/// True when the current drawing state can draw anything (a renderer exists
/// and the viewport is not empty).
bool can_draw();
/// True when the current blend mode is mask.
bool blend_is_mask();
/// True when a quad whose top-left corner lies at local (x, y) from the
/// origin lands on whole screen pixels unrotated and unscaled: its texels
/// then map one to one onto pixels and nearest sampling gives the same
/// picture as bilinear, for less work on software rasterisers.
bool pixel_exact(double x, double y);
/// Draws textured quads at (px, py) with the drawing state's transform,
/// origin, colour, alpha and blend mode. A null texture draws nothing.
void draw_quads(SDL_Texture* texture, float px, float py, const LocalQuad* quads, int count);

/// Sanitizer builds: keeps run-time loaded system libraries loaded so that
/// leak reports can name them.
void pin_system_libraries();

/// Input events as the polled input state applies them and an input tape
/// records them: keys by SDL scancode, buttons by SDL button number (in
/// `c`) with the pointer, all positions on the logical screen.
enum class TapeKind : int {
    Poll = 1,
    Step,
    KeyDown,
    KeyUp,
    ButtonDown,
    ButtonUp,
    Motion,
    Wheel,
    Char,
    FocusLost,
    FocusGained,
    PadDown,  ///< a pad button, in `a`
    PadUp,
    PadAxis,   ///< axis `a` moved to `b` (whole steps of 1/127)
    PadReset,  ///< a pad was pulled out: every pad input let go
};
struct TapeEvent {
    TapeKind kind;
    int a = 0, b = 0, c = 0;
};
/// Applies one input event to the polled input state.
void input_apply(const TapeEvent& event);
/// Input: feeds one SDL event into the polled input state.
void input_handle_event(const SDL_Event& event);

/// Pads: opened and closed with the engine; `pad_device_added` opens a
/// plugged-in pad, `pad_device_removed` closes one (true when it was open).
void pads_start();
void pads_stop();
void pad_device_added(int device_index);
bool pad_device_removed(int instance_id);
/// Axis moves are kept through a poll and applied at its end, one per
/// axis that changed.
void pad_note_axis(int axis, int value);
std::vector<TapeEvent> pad_take_axis_moves();
/// Applies a pad event of the tape's kinds to the pad state.
void pad_apply(const TapeEvent& event);
void pad_begin_poll();
void pad_reset();
/// The mouse moved: it aims again, not the right stick.
void pad_mouse_moved();
/// The input tape's hooks: a recording tape notes each poll, each event
/// applied and each clock step; a playing tape applies a poll's recorded
/// events (at the end of the poll) and gives the clock its recorded step
/// (false when the tape has run out).
void tape_note_poll();
void tape_note_event(const TapeEvent& event);
void tape_note_step(std::int64_t ms);
void tape_play_poll();
bool tape_play_step(std::int64_t* ms);
/// The poll of `gfx_flip`: a program that polls once a frame itself (the
/// game's frame loop) is not polled a second time, so that a release held
/// back for one frame is held for a whole frame; a program that only flips
/// is polled here.
void poll_at_flip();
/// Maps window coordinates to the 1024 x 768 logical screen.
void map_window_to_logical(int wx, int wy, int* lx, int* ly);
/// Toggles desktop full screen (Alt+Enter).
void toggle_fullscreen();

}  // namespace engine_detail
