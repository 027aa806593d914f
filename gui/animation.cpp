#include "gui/animation.h"

std::shared_ptr<kit_TAnimation> kit_TAnimation::Create() {
    return std::make_shared<kit_TAnimation>();
}

void kit_TAnimation::AddFrame(int index, float duration) {
    Frames.push_back(kit_TAnimFrame{index, duration});
}

float kit_TAnimation::FrameDuration(int i) const {
    if (i < 0 || i >= static_cast<int>(Frames.size())) return 0.0f;
    return Frames[static_cast<std::size_t>(i)].Duration;
}

int kit_TAnimation::FrameIndex(int i) const {
    if (i < 0 || i >= static_cast<int>(Frames.size())) return 0;
    return Frames[static_cast<std::size_t>(i)].Index;
}

int kit_TAnimation::NextFrame(int i) const {
    return i + 1 >= static_cast<int>(Frames.size()) ? 0 : i + 1;
}
