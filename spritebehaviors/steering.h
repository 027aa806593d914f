#pragma once
// The steering force of a sprite: a set of behaviours, each switched on by a
// bit of `Flags` and weighted, combined into one force no longer than the
// sprite's MaxForce.
//
// The prioritised combination (the default) takes the behaviours in a fixed
// order, wall avoidance first, and gives each what is left under MaxForce.

#include <memory>
#include <vector>

#include "spritebehaviors/path.h"
#include "spritebehaviors/vector2d.h"

class GameWorld;
class Sprite;
class Wall;
using SpriteRef = std::shared_ptr<Sprite>;

/// Behaviour bits of `SteeringBehavior::Flags`.
enum BehaviourBit : int {
    kSeek = 0x2,
    kFlee = 0x4,
    kArrive = 0x8,
    kWander = 0x10,
    kCohesion = 0x20,
    kSeparation = 0x40,
    kAlignment = 0x80,
    kObstacleAvoidance = 0x100,
    kWallAvoidance = 0x200,
    kFollowPath = 0x400,
    kPursuit = 0x800,
    kEvade = 0x1000,
    kInterpose = 0x2000,
    kHide = 0x4000,
    kOffsetPursuit = 0x10000,
};

/// `SummingMethod` values.
enum SummingMethodKind : int {
    kWeightedSum = 1,
    kPrioritized = 2,
    kDithered = 3,
};

class SteeringBehavior {
public:
    /// Steering for the sprite with the default weights and parameters and
    /// every behaviour off. The sprite is referred to weakly (it owns this).
    static std::shared_ptr<SteeringBehavior> Create(const SpriteRef& owner);

    /// The force of this step, by `SummingMethod`; (0, 0) for an unknown
    /// method or when the owner is gone.
    Vector2D Calculate();
    /// True when every bit of `bits` is set.
    bool On(int bits) const { return (Flags & bits) == bits; }
    /// Adds as much of force to total as MaxForce leaves room for; false
    /// (nothing added) when no room is left.
    bool AccumulateForce(Vector2D& total, const Vector2D& force) const;

    void SeekOn(SpriteRef target);
    void SeekOff();
    void FleeOn(SpriteRef target);
    void FleeOff();
    void ArriveOn(SpriteRef target);
    void ArriveOff();
    void WanderOn() { Flags |= kWander; }
    void WanderOff() { ClearBit(kWander); }
    void CohesionOn() { Flags |= kCohesion; }
    void CohesionOff() { ClearBit(kCohesion); }
    void SeparationOn() { Flags |= kSeparation; }
    void SeparationOff() { ClearBit(kSeparation); }
    void AlignmentOn() { Flags |= kAlignment; }
    void AlignmentOff() { ClearBit(kAlignment); }
    void ObstacleAvoidanceOn() { Flags |= kObstacleAvoidance; }
    void ObstacleAvoidanceOff() { ClearBit(kObstacleAvoidance); }
    void WallAvoidanceOn() { Flags |= kWallAvoidance; }
    void WallAvoidanceOff() { ClearBit(kWallAvoidance); }
    void FollowPathOn() { Flags |= kFollowPath; }
    void FollowPathOff() { ClearBit(kFollowPath); }
    void PursuitOn(SpriteRef target);
    void PursuitOff();
    void EvadeOn() { Flags |= kEvade; }
    void EvadeOff() { ClearBit(kEvade); }
    void InterposeOn(SpriteRef a, SpriteRef b);
    void InterposeOff();
    void HideOn(SpriteRef target);
    void HideOff();
    void OffsetPursuitOn(SpriteRef leader, const Vector2D& offset);
    void OffsetPursuitOff();
    /// Cohesion, alignment, separation and wander together.
    void FlockingOn();
    void FlockingOff();

    bool isSeekOn() const { return On(kSeek); }
    bool isFleeOn() const { return On(kFlee); }
    bool isArriveOn() const { return On(kArrive); }
    bool isWanderOn() const { return On(kWander); }
    bool isCohesionOn() const { return On(kCohesion); }
    bool isSeparationOn() const { return On(kSeparation); }
    bool isAlignmentOn() const { return On(kAlignment); }
    bool isObstacleAvoidanceOn() const { return On(kObstacleAvoidance); }
    bool isWallAvoidanceOn() const { return On(kWallAvoidance); }
    bool isFollowPathOn() const { return On(kFollowPath); }
    bool isPursuitOn() const { return On(kPursuit); }
    bool isEvadeOn() const { return On(kEvade); }
    bool isInterposeOn() const { return On(kInterpose); }
    bool isHideOn() const { return On(kHide); }
    bool isOffsetPursuitOn() const { return On(kOffsetPursuit); }

