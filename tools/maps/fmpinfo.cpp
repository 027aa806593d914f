// fmpinfo FILE [--png OUT.png [--max-pixels N]]
// Loads a tile map with the game's reader and prints what it found, one
// `name: value` line each; with --png renders plane 0 of the whole map
// (block graphics with their transparency over dark grey), scaled down to
// at most N pixels (default 64 M) when it is larger, which it says on
// standard error.

#include <zlib.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "arena/tile_map.h"
#include "engine/engine.h"
#include "engine/image.h"

namespace {

std::uint32_t CellsCrc(const TileMap& map) {
    std::vector<unsigned char> bytes;
    bytes.reserve(static_cast<std::size_t>(map.MapWidth) * map.MapHeight * 4);
    for (int row = 0; row < map.MapHeight; ++row) {
        for (int col = 0; col < map.MapWidth; ++col) {
            const auto v = static_cast<std::uint32_t>(map.Cell(col, row, 0));
            for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
        }
    }
    return static_cast<std::uint32_t>(crc32(0L, bytes.data(), static_cast<uInt>(bytes.size())));
}

// Blends `src` (straight alpha) over `dst` (opaque).
std::uint32_t Over(std::uint32_t dst, std::uint32_t src) {
    const std::uint32_t a = src >> 24;
    auto ch = [&](int shift) {
        const std::uint32_t s = (src >> shift) & 0xFF, d = (dst >> shift) & 0xFF;
        return ((s * a + d * (255 - a)) / 255) << shift;
    };
    return 0xFF000000u | ch(16) | ch(8) | ch(0);
}

// Renders plane 0 into at most `max_pixels` pixels: a larger map is drawn
// at 1/scale (every scale-th pixel of each row and column), the smallest
// whole scale that fits. Returns the scale, 0 when nothing could be written.
int RenderPng(const TileMap& map, const std::string& path, long long max_pixels) {
    const long long w = static_cast<long long>(map.MapWidth) * map.BlockWidth;
    const long long h = static_cast<long long>(map.MapHeight) * map.BlockHeight;
    if (w <= 0 || h <= 0 || max_pixels <= 0) return 0;
    long long scale = 1;
    auto fits = [&](long long s) { return ((w + s - 1) / s) * ((h + s - 1) / s) <= max_pixels; };
    while (!fits(scale)) ++scale;
    const long long ow = (w + scale - 1) / scale, oh = (h + scale - 1) / scale;
    // Each block graphic is read once, when first drawn.
    std::vector<Pixmap> pixmaps(map.BlockImages.size());
    std::vector<bool> locked(map.BlockImages.size(), false);
    std::vector<std::uint32_t> out(static_cast<std::size_t>(ow * oh), 0xFF303030u);
    for (long long oy = 0; oy < oh; ++oy) {
        const long long py = oy * scale;
        const int row = static_cast<int>(py / map.BlockHeight),
                  y = static_cast<int>(py % map.BlockHeight);
        for (long long ox = 0; ox < ow; ++ox) {
            const long long px = ox * scale;
            const int col = static_cast<int>(px / map.BlockWidth),
                      x = static_cast<int>(px % map.BlockWidth);
            const int g = map.BlockAt(col, row).gfx0;
            if (g < 0 || g >= static_cast<int>(map.BlockImages.size())) continue;
            const auto gi = static_cast<std::size_t>(g);
            const ImageHandle& image = map.BlockImages[gi];
            if (!image) continue;
            if (!locked[gi]) {
                pixmaps[gi] = img_lock(image, 0, 1, 0);
                locked[gi] = true;
            }
            std::uint32_t& d = out[static_cast<std::size_t>(oy * ow + ox)];
            d = Over(d, pix_read_pixel(pixmaps[gi], x, y));
        }
    }
    for (std::size_t gi = 0; gi < locked.size(); ++gi) {
        if (locked[gi]) img_unlock(map.BlockImages[gi], 0);
    }
    if (pix_save_png(static_cast<int>(ow), static_cast<int>(oh), out.data(), path) != 1) return 0;
    return static_cast<int>(scale);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fmpinfo FILE [--png OUT.png [--max-pixels N]]\n");
        return 2;
    }
    std::string png;
    long long max_pixels = 64LL << 20;
    for (int i = 2; i + 1 < argc; ++i) {
        if (std::string(argv[i]) == "--png") png = argv[i + 1];
        if (std::string(argv[i]) == "--max-pixels") max_pixels = std::atoll(argv[i + 1]);
    }
    EngineOptions options;
    options.video = false;
    options.audio = false;
    Engine engine(options);
    if (!engine.ok()) {
        std::fprintf(stderr, "fmpinfo: %s\n", engine.error().c_str());
        return 1;
    }
    TileMap map;
    map.Load(argv[1], 2);
    std::printf("map_type: %d\n", map.MapType);
    std::printf("byte_order: %s\n", map.LittleEndian ? "little" : "big");
    std::printf("map_width: %d\nmap_height: %d\n", map.MapWidth, map.MapHeight);
    std::printf("block_width: %d\nblock_height: %d\nblock_depth: %d\n", map.BlockWidth,
                map.BlockHeight, map.BlockDepth);
    std::printf("block_struct_size: %d\nblock_struct_count: %d\nblock_gfx_count: %d\n",
                map.BlockStructSize, map.BlockStructCount, map.BlockGfxCount);
    std::printf("anim_count: %d\nerror_code: %d\n", map.AnimCount, map.ErrorCode);
    std::printf("key_colour: %06X\n", static_cast<unsigned>(map.KeyColour) & 0xFFFFFFu);
    std::printf("cells_crc32: %08x\n", CellsCrc(map));
    if (!png.empty()) {
        const int scale = RenderPng(map, png, max_pixels);
        if (scale == 0) {
            std::fprintf(stderr, "fmpinfo: cannot render %s\n", png.c_str());
            return 1;
        }
        if (scale > 1) {
            std::fprintf(stderr, "fmpinfo: the map is %lld x %lld pixels; %s shows it at 1/%d\n",
                         static_cast<long long>(map.MapWidth) * map.BlockWidth,
                         static_cast<long long>(map.MapHeight) * map.BlockHeight, png.c_str(),
                         scale);
        }
    }
    return 0;
}
