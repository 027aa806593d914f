#pragma once
// A scripted battle for tests and the benchmark: six cars on a walled
// 1024 x 768 arena, three driven like the human's (own physics, tile-map
// collision) and three carried by wandering steering sprites, all turning,
// firing, switching through every primary weapon, laying mines and turrets
// and raising shields. Frames run in the main loop's order on the virtual
// clock. The caller provides the engine and the data folder.

#include <cmath>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

#include "ai/control_object.h"
#include "app/app_state.h"
#include "arena/fmp_writer.h"
#include "engine/clock.h"
#include "engine/random.h"
#include "objects/devices.h"
#include "objects/effects.h"
#include "objects/match_state.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "spritebehaviors/delta.h"
#include "spritebehaviors/steering.h"

class Battle {
public:
    static constexpr int kWidth = 1024, kHeight = 768, kBlock = 64;

    explicit Battle(std::int64_t seed, int quality = 2) {
        rnd_seed(seed);
        clock_set_fixed_step(1 / 60.0);
        Delta::Start();
        App().GraphicsQuality = quality;
        match_->WorldWidth = kWidth;
        match_->WorldHeight = kHeight;
        match_->TheWorld = GameWorld::Create(kWidth, kHeight);
        BuildArena();
        const ObjectClass models[] = {ObjectClass::Jeep,      ObjectClass::Car,
                                      ObjectClass::SportsCar, ObjectClass::ConceptCar,
                                      ObjectClass::SemiTruck, ObjectClass::Jeep};
        for (int i = 0; i < 6; ++i) {
            auto d = std::make_shared<ControlObject>();
            d->Team = i % 3;
            const int human = i < 3 ? 1 : 0;
            d->myVehicle = Vehicle::Spawn(models[i], 160 + 140 * i, i % 2 ? 200 : 560, human, d);
            if (!human) d->myVehicle->mySprite->GetSteering()->WanderOn();
            drivers.push_back(d);
        }
    }

    ~Battle() { clock_set_fixed_step(0); }

    /// One frame's steps in the main loop's order; nothing is drawn.
    void Frame() {
        AppState& app = App();
        Tread::UpdateAll();
        Wreckage::UpdateAll();
        Shot::UpdateSecondary();
        for (std::size_t i = 0; i < drivers.size(); ++i) Drive(i);
        Shot::UpdatePrimary();
        Weapon::UpdateAll();
        Explosion::UpdateAll();
        app.FrameDelta = Delta::Get();
        match_->TheWorld->Update(app.FrameDelta);
        clock_advance_frame();
        Delta::Update();
        ++frame;
    }

    /// The end of the battle's match: its objects, then the drivers.
    void Teardown() {
        match_.reset();
        drivers.clear();
    }

    std::vector<std::shared_ptr<ControlObject>> drivers;
    int frame = 0;

private:
    /// The battle's match, made first and ended by Teardown (or with the
    /// battle).
    std::unique_ptr<Match> match_ = std::make_unique<Match>();

