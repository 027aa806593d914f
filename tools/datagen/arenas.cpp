// The shipped arenas: for each layout its text file and its tile map. The map
// gives every block a key (what it is and what surrounds it), draws one
// graphic per distinct key and writes the map with the game's FMP writer.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "arena/fmp_writer.h"
#include "tools/datagen/arena_layout.h"
#include "tools/datagen/generator.h"
#include "tools/datagen/tile_art.h"

namespace datagen {
namespace {

// What the map knows of each block and each block corner.
struct Ground {
    int w = 0, h = 0;
    std::vector<int> cls;               // per block: 0 floor, else a wall material
    std::vector<std::uint8_t> terrain;  // per corner, (w + 1) x (h + 1)
    std::vector<std::uint8_t> code;     // per corner
    std::vector<std::int16_t> decal;    // per block
    std::vector<std::uint16_t> marks;   // per block

    int Cls(int c, int r) const {
        if (c < 0 || r < 0 || c >= w || r >= h) return wall::kBorder;  // the edge goes on
        return cls[static_cast<std::size_t>(r * w + c)];
    }
    std::size_t Corner(int x, int y) const { return static_cast<std::size_t>(y * (w + 1) + x); }
};

// Share of the floor the second terrain covers, and how often decals appear.
struct ThemeMix {
    double terrain = 0.3;
    double patch = 7;  // typical patch size, in blocks
    double floor_decals = 0.1;
    double wall_decals = 0.3;
};

ThemeMix MixOf(ArenaTheme theme) {
    switch (theme) {
        case ArenaTheme::kDesert:
            return {0.32, 7, 0.12, 0.25};
        case ArenaTheme::kCity:
            return {0.12, 4, 0.08, 0.22};
        case ArenaTheme::kYard:
            return {0.25, 4, 0.2, 0};
        case ArenaTheme::kSnow:
            return {0.35, 6, 0.08, 0};
    }
    return {};
}

// Smooth random field over the corners: random values on a coarse lattice,
// interpolated with smoothstep.
std::vector<double> SmoothField(int w, int h, double cell, Random& rnd) {
    const int lw = static_cast<int>(std::ceil(w / cell)) + 2;
    const int lh = static_cast<int>(std::ceil(h / cell)) + 2;
    std::vector<double> lattice(static_cast<std::size_t>(lw * lh));
    for (double& v : lattice) v = rnd.Uniform(0, 1);
    std::vector<double> out(static_cast<std::size_t>(w * h));
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const double fx = x / cell, fy = y / cell;
            const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
            double tx = fx - ix, ty = fy - iy;
            tx = tx * tx * (3 - 2 * tx);
            ty = ty * ty * (3 - 2 * ty);
            auto at = [&](int i, int j) { return lattice[static_cast<std::size_t>(j * lw + i)]; };
            const double top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
            const double bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
            out[static_cast<std::size_t>(y * w + x)] = top + (bottom - top) * ty;
        }
    }
    return out;
}

// The colours of a container stack alternate so that neighbours differ.
int StackMaterial(int index, int salt) {
    static const int kColours[4] = {wall::kContainerRed, wall::kContainerBlue,
                                    wall::kContainerGreen, wall::kContainerOrange};
    return kColours[(index + salt) % 4];
}

// Street markings: dashed centre lines along the streets (of odd width) and
// crossings where a street meets another.
void MarkStreets(Ground& g, const std::vector<std::pair<int, int>>& bands) {
    auto band_of = [&](int v) -> const std::pair<int, int>* {
        for (const auto& b : bands)
            if (v >= b.first && v <= b.second) return &b;
        return nullptr;
    };
    auto centre = [](const std::pair<int, int>& b, int v) {
        const int width = b.second - b.first + 1;
        return width % 2 ? v == (b.first + b.second) / 2 : false;
    };
    for (int r = 0; r < g.h; ++r) {
        for (int c = 0; c < g.w; ++c) {
            if (g.Cls(c, r) != 0) continue;
            const auto* vb = band_of(c);  // a street running along the column
            const auto* hb = band_of(r);  // a street running along the row
            std::uint16_t m = 0;
            // Crossings only where buildings line the street on both sides.
            if (vb && !hb) {
                const bool crossing = (band_of(r - 1) || band_of(r + 1)) &&
                                      g.Cls(vb->first - 1, r) != 0 && g.Cls(vb->second + 1, r) != 0;
                if (crossing)
                    m |= kMarkZebraV;
                else if (centre(*vb, c))
                    m |= kMarkLineV;
            }
            if (hb && !vb) {
                const bool crossing = (band_of(c - 1) || band_of(c + 1)) &&
                                      g.Cls(c, hb->first - 1) != 0 && g.Cls(c, hb->second + 1) != 0;
                if (crossing)
                    m |= kMarkZebraH;
                else if (centre(*hb, r))
                    m |= kMarkLineH;
            }
            g.marks[static_cast<std::size_t>(r * g.w + c)] = m;
        }
    }
}

