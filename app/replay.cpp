#include "app/replay.h"

#include <cstdio>
#include <memory>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/controls.h"
#include "app/player.h"
#include "engine/clock.h"
#include "engine/filesystem.h"
#include "engine/gamepad.h"
#include "engine/input.h"
#include "engine/input_tape.h"
#include "engine/random.h"
#include "engine/stream.h"
#include "objects/effects.h"
#include "objects/pickups.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "spritebehaviors/delta.h"

namespace {

struct Recorder {
    bool pending = false;  ///< a match started; its first frame is next
    bool recording = false;
    Replay current;
    long long frames = 0;
    std::unique_ptr<Replay> last;
    std::unique_ptr<Replay> first;

    bool playing = false;
    Replay played;
    Bindings own_controls{};  ///< the player's, while a replay plays with its own
    bool strayed = false;
    bool print_hashes = false;
};
Recorder g_rec;

void PrintHash(std::uint64_t hash) {
    if (!g_rec.print_hashes) return;
    std::printf("state_hash: %s\n", HashText(hash).c_str());
    std::fflush(stdout);
}

void StopPlaying() {
    tape_play_stop();
    if (g_rec.playing) SetBindings(g_rec.own_controls);
    g_rec.playing = false;
}

void Strayed(const std::string& where) {
    g_rec.strayed = true;
    std::fprintf(stderr,
                 "crashmoor: the replay strayed from its recording %s: this build plays it "
                 "differently\n",
                 where.c_str());
    StopPlaying();
    sys_end();
}

struct Hasher {
    std::uint64_t value = 14695981039346656037ull;
    void Add(const void* data, std::size_t size) {
        value = bytes_hash(static_cast<const std::uint8_t*>(data), size, value);
    }
    void Add(std::int64_t v) { Add(&v, sizeof v); }
    void Add(float v) { Add(&v, sizeof v); }
    void Add(const std::string& text) { Add(text.data(), text.size()); }
};

}  // namespace

std::uint64_t MatchStateHash() {
    const Match& match = TheMatch();
    Hasher h;
    h.Add(game_millisecs());
    h.Add(std::int64_t{rnd_state()});
    h.Add(std::int64_t{match.TimeLeft});
    for (const auto& driver : match.DriverList) {
        h.Add(driver->Name);
        h.Add(std::int64_t{driver->Points});
        h.Add(std::int64_t{driver->Deaths});
        h.Add(std::int64_t{driver->Team});
    }
    Vehicle::List.Walk([&](Vehicle& v) {
        for (const float f : {v.X, v.Y, v.Angle, v.Velocity, v.Health}) h.Add(f);
    });
    Shot::List.Walk([&](Shot& s) {
        h.Add(s.X);
        h.Add(s.Y);
    });
    for (const std::int64_t count :
         {std::int64_t{Explosion::List.Count()}, std::int64_t{Wreckage::List.Count()},
          std::int64_t{HealthPickUp::List.Count()}, std::int64_t{WeaponPickUp::List.Count()},
          std::int64_t{SecondaryPickUp::List.Count()}}) {
        h.Add(count);
    }
    return h.value;
}

