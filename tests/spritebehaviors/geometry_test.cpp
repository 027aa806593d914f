#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "spritebehaviors/geometry.h"

#include "tests/spritebehaviors/expect_vec.h"

namespace {

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

TEST(Segments, CollinearOverlapCountsOnlyWithTheDistanceForm) {
    const Vector2D a(0, 0), b(10, 0);
    double dist = -1;
    EXPECT_TRUE(LineIntersection2D(a, b, Vector2D(4, 0), Vector2D(20, 0), dist));
    EXPECT_NEAR(dist, 4, 1e-12);
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(4, 0), Vector2D(20, 0)));
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(11, 0), Vector2D(20, 0), dist)) << "apart";
    EXPECT_FALSE(LineIntersection2D(a, b, Vector2D(4, 1), Vector2D(20, 1), dist)) << "parallel";
    EXPECT_TRUE(LineIntersection2D(a, b, Vector2D(3, -1), Vector2D(3, 1), dist));
    EXPECT_NEAR(dist, 3, 1e-12);
}

TEST(Segments, IntegerCrossingPointAndOutlines) {
    const auto p = Vector2D::LineIntersect(Vector2D(0, 0), Vector2D(10, 10), Vector2D(0, 7.5),
                                           Vector2D(10, 7.5));
    ASSERT_TRUE(p.has_value());
    ExpectVec(*p, 7, 7);  // 7.5 truncated
    EXPECT_FALSE(
        Vector2D::LineIntersect(Vector2D(0, 0), Vector2D(1, 0), Vector2D(0, 1), Vector2D(1, 1)));
    const std::vector<Vector2D> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    const std::vector<Vector2D> shifted{{5, 5}, {15, 5}, {15, 15}, {5, 15}};
    const std::vector<Vector2D> inside{{2, 2}, {4, 2}, {4, 4}};
    EXPECT_TRUE(ObjectIntersection2D(square, shifted));
    EXPECT_FALSE(ObjectIntersection2D(square, inside)) << "no edges cross";
    // The closing edge from the last point back to the first counts too.
    EXPECT_TRUE(SegmentObjectIntersection2D(Vector2D(-5, 5), Vector2D(5, 5), square));
    EXPECT_FALSE(SegmentObjectIntersection2D(Vector2D(-5, 5), Vector2D(-1, 5), square));
}

TEST(Circles, OverlapEnclosureCrossingsAndAreas) {
    const Vector2D o(0, 0);
    EXPECT_TRUE(TwoCirclesEnclosed(o, 10, Vector2D(2, 0), 3));
    EXPECT_FALSE(TwoCirclesEnclosed(o, 10, Vector2D(9, 0), 3));
    Vector2D p1, p2;
    ASSERT_TRUE(TwoCirclesIntersectionPoints(o, 5, Vector2D(8, 0), 5, p1, p2));
    ExpectVec(p1, 4, 3);
    ExpectVec(p2, 4, -3);
    EXPECT_FALSE(TwoCirclesIntersectionPoints(o, 1, Vector2D(8, 0), 1, p1, p2)) << "apart";
    EXPECT_FALSE(TwoCirclesIntersectionPoints(o, 1, o, 1, p1, p2)) << "same centre";
    EXPECT_NEAR(CircleArea(2), 4 * std::numbers::pi, 1e-12);
    EXPECT_NEAR(TwoCirclesIntersectionArea(o, 1, Vector2D(5, 0), 1), 0, 1e-12);
    EXPECT_NEAR(TwoCirclesIntersectionArea(o, 5, Vector2D(1, 0), 1), std::numbers::pi, 1e-12);
    // Two unit circles one radius apart share 2pi/3 - sqrt(3)/2.
    EXPECT_NEAR(TwoCirclesIntersectionArea(o, 1, Vector2D(1, 0), 1),
                2 * std::numbers::pi / 3 - std::sqrt(3.0) / 2, 1e-12);
}

TEST(Circles, ClosestCrossingOfASegment) {
    const Vector2D a(0, 0), b(100, 0);
    Vector2D p(-1, -1);
    ASSERT_TRUE(LineSegmentCircleClosestIntersectionPoint(a, b, Vector2D(50, 3), 5, p));
    ExpectVec(p, 46, 0);  // 50 - sqrt(25 - 9)
    // With a inside the circle, the crossing ahead of a.
    ASSERT_TRUE(LineSegmentCircleClosestIntersectionPoint(a, b, Vector2D(1, 0), 5, p));
    ExpectVec(p, 6, 0);
    EXPECT_FALSE(LineSegmentCircleClosestIntersectionPoint(a, b, Vector2D(50, 5), 5, p))
        << "grazing the line is not a crossing";
    EXPECT_FALSE(LineSegmentCircleClosestIntersectionPoint(a, b, Vector2D(-10, 0), 5, p))
        << "beyond the start";
    EXPECT_FALSE(LineSegmentCircleClosestIntersectionPoint(a, b, Vector2D(50, 0), 500, p))
        << "the segment lies wholly inside";
    EXPECT_FALSE(LineSegmentCircleClosestIntersectionPoint(a, a, Vector2D(0, 0), 5, p));
}

TEST(Whiskers, SpreadEvenlyAroundTheFacing) {
    const std::vector<Vector2D> w = CreateWhiskers(3, 10, 90, Vector2D(0, -1), Vector2D(5, 5));
    ASSERT_EQ(w.size(), 3u);
    // Facing up (90 degrees): whiskers at 45, 90 and 135 degrees.
    ExpectVec(w[0], 5 + 10 * std::sqrt(0.5), 5 - 10 * std::sqrt(0.5));
    ExpectVec(w[1], 5, -5);
    ExpectVec(w[2], 5 - 10 * std::sqrt(0.5), 5 - 10 * std::sqrt(0.5));
    const std::vector<Vector2D> one = CreateWhiskers(1, 4, 90, Vector2D(1, 0), Vector2D(0, 0));
    ASSERT_EQ(one.size(), 1u);
    ExpectVec(one[0], 4, 0);
    EXPECT_TRUE(CreateWhiskers(0, 4, 90, Vector2D(1, 0), Vector2D(0, 0)).empty());
}

}  // namespace
