#include "spritebehaviors/steering.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/graphics.h"
#include "engine/random.h"
#include "spritebehaviors/geometry.h"
#include "spritebehaviors/numeric.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/world.h"

namespace {

// Deceleration used by the behaviours that arrive "fast".
constexpr int kFastDeceleration = 1;
// Distance kept from an obstacle's edge when hiding behind it.
constexpr double kHideDistanceFromBoundary = 30;

// The owner while it is alive. The steering belongs to its sprite, so the
// sprite normally outlives it; a steering kept beyond its sprite steers
// nothing.
const Sprite* Alive(const std::weak_ptr<Sprite>& owner) {
    return owner.expired() ? nullptr : owner.lock().get();
}

}  // namespace

std::shared_ptr<SteeringBehavior> SteeringBehavior::Create(const SpriteRef& owner) {
    auto s = std::make_shared<SteeringBehavior>();
    s->Owner = owner;
    s->Deceleration = 100;
    s->Flags = 0;
    return s;
}

// --- switches -------------------------------------------------------------

void SteeringBehavior::SeekOn(SpriteRef target) {
    Flags |= kSeek;
    SeekTarget = std::move(target);
}

void SteeringBehavior::SeekOff() {
    if (!On(kSeek)) return;
    Flags &= ~kSeek;
    SeekTarget.reset();
}

void SteeringBehavior::FleeOn(SpriteRef target) {
    Flags |= kFlee;
    FleeTarget = std::move(target);
}

void SteeringBehavior::FleeOff() {
    if (!On(kFlee)) return;
    Flags &= ~kFlee;
    FleeTarget.reset();
}

void SteeringBehavior::ArriveOn(SpriteRef target) {
    Flags |= kArrive;
    ArriveTarget = std::move(target);
}

void SteeringBehavior::ArriveOff() {
    if (!On(kArrive)) return;
    Flags &= ~kArrive;
    ArriveTarget.reset();
}

void SteeringBehavior::PursuitOn(SpriteRef target) {
    Flags |= kPursuit;
    PursuitTarget = std::move(target);
}

void SteeringBehavior::PursuitOff() {
    if (!On(kPursuit)) return;
    Flags &= ~kPursuit;
    PursuitTarget.reset();
}

void SteeringBehavior::InterposeOn(SpriteRef a, SpriteRef b) {
    Flags |= kInterpose;
    InterposeA = std::move(a);
    InterposeB = std::move(b);
}

void SteeringBehavior::InterposeOff() {
    if (!On(kInterpose)) return;
    Flags &= ~kInterpose;
    InterposeA.reset();
    InterposeB.reset();
}

void SteeringBehavior::HideOn(SpriteRef target) {
    Flags |= kHide;
    HideTarget = std::move(target);
}

void SteeringBehavior::HideOff() {
    if (!On(kHide)) return;
    Flags &= ~kHide;
    HideTarget.reset();
}

void SteeringBehavior::OffsetPursuitOn(SpriteRef leader, const Vector2D& offset) {
    Flags |= kOffsetPursuit;
    OffsetLeader = std::move(leader);
    Offset = offset;
}

void SteeringBehavior::OffsetPursuitOff() {
    if (!On(kOffsetPursuit)) return;
    Flags &= ~kOffsetPursuit;
    OffsetLeader.reset();
}

void SteeringBehavior::FlockingOn() {
    CohesionOn();
    AlignmentOn();
    SeparationOn();
    WanderOn();
}

void SteeringBehavior::FlockingOff() {
    CohesionOff();
    AlignmentOff();
    SeparationOff();
    WanderOff();
}

// --- combination ----------------------------------------------------------

Vector2D SteeringBehavior::Calculate() {
    SteeringForce.Set(0, 0);
    const SpriteRef owner = Owner.lock();
    if (!owner) return SteeringForce;
    const std::shared_ptr<GameWorld> world = owner->World.lock();

    if (world && !CellSpaceOn && (On(kSeparation) || On(kAlignment) || On(kCohesion))) {
        world->TagNeighbours(*owner, ViewDistance);
    }
    switch (SummingMethod) {
        case kWeightedSum:
            CalculateWeightedSum(*owner, world.get());
            break;
        case kPrioritized:
            CalculatePrioritized(*owner, world.get());
            break;
        case kDithered:
            CalculateDithered(*owner, world.get());
            break;
        default:
            break;
    }
    return SteeringForce;
}

