#pragma once
// The steering world: the sprites it steps and draws, the walls that wall
// avoidance steers away from, circular obstacles, and the debug display
// switches.

#include <array>
#include <memory>
#include <vector>

#include "spritebehaviors/smoother.h"
#include "spritebehaviors/vector2d.h"

class Sprite;
using SpriteRef = std::shared_ptr<Sprite>;

struct RGBColor {
    int R = 0;
    int G = 0;
    int B = 0;
    static RGBColor Create(int r, int g, int b) { return RGBColor{r, g, b}; }
};

/// A line segment with a normal. Wall avoidance pushes along the normal, so
/// its length sets the strength of the push.
class Wall {
public:
    Wall() = default;
    /// From (x1, y1) to (x2, y2) with the unit normal `CalculateNormal` gives.
    Wall(double x1, double y1, double x2, double y2);
    static std::shared_ptr<Wall> Create(double x1, double y1, double x2, double y2);

    void SetColor(int r, int g, int b);
    int GetRed() const { return red_; }
    int GetGreen() const { return green_; }
    int GetBlue() const { return blue_; }
    void SetAlpha(double a) { alpha_ = a; }
    double GetAlpha() const { return alpha_; }
    void SetBlend(int mode) { blend_ = mode; }
    int GetBlend() const { return blend_; }
    /// Added to both ends when drawing.
    void SetOffset(double x, double y) { offset_.Set(x, y); }
    const Vector2D& Offset() const { return offset_; }
    /// Normal = (-d.y, d.x) with d the direction from `From` to `To`
    /// (normalised only when longer than 1); for a wall from left to right it
    /// points down the screen.
    void CalculateNormal();
    /// A line from From + Offset to To + Offset; with showNormal also the
    /// normal, ten times its length, in blue from the midpoint.
    void Render(bool showNormal) const;

    const Vector2D& From() const { return from_; }
    void SetFrom(const Vector2D& v) { from_ = v; }
    const Vector2D& To() const { return to_; }
    void SetTo(const Vector2D& v) { to_ = v; }
    const Vector2D& Normal() const { return normal_; }
    void SetNormal(const Vector2D& v) { normal_ = v; }
    Vector2D Centre() const { return (from_ + to_) * 0.5; }

private:
    Vector2D from_;
    Vector2D to_;
    Vector2D normal_;
    Vector2D offset_;
    int red_ = 255;
    int green_ = 255;
    int blue_ = 255;
    double alpha_ = 1.0;
    int blend_ = 3;
};
using WallRef = std::shared_ptr<Wall>;

/// The world's debug display switches, in their fixed order.
enum class WorldFlag {
    ShowWalls,
    ShowWallNormals,
    ShowObstacles,
    ShowPath,
    ShowDetectionBox,
    ShowWanderCircle,
    ShowFeelers,
    ShowSteeringForce,
    ShowFPS,
    ShowNeighbours,
    ViewKeys,  ///< kept for the order; nothing reads or toggles it
    ShowViewRange,
    ShowHeading,
    ShowSmoothedHeading,
    NonPenetrationSprites,
    NonPenetrationObstacles,
    Count
};

/// Holds the sprites (agents), obstacles and walls. `Update` steps every
/// agent, `Render` draws walls, obstacles, agents and the frame rate.
///
/// The world owns its agents and walls. A sprite refers back to its world
/// weakly; destroying the world releases its agents (`Sprite::Release`), so
/// that sprites seeking each other do not keep each other alive.
class GameWorld : public std::enable_shared_from_this<GameWorld> {
public:
    GameWorld(int cx, int cy);
    ~GameWorld();
    GameWorld(const GameWorld&) = delete;
    GameWorld& operator=(const GameWorld&) = delete;

    static std::shared_ptr<GameWorld> Create(int cx, int cy);

    /// Tags every other agent whose distance minus its bounding radius is
    /// below range, and untags the rest (the sprite itself included).
    void TagNeighbours(const Sprite& sprite, double range);
    /// Releases every agent and empties the list.
    void ClearAgents();
    void AddObstacle(SpriteRef obstacle);
    void RemoveAgent(const SpriteRef& sprite);
    /// Adds the sprite; a sprite without a world joins this one.
    void AddAgent(SpriteRef sprite);
    void AddWall(WallRef wall);
    void ClearObstacles();
    void ClearWalls();
    void SetSize(int cx, int cy);
    /// Smooths the frame time, then steps every agent with the raw dt, first
    /// to last. Does nothing while paused.
    void Update(double dt);
    void Render();
    /// Pushes the sprite out of overlapping agents and/or obstacles, as the
    /// two non-penetration switches say.
    void EnforceNonPenetration(Sprite& sprite);
    void TagAgentsWithinViewRange(const Sprite& sprite, double range);
    void TagObstaclesWithinViewRange(const Sprite& sprite, double range);

