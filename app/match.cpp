#include "app/match.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/autopilot.h"
#include "app/console_message.h"
#include "app/hud.h"
#include "app/pause.h"
#include "app/player.h"
#include "app/replay.h"
#include "arena/arena_loader.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/match_state.h"
#include "objects/minimap.h"
#include "objects/pickups.h"
#include "objects/shot.h"
#include "objects/vehicle.h"

namespace {

std::vector<ResultRow> g_last_results;
MatchEnd g_last_end = MatchEnd::ScoreLimit;
// The limits the last match started with, for the results screen.
int g_score_limit = 0;
int g_time_limit_seconds = 0;
// The running match, from its start to its teardown; the frame loop steps
// and draws it.
std::unique_ptr<Match> g_match;

}  // namespace

bool StartMatch(const MatchSetup& setup) {
    AppState& app = App();
    ConsoleMessage::Create("******************************************", kConsoleWhite);
    ConsoleMessage::Create("Crashmoor v0.2 ALPHA Debug Console", kConsoleGreen);
    ConsoleMessage::Create("******************************************", kConsoleWhite);

    // Every match starts running, whatever became of the last one.
    ResetPause();
    // The recording of the match starts before anything is drawn at random.
    ReplayMatchStarting(setup);
    // A fresh match: nothing of an earlier one (respawn points, drivers) is
    // ever reused.
    g_match.reset();
    g_match = std::make_unique<Match>();
    Match& match = *g_match;
    // A match ended with the console open must not start the next one with
    // the car keys dead.
    app.ConsoleOpen = 0;
    // Keys and buttons pressed in the menus (the console key among them) are
    // not for the match.
    in_flush_keys();
    in_flush_mouse();
    pad_flush();
    match.Autopilot = setup.Autopilot && !setup.Spectate;
    ResetAutopilot();
    if (!LoadArena(setup.Arena)) {
        g_match.reset();
        return false;
    }

    match.TheMinimap =
        Minimap::Create(gfx_width(), gfx_height(), static_cast<int>(match.WorldWidth),
                        static_cast<int>(match.WorldHeight), setup.MinimapHidden);
    match.HumanPlayer = setup.Spectate ? nullptr : Player::Make(setup.Vehicle, setup.Team);
    if (match.HumanPlayer && !setup.PlayerName.empty()) match.HumanPlayer->Name = setup.PlayerName;
    for (std::size_t slot = 0; slot < setup.AIStyle.size(); ++slot) {
        const int style = setup.AIStyle[slot];
        if (style >= 1 && style <= 3) AI::Make(style, setup.AITeam[slot]);
    }

    match.ScoreLimit = setup.ScoreLimit;
    // Minutes as typed can be any int: the seconds are held to an int.
    match.TimeLeft = static_cast<int>(
        std::clamp<std::int64_t>(std::int64_t{setup.TimeLimitMinutes} * 60, INT_MIN, INT_MAX));
    match.RespawnPenalty = setup.RespawnPenalty;
    match.GameType = setup.GameType;
    g_score_limit = match.ScoreLimit;
    g_time_limit_seconds = match.TimeLeft;
    // The match clock starts with the match, so that a limit of N minutes
    // lasts N minutes however long the menus were open.
    Timer::Reset();

    // Big Dog: one computer driver at random wears the crown; never the
    // human.
    if (match.GameType == 1) {
        const auto ais = AI::List.Items();
        if (!ais.empty()) {
            const int n = static_cast<int>(ais.size());
            const int k = std::clamp(static_cast<int>(rnd_float(1, n + 1)), 1, n);
            CrownBigDog(*ais[static_cast<std::size_t>(k - 1)]);
        }
    }
    return true;
}

std::vector<ResultRow> FillResults() {
    const Match& match = TheMatch();
    std::vector<ResultRow> rows;
    AI::List.Walk([&](AI& ai) {
        rows.push_back(ResultRow{ai.Name, ai.Points, ai.Deaths, ai.Points, ai.Team, false});
    });
    if (match.HumanPlayer) {
        const Player& p = *match.HumanPlayer;
        rows.push_back(ResultRow{p.Name, p.Points, p.Deaths, p.Points, p.Team, true});
    }
    // A complete sort (any number of drivers), stable for equal scores.
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ResultRow& a, const ResultRow& b) { return a.Points > b.Points; });
    return rows;
}

void EndMatchTeardown() {
    // Every object, driver, respawn point and the minimap go with the match.
    // Live mines, grenades and rockets go without going off: nothing of the
    // match is heard over its results.
    g_match.reset();
    // Pad presses of the match are not the menus'.
    pad_forget_presses();
}

bool MatchRunning() {
    return g_match != nullptr;
}

bool CheckMatchEnd() {
    AppState& app = App();
    const Match& match = TheMatch();
    bool ended = false;
    AI::List.Walk([&](AI& ai) {
        if (ai.Points >= match.ScoreLimit) ended = true;
    });
    if (!ended) {
        Player::List.Walk([&](Player& p) {
            if (p.Points >= match.ScoreLimit) ended = true;
        });
    }
    g_last_end = MatchEnd::ScoreLimit;
    if (!ended && match.TimeLeft <= 0) {
        ended = true;
        g_last_end = MatchEnd::TimeLimit;
    }
    if (!ended) return false;
    g_last_results = FillResults();
    ReplayMatchEnding();
    EndMatchTeardown();
    app.GameState = kStateMenus;
    return true;
}

const std::vector<ResultRow>& LastResults() {
    return g_last_results;
}

MatchEnd LastMatchEnd() {
    return g_last_end;
}

std::string WinnerText(const std::vector<ResultRow>& rows) {
    // Sides: a team (1..4) or a driver alone, with their points and the
    // row of their first driver.
    struct Side {
        int team = 0;
        int points = 0;
        int members = 0;
        std::size_t first = 0;
    };
    std::vector<Side> sides;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int team = rows[i].Team >= 1 && rows[i].Team <= 4 ? rows[i].Team : 0;
        auto side = std::find_if(sides.begin(), sides.end(),
                                 [&](const Side& s) { return team != 0 && s.team == team; });
        if (side == sides.end()) side = sides.insert(sides.end(), Side{team, 0, 0, i});
        side->points += rows[i].Points;
        ++side->members;
    }
    const Side* best = nullptr;
    bool tie = false;
    for (const Side& side : sides) {
        if (!best || side.points > best->points) {
            best = &side;
            tie = false;
        } else if (side.points == best->points) {
            tie = true;
        }
    }
    if (!best || tie) return "Draw";
    if (best->members > 1) return "Team " + str_from_int(best->team) + " wins!";
    return rows[best->first].Name + " wins!";
}

std::string EndReasonText() {
    if (g_last_end == MatchEnd::TimeLimit) {
        return "Time limit of " + ClockText(g_time_limit_seconds) + " reached";
    }
    return "Score limit of " + str_from_int(g_score_limit) + " reached";
}

std::vector<std::string> ResultLines(const std::vector<ResultRow>& rows) {
    std::vector<std::string> lines;
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%-24s %6s %6s %6s", "Contestant", "Kills", "Deaths",
                  "Points");
    lines.emplace_back(buffer);
    for (const ResultRow& r : rows) {
        std::snprintf(buffer, sizeof buffer, "%-24s %6d %6d %6d", r.Name.c_str(), r.Kills, r.Deaths,
                      r.Points);
        lines.emplace_back(buffer);
    }
    return lines;
}