bool SteeringBehavior::AccumulateForce(Vector2D& total, const Vector2D& force) const {
    const Sprite* owner = Alive(Owner);
    const double max_force = owner ? owner->MaxForce : 0.0;
    const double remaining = max_force - total.Length();
    if (remaining <= 0) return false;
    if (force.Length() >= remaining) {
        Vector2D part = force;
        part.Normalize();
        total.Add(part * remaining);
    } else {
        total.Add(force);
    }
    return true;
}

template <typename Visit>
void SteeringBehavior::ForEachActive(Sprite& owner, GameWorld* world, Visit visit) {
    static const std::vector<SpriteRef> kNone;
    static const std::vector<WallRef> kNoWalls;
    const auto& walls = world ? world->Walls() : kNoWalls;
    const auto& obstacles = world ? world->Obstacles() : kNone;
    const auto& agents = world ? world->Agents() : kNone;

    if (On(kWallAvoidance) && !visit(WallAvoidance(walls) * WeightWallAvoidance)) return;
    if (On(kObstacleAvoidance) && !visit(ObstacleAvoidance(obstacles) * WeightObstacleAvoidance)) {
        return;
    }
    if (On(kEvade) && !visit(Evade(nullptr) * WeightEvade)) return;
    if (On(kFlee) && FleeTarget && !visit(Flee(FleeTarget->Pos) * WeightFlee)) return;
    if (On(kSeparation) && !visit(Separation(agents) * WeightSeparation)) return;
    if (On(kAlignment) && !visit(Alignment(agents) * WeightAlignment)) return;
    if (On(kCohesion) && !visit(Cohesion(agents) * WeightCohesion)) return;
    if (On(kSeek) && SeekTarget && !visit(Seek(SeekTarget->Pos) * WeightSeek)) return;
    if (On(kArrive) && ArriveTarget &&
        !visit(Arrive(ArriveTarget->Pos, Deceleration) * WeightArrive)) {
        return;
    }
    if (On(kWander) && !visit(Wander() * WeightWander)) return;
    if (On(kPursuit) && PursuitTarget && !visit(Pursuit(PursuitTarget.get()) * WeightPursuit)) {
        return;
    }
    if (On(kOffsetPursuit) && OffsetLeader &&
        !visit(OffsetPursuit(*OffsetLeader, Offset) * WeightOffsetPursuit)) {
        return;
    }
    if (On(kInterpose) && InterposeA && InterposeB &&
        !visit(Interpose(*InterposeA, *InterposeB) * WeightInterpose)) {
        return;
    }
    if (On(kHide) && HideTarget && !visit(Hide(*HideTarget, obstacles) * WeightHide)) return;
    if (On(kFollowPath) && !visit(FollowPath() * WeightFollowPath)) return;
    (void)owner;
}

void SteeringBehavior::CalculatePrioritized(Sprite& owner, GameWorld* world) {
    ForEachActive(owner, world,
                  [this](const Vector2D& force) { return AccumulateForce(SteeringForce, force); });
}

void SteeringBehavior::CalculateWeightedSum(Sprite& owner, GameWorld* world) {
    ForEachActive(owner, world, [this](const Vector2D& force) {
        SteeringForce.Add(force);
        return true;
    });
    SteeringForce.Truncate(owner.MaxForce);
}

