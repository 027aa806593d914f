#include "app/hud.h"

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

// --- Status bar -------------------------------------------------------------

void DrawStatusBar() {
    const AppState& app = App();
    const Match& match = TheMatch();
    if (!match.HumanPlayer || !match.HumanPlayer->myVehicle) return;
    const Vehicle& v = *match.HumanPlayer->myVehicle;
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
    Match& match = TheMatch();
    match.ClockNextTick = game_millisecs() + match.ClockInterval;
}

void Timer::Update() {
    Match& match = TheMatch();
    if (game_millisecs() >= match.ClockNextTick) {
        match.TimeLeft -= 1;
        Reset();
    }
}
