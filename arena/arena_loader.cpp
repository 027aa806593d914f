#include "arena/arena_loader.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

#include "app/app_state.h"
#include "app/console_message.h"
#include "arena/tile_map.h"
#include "engine/filesystem.h"
#include "engine/log.h"
#include "engine/stream.h"
#include "objects/game_object.h"
#include "objects/pickups.h"
#include "spritebehaviors/vector2d.h"
#include "spritebehaviors/world.h"

namespace {

const std::string kArenaFolder = "Arenas/";
// The player's own arenas ("" for none), with a "/" at its end.
std::string g_player_folder;
constexpr int kMapLayers = 2;          // layer planes 0 to 2
constexpr int kFreeTextLines = 5;      // the lines before the map name
constexpr double kNormalLength = 3.0;  // strength of the push away from a wall
constexpr int kBorderInset = 10;       // border walls sit this far inside the edges
constexpr int kBottomInset = 20;       // ... the bottom one this far

void ReportFailure(const std::string& text) {
    ConsoleMessage::Create(TimeStamped(text), kConsoleRed);
}

// The arena file, one value a line. Past the end every line is empty text
// and so reads as 0.
class ArenaReader {
public:
    explicit ArenaReader(StreamHandle file) : file_(std::move(file)) {}

    std::string Line() { return stream_read_line(file_); }
    int Int() { return ParseArenaInt(Line()); }
    bool AtEnd() const { return stream_eof(file_) != 0; }
    void Close() { stream_close(file_); }

    /// Calls `item` `count` times, but no more once the file is used up: an
    /// item starts only while its first line exists, so a huge count in a
    /// short file ends with the file.
    template <typename Item>
    void Items(int count, Item&& item) {
        for (int i = 0; i < count && !AtEnd(); ++i) item();
    }

private:
    StreamHandle file_;
};

// Tile coordinates are taken from the file as they are; their products with
// the block size are formed in 64 bits so that no value overflows.
std::int64_t Pixels(std::int64_t tiles, int block) {
    return tiles * block;
}

// Pickups are made at int positions: far-off ones stay as far off as an int
// allows instead of wrapping round.
int ClampToInt(std::int64_t value) {
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

// A wall from (x1, y1) to (x2, y2); `normal` replaces the one the wall
// computes. It takes the view offset current now.
void AddWall(GameWorld& world, double x1, double y1, double x2, double y2,
             std::optional<Vector2D> normal) {
    const Match& match = TheMatch();
    WallRef wall = Wall::Create(x1, y1, x2, y2);
    if (normal) wall->SetNormal(*normal);
    wall->SetOffset(match.ScrollX, match.ScrollY);
    world.AddWall(std::move(wall));
}

// The four sides of a box, each with its normal pointing out of the box.
void AddBoxWalls(GameWorld& world, ArenaReader& in, int block) {
    const int c1 = in.Int(), r1 = in.Int(), c2 = in.Int(), r2 = in.Int();
    const auto x1 = static_cast<double>(Pixels(c1, block));
    const auto y1 = static_cast<double>(Pixels(r1, block));
    const auto x2 = static_cast<double>(Pixels(std::int64_t{c2} + 1, block));
    const auto y2 = static_cast<double>(Pixels(std::int64_t{r2} + 1, block));
    AddWall(world, x1, y1, x2, y1, Vector2D::Polar(kNormalLength, 90));   // top, up
    AddWall(world, x1, y2, x2, y2, Vector2D::Polar(kNormalLength, 270));  // bottom, down
    AddWall(world, x1, y1, x1, y2, Vector2D::Polar(kNormalLength, 180));  // left
    AddWall(world, x2, y1, x2, y2, Vector2D::Polar(kNormalLength, 0));    // right
}

// The lower-right corner of the tile at the column and row read next.
std::pair<int, int> ReadCorner(ArenaReader& in, int block) {
    const int column = in.Int(), row = in.Int();
    return {ClampToInt(Pixels(std::int64_t{column} + 1, block)),
            ClampToInt(Pixels(std::int64_t{row} + 1, block))};
}

// Walls just inside the arena's edges. The top and right ones keep the unit
// normals their direction gives; the left and bottom ones push inwards.
void AddBorderWalls(GameWorld& world, int width, int height) {
    const double w = width, h = height, in = kBorderInset;
    AddWall(world, in, in, w, in, std::nullopt);                       // top
    AddWall(world, in, in, in, h, Vector2D::Polar(kNormalLength, 0));  // left
    AddWall(world, w - in, in, w - in, h - in, std::nullopt);          // right
    AddWall(world, in, h - kBottomInset, w, h - kBottomInset,          // bottom
            Vector2D::Polar(kNormalLength, 90));
}

// A map the match can run on: read without a header fault and with at
// least one block of at least one pixel.
bool Playable(const TileMap& map) {
    return map.ErrorCode == 0 && map.MapWidth >= 1 && map.MapHeight >= 1 && map.BlockWidth >= 1 &&
           map.BlockHeight >= 1;
}

int DigitValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return std::numeric_limits<int>::max();  // a digit of no base
}

}  // namespace

