#pragma once
// The overlays of a match drawn by the application: the status bar along the
// bottom (gun and ammunition, health, device) and the match clock that counts
// the time limit down in seconds of play. The minimap is in objects/minimap.h.

#include <cstdint>

/// The status bar of the human player's car: gun and ammunition, health
/// (red at 15 or less), and the device while it has charges.
void DrawStatusBar();

/// The match clock: TimeLeft drops by one each second of play (the game's
/// clock, which stands still while the match is paused).
class Timer {
public:
    /// The next second of the current match starts a second from now.
    static void Reset();
    static void Update();
};
