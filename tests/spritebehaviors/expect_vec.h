#pragma once
// Vector comparisons shared by the steering library's tests.

#include <gtest/gtest.h>

#include "spritebehaviors/vector2d.h"

inline void ExpectVec(const Vector2D& v, double x, double y, double tolerance = 1e-9) {
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
}
