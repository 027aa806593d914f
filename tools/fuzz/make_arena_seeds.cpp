// make_arena_seeds DIR: writes the arena fuzz target's seeds: the shipped
// arena files, made by the same layouts and text writer as the game's data,
// and variants of them in the other forms the reader accepts (line ends,
// number forms, a file cut short, counts beyond the file, a missing map).

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "tools/datagen/arena_layout.h"

namespace {

bool Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(f);
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The head of an arena file on the map "x", then the values one a line.
std::string Arena(const std::vector<std::string>& values) {
    std::string text = "t\na\ns\nd\nc\nx\n";
    for (const std::string& v : values) text += v + "\n";
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: make_arena_seeds DIR\n");
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    std::filesystem::create_directories(dir);
    bool ok = true;
    const std::vector<datagen::ArenaLayout> layouts = datagen::ShippedArenas();
    for (const datagen::ArenaLayout& layout : layouts) {
        const std::string text = datagen::ArenaText(layout);
        ok = Write(dir / (layout.name + ".arn"), text) && ok;
        ok = Write(dir / (layout.name + "-crlf.arn"), Replace(text, "\n", "\r\n")) && ok;
        ok = Write(dir / (layout.name + "-cut.arn"), text.substr(0, text.size() * 2 / 3)) && ok;
    }
    ok = Write(dir / "zero.arn", Arena({"0", "0", "0", "0", "0"})) && ok;
    ok = Write(dir / "forms.arn", Arena({"$1", "%10", "-$3", "+2", "$1F", "1", " 3", "4x", "%1",
                                         "$2", "0", "1", "$a", "%11", "?", "1", "1", "2", ""})) &&
         ok;
    ok = Write(dir / "huge.arn", Arena({"2147483647", "1", "1", "1", "1", "$7FFFFFFF", "1"})) && ok;
    ok = Write(dir / "far.arn", Arena({"1", "2147483647", "-2147483648", "-1", "99999999999", "1",
                                       "-2147483648", "2147483647", "0", "0", "0"})) &&
         ok;
    ok = Write(dir / "head.arn", "only\nfive\nlines\nof\ntext\n") && ok;
    ok = Write(dir / "nomap.arn", Replace(Arena({"0", "0", "0", "0", "0"}), "\nx\n", "\nnone\n")) &&
         ok;
    return ok && !layouts.empty() ? 0 : 1;
}