int ParseArenaInt(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i < text.size() && text[i] == '%') {
        base = 2;
        ++i;
    }
    // The magnitude stops growing one past the largest int, which is enough
    // to saturate either way (the most negative int is one further out).
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<int>::max()} + 1;
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i]);
        if (digit >= base) break;
        magnitude = std::min(magnitude * base + digit, kLimit);
    }
    const std::int64_t value = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                     std::numeric_limits<int>::max()));
}

namespace {

// The arena files of one folder, in its listing's order; false when the
// folder cannot be read.
bool ListFolder(const std::string& folder, std::vector<std::string>* names) {
    DirHandle dir = fs_read_dir(folder);
    if (!dir) return false;
    for (std::string entry = fs_next_file(dir); !entry.empty(); entry = fs_next_file(dir)) {
        // A folder named like an arena would only fail to load.
        if (fs_extract_ext(entry) == "arn" && fs_file_type(folder + entry) == 1)
            names->push_back(entry);
    }
    fs_close_dir(dir);
    return true;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// The folder an arena loads from: the player's when it holds one of that
// name, else the shipped ones'.
std::string FolderOf(const std::string& name) {
    if (!g_player_folder.empty() && fs_file_type(g_player_folder + name) == 1) {
        return g_player_folder;
    }
    return kArenaFolder;
}

}  // namespace

void SetPlayerArenaFolder(const std::string& folder) {
    g_player_folder = folder.empty() || folder.back() == '/' ? folder : folder + "/";
}

std::vector<std::string> ListShippedArenas() {
    std::vector<std::string> names;
    if (!ListFolder(kArenaFolder, &names)) ReportFailure("failed to read current directory");
    return names;
}

std::vector<std::string> ListArenas() {
    std::vector<std::string> names = ListShippedArenas();
    // The player's folder may well not exist: nothing to list then.
    std::vector<std::string> own;
    if (g_player_folder.empty() || !ListFolder(g_player_folder, &own)) return names;
    for (const std::string& name : own) {
        std::erase_if(names, [&](const std::string& shipped) { return SameName(shipped, name); });
        names.push_back(name);
    }
    fs_sort_names(names);
    return names;
}

bool LoadArena(const std::string& name) {
    const std::string folder = FolderOf(name);
    const std::string path = folder + name;
    StreamHandle file = stream_open_read(path);
    if (!file) {
        ReportFailure("Arena '" + path + "' could not be read");
        return false;
    }
    if (stream_size(file) > kMaxArenaFileBytes) {
        ReportFailure("Arena '" + path + "' is larger than " + std::to_string(kMaxArenaFileBytes) +
                      " bytes");
        return false;
    }
    ArenaReader in(std::move(file));
    for (int i = 0; i < kFreeTextLines; ++i) in.Line();
    const std::string map_path = folder + in.Line() + ".FMP";

    // The map is read aside and only replaces the current one once it is
    // known to be playable, so that a failed load leaves everything as it
    // was (and a fault of an earlier map is not carried into this one).
    TileMap map;
    map.Load(map_path, kMapLayers);
    if (!Playable(map)) {
        ReportFailure("Map '" + map_path + "' of arena '" + path + "' could not be loaded");
        return false;
    }

    Match& match = TheMatch();
    *match.TheMap = std::move(map);
    const TileMap& loaded = *match.TheMap;
    match.WorldWidth = static_cast<double>(loaded.BlockWidth) * loaded.MapWidth;
    match.WorldHeight = static_cast<double>(loaded.BlockHeight) * loaded.MapHeight;
    const int width = static_cast<int>(match.WorldWidth);
    const int height = static_cast<int>(match.WorldHeight);
    match.TheWorld = GameWorld::Create(width, height);
    GameWorld& world = *match.TheWorld;
    world.ToggleShowWalls();  // a new world shows its walls; the game does not

    const int block = loaded.BlockWidth;
    in.Items(in.Int(), [&] { AddBoxWalls(world, in, block); });
    in.Items(in.Int(), [&] {
        const auto [x, y] = ReadCorner(in, block);
        HealthPickUp::Make(x, y);
    });
    in.Items(in.Int(), [&] {
        const auto [x, y] = ReadCorner(in, block);
        WeaponPickUp::Make(x, y);
    });
    in.Items(in.Int(), [&] {
        const auto [x, y] = ReadCorner(in, block);
        in.Line();
        RespawnPoint::Designate(static_cast<float>(x), static_cast<float>(y));
    });
    const int secondary = in.Int();
    con_print(std::to_string(secondary));
    in.Items(secondary, [&] {
        const auto [x, y] = ReadCorner(in, block);
        in.Line();
        SecondaryPickUp::Make(x, y);
        con_print(std::to_string(x));
        con_print(std::to_string(y));
    });

    AddBorderWalls(world, width, height);
    in.Close();
    return true;
}
