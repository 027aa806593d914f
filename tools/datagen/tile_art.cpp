#include "tools/datagen/tile_art.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

#include "tools/datagen/art.h"

namespace datagen {
namespace {

constexpr double kS = kTileSize;
constexpr double kTau = 6.283185307179586;

// ---------------------------------------------------------------------------
// Colours as linear mixes of 0..1 components.

struct Col {
    double r = 0, g = 0, b = 0;
};
Col operator+(Col a, Col b) {
    return {a.r + b.r, a.g + b.g, a.b + b.b};
}
Col operator*(Col a, double k) {
    return {a.r * k, a.g * k, a.b * k};
}
Col operator*(Col a, Col b) {
    return {a.r * b.r, a.g * b.g, a.b * b.b};
}
Col Lerp(Col a, Col b, double t) {
    return a * (1 - t) + b * t;
}
Col C(std::uint32_t hex) {
    return {((hex >> 16) & 0xFF) / 255.0, ((hex >> 8) & 0xFF) / 255.0, (hex & 0xFF) / 255.0};
}

double Clamp01(double v) {
    return std::clamp(v, 0.0, 1.0);
}
double Smooth(double e0, double e1, double x) {
    const double t = Clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}

// ---------------------------------------------------------------------------
// Hashing and gradient noise: integer hashes only, so every run draws the
// same pixels.

std::uint32_t Hash(std::uint32_t a, std::uint32_t b = 0, std::uint32_t c = 0) {
    std::uint32_t h =
        a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA6Bu ^ (c + 0x165667B1u) * 0xC2B2AE35u;
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

double Unit(std::uint32_t h) {
    return (h & 0xFFFFFF) / double(0x1000000);
}

double Fade(double t) {
    return t * t * t * (t * (t * 6 - 15) + 10);
}

// 256 unit gradients round the circle.
struct Gradients {
    double x[256], y[256];
    Gradients() {
        for (int i = 0; i < 256; ++i) {
            x[i] = std::cos(kTau * i / 256);
            y[i] = std::sin(kTau * i / 256);
        }
    }
};
const Gradients kGradients;

double GradDot(std::uint32_t h, double x, double y) {
    const std::uint32_t i = (h >> 8) & 0xFF;
    return kGradients.x[i] * x + kGradients.y[i] * y;
}

// Perlin noise, roughly -0.7..0.7.
double Perlin(double x, double y, std::uint32_t seed) {
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::uint32_t>(static_cast<std::int64_t>(fx));
    const auto iy = static_cast<std::uint32_t>(static_cast<std::int64_t>(fy));
    const double dx = x - fx, dy = y - fy;
    const double n00 = GradDot(Hash(ix, iy, seed), dx, dy);
    const double n10 = GradDot(Hash(ix + 1, iy, seed), dx - 1, dy);
    const double n01 = GradDot(Hash(ix, iy + 1, seed), dx, dy - 1);
    const double n11 = GradDot(Hash(ix + 1, iy + 1, seed), dx - 1, dy - 1);
    const double u = Fade(dx), v = Fade(dy);
    return (n00 + (n10 - n00) * u) + ((n01 + (n11 - n01) * u) - (n00 + (n10 - n00) * u)) * v;
}

// Fractal sum of octaves, each shifted off the lattice by its own offset so
// that no octave is pinned to zero at the block corners; scaled to a standard
// deviation of about 1 whatever the number of octaves.
double Fbm(double x, double y, std::uint32_t seed, int octaves) {
    double sum = 0, amp = 1, norm = 0, f = 1;
    for (int o = 0; o < octaves; ++o) {
        const std::uint32_t s = Hash(seed, static_cast<std::uint32_t>(o), 77);
        const double ox = 17.0 + 97.0 * Unit(Hash(s, 1)), oy = 31.0 + 89.0 * Unit(Hash(s, 2));
        sum += amp * Perlin(x * f + ox, y * f + oy, s);
        norm += amp * amp;
        amp *= 0.5;
        f *= 2.03;
    }
    return sum / std::sqrt(norm) / 0.216;
}

// Point-to-square distance.
double SquareDistance(double px, double py, double x0, double y0, double x1, double y1) {
    const double dx = std::max({x0 - px, 0.0, px - x1});
    const double dy = std::max({y0 - py, 0.0, py - y1});
    return std::sqrt(dx * dx + dy * dy);
}

double Overlap(double a0, double a1, double b0, double b1) {
    return std::max(0.0, std::min(a1, b1) - std::max(a0, b0));
}

std::uint32_t Pack(Col c) {
    auto ch = [](double v) {
        return static_cast<std::uint32_t>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0));
    };
    std::uint32_t r = ch(c.r), g = ch(c.g), b = ch(c.b);
    // Never the map's key colour: it would read as a hole.
    if (r == 255 && g == 0 && b == 255) g = 1;
    return 0xFF000000u | (r << 16) | (g << 8) | b;
}

// Field seeds.
enum : std::uint32_t {
    kFieldBroad = 11,
    kFieldGrain,
    kFieldWarp,
    kFieldRippleMask,
    kFieldSpeckle,
    kFieldCrack,
    kFieldCrackMask,
    kFieldTerrain,
    kFieldStain,
    kFieldBump,
    kFieldEdge,
    kFieldSnow,
    kFieldRust,
};

// ---------------------------------------------------------------------------

struct Sample {
    Col albedo;
    double height = 0;
};

class Tile {
public:
    Tile(ArenaTheme theme, const TileKey& key) : theme_(theme), key_(key) {
        self_ = key.cls[4];
        seed_ = static_cast<std::uint32_t>(theme) * 1000 + 7;
    }

    std::vector<std::uint32_t> Render() { return self_ == 0 ? RenderFloor() : RenderWall(); }

private:
    // --- Neighbourhood -----------------------------------------------------

    // Class of the window cell holding a point of the 3 x 3 window (the
    // block itself spans 0..kS).
    int ClassAt(double x, double y) const {
        const int i = std::clamp(static_cast<int>(std::floor(x / kS)) + 1, 0, 2);
        const int j = std::clamp(static_cast<int>(std::floor(y / kS)) + 1, 0, 2);
        return key_.cls[static_cast<std::size_t>(j * 3 + i)];
    }

    // Distance from a point to the nearest window cell whose class differs
    // from this block's: the edge a wall's bevel falls to.
    double EdgeDistance(double x, double y) const {
        double d = 1e9;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                if (key_.cls[static_cast<std::size_t>(j * 3 + i)] != self_)
                    d = std::min(d,
                                 SquareDistance(x, y, (i - 1) * kS, (j - 1) * kS, i * kS, j * kS));
        return d;
    }

    // Fraction of the square of half-size b around a point covered by solid
    // window cells.
    double Coverage(double x, double y, double b) const {
        double area = 0;
        for (int j = 0; j < 3; ++j)
            for (int i = 0; i < 3; ++i)
                if (key_.cls[static_cast<std::size_t>(j * 3 + i)] != 0)
                    area += Overlap(x - b, x + b, (i - 1) * kS, i * kS) *
                            Overlap(y - b, y + b, (j - 1) * kS, j * kS);
        return area / (4 * b * b);
    }

    // Shadow the walls cast down and to the right: the wall's footprint swept
    // along the light's offset, softer further from the wall.
    double CastShadow(double x, double y, double length, double blur) const {
        double s = 0;
        for (int k = 0; k <= 10; ++k) {
            const double t = k / 10.0;
            s = std::max(s, Coverage(x - t * length, y - t * length, 1.5 + blur * t));
        }
        return s;
    }

    // --- Seamless noise ------------------------------------------------------