Ground MakeGround(const ArenaLayout& l, std::uint32_t seed) {
    Ground g;
    g.w = l.width;
    g.h = l.height;
    g.cls.assign(static_cast<std::size_t>(g.w * g.h), 0);
    for (const ArenaBox& b : l.boxes) {
        const bool along_row = b.c2 - b.c1 >= b.r2 - b.r1;
        for (int r = b.r1; r <= b.r2; ++r)
            for (int c = b.c1; c <= b.c2; ++c)
                g.cls[static_cast<std::size_t>(r * g.w + c)] =
                    b.stack ? StackMaterial(along_row ? r - b.r1 : c - b.c1, b.c1 + b.r1)
                            : b.material;
    }
    const ThemeMix mix = MixOf(l.theme);
    Random rnd(seed);
    const int cw = g.w + 1, ch = g.h + 1;
    const std::vector<double> field = SmoothField(cw, ch, mix.patch, rnd);
    // Threshold at the quantile that gives the wanted share.
    std::vector<double> sorted = field;
    std::sort(sorted.begin(), sorted.end());
    const double cut = sorted[static_cast<std::size_t>((1 - mix.terrain) * (sorted.size() - 1))];
    // Terrain and noise codes vary only at corners with floor (or one wall
    // material) all round: the blocks along a wall's edge then come in few
    // kinds, which keeps the number of graphics down.
    g.terrain.assign(field.size(), 0);
    g.code.assign(field.size(), 0);
    for (int y = 0; y <= g.h; ++y) {
        for (int x = 0; x <= g.w; ++x) {
            const int a = g.Cls(x - 1, y - 1), b = g.Cls(x, y - 1), c = g.Cls(x - 1, y),
                      d = g.Cls(x, y);
            const bool alike = a == b && b == c && c == d;
            const std::size_t i = g.Corner(x, y);
            const auto code = static_cast<std::uint8_t>(rnd.Next() % 2);
            if (!alike) continue;
            g.code[i] = code;
            if (a == 0) g.terrain[i] = field[i] > cut ? 1 : 0;
        }
    }
    g.marks.assign(g.cls.size(), 0);
    if (!l.streets.empty()) MarkStreets(g, l.streets);
    g.decal.assign(g.cls.size(), 0);
    for (int r = 0; r < g.h; ++r) {
        for (int c = 0; c < g.w; ++c) {
            const int self = g.Cls(c, r);
            bool alone = true;  // all eight neighbours alike
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) alone = alone && g.Cls(c + i, r + j) == self;
            const double roll = rnd.Uniform(0, 1);
            const std::uint64_t pick = rnd.Next();
            if (!alone) continue;
            if (self == 0) {
                const std::uint8_t t = g.terrain[g.Corner(c, r)];
                const bool uniform = g.terrain[g.Corner(c + 1, r)] == t &&
                                     g.terrain[g.Corner(c, r + 1)] == t &&
                                     g.terrain[g.Corner(c + 1, r + 1)] == t;
                if (uniform && !g.marks[static_cast<std::size_t>(r * g.w + c)] &&
                    roll < mix.floor_decals)
                    g.decal[static_cast<std::size_t>(r * g.w + c)] =
                        static_cast<std::int16_t>(1 + pick % FloorDecalCount(l.theme));
            } else {
                const int n = WallDecalCount(l.theme, self);
                if (n > 0 && roll < mix.wall_decals)
                    g.decal[static_cast<std::size_t>(r * g.w + c)] =
                        static_cast<std::int16_t>(1 + pick % n);
            }
        }
    }
    // Paint and decals make a block stand out anyway: their corners keep
    // the first noise code and plain terrain, so they come in few kinds.
    for (int r = 0; r < g.h; ++r) {
        for (int c = 0; c < g.w; ++c) {
            const std::size_t i = static_cast<std::size_t>(r * g.w + c);
            if (!g.decal[i] && !g.marks[i]) continue;
            for (const std::size_t k :
                 {g.Corner(c, r), g.Corner(c + 1, r), g.Corner(c, r + 1), g.Corner(c + 1, r + 1)}) {
                g.code[k] = 0;
                if (g.marks[i]) g.terrain[k] = 0;
            }
        }
    }
    return g;
}

