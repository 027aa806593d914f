#pragma once
// The steering library's moving entity: a point mass with position,
// velocity, heading and limits, steered by its own `SteeringBehavior` and
// drawn as an image (or a triangle outline) at its position and heading.
//
// Velocity is in pixels per step: the position advances by the velocity
// once per `Update` whatever the time step, while the steering acceleration
// is scaled by the step in seconds. Angles are in degrees, anticlockwise on
// screen (90 points up).

#include <memory>
#include <vector>

#include "engine/image.h"
#include "spritebehaviors/smoother.h"
#include "spritebehaviors/vector2d.h"

class GameWorld;
class SteeringBehavior;
class Sprite;
using SpriteRef = std::shared_ptr<Sprite>;

class Sprite : public std::enable_shared_from_this<Sprite> {
public:
    Sprite() = default;
    virtual ~Sprite() = default;
    Sprite(const Sprite&) = default;
    Sprite& operator=(const Sprite&) = default;

    /// A sprite with its own steering and heading smoother. It is not added
    /// to the world: the caller does that.
    static SpriteRef Create(ImageHandle image, const std::shared_ptr<GameWorld>& world,
                            const Vector2D& pos, double rotation, const Vector2D& velocity,
                            double mass, double maxForce, double maxSpeed, double maxTurnRate,
                            double scale);

    /// One simulation step of dt seconds (called by the world).
    virtual void Update(double dt);
    /// The image at the position, or the outline without an image.
    virtual void Render();
    /// Sets the camera offset subtracted when drawing.
    virtual void SetOffset(double x, double y);
    virtual void SetImage(ImageHandle image);

    /// Distance between positions at most the sum of the radii; never with
    /// itself.
    bool Overlaps(const Sprite& other) const;
    /// Seconds between animation frames (the absolute value); 0 stops it.
    void SetFrameDelay(double d);
    double GetFrameDelay() const { return FrameDelay; }
    void ClearPointList() { PointList.clear(); }
    void AddPoint(const Vector2D& v) { PointList.push_back(v); }
    /// Drops every object this sprite refers to (steering and its targets,
    /// smoother, image, world, lists). Stepping and drawing stay safe.
    void Release();
    void SetWrap(int on) { WrapOn = on; }
    std::shared_ptr<GameWorld> GetWorld() const { return World.lock(); }
    /// The triangle (-10, 5), (10, 0), (-10, -5) pointing along the heading.
    void InitShape();
    const Vector2D& GetSmoothedHeading() const { return SmoothedHeading; }
    bool IsSmoothingOn() const { return Smoothing; }
    void SmoothingOn() { Smoothing = true; }
    void SmoothingOff() { Smoothing = false; }
    void ToggleSmoothing() { Smoothing = !Smoothing; }
    const std::shared_ptr<SteeringBehavior>& GetSteering() const { return Steering; }
    bool IsTagged() const { return Tagged; }
    void Tag() { Tagged = true; }
    void UnTag() { Tagged = false; }
    double GetTimeElapsed() const { return TimeElapsed; }
    const Vector2D& GetSide() const { return Side; }
    /// True when the speed has reached MaxSpeed.
    bool IsSpeedMaxedOut() const;
    /// Turns heading (and velocity) toward the target by at most
    /// MaxTurnRate degrees; true when already facing it.
    bool RotateHeadingToFacePosition(const Vector2D& target);
    void SetMaxTurnRate(double v) { MaxTurnRate = v; }
    double GetMaxTurnRate() const { return MaxTurnRate; }
    void SetMaxForce(double v) { MaxForce = v; }
    double GetMaxForce() const { return MaxForce; }
    void SetMaxSpeed(double v) { MaxSpeed = v; }
    double GetMaxSpeed() const { return MaxSpeed; }
    double GetSpeed() const { return Velocity.Length(); }
    void SetMass(double v) { Mass = v; }
    double GetMass() const { return Mass; }
    void SetBoundingRadius(double r) { BoundingRadius = r; }
    double GetBoundingRadius() const { return BoundingRadius; }
    void AddVelocityPolar(double length, double angle);
    /// Next and previous animation frame, wrapping around the image's frames.
    void NextFrame();
    void PrevFrame();
    void SetBlend(int mode) { Blend = mode; }
    int GetBlend() const { return Blend; }
    void SetAlpha(double a) { Alpha = a; }
    double GetAlpha() const { return Alpha; }
    void RenderShape();
    void RenderImage();
    /// The steering overlays the world's display switches select.
    void RenderDebug();
    int GetImageWidth() const;
    int GetImageHeight() const;
    void SetColor(int r, int g, int b);
    /// Velocity angle = -a (the y-down angle a).
    void SetDirection(double a);
    double GetDirection() const;
    void SetSpeed(double s) { Velocity.SetLength(s); }
    void SetVelocity(const Vector2D& v) { Velocity = v; }
    const Vector2D& GetVelocity() const { return Velocity; }
    /// Normalises a into 0..360 (only values above 360 are reduced, so 360
    /// stays 360) and points the heading there.
    void SetRotation(double a);
    void SetHeading(const Vector2D& v);
    /// Angle of the heading, 0 <= a < 360.
    double GetRotation() const { return Heading.Heading(); }
    const Vector2D& GetHeading() const { return Heading; }
    /// Position += velocity (used by particles).
    void MoveByVelocity();
    void SetPos(double x, double y) { Pos.Set(x, y); }
    double GetX() const { return Pos.x; }
    double GetY() const { return Pos.y; }
    const Vector2D& GetPos() const { return Pos; }
    void SetScale(double sx, double sy) { Scale.Set(sx, sy); }
    double GetScaleX() const { return Scale.x; }
    double GetScaleY() const { return Scale.y; }
    const Vector2D& GetScale() const { return Scale; }
    void SetFrame(int n) { Frame = n; }
    int GetFrame() const { return Frame; }
    const ImageHandle& GetImage() const { return Image; }

    double BoundingRadius = 0.0;
    ImageHandle Image;
    int Frame = 0;
    double FrameDelay = 0.0;
    /// Clock reading (milliseconds) of the last animation frame change.
    double LastFrameTime = 0.0;
    Vector2D Pos;
    Vector2D ViewOffset;
    Vector2D Heading;
    Vector2D Side;
    Vector2D Velocity;
    Vector2D Spare;
    int Red = 255;
    int Green = 255;
    int Blue = 255;
    double Alpha = 1.0;
    Vector2D Scale{1.0, 1.0};
    int Blend = 3;
    double Mass = 0.0;
    double MaxSpeed = 1000.0;
    double MaxForce = 1000.0;
    double MaxTurnRate = 360.0;
    double TimeElapsed = 0.0;
    bool Tagged = false;
    std::weak_ptr<GameWorld> World;
    std::shared_ptr<SteeringBehavior> Steering;
    std::shared_ptr<Vector2DSmoother> HeadingSmoother;
    Vector2D SmoothedHeading;
    /// When true, `SmoothedHeading` follows the heading each step.
    bool Smoothing = false;
    std::vector<Vector2D> Shape;
    int WrapOn = 0;
    Vector2D LastSteeringForce;
    std::vector<Vector2D> PointList;
};
