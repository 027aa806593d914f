#include "ai/ai.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

#include "ai/ai_states.h"
#include "ai/path_planner.h"
#include "app/app_state.h"
#include "app/console_message.h"
#include "arena/tile_map.h"
#include "engine/clock.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/minimap.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "spritebehaviors/emitter.h"
#include "spritebehaviors/path.h"
#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"

namespace {

// What a difficulty fixes: the weapon it wants at least, the models its
// car is drawn from (1 up to top - 1), its wish to hunt and its health bias.
struct StyleTraits {
    int desiredWeapon;
    double modelTop;
    int killDesire;
    int healthBias;
    float aimError;
};

const StyleTraits* Traits(int style) {
    static constexpr StyleTraits kTraits[] = {
        {0, 3.0, 15, 15, 15.0f},  // Weakling
        {3, 5.0, 23, 0, 10.0f},   // Moderate
        {4, 6.0, 29, -15, 3.0f},  // Offensive
    };
    return style >= 1 && style <= 3 ? &kTraits[style - 1] : nullptr;
}

constexpr float kTargetBound = 9999.0f;

// Driving: a goal that moves by more than a block is planned for again; a
// car that has not moved kStallDistance in kStallFrames backs out for
// kBackingFrames.
constexpr float kReplanDistance = 64;
constexpr float kStallDistance = 16;
constexpr int kStallFrames = 60;
constexpr int kBackingFrames = 40;
constexpr double kBackingDistance = 150;

}  // namespace

SolidGrid ArenaSolidGrid(const TileMap& map) {
    SolidGrid grid;
    grid.columns = map.MapWidth;
    grid.rows = map.MapHeight;
    grid.blockWidth = map.BlockWidth;
    grid.blockHeight = map.BlockHeight;
    grid.solid.resize(static_cast<std::size_t>(std::max(0, grid.columns)) *
                      static_cast<std::size_t>(std::max(0, grid.rows)));
    for (int row = 0; row < grid.rows; ++row) {
        for (int column = 0; column < grid.columns; ++column) {
            grid.solid[static_cast<std::size_t>(row) * grid.columns + column] =
                map.SolidAt(column * grid.blockWidth + grid.blockWidth / 2,
                            row * grid.blockHeight + grid.blockHeight / 2) != 0;
        }
    }
    return grid;
}

bool ClearShot(float x0, float y0, float x1, float y1) {
    const TileMap* map = TheMatch().TheMap.get();
    if (!map || map->BlockWidth <= 0) return true;
    const float length = std::hypot(x1 - x0, y1 - y0);
    const int steps = static_cast<int>(length / (static_cast<float>(map->BlockWidth) / 4)) + 1;
    for (int i = 1; i < steps; ++i) {
        const float t = static_cast<float>(i) / static_cast<float>(steps);
        if (map->SolidAt(static_cast<int>(x0 + (x1 - x0) * t),
                         static_cast<int>(y0 + (y1 - y0) * t))) {
            return false;
        }
    }
    return true;
}

namespace {

// The planner of the arena being played, built again when the map changes
// (the next match's arena). Null without a map.
const PathPlanner* ArenaPlanner() {
    static std::unique_ptr<PathPlanner> planner;
    static const TileMap* plannedMap = nullptr;
    static std::uint64_t plannedRevision = 0;
    const TileMap* map = TheMatch().TheMap.get();
    if (!map || map->MapWidth <= 0 || map->MapHeight <= 0 || map->BlockWidth <= 0 ||
        map->BlockHeight <= 0) {
        return nullptr;
    }
    if (planner && map == plannedMap && map->Revision() == plannedRevision) return planner.get();
    planner = std::make_unique<PathPlanner>(ArenaSolidGrid(*map), kCarClearance);
    plannedMap = map;
    plannedRevision = map->Revision();
    return planner.get();
}

void Announce(const Vehicle& v) {
    ConsoleMessage::Create("[" + sys_current_time() + "] AI added to the scene [AI Position: " +
                               str_from_float(v.X) + "/" + str_from_float(v.Y) + "]",
                           kConsoleWhite);
}

void TintSprite(Sprite& sprite, int team) {
    int r = 255, g = 255, b = 255;
    TeamColour(team, &r, &g, &b);
    sprite.Red = r;
    sprite.Green = g;
    sprite.Blue = b;
}

}  // namespace

