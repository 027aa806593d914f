#include "engine/random.h"

#include <cmath>

namespace {

constexpr std::int32_t kModulus = 2147483647;
constexpr std::int32_t kMultiplier = 48271;
constexpr std::int32_t kQuotient = 44488;  // kModulus / kMultiplier
constexpr std::int32_t kRemainder = 3399;  // kModulus % kMultiplier
constexpr std::int32_t kInitialState = 4660;

std::int32_t g_state = kInitialState;

// Advances the state and returns a unit value in [0, 1) from its top bits.
double next_unit() {
    std::int32_t next = kMultiplier * (g_state % kQuotient) - kRemainder * (g_state / kQuotient);
    if (next < 0) next += kModulus;
    g_state = next;
    return static_cast<double>(g_state & 268435440) / 268435456.0;
}

}  // namespace

void rnd_seed(std::int64_t s) {
    const std::int32_t state = static_cast<std::int32_t>(s & kModulus);
    g_state = (state == 0 || state == kModulus) ? kInitialState : state;
}

std::int32_t rnd_state() {
    return g_state;
}

double rnd_float(double a, double b) {
    const double low = a < b ? a : b;
    const double high = a < b ? b : a;
    return low + next_unit() * (high - low);
}

int rnd_int(int a, int b) {
    const std::int64_t low = a < b ? a : b;
    const std::int64_t span =
        (a < b ? static_cast<std::int64_t>(b) - a : static_cast<std::int64_t>(a) - b) + 1;
    return static_cast<int>(low +
                            static_cast<std::int64_t>(next_unit() * static_cast<double>(span)));
}
