#pragma once
// The tile map of an arena: the FMP chunk file read into a grid of cells per
// layer plane, block records, animation records, a frame table, a palette
// and one image per block graphic; drawn scrolled under a view and asked
// which pixels are solid.
//
// Every value taken from a file is checked before it indexes a table: a cell,
// block, frame or graphic index outside its table reads as block 0 or draws
// nothing, so any file is safe to load, draw and query.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "engine/image.h"

/// A block record.
struct BLKSTR {
    int gfx0 = 0, gfx1 = 0, gfx2 = 0, gfx3 = 0;  ///< background and three foreground graphics
    int user1 = 0, user2 = 0;                    ///< 32-bit user values
    int user3 = 0, user4 = 0;                    ///< 16-bit signed
    int user5 = 0, user6 = 0, user7 = 0;         ///< bytes
    int bit0 = 0, bit1 = 0, bit2 = 0, bit3 = 0;  ///< flags; bit0 is the collision flag
    int bit4 = 0, bit5 = 0, bit6 = 0, bit7 = 0;
};

/// An animation record; `current`, `start` and `end` index the frame table.
struct ANISTR {
    int type = 0;  ///< 0 none, 1..8 animation kinds, 255 end marker
    int delay = 0, counter = 0, user = 0;
    int current = 0, start = 0, end = 0;
};

class TileMap {
public:
    /// Largest grid the reader accepts, in cells of all planes together
    /// (each plane has the map's columns and rows plus one spare of each),
    /// and the largest block size: bigger headers are refused (`ErrorCode` 3).
    static constexpr long long kMaxCells = 4096LL * 4096LL;
    static constexpr int kMaxBlockSize = 1024;
    /// Animation records a file may hold before its end marker.
    static constexpr int kMaxAnims = 999;
    /// Largest file the reader reads.
    static constexpr std::size_t kMaxFileBytes = 256u << 20;

    int LayerCount = 0;
    int ErrorCode = 0;
    int LittleEndian = 0;
    int MapType = 0;
    int KeyIndex = 0, KeyRed = 255, KeyGreen = 0, KeyBlue = 255;
    int KeyColour = 0xFF00FF;
    int MapWidth = 0, MapHeight = 0;
    int BlockWidth = 0, BlockHeight = 0;
    int BlockDepth = 0;
    int BlockStructSize = 0;
    int BlockStructCount = 0, BlockGfxCount = 0;
    int GapX = 0, GapY = 0, StaggerX = 0, StaggerY = 0;
    int ClickMask = 0;
    int CurrentLayer = 0;
    int AnimCount = 0;

    std::vector<int> FrameTable;
    std::vector<ImageHandle> BlockImages;
    std::vector<int> Palette;
    std::vector<BLKSTR> Blocks;
    std::vector<ANISTR> Anims;

    /// Reads an FMP file into this map. A missing or unreadable file leaves
    /// the map empty (0 x 0) and reports the path on the console.
    void Load(const std::string& path, int layerCount);
    /// The same from bytes in memory.
    void LoadBytes(const std::uint8_t* data, std::size_t size, int layerCount);

    /// Cell value of a plane; 0 outside the grid (the spare column and row
    /// are inside).
    int Cell(int column, int row, int plane) const;
    /// Sets a cell value (the writer's tests and the map tools); ignored
    /// outside the grid.
    void SetCell(int column, int row, int plane, int value);
    /// Moves on with every load, clear and cell change, and differs between
    /// any two maps of a run: what is worked out from a map (the computer
    /// drivers' path grid) is out of date when the revision has changed.
    std::uint64_t Revision() const { return revision_; }
    /// Creates an empty grid of the given size (all cells 0).
    void ResizeGrid(int width, int height, int layerCount);

    /// The block record of a cell of `CurrentLayer`, following an animated
    /// cell to its current frame; block 0 (or an empty record) when any index
    /// falls outside its table.
    BLKSTR BlockAt(int column, int row) const;
    /// 1 when the block under the arena pixel is flagged solid.
    int SolidAt(int x, int y) const;

    /// Draws the part of plane `CurrentLayer` whose top-left arena pixel is
    /// (scrollX, scrollY) into the screen rectangle.
    void DrawMap(int scrollX, int scrollY, int screenX, int screenY, int width, int height);
    /// Draws block graphic `index` at (x, y); `solid` draws it opaque.
    void DrawBlockGfx(int index, double x, double y, int solid);
    /// Alpha 1, white, alpha blending.
    void ResetDrawState();

private:
    void Clear(int layerCount);
    /// The block record a cell names, or null when an index is outside its table.
    const BLKSTR* FindBlock(int column, int row) const;
    std::size_t CellIndex(int column, int row, int plane) const;
    /// Copies the block graphics into one image, so a whole view draws in a
    /// single batch; false when there are none or they would not fit.
    bool BuildAtlas();
    /// Queues block graphic `index` at (x, y) for `FlushBlocks`.
    void QueueBlock(int index, int x, int y);
    /// Draws the queued blocks from the atlas (opaque when `solid`).
    void FlushBlocks(int solid);

    void Revise() { revision_ = ++revisions_; }

    static inline std::uint64_t revisions_ = 0;
    std::uint64_t revision_ = 0;
    std::vector<int> cells_;  // [column][row][plane], (MapWidth+1) x (MapHeight+1) x (LayerCount+1)
    int grid_w_ = 0, grid_h_ = 0, grid_planes_ = 0;  // dimensions of cells_, spare included

    // The block graphics side by side, made on the first draw after a load;
    // each graphic's top-left corner in it (x < 0 for a missing graphic).
    ImageHandle atlas_;
    bool atlas_tried_ = false;
    std::vector<std::pair<int, int>> atlas_at_;
    std::vector<ImageCell> queued_;

    friend class FmpReader;
};
