// ai_league [--matches N] [--minutes M] [--seed S] [--data DIR]
// Plays one-on-one matches of computer drivers on every shipped arena
// through the game's own match start, frame loop, end test and teardown,
// without video, on a fixed frame time, and prints how the drivers fare as
// `name: value` lines: the win rate of each pairing of difficulties (the
// winner has more points, a draw counts half), the share of AI-seconds
// spent stuck, boundary respawns per AI-hour, kills and deaths by own fire
// per AI-minute, the longest path plan, and how often each difficulty kills
// a human car that stands still (one-on-one on every arena).

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/game.h"
#include "app/match.h"
#include "app/player.h"
#include "objects/game_object.h"
#include "objects/vehicle.h"
#include "tools/league/headless_game.h"

namespace {

constexpr int kFramesPerSecond = HeadlessGame::kFramesPerSecond;
constexpr int kStuckWindowSeconds = 3;
constexpr float kStuckDistance = 20.0f;

struct Options {
    int matches = 400;  // per pairing: enough for a win rate within about 0.025
    int minutes = 3;
    long long seed = 1;
    std::string data = CRASHMOOR_DATA_DIR;
};

struct Totals {
    long long aiSeconds = 0;
    long long stuckSeconds = 0;
    long long aiFrames = 0;
    long long kills = 0;
    long long ownFireDeaths = 0;
    long long boundaryRespawns = 0;
};

struct Sample {
    float x = 0, y = 0;
};

// One match of style `a` (slot 1) against style `b` (slot 2); the points
// each ended with.
void PlayMatch(const std::string& arena, int a, int b, int minutes, Totals& totals, int* pointsA,
               int* pointsB) {
    MatchSetup setup;
    setup.Arena = arena;
    setup.Spectate = true;
    setup.AIStyle = {a, b, 0, 0, 0};
    setup.ScoreLimit = 1000000;  // the clock ends every match
    setup.TimeLimitMinutes = minutes;
    if (!StartMatch(setup)) {
        std::fprintf(stderr, "ai_league: %s did not start\n", arena.c_str());
        std::exit(1);
    }
    App().GameState = kStateMatch;
    const long long boundary0 = AI::BoundaryRespawns;

    std::vector<std::deque<Sample>> history(2);
    long long frame = 0;
    while (App().GameState == kStateMatch) {
        const auto ais = AI::List.Items();
        if (ais.size() == 2) {
            *pointsA = ais[0]->Points;
            *pointsB = ais[1]->Points;
        }
        int deaths[2] = {}, points[2] = {};
        for (std::size_t i = 0; i < ais.size() && i < 2; ++i) {
            deaths[i] = ais[i]->Deaths;
            points[i] = ais[i]->Points;
        }
        RunFrame();
        ++frame;
        if (App().GameState != kStateMatch || ais.size() != 2) break;
        // In a deathmatch a death that costs the victim a point was its own
        // fire.
        for (std::size_t i = 0; i < 2; ++i) {
            if (ais[i]->Deaths > deaths[i] && ais[i]->Points < points[i]) ++totals.ownFireDeaths;
        }
        totals.aiFrames += 2;
        if (frame % kFramesPerSecond != 0) continue;
        for (std::size_t i = 0; i < 2; ++i) {
            const Vehicle& v = *ais[i]->myVehicle;
            auto& h = history[i];
            h.push_back(Sample{v.X, v.Y});
            if (h.size() > kStuckWindowSeconds + 1) h.pop_front();
            if (v.Dead != 0 || h.size() <= kStuckWindowSeconds) continue;
            ++totals.aiSeconds;
            const float moved = std::hypot(v.X - h.front().x, v.Y - h.front().y);
            if (moved < kStuckDistance) ++totals.stuckSeconds;
        }
    }
    // The last frame's points (the end test runs before anything moves).
    for (const ResultRow& row : LastResults()) totals.kills += row.Deaths;
    totals.boundaryRespawns += AI::BoundaryRespawns - boundary0;
}

// Kills per minute of a computer driver of the style against a human car
// that never moves, over one match on each arena.
double IdleHumanKillsPerMinute(const std::vector<std::string>& arenas, int style, int minutes) {
    long long kills = 0;
    for (const std::string& arena : arenas) {
        MatchSetup setup;
        setup.Arena = arena;
        setup.AIStyle = {style, 0, 0, 0, 0};
        setup.ScoreLimit = kMatchLimitMax;
        setup.TimeLimitMinutes = minutes;
        if (!StartMatch(setup)) {
            std::fprintf(stderr, "ai_league: %s did not start\n", arena.c_str());
            std::exit(1);
        }
        App().GameState = kStateMatch;
        int deaths = 0;
        while (App().GameState == kStateMatch) {
            if (TheMatch().HumanPlayer) deaths = TheMatch().HumanPlayer->Deaths;
            RunFrame();
        }
        kills += deaths;
    }
    return static_cast<double>(kills) / (static_cast<double>(minutes) * arenas.size());
}

double WinRate(const std::vector<std::string>& arenas, int a, int b, const Options& o,
               Totals& totals) {
    double wins = 0;
    for (int i = 0; i < o.matches; ++i) {
        const std::string& arena = arenas[static_cast<std::size_t>(i) % arenas.size()];
        // Every other match the slots swap, so neither side keeps the first
        // spawn draw or the first update of the frame.
        const bool swapped = i % 2 == 1;
        int pa = 0, pb = 0;
        if (swapped) {
            PlayMatch(arena, b, a, o.minutes, totals, &pb, &pa);
        } else {
            PlayMatch(arena, a, b, o.minutes, totals, &pa, &pb);
        }
        wins += pa > pb ? 1.0 : pa == pb ? 0.5 : 0.0;
    }
    return wins / o.matches;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--matches") {
            o.matches = std::atoi(v);
        } else if (a == "--minutes") {
            o.minutes = std::atoi(v);
        } else if (a == "--seed") {
            o.seed = std::atoll(v);
        } else if (a == "--data") {
            o.data = v;
        } else {
            return false;
        }
    }
    return o.matches > 0 && o.minutes > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: ai_league [--matches N] [--minutes M] [--seed S] [--data DIR]\n");
        return 2;
    }
    StartOptions start;
    start.has_seed = true;
    start.seed = o.seed;
    HeadlessGame game("ai_league", o.data, start);
    if (!game.ok()) return 1;
    const std::vector<std::string>& arenas = game.arenas;

    const auto t0 = std::chrono::steady_clock::now();
    Totals totals;
    const double ow = WinRate(arenas, 3, 1, o, totals);
    const double om = WinRate(arenas, 3, 2, o, totals);
    const double mw = WinRate(arenas, 2, 1, o, totals);
    double idle[3] = {};
    for (int style = 1; style <= 3; ++style) {
        idle[style - 1] = IdleHumanKillsPerMinute(arenas, style, o.minutes);
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    const double ai_minutes = static_cast<double>(totals.aiFrames) / kFramesPerSecond / 60.0;
    std::printf("arenas: %zu\n", arenas.size());
    std::printf("matches_per_pairing: %d\n", o.matches);
    std::printf("match_minutes: %d\n", o.minutes);
    std::printf("offensive_vs_weakling_win_rate: %.3f\n", ow);
    std::printf("offensive_vs_moderate_win_rate: %.3f\n", om);
    std::printf("moderate_vs_weakling_win_rate: %.3f\n", mw);
    std::printf(
        "stuck_fraction: %.4f\n",
        totals.aiSeconds > 0 ? static_cast<double>(totals.stuckSeconds) / totals.aiSeconds : 0.0);
    std::printf("out_of_bounds_per_hour: %.3f\n",
                ai_minutes > 0 ? totals.boundaryRespawns / (ai_minutes / 60.0) : 0.0);
    std::printf("kills_per_ai_minute: %.3f\n", ai_minutes > 0 ? totals.kills / ai_minutes : 0.0);
    std::printf("own_fire_deaths_per_ai_minute: %.3f\n",
                ai_minutes > 0 ? totals.ownFireDeaths / ai_minutes : 0.0);
    std::printf("plan_ms_max: %.3f\n", AI::LongestPlanMs);
    std::printf("weakling_kills_of_idle_human_per_minute: %.3f\n", idle[0]);
    std::printf("moderate_kills_of_idle_human_per_minute: %.3f\n", idle[1]);
    std::printf("offensive_kills_of_idle_human_per_minute: %.3f\n", idle[2]);
    std::printf("wall_seconds: %.1f\n", seconds);
    return 0;
}
