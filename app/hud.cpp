#include "app/hud.h"

#include <algorithm>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "app/player.h"
#include "engine/clock.h"
#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/text.h"
#include "objects/secondary_weapon.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"

// --- Minimap ----------------------------------------------------------------

std::shared_ptr<Minimap> Minimap::Create(int screenW, int screenH, int arenaW, int arenaH,
                                         int hidden) {
    auto m = std::make_shared<Minimap>();
    List.Append(m);
    m->MiniX = static_cast<float>(std::max(1, arenaW / 150));
    m->MiniY = static_cast<float>(std::max(1, arenaH / 150));
    m->MapOffsetX = static_cast<float>(screenW - 150);
    m->MapOffsetY = static_cast<float>(screenH - 186);
    m->visible = hidden;
    return m;
}

int Minimap::Draw() {
    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(0.25);
    gfx_set_color(0, 0, 0);
    gfx_draw_rect(gfx_width() - 150, gfx_height() - 186, 150, 150);
    gfx_set_color(255, 255, 255);
    gfx_set_alpha(1);
    return 0;
}

int Minimap::Update() {
    if (visible == 0) Draw();
    return 0;
}

int Minimap::UpdateAll() {
    List.Walk([](Minimap& m) { m.Update(); });
    MinimapDot::UpdateAll();
    return 0;
}

int Minimap::Destroy() {
    List.Remove(this);
    return 0;
}

// --- MinimapDot -------------------------------------------------------------

std::shared_ptr<MinimapDot> MinimapDot::Create(const std::shared_ptr<Minimap>& map,
                                               const std::shared_ptr<ControlObject>& driver) {
    auto dot = std::make_shared<MinimapDot>();
    List.Append(dot);
    dot->ObjParent = driver;
    dot->Map = map;
    dot->Place();
    return dot;
}

void MinimapDot::Place() {
    const auto driver = ObjParent.lock();
    if (!Map || !driver || !driver->myVehicle) return;
    X = static_cast<int>(Map->MapOffsetX + driver->myVehicle->X / Map->MiniX);
    Y = static_cast<int>(Map->MapOffsetY + driver->myVehicle->Y / Map->MiniY);
}

int MinimapDot::Draw() {
    const auto driver = ObjParent.lock();
    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(1);
    // Team 5 shows red too; no team keeps the colour in force.
    const int team = driver ? driver->Team : 0;
    if (team == 5) {
        gfx_set_color(255, 0, 0);
    } else {
        SetTeamColour(team);
    }
    if (driver && driver == std::static_pointer_cast<ControlObject>(App().HumanPlayer)) {
        gfx_set_color(255, 0, 0);
        gfx_draw_rect(X - 1, Y - 1, 7, 7);
        gfx_set_color(255, 255, 255);
    }
    gfx_draw_rect(X, Y, 5, 5);
    gfx_set_color(255, 255, 255);
    return 0;
}

int MinimapDot::Update() {
    if (Map && Map->visible == 0) Draw();
    Place();
    return 0;
}

int MinimapDot::Destroy() {
    List.Remove(this);
    return 0;
}

int MinimapDot::UpdateAll() {
    List.Walk([](MinimapDot& d) { d.Update(); });
    return 0;
}

int MinimapDot::DestroyAll() {
    List.Walk([](MinimapDot& d) { d.Destroy(); });
    return 0;
}

// --- Status bar -------------------------------------------------------------

void DrawStatusBar() {
    const AppState& app = App();
    if (!app.HumanPlayer || !app.HumanPlayer->myVehicle) return;
    const Vehicle& v = *app.HumanPlayer->myVehicle;
    const int w = gfx_width(), h = gfx_height();
    gfx_set_scale(1, 1);
    gfx_set_blend(kBlendAlpha);
    gfx_set_alpha(0.5);
    gfx_set_font(app.FontMedium);
    if (v.Health > 15) {
        gfx_set_color(255, 255, 255);
    } else {
        gfx_set_color(255, 0, 0);
    }
    gfx_draw_rect(0, h - 36, w, h);
    gfx_set_color(0, 0, 0);
    gfx_set_alpha(1);
    if (const Weapon* gun = v.WeaponSlot.get()) {
        const std::string ammo = gun->Ammo == -1 ? "Unlimited" : str_from_int(gun->Ammo);
        gfx_draw_text(gun->Name + " | " + ammo, 10, h - 36);
    }
    const std::string health = "Health: " + str_from_int(v.healthReport);
    gfx_draw_text(health, w / 2 - gfx_text_width(health) / 2, h - 36);
    if (const SecondaryWeapon* device = v.WeaponSlot2.get(); device && device->Ammo > 0) {
        const std::string text = device->Name + " | " + str_from_int(device->Ammo);
        gfx_draw_text(text, w - gfx_text_width(text) - 5, h - 36);
    }
    gfx_set_color(255, 255, 255);
}

// --- Timer ------------------------------------------------------------------

void Timer::Reset() {
    NextTick = game_millisecs() + Interval;
}

void Timer::Update() {
    if (game_millisecs() >= NextTick) {
        App().TimeLeft -= 1;
        Reset();
    }
}