float SplashReach(int weaponNumber) {
    // A shot goes off within 25 pixels of the car it hits; half a car more
    // keeps the shooter's own car out of the blast.
    constexpr float kMargin = 25 + 48;
    switch (weaponNumber) {
        case 3:
            return static_cast<float>(Explosion::RadiusOf(1)) + kMargin;
        case 4:
            return static_cast<float>(Explosion::RadiusOf(2)) + kMargin;
        default:
            return 0;
    }
}

float AimError(int style) {
    const StyleTraits* t = Traits(style);
    return t ? t->aimError : 0.0f;
}

std::shared_ptr<AI> AI::Make(int style, int team) {
    AppState& app = App();
    const Match& match = TheMatch();
    auto ai = std::make_shared<AI>();
    ListCreated = true;
    List.Append(ai);
    EnrollDriver(ai, style, team);

    int x = 0, y = 0;
    PickSpawnPoint(x, y);
    con_print(str_from_int(x));
    con_print(str_from_int(y));

    if (const StyleTraits* t = Traits(style)) {
        ai->DesiredWeapon = t->desiredWeapon;
        const int model = std::clamp(static_cast<int>(rnd_float(1, t->modelTop)), 1, 5);
        ai->myVehicle = Vehicle::Spawn(ModelClass(model), x, y, 0, ai);
    }
    if (ai->myVehicle) ai->myVehicle->TreadCap = 5;
    ai->target = nullptr;
    ai->Points = 0;
    if (match.TheMinimap) ai->myMapDot = MinimapDot::Create(match.TheMinimap, ai);

    // A name no other driver of the match has (all taken: any name).
    std::vector<std::string> names;
    for (const std::string& name : app.AIDisplayNames) {
        const bool taken = std::any_of(match.DriverList.begin(), match.DriverList.end(),
                                       [&](const auto& d) { return d && d->Name == name; });
        if (!taken) names.push_back(name);
    }
    if (names.empty()) names.assign(app.AIDisplayNames.begin(), app.AIDisplayNames.end());
    const int count = static_cast<int>(names.size());
    ai->Name = names[static_cast<std::size_t>(
        std::clamp(static_cast<int>(rnd_float(0, count)), 0, count - 1))];

    if (ai->myVehicle && ai->myVehicle->mySprite) TintSprite(*ai->myVehicle->mySprite, ai->Team);
    ai->currentStateID = 1;
    ai->currentState = Wander::Instance();
    if (ai->myVehicle) Announce(*ai->myVehicle);
    return ai;
}

int AI::Update() {
    if (!myVehicle) return 0;
    Vehicle& v = *myVehicle;
    smoke_.reset();
    if (v.Dead == 1) {
        ChangeState(Nothing::Instance());
        Respawn();
    }
    v.TreadWait += 1;
    if (v.TreadWait >= v.TreadCap) {
        Tread::Make(static_cast<int>(v.X), static_cast<int>(v.Y), static_cast<int>(-v.Angle));
        v.TreadWait = 0;
    }
    // While backing out of a stall the driver neither weighs its desires nor
    // steps its state: the backing path has the wheel.
    if (backing_ == 0) WeighActions();
    searchForTarget();
    Shoot();
    if (backing_ == 0) {
        // Hold the state while it runs: a state change inside lets go of it.
        if (const std::shared_ptr<State> state = currentState) state->ExecuteState(*this);
    }

    v.Update();
    KeepMoving();

    const Match& match = TheMatch();
    if (v.X > match.WorldWidth || v.X < 0 || v.Y > match.WorldHeight || v.Y < 0) {
        ConsoleMessage::Create("Error: AI vehicle out of map boundaries!", kConsoleRed);
        ConsoleMessage::Create("Report: AI respawned due to positional error on map!",
                               kConsoleGreen);
        ++BoundaryRespawns;
        ChangeState(Nothing::Instance());
        Respawn();
    }
    return 0;
}