    void SetSummingMethod(int method) { SummingMethod = method; }
    int GetSummingMethod() const { return SummingMethod; }
    void SpacePartitioningOn() { CellSpaceOn = true; }
    void SpacePartitioningOff() { CellSpaceOn = false; }
    bool isSpacePartitioningOn() const { return CellSpaceOn; }

    // The behaviours. Each returns a force in world space before weighting.
    Vector2D Seek(const Vector2D& targetPos) const;
    Vector2D Flee(const Vector2D& targetPos) const;
    Vector2D Arrive(const Vector2D& targetPos, int deceleration) const;
    Vector2D Pursuit(const Sprite* evader) const;
    /// Flee from where the pursuer is heading; (0, 0) without a pursuer.
    Vector2D Evade(const Sprite* pursuer) const;
    Vector2D Wander();
    Vector2D ObstacleAvoidance(const std::vector<SpriteRef>& obstacles);
    /// Feelers ahead of the sprite; the nearest wall that a feeler crosses or
    /// the sprite's circle touches pushes along its normal, as hard as the
    /// feeler overshoots it.
    Vector2D WallAvoidance(const std::vector<std::shared_ptr<Wall>>& walls);
    Vector2D Separation(const std::vector<SpriteRef>& neighbours) const;
    Vector2D Alignment(const std::vector<SpriteRef>& neighbours) const;
    Vector2D Cohesion(const std::vector<SpriteRef>& neighbours) const;
    Vector2D Interpose(const Sprite& a, const Sprite& b) const;
    Vector2D Hide(const Sprite& target, const std::vector<SpriteRef>& obstacles) const;
    Vector2D FollowPath();
    Vector2D OffsetPursuit(const Sprite& leader, const Vector2D& offset) const;
    /// Three feeler tips from the front of the sprite: straight ahead and 45
    /// degrees to either side (shorter by 1.5), longer the faster it goes.
    void CreateFeelers();

    /// Draws the feelers, wander circle, detection box and path as the
    /// world's display switches say.
    void RenderAids(const GameWorld& world, const Vector2D& viewOffset) const;

    Vector2D TempA;
    Vector2D TempB;
    Vector2D FeelerOrigin;
    SpriteRef SeekTarget;
    SpriteRef FleeTarget;
    SpriteRef ArriveTarget;
    SpriteRef PursuitTarget;
    SpriteRef OffsetLeader;
    SpriteRef InterposeA;
    SpriteRef InterposeB;
    SpriteRef HideTarget;
    std::weak_ptr<Sprite> Owner;
    Vector2D SteeringForce;
    double DBoxLength = 40;
    std::vector<Vector2D> Feelers;
    double WallDetectionFeelerLength = 40;
    double MaxFeelerLength = 160;
    Vector2D WanderTarget;
    double WanderJitter = 60;
    /// The double nearest the single-precision 1.2 the behaviour was tuned with.
    double WanderRadius = static_cast<double>(1.2f);
    double WanderDistance = 2.0;
    double WeightSeparation = 1;
    double WeightCohesion = 2;
    double WeightAlignment = 1;
    double WeightWander = 1;
    double WeightObstacleAvoidance = 10;
    double WeightWallAvoidance = 10;
    double WeightSeek = 1;
    double WeightFlee = 1;
    double WeightArrive = 1;
    double WeightPursuit = 1;
    double WeightOffsetPursuit = 1;
    double WeightInterpose = 1;
    double WeightHide = 1;
    double WeightEvade = 0.01;
    double WeightFollowPath = 0.05;
    double ViewDistance = 50;
    std::shared_ptr<::Path> Path;
    double WaypointSeekDistSq = 400;
    Vector2D Offset;
    int Flags = 0;
    int Deceleration = 200;
    bool CellSpaceOn = false;
    int SummingMethod = kPrioritized;
    /// Wall avoidance skips walls out of the feelers' and the sprite's reach.
    /// The force is the same either way; the switch exists to prove it.
    bool CullWalls = true;

private:
    void ClearBit(int bit) {
        if (On(bit)) Flags &= ~bit;
    }
    void CalculatePrioritized(Sprite& owner, GameWorld* world);
    void CalculateWeightedSum(Sprite& owner, GameWorld* world);
    void CalculateDithered(Sprite& owner, GameWorld* world);
    // The weighted force of each behaviour in the order of the prioritised
    // combination; `visit(force)` returns false to stop.
    template <typename Visit>
    void ForEachActive(Sprite& owner, GameWorld* world, Visit visit);

    // The walls near the sprite, with the touching test done once per wall.
    struct NearWall {
        const Wall* wall;
        bool touches;
        Vector2D touch_point;
        double touch_dist;
    };
    std::vector<NearWall> near_walls_;
    std::vector<SpriteRef> scratch_neighbours_;
};
using SteeringRef = std::shared_ptr<SteeringBehavior>;
