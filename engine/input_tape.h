#pragma once
// The input tape: everything from outside that moves a run, recorded as it
// happens and played back in its place. A tape holds, in order, each poll
// of the input, the input events it applied (keys by scancode, buttons and
// the pointer in logical coordinates, the wheel, typed characters, the
// window's focus) and, at each frame's end, the milliseconds the engine
// clock moved. Played back, the tape replaces live input and the clock: the
// same polls see the same events and every frame takes the recorded time,
// so a deterministic game repeats itself exactly. Live window-close and
// terminate requests still reach the program while a tape plays, and a live
// Escape press ends it (the viewer leaving a replay).
//
// The encoding is compact: one byte of kind per record and variable-length
// numbers, the pointer as the change from its last position.

#include <cstdint>
#include <string>
#include <vector>

/// Starts recording (any earlier recording is dropped).
void tape_record_start();
/// True while recording.
bool tape_recording();
/// Stops recording and returns the tape; empty when none was recording.
std::vector<std::uint8_t> tape_record_stop();

/// Starts playing a tape: from the next poll on, live input is set aside
/// and the engine clock becomes virtual, advancing by the recorded steps.
/// False (and nothing changes) when the tape is malformed; `error` says why.
bool tape_play_start(const std::vector<std::uint8_t>& tape, std::string* error);
/// True while a tape plays and has records left.
bool tape_playing();
/// True once every record of a played tape has been read; the clock stays
/// where the tape left it until `tape_play_stop`.
bool tape_finished();
/// Frames (clock steps) played so far.
long long tape_frames_played();
/// Stops playing: live input and the real clock (or the fixed step the
/// engine was started with) take over again.
void tape_play_stop();

/// Frames in a tape (its clock steps), or -1 when it is malformed.
long long tape_frame_count(const std::vector<std::uint8_t>& tape);
