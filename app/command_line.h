#pragma once
// The program's command line.

#include <string>
#include <vector>

#include "app/match.h"
#include "engine/engine.h"

struct CommandLine {
    bool windowed = false;
    std::string data_dir;    ///< empty: the data folder next to the binary
    std::string user_dir;    ///< empty: the player's XDG folders
    long long frames = -1;   ///< quit after this many frames (-1: never)
    std::string screenshot;  ///< save the last frame here (PNG)
    bool has_seed = false;
    long long seed = 0;
    double fixed_dt = 0.0;  ///< > 0: fixed frame time and virtual clock
    bool no_video = false;
    bool uncapped = false;
    bool stats = false;
    std::string record;  ///< write the first match's replay here
    std::string replay;  ///< play this replay instead of a match
    bool help = false;
    /// --match NAME.arn: start that match at once (the other match options
    /// fill the rest of the setup).
    bool quick_match = false;
    MatchSetup match;
    /// --demo: a match of five computer drivers of mixed difficulty, the
    /// human car driven by the autopilot.
    bool demo = false;
    std::string error;  ///< set when the arguments are invalid
};

/// The arena of a demo without --match.
inline constexpr const char* kDemoArena = "metro.arn";

/// Parses the arguments (without the program name).
CommandLine ParseCommandLine(const std::vector<std::string>& args);
/// The engine options the command line asks for.
EngineOptions EngineOptionsFor(const CommandLine& cl);
/// The text of --help.
std::string CommandLineHelp();
