#include "spritebehaviors/sprite.h"

#include <cmath>

#include "engine/clock.h"
#include "engine/graphics.h"
#include "spritebehaviors/geometry.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"

SpriteRef Sprite::Create(ImageHandle image, const std::shared_ptr<GameWorld>& world,
                         const Vector2D& pos, double rotation, const Vector2D& velocity,
                         double mass, double maxForce, double maxSpeed, double maxTurnRate,
                         double scale) {
    auto s = std::make_shared<Sprite>();
    s->SetImage(std::move(image));
    s->World = world;
    s->BoundingRadius = 1;
    s->SetPos(pos.x, pos.y);
    s->SetRotation(rotation);
    s->SetVelocity(velocity);
    s->Mass = mass;
    s->MaxForce = maxForce;
    s->MaxSpeed = maxSpeed;
    s->MaxTurnRate = maxTurnRate;
    s->SetScale(scale, scale);
    s->InitShape();
    s->Steering = SteeringBehavior::Create(s);
    s->HeadingSmoother = Vector2DSmoother::Create(10);
    return s;
}

void Sprite::Update(double dt) {
    TimeElapsed = dt;

    // Animation: the delay is in seconds, the clock in milliseconds; compare
    // whole milliseconds so that a 0.1 s delay is exactly 100 ms.
    if (FrameDelay != 0) {
        const auto now = static_cast<double>(game_millisecs());
        if (now - LastFrameTime >= static_cast<double>(std::llround(FrameDelay * 1000))) {
            NextFrame();
            LastFrameTime = now;
        }
    }

    const Vector2D force = Steering ? Steering->Calculate() : Vector2D();
    LastSteeringForce = force;
    Velocity.Add(force.DivNew(Mass) * dt);
    Velocity.Truncate(MaxSpeed);
    Pos.Add(Velocity);

    // The double nearest the single-precision 0.00000001.
    if (Velocity.LengthSq() > static_cast<double>(0.00000001f)) {
        Heading = Vec2DNormalize(Velocity);
        Side = Heading.Perp();
    }

    if (const auto world = World.lock()) {
        if (world->NonPenetrationSprites() || world->NonPenetrationObstacles()) {
            world->EnforceNonPenetration(*this);
        }
        if (WrapOn == 1) {
            WrapAround(Pos, -ViewOffset.x, world->CxClient() - ViewOffset.x, -ViewOffset.y,
                       world->CyClient() - ViewOffset.y);
        }
    }

    if (Smoothing && HeadingSmoother) SmoothedHeading = HeadingSmoother->Update(Heading);
}

void Sprite::Render() {
    if (Image) {
        RenderImage();
    } else {
        RenderShape();
    }
}

void Sprite::SetOffset(double x, double y) {
    ViewOffset.Set(x, y);
}

void Sprite::SetImage(ImageHandle image) {
    Image = std::move(image);
}

bool Sprite::Overlaps(const Sprite& other) const {
    if (&other == this) return false;
    return Vec2DDistance(Pos, other.Pos) <= BoundingRadius + other.BoundingRadius;
}

void Sprite::SetFrameDelay(double d) {
    FrameDelay = std::fabs(d);
}

void Sprite::Release() {
    Image.reset();
    World.reset();
    Steering.reset();
    HeadingSmoother.reset();
    Shape.clear();
    PointList.clear();
}

void Sprite::InitShape() {
    Shape = {Vector2D(-10, 5), Vector2D(10, 0), Vector2D(-10, -5)};
}

bool Sprite::IsSpeedMaxedOut() const {
    // Truncation leaves the length a rounding error either side of MaxSpeed.
    return Velocity.LengthSq() >= MaxSpeed * MaxSpeed * (1.0 - 1e-12);
}

bool Sprite::RotateHeadingToFacePosition(const Vector2D& target) {
    const Vector2D to = target - Pos;
    double angle = Heading.AngleTo(to);
    if (angle < 0.00001) return true;
    if (angle > MaxTurnRate) angle = MaxTurnRate;
    // Sign is +1 when the target lies clockwise on screen, the direction in
    // which a positive rotation turns.
    const double turn = angle * Heading.Sign(to);
    Vec2DRotateAroundOrigin(Heading, turn);
    Vec2DRotateAroundOrigin(Velocity, turn);
    Side = Heading.Perp();
    return false;
}

