#pragma once
// 2-D vectors of the steering library, in double precision.
//
// Angles are in degrees with screen y growing downwards: angle 0 points to +x
// and angle 90 points to -y (up on screen). The angle of a vector is
// atan2(-y, x); a vector of length L at angle a is (L cos a, -L sin a).

#include <memory>
#include <optional>

class Vector2D;
using Vector2DRef = std::shared_ptr<Vector2D>;

class Vector2D {
public:
    double x = 0.0;
    double y = 0.0;

    Vector2D() = default;
    Vector2D(double x_, double y_) : x(x_), y(y_) {}

    static Vector2DRef Create(double x, double y);
    /// The vector from point a to point b.
    static Vector2DRef CreateBetween(const Vector2D& a, const Vector2D& b);
    /// (1, 0) set to the length, then to the angle: CreatePolar(3, 90) is (0, -3).
    static Vector2DRef CreatePolar(double length, double angle);
    /// The same as a plain value: (|length| cos a, -|length| sin a).
    static Vector2D Polar(double length, double angle);

    /// In place: longer than max becomes max long, same direction.
    Vector2D& Truncate(double max);
    Vector2DRef Copy() const;
    Vector2D& SetVector(const Vector2D& v);
    Vector2D& Set(double x, double y);
    /// In place: keeps the length, points at angle a.
    Vector2D& SetAngle(double a);
    /// In place: 0 gives (0, 0); otherwise the same direction at length |l|.
    Vector2D& SetLength(double l);
    double Length() const;
    double LengthSq() const;
    /// atan2(-y, x) in degrees, -180..180.
    double Angle() const;
    /// The angle normalised to 0 <= a < 360.
    double Heading() const;
    /// The angle between this and v in degrees; 0 when either is zero. The
    /// arccos argument is clamped so that rounding cannot give NaN.
    double AngleTo(const Vector2D& v) const;
    Vector2D Perp() const { return Vector2D(y, -x); }
    Vector2D PerpOther() const { return Vector2D(-y, x); }
    Vector2D& SetPerp();
    Vector2D& SetPerpOther();
    Vector2D& SetPerpOf(const Vector2D& v);
    Vector2D& SetPerpOtherOf(const Vector2D& v);
    Vector2D& Reverse();
    /// In place: this = b - a.
    Vector2D& Sub2(const Vector2D& a, const Vector2D& b);
    Vector2D& Add(const Vector2D& v);
    /// In place: this += v, then scaled by the last frame time.
    Vector2D& AddTimed(const Vector2D& v);
    Vector2D AddNew(const Vector2D& v) const;
    Vector2D AddNewTimed(const Vector2D& v) const;
    /// Moves the tip by d along the vector's own angle.
    Vector2D& Extend(double d);
    Vector2D ExtendNew(double d) const;
    /// In place: the projection of this onto v (a zero v leaves this unchanged).
    Vector2D& Project(const Vector2D& v);
    Vector2D& ProjectOf(const Vector2D& u, const Vector2D& v);
    Vector2D ProjectNew(const Vector2D& v) const;
    /// In place: reflects about the normal n (the dot product in single
    /// precision, as the steering was tuned).
    Vector2D& Reflect(const Vector2D& n);
    static Vector2D ReflectNew(const Vector2D& v, const Vector2D& n);
    /// In place: adds a degrees to the angle, keeping the length.
    Vector2D& Rotate(double a);
    Vector2D& Sub(const Vector2D& v);
    double Dot(const Vector2D& v) const { return x * v.x + y * v.y; }
    Vector2D& Mul(double s);
    Vector2D& Div(double s);
    Vector2D MulNew(double s) const { return Vector2D(x * s, y * s); }
    Vector2D DivNew(double s) const { return Vector2D(x / s, y / s); }
    /// True only for a not-a-number length (the test is x² + y² < 0).
    bool IsZero() const;
    Vector2D& ScaleByFrameTime();
    /// In place: divides by the length unless it is 0; false for a zero vector,
    /// which stays unchanged.
    bool Normalize();
    Vector2D NormalizeNew() const;
    /// -1 if y * v.x > x * v.y (v clockwise of this), else +1.
    int Sign(const Vector2D& v) const;

    /// The crossing point of the segments ab and cd with its parts truncated
    /// to integers, or nothing when they do not cross.
    static std::optional<Vector2D> LineIntersect(const Vector2D& a, const Vector2D& b,
                                                 const Vector2D& c, const Vector2D& d);

    // Debug drawing with the engine's current colour, alpha and font.
    /// A line from (x0, y0) to (x0, y0) + this.
    void DrawLine(double x0, double y0) const;
    /// The line with an arrow head at its tip.
    void DrawArrow(double x0, double y0) const;
    /// Prints the length at (x, y).
    void DrawLength(double x, double y) const;
    /// Prints the angle (0..360) at (x, y).
    void DrawAngle(double x, double y) const;
};

inline Vector2D operator+(const Vector2D& a, const Vector2D& b) {
    return Vector2D(a.x + b.x, a.y + b.y);
}
inline Vector2D operator-(const Vector2D& a, const Vector2D& b) {
    return Vector2D(a.x - b.x, a.y - b.y);
}
inline Vector2D operator*(const Vector2D& a, double s) {
    return Vector2D(a.x * s, a.y * s);
}
inline Vector2D operator*(double s, const Vector2D& a) {
    return Vector2D(a.x * s, a.y * s);
}

Vector2D Vec2DCreate(double x, double y);
Vector2D Vec2DSub(const Vector2D& a, const Vector2D& b);
/// Divided by its length only when longer than 1; shorter vectors keep
/// their length (the sprite's heading relies on this).
Vector2D Vec2DNormalize(const Vector2D& v);
double Vec2DDistance(const Vector2D& a, const Vector2D& b);
double Vec2DDistanceSq(const Vector2D& a, const Vector2D& b);
double Vec2DLength(const Vector2D& v);
double Vec2DLengthSq(const Vector2D& v);
/// In place: rotates v by a degrees (clockwise on screen for positive a).
void Vec2DRotateAroundOrigin(Vector2D& v, double a);
/// In place: x above maxX becomes minX, below minX becomes maxX; y likewise.
void WrapAround(Vector2D& v, double minX, double maxX, double minY, double maxY);

// Variants for a vector that may be missing: they give 0 or do nothing.
double Vec2DSafeLength(const Vector2D* v);
double Vec2DSafeAngle(const Vector2D* v);
double Vec2DSafeDot(const Vector2D* a, const Vector2D* b);
void Vec2DSafeSet(Vector2D* v, double x, double y);
void Vec2DSafeNormalize(Vector2D* v);
void Vec2DSafeTruncate(Vector2D* v, double max);
