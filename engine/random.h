#pragma once
// The engine's random generator: Park-Miller "minimal standard" with
// multiplier 48271, computed by Schrage's method to stay within 32 bits.

#include <cstdint>

/// Sets the state to s AND 2147483647; 0 and 2147483647 (fixed points of the
/// recurrence) are replaced by 4660.
void rnd_seed(std::int64_t s);
/// The current 31-bit state (4660 before any seed).
std::int32_t rnd_state();
/// A value in [low, high) where low and high are the smaller and larger bound.
double rnd_float(double a, double b);
/// A value from the smaller to the larger bound, both included.
int rnd_int(int a, int b);