    struct Weights {
        double w[4];
        double norm;
    };
    static Weights WeightsAt(double x, double y) {
        const double u = Clamp01(x / kS), v = Clamp01(y / kS);
        const double wx1 = Smooth(0, 1, u), wy1 = Smooth(0, 1, v);
        const double wx0 = 1 - wx1, wy0 = 1 - wy1;
        Weights w{{wx0 * wy0, wx1 * wy0, wx0 * wy1, wx1 * wy1}, 0};
        w.norm = std::sqrt(w.w[0] * w.w[0] + w.w[1] * w.w[1] + w.w[2] * w.w[2] + w.w[3] * w.w[3]);
        return w;
    }

    // Noise of about unit spread that continues across every block edge: each
    // corner carries a noise field chosen by its code, laid relative to that
    // corner, and the four are blended by smooth weights that keep the spread.
    double Field(double x, double y, std::uint32_t field, double freq, int octaves) const {
        const Weights w = WeightsAt(x, y);
        double sum = 0;
        for (int i = 0; i < 4; ++i) {
            if (w.w[i] <= 0) continue;
            const double cx = (i & 1) * kS, cy = (i >> 1) * kS;
            const std::uint32_t s = Hash(seed_ + field, key_.code[static_cast<std::size_t>(i)]);
            sum += w.w[i] * Fbm((x - cx) * freq, (y - cy) * freq, s, octaves);
        }
        return sum / w.norm;
    }

    // 0..1: how much of the second terrain shows at a point. Uniform blocks
    // are one terrain; mixed blocks blend the corners and wobble the border
    // with noise that vanishes where an edge's two corners agree.
    double Terrain(double x, double y) const {
        const auto& t = key_.terrain;
        if (t[0] == t[1] && t[1] == t[2] && t[2] == t[3]) return t[0];
        const Weights w = WeightsAt(x, y);
        double bil = 0;
        for (int i = 0; i < 4; ++i) bil += w.w[i] * t[static_cast<std::size_t>(i)];
        const double n = Field(x, y, kFieldTerrain, 1.0 / 24, 1);
        const double v = bil + 0.18 * n * 4 * bil * (1 - bil);
        return Smooth(0.45, 0.55, v);
    }

    // --- Floors --------------------------------------------------------------

    Sample FloorSample(double x, double y) const {
        const double m = Terrain(x, y);
        switch (theme_) {
            case ArenaTheme::kDesert:
                return DesertFloor(x, y, m);
            case ArenaTheme::kCity:
                return CityFloor(x, y, m);
            case ArenaTheme::kYard:
                return YardFloor(x, y, m);
            case ArenaTheme::kSnow:
                return SnowFloor(x, y, m);
        }
        return {};
    }

