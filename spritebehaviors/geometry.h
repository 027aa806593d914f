#pragma once
// Transforms and geometry of the steering library: the 3 x 3 matrix (points
// are row vectors, transforms apply in the order they are added), world and
// local space conversions for an agent's heading/side frame, and segment and
// circle tests.

#include <vector>

#include "spritebehaviors/vector2d.h"

/// Nine numbers, row-major; all zero when new.
struct Matrix {
    double _11 = 0, _12 = 0, _13 = 0;
    double _21 = 0, _22 = 0, _23 = 0;
    double _31 = 0, _32 = 0, _33 = 0;
};

class C2DMatrix {
public:
    /// The identity.
    C2DMatrix() { Identity(); }

    /// this = this x m.
    void Multiply(const Matrix& m);
    void Identity();
    void Translate(double x, double y);
    void Scale(double sx, double sy);
    /// Composes [cos a, sin a, 0; -sin a, cos a, 0; 0, 0, 1]: clockwise on
    /// screen for positive a.
    void Rotate(double a);
    /// Composes [heading.x, heading.y, 0; side.x, side.y, 0; 0, 0, 1].
    void RotateToFrame(const Vector2D& heading, const Vector2D& side);
    void TransformVector2Ds(std::vector<Vector2D>& points) const;
    void TransformVector2D(Vector2D& point) const;
    const Matrix& matrix() const { return m_; }
    Matrix& matrix() { return m_; }

private:
    Matrix m_;
};

std::vector<Vector2D> WorldTransform(const std::vector<Vector2D>& points, const Vector2D& pos,
                                     const Vector2D& heading, const Vector2D& side,
                                     const Vector2D& scale);
std::vector<Vector2D> WorldTransform(const std::vector<Vector2D>& points, const Vector2D& pos,
                                     const Vector2D& heading, const Vector2D& side);
Vector2D PointToWorldSpace(const Vector2D& point, const Vector2D& heading, const Vector2D& side,
                           const Vector2D& pos);
Vector2D VectorToWorldSpace(const Vector2D& vec, const Vector2D& heading, const Vector2D& side);
Vector2D PointToLocalSpace(const Vector2D& point, const Vector2D& heading, const Vector2D& side,
                           const Vector2D& pos);
Vector2D VectorToLocalSpace(const Vector2D& vec, const Vector2D& heading, const Vector2D& side);

/// Distance from p to the segment ab (to the nearer end when the foot of the
/// perpendicular falls outside it).
double DistToLineSegment(const Vector2D& a, const Vector2D& b, const Vector2D& p);
double DistToLineSegmentSq(const Vector2D& a, const Vector2D& b, const Vector2D& p);
/// True when the open segments ab and cd cross (both parameters strictly
/// between 0 and 1; parallel segments never cross).
bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d);
/// As above; `dist` is the distance along ab to the crossing and `point` the
/// crossing point (dist 0 and point untouched when they do not cross).
bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d,
                        double& dist, Vector2D& point);
/// As the first form, and `dist` = the distance along ab to the crossing.
/// Collinear segments that overlap count as crossing, with `dist` the
/// distance from a to the start of the overlap.
bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d,
                        double& dist);
/// True when any edge of the closed outline a crosses any edge of outline b.
bool ObjectIntersection2D(const std::vector<Vector2D>& a, const std::vector<Vector2D>& b);
/// True when the segment ab crosses any edge of the closed outline.
bool SegmentObjectIntersection2D(const Vector2D& a, const Vector2D& b,
                                 const std::vector<Vector2D>& outline);

/// Distance < r1 + r2, or one circle inside the other.
bool TwoCirclesOverlapped(const Vector2D& c1, double r1, const Vector2D& c2, double r2);
/// True when one circle lies wholly inside the other.
bool TwoCirclesEnclosed(const Vector2D& c1, double r1, const Vector2D& c2, double r2);
/// The two points where the circles' outlines cross; false (points untouched)
/// when they do not cross, touch or coincide.
bool TwoCirclesIntersectionPoints(const Vector2D& c1, double r1, const Vector2D& c2, double r2,
                                  Vector2D& p1, Vector2D& p2);
/// Area shared by the two circles (the smaller circle's area when enclosed).
double TwoCirclesIntersectionArea(const Vector2D& c1, double r1, const Vector2D& c2, double r2);
double CircleArea(double r);
bool PointInCircle(const Vector2D& centre, double r, const Vector2D& p);
/// Squared distance from the centre to the segment ab < r².
bool LineSegmentCircleIntersection(const Vector2D& a, const Vector2D& b, const Vector2D& centre,
                                   double r);
/// When the circle's outline crosses the segment ab, `point` is the crossing
/// nearest to a and the result is true (with a inside the circle, the one
/// ahead of a). A zero-length segment never intersects.
bool LineSegmentCircleClosestIntersectionPoint(const Vector2D& a, const Vector2D& b,
                                               const Vector2D& centre, double r, Vector2D& point);

/// `count` points at `length` from the origin, spread evenly over `fov`
/// degrees around `facing` (a direction, its angle is used), in world space.
/// The first and last lie at the edges of the fan; one whisker alone points
/// along the facing.
std::vector<Vector2D> CreateWhiskers(int count, double length, double fov, const Vector2D& facing,
                                     const Vector2D& origin);
