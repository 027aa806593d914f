#include "app/replay_file.h"

#include <cmath>
#include <cstring>
#include <ctime>

#include "crashmoor_revision.h"
#include "engine/filesystem.h"
#include "engine/input_tape.h"
#include "engine/stream.h"

namespace {

constexpr char kMagic[] = "CRASHMOOR REPLAY";
constexpr std::uint64_t kFormat = 1;
// Bounds a replay's fields must keep to be read at all.
constexpr std::size_t kMaxText = 4096;
constexpr std::size_t kMaxTape = std::size_t{1} << 30;
constexpr std::uint64_t kMaxCheckpoints = std::uint64_t{1} << 24;

void PutSetup(Bytes& out, const MatchSetup& s) {
    bytes_put_string(out, s.Arena);
    for (const int v : {s.Vehicle, s.Team, s.GameType, s.ScoreLimit, s.TimeLimitMinutes,
                        s.RespawnPenalty, s.MinimapHidden}) {
        bytes_put_signed(out, v);
    }
    for (const int v : s.AIStyle) bytes_put_signed(out, v);
    for (const int v : s.AITeam) bytes_put_signed(out, v);
    bytes_put_varint(out, (s.Spectate ? 1u : 0u) | (s.Autopilot ? 2u : 0u));
    bytes_put_string(out, s.PlayerName);
}

bool GetSetup(ByteReader& in, MatchSetup* s) {
    auto number = [&](int* v) { return in.int_within(kMatchLimitMax, v); };
    if (!in.string(kMaxText, &s->Arena)) return false;
    for (int* v : {&s->Vehicle, &s->Team, &s->GameType, &s->ScoreLimit, &s->TimeLimitMinutes,
                   &s->RespawnPenalty, &s->MinimapHidden}) {
        if (!number(v)) return false;
    }
    for (int& v : s->AIStyle) {
        if (!number(&v)) return false;
    }
    for (int& v : s->AITeam) {
        if (!number(&v)) return false;
    }
    std::uint64_t flags = 0;
    if (!in.up_to(3, &flags)) return false;
    s->Spectate = (flags & 1) != 0;
    s->Autopilot = (flags & 2) != 0;
    return in.string(kMaxText, &s->PlayerName);
}

}  // namespace

std::string ReplayVersion() {
    static const std::string version = [] {
        std::string text = "Crashmoor 1.0 RC1 ";
        text.append(CRASHMOOR_REVISION, sizeof CRASHMOOR_REVISION - 1);
        return text;
    }();
    return version;
}

Bytes EncodeReplay(const Replay& r) {
    Bytes out(kMagic, kMagic + sizeof kMagic - 1);
    bytes_put_varint(out, kFormat);
    bytes_put_string(out, ReplayVersion());
    PutSetup(out, r.Setup);
    bytes_put_signed(out, r.GraphicsQuality);
    bytes_put_signed(out, r.RandomState);
    for (const std::int64_t v :
         {r.StartSysMs, r.StartGameMs, r.RunSysMs, r.RunGameMs, r.DeltaClock}) {
        bytes_put_signed(out, v);
    }
    bytes_put_double(out, r.DeltaTime);
    bytes_put_signed(out, r.MouseX);
    bytes_put_signed(out, r.MouseY);
    for (const Binding& b : r.Controls) {
        for (const int input : b.inputs) bytes_put_signed(out, input);
    }
    bytes_put_varint(out, r.PadAiming ? 1u : 0u);
    bytes_put_double(out, r.PadAimX);
    bytes_put_double(out, r.PadAimY);
    bytes_put_varint(out, r.Checkpoints.size());
    for (const std::uint64_t h : r.Checkpoints) bytes_put_u64(out, h);
    bytes_put_u64(out, r.EndHash);
    bytes_put_varint(out, r.Tape.size());
    out.insert(out.end(), r.Tape.begin(), r.Tape.end());
    bytes_put_u64(out, bytes_hash(out.data(), out.size()));
    return out;
}