void SteeringBehavior::CalculateDithered(Sprite& owner, GameWorld* world) {
    static const std::vector<SpriteRef> kNone;
    static const std::vector<WallRef> kNoWalls;
    const auto& walls = world ? world->Walls() : kNoWalls;
    const auto& obstacles = world ? world->Obstacles() : kNone;
    const auto& agents = world ? world->Agents() : kNone;

    // Each active behaviour gets a chance with its probability; the first
    // one evaluated with a non-zero force, scaled up by 1 / probability,
    // decides the step.
    auto chance = [&](int bit, float probability, auto force) {
        if (!On(bit)) return false;
        const auto p = static_cast<double>(probability);
        if (!(rnd_float(0, 1) < p)) return false;
        SteeringForce = force() * (1.0 / p);
        if (SteeringForce.LengthSq() == 0) return false;
        SteeringForce.Truncate(owner.MaxForce);
        return true;
    };
    if (chance(kWallAvoidance, 0.5f, [&] { return WallAvoidance(walls) * WeightWallAvoidance; }) ||
        chance(kObstacleAvoidance, 0.5f,
               [&] { return ObstacleAvoidance(obstacles) * WeightObstacleAvoidance; }) ||
        chance(kSeparation, 0.2f, [&] { return Separation(agents) * WeightSeparation; }) ||
        (FleeTarget && chance(kFlee, 0.6f, [&] { return Flee(FleeTarget->Pos) * WeightFlee; })) ||
        chance(kEvade, 1.0f, [&] { return Evade(nullptr) * WeightEvade; }) ||
        chance(kAlignment, 0.3f, [&] { return Alignment(agents) * WeightAlignment; }) ||
        chance(kCohesion, 0.6f, [&] { return Cohesion(agents) * WeightCohesion; }) ||
        chance(kWander, 0.8f, [&] { return Wander() * WeightWander; }) ||
        (SeekTarget && chance(kSeek, 0.8f, [&] { return Seek(SeekTarget->Pos) * WeightSeek; })) ||
        (ArriveTarget &&
         chance(kArrive, 0.5f,
                [&] { return Arrive(ArriveTarget->Pos, Deceleration) * WeightArrive; })) ||
        (PursuitTarget &&
         chance(kPursuit, 0.8f, [&] { return Pursuit(PursuitTarget.get()) * WeightPursuit; })) ||
        (OffsetLeader &&
         chance(kOffsetPursuit, 0.8f,
                [&] { return OffsetPursuit(*OffsetLeader, Offset) * WeightOffsetPursuit; })) ||
        (InterposeA && InterposeB &&
         chance(kInterpose, 0.8f,
                [&] { return Interpose(*InterposeA, *InterposeB) * WeightInterpose; })) ||
        (HideTarget &&
         chance(kHide, 0.8f, [&] { return Hide(*HideTarget, obstacles) * WeightHide; })) ||
        chance(kFollowPath, 0.8f, [&] { return FollowPath() * WeightFollowPath; })) {
        return;
    }
    SteeringForce.Set(0, 0);
}

// --- behaviours -----------------------------------------------------------

Vector2D SteeringBehavior::Seek(const Vector2D& targetPos) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    Vector2D desired = targetPos - me->Pos;
    if (!desired.Normalize()) return Vector2D();
    return desired * me->MaxSpeed - me->Velocity;
}

Vector2D SteeringBehavior::Flee(const Vector2D& targetPos) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    Vector2D desired = me->Pos - targetPos;
    if (!desired.Normalize()) return Vector2D();
    return desired * me->MaxSpeed - me->Velocity;
}

Vector2D SteeringBehavior::Arrive(const Vector2D& targetPos, int deceleration) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    const Vector2D to = targetPos - me->Pos;
    const double dist = to.Length();
    if (!(dist > 0)) return Vector2D();
    // 0.3 tunes the deceleration; the single-precision value as tuned.
    const double speed = std::min(dist / (deceleration * static_cast<double>(0.3f)), me->MaxSpeed);
    return to * (speed / dist) - me->Velocity;
}

Vector2D SteeringBehavior::Pursuit(const Sprite* evader) const {
    const Sprite* me = Alive(Owner);
    if (!me || !evader) return Vector2D();
    const Vector2D to = evader->Pos - me->Pos;
    const double relative_heading = me->Heading.Dot(evader->Heading);
    if (to.Dot(me->Heading) > 0 && relative_heading < -0.95) return Seek(evader->Pos);
    const double look_ahead = to.Length() / (me->MaxSpeed + evader->Velocity.Length());
    return Seek(evader->Pos + evader->Velocity * look_ahead);
}

