#include "tools/datagen/art.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace datagen {

Rgba Hex(std::uint32_t rgb, double a) {
    return Rgba{((rgb >> 16) & 0xFF) / 255.0, ((rgb >> 8) & 0xFF) / 255.0, (rgb & 0xFF) / 255.0, a};
}

Rgba Mix(const Rgba& a, const Rgba& b, double t) {
    return Rgba{a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t,
                a.a + (b.a - a.a) * t};
}

Rgba Shade(const Rgba& c, double amount) {
    const Rgba towards = amount >= 0 ? Rgba{1, 1, 1, c.a} : Rgba{0, 0, 0, c.a};
    return Mix(c, towards, std::fabs(amount));
}

Canvas::Canvas(int width, int height) : width_(width), height_(height) {
    surface_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    cr_ = cairo_create(surface_);
    cairo_set_antialias(cr_, CAIRO_ANTIALIAS_BEST);
    cairo_set_line_join(cr_, CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(cr_, CAIRO_LINE_CAP_ROUND);
}

Canvas::~Canvas() {
    if (cr_) cairo_destroy(cr_);
    if (surface_) cairo_surface_destroy(surface_);
}

Canvas::Canvas(Canvas&& o) noexcept
    : width_(o.width_), height_(o.height_), surface_(o.surface_), cr_(o.cr_) {
    o.surface_ = nullptr;
    o.cr_ = nullptr;
}

Canvas& Canvas::operator=(Canvas&& o) noexcept {
    if (this != &o) {
        if (cr_) cairo_destroy(cr_);
        if (surface_) cairo_surface_destroy(surface_);
        width_ = o.width_;
        height_ = o.height_;
        surface_ = o.surface_;
        cr_ = o.cr_;
        o.surface_ = nullptr;
        o.cr_ = nullptr;
    }
    return *this;
}

void Canvas::Clear(const Rgba& c) {
    cairo_save(cr_);
    cairo_set_operator(cr_, CAIRO_OPERATOR_SOURCE);
    SetColour(c);
    cairo_paint(cr_);
    cairo_restore(cr_);
}

void Canvas::SetColour(const Rgba& c) {
    cairo_set_source_rgba(cr_, c.r, c.g, c.b, c.a);
}

bool Canvas::SavePng(const std::string& path) const {
    cairo_surface_flush(surface_);
    return cairo_surface_write_to_png(surface_, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::uint32_t Canvas::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    cairo_surface_flush(surface_);
    const unsigned char* data = cairo_image_surface_get_data(surface_);
    const int stride = cairo_image_surface_get_stride(surface_);
    const std::uint32_t p = *reinterpret_cast<const std::uint32_t*>(data + y * stride + x * 4);
    const std::uint32_t a = p >> 24;
    if (a == 0) return 0;
    auto un = [a](std::uint32_t c) { return std::min<std::uint32_t>(255, (c * 255 + a / 2) / a); };
    return (a << 24) | (un((p >> 16) & 0xFF) << 16) | (un((p >> 8) & 0xFF) << 8) | un(p & 0xFF);
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_new_sub_path(cr);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
}

void FillLinear(cairo_t* cr, double x0, double y0, const Rgba& c0, double x1, double y1,
                const Rgba& c1, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_linear(x0, y0, x1, y1);
    cairo_pattern_add_color_stop_rgba(p, 0, c0.r, c0.g, c0.b, c0.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c1.r, c1.g, c1.b, c1.a);
    cairo_set_source(cr, p);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void FillRadial(cairo_t* cr, double cx, double cy, double r0, const Rgba& c0, double r1,
                const Rgba& c1, bool preserve) {
    cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, r0, cx, cy, r1);
    cairo_pattern_add_color_stop_rgba(p, 0, c0.r, c0.g, c0.b, c0.a);
    cairo_pattern_add_color_stop_rgba(p, 1, c1.r, c1.g, c1.b, c1.a);
    cairo_set_source(cr, p);
    preserve ? cairo_fill_preserve(cr) : cairo_fill(cr);
    cairo_pattern_destroy(p);
}

void Outline(cairo_t* cr, const Rgba& c, double width, bool preserve) {
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
    cairo_set_line_width(cr, width);
    preserve ? cairo_stroke_preserve(cr) : cairo_stroke(cr);
}

namespace {

// One horizontal and one vertical box-blur pass over premultiplied pixels.
void BoxBlur(std::vector<double>& ch, int w, int h, int r) {
    if (r <= 0) return;
    std::vector<double> tmp(ch.size());
    const double norm = 1.0 / (2 * r + 1);
    for (int y = 0; y < h; ++y) {
        double sum = 0;
        for (int x = -r; x <= r; ++x) sum += ch[y * w + std::clamp(x, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            tmp[y * w + x] = sum * norm;
            sum += ch[y * w + std::min(x + r + 1, w - 1)] - ch[y * w + std::max(x - r, 0)];
        }
    }
    for (int x = 0; x < w; ++x) {
        double sum = 0;
        for (int y = -r; y <= r; ++y) sum += tmp[std::clamp(y, 0, h - 1) * w + x];
        for (int y = 0; y < h; ++y) {
            ch[y * w + x] = sum * norm;
            sum += tmp[std::min(y + r + 1, h - 1) * w + x] - tmp[std::max(y - r, 0) * w + x];
        }
    }
}

}  // namespace

void Blur(Canvas& canvas, double radius) {
    const int w = canvas.width(), h = canvas.height();
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    // Three passes of radius r approximate a Gaussian with sigma ~ r.
    const int r = std::max(1, static_cast<int>(std::lround(radius / 1.7)));
    for (int shift = 0; shift < 32; shift += 8) {
        std::vector<double> ch(static_cast<std::size_t>(w) * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ch[y * w + x] =
                    (*reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4) >> shift) & 0xFF;
        for (int pass = 0; pass < 3; ++pass) BoxBlur(ch, w, h, r);
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                auto* p = reinterpret_cast<std::uint32_t*>(data + y * stride + x * 4);
                const std::uint32_t v =
                    static_cast<std::uint32_t>(std::clamp(std::lround(ch[y * w + x]), 0L, 255L));
                *p = (*p & ~(0xFFu << shift)) | (v << shift);
            }
        }
    }
    cairo_surface_mark_dirty(s);
}

void CompositeShadow(Canvas& target, const Canvas& mask, double dx, double dy, double blur,
                     double opacity) {
    Canvas shadow(mask.width(), mask.height());
    cairo_set_source_surface(shadow.cr(), mask.surface(), 0, 0);
    cairo_paint(shadow.cr());
    // Keep only the coverage, in black.
    cairo_set_operator(shadow.cr(), CAIRO_OPERATOR_IN);
    cairo_set_source_rgba(shadow.cr(), 0, 0, 0, 1);
    cairo_paint(shadow.cr());
    Blur(shadow, blur);
    cairo_t* cr = target.cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_DEST_OVER);
    cairo_set_source_surface(cr, shadow.surface(), dx, dy);
    cairo_paint_with_alpha(cr, opacity);
    cairo_restore(cr);
}

std::uint64_t Random::Next() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 7;
    state_ ^= state_ << 17;
    return state_;
}

double Random::Uniform(double lo, double hi) {
    return lo + (hi - lo) * static_cast<double>(Next() >> 11) / 9007199254740992.0;
}

}  // namespace datagen
