#pragma once
// Shared look of the interface art (pickups, effects, markers, backdrops and
// the GUI skin): the palette, deterministic value noise for organic shapes
// and a per-pixel painter for images computed point by point.

#include <cstdint>

#include "tools/datagen/art.h"

namespace datagen::ui {

// Palette: dark steel greys, a warm orange accent, near-black outlines.
inline constexpr std::uint32_t kOutline = 0x141213;
inline constexpr std::uint32_t kAccent = 0xF08A24;
inline constexpr std::uint32_t kAccentLight = 0xFFC05A;
inline constexpr std::uint32_t kAccentDark = 0xA8520E;
inline constexpr std::uint32_t kPanel = 0x3F3D3D;
inline constexpr std::uint32_t kGold = 0xF2C230;

/// Smooth value noise in 0..1 on an integer lattice, the same for the same
/// (x, y, seed) on every run.
double Noise(double x, double y, std::uint32_t seed);
/// Sum of `octaves` noise layers, each twice as fine and half as strong,
/// normalised to 0..1.
double Fractal(double x, double y, std::uint32_t seed, int octaves);
/// Noise on a circle: periodic in `angle` (radians), for irregular outlines
/// that close up seamlessly. `detail` is the number of bumps around.
double RingNoise(double angle, double detail, std::uint32_t seed, int octaves);

/// Smooth step from 0 at `e0` to 1 at `e1`.
double SmoothStep(double e0, double e1, double x);

/// Sets every pixel of the canvas from `shade(x + 0.5, y + 0.5)`, a
/// straight-alpha colour, replacing what was there.
template <typename ShadeFn>
void Paint(Canvas& canvas, ShadeFn shade);

/// A dark soot splat with blotchy edges, short splatter rays and a few
/// droplets, transparent outside; `size` x `size`, shaped by `seed`.
Canvas Scorch(int size, std::uint32_t seed);

/// Stores a straight-alpha colour into a premultiplied ARGB32 pixel.
std::uint32_t Premultiply(const Rgba& c);

template <typename ShadeFn>
void Paint(Canvas& canvas, ShadeFn shade) {
    cairo_surface_t* s = canvas.surface();
    cairo_surface_flush(s);
    unsigned char* data = cairo_image_surface_get_data(s);
    const int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < canvas.height(); ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + y * stride);
        for (int x = 0; x < canvas.width(); ++x) row[x] = Premultiply(shade(x + 0.5, y + 0.5));
    }
    cairo_surface_mark_dirty(s);
}

}  // namespace datagen::ui