Vector2D SteeringBehavior::Evade(const Sprite* pursuer) const {
    const Sprite* me = Alive(Owner);
    if (!me || !pursuer) return Vector2D();
    const Vector2D to = pursuer->Pos - me->Pos;
    const double look_ahead = to.Length() / (me->MaxSpeed + pursuer->Velocity.Length());
    return Flee(pursuer->Pos + pursuer->Velocity * look_ahead);
}

Vector2D SteeringBehavior::Wander() {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    const double jitter = WanderJitter * me->TimeElapsed;
    const double r1 = RandomClamped();
    const double r2 = RandomClamped();
    WanderTarget.Add(Vector2D(r1 * jitter, r2 * jitter));
    WanderTarget.Normalize();
    WanderTarget.Mul(WanderRadius);
    const Vector2D local = WanderTarget + Vector2D(WanderDistance, 0);
    const Vector2D world = PointToWorldSpace(local, me->Heading, me->Side, me->Pos);
    return world - me->Pos;
}

Vector2D SteeringBehavior::ObstacleAvoidance(const std::vector<SpriteRef>& obstacles) {
    const SpriteRef me = Owner.lock();
    if (!me) return Vector2D();
    const double box_length =
        DBoxLength + (me->MaxSpeed > 0 ? me->GetSpeed() / me->MaxSpeed : 0.0) * DBoxLength;
    if (const auto world = me->World.lock()) world->TagObstaclesWithinViewRange(*me, box_length);

    const Sprite* closest = nullptr;
    double closest_dist = std::numeric_limits<double>::max();
    Vector2D closest_local;
    for (const SpriteRef& ob : obstacles) {
        if (!ob || !ob->Tagged) continue;
        const Vector2D local = PointToLocalSpace(ob->Pos, me->Heading, me->Side, me->Pos);
        if (local.x < 0) continue;  // behind
        const double expanded = ob->BoundingRadius + me->BoundingRadius;
        if (std::fabs(local.y) >= expanded) continue;
        // Where the expanded circle crosses the sprite's axis.
        const double half = std::sqrt(expanded * expanded - local.y * local.y);
        double along = local.x - half;
        if (along <= 0) along = local.x + half;
        if (along < closest_dist) {
            closest_dist = along;
            closest = ob.get();
            closest_local = local;
        }
    }
    if (!closest) return Vector2D();
    const double multiplier = 1.0 + (box_length - closest_local.x) / box_length;
    const Vector2D local_force((closest->BoundingRadius - closest_local.x) * 0.9,
                               (closest->BoundingRadius - closest_local.y) * multiplier);
    return VectorToWorldSpace(local_force, me->Heading, me->Side);
}

void SteeringBehavior::CreateFeelers() {
    const Sprite* me = Alive(Owner);
    if (!me) return;
    FeelerOrigin = me->Pos + Vector2D::Polar(me->BoundingRadius, me->Heading.Angle());
    const double length =
        std::clamp(WallDetectionFeelerLength * me->GetSpeed(), WallDetectionFeelerLength,
                   std::max(WallDetectionFeelerLength, MaxFeelerLength));
    Feelers.clear();
    Feelers.push_back(FeelerOrigin + me->Heading * length);
    Vector2D left = me->Heading;
    Vec2DRotateAroundOrigin(left, 45);
    Feelers.push_back(FeelerOrigin + left * (length / 1.5));
    Vector2D right = me->Heading;
    Vec2DRotateAroundOrigin(right, -45);
    Feelers.push_back(FeelerOrigin + right * (length / 1.5));
}