// The maps store 16-bit colour (5 bits of red and blue, 6 of green): an
// ordered dither, repeating every 4 pixels and so seamless from block to
// block, hides the steps that would show in soft shadows.
void Dither565(std::vector<std::uint32_t>& pixels) {
    static const int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    for (int y = 0; y < kTileSize; ++y) {
        for (int x = 0; x < kTileSize; ++x) {
            std::uint32_t& p = pixels[static_cast<std::size_t>(y * kTileSize + x)];
            const double t = (kBayer[y & 3][x & 3] + 0.5) / 16;
            auto level = [&](int shift, int bits) {
                const int v = static_cast<int>((p >> shift) & 0xFF);
                const int steps = (1 << bits) - 1;
                const int q = std::min(steps, static_cast<int>(v * steps / 255.0 + t));
                // Back to 8 bits the way the reader widens it, so the
                // writer's truncation keeps q.
                return static_cast<std::uint32_t>(q << (8 - bits) | q >> (2 * bits - 8));
            };
            p = 0xFF000000u | level(16, 5) << 16 | level(8, 6) << 8 | level(0, 5);
            if (p == 0xFFFF00FFu) p = 0xFFFF04FFu;  // never the key colour
        }
    }
}

TileKey KeyAt(const Ground& g, int c, int r) {
    TileKey k;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i)
            k.cls[static_cast<std::size_t>(j * 3 + i)] =
                static_cast<std::int16_t>(g.Cls(c + i - 1, r + j - 1));
    const std::size_t corners[4] = {g.Corner(c, r), g.Corner(c + 1, r), g.Corner(c, r + 1),
                                    g.Corner(c + 1, r + 1)};
    for (int i = 0; i < 4; ++i) {
        k.terrain[static_cast<std::size_t>(i)] = g.terrain[corners[i]];
        k.code[static_cast<std::size_t>(i)] = g.code[corners[i]];
    }
    k.decal = g.decal[static_cast<std::size_t>(r * g.w + c)];
    k.marks = g.marks[static_cast<std::size_t>(r * g.w + c)];
    return NormaliseKey(k);
}

std::string BuildMap(const ArenaLayout& l, std::uint32_t seed) {
    const Ground g = MakeGround(l, seed);
    FmpMapData m;
    m.width = g.w;
    m.height = g.h;
    m.block_width = m.block_height = kTileSize;
    std::map<TileKey, int> index;
    std::vector<int> cells(static_cast<std::size_t>(g.w * g.h));
    for (int r = 0; r < g.h; ++r) {
        for (int c = 0; c < g.w; ++c) {
            const TileKey key = KeyAt(g, c, r);
            auto it = index.find(key);
            if (it == index.end()) {
                const int n = static_cast<int>(m.graphics.size());
                it = index.emplace(key, n).first;
                std::vector<std::uint32_t> pixels = RenderTile(l.theme, key);
                Dither565(pixels);
                m.graphics.push_back(std::move(pixels));
                BLKSTR b;
                b.gfx0 = n;
                b.bit0 = key.cls[4] != 0 ? 1 : 0;
                m.blocks.push_back(b);
            }
            cells[static_cast<std::size_t>(r * g.w + c)] = it->second;
        }
    }
    m.planes.push_back(std::move(cells));
    FmpWriteOptions o;
    o.map_type = 1;
    o.block_depth = 16;
    return WriteFmp(m, o);
}

}  // namespace

void MakeArenas(Output& out) {
    std::uint32_t seed = 0xA2E0A;
    for (const ArenaLayout& l : ShippedArenas()) {
        for (const std::string& p : LayoutProblems(l))
            std::fprintf(stderr, "datagen: arena %s: %s\n", l.name.c_str(), p.c_str());
        out.Bytes("Arenas/" + l.name + ".arn", ArenaText(l));
        out.Bytes("Arenas/" + l.name + ".FMP", BuildMap(l, seed));
        seed += 0x1F3;
    }
}

}  // namespace datagen
