#pragma once
// The replay file: a recorded match as the game writes and reads it. A file
// names the build that wrote it and ends with a checksum: another build's
// file, and a damaged or cut one, is refused with a reason.

#include <cstdint>
#include <string>
#include <vector>

#include "app/controls.h"
#include "app/match.h"
#include "engine/byte_codec.h"

struct Replay {
    MatchSetup Setup;  ///< with the player's name as it was
    int GraphicsQuality = 2;
    std::int32_t RandomState = 0;
    /// The engine clock and the game's clock when the match started, and
    /// when its first frame began.
    std::int64_t StartSysMs = 0, StartGameMs = 0;
    std::int64_t RunSysMs = 0, RunGameMs = 0;
    /// The frame clock as the first frame found it.
    std::int64_t DeltaClock = 0;
    double DeltaTime = 0.0;
    int MouseX = 0, MouseY = 0;
    /// The player's controls, and whether the right stick aimed and where.
    Bindings Controls{};
    bool PadAiming = false;
    double PadAimX = 1.0, PadAimY = 0.0;
    Bytes Tape;
    /// The state hash every `kReplayCheckpoint` frames while the match ran.
    std::vector<std::uint64_t> Checkpoints;
    std::uint64_t EndHash = 0;
};

inline constexpr int kReplayCheckpoint = 120;

/// The build's name in replay files: the game's version and its revision.
std::string ReplayVersion();
Bytes EncodeReplay(const Replay& replay);
/// False with the reason when the bytes are not a whole replay of this build.
bool DecodeReplay(const Bytes& bytes, Replay* replay, std::string* error);
bool SaveReplayFile(const Replay& replay, const std::string& path, std::string* error);
bool LoadReplayFile(const std::string& path, Replay* replay, std::string* error);
/// A free name for a saved replay in the folder (the current one for ""):
/// "replay-YYYYMMDD-HHMMSS.cmr", numbered when taken.
std::string NewReplayName(const std::string& folder = "");