Vector2D SteeringBehavior::WallAvoidance(const std::vector<WallRef>& walls) {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    CreateFeelers();
    const Vector2D pos = me->Pos;
    const double radius = me->BoundingRadius;

    // The walls within reach of a feeler segment or of the sprite's circle,
    // in list order; every other wall can neither be crossed nor touched.
    // The margin covers rounding in the crossing tests.
    double reach = radius;
    for (const Vector2D& f : Feelers) reach = std::max(reach, Vec2DDistance(pos, f));
    reach += 1;
    near_walls_.clear();
    for (const WallRef& w : walls) {
        if (!w) continue;
        const Vector2D& a = w->From();
        const Vector2D& b = w->To();
        if (CullWalls &&
            (std::max(a.x, b.x) < pos.x - reach || std::min(a.x, b.x) > pos.x + reach ||
             std::max(a.y, b.y) < pos.y - reach || std::min(a.y, b.y) > pos.y + reach)) {
            continue;
        }
        NearWall near{w.get(), false, Vector2D(), 0.0};
        near.touches =
            LineSegmentCircleClosestIntersectionPoint(a, b, pos, radius, near.touch_point);
        if (near.touches) near.touch_dist = Vec2DDistance(pos, near.touch_point);
        near_walls_.push_back(near);
    }

    // Carried over from feeler to feeler: the nearest wall so far, found
    // either where a feeler segment crosses it or where the sprite's circle
    // touches it, both measured from the sprite's centre. A touched wall
    // competes by distance like a crossed one: were it always to win, a car
    // in a corner would be pushed off the wall it touches and out through
    // the nearer wall ahead of it.
    double closest_dist = std::numeric_limits<double>::max();
    const Wall* closest_wall = nullptr;
    Vector2D closest_point;
    Vector2D result;
    for (const Vector2D& f : Feelers) {
        for (const NearWall& near : near_walls_) {
            double dist = 0;
            Vector2D crossing;
            if (LineIntersection2D(pos, f, near.wall->From(), near.wall->To(), dist, crossing)) {
                if (dist < closest_dist) {
                    closest_dist = dist;
                    closest_wall = near.wall;
                    // A copy: later crossings must not move the closest one.
                    closest_point = crossing;
                }
            } else if (near.touches && near.touch_dist < closest_dist) {
                closest_dist = near.touch_dist;
                closest_wall = near.wall;
                closest_point = near.touch_point;
            }
        }
        if (closest_wall) {
            result = closest_wall->Normal() * (f - closest_point).Length();
        }
    }
    return result;
}

Vector2D SteeringBehavior::Separation(const std::vector<SpriteRef>& neighbours) const {
    const Sprite* me = Alive(Owner);
    Vector2D force;
    if (!me) return force;
    for (const SpriteRef& n : neighbours) {
        if (!n || n.get() == me || !n->Tagged) continue;
        const Vector2D away = me->Pos - n->Pos;
        const double len = away.Length();
        if (len > 0) force.Add(away * (1.0 / (len * len)));  // unit vector / distance
    }
    return force;
}

Vector2D SteeringBehavior::Alignment(const std::vector<SpriteRef>& neighbours) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    Vector2D average;
    int count = 0;
    for (const SpriteRef& n : neighbours) {
        if (!n || n.get() == me || !n->Tagged) continue;
        average.Add(n->Heading);
        ++count;
    }
    if (count == 0) return Vector2D();
    return average * (1.0 / count) - me->Heading;
}

Vector2D SteeringBehavior::Cohesion(const std::vector<SpriteRef>& neighbours) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    Vector2D centre;
    int count = 0;
    for (const SpriteRef& n : neighbours) {
        if (!n || n.get() == me || !n->Tagged) continue;
        centre.Add(n->Pos);
        ++count;
    }
    if (count == 0) return Vector2D();
    Vector2D force = Seek(centre * (1.0 / count));
    force.Normalize();
    return force;
}

Vector2D SteeringBehavior::Interpose(const Sprite& a, const Sprite& b) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    // Head for where the midpoint will be by the time we could get there.
    const Vector2D mid = (a.Pos + b.Pos) * 0.5;
    const double time = me->MaxSpeed > 0 ? Vec2DDistance(me->Pos, mid) / me->MaxSpeed : 0.0;
    const Vector2D a_pos = a.Pos + a.Velocity * time;
    const Vector2D b_pos = b.Pos + b.Velocity * time;
    return Arrive((a_pos + b_pos) * 0.5, kFastDeceleration);
}

