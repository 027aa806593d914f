#pragma once
// Arena loading. An arena is a text file in the folder "Arenas/" that names
// its tile map and lists, in tile coordinates, the solid boxes the computer
// drivers steer round, the pickups and the respawn points:
//
//   lines 1-5   free text, not read
//   line 6      map name m: the map file is "Arenas/" + m + ".FMP"
//   N, then N x (c1, r1, c2, r2)          obstacle boxes, first/last column and row
//   H, then H x (column, row)             health pickups
//   G, then G x (column, row)             weapon pickups
//   R, then R x (column, row, unread)     respawn points
//   S, then S x (column, row, unread)     secondary-weapon pickups
//
// One value a line, each read with `ParseArenaInt`. Tile coordinates become
// arena pixels by multiplying by the map's `BlockWidth` (for both axes).

#include <cstdint>
#include <string>
#include <vector>

/// Largest arena file `LoadArena` reads. The shipped ones take under a
/// kilobyte; the limit keeps a file of millions of boxes from exhausting
/// memory with their walls.
constexpr std::int64_t kMaxArenaFileBytes = 1 << 20;

/// The names of the arena files in "Arenas/" (relative to the current
/// folder): regular files whose extension is exactly "arn" (lower case),
/// with their extension, in the folder listing's order (sorted by name).
/// A folder that cannot be read gives an empty list and a red console line.
std::vector<std::string> ListShippedArenas();
/// The player's own arenas: a folder listed with "Arenas/" and loaded from
/// first; empty for none.
void SetPlayerArenaFolder(const std::string& folder);
/// The shipped arenas and the player's, sorted by name; an arena of the
/// player's with the name of a shipped one (in any case) is listed once, as
/// the player's. A player's folder that does not exist adds nothing.
std::vector<std::string> ListArenas();

/// Loads the arena file "Arenas/" + name, or the player's of that name
/// (name being a file name that `ListArenas` returned; the map file is read
/// from the same folder):
/// - refills `TheMap` from the map the file names, with layer planes 0 to 2;
/// - sets `WorldWidth` and `WorldHeight` to the map's size in pixels;
/// - replaces `TheWorld` with a new world of that size, walls hidden, holding
///   four walls round every box (normals of length 3 pointing out of the box)
///   and four border walls 10 pixels inside the edges; every wall takes the
///   view offset (`ScrollX`, `ScrollY`) current at the call;
/// - appends the pickups and respawn points of the file to their lists, each
///   at the lower-right corner of its tile, and prints the secondary pickup
///   count and each one's x and y to standard output, one a line.
///
/// Returns false, with a red console line naming the file, when the arena
/// file cannot be read or is larger than `kMaxArenaFileBytes`, or its map
/// does not load (missing, unreadable, a
/// refused header, or no blocks). A failed load changes nothing: the map,
/// the world, the world size and the object lists stay as they were.
///
/// Lines missing at the end of the file read as 0. A count never makes the
/// loader read past the end: the items of a list stop at the first one whose
/// first line lies beyond the end of the file, and a partly present last item
/// is completed with zeros.
bool LoadArena(const std::string& name);

/// An integer from the text of an arena line: optional blanks, an optional
/// sign, then digits; the digits are decimal, or hexadecimal after "$"
/// ("-$1F" is -31), or binary after "%" ("%101" is 5). The sign comes before
/// the "$" or "%" ("$-1F" has no digits). Reading stops at the first
/// character that is not a digit of the base; text without digits reads as
/// 0, and values beyond the int range saturate at its ends.
int ParseArenaInt(const std::string& text);
