#include "spritebehaviors/path.h"

#include "engine/graphics.h"
#include "spritebehaviors/numeric.h"
#include "spritebehaviors/world.h"

bool Path::Finished() const {
    return Looped == 0 && PingPong == 0 && Current.has_value() && !Waypoints.empty() &&
           Index == static_cast<int>(Waypoints.size()) - 1;
}

void Path::SetNextWaypoint() {
    const int count = static_cast<int>(Waypoints.size());
    if (count == 0) {
        Index = -1;
        Current.reset();
        return;
    }
    Index += Step;
    if (Index >= count) {
        if (Looped) {
            Index = 0;
        } else {
            Index -= 1;
            if (PingPong) {
                Step = -1;
                Index -= 1;
            }
        }
    }
    if (Index < 0) {
        // Back at the start of a ping-pong (or a one-point path turning round).
        Step = 1;
        Index = 0;
    }
    Current = Waypoints[static_cast<std::size_t>(Index)];
}

void Path::CreateRandomPath(int count, double minX, double minY, double maxX, double maxY) {
    Clear();
    for (int i = 0; i < count; ++i) {
        AddWaypoint(Vector2D(RandInRange(minX, maxX), RandInRange(minY, maxY)));
    }
}

void Path::Set(const std::vector<Vector2D>& points) {
    Waypoints = points;
    Index = -1;
    Step = 1;
    Current.reset();
}

void Path::Set(const Path& other) {
    *this = other;
}

void Path::Clear() {
    Waypoints.clear();
    Index = -1;
    Step = 1;
    Current.reset();
}

void Path::Render(double offsetX, double offsetY) const {
    const std::size_t n = Waypoints.size();
    for (std::size_t i = 1; i < n; ++i) {
        gfx_draw_line(Waypoints[i - 1].x - offsetX, Waypoints[i - 1].y - offsetY,
                      Waypoints[i].x - offsetX, Waypoints[i].y - offsetY);
    }
    if (Looped && n > 2) {
        gfx_draw_line(Waypoints[n - 1].x - offsetX, Waypoints[n - 1].y - offsetY,
                      Waypoints[0].x - offsetX, Waypoints[0].y - offsetY);
    }
    if (Current) DrawCircle(Current->x - offsetX, Current->y - offsetY, 5);
}
