#include "objects/game_object.h"

#include <algorithm>
#include <cmath>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "engine/random.h"

float PointDistance(int x1, int y1, int x2, int y2) {
    const double dx = static_cast<double>(x2) - x1, dy = static_cast<double>(y2) - y1;
    return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float RandomSign(float v) {
    return static_cast<int>(rnd_float(0, 2)) == 0 ? -v : v;
}

DrawParams ObjectLook(double rotation, double scale, double alpha) {
    DrawParams params;
    params.rotation = rotation;
    params.scale_x = params.scale_y = scale;
    params.alpha = alpha;
    return params;
}

void DrawInArena(const ImageHandle& image, float x, float y, const DrawParams& params) {
    const Match& match = TheMatch();
    gfx_draw_image_with(image, x - match.ScrollX, y - match.ScrollY, 0, params);
}

std::shared_ptr<RespawnPoint> RespawnPoint::Designate(float x, float y) {
    auto point = std::make_shared<RespawnPoint>();
    List.Append(point);
    point->X = x;
    point->Y = y;
    return point;
}

int RespawnPoint::Destroy() {
    List.Remove(this);
    return 0;
}

void EnrollDriver(const std::shared_ptr<ControlObject>& driver, int style, int team) {
    if (!driver) return;
    driver->Style = style;
    if (team != 5) driver->Team = team;
    TheMatch().DriverList.push_back(driver);
}

bool InMatch(const std::shared_ptr<ControlObject>& driver) {
    const auto& drivers = TheMatch().DriverList;
    return driver && std::find(drivers.begin(), drivers.end(), driver) != drivers.end();
}

std::shared_ptr<RespawnPoint> PickSpawnPoint(int& x, int& y) {
    x = y = 0;
    const auto points = RespawnPoint::List.Items();
    if (points.empty()) return nullptr;
    const int n = static_cast<int>(points.size());
    const int k = std::clamp(static_cast<int>(rnd_float(1, n + 1)), 1, n);
    const auto& point = points[static_cast<std::size_t>(k - 1)];
    x = static_cast<int>(point->GetX());
    y = static_cast<int>(point->GetY());
    return point;
}
