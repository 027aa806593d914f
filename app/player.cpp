#include "app/player.h"

#include <algorithm>
#include <cmath>

#include "app/app_state.h"
#include "app/console_message.h"
#include "app/controls.h"
#include "app/overlay_draw.h"
#include "engine/clock.h"
#include "engine/font.h"
#include "engine/gamepad.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/effects.h"
#include "objects/game_object.h"
#include "objects/minimap.h"
#include "objects/secondary_weapon.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

namespace {

// How far from the car the right stick puts the aiming mark, in pixels.
constexpr double kPadAimDistance = 160.0;

void AnnounceCar(const Vehicle& v) {
    ConsoleMessage::Create("[" + sys_current_time() + "] Player added to scene [Player Position: " +
                               str_from_float(v.X) + "/" + str_from_float(v.Y) + "]",
                           kConsoleWhite);
}

}  // namespace

std::shared_ptr<Player> Player::Make(int model, int team) {
    AppState& app = App();
    const Match& match = TheMatch();
    auto p = std::make_shared<Player>();
    p->respawnCap = match.RespawnPenalty;
    List.Append(p);
    int x = 0, y = 0;
    PickSpawnPoint(x, y);
    EnrollDriver(p, std::clamp(model, 1, 5), team);
    p->myVehicle = Vehicle::Spawn(ModelClass(p->Style), x, y, 1, p);
    p->Points = 0;
    if (match.TheMinimap) p->myMapDot = MinimapDot::Create(match.TheMinimap, p);
    p->Name = app.Config.Read("Player Name", "Crashmoor Newbie");
    AnnounceCar(*p->myVehicle);
    return p;
}

int Player::Destroy() {
    List.Remove(this);
    return 0;
}

int Player::Update() {
    respawnShown_ = false;
    smoke_.reset();
    if (!myVehicle) return 0;
    Vehicle& v = *myVehicle;
    if (v.Dead == 1) {
        Respawn();
        return 0;
    }
    v.healthReport = static_cast<int>(v.Health);
    if (v.Up == 1) v.ApplyForce(v.EngineForce);
    if (v.Down == 1) {
        v.ApplyForce(-v.EngineForce);
        v.TreadWait += 1;
    }
    if (v.Up == 0 && v.Down == 0) v.ApplyForce(0);
    if (v.Velocity > 0.2f || v.Velocity < -0.2f) {
        v.TreadWait += 1;
        if (v.TreadWait >= v.TreadCap) {
            Tread::Make(static_cast<int>(v.X), static_cast<int>(v.Y), static_cast<int>(v.Angle));
            v.TreadWait = 0;
        }
    }
    if (v.LeftTurn == 1) v.Turn(-v.TurnRate);
    if (v.RightTurn == 1) v.Turn(v.TurnRate);
    v.Update();
    // A car destroyed in this frame fires no further shot and drops nothing.
    if (v.Dead == 1) return 0;
    const auto self = std::static_pointer_cast<ControlObject>(shared_from_this());
    if (v.Shoot == 1 && v.WeaponSlot) smoke_ = v.WeaponSlot->Emitter;
    FirePrimary(v, self, v.Shoot == 1, true);
    FireSecondary(v, self, v.Shoot2 == 1);
    return 0;
}

int Player::Draw() {
    if (respawnShown_) {
        DrawRespawnScreen();
        return 0;
    }
    if (!myVehicle) return 0;
    myVehicle->Draw();
    if (smoke_) smoke_->Render();
    return 0;
}

void Player::DrawRespawnScreen() const {
    const AppState& app = App();
    const int w = gfx_width(), h = gfx_height();
    const int d = respawnLeft_;
    gfx_draw_rect_with(0, h / 2 - 36, w, 100, gfx_tint(0, 0, 0, 0.5));
    const DrawParams bar = gfx_tint(0, 255, 0, 0.5);
    gfx_draw_rect_with(w / 2, h / 2 + 36, -d, 18, bar);
    gfx_draw_rect_with(w / 2, h / 2 + 36, d, 18, bar);
    const kit_FontScope font(app.FontLarge);
    const std::string text = "RESPAWNING...";
    DrawTextWith(text, w / 2 - gfx_text_width(text) / 2, h / 2 - gfx_text_height() / 2,
                 DrawParams{});
}

