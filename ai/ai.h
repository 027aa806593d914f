#pragma once
// The computer driver. It never touches its car's input flags: the car is
// moved by its steering sprite in the steering world, and the driver's
// work is to pick a state by comparing desires (the states switch steering
// behaviours on and off), to choose a target, and to aim and fire its
// primary weapon at it.

#include <memory>

#include "ai/control_object.h"
#include "ai/path_planner.h"
#include "objects/live_objects.h"
#include "objects/match_state.h"
#include "objects/object_list.h"

class HealthPickUp;
class PickUp;
class SpriteEmitter;
class State;
class TileMap;
class Vehicle;

class AI : public ControlObject {
public:
    /// A new computer driver of difficulty 1 Weakling, 2 Moderate or
    /// 3 Offensive (any other leaves it without a car) and team 1..4 (5 for
    /// none), in a car drawn from its difficulty's models at a random
    /// respawn point, wandering.
    static std::shared_ptr<AI> Make(int style, int team);
    /// One frame's step: respawn a dead car, treads, desires, target, shot,
    /// state step, the car's step and the arena boundary check. Draws
    /// nothing.
    int Update() override;
    /// What the last step showed: the gun's smoke when it aimed within
    /// range, then the car (its Big Dog marker; the body is the steering
    /// sprite, drawn by the steering world).
    int Draw();
    /// Leaves `List` (the driver list keeps it until the next match).
    int Destroy() override;
    /// Puts the dead car back at a random respawn point with full health and
    /// the machine gun, wandering.
    int Respawn();

    int ChangeState(const std::shared_ptr<State>& newState);
    /// Back to the state left by the last change; nothing before any change.
    int RevertToPreviousState();
    int isInState(int id) const { return currentStateID == id ? 1 : 0; }

    /// The four desires, then the state of the largest.
    int WeighActions();
    int checkWander();
    int checkHealth();
    int checkGun();
    int checkKill();
    int decideAction();
    /// The nearest vehicle of a rival (any vehicle when this driver has no
    /// team); the old target stays when none qualifies.
    int searchForTarget();
    /// Aims at the target with the difficulty's error and fires when in
    /// range and the weapon is ready; a grenade or rocket is not fired at a
    /// target within its blast's reach (`SplashReach`).
    int Shoot();

    /// Drives to (x, y) along a path planned round the arena's walls. The
    /// path is planned again when the goal has moved by more than a block
    /// since the last plan, when the way to the next waypoint is blocked,
    /// and after backing out of a stall.
    void DriveTo(float x, float y);
    /// Stops driving to a goal.
    void StopDriving();
    bool Driving() const { return driving_; }
    /// Frames left of backing out of a stall (0: not backing).
    int Backing() const { return backing_; }

    static int UpdateAll();
    static int DrawAll();
    static int DestroyAll();

    float GoalX = 0;
    float GoalY = 0;
    std::shared_ptr<HealthPickUp> PickUp;
    int hDesire = 0;
    int kDesire = 0;
    int eDesire = 0;
    int wDesire = 0;
    int gDesire = 0;
    std::shared_ptr<Vehicle> target;
    int DesiredWeapon = 0;  ///< weapon number wanted at least: 0 none, 3 RPG, 4 rocket launcher
    int RespawnTime = 0;
    int checkVal = 0;                   ///< what the current state planned for
    float plannedHealth = 0;            ///< the health a health seek planned for
    std::weak_ptr<::PickUp> Goal;       ///< the pickup being driven to
    std::weak_ptr<ControlObject> Prey;  ///< the driver being hunted
    std::weak_ptr<Vehicle> PreyCar;     ///< and the car it was hunted in
    float OrbitSign = 1;                ///< which way round the prey it circles
    long long Plans = 0;                ///< paths planned, since the driver was made
    std::shared_ptr<State> currentState;
    int currentStateID = 0;  ///< 0 Nothing, 1 Wander, 3 SeekHealth, 4 SeekGun, 5 Kill
    std::shared_ptr<State> previousState;
    std::shared_ptr<State> globalState;

    static constexpr MatchList<AI, &Match::AIs> List{};
    /// True once a computer driver has been made in this run.
    static inline bool ListCreated = false;
    /// Cars put back because they left the arena, since start-up (a figure
    /// for measuring the drivers).
    static inline long long BoundaryRespawns = 0;
    /// Stalls backed out of, since start-up (a figure for the same).
    static inline long long Stalls = 0;
    /// The longest time one path plan took, in milliseconds, since start-up.
    static inline double LongestPlanMs = 0;

private:
    /// Notices a car that wants to move and has not moved for a second,
    /// and backs it out.
    void KeepMoving();
    void Plan(float x, float y);

    int changing_ = 0;  ///< depth of ChangeState calls in progress
    /// The smoke of the gun the last step aimed within range: drawn, as it
    /// stood then, even when a respawn later in the step replaced the gun.
    std::shared_ptr<SpriteEmitter> smoke_;
    bool driving_ = false;
    float planX_ = 0, planY_ = 0;  ///< the goal of the last plan
    float anchorX_ = 0, anchorY_ = 0;
    int stillFrames_ = 0;
    int backing_ = 0;
    int savedFlags_ = 0;  ///< the state's behaviours, while backing
    LiveTally tally_{"AI"};
};

/// Aim error in degrees of a difficulty (0 for unknown ones).
float AimError(int style);

/// How near a target must be for a computer driver to fire at it.
constexpr float kFiringRange = 650.0f;

/// The clearance a computer car's paths keep from walls: half a car's width
/// and the margin a body anywhere in an open half-block cell needs.
constexpr double kCarClearance = 44;

/// The solid blocks of a tile map's current layer, for path planning.
SolidGrid ArenaSolidGrid(const TileMap& map);

/// Whether a shot from (x0, y0) to (x1, y1) meets no solid block of the
/// arena (sampled every quarter block); true without a map.
bool ClearShot(float x0, float y0, float x1, float y1);

/// How near a target may be before the weapon's shot would hurt its own
/// car: a grenade's or a rocket's blast radius plus a margin; 0 for guns.
float SplashReach(int weaponNumber);
