#pragma once
// Small numeric helpers of the steering library, all on doubles. Random
// values come from the engine's generator, so a seeded run repeats.

#include <cmath>
#include <numbers>

#include "engine/random.h"

constexpr double kTinyValue = 1e-12;

inline double DegToRad(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

inline double RadToDeg(double radians) {
    return radians * 180.0 / std::numbers::pi;
}

/// True when |value| is below a tiny constant.
inline bool IsZero(double value) {
    return std::fabs(value) < kTinyValue;
}

/// True when a and b differ by less than a tiny constant.
inline bool IsEqual(double a, double b) {
    return std::fabs(a - b) < kTinyValue;
}

/// value limited to lo..hi (lo wins when the bounds are crossed).
inline double Clamp(double value, double lo, double hi) {
    if (value > hi) value = hi;
    if (value < lo) value = lo;
    return value;
}

/// Nearest integer, halves away from zero.
inline int Rounded(double value) {
    return static_cast<int>(std::lround(value));
}

/// A random double in [lo, hi).
inline double RandInRange(double lo, double hi) {
    return rnd_float(lo, hi);
}

/// A random integer from lo to hi, both included.
inline int RandInt(int lo, int hi) {
    return rnd_int(lo, hi);
}

/// The difference of two uniform numbers in 0..1: -1..1, most often near 0.
inline double RandomClamped() {
    const double a = rnd_float(0.0, 1.0);
    return a - rnd_float(0.0, 1.0);
}
