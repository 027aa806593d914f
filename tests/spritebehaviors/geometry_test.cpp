#include <gtest/gtest.h>

#include "spritebehaviors/geometry.h"

namespace {

void ExpectVec(const Vector2D& v, double x, double y) {
    EXPECT_NEAR(v.x, x, 1e-9);
    EXPECT_NEAR(v.y, y, 1e-9);
}

TEST(C2DMatrix, TransformsApplyInTheOrderAdded) {
    C2DMatrix m;
    m.Scale(2, 2);
    m.Translate(10, 0);
    Vector2D p(1, 1);
    m.TransformVector2D(p);
    ExpectVec(p, 12, 2);  // scaled first, then moved
    C2DMatrix r;
    r.Rotate(90);
    Vector2D q(1, 0);
    r.TransformVector2D(q);
    ExpectVec(q, 0, 1);  // clockwise on screen
}

TEST(SpaceTransforms, LocalAndWorldSpaceAreInverse) {
    const Vector2D heading(0, -1), side = heading.Perp(), pos(100, 50);
    const Vector2D ahead = PointToWorldSpace(Vector2D(10, 0), heading, side, pos);
    ExpectVec(ahead, 100, 40);  // ten pixels along the heading
    ExpectVec(PointToLocalSpace(ahead, heading, side, pos), 10, 0);
    ExpectVec(VectorToLocalSpace(VectorToWorldSpace(Vector2D(3, 4), heading, side), heading, side),
              3, 4);
    const std::vector<Vector2D> shape{{1, 0}, {0, 1}};
    const std::vector<Vector2D> world = WorldTransform(shape, pos, heading, side, Vector2D(2, 2));
    ExpectVec(world[0], 100, 48);
}

TEST(Segments, CrossingsAndTouchingEnds) {
    const Vector2D a(0, 0), b(10, 0), c(5, -5), d(5, 5);
    EXPECT_TRUE(LineIntersection2D(a, b, c, d));
    double dist = -1;
    Vector2D point;
    EXPECT_TRUE(LineIntersection2D(a, b, c, d, dist, point));
    EXPECT_NEAR(dist, 5, 1e-12);
    ExpectVec(point, 5, 0);
    // Segments that only touch at an end point do not intersect.
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(10, 0), Vector2D(10, 5)));
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(0, 1), Vector2D(10, 1))) << "parallel";
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(20, -5), Vector2D(20, 5), dist, point));
    EXPECT_EQ(dist, 0);
    EXPECT_NEAR(DistToLineSegment(a, b, Vector2D(5, 3)), 3, 1e-12);
    EXPECT_NEAR(DistToLineSegment(a, b, Vector2D(13, 4)), 5, 1e-12);
    EXPECT_TRUE(LineSegmentCircleIntersection(a, b, Vector2D(5, 2), 3));
    EXPECT_FALSE(PointInCircle(Vector2D(0, 0), 5, Vector2D(3, 4)));
    EXPECT_TRUE(TwoCirclesOverlapped(Vector2D(0, 0), 10, Vector2D(1, 0), 2));
}

}  // namespace