int AI::Draw() {
    if (!myVehicle) return 0;
    if (smoke_) smoke_->Render();
    myVehicle->Draw();
    return 0;
}

int AI::Destroy() {
    smoke_.reset();
    List.Remove(this);
    return 0;
}

int AI::Respawn() {
    if (!myVehicle) return 0;
    Vehicle& v = *myVehicle;
    int x = 0, y = 0;
    PickSpawnPoint(x, y);
    if (v.WeaponSlot) v.WeaponSlot->Destroy();
    if (v.WeaponSlot2) v.WeaponSlot2->Destroy();
    // The car is at the spawn point from now on, not only from its next
    // update: its new gun is mounted there and this frame's aim and range
    // are measured from there.
    if (v.mySprite) v.mySprite->SetPos(x, y);
    v.X = static_cast<float>(x);
    v.Y = static_cast<float>(y);
    v.Health = 100.0f;
    v.WeaponSlot = MachineGun::Choose(myVehicle);
    v.Dead = 0;
    // A new life: no earlier attacker is credited with it.
    lastHit.reset();
    if (backing_ > 0 && v.mySprite) {
        v.mySprite->GetSteering()->Flags = savedFlags_;
        backing_ = 0;
    }
    StopDriving();
    stillFrames_ = 0;
    Announce(v);
    ChangeState(Wander::Instance());
    return 0;
}

int AI::ChangeState(const std::shared_ptr<State>& newState) {
    if (!newState) return 0;
    // Kept alive here: leaving a state may drop the last other reference.
    const std::shared_ptr<State> next = newState;
    const int before = currentStateID;
    ++changing_;
    previousState = currentState;
    if (currentState) currentState->ExitState(*this);
    currentState = next;
    next->EnterState(*this);
    --changing_;
    // One line per real change, once the change (and any change made while
    // entering, such as a seek falling back to wander) is over: a state
    // entered again to plan afresh writes nothing.
    if (changing_ == 0 && currentStateID != before) {
        ConsoleMessage::Create(Name + ": state " + str_from_int(currentStateID), kConsoleYellow);
    }
    return 0;
}

int AI::RevertToPreviousState() {
    if (!previousState) return 0;
    return ChangeState(previousState);
}

int AI::WeighActions() {
    checkWander();
    checkHealth();
    checkGun();
    checkKill();
    decideAction();
    return 0;
}

int AI::checkWander() {
    wDesire = 25;
    return 0;
}

int AI::checkHealth() {
    const float health = myVehicle ? myVehicle->Health : 0.0f;
    hDesire = static_cast<int>(75.0f - health);
    if (const StyleTraits* t = Traits(Style)) hDesire += t->healthBias;
    hDesire = std::clamp(hDesire, 20, 75);
    return 0;
}

int AI::checkGun() {
    if (DesiredWeapon == 0) {
        gDesire = 20;
        return 0;
    }
    const int number = myVehicle && myVehicle->WeaponSlot ? myVehicle->WeaponSlot->Number : 0;
    gDesire = number < DesiredWeapon ? (DesiredWeapon - number) * 5 + 20 : 20;
    gDesire = std::clamp(gDesire, 0, 100);
    return 0;
}

int AI::checkKill() {
    if (const StyleTraits* t = Traits(Style)) kDesire = t->killDesire;
    kDesire = std::min(kDesire, 100);
    return 0;
}

int AI::decideAction() {
    const int m = std::max({wDesire, hDesire, gDesire, kDesire, 0});
    // Ties go to the earlier of wander, health, gun, kill.
    if (m == wDesire) {
        if (!isInState(1)) ChangeState(Wander::Instance());
    } else if (m == hDesire) {
        if (!isInState(3)) ChangeState(SeekHealth::Instance());
    } else if (m == gDesire) {
        if (!isInState(4)) ChangeState(SeekGun::Instance());
    } else if (m == kDesire) {
        if (!isInState(5)) ChangeState(Kill::Instance());
    }
    return 0;
}

