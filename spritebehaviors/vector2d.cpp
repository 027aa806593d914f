#include "spritebehaviors/vector2d.h"

#include <algorithm>
#include <cmath>

#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/text.h"
#include "spritebehaviors/delta.h"

Vector2DRef Vector2D::Create(double x, double y) {
    return std::make_shared<Vector2D>(x, y);
}

Vector2DRef Vector2D::CreateBetween(const Vector2D& a, const Vector2D& b) {
    return std::make_shared<Vector2D>(b.x - a.x, b.y - a.y);
}

Vector2DRef Vector2D::CreatePolar(double length, double angle) {
    return std::make_shared<Vector2D>(Polar(length, angle));
}

Vector2D Vector2D::Polar(double length, double angle) {
    Vector2D v(1.0, 0.0);
    v.SetLength(length);
    v.SetAngle(angle);
    return v;
}

Vector2D& Vector2D::Truncate(double max) {
    if (Length() > max) {
        Normalize();
        Mul(max);
    }
    return *this;
}

Vector2DRef Vector2D::Copy() const {
    return std::make_shared<Vector2D>(x, y);
}

Vector2D& Vector2D::SetVector(const Vector2D& v) {
    return Set(v.x, v.y);
}

Vector2D& Vector2D::Set(double x_, double y_) {
    x = x_;
    y = y_;
    return *this;
}

Vector2D& Vector2D::SetAngle(double a) {
    const double l = Length();
    return Set(l * math_cos_deg(a), -l * math_sin_deg(a));
}

Vector2D& Vector2D::SetLength(double l) {
    if (l == 0.0) return Set(0.0, 0.0);
    if (l < 0.0) Reverse();
    Normalize();
    return Mul(l);  // a negative l reverses back: the direction is kept
}

double Vector2D::Length() const {
    return std::sqrt(x * x + y * y);
}
double Vector2D::LengthSq() const {
    return x * x + y * y;
}
double Vector2D::Angle() const {
    return math_atan2_deg(-y, x);
}

double Vector2D::Heading() const {
    const double a = Angle();
    return a < 0.0 ? a + 360.0 : a;
}

double Vector2D::AngleTo(const Vector2D& v) const {
    const double lengths = Length() * v.Length();
    if (lengths == 0.0) return 0.0;
    return math_acos_deg(Dot(v) / lengths);  // clamps to [-1, 1]
}

Vector2D& Vector2D::SetPerp() {
    return Set(y, -x);
}
Vector2D& Vector2D::SetPerpOther() {
    return Set(-y, x);
}
Vector2D& Vector2D::SetPerpOf(const Vector2D& v) {
    return Set(v.y, -v.x);
}
Vector2D& Vector2D::SetPerpOtherOf(const Vector2D& v) {
    return Set(-v.y, v.x);
}
Vector2D& Vector2D::Reverse() {
    return Set(-x, -y);
}
Vector2D& Vector2D::Sub2(const Vector2D& a, const Vector2D& b) {
    return Set(b.x - a.x, b.y - a.y);
}
Vector2D& Vector2D::Add(const Vector2D& v) {
    return Set(x + v.x, y + v.y);
}
Vector2D& Vector2D::AddTimed(const Vector2D& v) {
    return Add(v).Mul(Delta::Get());
}
Vector2D Vector2D::AddNew(const Vector2D& v) const {
    return Vector2D(x + v.x, y + v.y);
}
Vector2D Vector2D::AddNewTimed(const Vector2D& v) const {
    return AddNew(v) * Delta::Get();
}

Vector2D& Vector2D::Extend(double d) {
    const double a = Angle();
    return Set(x + d * math_cos_deg(a), y - d * math_sin_deg(a));
}

Vector2D Vector2D::ExtendNew(double d) const {
    Vector2D v = *this;
    return v.Extend(d);
}

Vector2D& Vector2D::Project(const Vector2D& v) {
    const double vv = v.Dot(v);
    if (vv == 0.0) return *this;
    const double k = Dot(v) / vv;
    return Set(v.x * k, v.y * k);
}

Vector2D& Vector2D::ProjectOf(const Vector2D& u, const Vector2D& v) {
    return SetVector(u).Project(v);
}

Vector2D Vector2D::ProjectNew(const Vector2D& v) const {
    Vector2D p = *this;
    return p.Project(v);
}

Vector2D& Vector2D::Reflect(const Vector2D& n) {
    const double d = static_cast<float>(x * n.x + y * n.y);
    return Add(n * (2.0 * -d));
}

Vector2D Vector2D::ReflectNew(const Vector2D& v, const Vector2D& n) {
    Vector2D r = v;
    return r.Reflect(n);
}