    Sample DesertFloor(double x, double y, double m) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 2.5, 2);
        Sample s;
        Col sand = Lerp(C(0xcda772), C(0xe0c28d), Clamp01(0.5 + 0.25 * broad));
        sand = sand * (1 + 0.025 * grain);
        // Wind ripples: waves whose phase repeats every block, bent by noise,
        // strong in some places and gone in others.
        const double warp = Field(x, y, kFieldWarp, 1.0 / 32, 2);
        const double phase = kTau * (3 * x + 1 * y) / kS + 1.3 * warp;
        const double wave = std::pow(0.5 + 0.5 * std::sin(phase), 1.5);
        const double ripples = Smooth(-1.0, 0.9, Field(x, y, kFieldRippleMask, 1.0 / 30, 2));
        const double h = 1.6 * ripples * wave + 0.5 * broad;
        const double speck = Field(x, y, kFieldSpeckle, 1.0 / 2.0, 1);
        if (speck > 2.0) sand = Lerp(sand, C(0x8e6c4a), Smooth(2.0, 2.6, speck) * 0.6);
        if (speck < -2.1) sand = Lerp(sand, C(0xf3e0b8), Smooth(-2.1, -2.6, speck) * 0.5);
        if (m <= 0) {
            s.albedo = sand;
            s.height = h;
            return s;
        }
        // Hardpan: sun-baked clay plates split by a crack network.
        Col clay = Lerp(C(0xb48a5e), C(0xc49c6c), Clamp01(0.5 + 0.25 * broad)) * (1 + 0.03 * grain);
        const double c = std::fabs(Field(x, y, kFieldCrack, 1.0 / 30, 2));
        const double crack = 1 - Smooth(0.05, 0.16, c);
        clay = Lerp(clay, C(0x7a5436), crack * 0.55);
        clay = clay * (1 - 0.06 * (1 - Smooth(0.1, 0.7, c)));  // plates darken at their rims
        const double plate = 0.9 * Smooth(0.1, 0.7, c) - 0.6 * crack;
        s.albedo = Lerp(sand, clay, m);
        s.height = h * (1 - m) + (plate + 0.5 * broad) * m;
        return s;
    }

    Sample CityFloor(double x, double y, double m) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 1.6, 2);
        const double speck = Field(x, y, kFieldSpeckle, 1.0 / 2.2, 1);
        Sample s;
        Col asphalt = Lerp(C(0x4d5055), C(0x5c5f64), Clamp01(0.5 + 0.25 * broad));
        asphalt = asphalt * (1 + 0.05 * grain);
        if (speck > 1.7) asphalt = Lerp(asphalt, C(0x8a8c8f), Smooth(1.7, 2.4, speck) * 0.55);
        if (speck < -2.0) asphalt = Lerp(asphalt, C(0x2e3033), Smooth(-2.0, -2.5, speck) * 0.6);
        Col patch =
            Lerp(C(0x44474b), C(0x4d5054), Clamp01(0.5 + 0.25 * broad)) * (1 + 0.03 * grain);
        Col c = Lerp(asphalt, patch, m);
        // The sealed joint round a repair patch.
        if (m > 0 && m < 1) c = Lerp(c, C(0x2a2b2e), 0.6 * std::exp(-std::pow((m - 0.5) / 0.2, 2)));
        s.albedo = c;
        s.height = 0.25 * grain + 0.4 * broad;
        return s;
    }

    Sample YardFloor(double x, double y, double m) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 2.0, 2);
        const double speck = Field(x, y, kFieldSpeckle, 1.0 / 2.2, 1);
        Sample s;
        Col concrete = Lerp(C(0x96948d), C(0xa4a29a), Clamp01(0.5 + 0.25 * broad));
        concrete = concrete * (1 + 0.03 * grain);
        if (speck < -1.9) concrete = Lerp(concrete, C(0x6f6d67), Smooth(-1.9, -2.5, speck) * 0.5);
        // Old oil and water stains.
        const double stain = Field(x, y, kFieldStain, 1.0 / 28, 3);
        concrete = concrete * (1 - 0.05 * Smooth(0.5, 2.0, stain));
        // Gravel: dark stones with light ones among them.
        Col gravel = Lerp(C(0x5d5b56), C(0x6b6861), Clamp01(0.5 + 0.25 * broad));
        const double stones = Field(x, y, kFieldSpeckle + 50, 1.0 / 3.0, 2);
        gravel = gravel * (1 + 0.1 * stones);
        if (speck > 1.5) gravel = Lerp(gravel, C(0x9c988e), Smooth(1.5, 2.2, speck) * 0.6);
        s.albedo = Lerp(concrete, gravel, m);
        s.height = (0.2 * grain + 0.4 * broad) * (1 - m) + (0.5 * stones + 0.4 * broad) * m;
        return s;
    }

    Sample SnowFloor(double x, double y, double m) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 2.0, 2);
        Sample s;
        Col snow =
            Lerp(C(0xe1e8f1), C(0xf3f6fa), Clamp01(0.5 + 0.25 * broad)) * (1 + 0.012 * grain);
        const double speck = Field(x, y, kFieldSpeckle, 1.0 / 1.6, 1);
        if (speck > 2.2) snow = Lerp(snow, C(0xffffff), 0.8);
        const double h = 0.35 * broad + 0.06 * grain;
        if (m <= 0) {
            s.albedo = snow;
            s.height = h;
            return s;
        }
        // Ice: clear blue with depth, white fracture lines and streaks.
        const double depth = Field(x, y, kFieldStain, 1.0 / 28, 3);
        Col ice = Lerp(C(0x8dbbdd), C(0xa4cde9), Clamp01(0.5 + 0.2 * depth));
        const double streak = std::sin(kTau * (2 * x - 1 * y) / kS + 1.2 * broad);
        ice = Lerp(ice, C(0xd4eaf7), 0.15 * Smooth(0.6, 1.0, streak));
        const double cr = std::fabs(Field(x, y, kFieldCrack, 1.0 / 30, 3));
        ice = Lerp(ice, C(0xdcedf8), (1 - Smooth(0.02, 0.07, cr)) * 0.35);
        // Frost along the ice's edge.
        const double rim = std::exp(-std::pow((m - 0.3) / 0.18, 2));
        Col c = Lerp(snow, ice, m);
        c = Lerp(c, C(0xeef5fb), rim * 0.45);
        s.albedo = c;
        s.height = h * (1 - m);
        return s;
    }

    // Paint: dashed centre lines and crossing stripes, worn by noise. Returns
    // the paint's coverage at a point.
    double Paint(double x, double y) const {
        if (!key_.marks) return 0;
        double a = 0;
        const double c = kS / 2;
        auto band = [](double v, double lo, double hi) {
            return Smooth(lo - 0.8, lo + 0.8, v) * (1 - Smooth(hi - 0.8, hi + 0.8, v));
        };
        if (key_.marks & kMarkLineH) a = std::max(a, band(y, c - 3, c + 3) * band(x, 10, 54));
        if (key_.marks & kMarkLineV) a = std::max(a, band(x, c - 3, c + 3) * band(y, 10, 54));
        if (key_.marks & kMarkZebraH) {
            const double u = std::fmod(y, 16.0);
            a = std::max(a, band(u, 3, 13) * band(x, 12, 52));
        }
        if (key_.marks & kMarkZebraV) {
            const double u = std::fmod(x, 16.0);
            a = std::max(a, band(u, 3, 13) * band(y, 12, 52));
        }
        const double wear = Field(x, y, kFieldRust, 1.0 / 3, 2);
        return a * (0.85 - 0.35 * Smooth(1.0, 2.4, wear));
    }

    std::vector<std::uint32_t> RenderFloor() {
        const int n = kTileSize + 2;  // one pixel of margin for slopes
        std::vector<Sample> grid(static_cast<std::size_t>(n * n));
        for (int j = 0; j < n; ++j)
            for (int i = 0; i < n; ++i)
                grid[static_cast<std::size_t>(j * n + i)] = FloorSample(i - 0.5, j - 0.5);
        Canvas decal = FloorDecal();
        double shadow_len = 16, shadow_blur = 10, shadow_strength = 0.5;
        Col shadow_tint = C(0x6a6a80);
        switch (theme_) {
            case ArenaTheme::kDesert:
                shadow_len = 20, shadow_blur = 10, shadow_strength = 0.55,
                shadow_tint = C(0x7a5a60);
                break;
            case ArenaTheme::kCity:
                shadow_len = 28, shadow_blur = 12, shadow_strength = 0.62;
                break;
            case ArenaTheme::kYard:
                shadow_len = 18, shadow_blur = 9, shadow_strength = 0.55;
                break;
            case ArenaTheme::kSnow:
                shadow_len = 18, shadow_blur = 11, shadow_strength = 0.45,
                shadow_tint = C(0x4a6aa8);
                break;
        }
        std::vector<std::uint32_t> out(static_cast<std::size_t>(kTileSize * kTileSize));
        for (int y = 0; y < kTileSize; ++y) {
            for (int x = 0; x < kTileSize; ++x) {
                const Sample& s = grid[static_cast<std::size_t>((y + 1) * n + x + 1)];
                const double hx = (grid[static_cast<std::size_t>((y + 1) * n + x + 2)].height -
                                   grid[static_cast<std::size_t>((y + 1) * n + x)].height) /
                                  2;
                const double hy = (grid[static_cast<std::size_t>((y + 2) * n + x + 1)].height -
                                   grid[static_cast<std::size_t>(y * n + x + 1)].height) /
                                  2;
                const double px = x + 0.5, py = y + 0.5;
                Col c = s.albedo * Light(hx, hy, 0.55);
                // Paint and decals lie on the ground, under the walls' shadows.
                const double paint = Paint(px, py);
                if (paint > 0) c = Lerp(c, PaintColour() * Light(hx, hy, 0.8), paint);
                c = Over(c, decal, x, y);
                const double sh = CastShadow(px, py, shadow_len, shadow_blur);
                const double ao = Coverage(px, py, 9.0);
                c = Lerp(c, c * shadow_tint, shadow_strength * 1.6 * sh);
                c = c * (1 - 0.35 * ao);
                out[static_cast<std::size_t>(y * kTileSize + x)] = Pack(c);
            }
        }
        return out;
    }

    Col PaintColour() const { return theme_ == ArenaTheme::kYard ? C(0xe2b12e) : C(0xe9e7df); }

    // Diffuse light from the upper left for a surface of the given slope:
    // 1 on flat ground, brighter on slopes facing the light, darker away.
    static double Light(double hx, double hy, double ambient) {
        const double lx = -0.55, ly = -0.55, lz = 0.63;
        const double len = std::sqrt(hx * hx + hy * hy + 1);
        const double dot = (-hx * lx - hy * ly + lz) / len;
        const double ratio = std::max(0.0, dot) / lz;
        return ambient + (1 - ambient) * ratio;
    }

    // Specular glint of a glossy surface lit from the upper left.
    static double Glint(double hx, double hy) {
        const double len = std::sqrt(hx * hx + hy * hy + 1);
        const double nx = -hx / len, ny = -hy / len, nz = 1 / len;
        // Half-way between the light and the viewer straight above.
        const double h[3] = {-0.33, -0.33, 0.88};
        const double dot = std::max(0.0, nx * h[0] + ny * h[1] + nz * h[2]);
        return std::pow(dot, 40);
    }

    static Col Over(Col c, const Canvas& canvas, int x, int y) {
        const std::uint32_t p = canvas.Pixel(x, y);
        const double a = (p >> 24) / 255.0;
        if (a <= 0) return c;
        return Lerp(c, C(p & 0xFFFFFF), a);
    }

    // --- Walls ---------------------------------------------------------------

    std::vector<std::uint32_t> RenderWall() {
        const int n = kTileSize + 2;
        std::vector<Sample> grid(static_cast<std::size_t>(n * n));
        std::vector<double> dist(static_cast<std::size_t>(n * n));
        for (int j = 0; j < n; ++j) {
            for (int i = 0; i < n; ++i) {
                const double x = i - 0.5, y = j - 0.5;
                const double d = EdgeDistance(x, y);
                dist[static_cast<std::size_t>(j * n + i)] = d;
                grid[static_cast<std::size_t>(j * n + i)] = WallSample(x, y, d);
            }
        }
        Canvas decal = WallDecal();
        std::vector<std::uint32_t> out(static_cast<std::size_t>(kTileSize * kTileSize));
        for (int y = 0; y < kTileSize; ++y) {
            for (int x = 0; x < kTileSize; ++x) {
                const std::size_t at = static_cast<std::size_t>((y + 1) * n + x + 1);
                const Sample& s = grid[at];
                const double hx = (grid[at + 1].height - grid[at - 1].height) / 2;
                const double hy = (grid[at + n].height - grid[at - n].height) / 2;
                const double px = x + 0.5, py = y + 0.5;
                const double d = dist[at];
                Col c = s.albedo * Light(hx, hy, WallAmbient());
                if (theme_ == ArenaTheme::kSnow && self_ == wall::kIce)
                    c = c + C(0xffffff) * (0.55 * Glint(hx, hy));
                c = c * InnerShadow(px, py, d);
                c = Over(c, decal, x, y);
                // A clean dark outline where the wall meets the ground.
                c = Lerp(c, OutlineColour(), 0.85 * (1 - Smooth(0.6, 2.2, d)));
                out[static_cast<std::size_t>(y * kTileSize + x)] = Pack(c);
            }
        }
        return out;
    }

    double WallAmbient() const { return theme_ == ArenaTheme::kSnow ? 0.45 : 0.4; }

    Col OutlineColour() const {
        switch (theme_) {
            case ArenaTheme::kDesert:
                return C(0x2e1a10);
            case ArenaTheme::kSnow:
                return C(0x1e2a38);
            default:
                return C(0x17181b);
        }
    }

    // Shade a raised rim casts on the lower top inside it (roofs behind
    // parapets, containers' sunken panels).
    double InnerShadow(double x, double y, double d) const {
        if (theme_ != ArenaTheme::kCity || self_ == wall::kBorder) return 1;
        const double inner = 12;
        if (d < inner) return 1;
        const double back = EdgeDistance(x - 6, y - 6);
        return 1 - 0.35 * (1 - Smooth(inner - 1, inner + 3, back));
    }

    Sample WallSample(double x, double y, double d) const {
        switch (theme_) {
            case ArenaTheme::kDesert:
                return Rock(x, y, d);
            case ArenaTheme::kCity:
                return self_ == wall::kBorder ? ConcreteWall(x, y, d, false) : Roof(x, y, d);
            case ArenaTheme::kYard:
                return self_ == wall::kBorder ? ConcreteWall(x, y, d, true) : Container(x, y, d);
            case ArenaTheme::kSnow:
                return self_ == wall::kIce ? IceBlock(x, y, d) : SnowRock(x, y, d);
        }
        return {};
    }

    // Sandstone: a terraced cliff of coloured strata round a rough flat top.
    Sample Rock(double x, double y, double d) const {
        const bool border = self_ == wall::kBorder;
        const double width = border ? 30 : 26;
        const double wob = Field(x, y, kFieldEdge, 1.0 / 20, 1);
        const double u = Clamp01(d * (1 + 0.08 * wob) / width);
        const double terrace =
            (Smooth(0.0, 0.18, u) + Smooth(0.4, 0.55, u) + Smooth(0.75, 0.9, u)) / 3;
        const double cliff = 0.65 * Smooth(0, 1, u) + 0.35 * terrace;
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double bump = Field(x, y, kFieldBump, 1.0 / 9, 3);
        Sample s;
        s.height = 26 * cliff + (0.1 + 1.2 * u * (1 - u)) * bump;
        // Strata: each terrace its own band of colour.
        const Col bands[4] = {C(0x6e3823), C(0x96522f), C(0xb36c3d), C(0xc78752)};
        const double level = std::clamp(cliff * 3 + 0.25 * broad, 0.0, 3.0);
        const int lo = std::min(2, static_cast<int>(level));
        Col c = Lerp(bands[lo], bands[lo + 1], Smooth(0.3, 0.7, level - lo));
        Col top = border ? Lerp(C(0xa9663c), C(0xbd7c4b), Clamp01(0.5 + 0.25 * broad))
                         : Lerp(C(0xc07d4a), C(0xd39660), Clamp01(0.5 + 0.25 * broad));
        const double grit = Field(x, y, kFieldSpeckle, 1.0 / 2.2, 1);
        top = top * (1 + 0.05 * grit);
        const double lichen = Field(x, y, kFieldStain, 1.0 / 18, 2);
        top = Lerp(top, C(0x8a7a56), 0.3 * Smooth(1.0, 2.0, lichen));
        c = Lerp(c, top, Smooth(0.85, 1.0, u));
        s.albedo = c * (1 + 0.04 * bump);
        return s;
    }

    // A concrete wall: bevelled coping and (in the yard) a hazard band down
    // its middle, or (in the city) a darker cap.
    Sample ConcreteWall(double x, double y, double d, bool hazard) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 2.0, 2);
        Sample s;
        const double rim = Smooth(0, 8, d);
        s.height = 12 * rim + 0.15 * grain;
        Col c = hazard ? Lerp(C(0x9b988f), C(0xaeaba2), Clamp01(0.5 + 0.25 * broad))
                       : Lerp(C(0x8a8985), C(0x9a9893), Clamp01(0.5 + 0.25 * broad));
        c = c * (1 + 0.03 * grain);
        const double stain = Field(x, y, kFieldStain, 1.0 / 24, 2);
        c = c * (1 - 0.1 * Smooth(0.8, 2.0, stain));
        if (hazard) {
            const double band = Smooth(17, 19, d) * (1 - Smooth(45, 47, d));
            if (band > 0) {
                const double stripe = std::fmod(x + y + 1024.0, 32.0);
                const double yellow = Smooth(1, 2.5, stripe) * (1 - Smooth(15, 16.5, stripe));
                Col paint = Lerp(C(0x2a2a2c), C(0xdcae2e), yellow);
                const double wear = Field(x, y, kFieldRust, 1.0 / 6, 2);
                paint = Lerp(paint, c, 0.5 * Smooth(1.0, 2.4, wear));
                c = Lerp(c, paint, band);
                s.height -= 0.4 * band;
            }
        } else {
            const double cap = Smooth(14, 16, d);
            c = Lerp(c, C(0x6a6967) * (1 + 0.03 * grain), cap);
            s.height += 2 * cap;
        }
        s.albedo = c;
        return s;
    }

    // A flat roof behind a parapet.
    Sample Roof(double x, double y, double d) const {
        const double grain = Field(x, y, kFieldGrain, 1.0 / 1.7, 2);
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        Sample s;
        // Parapet: outer face 0..3, coping 3..9, inner face 9..12.
        const double outer = Smooth(0, 3, d), inner = Smooth(9, 12, d);
        s.height = 12 * outer - 4 * inner;
        Col coping =
            Lerp(C(0xc2bdb1), C(0xd0cbbe), Clamp01(0.5 + 0.25 * broad)) * (1 + 0.02 * grain);
        Col roof;
        double rough = 0.1;
        const double tone = Clamp01(0.5 + 0.25 * broad);
        switch (self_) {
            case wall::kRoofTar: {
                roof = Lerp(C(0x46474c), C(0x525359), tone) * (1 + 0.04 * grain);
                // Membrane sheets, seamed every half block.
                const double seam = std::fabs(std::fmod(y + 640, 32.0) - 16);
                roof = roof * (1 - 0.1 * Smooth(14.5, 15.8, seam));
                break;
            }
            case wall::kRoofTan:
                roof = Lerp(C(0xa08f71), C(0xb09f80), tone) * (1 + 0.04 * grain);
                break;
            case wall::kRoofRed:
                roof = Lerp(C(0x84493b), C(0x935546), tone) * (1 + 0.04 * grain);
                break;
            default: {  // gravel
                const double stones = Field(x, y, kFieldSpeckle, 1.0 / 2.0, 2);
                roof = Lerp(C(0x8a867e), C(0x9a968c), tone) * (1 + 0.07 * stones);
                rough = 0.3;
                break;
            }
        }
        const double stain = Field(x, y, kFieldStain, 1.0 / 28, 2);
        roof = roof * (1 - 0.1 * Smooth(0.8, 2.0, stain));
        s.height += rough * grain * inner;
        const Col face = coping * 0.7;
        s.albedo = d < 3 ? Lerp(face, coping, outer) : Lerp(coping, roof, inner);
        return s;
    }

    // A shipping container seen from above: corrugated roof between top rails,
    // corner castings at its ends.
    Sample Container(double x, double y, double d) const {
        const bool along_row = key_.cls[3] == self_ || key_.cls[5] == self_;
        const double u = along_row ? x : y;  // along the container
        Col paint;
        switch (self_) {
            case wall::kContainerBlue:
                paint = C(0x2f5d8c);
                break;
            case wall::kContainerGreen:
                paint = C(0x3d6e4e);
                break;
            case wall::kContainerOrange:
                paint = C(0xc4702d);
                break;
            default:
                paint = C(0xa3402f);
                break;
        }
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 1.8, 2);
        Sample s;
        const double rim = Smooth(0, 3, d);
        const double rail = Smooth(6, 8, d);  // corrugation inside the rails
        const double ribs = std::sin(kTau * u / 8);
        s.height = 8 * rim + 1.1 * ribs * rail + 0.08 * grain;
        Col c = paint * (1 + 0.05 * broad + 0.02 * grain);
        // Faded paint, dirt and rust streaks.
        const double fade = Field(x, y, kFieldStain, 1.0 / 26, 2);
        c = Lerp(c, c * 0.8 + C(0x8a8478) * 0.2, 0.5 * Smooth(0.6, 1.8, fade));
        const double rust = Field(x, y, kFieldRust, 1.0 / 9, 2);
        c = Lerp(c, C(0x6b3a20), 0.5 * Smooth(1.6, 2.4, rust));
        c = Lerp(c * 0.85, c, rail);
        // Corner castings where the container ends.
        const bool end_lo = along_row ? key_.cls[3] != self_ : key_.cls[1] != self_;
        const bool end_hi = along_row ? key_.cls[5] != self_ : key_.cls[7] != self_;
        const double v = along_row ? y : x;
        const bool near_side = v < 11 || v > kS - 11;
        if (near_side && ((end_lo && u < 11) || (end_hi && u > kS - 11))) {
            c = C(0x3a3936) * (1 + 0.05 * grain);
            s.height = 9;
        }
        s.albedo = c;
        return s;
    }

    // Glacier ice: a rounded block, pale on top, deep blue down its sides.
    Sample IceBlock(double x, double y, double d) const {
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double grain = Field(x, y, kFieldGrain, 1.0 / 2.5, 2);
        Sample s;
        const double u = Clamp01(d / 16);
        s.height = 18 * std::sqrt(1 - (1 - u) * (1 - u)) + 0.5 * broad + 0.05 * grain;
        Col top = Lerp(C(0xaedbf0), C(0xd2ecf8), Clamp01(0.5 + 0.25 * broad));
        const double cr = std::fabs(Field(x, y, kFieldCrack, 1.0 / 22, 3));
        top = Lerp(top, C(0x7fb3d6), (1 - Smooth(0.04, 0.12, cr)) * 0.6);
        const double frost = Field(x, y, kFieldSnow, 1.0 / 14, 2);
        top = Lerp(top, C(0xf6fbfe), 0.6 * Smooth(0.8, 1.8, frost));
        const Col side = Lerp(C(0x3d7fb3), C(0x5d9bc9), Clamp01(0.5 + 0.25 * broad));
        s.albedo = Lerp(side, top, std::pow(u, 0.8));
        return s;
    }

    // Dark rock with snow lying on its top.
    Sample SnowRock(double x, double y, double d) const {
        const bool border = self_ == wall::kBorder;
        const double broad = Field(x, y, kFieldBroad, 1.0 / 26, 3);
        const double bump = Field(x, y, kFieldBump, 1.0 / 9, 3);
        Sample s;
        const double wob = Field(x, y, kFieldEdge, 1.0 / 14, 2);
        const double u = Clamp01(d * (1 + 0.15 * wob) / 20);
        s.height = 22 * Smooth(0, 1, u) + 0.4 * bump;
        Col rock = border ? Lerp(C(0x48515b), C(0x5a636e), Clamp01(0.5 + 0.25 * broad))
                          : Lerp(C(0x5c636d), C(0x6e757f), Clamp01(0.5 + 0.25 * broad));
        rock = rock * (1 + 0.06 * bump);
        const double cr = std::fabs(Field(x, y, kFieldCrack, 1.0 / 20, 2));
        rock = Lerp(rock, C(0x262b33), (1 - Smooth(0.05, 0.14, cr)) * 0.6);
        // Snow settles on the top, in drifts that thin out towards the edge.
        const double snow_n = Field(x, y, kFieldSnow, 1.0 / 20, 3);
        const double cover = Smooth(-0.12, 0.12, (d - (border ? 40 : 32)) / 24 + 0.3 * snow_n);
        const Col snow = Lerp(C(0xdae3ed), C(0xf2f6fa), Clamp01(0.5 + 0.3 * broad));
        s.albedo = Lerp(rock, snow, cover);
        s.height += 2.5 * cover;
        return s;
    }

    // --- Decals --------------------------------------------------------------

    // Turn of a decal, varied by the corner codes (which are part of the key).
    double DecalAngle() const {
        std::uint32_t h = 0;
        for (auto c : key_.code) h = h * 7 + c;
        return Unit(Hash(h, static_cast<std::uint32_t>(key_.decal), 91)) * kTau;
    }

    Canvas FloorDecal() const;
    Canvas WallDecal() const;

    ArenaTheme theme_;
    TileKey key_;
    int self_ = 0;
    std::uint32_t seed_ = 0;
};

