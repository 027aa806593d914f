// match_audit [--minutes M] [--seeds N] [--game-type T] [--data DIR]
// Plays long spectated matches of five computer drivers on every shipped
// arena (N seeds each) through the game's own match start, frame loop, end
// test and teardown, without video, on a fixed frame time, and prints one
// `name: value` line per match: the frame of the last change of points (a
// Big Dog match that loses its title stops scoring for good), the changes
// of Big Dog, and the sparks that went off at the arena's top-left corner
// (where the shots of a gun that is not yet on its car go off).

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/game.h"
#include "app/match.h"
#include "engine/random.h"
#include "objects/effects.h"
#include "tools/league/headless_game.h"

namespace {

// A bullet fired from (0, 0) starts two steps out and goes off when its
// first step ends out of the arena or in the corner's wall: three
// machine-gun steps from the origin, in any direction.
constexpr float kCornerReach = 76;

struct Options {
    int minutes = 10;
    int seeds = 3;
    int gameType = 1;
    std::string data = CRASHMOOR_DATA_DIR;
};

struct Audit {
    long long frames = 0;
    long long lastPointsChange = -1;
    int titleChanges = 0;
    long long framesWithoutTitle = 0;
    int deaths = 0;
    int cornerSparks = 0;
};

Audit PlayMatch(const std::string& arena, const Options& o) {
    MatchSetup setup;
    setup.Arena = arena;
    setup.Spectate = true;
    setup.GameType = o.gameType;
    setup.AIStyle = {1, 2, 3, 2, 3};
    setup.ScoreLimit = kMatchLimitMax;  // the clock ends every match
    setup.TimeLimitMinutes = o.minutes;
    if (!StartMatch(setup)) {
        std::fprintf(stderr, "match_audit: %s did not start\n", arena.c_str());
        std::exit(1);
    }
    App().GameState = kStateMatch;

    Audit audit;
    std::vector<int> points;
    const ControlObject* holder = nullptr;
    // Last frame's sparks, held so that a new one cannot take an old one's
    // address.
    std::set<std::shared_ptr<Explosion>> seen;
    while (App().GameState == kStateMatch) {
        RunFrame();
        if (App().GameState != kStateMatch) break;
        ++audit.frames;
        std::vector<int> now;
        const ControlObject* dog = nullptr;
        for (const auto& driver : TheMatch().DriverList) {
            now.push_back(driver->Points);
            if (driver->iAmBigDog == 1) dog = driver.get();
        }
        if (!points.empty() && now != points) audit.lastPointsChange = audit.frames;
        points = now;
        if (dog != holder && audit.frames > 1) ++audit.titleChanges;
        if (!dog) ++audit.framesWithoutTitle;
        holder = dog;

        std::set<std::shared_ptr<Explosion>> live;
        for (const auto& e : Explosion::List.Items()) {
            if (e->Size != 0) continue;
            if (!seen.count(e) && std::hypot(e->X, e->Y) <= kCornerReach) ++audit.cornerSparks;
            live.insert(e);
        }
        seen.swap(live);
    }
    for (const ResultRow& row : LastResults()) audit.deaths += row.Deaths;
    return audit;
}

bool ParseArgs(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (i + 1 >= argc) return false;
        const char* v = argv[++i];
        if (a == "--minutes") {
            o.minutes = std::atoi(v);
        } else if (a == "--seeds") {
            o.seeds = std::atoi(v);
        } else if (a == "--game-type") {
            o.gameType = std::atoi(v);
        } else if (a == "--data") {
            o.data = v;
        } else {
            return false;
        }
    }
    return o.minutes > 0 && o.seeds > 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseArgs(argc, argv, o)) {
        std::fprintf(stderr,
                     "usage: match_audit [--minutes M] [--seeds N] [--game-type T] [--data DIR]\n");
        return 2;
    }
    HeadlessGame game("match_audit", o.data, StartOptions{});
    if (!game.ok()) return 1;
    long long sparks = 0;
    int matches = 0;
    for (int seed = 1; seed <= o.seeds; ++seed) {
        for (const std::string& arena : game.arenas) {
            // Small seeds start the generator in nearly the same state.
            rnd_seed(seed * 2654435761LL);
            const Audit a = PlayMatch(arena, o);
            std::printf(
                "%s seed %d: frames %lld, last_points_change_frame %lld, big_dog_changes %d, "
                "frames_without_big_dog %lld, deaths %d, corner_sparks %d\n",
                arena.c_str(), seed, a.frames, a.lastPointsChange, a.titleChanges,
                a.framesWithoutTitle, a.deaths, a.cornerSparks);
            std::fflush(stdout);
            sparks += a.cornerSparks;
            ++matches;
        }
    }
    std::printf("matches: %d\n", matches);
    std::printf("corner_sparks_per_match: %.2f\n", matches > 0 ? double(sparks) / matches : 0.0);
    return 0;
}
