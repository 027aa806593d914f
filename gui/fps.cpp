#include "gui/fps.h"

#include "engine/clock.h"
#include "gui/gui_detail.h"

void kit_FPS::Update() {
    auto& m = kit_detail::Module();
    ++m.FramesThisSecond;
    ++m.TotalFrames;
    const std::int64_t now = sys_millisecs();
    if (m.NextSecond < now) {
        m.CurrentFPS = m.FramesThisSecond;
        m.NextSecond = now + 1000;
        m.FramesThisSecond = 0;
    }
}

int kit_FPS::GetFPS() {
    return kit_detail::Module().CurrentFPS;
}

int kit_FPS::GetTotalFrames() {
    return kit_detail::Module().TotalFrames;
}
