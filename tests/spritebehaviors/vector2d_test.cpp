#include <gtest/gtest.h>

#include <cmath>

#include "spritebehaviors/vector2d.h"

#include "tests/spritebehaviors/expect_vec.h"

namespace {

TEST(Vector2D, AnglesPointUpOnScreenAtNinetyDegrees) {
    EXPECT_NEAR(Vector2D(0, -1).Angle(), 90.0, 1e-12);
    EXPECT_NEAR(Vector2D(0, 1).Angle(), -90.0, 1e-12);
    EXPECT_NEAR(Vector2D(0, 1).Heading(), 270.0, 1e-12);
    ExpectVec(*Vector2D::CreatePolar(3, 90), 0, -3);
    ExpectVec(*Vector2D::CreatePolar(2, 0), 2, 0);
    Vector2D v(2, 0);
    v.Rotate(90);  // anticlockwise on screen
    ExpectVec(v, 0, -2);
    Vector2D w(2, 0);
    Vec2DRotateAroundOrigin(w, 90);  // the matrix rotation turns clockwise on screen
    ExpectVec(w, 0, 2);
}

TEST(Vector2D, NormalisingTwoWays) {
    ExpectVec(Vec2DNormalize(Vector2D(0.5, 0)), 0.5, 0);
    ExpectVec(Vec2DNormalize(Vector2D(3, 4)), 0.6, 0.8);
    Vector2D zero;
    EXPECT_FALSE(zero.Normalize());
    ExpectVec(zero, 0, 0);
    Vector2D v(0.5, 0);
    EXPECT_TRUE(v.Normalize());
    ExpectVec(v, 1, 0);
}

TEST(Vector2D, TruncateAndSetLength) {
    Vector2D v(6, 8);
    ExpectVec(v.Truncate(5), 3, 4);
    ExpectVec(v.Truncate(5), 3, 4);
    Vector2D w(1, 0);
    ExpectVec(w.SetLength(-2), 2, 0);
    ExpectVec(w.SetLength(0), 0, 0);
    Vector2D u(0, 3);
    ExpectVec(u.SetLength(1.5), 0, 1.5);
}

TEST(Vector2D, AngleBetweenNeverIsNaN) {
    const Vector2D a(1e-8, 1), b(1e-8 * (1 + 1e-15), 1);
    EXPECT_FALSE(std::isnan(a.AngleTo(b)));
    EXPECT_NEAR(Vector2D(1, 0).AngleTo(Vector2D(0, 5)), 90.0, 1e-9);
    EXPECT_EQ(Vector2D(0, 0).AngleTo(Vector2D(1, 0)), 0.0);
    // Parallel vectors whose dot product rounds above the product of lengths.
    const Vector2D p(0.1, 0.7), q(0.3, 2.1);
    EXPECT_NEAR(p.AngleTo(q), 0.0, 1e-5);
}

TEST(Vector2D, ProjectReflectExtendAndSign) {
    Vector2D v(3, 4);
    ExpectVec(v.Project(Vector2D(1, 0)), 3, 0);
    ExpectVec(Vector2D::ReflectNew(Vector2D(1, 1), Vector2D(0, -1)), 1, -1);
    Vector2D e(3, 4);
    ExpectVec(e.Extend(5), 6, 8);
    EXPECT_EQ(Vector2D(1, 0).Sign(Vector2D(0, 1)), 1);
    EXPECT_EQ(Vector2D(1, 0).Sign(Vector2D(0, -1)), -1);
    EXPECT_TRUE(Vector2D(std::nan(""), 0).IsZero());
    EXPECT_FALSE(Vector2D(0, 0).IsZero()) << "only a NaN length counts";
    Vector2D wrap(11, -1);
    WrapAround(wrap, 0, 10, 0, 10);
    ExpectVec(wrap, 0, 10);
}

}  // namespace
