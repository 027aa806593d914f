// config_save
// What "Save Match" (14 match keys) and "Apply" (4 options) cost on the
// configuration file the game keeps: each key written by a rewrite of its
// own (a synced temporary file renamed over the old one, as a single key
// is written), against all keys in one rewrite as the menus write them.
// The file holds the settings a played game has: 20 lines. Each figure is
// the median of 25 runs, in milliseconds, in a fresh folder inside the
// folder given as the argument (default: the temporary folder; the game
// keeps its file in its data folder, so pass a folder on that disk).
// Prints `name: value` lines.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "app/tconfig.h"

namespace {

using Clock = std::chrono::steady_clock;
using Entries = std::vector<std::pair<std::string, std::string>>;

constexpr int kRuns = 25;

Entries MatchKeys() {
    Entries e;
    for (int i = 1; i <= 5; ++i) e.emplace_back("AI" + std::to_string(i) + "Default", "2");
    for (int i = 1; i <= 5; ++i) e.emplace_back("AI" + std::to_string(i) + "TeamDefault", "5");
    e.emplace_back("MatchTypeDefault", "1");
    e.emplace_back("MapDefault", "3");
    e.emplace_back("PlayerVehicleDefault", "2");
    e.emplace_back("PlayerTeamDefault", "5");
    return e;
}

Entries OptionKeys() {
    return {{"Graphics Quality", "1"},
            {"Sound Volume", "7"},
            {"Music Volume", "6"},
            {"Player Name", "Moor Wrangler"}};
}

template <typename Save>
double MedianMs(TConfig& config, Save save) {
    std::vector<double> ms;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = Clock::now();
        save(config);
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path();
    const fs::path dir =
        fs::absolute(base) / ("crashmoor-config-save-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    fs::current_path(dir);
    TConfig config;
    config.Name = "config";
    config.Init();
    for (const auto& [key, value] : MatchKeys()) config.Read(key, value);
    for (const auto& [key, value] : OptionKeys()) config.Read(key, value);
    config.Read("Screen Format", "0");
    config.Read("Music Volume", "9");

    const Entries match = MatchKeys(), options = OptionKeys();
    const double match_each = MedianMs(config, [&](TConfig& c) {
        for (const auto& [key, value] : match) c.Write(key, value);
    });
    const double match_once = MedianMs(config, [&](TConfig& c) { c.WriteAll(match); });
    const double options_each = MedianMs(config, [&](TConfig& c) {
        for (const auto& [key, value] : options) c.Write(key, value);
        c.Read("Graphics Quality", "3");
    });
    const double options_once = MedianMs(config, [&](TConfig& c) { c.WriteAll(options); });

    std::printf("save_match_key_by_key_ms: %.2f\n", match_each);
    std::printf("save_match_ms: %.2f\n", match_once);
    std::printf("save_match_speedup: %.1f\n", match_each / match_once);
    std::printf("apply_key_by_key_ms: %.2f\n", options_each);
    std::printf("apply_ms: %.2f\n", options_once);
    std::printf("apply_speedup: %.1f\n", options_each / options_once);
    fs::current_path(dir.parent_path());
    fs::remove_all(dir);
    return 0;
}
