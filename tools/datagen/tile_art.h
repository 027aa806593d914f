#pragma once
// Block graphics of the shipped arenas. A block's picture is a pure function
// of a `TileKey`: its own class and its eight neighbours' classes (floor or a
// wall material), the terrain and noise codes of its four corners, a decal
// and its road markings. Everything that crosses a block edge (noise, terrain
// borders, bevels, cast shadows, markings) depends only on what the two
// blocks on either side share, so any two blocks join without a seam, and
// blocks with equal keys are one graphic in the map file.

#include <array>
#include <compare>
#include <cstdint>
#include <vector>

namespace datagen {

/// Size of every arena block, in pixels (square).
inline constexpr int kTileSize = 64;

enum class ArenaTheme { kDesert, kCity, kYard, kSnow };

/// Wall materials per theme (class 0 is floor).
namespace wall {
inline constexpr int kBorder = 1;  ///< the arena's edge
// Desert
inline constexpr int kMesa = 2;
// City: building roofs
inline constexpr int kRoofGravel = 2, kRoofTar = 3, kRoofTan = 4, kRoofRed = 5;
// Yard: shipping containers, lying along the row or column their own
// material continues in
inline constexpr int kContainerRed = 2, kContainerBlue = 3, kContainerGreen = 4,
                     kContainerOrange = 5;
// Snow
inline constexpr int kIce = 2, kSnowRock = 3;
}  // namespace wall

/// Road markings of a floor block, drawn through its centre.
enum : std::uint16_t {
    kMarkLineH = 1,   ///< dashed line along the row
    kMarkLineV = 2,   ///< dashed line along the column
    kMarkZebraH = 4,  ///< crossing stripes across a street that runs along the row
    kMarkZebraV = 8,  ///< crossing stripes across a street that runs along the column
};

struct TileKey {
    /// Classes of the 3 x 3 neighbourhood, row by row, the block itself at 4.
    std::array<std::int16_t, 9> cls{};
    /// Terrain (0 or 1) and noise code of the corners: top-left, top-right,
    /// bottom-left, bottom-right.
    std::array<std::uint8_t, 4> terrain{};
    std::array<std::uint8_t, 4> code{};
    std::int16_t decal = 0;  ///< 0 none; floors and walls number their decals each from 1
    std::uint16_t marks = 0;
    auto operator<=>(const TileKey&) const = default;
};

/// Drops what cannot change the picture, so that equal pictures share a key:
/// a wall only sees whether a neighbour is the same material, a floor only
/// whether a neighbour is solid; terrain does not show on walls.
TileKey NormaliseKey(TileKey key);

/// Number of floor decals and of roof/top decals a theme draws (ids 1..n).
int FloorDecalCount(ArenaTheme theme);
int WallDecalCount(ArenaTheme theme, int material);

/// The opaque ARGB pixels of a block, kTileSize x kTileSize, row-major.
std::vector<std::uint32_t> RenderTile(ArenaTheme theme, const TileKey& key);

}  // namespace datagen
