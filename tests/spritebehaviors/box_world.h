#pragma once
// A steering world walled like an arena: four walls 10 pixels inside its
// edges with the normals the arena loader gives them (top and right keep the
// unit normals `Wall::Create` computes, left and bottom get length 3), and
// the five vehicle models' steering numbers.

#include <array>
#include <memory>

#include "spritebehaviors/sprite.h"
#include "spritebehaviors/steering.h"
#include "spritebehaviors/world.h"

struct VehicleNumbers {
    const char* name;
    double mass;  // the sprite's mass: the vehicle's Mass / 100
    double max_force;
    double max_speed;
    double turn_rate;
};

inline constexpr std::array<VehicleNumbers, 5> kVehicleModels{{
    {"Jeep", 1.00, 2.5, 3.0, 1.0},
    {"Car", 0.75, 2.4, 3.5, 1.5},
    {"SportsCar", 0.50, 3.8, 4.0, 1.8},
    {"ConceptCar", 0.65, 2.9, 5.0, 1.2},
    {"SemiTruck", 0.65, 2.1, 2.5, 0.9},
}};

inline void AddBorderWalls(GameWorld& world, int w, int h) {
    world.AddWall(Wall::Create(10, 10, w, 10));
    auto left = Wall::Create(10, 10, 10, h);
    left->SetNormal(Vector2D::Polar(3, 0));
    world.AddWall(left);
    world.AddWall(Wall::Create(w - 10, 10, w - 10, h - 10));
    auto bottom = Wall::Create(10, h - 20, w, h - 20);
    bottom->SetNormal(Vector2D::Polar(3, 90));
    world.AddWall(bottom);
}

/// Four walls around a solid box, normals of length 3 pointing out of it.
inline void AddBoxWalls(GameWorld& world, double x1, double y1, double x2, double y2) {
    const struct {
        double ax, ay, bx, by, angle;
    } sides[] = {
        {x1, y1, x2, y1, 90}, {x1, y2, x2, y2, 270}, {x1, y1, x1, y2, 180}, {x2, y1, x2, y2, 0}};
    for (const auto& s : sides) {
        auto wall = Wall::Create(s.ax, s.ay, s.bx, s.by);
        wall->SetNormal(Vector2D::Polar(3, s.angle));
        world.AddWall(wall);
    }
}

/// A computer-driven car's sprite as the game makes it: the model's numbers,
/// bounding radius 64, wall avoidance on.
inline SpriteRef MakeCarSprite(const GameWorldRef& world, const VehicleNumbers& m, double x,
                               double y, double rotation) {
    SpriteRef s = Sprite::Create(nullptr, world, Vector2D(0, 0), 0, Vector2D(0, 0), m.mass,
                                 m.max_force, m.max_speed, m.turn_rate, 0.5);
    s->SetBoundingRadius(64);
    s->SetPos(x, y);
    s->SetRotation(rotation);
    s->GetSteering()->WallAvoidanceOn();
    return s;
}