    const std::vector<WallRef>& Walls() const { return walls_; }
    const std::vector<SpriteRef>& Obstacles() const { return obstacles_; }
    const std::vector<SpriteRef>& Agents() const { return agents_; }
    void TogglePause() { paused_ = !paused_; }
    bool IsPaused() const { return paused_; }
    int CxClient() const { return cx_; }
    int CyClient() const { return cy_; }
    double AvFrameTime() const { return av_frame_time_; }
    /// The number the frame-rate display shows: 1 / smoothed frame time,
    /// truncated; 0 while the smoothed time is 0 (frames faster than the
    /// millisecond clock).
    int DisplayedFrameRate() const;
    const RGBColor& Colour(int index) const { return palette_[static_cast<std::size_t>(index)]; }

    bool Flag(WorldFlag f) const { return flags_[static_cast<std::size_t>(f)]; }
    void ToggleFlag(WorldFlag f) { flags_[static_cast<std::size_t>(f)] ^= true; }

    bool ShowWalls() const { return Flag(WorldFlag::ShowWalls); }
    bool ShowWallNormals() const { return Flag(WorldFlag::ShowWallNormals); }
    bool ShowObstacles() const { return Flag(WorldFlag::ShowObstacles); }
    bool ShowPath() const { return Flag(WorldFlag::ShowPath); }
    bool ShowDetectionBox() const { return Flag(WorldFlag::ShowDetectionBox); }
    bool ShowWanderCircle() const { return Flag(WorldFlag::ShowWanderCircle); }
    bool ShowFeelers() const { return Flag(WorldFlag::ShowFeelers); }
    bool ShowSteeringForce() const { return Flag(WorldFlag::ShowSteeringForce); }
    bool ShowFPS() const { return Flag(WorldFlag::ShowFPS); }
    bool ShowNeighbours() const { return Flag(WorldFlag::ShowNeighbours); }
    bool ShowViewRange() const { return Flag(WorldFlag::ShowViewRange); }
    bool ShowHeading() const { return Flag(WorldFlag::ShowHeading); }
    bool ShowSmoothedHeading() const { return Flag(WorldFlag::ShowSmoothedHeading); }
    bool NonPenetrationSprites() const { return Flag(WorldFlag::NonPenetrationSprites); }
    bool NonPenetrationObstacles() const { return Flag(WorldFlag::NonPenetrationObstacles); }

    void ToggleShowWalls() { ToggleFlag(WorldFlag::ShowWalls); }
    void ToggleShowWallNormals() { ToggleFlag(WorldFlag::ShowWallNormals); }
    void ToggleShowObstacles() { ToggleFlag(WorldFlag::ShowObstacles); }
    void ToggleShowPath() { ToggleFlag(WorldFlag::ShowPath); }
    void ToggleShowDetectionBox() { ToggleFlag(WorldFlag::ShowDetectionBox); }
    void ToggleShowWanderCircle() { ToggleFlag(WorldFlag::ShowWanderCircle); }
    void ToggleShowFeelers() { ToggleFlag(WorldFlag::ShowFeelers); }
    void ToggleShowSteeringForce() { ToggleFlag(WorldFlag::ShowSteeringForce); }
    void ToggleShowFPS() { ToggleFlag(WorldFlag::ShowFPS); }
    void ToggleShowNeighbours() { ToggleFlag(WorldFlag::ShowNeighbours); }
    void ToggleShowViewRange() { ToggleFlag(WorldFlag::ShowViewRange); }
    void ToggleShowHeading() { ToggleFlag(WorldFlag::ShowHeading); }
    void ToggleShowSmoothedHeading() { ToggleFlag(WorldFlag::ShowSmoothedHeading); }
    void ToggleNonPenetrationSprites() { ToggleFlag(WorldFlag::NonPenetrationSprites); }
    void ToggleNonPenetrationObstacles() { ToggleFlag(WorldFlag::NonPenetrationObstacles); }

    /// Not read by the world itself.
    Vector2D Crosshair;
    Vector2D Spare;

private:
    std::vector<SpriteRef> agents_;
    std::vector<SpriteRef> obstacles_;
    std::vector<WallRef> walls_;
    bool paused_ = false;
    int cx_ = 0;
    int cy_ = 0;
    double av_frame_time_ = 0.0;
    std::array<bool, static_cast<std::size_t>(WorldFlag::Count)> flags_{};
    std::array<RGBColor, 14> palette_;
    DoubleSmoother frame_time_smoother_{10};
};
using GameWorldRef = std::shared_ptr<GameWorld>;

/// A circle outline of line segments around (x, y).
void DrawCircle(double x, double y, double r);