void Sprite::AddVelocityPolar(double length, double angle) {
    Velocity.Add(Vector2D::Polar(length, angle));
}

void Sprite::NextFrame() {
    const int frames = Image ? img_frames(Image) : 0;
    if (frames <= 0) return;
    Frame = (Frame + 1) % frames;
}

void Sprite::PrevFrame() {
    const int frames = Image ? img_frames(Image) : 0;
    if (frames <= 0) return;
    Frame = (Frame - 1 + frames) % frames;
}

void Sprite::RenderShape() {
    if (Shape.empty()) return;
    const std::vector<Vector2D> points =
        WorldTransform(Shape, Pos - ViewOffset, Heading, Side, Scale);
    const GfxStateGuard keep;
    gfx_apply_params(gfx_tint(Red, Green, Blue, Alpha, Blend));
    gfx_set_line_width(1);
    for (std::size_t i = 0; i < points.size(); ++i) {
        const Vector2D& a = points[i];
        const Vector2D& b = points[(i + 1) % points.size()];
        gfx_draw_line(a.x, a.y, b.x, b.y);
    }
    RenderDebug();
}

void Sprite::RenderImage() {
    img_mid_handle(Image);
    DrawParams params = gfx_tint(Red, Green, Blue, Alpha, Blend);
    params.scale_x = Scale.x;
    params.scale_y = Scale.y;
    // Drawing rotation runs clockwise on the y-down screen, the heading
    // angle anticlockwise.
    params.rotation = -GetRotation();
    gfx_draw_image_with(Image, Pos.x - ViewOffset.x, Pos.y - ViewOffset.y, Frame, params);
    RenderDebug();
}

void Sprite::RenderDebug() {
    const auto world = World.lock();
    if (!world) return;
    const bool any = world->ShowFeelers() || world->ShowWanderCircle() ||
                     world->ShowDetectionBox() || world->ShowSteeringForce() ||
                     world->ShowHeading() || world->ShowSmoothedHeading() ||
                     world->ShowViewRange() || world->ShowPath() || world->ShowNeighbours();
    if (!any) return;
    const GfxStateGuard keep;
    gfx_apply_params(DrawParams{});
    gfx_set_line_width(1);
    const Vector2D at = Pos - ViewOffset;
    auto colour = [&](int index) {
        const RGBColor& c = world->Colour(index);
        gfx_set_color(c.R, c.G, c.B);
    };
    if (world->ShowHeading()) {
        colour(3);
        (Heading * 30).DrawArrow(at.x, at.y);
    }
    if (world->ShowSmoothedHeading()) {
        colour(4);
        (SmoothedHeading * 30).DrawArrow(at.x, at.y);
    }
    if (world->ShowSteeringForce()) {
        colour(9);
        (LastSteeringForce * 10).DrawArrow(at.x, at.y);
    }
    if (world->ShowNeighbours() && Tagged) {
        colour(6);
        DrawCircle(at.x, at.y, BoundingRadius + 4);
    }
    if (Steering) Steering->RenderAids(*world, ViewOffset);
}

int Sprite::GetImageWidth() const {
    return Image ? img_width(Image) : 0;
}

int Sprite::GetImageHeight() const {
    return Image ? img_height(Image) : 0;
}

void Sprite::SetColor(int r, int g, int b) {
    Red = r;
    Green = g;
    Blue = b;
}

void Sprite::SetDirection(double a) {
    Velocity.SetAngle(-a);
}

double Sprite::GetDirection() const {
    return -Velocity.Angle();
}

void Sprite::SetRotation(double a) {
    if (a > 360) a -= 360;
    if (a < 0) a += 360;
    Heading = Vector2D::Polar(1, a);
    Side = Heading.Perp();
}

void Sprite::SetHeading(const Vector2D& v) {
    Heading = v;
    Side = Heading.Perp();
}

void Sprite::MoveByVelocity() {
    Pos.Add(Velocity);
}
