#include "engine/clock.h"

#include "engine/engine_detail.h"

#include <chrono>
#include <cmath>
#include <ctime>
#include <thread>

namespace {

using SteadyClock = std::chrono::steady_clock;

struct ClockState {
    SteadyClock::time_point start = SteadyClock::now();
    double fixed_step = 0.0;  // seconds; 0 = real clock
    bool taped = false;       // virtual, stepped by a playing input tape
    double virtual_ms = 0.0;  // exact virtual time, fractions carried
    SteadyClock::time_point next_frame{};
    bool frame_scheduled = false;
    std::int64_t game_ms = 0;    // the game's clock
    std::int64_t game_last = 0;  // the engine clock when it last moved
    bool game_held = false;
};

ClockState& state() {
    static ClockState s;
    return s;
}

// The game's clock starts again from the engine clock's reading.
void restart_game_clock(ClockState& s);

}  // namespace

std::int64_t sys_millisecs() {
    ClockState& s = state();
    if (s.fixed_step > 0.0 || s.taped) {
        return static_cast<std::int64_t>(std::floor(s.virtual_ms));
    }
    return std::chrono::duration_cast<std::chrono::milliseconds>(SteadyClock::now() - s.start)
        .count();
}

std::string sys_current_time() {
    ClockState& s = state();
    char text[16];
    if (s.fixed_step > 0.0 || s.taped) {
        const std::int64_t seconds = sys_millisecs() / 1000;
        std::snprintf(text, sizeof text, "%02d:%02d:%02d", static_cast<int>(seconds / 3600 % 24),
                      static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
        return text;
    }
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(text, sizeof text, "%H:%M:%S", &local);
    return text;
}

void clock_set_fixed_step(double seconds) {
    ClockState& s = state();
    s.fixed_step = seconds > 0.0 ? seconds : 0.0;
    s.virtual_ms = 0.0;
    s.game_held = false;
    restart_game_clock(s);
}

void clock_set_virtual_ms(std::int64_t ms) {
    ClockState& s = state();
    if (s.fixed_step <= 0.0 && !s.taped) return;
    s.virtual_ms = static_cast<double>(ms);
    restart_game_clock(s);
}

void clock_set_game_ms(std::int64_t ms) {
    state().game_ms = ms;
}

void clock_set_taped(bool taped) {
    ClockState& s = state();
    if (taped == s.taped) return;
    if (taped) s.virtual_ms = static_cast<double>(sys_millisecs());
    s.taped = taped;
    // The game's clock goes on from where it stands.
    s.game_last = sys_millisecs();
}

double clock_fixed_step() {
    return state().fixed_step;
}

void clock_advance_frame() {
    ClockState& s = state();
    if (s.taped) {
        std::int64_t ms = 0;
        if (engine_detail::tape_play_step(&ms)) s.virtual_ms += static_cast<double>(ms);
    } else if (s.fixed_step > 0.0) {
        s.virtual_ms += s.fixed_step * 1000.0;
    }
    const std::int64_t now = sys_millisecs();
    engine_detail::tape_note_step(now - s.game_last);
    if (!s.game_held) s.game_ms += now - s.game_last;
    s.game_last = now;
}

void clock_reset() {
    ClockState& s = state();
    s.start = SteadyClock::now();
    s.frame_scheduled = false;
    s.game_held = false;
    restart_game_clock(s);
}

std::int64_t game_millisecs() {
    return state().game_ms;
}

void game_clock_hold(bool held) {
    state().game_held = held;
}

bool game_clock_held() {
    return state().game_held;
}

namespace {

void restart_game_clock(ClockState& s) {
    s.game_last = sys_millisecs();
    s.game_ms = s.game_last;
}

}  // namespace

void clock_wait_frame(double period_ms) {
    ClockState& s = state();
    const auto period = std::chrono::duration_cast<SteadyClock::duration>(
        std::chrono::duration<double, std::milli>(period_ms));
    const auto now = SteadyClock::now();
    if (!s.frame_scheduled || now > s.next_frame + period) {
        // First frame, or more than a frame late: restart the schedule rather
        // than rushing through frames to catch up.
        s.next_frame = now + period;
        s.frame_scheduled = true;
        return;
    }
    // Sleep most of the wait, then spin the last stretch: sleep alone
    // overshoots by up to a millisecond on a loaded machine.
    const auto spin = std::chrono::microseconds(1500);
    if (s.next_frame - now > spin) std::this_thread::sleep_for(s.next_frame - now - spin);
    while (SteadyClock::now() < s.next_frame) std::this_thread::yield();
    s.next_frame += period;
}

double clock_real_seconds() {
    return std::chrono::duration<double>(SteadyClock::now().time_since_epoch()).count();
}
