#include "app/command_line.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

bool parse_integer(const std::string& text, long long* out) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    const long long v = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0') return false;
    *out = v;
    return true;
}

bool parse_seconds(const std::string& text, double* out) {
    if (text.empty()) return false;
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (*end != '\0' || !std::isfinite(v) || v <= 0.0 || v > 1.0) return false;
    *out = v;
    return true;
}

// STYLE[:TEAM] of --ai: weakling|moderate|offensive or 1-3, team 1-5.
bool parse_ai(const std::string& text, int* style, int* team) {
    const std::size_t colon = text.find(':');
    const std::string name = text.substr(0, colon);
    if (name == "weakling" || name == "1") {
        *style = 1;
    } else if (name == "moderate" || name == "2") {
        *style = 2;
    } else if (name == "offensive" || name == "3") {
        *style = 3;
    } else {
        return false;
    }
    *team = 5;
    if (colon == std::string::npos) return true;
    long long t = 0;
    if (!parse_integer(text.substr(colon + 1), &t) || t < 1 || t > 5) return false;
    *team = static_cast<int>(t);
    return true;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
    int ai_count = 0;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string* out) {
            if (i + 1 >= args.size()) {
                cl.error = a + " needs a value";
                return false;
            }
            *out = args[++i];
            return true;
        };
        std::string v;
        if (a == "--windowed") {
            cl.windowed = true;
        } else if (a == "--no-video") {
            cl.no_video = true;
        } else if (a == "--uncapped") {
            cl.uncapped = true;
        } else if (a == "--stats") {
            cl.stats = true;
        } else if (a == "--help" || a == "-h") {
            cl.help = true;
        } else if (a == "--data") {
            if (!value(&cl.data_dir)) break;
        } else if (a == "--user-dir") {
            if (!value(&cl.user_dir)) break;
        } else if (a == "--screenshot") {
            if (!value(&cl.screenshot)) break;
        } else if (a == "--frames") {
            if (!value(&v)) break;
            if (!parse_integer(v, &cl.frames) || cl.frames < 1) {
                cl.error = "--frames needs a whole number of at least 1";
                break;
            }
        } else if (a == "--seed") {
            if (!value(&v)) break;
            if (!parse_integer(v, &cl.seed)) {
                cl.error = "--seed needs a whole number";
                break;
            }
            cl.has_seed = true;
        } else if (a == "--fixed-dt") {
            if (!value(&v)) break;
            if (!parse_seconds(v, &cl.fixed_dt)) {
                cl.error = "--fixed-dt needs seconds above 0 and at most 1 (for example 0.0166667)";
                break;
            }
        } else if (a == "--match") {
            if (!value(&cl.match.Arena)) break;
            cl.quick_match = true;
        } else if (a == "--vehicle" || a == "--team" || a == "--score-limit" ||
                   a == "--time-limit" || a == "--respawn-penalty") {
            if (!value(&v)) break;
            long long n = 0;
            const bool whole = parse_integer(v, &n);
            if (a == "--vehicle") {
                if (!whole || n < 1 || n > 5) {
                    cl.error =
                        "--vehicle needs 1 (Jeep), 2 (Car), 3 (SportsCar), 4 (ConceptCar) "
                        "or 5 (SemiTruck)";
                    break;
                }
                cl.match.Vehicle = static_cast<int>(n);
            } else if (a == "--team") {
                if (!whole || n < 1 || n > 5) {
                    cl.error = "--team needs 1 to 4, or 5 for no team";
                    break;
                }
                cl.match.Team = static_cast<int>(n);
            } else {
                if (!whole || n < 0 || n > kMatchLimitMax) {
                    cl.error =
                        a + " needs a whole number from 0 to " + std::to_string(kMatchLimitMax);
                    break;
                }
                if (a == "--score-limit") cl.match.ScoreLimit = static_cast<int>(n);
                if (a == "--time-limit") cl.match.TimeLimitMinutes = static_cast<int>(n);
                if (a == "--respawn-penalty") cl.match.RespawnPenalty = static_cast<int>(n);
            }
        } else if (a == "--game-type") {
            if (!value(&v)) break;
            if (v == "deathmatch") {
                cl.match.GameType = 0;
            } else if (v == "bigdog") {
                cl.match.GameType = 1;
            } else {
                cl.error = "--game-type needs deathmatch or bigdog";
                break;
            }
        } else if (a == "--no-minimap") {
            cl.match.MinimapHidden = 1;
        } else if (a == "--ai") {
            if (!value(&v)) break;
            if (ai_count >= static_cast<int>(cl.match.AIStyle.size())) {
                cl.error = "--ai can be given at most five times";
                break;
            }
            int style = 0, team = 5;
            if (!parse_ai(v, &style, &team)) {
                cl.error =
                    "--ai needs weakling, moderate or offensive (or 1 to 3), "
                    "optionally followed by :TEAM with TEAM 1 to 5";
                break;
            }
            cl.match.AIStyle[static_cast<std::size_t>(ai_count)] = style;
            cl.match.AITeam[static_cast<std::size_t>(ai_count)] = team;
            ++ai_count;
        } else if (a == "--spectate") {
            cl.match.Spectate = true;
        } else if (a == "--demo") {
            cl.demo = true;
        } else if (a == "--record") {
            if (!value(&cl.record)) break;
        } else if (a == "--replay") {
            if (!value(&cl.replay)) break;
        } else {
            cl.error = "unknown option " + a;
            break;
        }
    }
    if (cl.error.empty() && !cl.replay.empty() &&
        (cl.quick_match || cl.demo || ai_count > 0 || !cl.record.empty())) {
        cl.error = "--replay plays the recorded match alone: it takes no match options";
        return cl;
    }
    if (cl.error.empty() && cl.demo) {
        // Five computer drivers of mixed difficulty; the arena stays the
        // one given, or the demo's own.
        cl.match.AIStyle = {3, 2, 1, 3, 2};
        cl.match.AITeam = {5, 5, 5, 5, 5};
        cl.match.Spectate = false;
        cl.match.Autopilot = true;
        if (cl.match.Arena.empty()) cl.match.Arena = kDemoArena;
        cl.quick_match = true;
    } else if (cl.error.empty() && !cl.quick_match && (ai_count > 0 || cl.match.Spectate)) {
        cl.error = (ai_count > 0 ? std::string("--ai") : std::string("--spectate")) +
                   " belongs to a quick match: add --match NAME.arn";
    } else if (cl.error.empty() && cl.match.Spectate && ai_count == 0) {
        cl.error = "--spectate needs at least one --ai driver to watch";
    }
    return cl;
}

