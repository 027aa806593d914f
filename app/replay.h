#pragma once
// Replays. Every match is recorded while it is played: its setup, where the
// random sequence and the clocks stood when it started, and the input tape
// of its frames (see engine/input_tape.h). The results screen saves the
// match just played; `--record FILE` writes the first match of a run;
// `--replay FILE` plays one back through the same frame loop, where it
// ends as the recording did, with the same results.
//
// Every 120 frames and at its end the recording keeps a hash of the match
// state; a replay that strays from them stops with a message rather than
// play on wrongly.

#include <cstdint>
#include <string>

#include "app/replay_file.h"

/// A hash of the running match: the clocks, the random state, every
/// driver's score and every object's place.
std::uint64_t MatchStateHash();
/// Sixteen hexadecimal digits.
std::string HashText(std::uint64_t hash);

// The recorder, driven by the match and the frame loop.
/// A match starts (before it draws anything at random).
void ReplayMatchStarting(const MatchSetup& setup);
/// A frame begins (before it polls the input).
void ReplayFrameStarting();
/// A frame was presented.
void ReplayFrameDone();
/// The match ends (any way: its limits, "Quit Match", the end of the run),
/// with its objects still alive.
void ReplayMatchEnding();
/// The recording of the last match that ended, Null when none.
const Replay* LastReplay();
/// The recording of the run's first match, Null when none ended yet.
const Replay* FirstReplay();
/// Print "state_hash: HEX" when a recorded or replayed match ends.
void PrintStateHashes(bool print);

// Playing back.
/// Starts the replay's match (in place of a quick match): the random
/// sequence, the clocks and the input as they were. False, with the reason
/// in `error`, when it cannot start.
bool PlayReplay(const Replay& replay, std::string* error);
/// True once a replay strayed from its recording (the run then ends).
bool ReplayStrayed();
/// Forgets the recordings and any replay (the run ends).
void ResetReplays();
