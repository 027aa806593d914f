#pragma once
// A sequence of sprite-sheet cells with a duration each.

#include <memory>
#include <vector>

#include "gui/object.h"

struct kit_TAnimFrame {
    int Index = 0;  ///< the cell of the sheet
    float Duration = 0.0f;
};

class kit_TAnimation : public kit_Object {
public:
    std::vector<kit_TAnimFrame> Frames;
    int Loop = 0;

    static std::shared_ptr<kit_TAnimation> Create();
    void AddFrame(int index, float duration);
    void SetLoop(int flag) { Loop = flag; }
    /// 0 for a frame out of range.
    float FrameDuration(int i) const;
    /// 0 for a frame out of range.
    int FrameIndex(int i) const;
    /// The frame after `i`, 0 after the last.
    int NextFrame(int i) const;
};
