#pragma once
// Pausing a match. Escape, P (or the Pause key) and the window losing the
// focus pause it; while paused nothing of the match moves: no object is
// stepped, the game's clock (match clock, respawn waits, animations, every
// timer) is held and the effect sounds are paused, while the music plays
// on. The paused frame shows the last picture of the match, dimmed, under
// the "Paused" panel of the menus: "Resume" (also Escape, P or a click
// outside the panel), "Quit Match" and "Exit Game".

/// True while the running match is paused.
bool MatchPaused();
/// Whether the player asked for a pause in this match frame (Escape, P or
/// the Pause key with the console closed, or the focus lost). Reads those
/// keys' presses, so call it once a frame.
bool PauseAsked();
/// Pauses the running match, keeping the picture of the frame just drawn.
/// Does nothing outside a match or when it is already paused.
void PauseMatch();
/// Lets the match run again from where it stood.
void ResumeMatch();
/// Ends the paused match without results and shows the main menu; the match
/// is torn down as after any match.
void QuitMatch();
/// One frame of a paused match: the picture, the panel, its buttons and the
/// keys and clicks that resume.
void PausedFrame();
/// Whether the pointer should be confined to the window: while a match runs
/// unpaused.
bool PointerConfined();
/// Forgets the pause and its picture (the run ends).
void ResetPause();