int AI::searchForTarget() {
    if (!myVehicle) return 0;
    const Vehicle& own = *myVehicle;
    float best = kTargetBound;
    Vehicle::List.Walk([&](Vehicle& other) {
        if (&other == &own) return;
        const std::shared_ptr<ControlObject> driver = other.parent.lock();
        const int otherTeam = driver ? driver->Team : 0;
        if (Team != 0 && otherTeam == Team) return;
        const float d = PointDistance(static_cast<int>(own.X), static_cast<int>(own.Y),
                                      static_cast<int>(other.X), static_cast<int>(other.Y));
        if (d < best) {
            best = d;
            target = std::static_pointer_cast<Vehicle>(other.shared_from_this());
        }
    });
    return 0;
}

int AI::Shoot() {
    if (!target || !myVehicle) return 0;
    if (target->Dead == 1) {
        target = nullptr;
        return 0;
    }
    Vehicle& own = *myVehicle;
    const int ox = static_cast<int>(own.X), oy = static_cast<int>(own.Y);
    const int tx = static_cast<int>(target->X), ty = static_cast<int>(target->Y);
    const float distance = PointDistance(ox, oy, tx, ty);
    if (distance >= kFiringRange) return 0;
    const std::shared_ptr<Weapon> w = own.WeaponSlot;
    if (!w) return 0;
    // Aim where the target will be when the shot gets there: a grenade or a
    // phase bolt is slower than a car. The difficulty's error comes on top.
    float aimX = target->X, aimY = target->Y;
    const float speed = w->ShotType ? w->ShotType->LaunchSpeed() : 0.0f;
    if (speed > 0) {
        float vx = 0, vy = 0;
        if (target->PlayerControlled == 1) {
            vx = static_cast<float>(target->Velocity * math_cos_deg(target->Angle));
            vy = static_cast<float>(target->Velocity * math_sin_deg(target->Angle));
        } else if (target->mySprite) {
            vx = static_cast<float>(target->mySprite->Velocity.x);
            vy = static_cast<float>(target->mySprite->Velocity.y);
        }
        const float flight = distance / speed;
        aimX += vx * flight;
        aimY += vy * flight;
    }
    float angle = static_cast<float>(math_atan2_deg(aimY - own.Y, aimX - own.X));
    const float error = AimError(Style);
    if (error > 0.0f) angle += RandomSign(static_cast<float>(rnd_float(0, error)));
    w->Angle = angle;
    if (w->Ammo != -1 && w->Ammo <= 0) return 0;
    // A grenade or rocket at a target this near would hurt the shooter too,
    // and a shot that dies before it gets there is wasted.
    if (distance < SplashReach(w->Number)) return 0;
    if (w->ShotType && w->ShotType->Reach() > 0 && distance > w->ShotType->Reach()) return 0;
    // Nor is a shot wasted on a wall in between (the phase bolt passes
    // through walls).
    if (w->Number != 5 && !ClearShot(own.X, own.Y, target->X, target->Y)) return 0;
    smoke_ = w->Emitter;
    own.ShootWait += 1;
    if (own.ShootWait >= w->RateOfFire && w->ShotType) {
        w->ShotType->Fire(static_cast<int>(w->X), static_cast<int>(w->Y),
                          static_cast<int>(w->Angle),
                          std::static_pointer_cast<ControlObject>(shared_from_this()));
        own.ShootWait = 0;
        if (w->Ammo > 0) w->Ammo -= 1;
    }
    return 0;
}

