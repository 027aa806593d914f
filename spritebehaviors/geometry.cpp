#include "spritebehaviors/geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "engine/text.h"

void C2DMatrix::Multiply(const Matrix& in) {
    const Matrix a = m_;
    Matrix& r = m_;
    r._11 = a._11 * in._11 + a._12 * in._21 + a._13 * in._31;
    r._12 = a._11 * in._12 + a._12 * in._22 + a._13 * in._32;
    r._13 = a._11 * in._13 + a._12 * in._23 + a._13 * in._33;
    r._21 = a._21 * in._11 + a._22 * in._21 + a._23 * in._31;
    r._22 = a._21 * in._12 + a._22 * in._22 + a._23 * in._32;
    r._23 = a._21 * in._13 + a._22 * in._23 + a._23 * in._33;
    r._31 = a._31 * in._11 + a._32 * in._21 + a._33 * in._31;
    r._32 = a._31 * in._12 + a._32 * in._22 + a._33 * in._32;
    r._33 = a._31 * in._13 + a._32 * in._23 + a._33 * in._33;
}

void C2DMatrix::Identity() {
    m_ = Matrix{};
    m_._11 = m_._22 = m_._33 = 1;
}

void C2DMatrix::Translate(double x, double y) {
    Matrix t;
    t._11 = t._22 = t._33 = 1;
    t._31 = x;
    t._32 = y;
    Multiply(t);
}

void C2DMatrix::Scale(double sx, double sy) {
    Matrix t;
    t._11 = sx;
    t._22 = sy;
    t._33 = 1;
    Multiply(t);
}

void C2DMatrix::Rotate(double a) {
    const double s = math_sin_deg(a), c = math_cos_deg(a);
    Matrix t;
    t._11 = c;
    t._12 = s;
    t._21 = -s;
    t._22 = c;
    t._33 = 1;
    Multiply(t);
}

void C2DMatrix::RotateToFrame(const Vector2D& heading, const Vector2D& side) {
    Matrix t;
    t._11 = heading.x;
    t._12 = heading.y;
    t._21 = side.x;
    t._22 = side.y;
    t._33 = 1;
    Multiply(t);
}

void C2DMatrix::TransformVector2D(Vector2D& p) const {
    const double x = m_._11 * p.x + m_._21 * p.y + m_._31;
    const double y = m_._12 * p.x + m_._22 * p.y + m_._32;
    p.Set(x, y);
}

void C2DMatrix::TransformVector2Ds(std::vector<Vector2D>& points) const {
    for (Vector2D& p : points) TransformVector2D(p);
}

std::vector<Vector2D> WorldTransform(const std::vector<Vector2D>& points, const Vector2D& pos,
                                     const Vector2D& heading, const Vector2D& side,
                                     const Vector2D& scale) {
    std::vector<Vector2D> out = points;
    C2DMatrix m;
    if (scale.x != 1.0 || scale.y != 1.0) m.Scale(scale.x, scale.y);
    m.RotateToFrame(heading, side);
    m.Translate(pos.x, pos.y);
    m.TransformVector2Ds(out);
    return out;
}

std::vector<Vector2D> WorldTransform(const std::vector<Vector2D>& points, const Vector2D& pos,
                                     const Vector2D& heading, const Vector2D& side) {
    return WorldTransform(points, pos, heading, side, Vector2D(1, 1));
}

Vector2D PointToWorldSpace(const Vector2D& point, const Vector2D& heading, const Vector2D& side,
                           const Vector2D& pos) {
    Vector2D p = point;
    C2DMatrix m;
    m.RotateToFrame(heading, side);
    m.Translate(pos.x, pos.y);
    m.TransformVector2D(p);
    return p;
}

Vector2D VectorToWorldSpace(const Vector2D& vec, const Vector2D& heading, const Vector2D& side) {
    Vector2D v = vec;
    C2DMatrix m;
    m.RotateToFrame(heading, side);
    m.TransformVector2D(v);
    return v;
}

