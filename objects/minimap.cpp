#include "objects/minimap.h"

#include <algorithm>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "engine/graphics.h"
#include "objects/vehicle.h"

namespace {

// Whether the driver is the human player. The player's class is only
// declared at this layer, so the two references are compared by ownership
// (references to one object share one count) rather than as pointers.
bool IsHumanPlayer(const std::shared_ptr<ControlObject>& driver) {
    const auto& human = TheMatch().HumanPlayer;
    return driver && human && !driver.owner_before(human) && !human.owner_before(driver);
}

}  // namespace

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

int Minimap::UpdateAll() {
    MinimapDot::UpdateAll();
    return 0;
}

int Minimap::DrawAll() {
    List.Walk([](Minimap& m) {
        if (m.visible == 0) m.Draw();
    });
    MinimapDot::DrawAll();
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
    if (IsHumanPlayer(driver)) {
        gfx_set_color(255, 0, 0);
        gfx_draw_rect(X - 1, Y - 1, 7, 7);
        gfx_set_color(255, 255, 255);
    }
    gfx_draw_rect(X, Y, 5, 5);
    gfx_set_color(255, 255, 255);
    return 0;
}

int MinimapDot::Update() {
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

int MinimapDot::DrawAll() {
    List.Walk([](MinimapDot& d) {
        if (d.Map && d.Map->visible == 0) d.Draw();
    });
    return 0;
}

int MinimapDot::DestroyAll() {
    List.Walk([](MinimapDot& d) { d.Destroy(); });
    return 0;
}
