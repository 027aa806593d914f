#pragma once
// The engine's millisecond clock. Real time by default; under a fixed frame
// step the clock is virtual and advances only when a frame is presented, so a
// seeded run repeats exactly whatever the machine's speed.

#include <cstdint>
#include <string>

/// Milliseconds since the engine started (64 bits: no wrap in practice).
std::int64_t sys_millisecs();
/// Local time of day as "%H:%M:%S". On the virtual clock it is the time since
/// start-up counted from 00:00:00, so that logs repeat too.
std::string sys_current_time();

/// Switches to the virtual clock with the given step in seconds (0 switches
/// back to real time). The virtual clock and the game's clock restart at 0.
void clock_set_fixed_step(double seconds);
/// Puts the virtual clock, and the game's clock with it, at `ms` (for
/// example hours into a session, to check timers far from the start). Does
/// nothing on the real clock.
void clock_set_virtual_ms(std::int64_t ms);
/// The fixed step in seconds, 0 on the real clock.
double clock_fixed_step();
/// While an input tape plays, the clock is virtual and each frame advances
/// it by the tape's recorded step (see engine/input_tape.h); it starts from
/// the reading it had.
void clock_set_taped(bool taped);
/// Ends a frame: advances the virtual clock by one step, carrying the
/// fraction of a millisecond (1/60 s gives 16, 17, 17, ...; nothing on the
/// real clock), and then the game's clock by the time the frame took unless
/// it is held.
void clock_advance_frame();
/// Restarts the real clock's zero at the present moment.
void clock_reset();

/// The game's clock in milliseconds: the engine clock less the time it was
/// held. It moves only when a frame ends (`clock_advance_frame`, which every
/// flip calls), so every reading within one frame agrees. Match timers,
/// animations and the frame time of the simulation read it, so that a paused
/// match loses no time and its timers pick up where they stopped.
std::int64_t game_millisecs();
/// Puts the game's clock at `ms` (a replay starts where its recording did).
void clock_set_game_ms(std::int64_t ms);
/// Holds the game's clock (a paused match) or lets it run again; the time
/// held never reaches it.
void game_clock_hold(bool held);
bool game_clock_held();

/// Precise frame pacing: waits until `period_ms` after the previous call's
/// deadline (or returns at once when late, restarting the schedule).
void clock_wait_frame(double period_ms);

/// Seconds on the real monotonic clock, whatever the virtual clock says
/// (for measuring frame times).
double clock_real_seconds();
