#include "spritebehaviors/delta.h"

#include <cstdint>

#include "engine/clock.h"

namespace {
std::int64_t g_last_clock = 0;
double g_frame_time = 0.0;
}  // namespace

void Delta::Start() {
    g_last_clock = sys_millisecs();
}

void Delta::Update() {
    // The factor is the single-precision 0.001 the steering maths was tuned
    // with, so a 16 ms frame is 0.016000000759 s and not 0.016.
    g_frame_time =
        static_cast<double>(sys_millisecs() - g_last_clock) * static_cast<double>(0.001f);
    g_last_clock = sys_millisecs();
}

double Delta::Get() {
    return g_frame_time;
}

void Delta::Reset() {
    g_last_clock = 0;
    g_frame_time = 0.0;
}
