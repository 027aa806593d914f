#include "app/autopilot.h"

#include <cmath>
#include <memory>

#include "app/app_state.h"
#include "app/player.h"
#include "engine/input.h"
#include "engine/text.h"
#include "objects/game_object.h"
#include "objects/pickups.h"
#include "objects/secondary_weapon.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

namespace {

constexpr int kFireRange = 600;      // pixels to a rival worth shooting at
constexpr int kStuckFrames = 45;     // frames over which progress is judged
constexpr float kStuckDistance = 6;  // less than this in that time: stuck
constexpr int kReverseFrames = 50;
constexpr int kDeviceInterval = 420;  // frames between two devices at most

struct Memory {
    int frame = 0;
    float lastX = 0, lastY = 0;
    int reversing = 0;
    int reverseTurn = 1;
    int nextDevice = kDeviceInterval;
};
Memory g_memory;

float Distance(float x1, float y1, float x2, float y2) {
    return PointDistance(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2),
                         static_cast<int>(y2));
}

// The nearest living vehicle of another driver who is a rival.
std::shared_ptr<Vehicle> NearestRival(const Vehicle& own, int team) {
    std::shared_ptr<Vehicle> best;
    float best_d = 1e9f;
    Vehicle::List.Walk([&](Vehicle& v) {
        if (&v == &own || v.Dead != 0) return;
        const std::shared_ptr<ControlObject> driver = v.parent.lock();
        if (team != 0 && driver && driver->Team == team) return;
        const float d = Distance(own.X, own.Y, v.X, v.Y);
        if (d < best_d) {
            best_d = d;
            best = std::static_pointer_cast<Vehicle>(v.shared_from_this());
        }
    });
    return best;
}

template <typename P>
bool NearestFullPickUp(const Vehicle& own, float* x, float* y) {
    float best_d = 1e9f;
    bool found = false;
    P::List.Walk([&](P& p) {
        if (p.Empty != 0) return;
        const float d = Distance(own.X, own.Y, p.X, p.Y);
        if (d < best_d) {
            best_d = d;
            *x = p.X;
            *y = p.Y;
            found = true;
        }
    });
    return found;
}

// Degrees from `from` to `to`, in -180..180.
float Turning(float from, float to) {
    float d = std::fmod(to - from, 360.0f);
    if (d > 180.0f) d -= 360.0f;
    if (d < -180.0f) d += 360.0f;
    return d;
}

void Steer(Vehicle& v, float goalX, float goalY) {
    const float want = static_cast<float>(math_atan2_deg(goalY - v.Y, goalX - v.X));
    const float d = Turning(v.Angle, want);
    v.LeftTurn = d < -6.0f ? 1 : 0;
    v.RightTurn = d > 6.0f ? 1 : 0;
    // Slow down for sharp turns so the car does not orbit its goal.
    v.Up = std::fabs(d) < 100.0f || std::fabs(v.Velocity) < 1.0f ? 1 : 0;
    v.Down = 0;
}

}  // namespace

void ResetAutopilot() {
    g_memory = Memory{};
}

void AutopilotInput() {
    const AppState& app = App();
    const Match& match = TheMatch();
    ConsoleKey();
    const std::shared_ptr<Player> player = match.HumanPlayer;
    if (app.ConsoleOpen != 0 || !player || !player->myVehicle) return;
    Vehicle& v = *player->myVehicle;
    Memory& m = g_memory;
    ++m.frame;
    const std::shared_ptr<Vehicle> rival = NearestRival(v, player->Team);

    // Where to go: repairs when hurt, a better gun while only the machine
    // gun is carried, otherwise the nearest rival.
    float goalX = v.X + 300.0f * static_cast<float>(math_cos_deg(v.Angle));
    float goalY = v.Y + 300.0f * static_cast<float>(math_sin_deg(v.Angle));
    const bool hurt = v.Health < 60.0f;
    const bool plain_gun = !v.WeaponSlot || v.WeaponSlot->Number <= 1;
    float px = 0, py = 0;
    if (hurt && NearestFullPickUp<HealthPickUp>(v, &px, &py)) {
        goalX = px;
        goalY = py;
    } else if (plain_gun && NearestFullPickUp<WeaponPickUp>(v, &px, &py)) {
        goalX = px;
        goalY = py;
    } else if (rival) {
        goalX = rival->X;
        goalY = rival->Y;
    }

    if (m.reversing > 0) {
        // Back out of a wall with the wheels turned, then try again.
        --m.reversing;
        v.Up = 0;
        v.Down = 1;
        v.LeftTurn = m.reverseTurn < 0 ? 1 : 0;
        v.RightTurn = m.reverseTurn > 0 ? 1 : 0;
    } else {
        Steer(v, goalX, goalY);
    }
    if (m.frame % kStuckFrames == 0) {
        const bool stuck = Distance(v.X, v.Y, m.lastX, m.lastY) < kStuckDistance;
        m.lastX = v.X;
        m.lastY = v.Y;
        if (stuck && m.reversing == 0) {
            m.reversing = kReverseFrames;
            m.reverseTurn = -m.reverseTurn;
        }
    }

    // Aim: the mouse goes where the gun should point, on screen.
    float aimX = goalX, aimY = goalY;
    const bool in_range =
        rival && WithinDistance(static_cast<int>(v.X), static_cast<int>(v.Y),
                                static_cast<int>(rival->X), static_cast<int>(rival->Y), kFireRange);
    if (in_range) {
        aimX = rival->X;
        aimY = rival->Y;
    }
    in_set_mouse(static_cast<int>(aimX) - match.ScrollX, static_cast<int>(aimY) - match.ScrollY);
    v.Shoot = in_range ? 1 : 0;

    // A device now and then while charges are left.
    v.Shoot2 = 0;
    if (--m.nextDevice <= 0 && v.WeaponSlot2 && v.WeaponSlot2->Ammo > 0) {
        v.Shoot2 = 1;
        m.nextDevice = kDeviceInterval / 2 + m.frame % (kDeviceInterval / 2);
    }
}
