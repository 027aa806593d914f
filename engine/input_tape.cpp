#include "engine/input_tape.h"

#include "engine/byte_codec.h"
#include "engine/clock.h"
#include "engine/engine_detail.h"
#include "engine/gamepad.h"

using engine_detail::TapeEvent;
using engine_detail::TapeKind;

namespace {

constexpr int kLastKind = static_cast<int>(TapeKind::PadReset);
// Limits a tape's numbers must keep: a frame of at most a day, pointer moves
// and wheel turns within a million.
constexpr int kMaxStepMs = 24 * 3600 * 1000;
constexpr int kMaxMove = 1 << 20;
constexpr int kMaxAxis = 127;

struct TapeState {
    bool recording = false;
    std::vector<std::uint8_t> bytes;  // the recording
    int last_x = 0, last_y = 0;       // the pointer, for recording its moves

    bool playing = false;
    std::vector<std::uint8_t> play;  // the tape being played
    std::size_t at = 0;              // next record
    int play_x = 0, play_y = 0;
    long long frames = 0;
};
TapeState g_tape;

// Reads the records of a tape, refusing anything `tape_record_stop` would
// not have written.
class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, std::size_t at) : in_(bytes, at) {}
    bool done() const { return in_.done(); }
    std::size_t at() const { return in_.at(); }
    TapeKind peek() const { return static_cast<TapeKind>(in_.peek()); }
    /// One record; `x` and `y` carry the pointer from record to record.
    bool record(TapeEvent* ev, std::int64_t* step, int* x, int* y) {
        std::uint8_t k = 0;
        if (!in_.byte(&k) || k < 1 || k > kLastKind) return false;
        ev->kind = static_cast<TapeKind>(k);
        int dx = 0, dy = 0, ms = 0;
        switch (ev->kind) {
            case TapeKind::Poll:
            case TapeKind::FocusLost:
            case TapeKind::FocusGained:
            case TapeKind::PadReset:
                return true;
            case TapeKind::PadDown:
            case TapeKind::PadUp:
                return in_.int_up_to(pad::kButtonCount - 1, &ev->a);
            case TapeKind::PadAxis:
                return in_.int_up_to(pad::kAxisCount - 1, &ev->a) &&
                       in_.int_within(kMaxAxis, &ev->b);
            case TapeKind::Step:
                if (!in_.int_up_to(kMaxStepMs, &ms)) return false;
                *step = ms;
                return true;
            case TapeKind::KeyDown:
            case TapeKind::KeyUp:
                return in_.int_up_to(SDL_NUM_SCANCODES - 1, &ev->a);
            case TapeKind::Char:
                return in_.int_up_to(0x10FFFF, &ev->a);
            case TapeKind::Wheel:
                return in_.int_within(kMaxMove, &ev->a);
            case TapeKind::ButtonDown:
            case TapeKind::ButtonUp:
                if (!in_.int_up_to(255, &ev->c)) return false;
                [[fallthrough]];
            case TapeKind::Motion:
                if (!in_.int_within(kMaxMove, &dx) || !in_.int_within(kMaxMove, &dy)) return false;
                *x += dx;
                *y += dy;
                ev->a = *x;
                ev->b = *y;
                return true;
        }
        return false;
    }

private:
    ByteReader in_;
};

}  // namespace