std::string HashText(std::uint64_t hash) {
    char text[20];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

void ReplayMatchStarting(const MatchSetup& setup) {
    if (g_rec.playing) return;
    tape_record_stop();
    g_rec.recording = false;
    g_rec.pending = true;
    g_rec.frames = 0;
    Replay& r = g_rec.current;
    r = Replay{};
    r.Setup = setup;
    r.GraphicsQuality = App().GraphicsQuality;
    r.RandomState = rnd_state();
    r.StartSysMs = sys_millisecs();
    r.StartGameMs = game_millisecs();
}

void ReplayFrameStarting() {
    const Match& match = TheMatch();
    if (g_rec.pending) {
        // The match's first frame begins now: the clocks, the frame clock
        // and the pointer as it finds them.
        g_rec.pending = false;
        g_rec.recording = true;
        Replay& r = g_rec.current;
        if (match.HumanPlayer) r.Setup.PlayerName = match.HumanPlayer->Name;
        r.RunSysMs = sys_millisecs();
        r.RunGameMs = game_millisecs();
        r.DeltaClock = Delta::LastClock();
        r.DeltaTime = Delta::Get();
        r.MouseX = in_mouse_x();
        r.MouseY = in_mouse_y();
        r.Controls = CurrentBindings();
        r.PadAiming = pad_aiming();
        pad_aim(&r.PadAimX, &r.PadAimY);
        tape_record_start();
    }
}

void ReplayFrameDone() {
    const bool in_match = App().GameState == kStateMatch;
    if (g_rec.recording && in_match) {
        if (++g_rec.frames % kReplayCheckpoint == 0) {
            g_rec.current.Checkpoints.push_back(MatchStateHash());
        }
    }
    if (!g_rec.playing) return;
    if (in_match) {
        const long long frame = tape_frames_played();
        const Replay& r = g_rec.played;
        if (frame > 0 && frame % kReplayCheckpoint == 0) {
            const auto i = static_cast<std::size_t>(frame / kReplayCheckpoint - 1);
            if (i < r.Checkpoints.size() && r.Checkpoints[i] != MatchStateHash()) {
                Strayed("at frame " + std::to_string(frame));
                return;
            }
        }
    }
    if (!tape_finished()) return;
    // The recording ended here. A match it left running ends the run; a
    // match that ended already compared its hash.
    if (in_match) {
        const std::uint64_t hash = MatchStateHash();
        PrintHash(hash);
        if (hash != g_rec.played.EndHash) {
            Strayed("at its end");
            return;
        }
        sys_end();
    }
    StopPlaying();
}

void ReplayMatchEnding() {
    if (g_rec.playing) {
        // A replay stopped before its recording's end (by --frames or the
        // window closed) has nothing to compare.
        const std::uint64_t hash = MatchStateHash();
        PrintHash(hash);
        if (tape_finished() && hash != g_rec.played.EndHash) Strayed("at the match's end");
        return;
    }
    if (!g_rec.recording && !g_rec.pending) return;
    g_rec.pending = false;
    g_rec.recording = false;
    g_rec.current.Tape = tape_record_stop();
    g_rec.current.EndHash = MatchStateHash();
    PrintHash(g_rec.current.EndHash);
    g_rec.last = std::make_unique<Replay>(g_rec.current);
    if (!g_rec.first) g_rec.first = std::make_unique<Replay>(g_rec.current);
}

const Replay* LastReplay() {
    return g_rec.last.get();
}

const Replay* FirstReplay() {
    return g_rec.first.get();
}

void PrintStateHashes(bool print) {
    g_rec.print_hashes = print;
}

bool PlayReplay(const Replay& replay, std::string* error) {
    if (!tape_play_start(replay.Tape, error)) return false;
    g_rec.playing = true;
    g_rec.played = replay;
    g_rec.strayed = false;
    AppState& app = App();
    clock_set_virtual_ms(replay.StartSysMs);
    clock_set_game_ms(replay.StartGameMs);
    rnd_seed(replay.RandomState);
    app.GraphicsQuality = replay.GraphicsQuality;
    // The match plays with the controls it was recorded with, and the
    // player's own come back when it is over.
    g_rec.own_controls = CurrentBindings();
    SetBindings(replay.Controls);
    if (!StartMatch(replay.Setup)) {
        StopPlaying();
        if (error) *error = "the arena " + replay.Setup.Arena + " could not be loaded";
        return false;
    }
    clock_set_virtual_ms(replay.RunSysMs);
    clock_set_game_ms(replay.RunGameMs);
    Delta::Restore(replay.DeltaClock, replay.DeltaTime);
    app.FrameDelta = replay.DeltaTime;
    in_set_mouse(replay.MouseX, replay.MouseY);
    pad_set_aim(replay.PadAiming, replay.PadAimX, replay.PadAimY);
    return true;
}

bool ReplayStrayed() {
    return g_rec.strayed;
}

void ResetReplays() {
    tape_record_stop();
    StopPlaying();
    const bool print = g_rec.print_hashes;
    g_rec = Recorder{};
    g_rec.print_hashes = print;
}
