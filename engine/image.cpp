#include "engine/image.h"

#include <SDL_image.h>

#include <cmath>
#include <vector>

#include "engine/engine_detail.h"
#include "engine/filesystem.h"

using engine_detail::PixelTexture;

struct Image::Frame {
    Frame(int w, int h) : pixels(w, h) {
        u1 = static_cast<float>(w) / static_cast<float>(pixels.tex_width());
        v1 = static_cast<float>(h) / static_cast<float>(pixels.tex_height());
    }
    PixelTexture pixels;
    float u0 = 0.0f, v0 = 0.0f, u1 = 1.0f, v1 = 1.0f;
    bool written = false;
};

namespace {

std::uint8_t g_mask_r = 0, g_mask_g = 0, g_mask_b = 0;

int effective_flags(int flags) {
    return flags == -1 ? kImageDefaultFlags : flags;
}

// Loads any image file the decoders know as 32-bit ARGB.
engine_detail::SurfacePtr load_surface(const std::string& path) {
    const std::string resolved = fs_resolve(path);
    if (resolved.empty()) return nullptr;
    engine_detail::SurfacePtr loaded(IMG_Load(resolved.c_str()));
    if (!loaded) return nullptr;
    return engine_detail::to_argb_surface(loaded.get());
}

void apply_mask(PixelTexture& p, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    const std::uint32_t key =
        (static_cast<std::uint32_t>(r) << 16) | (static_cast<std::uint32_t>(g) << 8) | b;
    std::uint32_t* px = p.pixels();
    for (int y = 0; y < p.height(); ++y) {
        for (int x = 0; x < p.width(); ++x) {
            std::uint32_t& v = px[y * p.pitch() + x];
            if ((v & 0x00FFFFFFu) == key) v &= 0x00FFFFFFu;
        }
    }
}

// Copies a w x h block at (sx, sy) of `src` into the frame's pixels.
void copy_block(SDL_Surface* src, int sx, int sy, PixelTexture& dst) {
    const auto* from = static_cast<const std::uint32_t*>(src->pixels);
    const int src_pitch = src->pitch / 4;
    std::uint32_t* to = dst.pixels();
    for (int y = 0; y < dst.height(); ++y) {
        for (int x = 0; x < dst.width(); ++x) {
            to[y * dst.pitch() + x] = from[(sy + y) * src_pitch + sx + x];
        }
    }
    dst.MarkDirty();
}

void stamp_mask_colour(Image& image) {
    image.mask_r = g_mask_r;
    image.mask_g = g_mask_g;
    image.mask_b = g_mask_b;
}

void draw_frame(const ImageHandle& image, double x, double y, double w, double h, int frame) {
    if (!image || !engine_detail::can_draw()) return;
    Image::Frame* f = image->frame(frame);
    if (!f) return;
    const int tw = f->pixels.tex_width(), th = f->pixels.tex_height();
    const bool one_to_one = w == image->width() && h == image->height() &&
                            (f->u1 - f->u0) * tw == w && (f->v1 - f->v0) * th == h &&
                            engine_detail::pixel_exact(x - image->handle_x, y - image->handle_y);
    const bool filtered = (image->flags() & (kImageFiltered | kImageMipmapped)) != 0 && !one_to_one;
    SDL_Texture* tex = f->pixels.Texture(engine_detail::blend_is_mask(), filtered);
    if (!tex) return;
    const engine_detail::LocalQuad quad{-image->handle_x,
                                        -image->handle_y,
                                        static_cast<float>(w) - image->handle_x,
                                        static_cast<float>(h) - image->handle_y,
                                        f->u0,
                                        f->v0,
                                        f->u1,
                                        f->v1};
    engine_detail::draw_quads(tex, static_cast<float>(x), static_cast<float>(y), &quad, 1);
}

bool whole(float v) {
    return v == std::floor(v);
}

}  // namespace

Image::Image(int width, int height, int frames, int flags)
    : width_(width), height_(height), flags_(flags) {
    for (int i = 0; i < frames; ++i) frames_.push_back(std::make_shared<Frame>(width, height));
}

Image::~Image() = default;

Image::Frame* Image::frame(int index) {
    if (index < 0 || index >= static_cast<int>(frames_.size())) return nullptr;
    return frames_[static_cast<std::size_t>(index)].get();
}