namespace engine_detail {

void tape_note_poll() {
    if (g_tape.recording) g_tape.bytes.push_back(static_cast<std::uint8_t>(TapeKind::Poll));
}

void tape_note_event(const TapeEvent& ev) {
    if (!g_tape.recording) return;
    std::vector<std::uint8_t>& out = g_tape.bytes;
    out.push_back(static_cast<std::uint8_t>(ev.kind));
    switch (ev.kind) {
        case TapeKind::KeyDown:
        case TapeKind::KeyUp:
        case TapeKind::Char:
        case TapeKind::PadDown:
        case TapeKind::PadUp:
            bytes_put_varint(out, static_cast<std::uint64_t>(ev.a));
            break;
        case TapeKind::PadAxis:
            bytes_put_varint(out, static_cast<std::uint64_t>(ev.a));
            bytes_put_signed(out, ev.b);
            break;
        case TapeKind::Wheel:
            bytes_put_signed(out, ev.a);
            break;
        case TapeKind::ButtonDown:
        case TapeKind::ButtonUp:
            bytes_put_varint(out, static_cast<std::uint64_t>(ev.c));
            [[fallthrough]];
        case TapeKind::Motion:
            bytes_put_signed(out, ev.a - g_tape.last_x);
            bytes_put_signed(out, ev.b - g_tape.last_y);
            g_tape.last_x = ev.a;
            g_tape.last_y = ev.b;
            break;
        default:
            break;
    }
}

void tape_note_step(std::int64_t ms) {
    if (!g_tape.recording) return;
    g_tape.bytes.push_back(static_cast<std::uint8_t>(TapeKind::Step));
    bytes_put_varint(g_tape.bytes, static_cast<std::uint64_t>(ms < 0 ? 0 : ms));
}

void tape_play_poll() {
    if (!tape_playing()) return;
    Reader r(g_tape.play, g_tape.at);
    // The poll's own record, when the recording polled here too.
    if (!r.done() && r.peek() == TapeKind::Poll) {
        TapeEvent poll{};
        std::int64_t step = 0;
        r.record(&poll, &step, &g_tape.play_x, &g_tape.play_y);
    }
    while (!r.done() && r.peek() != TapeKind::Poll && r.peek() != TapeKind::Step) {
        TapeEvent ev{};
        std::int64_t step = 0;
        r.record(&ev, &step, &g_tape.play_x, &g_tape.play_y);
        input_apply(ev);
    }
    g_tape.at = r.at();
}

bool tape_play_step(std::int64_t* ms) {
    if (!tape_playing()) return false;
    Reader r(g_tape.play, g_tape.at);
    // Events of a poll this run did not make still apply, in order.
    while (!r.done() && r.peek() != TapeKind::Step) {
        TapeEvent ev{};
        std::int64_t step = 0;
        r.record(&ev, &step, &g_tape.play_x, &g_tape.play_y);
        if (ev.kind != TapeKind::Poll) input_apply(ev);
    }
    g_tape.at = r.at();
    if (r.done()) return false;
    TapeEvent ev{};
    r.record(&ev, ms, &g_tape.play_x, &g_tape.play_y);
    g_tape.at = r.at();
    ++g_tape.frames;
    return true;
}

}  // namespace engine_detail

void tape_record_start() {
    g_tape.recording = true;
    g_tape.bytes.clear();
    g_tape.last_x = g_tape.last_y = 0;
}

bool tape_recording() {
    return g_tape.recording;
}

std::vector<std::uint8_t> tape_record_stop() {
    std::vector<std::uint8_t> bytes;
    if (g_tape.recording) bytes.swap(g_tape.bytes);
    g_tape.recording = false;
    return bytes;
}

long long tape_frame_count(const std::vector<std::uint8_t>& tape) {
    Reader r(tape, 0);
    int x = 0, y = 0;
    long long frames = 0;
    while (!r.done()) {
        TapeEvent ev{};
        std::int64_t step = 0;
        if (!r.record(&ev, &step, &x, &y)) return -1;
        if (ev.kind == TapeKind::Step) ++frames;
    }
    return frames;
}

bool tape_play_start(const std::vector<std::uint8_t>& tape, std::string* error) {
    if (tape_frame_count(tape) < 0) {
        if (error) *error = "the input tape is damaged";
        return false;
    }
    g_tape.playing = true;
    g_tape.play = tape;
    g_tape.at = 0;
    g_tape.play_x = g_tape.play_y = 0;
    g_tape.frames = 0;
    clock_set_taped(true);
    return true;
}

bool tape_playing() {
    return g_tape.playing && g_tape.at < g_tape.play.size();
}

bool tape_finished() {
    return g_tape.playing && g_tape.at >= g_tape.play.size();
}

long long tape_frames_played() {
    return g_tape.frames;
}

void tape_play_stop() {
    if (!g_tape.playing) return;
    g_tape.playing = false;
    g_tape.play.clear();
    g_tape.at = 0;
    clock_set_taped(false);
}
