#include "ai/ai.h"

#include <algorithm>
#include <string>

#include "ai/ai_states.h"
#include "app/app_state.h"
#include "app/console_message.h"
#include "app/hud.h"
#include "engine/clock.h"
#include "engine/graphics.h"
#include "engine/log.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

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

constexpr float kFiringRange = 650.0f;
constexpr float kTargetBound = 9999.0f;

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

float AimError(int style) {
    const StyleTraits* t = Traits(style);
    return t ? t->aimError : 0.0f;
}

std::shared_ptr<AI> AI::Make(int style, int team) {
    AppState& app = App();
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
    if (app.TheMinimap) ai->myMapDot = MinimapDot::Create(app.TheMinimap, ai);

    const int names = static_cast<int>(app.AIDisplayNames.size());
    ai->Name = app.AIDisplayNames[static_cast<std::size_t>(
        std::clamp(static_cast<int>(rnd_float(0, names)), 0, names - 1))];

    if (ai->myVehicle && ai->myVehicle->mySprite) TintSprite(*ai->myVehicle->mySprite, ai->Team);
    ai->currentStateID = 1;
    ai->currentState = Wander::Instance();
    if (ai->myVehicle) Announce(*ai->myVehicle);
    return ai;
}

int AI::Update() {
    if (!myVehicle) return 0;
    Vehicle& v = *myVehicle;
    if (v.Dead == 1) {
        ChangeState(Nothing::Instance());
        Respawn();
    }
    v.TreadWait += 1;
    if (v.TreadWait >= v.TreadCap) {
        Tread::Make(static_cast<int>(v.X), static_cast<int>(v.Y), static_cast<int>(-v.Angle));
        v.TreadWait = 0;
    }
    WeighActions();
    searchForTarget();
    Shoot();
    // Hold the state while it runs: a state change inside lets go of it.
    if (const std::shared_ptr<State> state = currentState) state->ExecuteState(*this);

    gfx_set_alpha(100);
    gfx_set_scale(1, 1);
    gfx_set_color(255, 255, 255);
    v.Update();

    const AppState& app = App();
    if (v.X > app.WorldWidth || v.X < 0 || v.Y > app.WorldHeight || v.Y < 0) {
        ConsoleMessage::Create("Error: AI vehicle out of map boundaries!", kConsoleRed);
        ConsoleMessage::Create("Report: AI respawned due to positional error on map!",
                               kConsoleGreen);
        ++BoundaryRespawns;
        ChangeState(Nothing::Instance());
        Respawn();
    }
    return 0;
}

int AI::Destroy() {
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
    Announce(v);
    ChangeState(Wander::Instance());
    return 0;
}

int AI::ChangeState(const std::shared_ptr<State>& newState) {
    if (!newState) return 0;
    // Kept alive here: leaving a state may drop the last other reference.
    const std::shared_ptr<State> next = newState;
    previousState = currentState;
    if (currentState) currentState->ExitState(*this);
    currentState = next;
    next->EnterState(*this);
    ConsoleMessage::Create("Current State ID #: " + str_from_int(currentStateID), kConsoleYellow);
    return 0;
}

int AI::RevertToPreviousState() {
    if (!previousState) return 0;
    ConsoleMessage::Create("Current State ID #: " + str_from_int(currentStateID), kConsoleYellow);
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
    if (PointDistance(ox, oy, tx, ty) >= kFiringRange) return 0;
    float angle = static_cast<float>(math_atan2_deg(target->Y - own.Y, target->X - own.X));
    const float error = AimError(Style);
    if (error > 0.0f) angle += RandomSign(static_cast<float>(rnd_float(0, error)));
    const std::shared_ptr<Weapon> w = own.WeaponSlot;
    if (!w) return 0;
    w->Angle = angle;
    if (w->Ammo != -1 && w->Ammo <= 0) return 0;
    if (w->Emitter) w->Emitter->Render();
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

int AI::UpdateAll() {
    List.Walk([](AI& ai) { ai.Update(); });
    return 0;
}

int AI::DestroyAll() {
    List.Walk([](AI& ai) { ai.Destroy(); });
    return 0;
}
