#include "tools/datagen/ui_style.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace datagen::ui {

namespace {

// Integer hash of a lattice point to 0..1.
double Lattice(std::int64_t x, std::int64_t y, std::uint32_t seed) {
    std::uint64_t h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ull;
    h ^= static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4Full;
    h ^= static_cast<std::uint64_t>(seed) * 0x165667B19E3779F9ull;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return static_cast<double>(h >> 11) / 9007199254740992.0;
}

double Fade(double t) {
    return t * t * (3 - 2 * t);
}

}  // namespace

double Noise(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int64_t>(fx), iy = static_cast<std::int64_t>(fy);
    const double tx = Fade(x - fx), ty = Fade(y - fy);
    const double a = Lattice(ix, iy, seed), b = Lattice(ix + 1, iy, seed);
    const double c = Lattice(ix, iy + 1, seed), d = Lattice(ix + 1, iy + 1, seed);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fractal(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, weight = 1, total = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += Noise(x, y, seed + 977u * static_cast<std::uint32_t>(i)) * weight;
        total += weight;
        x *= 2;
        y *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

double RingNoise(double angle, double detail, std::uint32_t seed, int octaves) {
    // A circle through 2-D noise closes up on itself.
    const double r = detail / (2 * M_PI);
    return Fractal(100 + r * std::cos(angle), 100 + r * std::sin(angle), seed, octaves);
}

double SmoothStep(double e0, double e1, double x) {
    const double t = std::clamp((x - e0) / (e1 - e0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

std::uint32_t Premultiply(const Rgba& c) {
    const double a = std::clamp(c.a, 0.0, 1.0);
    auto ch = [a](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * a * 255.0));
    };
    return (static_cast<std::uint32_t>(std::lround(a * 255.0)) << 24) | (ch(c.r) << 16) |
           (ch(c.g) << 8) | ch(c.b);
}

Canvas Scorch(int size, std::uint32_t seed) {
    Canvas c(size, size);
    const double cx = size / 2.0, cy = size / 2.0, k = size / 256.0;
    Random rng(seed);
    struct Drop {
        double x, y, r;
    };
    std::vector<Drop> drops;
    for (int i = 0; i < 14; ++i) {
        const double a = rng.Uniform(0, 2 * M_PI), d = rng.Uniform(76, 100) * k;
        drops.push_back({cx + d * std::cos(a), cy + d * std::sin(a), rng.Uniform(1.5, 4.5) * k});
    }
    Paint(c, [&](double x, double y) {
        const double dx = x - cx, dy = y - cy;
        const double dist = std::hypot(dx, dy), angle = std::atan2(dy, dx);
        // Blotchy outline with short splatter rays.
        const double ray = std::pow(RingNoise(angle, 40, seed + 5, 2), 3) * 0.45;
        const double rim = 80 * k * (0.68 + 0.42 * RingNoise(angle, 8, seed + 3, 3)) * (1 + ray);
        const double t = dist / rim;
        double cover = 1 - SmoothStep(0.45, 1.0, t);
        for (const Drop& d : drops)
            cover =
                std::max(cover, 0.8 * SmoothStep(d.r + 1, d.r - 1, std::hypot(x - d.x, y - d.y)));
        const double grit = Fractal(x / (7 * k), y / (7 * k), seed + 23, 3);
        const double alpha =
            std::clamp(cover * (0.6 + 0.6 * grit), 0.0, 0.92) * SmoothStep(126 * k, 116 * k, dist);
        // Soot is blackest in a ring; the centre is burnt to a grey ash.
        const double ash = SmoothStep(0.45, 0.0, t) * (0.5 + 0.5 * grit);
        Rgba col = Mix(Hex(0x120F0D), Hex(0x3A342E), ash);
        col.a = alpha;
        return col;
    });
    return c;
}

}  // namespace datagen::ui
