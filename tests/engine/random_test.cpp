#include <gtest/gtest.h>

#include <cstdint>

#include "engine/random.h"

namespace {

// Park-Miller with multiplier 48271 by hand: 4660 * 48271 = 224942860, which
// is below 2^31 - 1, so the first state after the initial one is exactly it.
TEST(Random, FirstStatesFollowTheMinimalStandardRecurrence) {
    rnd_seed(0);  // 0 is replaced by 4660
    EXPECT_EQ(rnd_state(), 4660);
    rnd_float(0, 1);
    EXPECT_EQ(rnd_state(), 224942860);
    // 224942860 * 48271 mod (2^31 - 1), worked out with 64-bit integers.
    const std::int64_t expected = (224942860LL * 48271LL) % 2147483647LL;
    rnd_float(0, 1);
    EXPECT_EQ(rnd_state(), expected);
}

TEST(Random, SeedMasksTo31BitsAndAvoidsFixedPoints) {
    rnd_seed(2147483647);
    EXPECT_EQ(rnd_state(), 4660);
    rnd_seed(0x80000005LL);
    EXPECT_EQ(rnd_state(), 5);
    rnd_seed(-1);  // all bits set: masks to 2^31 - 1, a fixed point
    EXPECT_EQ(rnd_state(), 4660);
}

TEST(Random, UnitValueUsesTheTopBitsOfTheState) {
    rnd_seed(1);
    // State after one step from 1 is 48271; (48271 & 268435440) / 2^28.
    const double v = rnd_float(0, 1);
    EXPECT_DOUBLE_EQ(v, static_cast<double>(48271 & 268435440) / 268435456.0);
    rnd_seed(1);
    EXPECT_DOUBLE_EQ(rnd_float(10, 20), 10 + v * 10);
    rnd_seed(1);
    EXPECT_DOUBLE_EQ(rnd_float(20, 10), 10 + v * 10);  // bounds in either order
}

TEST(Random, IntReachesBothBoundsInEitherOrder) {
    rnd_seed(12345);
    bool seen[6] = {};
    for (int i = 0; i < 2000; ++i) {
        const int v = rnd_int(5, 1);
        ASSERT_GE(v, 1);
        ASSERT_LE(v, 5);
        seen[v] = true;
    }
    for (int v = 1; v <= 5; ++v) EXPECT_TRUE(seen[v]) << v;
}

TEST(Random, SameSeedSameSequence) {
    rnd_seed(777);
    double a[8];
    for (double& x : a) x = rnd_float(-3, 3);
    rnd_seed(777);
    for (double x : a) EXPECT_EQ(rnd_float(-3, 3), x);
}

}  // namespace