Vector2D PointToLocalSpace(const Vector2D& point, const Vector2D& heading, const Vector2D& side,
                           const Vector2D& pos) {
    Vector2D p = point;
    C2DMatrix m;
    Matrix& r = m.matrix();
    r._11 = heading.x;
    r._12 = side.x;
    r._21 = heading.y;
    r._22 = side.y;
    r._31 = -pos.Dot(heading);
    r._32 = -pos.Dot(side);
    m.TransformVector2D(p);
    return p;
}

Vector2D VectorToLocalSpace(const Vector2D& vec, const Vector2D& heading, const Vector2D& side) {
    return PointToLocalSpace(vec, heading, side, Vector2D(0, 0));
}

double DistToLineSegmentSq(const Vector2D& a, const Vector2D& b, const Vector2D& p) {
    const Vector2D ab = b - a, ap = p - a;
    const double along = ab.Dot(ap);
    if (along <= 0) return ap.LengthSq();
    const double len_sq = ab.LengthSq();
    if (along >= len_sq) return (p - b).LengthSq();
    const Vector2D foot = a + ab * (along / len_sq);
    return (p - foot).LengthSq();
}

double DistToLineSegment(const Vector2D& a, const Vector2D& b, const Vector2D& p) {
    return std::sqrt(DistToLineSegmentSq(a, b, p));
}

namespace {

// Parameters of the crossing along ab (r) and cd (s); false when parallel.
bool CrossingParameters(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d,
                        double& r, double& s) {
    const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
    if (den == 0.0) return false;
    r = ((a.y - c.y) * (d.x - c.x) - (a.x - c.x) * (d.y - c.y)) / den;
    s = ((a.y - c.y) * (b.x - a.x) - (a.x - c.x) * (b.y - a.y)) / den;
    return true;
}

}  // namespace

bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c,
                        const Vector2D& d) {
    double r = 0, s = 0;
    return CrossingParameters(a, b, c, d, r, s) && r > 0 && r < 1 && s > 0 && s < 1;
}

bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d,
                        double& dist, Vector2D& point) {
    double r = 0, s = 0;
    if (CrossingParameters(a, b, c, d, r, s) && r > 0 && r < 1 && s > 0 && s < 1) {
        dist = r * Vec2DDistance(a, b);
        point = a + (b - a) * r;
        return true;
    }
    dist = 0;
    return false;
}

bool TwoCirclesOverlapped(const Vector2D& c1, double r1, const Vector2D& c2, double r2) {
    const double d = Vec2DDistance(c1, c2);
    return d < r1 + r2 || d < std::fabs(r1 - r2);
}

bool PointInCircle(const Vector2D& centre, double r, const Vector2D& p) {
    return Vec2DDistanceSq(centre, p) < r * r;
}

bool LineSegmentCircleIntersection(const Vector2D& a, const Vector2D& b, const Vector2D& centre,
                                   double r) {
    return DistToLineSegmentSq(a, b, centre) < r * r;
}

bool LineIntersection2D(const Vector2D& a, const Vector2D& b, const Vector2D& c, const Vector2D& d,
                        double& dist) {
    double r = 0, s = 0;
    if (CrossingParameters(a, b, c, d, r, s)) {
        if (r > 0 && r < 1 && s > 0 && s < 1) {
            dist = r * Vec2DDistance(a, b);
            return true;
        }
        dist = 0;
        return false;
    }
    // Parallel: they meet only when collinear, and then along an overlap.
    const Vector2D ab = b - a;
    const double len_sq = ab.LengthSq();
    const double cross = ab.x * (c.y - a.y) - ab.y * (c.x - a.x);
    dist = 0;
    if (len_sq == 0.0 || cross != 0.0) return false;
    const double tc = ab.Dot(c - a) / len_sq, td = ab.Dot(d - a) / len_sq;
    const double lo = std::max(0.0, std::min(tc, td)), hi = std::min(1.0, std::max(tc, td));
    if (lo > hi) return false;
    dist = lo * std::sqrt(len_sq);
    return true;
}

namespace {

// Each edge of a closed outline, the last point joined back to the first.
template <typename Visit>
bool AnyEdge(const std::vector<Vector2D>& outline, Visit visit) {
    const std::size_t n = outline.size();
    if (n < 2) return false;
    for (std::size_t i = 0; i < n; ++i) {
        if (visit(outline[i], outline[(i + 1) % n])) return true;
    }
    return false;
}

}  // namespace

