#pragma once
// Drawing toolkit of the data generator: Cairo canvases with the helpers the
// game's look is made of (light from the upper left, soft drop shadows,
// clean outlines, gradients), deterministic PNG output and a seeded random
// source, so that every run writes the same bytes.

#include <cairo.h>

#include <cstdint>
#include <memory>
#include <string>

namespace datagen {

/// A colour with components 0..1.
struct Rgba {
    double r = 0, g = 0, b = 0, a = 1;
};
/// From 0xRRGGBB and an alpha.
Rgba Hex(std::uint32_t rgb, double a = 1.0);
/// Mixes two colours: t = 0 gives `a`, 1 gives `b`.
Rgba Mix(const Rgba& a, const Rgba& b, double t);
/// Lighter (amount > 0) or darker (amount < 0) by moving towards white/black.
Rgba Shade(const Rgba& c, double amount);

/// An ARGB32 image with its Cairo context. Move-only.
class Canvas {
public:
    Canvas(int width, int height);
    ~Canvas();
    Canvas(Canvas&& other) noexcept;
    Canvas& operator=(Canvas&& other) noexcept;
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surface_; }

    /// Fills everything with one colour (transparent by default).
    void Clear(const Rgba& c = Rgba{0, 0, 0, 0});
    void SetColour(const Rgba& c);

    /// Writes the image as PNG (straight alpha, no time stamp). False on failure.
    bool SavePng(const std::string& path) const;

    /// Straight-alpha ARGB of a pixel (0 outside).
    std::uint32_t Pixel(int x, int y) const;

private:
    int width_ = 0;
    int height_ = 0;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

// Path helpers (they only build the path; fill or stroke after).
void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
void Ellipse(cairo_t* cr, double cx, double cy, double rx, double ry);

/// Fills the current path with a linear gradient from (x0,y0) to (x1,y1).
void FillLinear(cairo_t* cr, double x0, double y0, const Rgba& c0, double x1, double y1,
                const Rgba& c1, bool preserve = false);
/// Fills the current path with a radial gradient around (cx, cy).
void FillRadial(cairo_t* cr, double cx, double cy, double r0, const Rgba& c0, double r1,
                const Rgba& c1, bool preserve = false);
/// Strokes the current path with round joins.
void Outline(cairo_t* cr, const Rgba& c, double width, bool preserve = false);

/// Blurs the canvas in place (three box-blur passes approximate a Gaussian
/// of the given radius).
void Blur(Canvas& canvas, double radius);

/// Draws a soft shadow of everything `shape` draws: the shape is rendered
/// into a mask, blurred, tinted and composited at an offset down and to the
/// right (the light comes from the upper left), under what is already there.
template <typename ShapeFn>
void DropShadow(Canvas& target, double dx, double dy, double blur, double opacity, ShapeFn shape);
void CompositeShadow(Canvas& target, const Canvas& mask, double dx, double dy, double blur,
                     double opacity);

/// Seeded random numbers (xorshift), independent of the game's generator.
class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    std::uint64_t Next();
    /// Uniform in [lo, hi).
    double Uniform(double lo, double hi);

private:
    std::uint64_t state_;
};

template <typename ShapeFn>
void DropShadow(Canvas& target, double dx, double dy, double blur, double opacity, ShapeFn shape) {
    Canvas mask(target.width(), target.height());
    shape(mask.cr());
    CompositeShadow(target, mask, dx, dy, blur, opacity);
}

}  // namespace datagen
