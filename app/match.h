#pragma once
// A match from start to end: the setup record the command line (and later
// the menus) fill, the start sequence, the end test run first in every
// match frame, the results and the teardown.

#include <array>
#include <string>
#include <vector>

/// The largest score limit, time limit (minutes) and respawn penalty
/// (frames) a match is started with, from the command line or the menus.
constexpr int kMatchLimitMax = 1000000;

/// Everything a match is started with.
struct MatchSetup {
    std::string Arena;    ///< file name in "Arenas/", extension included
    int Vehicle = 1;      ///< 1 Jeep, 2 Car, 3 SportsCar, 4 ConceptCar, 5 SemiTruck
    int Team = 5;         ///< 1..4, 5 for none
    int GameType = 0;     ///< 0 Deathmatch, 1 Big Dog
    int ScoreLimit = 10;  ///< points that end the match
    int TimeLimitMinutes = 10;
    int RespawnPenalty = 250;  ///< frames the human waits after dying
    int MinimapHidden = 0;     ///< 1: the "Disable Minimap" box is ticked
    /// The five computer slots in order: 1 Weakling, 2 Moderate,
    /// 3 Offensive, 0 empty ("No AI").
    std::array<int, 5> AIStyle{};
    /// Their teams: 1..4, 5 for none.
    std::array<int, 5> AITeam{5, 5, 5, 5, 5};
    /// No human driver: the view follows a computer driver (a spectator
    /// match, for watching and for measuring the computer drivers).
    bool Spectate = false;
    /// The human car is driven by the autopilot (the demo match).
    bool Autopilot = false;
    /// The human driver's name; empty: the name in the configuration.
    std::string PlayerName;
};

/// One row of the results, in table order.
struct ResultRow {
    std::string Name;
    int Kills = 0;
    int Deaths = 0;
    int Points = 0;
    int Team = 0;        ///< 1..4, 0 for none
    bool Human = false;  ///< the player's own row
};

/// Why a match ended.
enum class MatchEnd { ScoreLimit, TimeLimit };

/// The headline of the results: "NAME wins!", "Team N wins!" or "Draw".
/// Drivers of one team (1..4) score together; a driver without a team is a
/// side alone. The side with the most points wins; a tie at the top is a
/// draw. A team of one is named by its driver.
std::string WinnerText(const std::vector<ResultRow>& rows);
/// Why the last match ended, for the results screen: "Score limit of N
/// reached" or "Time limit of m:ss reached".
std::string EndReasonText();

/// Loads the arena and makes the minimap, the human driver, the computer
/// drivers of the filled slots and the match parameters, and picks the Big
/// Dog. Every match starts with no respawn points and no drivers of an
/// earlier one, and with the console closed. False (with a red console
/// line) when the arena could not be loaded: the match must not start then.
bool StartMatch(const MatchSetup& setup);

/// The end test of a match frame: a driver at the score limit or the time
/// up ends the match (results kept for `LastResults`, objects torn down,
/// back to the menus). True when it ended the match.
bool CheckMatchEnd();

/// Every driver of the match, highest points first; equal scores keep their
/// order (computer drivers in list order, the human last).
std::vector<ResultRow> FillResults();

/// Ends the running match: its `Match` is destroyed, and with it every
/// object, driver, respawn point and the minimap (nothing goes off).
void EndMatchTeardown();
/// Whether a match has started and not yet been torn down.
bool MatchRunning();

/// The results of the last match that ended.
const std::vector<ResultRow>& LastResults();
/// Why the last match that ended did so.
MatchEnd LastMatchEnd();

/// The results as text lines, "Contestant  Kills  Deaths  Points" first.
std::vector<std::string> ResultLines(const std::vector<ResultRow>& rows);
