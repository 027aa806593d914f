// Writes the seed corpus of the configuration fuzz target into the folder
// named on the command line: one small file for each shape a config.cfg takes
// in practice or after a hand edit.
//
// usage: make_config_seeds FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using namespace std::string_literals;

const std::string kFresh =
    "Screen Format = 0\r\nSound Volume = 5\r\nMusic Volume = 10\r\nGraphics Quality = 3\r\n";

std::string full_file(const std::string& line_end) {
    std::string text;
    const char* const lines[] = {
        "Screen Format = 1",
        "Sound Volume = 7",
        "Music Volume = 4",
        "Graphics Quality = 2",
        "Player Name = Crashmoor Newbie",
        "AI1Default = 2",
        "AI2Default = 3",
        "AI3Default = 1",
        "AI4Default = 0",
        "AI5Default = -1",
        "AI1TeamDefault = 1",
        "AI2TeamDefault = 2",
        "AI3TeamDefault = 1",
        "AI4TeamDefault = 2",
        "AI5TeamDefault = -1",
        "MatchTypeDefault = 2",
        "MapDefault = 3",
        "PlayerVehicleDefault = 4",
        "PlayerTeamDefault = 1",
    };
    for (const char* line : lines) text += std::string(line) + line_end;
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    const std::vector<std::pair<std::string, std::string>> seeds = {
        {"fresh.cfg", kFresh},
        {"full-crlf.cfg", full_file("\r\n")},
        {"full-lf.cfg", full_file("\n")},
        {"no-final-line-end.cfg", kFresh + "Player Name = Ann"},
        {"final-carriage-return.cfg", kFresh + "Player Name = Ann\r"},
        {"prefix-keys.cfg", "Player Names = Alice\r\nPlayer Name = Bob\r\nplayer name = carol\r\n"},
        {"no-spaces.cfg",
         "Sound Volume=7\r\nMusic Volume\r\nGraphics Quality = \r\nScreen Format =\r\n"},
        {"duplicate-keys.cfg", "MapDefault = 1\r\nSound Volume = 3\r\nMapDefault = 4\r\n"},
        {"binary.cfg", "Sound Volume = \0\xff\xfe\r\n\xc3\x28\rMapDefault = \x80\r\r\n\0"s},
        {"blank-lines.cfg", "\r\n\n\r\r\nMusic Volume = 9\n\n"},
        {"empty.cfg", ""},
    };
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (const auto& [name, bytes] : seeds) {
        std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush()) {
            std::fprintf(stderr, "make_config_seeds: cannot write %s\n", (folder / name).c_str());
            return 1;
        }
    }
    return 0;
}