// ---------------------------------------------------------------------------
// Decals: small things drawn with Cairo, inside the block with a margin so
// they never cross its edge.

void SetRgba(cairo_t* cr, std::uint32_t hex, double a = 1) {
    const Rgba c = Hex(hex, a);
    cairo_set_source_rgba(cr, c.r, c.g, c.b, c.a);
}

// A rough round stone: a closed curve through points at varying radius.
void Stone(cairo_t* cr, Random& rnd, double cx, double cy, double r, std::uint32_t hex) {
    const int n = 7;
    double px[n], py[n];
    for (int i = 0; i < n; ++i) {
        const double a = kTau * i / n + rnd.Uniform(-0.2, 0.2);
        const double rr = r * rnd.Uniform(0.85, 1.08);
        px[i] = cx + rr * std::cos(a);
        py[i] = cy + rr * std::sin(a);
    }
    // Through the midpoints, with the points as control points: smooth.
    cairo_new_path(cr);
    cairo_move_to(cr, (px[n - 1] + px[0]) / 2, (py[n - 1] + py[0]) / 2);
    for (int i = 0; i < n; ++i) {
        const int j = (i + 1) % n;
        const double mx = (px[i] + px[j]) / 2, my = (py[i] + py[j]) / 2;
        cairo_curve_to(cr, px[i], py[i], px[i], py[i], mx, my);
    }
    cairo_close_path(cr);
    const Rgba base = Hex(hex);
    FillRadial(cr, cx - r * 0.35, cy - r * 0.35, 0, Shade(base, 0.3), r * 1.2, Shade(base, -0.3),
               true);
    Outline(cr, Shade(base, -0.6), 1.2);
}