EngineOptions EngineOptionsFor(const CommandLine& cl) {
    EngineOptions options;
    options.video = !cl.no_video;
    options.windowed = cl.windowed;
    options.uncapped = cl.uncapped;
    options.fixed_dt = cl.fixed_dt;
    return options;
}

std::string CommandLineHelp() {
    return "Usage: crashmoor [options]\n"
           "\n"
           "  --windowed          a 1024 x 768 window instead of full screen (Alt+Enter toggles)\n"
           "  --data DIR          data folder, the working folder of the game, never\n"
           "                      written (default: \"data\" next to the program, else\n"
           "                      ../share/crashmoor from it)\n"
           "  --user-dir DIR      keep the settings, the log, saved replays and your\n"
           "                      own arenas in DIR (default: the XDG folders,\n"
           "                      ~/.config/crashmoor, ~/.local/state/crashmoor and\n"
           "                      ~/.local/share/crashmoor)\n"
           "  --frames N          quit after N frames\n"
           "  --screenshot FILE   save the last frame as a PNG picture\n"
           "  --seed N            fixed random seed instead of the millisecond clock\n"
           "  --fixed-dt SECONDS  fixed frame time on a virtual clock, without sound or\n"
           "                      frame limiter: the same seed gives the same game\n"
           "  --no-video          no window and no drawing (simulation only)\n"
           "  --uncapped          no frame limiter and no vertical sync (for measuring)\n"
           "  --stats             print frame-time and memory figures at exit\n"
           "  --help              this text\n"
           "\n"
           "Quick match (straight into a match; the menus follow its results):\n"
           "  --match NAME.arn        the arena file in Arenas/\n"
           "  --vehicle 1-5           1 Jeep, 2 Car, 3 SportsCar, 4 ConceptCar, 5 SemiTruck\n"
           "                          (default 1)\n"
           "  --team 1-5              your team, 5 for none (default 5)\n"
           "  --game-type TYPE        deathmatch (default) or bigdog\n"
           "  --score-limit N         points that end the match (default 10)\n"
           "  --time-limit MINUTES    minutes until the match ends (default 10)\n"
           "  --respawn-penalty N     frames you wait after your car is destroyed\n"
           "                          (default 250)\n"
           "  --no-minimap            hide the minimap\n"
           "  --ai STYLE[:TEAM]       a computer driver: weakling, moderate or offensive\n"
           "                          (or 1-3), on team 1-4 or 5 for none (default 5);\n"
           "                          up to five times\n"
           "  --spectate              no human driver: watch the computer drivers\n"
           "\n"
           "Demo (five computer drivers, your car on autopilot):\n"
           "  --demo [--match NAME.arn]  (default arena: metro.arn)\n"
           "\n"
           "Replays:\n"
           "  --record FILE       write the replay of the run's first match to FILE\n"
           "  --replay FILE       play a recorded match (with --no-video: to its end,\n"
           "                      headless); both print the match's state_hash\n";
}
