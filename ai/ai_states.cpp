#include "ai/ai_states.h"

#include <algorithm>
#include <cmath>

#include "ai/ai.h"
#include "app/app_state.h"
#include "engine/random.h"
#include "objects/game_object.h"
#include "objects/pickups.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "spritebehaviors/steering.h"

namespace {

constexpr float kPickUpBound = 9999.0f;
constexpr float kPreyBound = 99999.0f;
constexpr float kGunRange = 250.0f;
constexpr float kReachMargin = 50.0f;
constexpr float kOrbitStep = 1.0f;  // radians ahead round the prey

SteeringBehavior* Steering(AI& ai) {
    if (!ai.myVehicle || !ai.myVehicle->mySprite) return nullptr;
    return ai.myVehicle->mySprite->GetSteering().get();
}

// The nearest entry of `items` that passes `usable`, strictly nearer than
// `bound` (ties keep the earlier entry); Null when there is none.
template <typename T, typename Usable>
std::shared_ptr<T> Nearest(const AI& ai, const std::vector<std::shared_ptr<T>>& items, float bound,
                           Usable usable) {
    if (!ai.myVehicle) return nullptr;
    const int x = static_cast<int>(ai.myVehicle->X), y = static_cast<int>(ai.myVehicle->Y);
    std::shared_ptr<T> best;
    float best_d = bound;
    for (const auto& item : items) {
        if (!item || !usable(*item)) continue;
        const float d = PointDistance(x, y, static_cast<int>(item->X), static_cast<int>(item->Y));
        if (d < best_d) {
            best_d = d;
            best = item;
        }
    }
    return best;
}

// Drive to the nearest full pickup of the list, or wander when none.
template <typename P>
void SeekNearestPickUp(AI& ai) {
    const auto pickup =
        Nearest(ai, P::List.Items(), kPickUpBound, [](const P& p) { return p.Empty == 0; });
    if (!pickup) {
        ai.ChangeState(Wander::Instance());
        return;
    }
    ai.Goal = pickup;
    ai.DriveTo(pickup->X, pickup->Y);
}

// Whether the pickup being driven to has been taken (by anyone) or is gone.
bool GoalTaken(const AI& ai) {
    const std::shared_ptr<PickUp> goal = ai.Goal.lock();
    return !goal || goal->Empty != 0;
}

// Keeps driving to the pickup chosen (the path is planned again when
// needed).
void DriveOn(AI& ai) {
    if (const std::shared_ptr<PickUp> goal = ai.Goal.lock()) ai.DriveTo(goal->X, goal->Y);
}

void StopSeeking(AI& ai) {
    ai.Goal.reset();
    ai.StopDriving();
}

}  // namespace

int State::EnterState(AI&) {
    return 0;
}
int State::ExecuteState(AI&) {
    return 0;
}
int State::ExitState(AI&) {
    return 0;
}

std::shared_ptr<State> Nothing::Instance() {
    static const auto instance = std::make_shared<Nothing>();
    return instance;
}
int Nothing::EnterState(AI& ai) {
    ai.currentStateID = 0;
    return 0;
}

std::shared_ptr<State> Wander::Instance() {
    static const auto instance = std::make_shared<Wander>();
    return instance;
}
int Wander::EnterState(AI& ai) {
    ai.currentStateID = 1;
    if (SteeringBehavior* s = Steering(ai)) s->WanderOn();
    return 0;
}
int Wander::ExecuteState(AI& ai) {
    // An AI made straight into this state has wander still off.
    SteeringBehavior* s = Steering(ai);
    if (s && !s->isWanderOn()) ai.ChangeState(Wander::Instance());
    return 0;
}
int Wander::ExitState(AI& ai) {
    if (SteeringBehavior* s = Steering(ai)) s->WanderOff();
    return 0;
}

std::shared_ptr<State> SeekHealth::Instance() {
    static const auto instance = std::make_shared<SeekHealth>();
    return instance;
}
int SeekHealth::EnterState(AI& ai) {
    ai.currentStateID = 3;
    ai.plannedHealth = ai.myVehicle ? ai.myVehicle->Health : 0;
    SeekNearestPickUp<HealthPickUp>(ai);
    return 0;
}
int SeekHealth::ExecuteState(AI& ai) {
    // Hit or repaired, or the pickup taken by another car: choose the
    // nearest pickup again.
    if ((ai.myVehicle && ai.myVehicle->Health != ai.plannedHealth) || GoalTaken(ai)) {
        ai.ChangeState(SeekHealth::Instance());
        return 0;
    }
    DriveOn(ai);
    return 0;
}
int SeekHealth::ExitState(AI& ai) {
    StopSeeking(ai);
    return 0;
}

