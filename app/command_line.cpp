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

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
    CommandLine cl;
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
        } else {
            cl.error = "unknown option " + a;
            break;
        }
    }
    return cl;
}

std::string CommandLineHelp() {
    return "Usage: crashmoor [options]\n"
           "\n"
           "  --windowed          a 1024 x 768 window instead of full screen (Alt+Enter toggles)\n"
           "  --data DIR          data folder, the working folder of the game\n"
           "                      (default: the data folder next to the program)\n"
           "  --frames N          quit after N frames\n"
           "  --screenshot FILE   save the last frame as a PNG picture\n"
           "  --seed N            fixed random seed instead of the millisecond clock\n"
           "  --fixed-dt SECONDS  fixed frame time on a virtual clock, without sound or\n"
           "                      frame limiter: the same seed gives the same game\n"
           "  --no-video          no window and no drawing (simulation only)\n"
           "  --uncapped          no frame limiter and no vertical sync (for measuring)\n"
           "  --stats             print frame-time and memory figures at exit\n"
           "  --help              this text\n";
}
