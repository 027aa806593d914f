// Fuzz target of the arena loader. Each input becomes the arena file
// "Arenas/x.arn" in a private folder that also holds a small valid map under
// the name of every shipped arena and under "x", so that inputs grown from
// the shipped arena files find their map and reach the lists. The engine runs
// in its no-video mode (the pickups' images are absent and load as Null).
//
// After each load the result is checked against what the file can give:
// a failed load makes nothing, a good one makes a world of the map's size
// with four walls per box plus the border, and never more items than the
// file has lines. A broken check aborts, which libFuzzer reports like a
// crash. The replay test links this same entry point.

#include <fcntl.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/console_message.h"
#include "arena/arena_loader.h"
#include "arena/fmp_writer.h"
#include "engine/engine.h"
#include "engine/log.h"
#include "objects/game_object.h"
#include "objects/pickups.h"
#include "spritebehaviors/world.h"
#include "tools/datagen/arena_layout.h"

namespace {

namespace fs = std::filesystem;

constexpr int kMapColumns = 24, kMapRows = 16, kBlock = 64;

void require(bool condition, const char* what) {
    if (condition) return;
    std::fprintf(stderr, "arena_fuzz: %s\n", what);
    std::abort();
}

Engine& FuzzEngine() {
    static Engine engine([] {
        EngineOptions options;
        options.video = false;
        options.audio = false;
        return options;
    }());
    return engine;
}

// A small map with a solid edge, as the shipped ones have.
std::string MapBytes() {
    FmpMapData map;
    map.width = kMapColumns;
    map.height = kMapRows;
    map.block_width = map.block_height = kBlock;
    map.blocks.resize(2);
    map.blocks[1].gfx0 = 1;
    map.blocks[1].bit0 = 1;
    map.graphics.assign(2, std::vector<std::uint32_t>(kBlock * kBlock, 0xFF807060u));
    map.graphics[1].assign(kBlock * kBlock, 0xFF303030u);
    std::vector<int> cells(static_cast<std::size_t>(kMapColumns * kMapRows), 0);
    for (int r = 0; r < kMapRows; ++r)
        for (int c = 0; c < kMapColumns; ++c)
            if (r == 0 || c == 0 || r == kMapRows - 1 || c == kMapColumns - 1)
                cells[static_cast<std::size_t>(r * kMapColumns + c)] = 1;
    map.planes.push_back(std::move(cells));
    return WriteFmp(map, FmpWriteOptions{});
}

bool WriteBytes(const fs::path& path, const void* data, std::size_t size) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Where the private folder goes: $TMPDIR when set, else the memory file
// system when there is one, since every input is written to a file.
fs::path TempRoot() {
    std::error_code ec;
    if (!std::getenv("TMPDIR") && fs::is_directory("/dev/shm", ec)) return "/dev/shm";
    return fs::temp_directory_path(ec);
}

// The private folder with "Arenas/" and its maps: made on first use and
// removed with everything in it when the process exits.
class WorkDir {
public:
    WorkDir() {
        path_ = (TempRoot() / "crashmoor-arena-fuzz-XXXXXX").string();
        require(::mkdtemp(path_.data()) != nullptr, "cannot make a temporary folder");
        const fs::path arenas = fs::path(path_) / "Arenas";
        fs::create_directory(arenas);
        const std::string map = MapBytes();
        std::vector<std::string> names = {"x"};
        for (const datagen::ArenaLayout& layout : datagen::ShippedArenas())
            names.push_back(layout.name);
        for (const std::string& name : names)
            require(WriteBytes(arenas / (name + ".FMP"), map.data(), map.size()),
                    "cannot write a map");
    }
    ~WorkDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    WorkDir(const WorkDir&) = delete;
    WorkDir& operator=(const WorkDir&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// The loader works in the current folder, so each input runs inside the
// private folder. The caller's folder is restored afterwards, because
// libFuzzer reads its corpus and writes crash files by the paths it was
// given, which may be relative.
class InWorkDir {
public:
    InWorkDir() {
        static const WorkDir dir;
        require(::chdir(dir.path().c_str()) == 0, "cannot enter the private folder");
    }
    ~InWorkDir() {
        if (previous_ < 0) return;
        if (::fchdir(previous_) != 0)
            std::fprintf(stderr, "arena_fuzz: cannot return to the caller's folder\n");
        ::close(previous_);
    }
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;

private:
    int previous_ = ::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
};

// The loader prints the secondary pickups to standard output; while it runs
// that output goes nowhere, so that a long run does not fill the terminal.
class QuietStdout {
public:
    QuietStdout() {
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (null >= 0) {
            ::dup2(null, STDOUT_FILENO);
            ::close(null);
        }
    }
    ~QuietStdout() {
        std::fflush(stdout);
        if (saved_ < 0) return;
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved_ = -1;
};

bool Near(double a, double b) {
    return std::fabs(a - b) < 1e-6;
}

void CheckLoaded(std::size_t lines) {
    const Match& match = TheMatch();
    const TileMap& map = *match.TheMap;
    require(map.ErrorCode == 0 && map.MapWidth == kMapColumns && map.MapHeight == kMapRows &&
                map.BlockWidth == kBlock,
            "a loaded arena has another map");
    require(match.WorldWidth == kMapColumns * kBlock && match.WorldHeight == kMapRows * kBlock,
            "world size differs from the map's");
    require(match.TheWorld != nullptr, "no world after a load");
    const GameWorld& world = *match.TheWorld;
    require(!world.ShowWalls(), "the new world shows its walls");
    require(world.CxClient() == kMapColumns * kBlock && world.CyClient() == kMapRows * kBlock,
            "world made with another size");
    const std::vector<WallRef>& walls = world.Walls();
    require(walls.size() >= 4 && walls.size() % 4 == 0, "walls are not whole boxes and a border");
    const std::size_t boxes = walls.size() / 4 - 1;
    for (std::size_t i = 0; i < walls.size(); ++i) {
        const Wall& w = *walls[i];
        const bool unit_border = i == walls.size() - 4 || i == walls.size() - 2;
        require(Near(w.Normal().Length(), unit_border ? 1.0 : 3.0),
                "wall normal of a wrong length");
        require(Near(w.Offset().x, match.ScrollX) && Near(w.Offset().y, match.ScrollY),
                "wall without the view offset");
        require(std::isfinite(w.From().x) && std::isfinite(w.From().y) && std::isfinite(w.To().x) &&
                    std::isfinite(w.To().y),
                "wall end is not a number");
    }
    const Wall& top = *walls[walls.size() - 4];
    require(
        Near(top.From().x, 10) && Near(top.From().y, 10) && Near(top.To().x, kMapColumns * kBlock),
        "border top wall misplaced");
    // Every item starts on a line of its own, after the six lines of the
    // head.
    const std::size_t items = boxes + static_cast<std::size_t>(HealthPickUp::List.Count()) +
                              static_cast<std::size_t>(WeaponPickUp::List.Count()) +
                              static_cast<std::size_t>(SecondaryPickUp::List.Count()) +
                              static_cast<std::size_t>(RespawnPoint::List.Count());
    require(items + 6 <= lines, "more items than lines in the file");
}

void CheckFailed() {
    const Match& match = TheMatch();
    require(match.TheWorld == nullptr, "a failed load made a world");
    require(match.WorldWidth == 0 && match.WorldHeight == 0, "a failed load set the world size");
    require(HealthPickUp::List.Empty() && WeaponPickUp::List.Empty() &&
                SecondaryPickUp::List.Empty() && RespawnPoint::List.Empty(),
            "a failed load made objects");
    require(ConsoleMessage::List && !ConsoleMessage::List->empty() &&
                ConsoleMessage::List->back()->Color == kConsoleRed,
            "a failed load left no red console line");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (!FuzzEngine().ok()) return 0;
    const InWorkDir in_work_dir;
    if (!WriteBytes("Arenas/x.arn", data, size)) return 0;
    log_set_sink([](const std::string&, int) {});  // the map reader's console lines

    // A fresh match per input; its objects and the map's block images end
    // with it, not after the engine at exit.
    Match match;
    match.ScrollX = size > 0 ? data[0] - 128 : 0;  // any view offset the match may have
    match.ScrollY = size > 1 ? data[1] : 0;
    ConsoleMessage::Reset();

    bool loaded = false;
    {
        const QuietStdout quiet;
        loaded = LoadArena("x.arn");
    }
    std::size_t lines = 1;
    for (std::size_t i = 0; i < size; ++i) lines += data[i] == '\n' ? 1 : 0;
    if (loaded)
        CheckLoaded(lines);
    else
        CheckFailed();

    ConsoleMessage::Reset();
    log_set_sink(nullptr);
    return 0;
}