bool DecodeReplay(const Bytes& bytes, Replay* r, std::string* error) {
    auto fail = [&](const std::string& why) {
        if (error) *error = why;
        return false;
    };
    const std::size_t magic = sizeof kMagic - 1;
    if (bytes.size() < magic || std::memcmp(bytes.data(), kMagic, magic) != 0) {
        return fail("not a replay file");
    }
    if (bytes.size() < magic + 8) return fail("the replay file is damaged or cut short");
    // The checksum first: a damaged file is refused whatever it says.
    ByteReader tail(bytes, bytes.size() - 8);
    std::uint64_t sum = 0;
    tail.u64(&sum);
    ByteReader in(bytes.data(), bytes.size() - 8, magic);
    std::uint64_t format = 0;
    std::string version;
    if (!in.varint(&format) || !in.string(kMaxText, &version)) {
        return fail("the replay file is damaged or cut short");
    }
    // Another build's replay is named as such, even when it is also damaged:
    // its layout may differ.
    if (format != kFormat || version != ReplayVersion()) {
        return fail("the replay was recorded by another version of the game (" + version +
                    "); this is " + ReplayVersion());
    }
    if (bytes_hash(bytes.data(), bytes.size() - 8) != sum) {
        return fail("the replay file is damaged or cut short");
    }
    Replay out;
    std::uint64_t checkpoints = 0, tape = 0;
    bool ok = GetSetup(in, &out.Setup) && in.int_within(2, &out.GraphicsQuality);
    std::int64_t random = 0;
    ok = ok && in.signed_value(&random) && random > 0 && random < 2147483647;
    out.RandomState = static_cast<std::int32_t>(random);
    for (std::int64_t* v :
         {&out.StartSysMs, &out.StartGameMs, &out.RunSysMs, &out.RunGameMs, &out.DeltaClock}) {
        ok = ok && in.signed_value(v);
    }
    ok = ok && in.real(&out.DeltaTime) && in.int_within(1 << 20, &out.MouseX) &&
         in.int_within(1 << 20, &out.MouseY);
    for (Binding& b : out.Controls) {
        for (int& input : b.inputs) ok = ok && in.int_within(kMouseInput + 3, &input);
    }
    std::uint64_t aiming = 0;
    ok = ok && in.up_to(1, &aiming) && in.real(&out.PadAimX) && in.real(&out.PadAimY);
    out.PadAiming = aiming != 0;
    ok = ok && std::abs(out.PadAimX) <= 1.0 && std::abs(out.PadAimY) <= 1.0;
    ok = ok && in.up_to(kMaxCheckpoints, &checkpoints) && checkpoints * 8 <= in.left();
    for (std::uint64_t i = 0; ok && i < checkpoints; ++i) {
        out.Checkpoints.push_back(0);
        ok = in.u64(&out.Checkpoints.back());
    }
    ok = ok && in.u64(&out.EndHash) && in.up_to(kMaxTape, &tape) && tape == in.left() &&
         in.raw(static_cast<std::size_t>(tape), &out.Tape);
    if (!ok || tape_frame_count(out.Tape) < 0) return fail("the replay file is damaged");
    *r = std::move(out);
    return true;
}

bool SaveReplayFile(const Replay& replay, const std::string& path, std::string* error) {
    const Bytes bytes = EncodeReplay(replay);
    // Written beside the file and then renamed: a crash never leaves half a
    // replay under the name.
    const std::string temporary = path + ".tmp";
    StreamHandle out = stream_open_write(temporary);
    bool ok = out != nullptr;
    ok = ok && stream_write_string(out, std::string(bytes.begin(), bytes.end())) != 0;
    ok = ok && stream_flush(out) != 0;
    if (out) stream_close(out);
    ok = ok && fs_rename_file(temporary, path) != 0;
    if (!ok) {
        fs_delete_file(temporary);
        if (error) *error = "cannot write " + path;
    }
    return ok;
}

bool LoadReplayFile(const std::string& path, Replay* replay, std::string* error) {
    StreamHandle in = stream_open_read(path);
    if (!in) {
        if (error) *error = "cannot read " + path;
        return false;
    }
    const std::int64_t size = stream_size(in);
    Bytes bytes(static_cast<std::size_t>(size > 0 ? size : 0));
    const std::size_t got = stream_read_bytes(in, bytes.data(), bytes.size());
    stream_close(in);
    bytes.resize(got);
    return DecodeReplay(bytes, replay, error);
}

std::string NewReplayName(const std::string& folder) {
    char stamp[32];
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string prefix = (folder.empty() ? "" : folder + "/") + "replay-" + stamp;
    std::string name = prefix + ".cmr";
    for (int n = 2; fs_file_type(name) != 0; ++n) name = prefix + "-" + std::to_string(n) + ".cmr";
    return name;
}
