#pragma once
// The shipped arenas' layouts: obstacle boxes, pickups and respawn points in
// block coordinates, their arena text file, and the rules every layout keeps
// (boxes cover the solid blocks exactly, lanes wide enough for cars, room
// round every point).

#include <string>
#include <utility>
#include <vector>

#include "tools/datagen/tile_art.h"

namespace datagen {

/// A box of blocks, first and last column and row inclusive.
struct ArenaBox {
    int c1 = 0, r1 = 0, c2 = 0, r2 = 0;
    int material = wall::kBorder;
    /// Drawn as a stack of containers, one per row (or per column when the
    /// box is taller than wide), in alternating colours.
    bool stack = false;
};

/// A pickup or respawn point: the game puts it at the lower-right corner of
/// this block.
struct ArenaSpot {
    int column = 0, row = 0;
};

struct ArenaLayout {
    std::string name;  ///< the arena file's and the map's name
    ArenaTheme theme = ArenaTheme::kDesert;
    std::string title, description;  ///< free text of the file's first lines
    int width = 0, height = 0;       ///< in blocks
    std::vector<ArenaBox> boxes;
    std::vector<ArenaSpot> health, weapons, spawns, secondary;
    /// Bands of columns (and the same bands of rows) that are streets, first
    /// and last inclusive: they get road markings.
    std::vector<std::pair<int, int>> streets;
};

/// Free room round every point, and the narrowest lane between obstacles, in pixels.
inline constexpr int kPointClearance = 160;
inline constexpr int kLaneWidth = 200;

/// The shipped arenas, sorted by name.
std::vector<ArenaLayout> ShippedArenas();

/// The arena text file.
std::string ArenaText(const ArenaLayout& layout);

/// Broken rules, one line each (none for a good layout).
std::vector<std::string> LayoutProblems(const ArenaLayout& layout);

}  // namespace datagen
