#include "spritebehaviors/world.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/text.h"
#include "spritebehaviors/sprite.h"

// --- Wall -----------------------------------------------------------------

Wall::Wall(double x1, double y1, double x2, double y2) : from_(x1, y1), to_(x2, y2) {
    CalculateNormal();
}

std::shared_ptr<Wall> Wall::Create(double x1, double y1, double x2, double y2) {
    return std::make_shared<Wall>(x1, y1, x2, y2);
}

void Wall::SetColor(int r, int g, int b) {
    red_ = r;
    green_ = g;
    blue_ = b;
}

void Wall::CalculateNormal() {
    const Vector2D d = Vec2DNormalize(to_ - from_);
    normal_.Set(-d.y, d.x);
}

void Wall::Render(bool showNormal) const {
    const GfxStateGuard keep;
    gfx_apply_params(gfx_tint(red_, green_, blue_, alpha_, blend_));
    gfx_set_line_width(1);
    const Vector2D a = from_ + offset_, b = to_ + offset_;
    gfx_draw_line(a.x, a.y, b.x, b.y);
    if (showNormal) {
        // The normal is 1 or 3 pixels long: drawn ten times as long.
        const Vector2D mid = Centre() + offset_;
        const Vector2D tip = mid + normal_ * 10;
        gfx_set_color(0, 0, 255);
        gfx_draw_line(mid.x, mid.y, tip.x, tip.y);
    }
}

// --- GameWorld ------------------------------------------------------------

GameWorld::GameWorld(int cx, int cy)
    : cx_(cx),
      cy_(cy),
      palette_{{{0, 0, 255},
                {100, 100, 100},
                {255, 255, 0},
                {255, 255, 255},
                {100, 100, 255},
                {180, 50, 255},
                {0, 255, 255},
                {255, 255, 55},
                {255, 255, 255},
                {255, 0, 0},
                {255, 100, 100},
                {100, 100, 255},
                {150, 150, 255},
                {250, 150, 255}}} {
    flags_[static_cast<std::size_t>(WorldFlag::ShowWalls)] = true;
    flags_[static_cast<std::size_t>(WorldFlag::ShowObstacles)] = true;
}

GameWorld::~GameWorld() {
    // Sprites that seek each other hold each other through their steering;
    // releasing them here breaks those cycles when the world goes.
    ClearAgents();
}

std::shared_ptr<GameWorld> GameWorld::Create(int cx, int cy) {
    return std::make_shared<GameWorld>(cx, cy);
}

void GameWorld::TagNeighbours(const Sprite& sprite, double range) {
    for (const SpriteRef& other : agents_) {
        other->UnTag();
        if (other.get() == &sprite) continue;
        if (Vec2DDistance(other->Pos, sprite.Pos) - other->BoundingRadius < range) other->Tag();
    }
}

void GameWorld::TagAgentsWithinViewRange(const Sprite& sprite, double range) {
    TagNeighbours(sprite, range);
}

void GameWorld::TagObstaclesWithinViewRange(const Sprite& sprite, double range) {
    for (const SpriteRef& ob : obstacles_) {
        ob->UnTag();
        if (Vec2DDistance(ob->Pos, sprite.Pos) - ob->BoundingRadius < range) ob->Tag();
    }
}

void GameWorld::ClearAgents() {
    // Moved out first: releasing a sprite may drop the last reference to
    // another world's objects, never to this list.
    std::vector<SpriteRef> agents;
    agents.swap(agents_);
    for (const SpriteRef& s : agents) s->Release();
}

void GameWorld::AddObstacle(SpriteRef obstacle) {
    if (obstacle) obstacles_.push_back(std::move(obstacle));
}

void GameWorld::RemoveAgent(const SpriteRef& sprite) {
    const auto it = std::find(agents_.begin(), agents_.end(), sprite);
    if (it != agents_.end()) agents_.erase(it);
}

void GameWorld::AddAgent(SpriteRef sprite) {
    if (!sprite) return;
    if (sprite->World.expired()) sprite->World = weak_from_this();
    agents_.push_back(std::move(sprite));
}

void GameWorld::AddWall(WallRef wall) {
    if (wall) walls_.push_back(std::move(wall));
}

void GameWorld::ClearObstacles() {
    obstacles_.clear();
}

void GameWorld::ClearWalls() {
    walls_.clear();
}

void GameWorld::SetSize(int cx, int cy) {
    cx_ = cx;
    cy_ = cy;
}

void GameWorld::Update(double dt) {
    if (paused_) return;
    av_frame_time_ = frame_time_smoother_.Update(dt);
    // By index, holding each sprite while it steps: a step may remove
    // agents from the list.
    for (std::size_t i = 0; i < agents_.size(); ++i) {
        const SpriteRef sprite = agents_[i];
        sprite->Update(dt);
    }
}

int GameWorld::DisplayedFrameRate() const {
    // Frames faster than the millisecond clock measure 0 s; a tiny time
    // would overflow the integer.
    if (!(av_frame_time_ > 0)) return 0;
    const double rate = 1.0 / av_frame_time_;
    if (rate >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(rate);
}

void GameWorld::Render() {
    if (ShowWalls()) {
        for (const WallRef& w : walls_) w->Render(ShowWallNormals());
    }
    if (ShowObstacles()) {
        for (const SpriteRef& ob : obstacles_) {
            ob->Render();
            const GfxStateGuard keep;
            const RGBColor& c = palette_[1];
            gfx_apply_params(gfx_tint(c.R, c.G, c.B));
            gfx_set_line_width(1);
            DrawCircle(ob->Pos.x - ob->ViewOffset.x, ob->Pos.y - ob->ViewOffset.y,
                       ob->BoundingRadius);
        }
    }
    for (std::size_t i = 0; i < agents_.size(); ++i) {
        const SpriteRef sprite = agents_[i];
        sprite->Render();
    }
    if (ShowFPS()) {
        const GfxStateGuard keep;
        const RGBColor& c = palette_[8];
        gfx_apply_params(gfx_tint(c.R, c.G, c.B));
        gfx_draw_text(str_from_int(DisplayedFrameRate()), 10, 10);
    }
}

namespace {

// Moves the sprite out of every overlapping one, along the line joining
// their centres.
void PushOut(Sprite& sprite, const std::vector<SpriteRef>& others) {
    for (const SpriteRef& other : others) {
        if (other.get() == &sprite) continue;
        const Vector2D away = sprite.Pos - other->Pos;
        const double dist = away.Length();
        const double overlap = sprite.BoundingRadius + other->BoundingRadius - dist;
        if (overlap >= 0 && dist > 0) sprite.Pos.Add(away * (overlap / dist));
    }
}

}  // namespace

void GameWorld::EnforceNonPenetration(Sprite& sprite) {
    if (NonPenetrationSprites()) PushOut(sprite, agents_);
    if (NonPenetrationObstacles()) PushOut(sprite, obstacles_);
}

void DrawCircle(double x, double y, double r) {
    constexpr int kSegments = 24;
    double px = x + r, py = y;
    for (int i = 1; i <= kSegments; ++i) {
        const double a = 360.0 * i / kSegments;
        const double nx = x + r * math_cos_deg(a), ny = y - r * math_sin_deg(a);
        gfx_draw_line(px, py, nx, ny);
        px = nx;
        py = ny;
    }
}
