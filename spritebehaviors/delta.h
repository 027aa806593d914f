#pragma once
// The frame clock of the steering library: the time the previous frame took,
// measured on the game's clock (which stands still while a match is paused)
// and held to at most 100 ms.

#include <cstdint>

/// Class-wide frame clock. `Start` once before the first frame, `Update` at
/// the end of every frame; `Get` is the last frame time in seconds.
class Delta {
public:
    static void Start();
    static void Update();
    static double Get();
    /// Back to the state before `Start` (frame time 0).
    static void Reset();
    /// The clock reading of the last `Update` (or `Start`), and putting the
    /// whole state back (a replay resumes the frame clock of its recording).
    static std::int64_t LastClock();
    static void Restore(std::int64_t lastClock, double frameTime);
};
