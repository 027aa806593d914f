// path_plan [plans]
// The computer drivers' path planner on every shipped arena: the time to
// build it for the arena, and the median, 99th percentile and longest of
// `plans` plans (default 2000) between random open points, as the drivers
// plan them. Prints `name: value` lines; the largest arena last.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "ai/path_planner.h"
#include "arena/tile_map.h"
#include "engine/engine.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Percentile(std::vector<double> v, double p) {
    if (v.empty()) return 0;
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(p * static_cast<double>(v.size())))];
}

}  // namespace

int main(int argc, char** argv) {
    const int plans = argc > 1 ? std::max(1, std::atoi(argv[1])) : 2000;
    EngineOptions options;
    options.video = false;
    options.audio = false;
    Engine engine(options);
    if (!engine.ok()) {
        std::fprintf(stderr, "path_plan: %s\n", engine.error().c_str());
        return 1;
    }
    std::vector<std::filesystem::path> maps;
    std::error_code ec;
    for (const auto& entry :
         std::filesystem::directory_iterator(CRASHMOOR_DATA_DIR "/Arenas", ec)) {
        if (entry.path().extension() == ".FMP") maps.push_back(entry.path());
    }
    // Smallest to largest, by cells.
    std::vector<std::pair<long long, std::string>> sized;
    for (const auto& path : maps) {
        TileMap map;
        map.Load(path.string(), 1);
        sized.emplace_back(static_cast<long long>(map.MapWidth) * map.MapHeight, path.string());
    }
    std::sort(sized.begin(), sized.end());
    std::mt19937 random(1);
    for (const auto& [cells, path] : sized) {
        TileMap map;
        map.Load(path, 1);
        const std::string name = std::filesystem::path(path).stem().string();
        const auto built = Clock::now();
        const PathPlanner planner(ArenaSolidGrid(map), kCarClearance);
        const double build_ms = Ms(Clock::now() - built);
        std::uniform_real_distribution<double> x(0, map.MapWidth * map.BlockWidth);
        std::uniform_real_distribution<double> y(0, map.MapHeight * map.BlockHeight);
        auto open_point = [&] {
            for (;;) {
                const Vector2D p(x(random), y(random));
                if (planner.Open(p)) return p;
            }
        };
        std::vector<double> times;
        std::size_t waypoints = 0;
        for (int i = 0; i < plans; ++i) {
            const Vector2D from = open_point(), to = open_point();
            const auto start = Clock::now();
            waypoints += planner.Plan(from, to).size();
            times.push_back(Ms(Clock::now() - start));
        }
        std::printf("%s_blocks: %lldx%lld (%lld)\n", name.c_str(),
                    static_cast<long long>(map.MapWidth), static_cast<long long>(map.MapHeight),
                    cells);
        std::printf("%s_build_ms: %.3f\n", name.c_str(), build_ms);
        std::printf("%s_plan_ms_median: %.4f\n", name.c_str(), Percentile(times, 0.5));
        std::printf("%s_plan_ms_p99: %.4f\n", name.c_str(), Percentile(times, 0.99));
        std::printf("%s_plan_ms_max: %.4f\n", name.c_str(), Percentile(times, 1.0));
        std::printf("%s_waypoints_mean: %.2f\n", name.c_str(),
                    static_cast<double>(waypoints) / plans);
    }
    return 0;
}
