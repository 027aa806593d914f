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
    gfx_draw_rect_with(gfx_width() - 150, gfx_height() - 186, 150, 150, gfx_tint(0, 0, 0, 0.25));
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
    // Team 5 shows red too; no team is white, as is the human's dot, which
    // has a red frame.
    DrawParams dot;
    const int team = driver ? driver->Team : 0;
    if (team == 5) {
        dot.g = dot.b = 0;
    } else {
        TeamColour(team, &dot.r, &dot.g, &dot.b);
    }
    if (IsHumanPlayer(driver)) {
        gfx_draw_rect_with(X - 1, Y - 1, 7, 7, gfx_tint(255, 0, 0));
        dot.r = dot.g = dot.b = 255;
    }
    gfx_draw_rect_with(X, Y, 5, 5, dot);
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
