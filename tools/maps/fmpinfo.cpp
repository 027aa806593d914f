// fmpinfo FILE [--png OUT.png]
// Loads a tile map with the game's reader and prints what it found, one
// `name: value` line each; with --png renders plane 0 of the whole map
// (block graphics with their transparency over dark grey).

#include <zlib.h>

#include <cstdio>
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

bool RenderPng(const TileMap& map, const std::string& path) {
    const long long w = static_cast<long long>(map.MapWidth) * map.BlockWidth;
    const long long h = static_cast<long long>(map.MapHeight) * map.BlockHeight;
    if (w <= 0 || h <= 0 || w * h > (64LL << 20)) return false;
    std::vector<std::uint32_t> out(static_cast<std::size_t>(w * h), 0xFF303030u);
    for (int row = 0; row < map.MapHeight; ++row) {
        for (int col = 0; col < map.MapWidth; ++col) {
            const int g = map.BlockAt(col, row).gfx0;
            if (g < 0 || g >= static_cast<int>(map.BlockImages.size())) continue;
            const ImageHandle& image = map.BlockImages[static_cast<std::size_t>(g)];
            if (!image) continue;
            const Pixmap pm = img_lock(image, 0, 1, 0);
            for (int y = 0; y < map.BlockHeight; ++y) {
                for (int x = 0; x < map.BlockWidth; ++x) {
                    const long long px = static_cast<long long>(col) * map.BlockWidth + x;
                    const long long py = static_cast<long long>(row) * map.BlockHeight + y;
                    std::uint32_t& d = out[static_cast<std::size_t>(py * w + px)];
                    d = Over(d, pix_read_pixel(pm, x, y));
                }
            }
        }
    }
    return pix_save_png(static_cast<int>(w), static_cast<int>(h), out.data(), path) == 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: fmpinfo FILE [--png OUT.png]\n");
        return 2;
    }
    std::string png;
    for (int i = 2; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--png") png = argv[i + 1];
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
    if (!png.empty() && !RenderPng(map, png)) {
        std::fprintf(stderr, "fmpinfo: cannot render %s\n", png.c_str());
        return 1;
    }
    return 0;
}