void StoneShadow(cairo_t* cr, double cx, double cy, double r) {
    Ellipse(cr, cx, cy, r, r);
    cairo_set_source_rgba(cr, 0, 0, 0, 1);
    cairo_fill(cr);
}

Canvas Tile::FloorDecal() const {
    Canvas cv(kTileSize, kTileSize);
    if (key_.decal <= 0) return cv;
    cairo_t* cr = cv.cr();
    Random rnd(Hash(static_cast<std::uint32_t>(theme_), static_cast<std::uint32_t>(key_.decal),
                    key_.code[0] * 27 + key_.code[1] * 9 + key_.code[2] * 3 + key_.code[3]));
    const double c = kS / 2;
    cairo_translate(cr, c, c);
    cairo_rotate(cr, DecalAngle());
    cairo_translate(cr, -c, -c);
    const int id = key_.decal;
    switch (theme_) {
        case ArenaTheme::kDesert:
            if (id == 1 || id == 3) {  // pebbles, or one rock with a few pebbles
                struct P {
                    double x, y, r;
                };
                std::vector<P> ps;
                if (id == 3) ps.push_back({c, c, 11});
                const int count = id == 3 ? 4 : 7;
                for (int i = 0; i < count; ++i)
                    ps.push_back(
                        {c + rnd.Uniform(-18, 18), c + rnd.Uniform(-18, 18), rnd.Uniform(2.5, 5)});
                DropShadow(cv, 2.5, 2.5, 2.5, 0.45, [&](cairo_t* m) {
                    for (const P& p : ps) StoneShadow(m, p.x, p.y, p.r);
                });
                for (const P& p : ps) Stone(cr, rnd, p.x, p.y, p.r, p.r > 8 ? 0x9a6a48 : 0x8e7458);
            } else if (id == 2) {  // a dry shrub: twigs from a centre
                std::vector<std::array<double, 4>> twigs;
                for (int i = 0; i < 16; ++i) {
                    const double a = rnd.Uniform(0, kTau), l = rnd.Uniform(9, 20);
                    twigs.push_back({a, l, rnd.Uniform(-0.4, 0.4), rnd.Uniform(1.2, 2.2)});
                }
                auto draw = [&](cairo_t* m, bool shadow) {
                    for (const auto& t : twigs) {
                        cairo_move_to(m, c, c);
                        const double mx = c + std::cos(t[0]) * t[1] * 0.5,
                                     my = c + std::sin(t[0]) * t[1] * 0.5;
                        cairo_curve_to(m, mx, my, mx, my, c + std::cos(t[0] + t[2]) * t[1],
                                       c + std::sin(t[0] + t[2]) * t[1]);
                        if (shadow)
                            cairo_set_source_rgba(m, 0, 0, 0, 1);
                        else
                            SetRgba(m, 0x6b5236);
                        cairo_set_line_width(m, t[3]);
                        cairo_stroke(m);
                    }
                };
                DropShadow(cv, 3, 3, 2.5, 0.4, [&](cairo_t* m) { draw(m, true); });
                draw(cr, false);
                for (int i = 0; i < 10; ++i) {  // a few grey-green leaves
                    const double a = rnd.Uniform(0, kTau), l = rnd.Uniform(5, 16);
                    Ellipse(cr, c + std::cos(a) * l, c + std::sin(a) * l, 2.2, 2.2);
                    SetRgba(cr, i % 2 ? 0x7d8456 : 0x98985f);
                    cairo_fill(cr);
                }
            } else {  // a tuft of dry grass
                std::vector<std::array<double, 3>> blades;
                for (int i = 0; i < 22; ++i)
                    blades.push_back({rnd.Uniform(0, kTau), rnd.Uniform(6, 15), rnd.Uniform(0, 1)});
                auto draw = [&](cairo_t* m, bool shadow) {
                    for (const auto& b : blades) {
                        cairo_move_to(m, c + std::cos(b[0]) * 2, c + std::sin(b[0]) * 2);
                        cairo_line_to(m, c + std::cos(b[0]) * b[1], c + std::sin(b[0]) * b[1]);
                        if (shadow)
                            cairo_set_source_rgba(m, 0, 0, 0, 1);
                        else
                            SetRgba(m, b[2] > 0.5 ? 0xb79a5e : 0x9c8450);
                        cairo_set_line_width(m, 1.6);
                        cairo_stroke(m);
                    }
                };
                DropShadow(cv, 2.5, 2.5, 2, 0.4, [&](cairo_t* m) { draw(m, true); });
                draw(cr, false);
            }
            break;
        case ArenaTheme::kCity:
            if (id == 1) {  // manhole cover
                DropShadow(cv, 1.5, 1.5, 2, 0.4, [&](cairo_t* m) { StoneShadow(m, c, c, 15); });
                Ellipse(cr, c, c, 15, 15);
                FillRadial(cr, c - 5, c - 5, 0, Hex(0x6a6b6e), 18, Hex(0x37383b), true);
                Outline(cr, Hex(0x1c1d1f), 1.6);
                cairo_set_line_width(cr, 1.3);
                for (int i = -3; i <= 3; ++i) {  // cast grip pattern
                    const double off = i * 4.0;
                    const double half = std::sqrt(std::max(0.0, 12.5 * 12.5 - off * off));
                    cairo_move_to(cr, c - half, c + off);
                    cairo_line_to(cr, c + half, c + off);
                }
                SetRgba(cr, 0x2a2b2e, 0.9);
                cairo_stroke(cr);
                Ellipse(cr, c, c, 12.5, 12.5);
                Outline(cr, Hex(0x7d7e81), 1.0);
            } else if (id == 2) {  // drain grate
                DropShadow(cv, 1.5, 1.5, 2, 0.35, [&](cairo_t* m) {
                    cairo_rectangle(m, c - 14, c - 8, 28, 16);
                    cairo_set_source_rgba(m, 0, 0, 0, 1);
                    cairo_fill(m);
                });
                cairo_rectangle(cr, c - 14, c - 8, 28, 16);
                FillLinear(cr, c, c - 8, Hex(0x6e6f72), c, c + 8, Hex(0x4a4b4e), true);
                Outline(cr, Hex(0x1d1e20), 1.4);
                for (int i = 0; i < 6; ++i) {
                    cairo_rectangle(cr, c - 11 + i * 4, c - 5.5, 2, 11);
                    SetRgba(cr, 0x0f1011);
                    cairo_fill(cr);
                }
            } else if (id == 3) {  // oil stain
                for (int i = 0; i < 5; ++i) {
                    Ellipse(cr, c + rnd.Uniform(-9, 9), c + rnd.Uniform(-7, 7), rnd.Uniform(6, 13),
                            rnd.Uniform(5, 10));
                    SetRgba(cr, 0x1c1d22, 0.22);
                    cairo_fill(cr);
                }
            } else {  // a crack sealed with tar, branching as it goes
                double x = 12, y = c + rnd.Uniform(-8, 8);
                cairo_move_to(cr, x, y);
                std::vector<std::array<double, 2>> forks;
                while (x < 52) {
                    x += rnd.Uniform(3, 6);
                    y = std::clamp(y + rnd.Uniform(-3.5, 3.5), 14.0, 50.0);
                    cairo_line_to(cr, x, y);
                    if (rnd.Uniform(0, 1) < 0.2) forks.push_back({x, y});
                }
                for (const auto& f : forks) {
                    cairo_move_to(cr, f[0], f[1]);
                    const double dir = rnd.Uniform(0, 1) < 0.5 ? -1 : 1;
                    cairo_line_to(cr, f[0] + rnd.Uniform(3, 7), f[1] + dir * rnd.Uniform(5, 9));
                }
                SetRgba(cr, 0x202124, 0.8);
                cairo_set_line_width(cr, 2.2);
                cairo_stroke(cr);
            }
            break;
        case ArenaTheme::kYard:
            if (id == 1) {  // oil stain
                for (int i = 0; i < 6; ++i) {
                    Ellipse(cr, c + rnd.Uniform(-10, 10), c + rnd.Uniform(-8, 8),
                            rnd.Uniform(6, 14), rnd.Uniform(5, 11));
                    SetRgba(cr, 0x26241f, 0.2);
                    cairo_fill(cr);
                }
            } else if (id == 2) {  // drain grate
                DropShadow(cv, 1.5, 1.5, 2, 0.35, [&](cairo_t* m) {
                    cairo_rectangle(m, c - 13, c - 13, 26, 26);
                    cairo_set_source_rgba(m, 0, 0, 0, 1);
                    cairo_fill(m);
                });
                cairo_rectangle(cr, c - 13, c - 13, 26, 26);
                FillLinear(cr, c - 13, c - 13, Hex(0x7a7a78), c + 13, c + 13, Hex(0x4c4c4a), true);
                Outline(cr, Hex(0x222220), 1.4);
                for (int i = 0; i < 5; ++i) {
                    cairo_rectangle(cr, c - 10 + i * 4.5, c - 10, 2.2, 20);
                    SetRgba(cr, 0x121211);
                    cairo_fill(cr);
                }
            } else if (id == 3) {  // painted hazard square
                cairo_save(cr);
                cairo_rectangle(cr, c - 16, c - 16, 32, 32);
                cairo_clip(cr);
                for (int i = -4; i < 4; ++i) {
                    cairo_move_to(cr, c - 16 + i * 10, c + 16);
                    cairo_line_to(cr, c - 16 + i * 10 + 32, c - 16);
                    cairo_line_to(cr, c - 16 + i * 10 + 37, c - 16);
                    cairo_line_to(cr, c - 16 + i * 10 + 5, c + 16);
                    cairo_close_path(cr);
                }
                SetRgba(cr, 0xdcae31, 0.8);
                cairo_fill(cr);
                cairo_restore(cr);
                cairo_rectangle(cr, c - 16, c - 16, 32, 32);
                SetRgba(cr, 0xdcae31, 0.8);
                cairo_set_line_width(cr, 2.5);
                cairo_stroke(cr);
            } else if (id == 4) {  // skid marks
                for (int k = 0; k < 2; ++k) {
                    const double off = k * 14 - 7;
                    cairo_move_to(cr, 8, c + off + 6);
                    cairo_curve_to(cr, 24, c + off - 4, 40, c + off - 4, 56, c + off + 8);
                    SetRgba(cr, 0x2a2926, 0.28);
                    cairo_set_line_width(cr, 6);
                    cairo_stroke(cr);
                }
            } else if (id == 6) {  // a crack across the slab
                double x = 10, y = c + rnd.Uniform(-10, 10);
                cairo_move_to(cr, x, y);
                while (x < 54) {
                    x += rnd.Uniform(3, 6);
                    y = std::clamp(y + rnd.Uniform(-4, 4), 12.0, 52.0);
                    cairo_line_to(cr, x, y);
                    if (rnd.Uniform(0, 1) < 0.18) {
                        cairo_line_to(cr, x + rnd.Uniform(3, 6), y + rnd.Uniform(-8, 8));
                        cairo_move_to(cr, x, y);
                    }
                }
                SetRgba(cr, 0x4a4843, 0.85);
                cairo_set_line_width(cr, 1.4);
                cairo_stroke(cr);
            } else {  // bolted steel plate
                DropShadow(cv, 1.5, 1.5, 1.5, 0.35, [&](cairo_t* m) {
                    RoundedRect(m, c - 15, c - 11, 30, 22, 2);
                    cairo_set_source_rgba(m, 0, 0, 0, 1);
                    cairo_fill(m);
                });
                RoundedRect(cr, c - 15, c - 11, 30, 22, 2);
                FillLinear(cr, c - 15, c - 11, Hex(0x8d8f90), c + 15, c + 11, Hex(0x5e6062), true);
                Outline(cr, Hex(0x2a2b2c), 1.2);
                for (int i = 0; i < 4; ++i) {
                    Ellipse(cr, c + (i % 2 ? 11 : -11), c + (i / 2 ? 7 : -7), 1.6, 1.6);
                    SetRgba(cr, 0x3a3b3c);
                    cairo_fill(cr);
                }
            }
            break;
        case ArenaTheme::kSnow:
            if (id == 1) {  // rocks poking through the snow
                struct P {
                    double x, y, r;
                };
                std::vector<P> ps{{c, c, 13}};
                for (int i = 0; i < 3; ++i) {
                    const double a = rnd.Uniform(0, kTau), l = rnd.Uniform(17, 21);
                    ps.push_back({c + std::cos(a) * l, c + std::sin(a) * l, rnd.Uniform(3, 4.5)});
                }
                DropShadow(cv, 2.5, 2.5, 3, 0.35, [&](cairo_t* m) {
                    for (const P& p : ps) StoneShadow(m, p.x, p.y, p.r);
                });
                for (const P& p : ps) Stone(cr, rnd, p.x, p.y, p.r, 0x5d6570);
                // Snow on the big stone's top, lit from the upper left.
                Ellipse(cr, c - 4, c - 4.5, 7, 5);
                FillRadial(cr, c - 6, c - 7, 0, Hex(0xffffff, 0.95), 8, Hex(0xd6e2ee, 0.85));
            } else if (id == 2) {  // bare twigs
                std::vector<std::array<double, 3>> twigs;
                for (int i = 0; i < 9; ++i)
                    twigs.push_back(
                        {rnd.Uniform(0, kTau), rnd.Uniform(8, 19), rnd.Uniform(-0.5, 0.5)});
                auto draw = [&](cairo_t* m, bool shadow) {
                    for (const auto& t : twigs) {
                        const double ex = c + std::cos(t[0]) * t[1], ey = c + std::sin(t[0]) * t[1];
                        cairo_move_to(m, c, c);
                        cairo_line_to(m, ex, ey);
                        cairo_move_to(m, c + (ex - c) * 0.6, c + (ey - c) * 0.6);
                        cairo_line_to(m, c + std::cos(t[0] + t[2] + 0.5) * t[1] * 0.85,
                                      c + std::sin(t[0] + t[2] + 0.5) * t[1] * 0.85);
                        if (shadow)
                            cairo_set_source_rgba(m, 0, 0, 0, 1);
                        else
                            SetRgba(m, 0x4a3b30);
                        cairo_set_line_width(m, 1.5);
                        cairo_stroke(m);
                    }
                };
                DropShadow(cv, 3, 3, 2.5, 0.3, [&](cairo_t* m) { draw(m, true); });
                draw(cr, false);
            } else {  // a deer's tracks pressed into the snow
                for (int i = 0; i < 5; ++i) {
                    const double tx = 12 + i * 10, ty = c + (i % 2 ? 5 : -5);
                    for (int k = -1; k <= 1; k += 2) {
                        Ellipse(cr, tx + 0.5, ty + k * 1.6 + 0.5, 3.0, 1.3);
                        SetRgba(cr, 0x7e94b4, 0.75);
                        cairo_fill(cr);
                        Ellipse(cr, tx - 0.4, ty + k * 1.6 - 0.4, 2.6, 1.0);
                        SetRgba(cr, 0xffffff, 0.5);
                        cairo_fill(cr);
                    }
                }
            }
            break;
    }
    return cv;
}

