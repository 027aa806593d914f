// Writes the replay fuzz target's seed corpus into the folder given: whole
// replays of this build with every kind of tape record, and variants.

#include <cstdio>
#include <filesystem>
#include <string>

#include "app/replay_file.h"
#include "engine/engine_detail.h"
#include "engine/input_tape.h"

namespace {

using engine_detail::TapeEvent;
using engine_detail::TapeKind;

// A tape of `frames` frames with every kind of record in each.
Bytes Tape(int frames) {
    tape_record_start();
    for (int i = 0; i < frames; ++i) {
        engine_detail::tape_note_poll();
        engine_detail::tape_note_event({TapeKind::Motion, 500 + i, 300 - i, 0});
        engine_detail::tape_note_event({TapeKind::KeyDown, 82, 0, 0});
        engine_detail::tape_note_event({TapeKind::ButtonDown, 12, 700, 1});
        engine_detail::tape_note_event({TapeKind::ButtonUp, 13, 701, 1});
        engine_detail::tape_note_event({TapeKind::Char, 0x20AC, 0, 0});
        engine_detail::tape_note_event({TapeKind::Wheel, -2, 0, 0});
        engine_detail::tape_note_event({TapeKind::FocusLost, 0, 0, 0});
        engine_detail::tape_note_event({TapeKind::FocusGained, 0, 0, 0});
        engine_detail::tape_note_event({TapeKind::KeyUp, 82, 0, 0});
        engine_detail::tape_note_step(16 + i % 2);
    }
    return tape_record_stop();
}

bool Write(const std::filesystem::path& path, const Replay& replay) {
    std::string error;
    if (SaveReplayFile(replay, path.string(), &error)) return true;
    std::fprintf(stderr, "make_replay_seeds: %s\n", error.c_str());
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_replay_seeds FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    Replay plain;
    plain.Setup.Arena = "yard.arn";
    plain.RandomState = 7;
    Replay played = plain;
    played.Setup.AIStyle = {3, 2, 1, 0, 0};
    played.Setup.AITeam = {1, 2, 5, 5, 5};
    played.Setup.PlayerName = "Moor Wrangler";
    played.Tape = Tape(3);
    played.Checkpoints = {0x0123456789abcdefULL, 42};
    played.EndHash = 99;
    played.StartSysMs = 1234;
    played.RunSysMs = 1250;
    played.DeltaTime = 0.016;
    Replay demo = played;
    demo.Setup.Autopilot = true;
    demo.Setup.Arena = "metro.arn";
    Replay spectator = played;
    spectator.Setup.Spectate = true;
    spectator.Setup.PlayerName.clear();
    Replay long_tape = plain;
    long_tape.Tape = Tape(200);
    bool ok = Write(folder / "plain.cmr", plain) && Write(folder / "played.cmr", played) &&
              Write(folder / "demo.cmr", demo) && Write(folder / "spectator.cmr", spectator) &&
              Write(folder / "long-tape.cmr", long_tape);
    return ok ? 0 : 1;
}
