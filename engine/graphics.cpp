#include "engine/graphics.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/clock.h"
#include "engine/engine.h"
#include "engine/engine_detail.h"
#include "engine/input.h"

namespace engine_detail {
namespace {

// The drawing state and the transform worked out from it.
struct DrawState : GfxState {
    double ix = 1.0, iy = 0.0, jx = 0.0, jy = 1.0;
    bool transform_dirty = false;  // ix..jy wait for the next drawing
};

struct VideoState {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* target = nullptr;  // the frame, of the opened size
    bool open = false;
    bool vsync = false;
    bool fullscreen = false;
    // The window was made at the desktop's size for full screen: the first
    // switch to a window gives it the mode's size.
    bool shrink_when_windowed = false;
    int width = 0, height = 0;
    int hz = 60;
    std::uint64_t generation = 1;
    std::string error;
};

DrawState g_draw;
VideoState g_video;

// Rotation and scale change far more often than anything is drawn with them
// (objects set and reset them around every image, also without video), so
// the transform is worked out when a drawing needs it.
void update_transform() {
    g_draw.transform_dirty = true;
}

void ensure_transform() {
    if (!g_draw.transform_dirty) return;
    g_draw.transform_dirty = false;
    double c = 1.0, s = 0.0;
    if (g_draw.rotation != 0.0) {
        const double rad = g_draw.rotation * std::numbers::pi / 180.0;
        c = std::cos(rad);
        s = std::sin(rad);
    }
    g_draw.ix = c * g_draw.scale_x;
    g_draw.iy = -s * g_draw.scale_y;
    g_draw.jx = s * g_draw.scale_x;
    g_draw.jy = c * g_draw.scale_y;
}

bool viewport_is_full() {
    return g_draw.vp_x <= 0 && g_draw.vp_y <= 0 && g_draw.vp_x + g_draw.vp_w >= g_video.width &&
           g_draw.vp_y + g_draw.vp_h >= g_video.height;
}

void apply_viewport() {
    if (!g_video.renderer) return;
    if (viewport_is_full() || g_draw.vp_w <= 0 || g_draw.vp_h <= 0) {
        SDL_RenderSetClipRect(g_video.renderer, nullptr);
        return;
    }
    const SDL_Rect rect{g_draw.vp_x, g_draw.vp_y, g_draw.vp_w, g_draw.vp_h};
    SDL_RenderSetClipRect(g_video.renderer, &rect);
}

SDL_BlendMode sdl_blend(int mode) {
    switch (mode) {
        case kBlendSolid:
            return SDL_BLENDMODE_NONE;
        case kBlendLight:
            return SDL_BLENDMODE_ADD;
        case kBlendShade:
            return SDL_BLENDMODE_MOD;
        default:
            return SDL_BLENDMODE_BLEND;  // alpha, and mask through its thresholded copy
    }
}

SDL_Color vertex_colour() {
    const bool uses_alpha =
        g_draw.blend == kBlendAlpha || g_draw.blend == kBlendLight || g_draw.blend == kBlendShade;
    const int a = uses_alpha ? static_cast<int>(std::lround(g_draw.alpha * 255.0)) : 255;
    return SDL_Color{static_cast<Uint8>(g_draw.r), static_cast<Uint8>(g_draw.g),
                     static_cast<Uint8>(g_draw.b), static_cast<Uint8>(a)};
}

// Untextured shapes: `points` are local coordinates; triangles by index.
void draw_shape(float px, float py, const float* points, int point_count, const int* indices,
                int index_count) {
    if (!can_draw() || point_count <= 0) return;
    const SDL_Color colour = vertex_colour();
    std::vector<SDL_Vertex> vertices(static_cast<std::size_t>(point_count));
    ensure_transform();
    const double ox = px + g_draw.origin_x, oy = py + g_draw.origin_y;
    for (int i = 0; i < point_count; ++i) {
        const double u = points[2 * i], v = points[2 * i + 1];
        vertices[i].position.x = static_cast<float>(ox + u * g_draw.ix + v * g_draw.iy);
        vertices[i].position.y = static_cast<float>(oy + u * g_draw.jx + v * g_draw.jy);
        vertices[i].color = colour;
        vertices[i].tex_coord = SDL_FPoint{0.0f, 0.0f};
    }
    SDL_SetRenderDrawBlendMode(g_video.renderer, sdl_blend(g_draw.blend));
    SDL_RenderGeometry(g_video.renderer, nullptr, vertices.data(), point_count, indices,
                       index_count);
}

void destroy_video() {
    if (g_video.target) SDL_DestroyTexture(g_video.target);
    if (g_video.renderer) SDL_DestroyRenderer(g_video.renderer);
    if (g_video.window) SDL_DestroyWindow(g_video.window);
    if (g_video.renderer) ++g_video.generation;
    g_video.target = nullptr;
    g_video.renderer = nullptr;
    g_video.window = nullptr;
    g_video.shrink_when_windowed = false;
}

// Output rectangle of the frame inside a w x h area, letter-boxed.
SDL_Rect letterbox(int area_w, int area_h) {
    SDL_Rect r{0, 0, area_w, area_h};
    if (g_video.width <= 0 || g_video.height <= 0 || area_w <= 0 || area_h <= 0) return r;
    const double scale = std::min(static_cast<double>(area_w) / g_video.width,
                                  static_cast<double>(area_h) / g_video.height);
    r.w = static_cast<int>(std::lround(g_video.width * scale));
    r.h = static_cast<int>(std::lround(g_video.height * scale));
    r.x = (area_w - r.w) / 2;
    r.y = (area_h - r.h) / 2;
    return r;
}

void present() {
    SDL_Renderer* ren = g_video.renderer;
    if (!ren) return;
    // Waiting here for the frame to be finished keeps at most one frame in
    // flight: a software rasteriser otherwise lets frames pile up and then
    // stalls for several at once, and input would lag the picture.
    Uint32 pixel = 0;
    const SDL_Rect one{0, 0, 1, 1};
    SDL_RenderReadPixels(ren, &one, SDL_PIXELFORMAT_ARGB8888, &pixel, 4);
    SDL_SetRenderTarget(ren, nullptr);
    int out_w = 0, out_h = 0;
    SDL_GetRendererOutputSize(ren, &out_w, &out_h);
    const SDL_Rect dst = letterbox(out_w, out_h);
    // A window of the frame's own size takes the frame pixel for pixel: no
    // borders to clear and no filtering to pay for.
    const bool exact = dst.x == 0 && dst.y == 0 && dst.w == out_w && dst.h == out_h &&
                       dst.w == g_video.width && dst.h == g_video.height;
    if (!exact) {
        SDL_SetRenderDrawColor(ren, 0, 0, 0, 255);
        SDL_RenderClear(ren);
    }
    SDL_SetTextureScaleMode(g_video.target, exact ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderCopy(ren, g_video.target, nullptr, &dst);
    SDL_RenderPresent(ren);
    SDL_SetRenderTarget(ren, g_video.target);
    apply_viewport();
}

}  // namespace

SurfacePtr make_argb_surface(int w, int h) {
    if (w <= 0 || h <= 0) return nullptr;
    SurfacePtr s(SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888));
    if (s) SDL_FillRect(s.get(), nullptr, 0);
    return s;
}

SurfacePtr to_argb_surface(SDL_Surface* source) {
    if (!source) return nullptr;
    return SurfacePtr(SDL_ConvertSurfaceFormat(source, SDL_PIXELFORMAT_ARGB8888, 0));
}

int next_pow2(int n) {
    int p = 1;
    while (p < n && p < (1 << 30)) p <<= 1;
    return p;
}

SDL_Renderer* current_renderer() {
    return g_video.renderer;
}
SDL_Window* current_window() {
    return g_video.window;
}
std::uint64_t renderer_generation() {
    return g_video.generation;
}

PixelTexture::PixelTexture(int w, int h) {
    Replace(make_argb_surface(w, h));
}

PixelTexture::~PixelTexture() {
    DropTextures();
}

void PixelTexture::Replace(SurfacePtr surface) {
    surface_ = std::move(surface);
    width_ = surface_ ? surface_->w : 0;
    height_ = surface_ ? surface_->h : 0;
    tex_width_ = next_pow2(width_);
    tex_height_ = next_pow2(height_);
    DropTextures();
    dirty_ = mask_dirty_ = true;
}

void PixelTexture::DropTextures() {
    // Textures die with their renderer; only destroy those of the live one.
    if (generation_ == g_video.generation && g_video.renderer) {
        if (texture_) SDL_DestroyTexture(texture_);
        if (mask_texture_) SDL_DestroyTexture(mask_texture_);
    }
    texture_ = mask_texture_ = nullptr;
}

SDL_Texture* PixelTexture::Upload(bool mask) {
    SDL_Renderer* ren = g_video.renderer;
    SDL_Texture*& slot = mask ? mask_texture_ : texture_;
    if (!slot) {
        slot = SDL_CreateTexture(ren, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC,
                                 tex_width_, tex_height_);
        if (!slot) return nullptr;
        // The padding beyond the pixels stays transparent for filtered edges.
        std::vector<std::uint32_t> clear(static_cast<std::size_t>(tex_width_) * tex_height_, 0);
        SDL_UpdateTexture(slot, nullptr, clear.data(), tex_width_ * 4);
    }
    if (mask) {
        std::vector<std::uint32_t> thresholded(static_cast<std::size_t>(width_) * height_);
        const std::uint32_t* src = pixels();
        for (int y = 0; y < height_; ++y) {
            for (int x = 0; x < width_; ++x) {
                const std::uint32_t p = src[y * pitch() + x];
                thresholded[static_cast<std::size_t>(y) * width_ + x] =
                    (p >> 24) > 127 ? (p | 0xFF000000u) : (p & 0x00FFFFFFu);
            }
        }
        const SDL_Rect rect{0, 0, width_, height_};
        SDL_UpdateTexture(slot, &rect, thresholded.data(), width_ * 4);
        mask_dirty_ = false;
    } else {
        const SDL_Rect rect{0, 0, width_, height_};
        SDL_UpdateTexture(slot, &rect, pixels(), surface_->pitch);
        dirty_ = false;
    }
    return slot;
}

SDL_Texture* PixelTexture::Texture(bool mask, bool filtered) {
    if (!g_video.renderer || !surface_) return nullptr;
    if (generation_ != g_video.generation) {
        texture_ = mask_texture_ = nullptr;  // freed with their renderer
        generation_ = g_video.generation;
        dirty_ = mask_dirty_ = true;
    }
    if (dirty_) {
        mask_dirty_ = true;
        if (!Upload(false)) return nullptr;
    }
    SDL_Texture* tex = texture_;
    if (mask) {
        if ((mask_dirty_ || !mask_texture_) && !Upload(true)) return nullptr;
        tex = mask_texture_;
    }
    const SDL_ScaleMode wanted = filtered ? SDL_ScaleModeLinear : SDL_ScaleModeNearest;
    SDL_ScaleMode current = wanted;
    if (SDL_GetTextureScaleMode(tex, &current) != 0 || current != wanted) {
        // Draws of this texture still queued keep the sampling they were
        // issued with.
        SDL_RenderFlush(g_video.renderer);
        SDL_SetTextureScaleMode(tex, wanted);
    }
    return tex;
}

bool can_draw() {
    return g_video.renderer && g_draw.vp_w > 0 && g_draw.vp_h > 0;
}

bool blend_is_mask() {
    return g_draw.blend == kBlendMask;
}

bool pixel_exact(double x, double y) {
    if (g_draw.rotation != 0.0 || g_draw.scale_x != 1.0 || g_draw.scale_y != 1.0) return false;
    const double sx = x + g_draw.origin_x, sy = y + g_draw.origin_y;
    return sx == std::floor(sx) && sy == std::floor(sy);
}

void draw_quads(SDL_Texture* texture, float px, float py, const LocalQuad* quads, int count) {
    if (!texture || !can_draw() || count <= 0) return;
    const SDL_Color colour = vertex_colour();
    ensure_transform();
    const double ox = px + g_draw.origin_x, oy = py + g_draw.origin_y;
    // Small batches on the stack: a glyph run or a single image.
    constexpr int kStackQuads = 64;
    SDL_Vertex stack_vertices[kStackQuads * 4];
    int stack_indices[kStackQuads * 6];
    std::vector<SDL_Vertex> heap_vertices;
    std::vector<int> heap_indices;
    SDL_Vertex* vertices = stack_vertices;
    int* indices = stack_indices;
    if (count > kStackQuads) {
        heap_vertices.resize(static_cast<std::size_t>(count) * 4);
        heap_indices.resize(static_cast<std::size_t>(count) * 6);
        vertices = heap_vertices.data();
        indices = heap_indices.data();
    }
    for (int q = 0; q < count; ++q) {
        const LocalQuad& l = quads[q];
        const double xs[4] = {l.x0, l.x1, l.x1, l.x0};
        const double ys[4] = {l.y0, l.y0, l.y1, l.y1};
        const float us[4] = {l.u0, l.u1, l.u1, l.u0};
        const float vs[4] = {l.v0, l.v0, l.v1, l.v1};
        for (int k = 0; k < 4; ++k) {
            SDL_Vertex& v = vertices[q * 4 + k];
            v.position.x = static_cast<float>(ox + xs[k] * g_draw.ix + ys[k] * g_draw.iy);
            v.position.y = static_cast<float>(oy + xs[k] * g_draw.jx + ys[k] * g_draw.jy);
            v.color = colour;
            v.tex_coord = SDL_FPoint{us[k], vs[k]};
        }
        const int base = q * 4;
        const int idx[6] = {base, base + 1, base + 2, base, base + 2, base + 3};
        std::copy(idx, idx + 6, indices + q * 6);
    }
    SDL_SetTextureBlendMode(texture, sdl_blend(g_draw.blend));
    SDL_RenderGeometry(g_video.renderer, texture, vertices, count * 4, indices, count * 6);
}

void map_window_to_logical(int wx, int wy, int* lx, int* ly) {
    int win_w = g_video.width, win_h = g_video.height;
    if (g_video.window) SDL_GetWindowSize(g_video.window, &win_w, &win_h);
    const SDL_Rect box = letterbox(win_w, win_h);
    if (box.w <= 0 || box.h <= 0) {
        *lx = wx;
        *ly = wy;
        return;
    }
    *lx = static_cast<int>(std::floor((wx - box.x) * static_cast<double>(g_video.width) / box.w));
    *ly = static_cast<int>(std::floor((wy - box.y) * static_cast<double>(g_video.height) / box.h));
}

void toggle_fullscreen() {
    if (!g_video.window) return;
    g_video.fullscreen = !g_video.fullscreen;
    SDL_SetWindowFullscreen(g_video.window, g_video.fullscreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
    if (!g_video.fullscreen && g_video.shrink_when_windowed) {
        g_video.shrink_when_windowed = false;
        SDL_SetWindowSize(g_video.window, g_video.width, g_video.height);
        SDL_SetWindowPosition(g_video.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    }
}

}  // namespace engine_detail

using namespace engine_detail;

namespace {
std::string& title() {
    static std::string t;
    return t;
}
}  // namespace

void app_set_title(const std::string& text) {
    title() = text;
    if (g_video.window) SDL_SetWindowTitle(g_video.window, text.c_str());
}

int gfx_open(int width, int height, int depth, int hz, int flags) {
    (void)flags;
    gfx_close();
    g_video.error.clear();
    if (width <= 0 || height <= 0) {
        g_video.error = "invalid size";
        return 0;
    }
    g_video.width = width;
    g_video.height = height;
    g_video.hz = hz > 0 ? hz : 60;
    gfx_reset_state();
    const EngineOptions& options = engine_options();
    if (!options.video) {
        g_video.open = true;
        return 1;
    }

    const bool want_fullscreen = depth != 0 && !options.windowed;
    const Uint32 window_flags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;
    // Full screen starts as a window that already covers the desktop and
    // then asks for full screen. Where nothing honours that request (an X
    // display without a window manager) the window still fills the screen,
    // and the size the platform reports stays the window's real size.
    SDL_Rect place{SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height};
    SDL_Rect desktop{};
    if (want_fullscreen && SDL_GetDisplayBounds(0, &desktop) == 0 && desktop.w > 0 &&
        desktop.h > 0) {
        place = desktop;
    }
    g_video.window =
        SDL_CreateWindow(title().c_str(), place.x, place.y, place.w, place.h, window_flags);
    if (!g_video.window) {
        g_video.error = std::string("cannot open a window: ") + SDL_GetError();
        return 0;
    }
    if (want_fullscreen) {
        if (SDL_SetWindowFullscreen(g_video.window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
            g_video.shrink_when_windowed = true;
        } else {
            // A display that refuses full screen gets a window of the mode's size.
            SDL_SetWindowSize(g_video.window, width, height);
            SDL_SetWindowPosition(g_video.window, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        }
    }
    g_video.fullscreen = (SDL_GetWindowFlags(g_video.window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
    SDL_SetWindowMinimumSize(g_video.window, 320, 240);

    // Vertical sync paces frames only when the display runs at the mode's
    // rate; otherwise (144 Hz monitors, the off-screen driver) the engine's
    // frame limiter does, so game speed never depends on the monitor.
    bool want_vsync = false;
    const char* driver = SDL_GetCurrentVideoDriver();
    const bool virtual_display =
        driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0);
    SDL_DisplayMode mode{};
    if (!options.uncapped && options.fixed_dt <= 0.0 && !virtual_display &&
        SDL_GetCurrentDisplayMode(SDL_GetWindowDisplayIndex(g_video.window), &mode) == 0 &&
        std::abs(mode.refresh_rate - g_video.hz) <= 1) {
        want_vsync = true;
    }
    Uint32 renderer_flags = SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE;
    if (want_vsync) renderer_flags |= SDL_RENDERER_PRESENTVSYNC;
    g_video.renderer = SDL_CreateRenderer(g_video.window, -1, renderer_flags);
    if (!g_video.renderer) {
        g_video.renderer = SDL_CreateRenderer(g_video.window, -1,
                                              SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
    }
    if (!g_video.renderer) {
        g_video.error = std::string("cannot create a renderer: ") + SDL_GetError();
        destroy_video();
        return 0;
    }
    ++g_video.generation;
    SDL_RendererInfo info{};
    SDL_GetRendererInfo(g_video.renderer, &info);
    g_video.vsync = (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;

    g_video.target = SDL_CreateTexture(g_video.renderer, SDL_PIXELFORMAT_ARGB8888,
                                       SDL_TEXTUREACCESS_TARGET, width, height);
    if (!g_video.target) {
        g_video.error = std::string("cannot create the frame texture: ") + SDL_GetError();
        destroy_video();
        return 0;
    }
    // The frame is copied to the window as it is: its alpha must not blend.
    SDL_SetTextureBlendMode(g_video.target, SDL_BLENDMODE_NONE);
    SDL_SetRenderTarget(g_video.renderer, g_video.target);
    g_video.open = true;
    gfx_cls();
    return 1;
}

int gfx_fullscreen() {
    return g_video.window && g_video.fullscreen ? 1 : 0;
}

void gfx_set_fullscreen(int on) {
    if (g_video.window && g_video.fullscreen != (on != 0)) toggle_fullscreen();
}

void in_confine_mouse(int confine) {
    if (!g_video.window) return;
    // A confining rectangle, not a grab: the window manager keeps its own
    // keys and pointer (Alt+Tab still switches windows), and the pointer is
    // held only while the window has the focus.
    const SDL_Rect* now = SDL_GetWindowMouseRect(g_video.window);
    if (confine == 0) {
        if (now) SDL_SetWindowMouseRect(g_video.window, nullptr);
        return;
    }
    SDL_Rect whole{0, 0, 0, 0};
    SDL_GetWindowSize(g_video.window, &whole.w, &whole.h);
    if (!now || !SDL_RectEquals(now, &whole)) SDL_SetWindowMouseRect(g_video.window, &whole);
}

void gfx_close() {
    destroy_video();
    g_video.open = false;
}

int gfx_is_open() {
    return g_video.open ? 1 : 0;
}
std::string gfx_last_error() {
    return g_video.error;
}
int gfx_width() {
    return g_video.width;
}
int gfx_height() {
    return g_video.height;
}
int gfx_vsync() {
    return g_video.vsync ? 1 : 0;
}

void gfx_cls() {
    if (!g_video.renderer) return;
    SDL_SetRenderDrawColor(g_video.renderer, static_cast<Uint8>(g_draw.cls_r),
                           static_cast<Uint8>(g_draw.cls_g), static_cast<Uint8>(g_draw.cls_b), 255);
    SDL_RenderClear(g_video.renderer);
}

void gfx_flip(int sync) {
    present();
    const EngineOptions& options = engine_options();
    const bool paced_by_display = g_video.renderer && g_video.vsync;
    if (sync != 0 && options.video && !options.uncapped && options.fixed_dt <= 0.0 &&
        !paced_by_display) {
        clock_wait_frame(1000.0 / g_video.hz);
    }
    clock_advance_frame();
    poll_at_flip();
}

void gfx_set_color(int r, int g, int b) {
    g_draw.r = std::clamp(r, 0, 255);
    g_draw.g = std::clamp(g, 0, 255);
    g_draw.b = std::clamp(b, 0, 255);
}
void gfx_get_color(int* r, int* g, int* b) {
    *r = g_draw.r;
    *g = g_draw.g;
    *b = g_draw.b;
}
void gfx_set_alpha(double a) {
    g_draw.alpha = std::isnan(a) ? 0.0 : std::clamp(a, 0.0, 1.0);
}
double gfx_get_alpha() {
    return g_draw.alpha;
}
void gfx_set_blend(int mode) {
    if (mode >= kBlendMask && mode <= kBlendShade) g_draw.blend = mode;
}
int gfx_get_blend() {
    return g_draw.blend;
}
void gfx_set_rotation(double degrees) {
    g_draw.rotation = degrees;
    update_transform();
}
double gfx_get_rotation() {
    return g_draw.rotation;
}
void gfx_set_scale(double sx, double sy) {
    g_draw.scale_x = sx;
    g_draw.scale_y = sy;
    update_transform();
}
void gfx_get_scale(double* sx, double* sy) {
    *sx = g_draw.scale_x;
    *sy = g_draw.scale_y;
}
void gfx_set_origin(double x, double y) {
    g_draw.origin_x = x;
    g_draw.origin_y = y;
}
void gfx_get_origin(double* x, double* y) {
    *x = g_draw.origin_x;
    *y = g_draw.origin_y;
}
void gfx_set_handle(double x, double y) {
    g_draw.handle_x = x;
    g_draw.handle_y = y;
}
void gfx_get_handle(double* x, double* y) {
    *x = g_draw.handle_x;
    *y = g_draw.handle_y;
}
void gfx_set_viewport(int x, int y, int w, int h) {
    g_draw.vp_x = x;
    g_draw.vp_y = y;
    g_draw.vp_w = w;
    g_draw.vp_h = h;
    apply_viewport();
}
void gfx_get_viewport(int* x, int* y, int* w, int* h) {
    *x = g_draw.vp_x;
    *y = g_draw.vp_y;
    *w = g_draw.vp_w;
    *h = g_draw.vp_h;
}
void gfx_set_line_width(double w) {
    g_draw.line_width = w;
}
double gfx_get_line_width() {
    return g_draw.line_width;
}
void gfx_set_cls_color(int r, int g, int b) {
    g_draw.cls_r = std::clamp(r, 0, 255);
    g_draw.cls_g = std::clamp(g, 0, 255);
    g_draw.cls_b = std::clamp(b, 0, 255);
}
void gfx_get_cls_color(int* r, int* g, int* b) {
    *r = g_draw.cls_r;
    *g = g_draw.cls_g;
    *b = g_draw.cls_b;
}

void gfx_reset_state() {
    g_draw = DrawState{};
    g_draw.vp_w = g_video.width;
    g_draw.vp_h = g_video.height;
    update_transform();
    apply_viewport();
}

GfxState gfx_get_state() {
    return g_draw;
}

void gfx_set_state(const GfxState& state) {
    const bool same_clip = state.vp_x == g_draw.vp_x && state.vp_y == g_draw.vp_y &&
                           state.vp_w == g_draw.vp_w && state.vp_h == g_draw.vp_h;
    static_cast<GfxState&>(g_draw) = state;
    update_transform();
    if (!same_clip) apply_viewport();
}

void gfx_apply_params(const DrawParams& p) {
    gfx_set_color(p.r, p.g, p.b);
    gfx_set_alpha(p.alpha);
    gfx_set_blend(p.blend);
    gfx_set_scale(p.scale_x, p.scale_y);
    gfx_set_rotation(p.rotation);
    gfx_set_handle(p.handle_x, p.handle_y);
}

void gfx_draw_rect_with(double x, double y, double w, double h, const DrawParams& params) {
    const GfxStateGuard keep;
    gfx_apply_params(params);
    gfx_draw_rect(x, y, w, h);
}

void gfx_draw_rect(double x, double y, double w, double h) {
    const float x0 = static_cast<float>(-g_draw.handle_x),
                y0 = static_cast<float>(-g_draw.handle_y);
    const float x1 = static_cast<float>(w - g_draw.handle_x),
                y1 = static_cast<float>(h - g_draw.handle_y);
    const float points[8] = {x0, y0, x1, y0, x1, y1, x0, y1};
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    draw_shape(static_cast<float>(x), static_cast<float>(y), points, 4, indices, 6);
}

void gfx_draw_oval(double x, double y, double w, double h) {
    // A fan around the centre; enough segments that the edge stays round at
    // every size the game draws (up to the whole screen).
    const double rx = w / 2.0, ry = h / 2.0;
    const double radius = std::max(std::fabs(rx), std::fabs(ry));
    const int segments = std::clamp(static_cast<int>(radius * 0.75) + 12, 12, 128);
    std::vector<float> points(static_cast<std::size_t>(segments + 1) * 2);
    const double cx = rx - g_draw.handle_x, cy = ry - g_draw.handle_y;
    points[0] = static_cast<float>(cx);
    points[1] = static_cast<float>(cy);
    for (int i = 0; i < segments; ++i) {
        const double a = 2.0 * std::numbers::pi * i / segments;
        points[2 * (i + 1)] = static_cast<float>(cx + std::cos(a) * rx);
        points[2 * (i + 1) + 1] = static_cast<float>(cy + std::sin(a) * ry);
    }
    std::vector<int> indices(static_cast<std::size_t>(segments) * 3);
    for (int i = 0; i < segments; ++i) {
        indices[3 * i] = 0;
        indices[3 * i + 1] = 1 + i;
        indices[3 * i + 2] = 1 + (i + 1) % segments;
    }
    draw_shape(static_cast<float>(x), static_cast<float>(y), points.data(), segments + 1,
               indices.data(), segments * 3);
}

void gfx_draw_line(double x1, double y1, double x2, double y2) {
    // A quad `line width` wide around the segment, in local space relative to
    // the first point so the transform turns it like the other shapes.
    const double dx = x2 - x1, dy = y2 - y1;
    const double len = std::sqrt(dx * dx + dy * dy);
    const double half = std::max(g_draw.line_width, 0.0) / 2.0;
    double nx = 0.0, ny = half;
    double ex = 0.0, ey = 0.0;
    if (len > 0.0) {
        nx = -dy / len * half;
        ny = dx / len * half;
        // Extend by half a pixel at each end so that 1-pixel lines cover
        // their end points, as thin lines do on screen.
        ex = dx / len * 0.5;
        ey = dy / len * 0.5;
    } else {
        ex = 0.5;
    }
    const double hx = -g_draw.handle_x, hy = -g_draw.handle_y;
    const double ax = hx - ex, ay = hy - ey;
    const double bx = hx + dx + ex, by = hy + dy + ey;
    const float points[8] = {
        static_cast<float>(ax + nx), static_cast<float>(ay + ny), static_cast<float>(bx + nx),
        static_cast<float>(by + ny), static_cast<float>(bx - nx), static_cast<float>(by - ny),
        static_cast<float>(ax - nx), static_cast<float>(ay - ny),
    };
    const int indices[6] = {0, 1, 2, 0, 2, 3};
    draw_shape(static_cast<float>(x1), static_cast<float>(y1), points, 4, indices, 6);
}

std::vector<std::uint32_t> gfx_read_pixels(int x, int y, int w, int h) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(std::max(w, 0)) * std::max(h, 0), 0);
    if (!g_video.renderer || w <= 0 || h <= 0) return pixels;
    const SDL_Rect rect{x, y, w, h};
    SDL_RenderReadPixels(g_video.renderer, &rect, SDL_PIXELFORMAT_ARGB8888, pixels.data(), w * 4);
    return pixels;
}

int gfx_save_png(const std::string& path) {
    const int w = g_video.width, h = g_video.height;
    if (w <= 0 || h <= 0) return 0;
    std::vector<std::uint32_t> pixels = gfx_read_pixels(0, 0, w, h);
    // The frame's alpha is meaningless once drawn; the picture is opaque.
    for (std::uint32_t& p : pixels) p |= 0xFF000000u;
    SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), w, h, 32, w * 4,
                                                          SDL_PIXELFORMAT_ARGB8888));
    if (!surface) return 0;
    return IMG_SavePNG(surface.get(), path.c_str()) == 0 ? 1 : 0;
}
