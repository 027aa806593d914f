#include "ai/ai_states.h"

#include "ai/ai.h"
#include "app/app_state.h"
#include "objects/game_object.h"
#include "objects/pickups.h"
#include "objects/vehicle.h"
#include "spritebehaviors/steering.h"

namespace {

constexpr float kPickUpBound = 9999.0f;
constexpr float kPreyBound = 99999.0f;

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

// Seek toward the nearest full pickup of the list, or wander when none.
template <typename P>
void SeekNearestPickUp(AI& ai) {
    const auto pickup =
        Nearest(ai, P::List.Items(), kPickUpBound, [](const P& p) { return p.Empty == 0; });
    if (!pickup || !pickup->mySprite) {
        ai.ChangeState(Wander::Instance());
        return;
    }
    if (SteeringBehavior* s = Steering(ai)) s->SeekOn(pickup->mySprite);
}

void SeekOff(AI& ai) {
    if (SteeringBehavior* s = Steering(ai)) s->SeekOff();
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
    ai.checkVal = ai.myVehicle ? static_cast<int>(ai.myVehicle->Health) : 0;
    SeekNearestPickUp<HealthPickUp>(ai);
    return 0;
}
int SeekHealth::ExecuteState(AI& ai) {
    // Hit, repaired or a fractional health: choose the nearest pickup again.
    if (ai.myVehicle && ai.myVehicle->Health != static_cast<float>(ai.checkVal)) {
        ai.ChangeState(SeekHealth::Instance());
    }
    return 0;
}
int SeekHealth::ExitState(AI& ai) {
    SeekOff(ai);
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
    if (ai.gDesire != ai.checkVal) ai.ChangeState(SeekGun::Instance());
    return 0;
}
int SeekGun::ExitState(AI& ai) {
    SeekOff(ai);
    return 0;
}

std::shared_ptr<State> Kill::Instance() {
    static const auto instance = std::make_shared<Kill>();
    return instance;
}
int Kill::EnterState(AI& ai) {
    ai.currentStateID = 5;
    std::shared_ptr<Vehicle> prey;
    if (ai.myVehicle) {
        const int x = static_cast<int>(ai.myVehicle->X), y = static_cast<int>(ai.myVehicle->Y);
        float best = kPreyBound;
        for (const auto& driver : App().DriverList) {
            if (!driver || driver.get() == &ai || !driver->myVehicle) continue;
            if (driver->myVehicle->Dead != 0) continue;
            if (ai.Team != 0 && driver->Team == ai.Team) continue;
            const Vehicle& v = *driver->myVehicle;
            const float d = PointDistance(x, y, static_cast<int>(v.X), static_cast<int>(v.Y));
            if (d < best) {
                best = d;
                prey = driver->myVehicle;
            }
        }
    }
    if (!prey || !prey->mySprite) {
        ai.ChangeState(Wander::Instance());
        return 0;
    }
    if (SteeringBehavior* s = Steering(ai)) s->SeekOn(prey->mySprite);
    return 0;
}
int Kill::ExitState(AI& ai) {
    SeekOff(ai);
    return 0;
}