Vector2D SteeringBehavior::Hide(const Sprite& target,
                                const std::vector<SpriteRef>& obstacles) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    double best_dist = std::numeric_limits<double>::max();
    Vector2D best;
    bool found = false;
    for (const SpriteRef& ob : obstacles) {
        if (!ob) continue;
        // The spot on the far side of the obstacle, seen from the target.
        Vector2D away = ob->Pos - target.Pos;
        if (!away.Normalize()) continue;
        const Vector2D spot = ob->Pos + away * (ob->BoundingRadius + kHideDistanceFromBoundary);
        const double d = Vec2DDistanceSq(spot, me->Pos);
        if (d < best_dist) {
            best_dist = d;
            best = spot;
            found = true;
        }
    }
    if (!found) return Evade(&target);
    return Arrive(best, kFastDeceleration);
}

Vector2D SteeringBehavior::FollowPath() {
    const Sprite* me = Alive(Owner);
    if (!me || !Path || Path->Waypoints.empty()) return Vector2D();
    if (!Path->Current) Path->SetNextWaypoint();
    if (Vec2DDistanceSq(*Path->Current, me->Pos) < WaypointSeekDistSq) Path->SetNextWaypoint();
    if (!Path->Finished()) return Seek(*Path->Current);
    return Arrive(*Path->Current, Deceleration);
}

Vector2D SteeringBehavior::OffsetPursuit(const Sprite& leader, const Vector2D& offset) const {
    const Sprite* me = Alive(Owner);
    if (!me) return Vector2D();
    const Vector2D world_offset =
        PointToWorldSpace(offset, leader.Heading, leader.Side, leader.Pos);
    const Vector2D to = world_offset - me->Pos;
    const double look_ahead = to.Length() / (me->MaxSpeed + leader.Velocity.Length());
    return Arrive(world_offset + leader.Velocity * look_ahead, kFastDeceleration);
}

// --- debug drawing --------------------------------------------------------

void SteeringBehavior::RenderAids(const GameWorld& world, const Vector2D& off) const {
    const Sprite* me = Alive(Owner);
    if (!me) return;
    auto colour = [&](int index) {
        const RGBColor& c = world.Colour(index);
        gfx_set_color(c.R, c.G, c.B);
    };
    const Vector2D at = me->Pos - off;
    if (world.ShowFeelers() && On(kWallAvoidance)) {
        colour(2);
        for (const Vector2D& f : Feelers) gfx_draw_line(at.x, at.y, f.x - off.x, f.y - off.y);
    }
    if (world.ShowWanderCircle() && On(kWander)) {
        colour(5);
        const Vector2D centre =
            PointToWorldSpace(Vector2D(WanderDistance, 0), me->Heading, me->Side, me->Pos) - off;
        DrawCircle(centre.x, centre.y, WanderRadius);
        const Vector2D target = PointToWorldSpace(WanderTarget + Vector2D(WanderDistance, 0),
                                                  me->Heading, me->Side, me->Pos) -
                                off;
        DrawCircle(target.x, target.y, 1);
    }
    if (world.ShowDetectionBox() && On(kObstacleAvoidance)) {
        colour(1);
        const double length =
            DBoxLength + (me->MaxSpeed > 0 ? me->GetSpeed() / me->MaxSpeed : 0.0) * DBoxLength;
        const double r = me->BoundingRadius;
        const std::vector<Vector2D> box = WorldTransform(
            {Vector2D(0, r), Vector2D(length, r), Vector2D(length, -r), Vector2D(0, -r)},
            me->Pos - off, me->Heading, me->Side);
        for (std::size_t i = 0; i < box.size(); ++i) {
            const Vector2D& a = box[i];
            const Vector2D& b = box[(i + 1) % box.size()];
            gfx_draw_line(a.x, a.y, b.x, b.y);
        }
    }
    if (world.ShowViewRange()) {
        colour(7);
        DrawCircle(at.x, at.y, ViewDistance);
    }
    if (world.ShowPath() && Path) {
        colour(11);
        Path->Render(off.x, off.y);
    }
}
