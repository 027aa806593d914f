#pragma once
// A list of waypoints for path following: walked once, in a loop, or back
// and forth.

#include <optional>
#include <vector>

#include "spritebehaviors/vector2d.h"

class Path {
public:
    std::vector<Vector2D> Waypoints;
    /// The waypoint being headed for; none until the first `SetNextWaypoint`.
    std::optional<Vector2D> Current;
    int Index = -1;
    int Looped = 0;
    int Step = 1;
    int PingPong = 0;

    const std::optional<Vector2D>& CurrentWaypoint() const { return Current; }
    /// True when the path neither loops nor ping-pongs and the current
    /// waypoint is the last one.
    bool Finished() const;
    /// Moves to the next waypoint: wraps to the first when looped, turns back
    /// when ping-ponging, otherwise stays on the last. An empty path has no
    /// current waypoint.
    void SetNextWaypoint();
    /// Replaces the waypoints by `count` random points inside the rectangle.
    void CreateRandomPath(int count, double minX, double minY, double maxX, double maxY);
    void LoopOn() { Looped = 1; }
    void LoopOff() { Looped = 0; }
    void PingPongOn() { PingPong = 1; }
    void PingPongOff() { PingPong = 0; }
    void AddWaypoint(const Vector2D& v) { Waypoints.push_back(v); }
    /// Replaces the waypoints and starts again before the first.
    void Set(const std::vector<Vector2D>& points);
    void Set(const Path& other);
    /// Lines joining the waypoints, with the current one circled.
    void Render(double offsetX = 0, double offsetY = 0) const;
    void Clear();
    const std::vector<Vector2D>& GetPath() const { return Waypoints; }
};