Canvas Tile::WallDecal() const {
    Canvas cv(kTileSize, kTileSize);
    if (key_.decal <= 0) return cv;
    cairo_t* cr = cv.cr();
    Random rnd(Hash(static_cast<std::uint32_t>(theme_) + 40, static_cast<std::uint32_t>(key_.decal),
                    key_.code[0] * 27 + key_.code[1] * 9 + key_.code[2] * 3 + key_.code[3]));
    const double c = kS / 2;
    const int id = key_.decal;
    // Square things stay square to the block; only round ones turn.
    const int quarter = static_cast<int>(DecalAngle() / (kTau / 4)) % 4;
    cairo_translate(cr, c, c);
    cairo_rotate(cr, quarter * kTau / 4);
    cairo_translate(cr, -c, -c);
    auto box = [&](double x, double y, double w, double h, std::uint32_t hex, double lift) {
        DropShadow(cv, lift, lift, lift * 0.8, 0.5, [&](cairo_t* m) {
            cairo_rectangle(m, x, y, w, h);
            cairo_set_source_rgba(m, 0, 0, 0, 1);
            cairo_fill(m);
        });
        cairo_rectangle(cr, x, y, w, h);
        FillLinear(cr, x, y, Shade(Hex(hex), 0.2), x + w, y + h, Shade(Hex(hex), -0.15), true);
        Outline(cr, Shade(Hex(hex), -0.65), 1.3);
    };
    switch (theme_) {
        case ArenaTheme::kCity:
            if (id == 1) {  // air-conditioning unit with a fan
                box(c - 20, c - 14, 40, 28, 0xa9adb0, 5);
                Ellipse(cr, c + 7, c, 10.5, 10.5);
                FillRadial(cr, c + 7, c, 0, Hex(0x2c2f33), 11, Hex(0x4b4f54));
                for (int i = 0; i < 3; ++i) {
                    cairo_move_to(cr, c + 7, c);
                    cairo_arc(cr, c + 7, c, 9.5, i * kTau / 3, i * kTau / 3 + 0.8);
                    cairo_close_path(cr);
                }
                SetRgba(cr, 0x7d8287);
                cairo_fill(cr);
                for (int i = 0; i < 5; ++i) {
                    cairo_move_to(cr, c - 16, c - 10 + i * 5);
                    cairo_line_to(cr, c - 7, c - 10 + i * 5);
                }
                SetRgba(cr, 0x5a5e62);
                cairo_set_line_width(cr, 1.4);
                cairo_stroke(cr);
            } else if (id == 2) {  // mushroom vents
                for (int i = 0; i < 2; ++i) {
                    const double x = c + (i ? 11 : -11) + rnd.Uniform(-2, 2);
                    const double y = c + (i ? -8 : 8) + rnd.Uniform(-2, 2);
                    const double r = rnd.Uniform(9, 10.5);
                    DropShadow(cv, 5, 5, 3, 0.5, [&](cairo_t* m) { StoneShadow(m, x, y, r); });
                    Ellipse(cr, x, y, r, r);
                    FillRadial(cr, x - r * 0.35, y - r * 0.35, 0, Hex(0xd3d6d8), r, Hex(0x80858a),
                               true);
                    Outline(cr, Hex(0x34373b), 1.3);
                    Ellipse(cr, x, y, r * 0.35, r * 0.35);
                    SetRgba(cr, 0x6a6e73);
                    cairo_fill(cr);
                }
            } else if (id == 3) {  // skylight
                box(c - 16, c - 22, 32, 44, 0x8c9096, 3);
                for (int i = 0; i < 3; ++i) {
                    cairo_rectangle(cr, c - 13, c - 19 + i * 13, 26, 11);
                    FillLinear(cr, c - 13, c - 19, Hex(0x9ec3dc), c + 13, c + 19, Hex(0x3d6280));
                }
                cairo_move_to(cr, c - 10, c - 17);
                cairo_line_to(cr, c - 3, c - 17);
                SetRgba(cr, 0xffffff, 0.6);
                cairo_set_line_width(cr, 1.5);
                cairo_stroke(cr);
            } else {  // water tank
                DropShadow(cv, 7, 7, 3, 0.5, [&](cairo_t* m) { StoneShadow(m, c, c, 20); });
                Ellipse(cr, c, c, 20, 20);
                FillRadial(cr, c - 7, c - 7, 0, Hex(0x9b8a70), 22, Hex(0x5e4f3c), true);
                Outline(cr, Hex(0x2e261c), 1.4);
                Ellipse(cr, c, c, 13, 13);
                Outline(cr, Hex(0x4a3e2f), 1.2);
                Ellipse(cr, c, c, 3, 3);
                SetRgba(cr, 0x3a3026);
                cairo_fill(cr);
            }
            break;
        case ArenaTheme::kDesert: {  // a boulder or a scrub bush on the mesa top
            if (id == 1) {
                DropShadow(cv, 4, 4, 3, 0.45, [&](cairo_t* m) { StoneShadow(m, c, c, 12); });
                Stone(cr, rnd, c, c, 12, 0xb9794a);
            } else {  // a scrub bush: a clump of round leafy tufts
                struct T {
                    double x, y, r;
                };
                std::vector<T> tufts;
                for (int i = 0; i < 7; ++i) {
                    const double a = kTau * i / 7 + rnd.Uniform(-0.3, 0.3);
                    const double l = i == 0 ? 0 : rnd.Uniform(9, 14);
                    tufts.push_back(
                        {c + std::cos(a) * l, c + std::sin(a) * l, rnd.Uniform(6.5, 9)});
                }
                DropShadow(cv, 4, 4, 3, 0.45, [&](cairo_t* m) {
                    for (const T& t : tufts) StoneShadow(m, t.x, t.y, t.r);
                });
                for (const T& t : tufts) {
                    Ellipse(cr, t.x, t.y, t.r, t.r);
                    FillRadial(cr, t.x - t.r * 0.4, t.y - t.r * 0.4, 0, Hex(0x9fa56f), t.r * 1.1,
                               Hex(0x5a6136), true);
                    Outline(cr, Hex(0x3a4220, 0.8), 1.0);
                }
            }
            break;
        }
        default:
            break;
    }
    return cv;
}

}  // namespace