std::shared_ptr<State> SeekGun::Instance() {
    static const auto instance = std::make_shared<SeekGun>();
    return instance;
}
int SeekGun::EnterState(AI& ai) {
    ai.currentStateID = 4;
    ai.checkVal = ai.gDesire;
    SeekNearestPickUp<WeaponPickUp>(ai);
    return 0;
}
int SeekGun::ExecuteState(AI& ai) {
    // A new weapon, or the pickup emptied by another car: choose again.
    if (ai.gDesire != ai.checkVal || GoalTaken(ai)) {
        ai.ChangeState(SeekGun::Instance());
        return 0;
    }
    DriveOn(ai);
    return 0;
}
int SeekGun::ExitState(AI& ai) {
    StopSeeking(ai);
    return 0;
}

std::shared_ptr<State> Kill::Instance() {
    static const auto instance = std::make_shared<Kill>();
    return instance;
}
int Kill::EnterState(AI& ai) {
    ai.currentStateID = 5;
    std::shared_ptr<ControlObject> hunted;
    std::shared_ptr<Vehicle> prey;
    if (ai.myVehicle) {
        const int x = static_cast<int>(ai.myVehicle->X), y = static_cast<int>(ai.myVehicle->Y);
        float best = kPreyBound;
        for (const auto& driver : TheMatch().DriverList) {
            if (!driver || driver.get() == &ai || !driver->myVehicle) continue;
            if (driver->myVehicle->Dead != 0) continue;
            if (ai.Team != 0 && driver->Team == ai.Team) continue;
            const Vehicle& v = *driver->myVehicle;
            const float d = PointDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y));
            if (d < best) {
                best = d;
                hunted = driver;
                prey = driver->myVehicle;
            }
        }
    }
    if (!prey) {
        ai.ChangeState(Wander::Instance());
        return 0;
    }
    ai.Prey = hunted;
    ai.PreyCar = prey;
    ai.OrbitSign = rnd_float(0, 2) < 1 ? 1.0f : -1.0f;
    ai.DriveTo(prey->X, prey->Y);
    return 0;
}
int Kill::ExecuteState(AI& ai) {
    const std::shared_ptr<ControlObject> hunted = ai.Prey.lock();
    const std::shared_ptr<Vehicle> prey = ai.PreyCar.lock();
    // The prey's car destroyed, a new car, or the prey gone from the match:
    // hunt again by the same rules.
    if (!hunted || !prey || prey->Dead != 0 || hunted->myVehicle != prey || !InMatch(hunted)) {
        ai.ChangeState(Kill::Instance());
        return 0;
    }
    if (!ai.myVehicle) return 0;
    const Vehicle& own = *ai.myVehicle;
    // In sight of the prey the hunter circles it at its weapon's range (a
    // grenade or rocket launcher twice its blast's reach, a gun closer in,
    // where its aim tells): a car that holds still is an easy mark. Out of
    // sight it drives to the prey.
    const int weapon = own.WeaponSlot ? own.WeaponSlot->Number : 0;
    float range = SplashReach(weapon) > 0 ? 2 * SplashReach(weapon) : kGunRange;
    // A prey whose shots fall short of where this driver can still hit it
    // (a grenade launcher against a gun) is fought from beyond their reach.
    if (prey->WeaponSlot && prey->WeaponSlot->ShotType && own.WeaponSlot &&
        own.WeaponSlot->ShotType) {
        const float theirs = prey->WeaponSlot->ShotType->Reach() + kReachMargin;
        const float ours = std::min(own.WeaponSlot->ShotType->Reach(), kFiringRange) - kReachMargin;
        if (theirs > range && theirs < ours) range = theirs;
    }
    const float dx = own.X - prey->X, dy = own.Y - prey->Y;
    const float d = std::hypot(dx, dy);
    if (d > 0 && ClearShot(own.X, own.Y, prey->X, prey->Y)) {
        const float turn = ai.OrbitSign * kOrbitStep;
        const float c = std::cos(turn), s = std::sin(turn);
        const float ux = dx / d, uy = dy / d;
        const float ox = ux * c - uy * s, oy = ux * s + uy * c;
        ai.DriveTo(prey->X + ox * range, prey->Y + oy * range);
    } else {
        ai.DriveTo(prey->X, prey->Y);
    }
    return 0;
}
int Kill::ExitState(AI& ai) {
    ai.Prey.reset();
    ai.PreyCar.reset();
    ai.StopDriving();
    return 0;
}
