#include "app/hud.h"

#include "ai/control_object.h"
#include "app/app_state.h"
#include "app/overlay_draw.h"
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
    const kit_FontScope font(app.FontMedium);
    gfx_draw_rect_with(0, h - 36, w, h,
                       v.Health > 15 ? gfx_tint(255, 255, 255, 0.5) : gfx_tint(255, 0, 0, 0.5));
    const DrawParams black = gfx_tint(0, 0, 0);
    if (const Weapon* gun = v.WeaponSlot.get()) {
        const std::string ammo = gun->Ammo == -1 ? "Unlimited" : str_from_int(gun->Ammo);
        DrawTextWith(gun->Name + " | " + ammo, 10, h - 36, black);
    }
    const std::string health = "Health: " + str_from_int(v.healthReport);
    DrawTextWith(health, w / 2 - gfx_text_width(health) / 2, h - 36, black);
    if (const SecondaryWeapon* device = v.WeaponSlot2.get(); device && device->Ammo > 0) {
        const std::string text = device->Name + " | " + str_from_int(device->Ammo);
        DrawTextWith(text, w - gfx_text_width(text) - 5, h - 36, black);
    }
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