bool ObjectIntersection2D(const std::vector<Vector2D>& a, const std::vector<Vector2D>& b) {
    return AnyEdge(a, [&](const Vector2D& p, const Vector2D& q) {
        return SegmentObjectIntersection2D(p, q, b);
    });
}

bool SegmentObjectIntersection2D(const Vector2D& a, const Vector2D& b,
                                 const std::vector<Vector2D>& outline) {
    return AnyEdge(outline, [&](const Vector2D& p, const Vector2D& q) {
        return LineIntersection2D(a, b, p, q);
    });
}

bool TwoCirclesEnclosed(const Vector2D& c1, double r1, const Vector2D& c2, double r2) {
    return Vec2DDistance(c1, c2) < std::fabs(r1 - r2);
}

bool TwoCirclesIntersectionPoints(const Vector2D& c1, double r1, const Vector2D& c2, double r2,
                                  Vector2D& p1, Vector2D& p2) {
    const double d = Vec2DDistance(c1, c2);
    if (d == 0.0 || d > r1 + r2 || d < std::fabs(r1 - r2)) return false;
    // Distance from c1 to the chord's midpoint, and half the chord.
    const double along = (r1 * r1 - r2 * r2 + d * d) / (2 * d);
    const double half = std::sqrt(std::max(0.0, r1 * r1 - along * along));
    const Vector2D dir = (c2 - c1) * (1.0 / d);
    const Vector2D mid = c1 + dir * along;
    p1 = mid + dir.PerpOther() * half;
    p2 = mid + dir.Perp() * half;
    return true;
}

double TwoCirclesIntersectionArea(const Vector2D& c1, double r1, const Vector2D& c2, double r2) {
    const double d = Vec2DDistance(c1, c2);
    if (d >= r1 + r2) return 0.0;
    if (d <= std::fabs(r1 - r2)) return CircleArea(std::min(r1, r2));
    // Two circular segments on either side of the common chord.
    const double a1 = std::acos(std::clamp((d * d + r1 * r1 - r2 * r2) / (2 * d * r1), -1.0, 1.0));
    const double a2 = std::acos(std::clamp((d * d + r2 * r2 - r1 * r1) / (2 * d * r2), -1.0, 1.0));
    return r1 * r1 * (a1 - std::sin(2 * a1) / 2) + r2 * r2 * (a2 - std::sin(2 * a2) / 2);
}

double CircleArea(double r) {
    return std::numbers::pi * r * r;
}

bool LineSegmentCircleClosestIntersectionPoint(const Vector2D& a, const Vector2D& b,
                                               const Vector2D& centre, double r, Vector2D& point) {
    const double length = Vec2DDistance(a, b);
    if (length == 0.0) return false;
    const Vector2D heading = (b - a) * (1.0 / length);
    const Vector2D local = PointToLocalSpace(centre, heading, heading.Perp(), a);
    if (std::fabs(local.y) >= r) return false;
    // The circle's outline crosses the line at along = x -/+ half; take the
    // nearer crossing that lies on the segment.
    const double half = std::sqrt(r * r - local.y * local.y);
    double along = local.x - half;
    if (along < 0 || along > length) along = local.x + half;
    if (along < 0 || along > length) return false;
    point = a + heading * along;
    return true;
}

std::vector<Vector2D> CreateWhiskers(int count, double length, double fov, const Vector2D& facing,
                                     const Vector2D& origin) {
    std::vector<Vector2D> whiskers;
    if (count <= 0) return whiskers;
    whiskers.reserve(static_cast<std::size_t>(count));
    const double step = count > 1 ? fov / (count - 1) : 0.0;
    const double first = count > 1 ? facing.Angle() - fov / 2 : facing.Angle();
    for (int i = 0; i < count; ++i) {
        Vector2D w(1, 0);
        w.SetAngle(first + step * i);
        whiskers.push_back(origin + w * length);
    }
    return whiskers;
}
