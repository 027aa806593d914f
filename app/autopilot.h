#pragma once
// The demo's autopilot: it drives the human car through the same input
// flags and mouse position a person would set. It repairs when hurt, looks
// for a better gun while it has only the machine gun, hunts the nearest
// rival otherwise, fires at rivals in range, drops a device now and then,
// and backs out when it is stuck against a wall.

/// One frame of the autopilot in place of the keyboard and mouse: the
/// console key still works. Draws nothing (the frame draws the score line
/// and the aiming mark after it).
void AutopilotInput();
/// Forgets what the autopilot remembered of the previous match.
void ResetAutopilot();