TileKey NormaliseKey(TileKey key) {
    const int self = key.cls[4];
    if (self != 0) {
        for (auto& c : key.cls) c = c == self ? static_cast<std::int16_t>(self) : 0;
        // A corner neighbour matters only when both blocks beside it are the same.
        const int corners[4][3] = {{0, 1, 3}, {2, 1, 5}, {6, 7, 3}, {8, 7, 5}};
        for (const auto& k : corners)
            if (key.cls[static_cast<std::size_t>(k[1])] == 0 ||
                key.cls[static_cast<std::size_t>(k[2])] == 0)
                key.cls[static_cast<std::size_t>(k[0])] = static_cast<std::int16_t>(self);
        key.terrain = {};
        key.marks = 0;
    } else {
        for (auto& c : key.cls) c = c != 0 ? 1 : 0;
    }
    return key;
}

int FloorDecalCount(ArenaTheme theme) {
    switch (theme) {
        case ArenaTheme::kDesert:
            return 4;
        case ArenaTheme::kCity:
            return 4;
        case ArenaTheme::kYard:
            return 6;
        case ArenaTheme::kSnow:
            return 3;
    }
    return 0;
}

int WallDecalCount(ArenaTheme theme, int material) {
    if (theme == ArenaTheme::kCity && material != wall::kBorder) return 4;
    if (theme == ArenaTheme::kDesert && material != wall::kBorder) return 2;
    return 0;
}

std::vector<std::uint32_t> RenderTile(ArenaTheme theme, const TileKey& key) {
    return Tile(theme, key).Render();
}

}  // namespace datagen
