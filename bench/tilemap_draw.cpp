// tilemap_draw [MAP.FMP]
// Loading time of a tile map and the cost of drawing a full 1024 x 768 view
// of it, and of a SolidAt query. Without an argument it takes the largest
// map in the data folder's Arenas/. Prints `name: value` lines.

#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "arena/tile_map.h"
#include "engine/engine.h"
#include "engine/graphics.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

std::string LargestMap(const std::string& folder) {
    std::string best;
    std::uintmax_t best_size = 0;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() != ".FMP") continue;
        if (entry.file_size() > best_size) {
            best_size = entry.file_size();
            best = entry.path().string();
        }
    }
    return best;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0.0 : v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    const std::string path = argc > 1 ? argv[1] : LargestMap(CRASHMOOR_DATA_DIR "/Arenas");
    if (path.empty()) {
        std::fprintf(stderr, "tilemap_draw: no map given and none in %s/Arenas\n",
                     CRASHMOOR_DATA_DIR);
        return 1;
    }
    EngineOptions options;
    options.audio = false;
    options.windowed = true;
    options.uncapped = true;
    Engine engine(options);
    if (!engine.ok() || !gfx_open(1024, 768, 0, 60, 0)) {
        std::fprintf(stderr, "tilemap_draw: no graphics: %s\n", gfx_last_error().c_str());
        return 1;
    }

    TileMap map;
    std::vector<double> loads;
    for (int i = 0; i < 5; ++i) {
        const auto t0 = Clock::now();
        map.Load(path, 2);
        loads.push_back(Ms(Clock::now() - t0));
    }
    const int world_w = map.MapWidth * map.BlockWidth, world_h = map.MapHeight * map.BlockHeight;

    // A view sweeping across the map, as a driving car's would.
    auto frame = [&](int i) {
        gfx_cls();
        const int sx = std::max(0, world_w - 1024) > 0 ? (i * 37) % std::max(1, world_w - 1024) : 0;
        const int sy = std::max(0, world_h - 768) > 0 ? (i * 23) % std::max(1, world_h - 768) : 0;
        map.DrawMap(sx, sy, 0, 0, 1024, 768);
        gfx_read_pixels(0, 0, 1, 1);  // wait for the renderer
    };
    for (int i = 0; i < 20; ++i) frame(i);
    std::vector<double> frames;
    for (int i = 0; i < 200; ++i) {
        const auto t0 = Clock::now();
        frame(i);
        frames.push_back(Ms(Clock::now() - t0));
    }
    // An empty frame with the same read-back, to separate the drawing.
    std::vector<double> empty;
    for (int i = 0; i < 200; ++i) {
        const auto t0 = Clock::now();
        gfx_cls();
        gfx_read_pixels(0, 0, 1, 1);
        empty.push_back(Ms(Clock::now() - t0));
    }

    long long solid = 0;
    const int queries = 10000000;
    const auto q0 = Clock::now();
    for (long long i = 0; i < queries; ++i) {
        solid += map.SolidAt(static_cast<int>(i * 7919 % std::max(world_w, 1)),
                             static_cast<int>(i * 104729 % std::max(world_h, 1)));
    }
    const double query_ns = Ms(Clock::now() - q0) * 1e6 / queries;

    std::printf("map: %s\n", std::filesystem::path(path).filename().string().c_str());
    std::printf("map_pixels: %dx%d\n", world_w, world_h);
    const int bw = std::max(map.BlockWidth, 1), bh = std::max(map.BlockHeight, 1);
    std::printf("blocks_drawn_per_frame: %d\n",
                std::min(map.MapWidth, 1024 / bw + 1) * std::min(map.MapHeight, 768 / bh + 1));
    std::printf("load_ms: %.2f\n", Median(loads));
    std::printf("drawmap_frame_ms: %.3f\n", Median(frames));
    std::printf("empty_frame_ms: %.3f\n", Median(empty));
    std::printf("solidat_ns: %.2f\n", query_ns);
    std::printf("solid_fraction: %.3f\n", static_cast<double>(solid) / queries);
    return 0;
}