int Player::Respawn() {
    const Match& match = TheMatch();
    respawnShown_ = true;
    respawnLeft_ = match.RespawnPenalty - respawnCount;
    respawnCount += 1;
    if (respawnCount < match.RespawnPenalty) return 0;
    int x = 0, y = 0;
    // Without respawn points the car comes back at (0, 0) and no point is
    // marked.
    const std::shared_ptr<RespawnPoint> point = PickSpawnPoint(x, y);
    if (point) point->Active = 1;
    myVehicle = Vehicle::Spawn(ModelClass(Style), x, y, 1,
                               std::static_pointer_cast<ControlObject>(shared_from_this()));
    respawnCount = 0;
    AnnounceCar(*myVehicle);
    if (point) point->Active = 0;
    return 0;
}

int Player::UpdateAll() {
    List.Walk([](Player& p) { p.Update(); });
    return 0;
}

int Player::DrawAll() {
    List.Walk([](Player& p) { p.Draw(); });
    return 0;
}

int Player::DestroyAll() {
    List.Walk([](Player& p) { p.Destroy(); });
    return 0;
}

void ConsoleKey() {
    AppState& app = App();
    const Match& match = TheMatch();
    if (ActionHit(Action::Console) > 0) {
        in_flush_keys();
        app.ConsoleOpen = app.ConsoleOpen == 0 ? 1 : 0;
        if (match.TheWorld) match.TheWorld->ToggleShowFPS();
    }
}

std::string ScoreText(int points, int scoreLimit) {
    return "Score: " + str_from_int(points) + " / " + str_from_int(scoreLimit);
}

std::string ClockText(int secondsLeft) {
    const int left = std::max(secondsLeft, 0);
    const int seconds = left % 60;
    return str_from_int(left / 60) + (seconds < 10 ? ":0" : ":") + str_from_int(seconds);
}

void DrawScoreAndAim() {
    const AppState& app = App();
    const Match& match = TheMatch();
    if (app.ConsoleOpen == 0) {
        const kit_FontScope font(app.FontMedium);
        int x = 10;
        if (match.HumanPlayer) {
            const std::string score = ScoreText(match.HumanPlayer->Points, match.ScoreLimit);
            DrawTextWith(score, x, 10, DrawParams{});
            x += gfx_text_width(score) + 24;
        }
        DrawTextWith(ClockText(match.TimeLeft), x, 10, DrawParams{});
    }
    gfx_draw_image_with(app.TargetImage, in_mouse_x(), in_mouse_y(), 0, DrawParams{});
}

void PlayerInput() {
    const AppState& app = App();
    ConsoleKey();
    const Match& match = TheMatch();
    const std::shared_ptr<Player> player = match.HumanPlayer;
    if (app.ConsoleOpen == 0 && player && player->myVehicle) {
        Vehicle& v = *player->myVehicle;
        v.Up = ActionDown(Action::Forward) ? 1 : 0;
        v.Down = ActionDown(Action::Back) ? 1 : 0;
        v.LeftTurn = ActionDown(Action::Left) ? 1 : 0;
        v.RightTurn = ActionDown(Action::Right) ? 1 : 0;
        v.Shoot = ActionDown(Action::Fire) ? 1 : 0;
        v.Shoot2 = ActionHit(Action::DropDevice) > 0 ? 1 : 0;  // one device per press
        // The right stick aims (until the mouse moves again): the mark goes
        // round the car at the stick's angle, as far out as the mouse
        // usually aims.
        if (pad_aiming()) {
            double x = 0.0, y = 0.0;
            pad_aim(&x, &y);
            in_set_mouse(static_cast<int>(std::lround(v.X - match.ScrollX + x * kPadAimDistance)),
                         static_cast<int>(std::lround(v.Y - match.ScrollY + y * kPadAimDistance)));
        }
    }
}
