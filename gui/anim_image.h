#pragma once
// A sprite sheet drawn one cell at a time: one texture whose texture
// coordinates are switched to the cell being drawn, instead of one image per
// frame.

#include <memory>
#include <string>
#include <vector>

#include "engine/image.h"
#include "gui/object.h"

class kit_TAnimImage : public kit_Object {
public:
    ImageHandle Image;  ///< the whole sheet, one frame
    /// Per cell: left, top, right and bottom texture coordinates as fractions
    /// of the sheet's power-of-two texture.
    std::vector<float> U0, V0, U1, V1;
    float HandleX = 0.0f;  ///< subtracted from the drawing position
    float HandleY = 0.0f;

    /// Loads the sheet and cuts it into `cellW` x `cellH` cells, left to
    /// right then top to bottom. Only whole cells count: a sheet narrower or
    /// lower than one cell, a cell size of 0 or a missing sheet has none.
    static std::shared_ptr<kit_TAnimImage> Load(const std::string& path, int cellW, int cellH,
                                                float handleX, float handleY, int flags);
    /// The smallest power of two at least `n` (1 for n <= 1).
    static float NextPow2(float n);
    /// Drops the sheet.
    void Free();
    /// Draws cell `cell` stretched to (w, h) with the handle at (x, y).
    /// `flipX` 1 mirrors the cell horizontally; any value other than 0 or 1
    /// puts both edges at 0, stretching the sheet's first column over the
    /// cell. `flipY` likewise vertically. A cell out of range draws nothing.
    void Draw(float x, float y, float w, float h, int cell, int flipX = 0, int flipY = 0);
    int CellCount() const { return static_cast<int>(U0.size()); }
};
