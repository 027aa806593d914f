// Fuzz target of the tile map reader: loads arbitrary bytes as an FMP file,
// then draws a view of it and asks for blocks and solidity across the grid
// and beyond its edges, with the engine in its no-video mode.

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "arena/tile_map.h"
#include "engine/engine.h"
#include "engine/log.h"

namespace {

Engine& FuzzEngine() {
    static Engine engine([] {
        EngineOptions options;
        options.video = false;
        options.audio = false;
        return options;
    }());
    return engine;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!FuzzEngine().ok()) return 0;
    log_set_sink([](const std::string&, int) {});  // the reader's console lines
    TileMap map;
    map.LoadBytes(data, size, 2);
    map.DrawMap(37, -5, 0, 0, 1024, 768);
    map.DrawMap(-100, 100000, 10, 10, 300, 200);
    // Every cell of a bounded corner of the grid, and a margin outside it.
    const int columns = std::min(map.MapWidth, 200), rows = std::min(map.MapHeight, 200);
    long long solid = 0;
    for (int row = -2; row <= rows + 2; ++row) {
        for (int col = -2; col <= columns + 2; ++col) {
            solid += map.BlockAt(col, row).bit0;
            solid += map.SolidAt(col * std::max(map.BlockWidth, 1) - 1,
                                 row * std::max(map.BlockHeight, 1) + 1);
        }
    }
    // The far corner and the extremes.
    solid += map.SolidAt(map.MapWidth * map.BlockWidth - 1, map.MapHeight * map.BlockHeight - 1);
    solid += map.SolidAt(-2147483647 - 1, 2147483647);
    solid += map.BlockAt(map.MapWidth, map.MapHeight).bit0;
    map.CurrentLayer = 2;
    solid += map.SolidAt(5, 5);
    log_set_sink(nullptr);
    return solid < 0 ? 1 : 0;  // never: keeps the queries from being optimised away
}