ImageHandle img_share(const ImageHandle& image) {
    if (!image) return nullptr;
    auto copy = std::make_shared<Image>(image->width(), image->height(), 0, image->flags());
    copy->frames_ = image->frames_;
    copy->mask_r = image->mask_r;
    copy->mask_g = image->mask_g;
    copy->mask_b = image->mask_b;
    return copy;
}

ImageHandle img_load(const std::string& path, int flags) {
    flags = effective_flags(flags);
    engine_detail::SurfacePtr surface = load_surface(path);
    if (!surface || surface->w <= 0 || surface->h <= 0) return nullptr;
    auto image = std::make_shared<Image>(surface->w, surface->h, 1, flags);
    stamp_mask_colour(*image);
    Image::Frame* f = image->frame(0);
    copy_block(surface.get(), 0, 0, f->pixels);
    if (flags & kImageMasked) apply_mask(f->pixels, g_mask_r, g_mask_g, g_mask_b);
    return image;
}

ImageHandle img_load_anim(const std::string& path, int cell_w, int cell_h, int first, int count,
                          int flags) {
    flags = effective_flags(flags);
    if (cell_w <= 0 || cell_h <= 0 || first < 0 || count <= 0) return nullptr;
    engine_detail::SurfacePtr surface = load_surface(path);
    if (!surface) return nullptr;
    const int columns = surface->w / cell_w;
    const int rows = surface->h / cell_h;
    if (columns <= 0 || rows <= 0 ||
        static_cast<long long>(first) + count > static_cast<long long>(columns) * rows)
        return nullptr;
    auto image = std::make_shared<Image>(cell_w, cell_h, count, flags);
    stamp_mask_colour(*image);
    for (int i = 0; i < count; ++i) {
        const int cell = first + i;
        Image::Frame* f = image->frame(i);
        copy_block(surface.get(), (cell % columns) * cell_w, (cell / columns) * cell_h, f->pixels);
        if (flags & kImageMasked) apply_mask(f->pixels, g_mask_r, g_mask_g, g_mask_b);
    }
    return image;
}

ImageHandle img_create(int width, int height, int frames, int flags) {
    flags = effective_flags(flags) | kImageDynamic;
    if (width <= 0 || height <= 0 || frames <= 0) return nullptr;
    auto image = std::make_shared<Image>(width, height, frames, flags);
    stamp_mask_colour(*image);
    return image;
}

ImageHandle img_from_pixels(int width, int height, const std::uint32_t* argb, int flags) {
    flags = effective_flags(flags);
    if (width <= 0 || height <= 0) return nullptr;
    auto image = std::make_shared<Image>(width, height, 1, flags);
    stamp_mask_colour(*image);
    if (!argb) return image;
    PixelTexture& p = image->frame(0)->pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) p.pixels()[y * p.pitch() + x] = argb[y * width + x];
    }
    // Like a loaded file: masked images lose the mask colour.
    if (flags & kImageMasked) apply_mask(p, g_mask_r, g_mask_g, g_mask_b);
    p.MarkDirty();
    return image;
}

int img_width(const ImageHandle& image) {
    return image ? image->width() : 0;
}
int img_height(const ImageHandle& image) {
    return image ? image->height() : 0;
}
int img_frames(const ImageHandle& image) {
    return image ? image->frame_count() : 0;
}

void img_set_handle(const ImageHandle& image, double x, double y) {
    if (!image) return;
    image->handle_x = static_cast<float>(x);
    image->handle_y = static_cast<float>(y);
}

void img_mid_handle(const ImageHandle& image) {
    if (image) img_set_handle(image, image->width() * 0.5, image->height() * 0.5);
}

void img_set_mask_color(int r, int g, int b) {
    g_mask_r = static_cast<std::uint8_t>(r);
    g_mask_g = static_cast<std::uint8_t>(g);
    g_mask_b = static_cast<std::uint8_t>(b);
}

void img_get_mask_color(int* r, int* g, int* b) {
    *r = g_mask_r;
    *g = g_mask_g;
    *b = g_mask_b;
}

void img_set_frame_uv(const ImageHandle& image, int frame, double u0, double v0, double u1,
                      double v1) {
    Image::Frame* f = image ? image->frame(frame) : nullptr;
    if (!f) return;
    f->u0 = static_cast<float>(u0);
    f->v0 = static_cast<float>(v0);
    f->u1 = static_cast<float>(u1);
    f->v1 = static_cast<float>(v1);
}

