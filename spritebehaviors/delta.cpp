#include "spritebehaviors/delta.h"

#include <algorithm>
#include <cstdint>

#include "engine/clock.h"

namespace {
// The longest step the world takes in one frame: a stall (a dragged
// window, a slow disk) must not carry a car through a wall.
constexpr std::int64_t kMaxStepMs = 100;
std::int64_t g_last_clock = 0;
double g_frame_time = 0.0;
}  // namespace

void Delta::Start() {
    g_last_clock = game_millisecs();
}

void Delta::Update() {
    // The factor is the single-precision 0.001 the steering maths was tuned
    // with, so a 16 ms frame is 0.016000000759 s and not 0.016.
    const std::int64_t now = game_millisecs();
    const std::int64_t step = std::min(now - g_last_clock, kMaxStepMs);
    g_frame_time = static_cast<double>(step) * static_cast<double>(0.001f);
    g_last_clock = now;
}

double Delta::Get() {
    return g_frame_time;
}

void Delta::Reset() {
    g_last_clock = 0;
    g_frame_time = 0.0;
}

std::int64_t Delta::LastClock() {
    return g_last_clock;
}

void Delta::Restore(std::int64_t lastClock, double frameTime) {
    g_last_clock = lastClock;
    g_frame_time = frameTime;
}