    void BuildArena() {
        // Four solid boxes of one block each, also walled in the steering
        // world, and the arena border.
        const int boxes[][2] = {{4, 3}, {11, 3}, {4, 8}, {11, 8}};
        FmpMapData map;
        map.width = kWidth / kBlock;
        map.height = kHeight / kBlock;
        map.block_width = map.block_height = kBlock;
        map.blocks.resize(2);
        map.blocks[1].bit0 = 1;
        map.graphics.assign(1, std::vector<std::uint32_t>(kBlock * kBlock, 0xFF404040u));
        map.planes.emplace_back(static_cast<std::size_t>(map.width * map.height), 0);
        GameWorld& world = *match_->TheWorld;
        for (const auto& b : boxes) {
            map.planes[0][static_cast<std::size_t>(b[1] * map.width + b[0])] = 1;
            const double x1 = b[0] * kBlock, y1 = b[1] * kBlock;
            const double x2 = x1 + kBlock, y2 = y1 + kBlock;
            const struct {
                double ax, ay, bx, by, angle;
            } sides[] = {{x1, y1, x2, y1, 90},
                         {x1, y2, x2, y2, 270},
                         {x1, y1, x1, y2, 180},
                         {x2, y1, x2, y2, 0}};
            for (const auto& s : sides) {
                auto wall = Wall::Create(s.ax, s.ay, s.bx, s.by);
                wall->SetNormal(Vector2D::Polar(3, s.angle));
                world.AddWall(wall);
            }
        }
        world.AddWall(Wall::Create(10, 10, kWidth, 10));
        auto left = Wall::Create(10, 10, 10, kHeight);
        left->SetNormal(Vector2D::Polar(3, 0));
        world.AddWall(left);
        world.AddWall(Wall::Create(kWidth - 10, 10, kWidth - 10, kHeight - 10));
        auto bottom = Wall::Create(10, kHeight - 20, kWidth, kHeight - 20);
        bottom->SetNormal(Vector2D::Polar(3, 90));
        world.AddWall(bottom);
        const std::string bytes = WriteFmp(map, FmpWriteOptions{});
        match_->TheMap->LoadBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(),
                                  1);
    }

    // The nearest other live car, or Null.
    std::shared_ptr<Vehicle> Nearest(const Vehicle& me) const {
        std::shared_ptr<Vehicle> best;
        float best_d = 1e9f;
        for (const auto& d : drivers) {
            const auto& v = d->myVehicle;
            if (!v || v.get() == &me || v->Dead) continue;
            const float dist = std::hypot(v->X - me.X, v->Y - me.Y);
            if (dist < best_d) {
                best_d = dist;
                best = v;
            }
        }
        return best;
    }

    void Respawn(ControlObject& d) {
        const int x = rnd_int(100, kWidth - 100), y = rnd_int(100, kHeight - 100);
        Vehicle& old = *d.myVehicle;
        if (old.PlayerControlled) {
            d.myVehicle = Vehicle::Spawn(old.Class(), x, y, 1, d.shared_from_this());
        } else {
            // A computer driver revives the same car.
            old.Dead = 0;
            old.Health = ModelOf(old.Class()).Health;
            old.mySprite->SetPos(x, y);
        }
    }

    void Drive(std::size_t index) {
        ControlObject& d = *drivers[index];
        if (d.myVehicle->Dead) {
            Respawn(d);
            return;
        }
        const std::shared_ptr<Vehicle> v = d.myVehicle;
        const int phase = (frame + static_cast<int>(index) * 97) % 600;
        // Every 600 frames the next primary weapon, every 400 the next
        // device, as pickups would give them.
        if (phase == 0) {
            v->WeaponSlot->Destroy();
            v->WeaponSlot = ChooseWeapon(1 + (frame / 600 + static_cast<int>(index)) % 5, v);
        }
        if ((frame + static_cast<int>(index) * 61) % 400 == 0) {
            v->WeaponSlot2->Destroy();
            switch ((frame / 400 + static_cast<int>(index)) % 3) {
                case 0:
                    v->WeaponSlot2 = MineLayer::Choose(v);
                    break;
                case 1:
                    v->WeaponSlot2 = TurretLayer::Choose(v);
                    break;
                default:
                    v->WeaponSlot2 = ShieldGen::Choose(v);
                    break;
            }
        }
        if (v->PlayerControlled) {
            const bool up = phase % 150 < 120, down = !up;
            const bool left = phase % 90 < 30, right = phase % 90 >= 60;
            v->ApplyForce(up ? v->EngineForce : down ? -v->EngineForce : 0);
            if (left) v->Turn(-v->TurnRate);
            if (right) v->Turn(v->TurnRate);
        }
        v->Update();
        if (v->Dead) return;
        if (const auto target = Nearest(*v)) {
            v->WeaponSlot->Angle =
                std::atan2(target->Y - v->Y, target->X - v->X) * 180 / std::numbers::pi;
        }
        v->TreadWait += 1;
        if (v->TreadWait >= v->TreadCap) {
            Tread::Make(static_cast<int>(v->X), static_cast<int>(v->Y), static_cast<int>(v->Angle));
            v->TreadWait = 0;
        }
        const std::shared_ptr<ControlObject> self = d.shared_from_this();
        FirePrimary(*v, self, true);
        FireSecondary(*v, self, phase % 150 == 75);
    }
};