void img_get_frame_uv(const ImageHandle& image, int frame, double* u0, double* v0, double* u1,
                      double* v1) {
    Image::Frame* f = image ? image->frame(frame) : nullptr;
    *u0 = f ? f->u0 : 0.0;
    *v0 = f ? f->v0 : 0.0;
    *u1 = f ? f->u1 : 0.0;
    *v1 = f ? f->v1 : 0.0;
}

void img_texture_size(const ImageHandle& image, int* w, int* h) {
    Image::Frame* f = image ? image->frame(0) : nullptr;
    *w = f ? f->pixels.tex_width() : 0;
    *h = f ? f->pixels.tex_height() : 0;
}

Pixmap img_lock(const ImageHandle& image, int frame, int read, int write) {
    Pixmap pm;
    Image::Frame* f = image ? image->frame(frame) : nullptr;
    if (!f || !f->pixels.pixels()) return pm;
    pm.pixels = f->pixels.pixels();
    pm.width = f->pixels.width();
    pm.height = f->pixels.height();
    pm.pitch = f->pixels.pitch();
    pm.readable = read != 0;
    pm.writeable = write != 0;
    if (write) f->written = true;
    return pm;
}

void img_unlock(const ImageHandle& image, int frame) {
    Image::Frame* f = image ? image->frame(frame) : nullptr;
    if (!f) return;
    if (f->written) f->pixels.MarkDirty();
    f->written = false;
}

std::uint32_t pix_read_pixel(const Pixmap& pm, int x, int y) {
    if (!pm.pixels || x < 0 || y < 0 || x >= pm.width || y >= pm.height) return 0;
    return pm.pixels[y * pm.pitch + x];
}

void pix_write_pixel(const Pixmap& pm, int x, int y, std::uint32_t argb) {
    if (!pm.pixels || x < 0 || y < 0 || x >= pm.width || y >= pm.height) return;
    pm.pixels[y * pm.pitch + x] = argb;
}

void gfx_draw_image(const ImageHandle& image, double x, double y, int frame) {
    if (image) draw_frame(image, x, y, image->width(), image->height(), frame);
}

void gfx_draw_image_with(const ImageHandle& image, double x, double y, int frame,
                         const DrawParams& params) {
    if (!image) return;
    const GfxStateGuard keep;
    gfx_apply_params(params);
    gfx_draw_image(image, x, y, frame);
}

void gfx_draw_image_rect(const ImageHandle& image, double x, double y, double w, double h,
                         int frame) {
    draw_frame(image, x, y, w, h, frame);
}

void gfx_draw_image_cells(const ImageHandle& image, double x, double y, int frame,
                          const ImageCell* cells, int count) {
    if (!image || !cells || count <= 0 || !engine_detail::can_draw()) return;
    Image::Frame* f = image->frame(frame);
    if (!f) return;
    const float tw = static_cast<float>(f->pixels.tex_width());
    const float th = static_cast<float>(f->pixels.tex_height());
    bool one_to_one = engine_detail::pixel_exact(x - image->handle_x, y - image->handle_y);
    std::vector<engine_detail::LocalQuad> quads(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const ImageCell& c = cells[i];
        one_to_one = one_to_one && c.w == c.sw && c.h == c.sh && whole(c.x) && whole(c.y) &&
                     whole(c.sx) && whole(c.sy);
        quads[static_cast<std::size_t>(i)] = engine_detail::LocalQuad{c.x - image->handle_x,
                                                                      c.y - image->handle_y,
                                                                      c.x + c.w - image->handle_x,
                                                                      c.y + c.h - image->handle_y,
                                                                      c.sx / tw,
                                                                      c.sy / th,
                                                                      (c.sx + c.sw) / tw,
                                                                      (c.sy + c.sh) / th};
    }
    const bool filtered = (image->flags() & (kImageFiltered | kImageMipmapped)) != 0 && !one_to_one;
    SDL_Texture* tex = f->pixels.Texture(engine_detail::blend_is_mask(), filtered);
    if (!tex) return;
    engine_detail::draw_quads(tex, static_cast<float>(x), static_cast<float>(y), quads.data(),
                              count);
}

int pix_save_png(int width, int height, const std::uint32_t* argb, const std::string& path) {
    if (width <= 0 || height <= 0 || !argb) return 0;
    engine_detail::SurfacePtr surface(SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint32_t*>(argb), width, height, 32, width * 4, SDL_PIXELFORMAT_ARGB8888));
    if (!surface) return 0;
    return IMG_SavePNG(surface.get(), path.c_str()) == 0 ? 1 : 0;
}
