#pragma once
// The frame clock of the steering library: the time the previous frame took,
// measured on the game's clock (which stands still while a match is paused)
// and held to at most 100 ms.

/// Class-wide frame clock. `Start` once before the first frame, `Update` at
/// the end of every frame; `Get` is the last frame time in seconds.
class Delta {
public:
    static void Start();
    static void Update();
    static double Get();
    /// Back to the state before `Start` (frame time 0).
    static void Reset();
};
