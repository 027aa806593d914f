#pragma once
// Writes tile maps in the FMP chunk format, in every map type, byte order and
// block depth the reader reads: the shipped arenas are made with it, and the
// tests use it as the reader's round-trip oracle.

#include <cstdint>
#include <string>
#include <vector>

#include "arena/tile_map.h"

/// Everything a map file holds.
struct FmpMapData {
    int width = 0, height = 0;              ///< in blocks
    int block_width = 0, block_height = 0;  ///< in pixels
    std::vector<BLKSTR> blocks;
    /// Block graphics as 32-bit ARGB, block_width x block_height each, row-major;
    /// pixels with alpha 0 are written in the key colour.
    std::vector<std::vector<std::uint32_t>> graphics;
    /// Layer planes, width x height cells each, row 0 first; plane 0 is "BODY".
    std::vector<std::vector<int>> planes;
    /// Animation records (the end marker is added) and the frame table.
    std::vector<ANISTR> anims;
    std::vector<int> frames;
    int key_red = 255, key_green = 0, key_blue = 255;
};

struct FmpWriteOptions {
    int map_type = 1;  ///< 0, 1, 2 (run-length) or 3
    bool little_endian = true;
    int block_depth = 32;  ///< 8, 15, 16, 24 or 32
    int block_struct_size = 32;
    int header_length = 38;  ///< 24, 28, 36 or 38: the optional header tails
    /// Chunks of another kind placed before "MPHD", between chunks and at the
    /// end, as map editors write them (author text, editor settings).
    bool extra_chunks = false;
};

/// The file's bytes. Depth 8 builds a palette of the colours used (at most
/// 256; more are mapped to the nearest); the key colour takes index 0.
std::string WriteFmp(const FmpMapData& map, const FmpWriteOptions& options);