Vector2D& Vector2D::Rotate(double a) {
    return SetAngle(Angle() + a);
}
Vector2D& Vector2D::Sub(const Vector2D& v) {
    return Set(x - v.x, y - v.y);
}
Vector2D& Vector2D::Mul(double s) {
    return Set(x * s, y * s);
}
Vector2D& Vector2D::Div(double s) {
    return Set(x / s, y / s);
}
bool Vector2D::IsZero() const {
    return !(x * x + y * y >= 0.0);
}
Vector2D& Vector2D::ScaleByFrameTime() {
    return Mul(Delta::Get());
}

bool Vector2D::Normalize() {
    const double l = Length();
    if (l == 0.0) return false;
    Div(l);
    return true;
}

Vector2D Vector2D::NormalizeNew() const {
    Vector2D v = *this;
    v.Normalize();
    return v;
}

int Vector2D::Sign(const Vector2D& v) const {
    return y * v.x > x * v.y ? -1 : 1;
}

Vector2D Vec2DCreate(double x, double y) {
    return Vector2D(x, y);
}
Vector2D Vec2DSub(const Vector2D& a, const Vector2D& b) {
    return a - b;
}

Vector2D Vec2DNormalize(const Vector2D& v) {
    const double l = v.Length();
    return l > 1.0 ? Vector2D(v.x / l, v.y / l) : v;
}

double Vec2DDistance(const Vector2D& a, const Vector2D& b) {
    return (a - b).Length();
}
double Vec2DDistanceSq(const Vector2D& a, const Vector2D& b) {
    return (a - b).LengthSq();
}
double Vec2DLength(const Vector2D& v) {
    return v.Length();
}
double Vec2DLengthSq(const Vector2D& v) {
    return v.LengthSq();
}

void Vec2DRotateAroundOrigin(Vector2D& v, double a) {
    // Row vector times [cos a, sin a; -sin a, cos a]: clockwise on screen.
    const double c = math_cos_deg(a), s = math_sin_deg(a);
    v.Set(c * v.x - s * v.y, s * v.x + c * v.y);
}

void WrapAround(Vector2D& v, double minX, double maxX, double minY, double maxY) {
    if (v.x > maxX) v.x = minX;
    if (v.x < minX) v.x = maxX;
    if (v.y > maxY) v.y = minY;
    if (v.y < minY) v.y = maxY;
}

std::optional<Vector2D> Vector2D::LineIntersect(const Vector2D& a, const Vector2D& b,
                                                const Vector2D& c, const Vector2D& d) {
    const double den = (b.x - a.x) * (d.y - c.y) - (b.y - a.y) * (d.x - c.x);
    if (den == 0.0) return std::nullopt;
    const double r = ((a.y - c.y) * (d.x - c.x) - (a.x - c.x) * (d.y - c.y)) / den;
    const double s = ((a.y - c.y) * (b.x - a.x) - (a.x - c.x) * (b.y - a.y)) / den;
    if (!(r > 0 && r < 1 && s > 0 && s < 1)) return std::nullopt;
    return Vector2D(std::trunc(a.x + r * (b.x - a.x)), std::trunc(a.y + r * (b.y - a.y)));
}

void Vector2D::DrawLine(double x0, double y0) const {
    gfx_draw_line(x0, y0, x0 + x, y0 + y);
}

void Vector2D::DrawArrow(double x0, double y0) const {
    DrawLine(x0, y0);
    const double len = Length();
    if (len == 0.0) return;
    // Two barbs a fifth of the length (at most 10 pixels) back from the tip.
    const double barb = std::min(10.0, len / 5);
    const Vector2D back = *this * (-barb / len);
    for (const double turn : {30.0, -30.0}) {
        Vector2D b = back;
        b.Rotate(turn);
        b.DrawLine(x0 + x, y0 + y);
    }
}

void Vector2D::DrawLength(double x0, double y0) const {
    gfx_draw_text(str_from_float(Length()), x0, y0);
}

void Vector2D::DrawAngle(double x0, double y0) const {
    gfx_draw_text(str_from_float(Heading()), x0, y0);
}

double Vec2DSafeLength(const Vector2D* v) {
    return v ? v->Length() : 0.0;
}

double Vec2DSafeAngle(const Vector2D* v) {
    return v ? v->Angle() : 0.0;
}

double Vec2DSafeDot(const Vector2D* a, const Vector2D* b) {
    return a && b ? a->Dot(*b) : 0.0;
}

void Vec2DSafeSet(Vector2D* v, double x, double y) {
    if (v) v->Set(x, y);
}

void Vec2DSafeNormalize(Vector2D* v) {
    if (v) v->Normalize();
}

void Vec2DSafeTruncate(Vector2D* v, double max) {
    if (v) v->Truncate(max);
}
