#pragma once
// The frames-per-second counter the main loop steps once per menu frame.
// It reads the engine's clock, so it follows the virtual clock of a
// fixed-step run.

class kit_FPS {
public:
    /// Counts a frame; about once a second the count becomes the rate.
    static void Update();
    static int GetFPS();
    /// Frames counted since the kit was initialised.
    static int GetTotalFrames();
};