void AI::DriveTo(float x, float y) {
    if (!myVehicle || !myVehicle->mySprite) return;
    if (backing_ > 0) return;
    const bool moved = std::hypot(x - planX_, y - planY_) > kReplanDistance;
    bool blocked = false;
    if (driving_ && !moved) {
        // The way to the next waypoint closed (a car or a wall in between
        // after a push): plan again.
        const SteeringBehavior& s = *myVehicle->mySprite->GetSteering();
        const PathPlanner* planner = ArenaPlanner();
        if (planner && s.Path && s.Path->Current) {
            blocked = !planner->LineClear(myVehicle->mySprite->Pos, *s.Path->Current);
        }
    }
    if (!driving_ || moved || blocked) Plan(x, y);
}

void AI::Plan(float x, float y) {
    SteeringBehavior& s = *myVehicle->mySprite->GetSteering();
    const Vector2D from = myVehicle->mySprite->Pos;
    const Vector2D to(x, y);
    std::vector<Vector2D> waypoints;
    if (const PathPlanner* planner = ArenaPlanner()) {
        const auto start = std::chrono::steady_clock::now();
        waypoints = planner->Plan(from, to);
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        LongestPlanMs = std::max(LongestPlanMs, took.count());
        ++Plans;
    }
    // Without a map or a way through, head straight for the goal: wall
    // avoidance still keeps the car off the walls.
    if (waypoints.empty()) waypoints.push_back(to);
    if (!s.Path) s.Path = std::make_shared<::Path>();
    s.Path->Set(waypoints);
    // Following a path steers as hard as a seek did, and a waypoint counts
    // as reached within half a block.
    s.WeightFollowPath = s.WeightSeek;
    s.WaypointSeekDistSq = 32.0 * 32.0;
    s.FollowPathOn();
    planX_ = x;
    planY_ = y;
    driving_ = true;
}

void AI::StopDriving() {
    if (myVehicle && myVehicle->mySprite) {
        SteeringBehavior& s = *myVehicle->mySprite->GetSteering();
        s.FollowPathOff();
        if (s.Path) s.Path->Clear();
    }
    driving_ = false;
    planX_ = planY_ = 1e9f;
}

void AI::KeepMoving() {
    if (!myVehicle || !myVehicle->mySprite || myVehicle->Dead != 0) return;
    Sprite& sprite = *myVehicle->mySprite;
    SteeringBehavior& s = *sprite.GetSteering();
    const float x = static_cast<float>(sprite.Pos.x), y = static_cast<float>(sprite.Pos.y);
    if (backing_ > 0) {
        if (--backing_ > 0) return;
        // Backed out: the state's behaviours take over again, along a new
        // path when it was driving to a goal.
        s.Flags = savedFlags_;
        if (driving_) Plan(planX_, planY_);
        anchorX_ = x;
        anchorY_ = y;
        stillFrames_ = 0;
        return;
    }
    // Only a driver that wants to move can be stuck.
    if (currentStateID == 0 || std::hypot(x - anchorX_, y - anchorY_) > kStallDistance) {
        anchorX_ = x;
        anchorY_ = y;
        stillFrames_ = 0;
        return;
    }
    if (++stillFrames_ < kStallFrames) return;
    // Stalled: back out the way the car came, turned to one side, and plan
    // again afterwards.
    ++Stalls;
    stillFrames_ = 0;
    savedFlags_ = s.Flags;
    Vector2D back = sprite.Heading * -kBackingDistance;
    const double turn = rnd_float(0, 2) < 1 ? 0.5 : -0.5;
    back = Vector2D(back.x - back.y * turn, back.y + back.x * turn);
    if (!s.Path) s.Path = std::make_shared<::Path>();
    s.Path->Set({sprite.Pos + back});
    s.Flags = kWallAvoidance | kFollowPath;
    backing_ = kBackingFrames;
}

int AI::UpdateAll() {
    List.Walk([](AI& ai) { ai.Update(); });
    return 0;
}

int AI::DrawAll() {
    List.Walk([](AI& ai) { ai.Draw(); });
    return 0;
}

int AI::DestroyAll() {
    List.Walk([](AI& ai) { ai.Destroy(); });
    return 0;
}
