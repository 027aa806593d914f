#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "app/console_message.h"
#include "engine/graphics.h"
#include "spritebehaviors/steering.h"
#include "tests/objects/arena_fixture.h"

namespace {

using VehicleTest = ArenaTest;

TEST_F(VehicleTest, SpawnGivesTheModelsNumbersAndAMachineGun) {
    auto d = MakeDriver(ObjectClass::SportsCar, 300, 200, 1, 2);
    const Vehicle& v = *d->myVehicle;
    EXPECT_EQ(v.Class(), ObjectClass::SportsCar);
    EXPECT_EQ(v.X, 300);
    EXPECT_FLOAT_EQ(v.Mass, 50);
    EXPECT_FLOAT_EQ(v.TopSpeed, 4.0f);
    EXPECT_FLOAT_EQ(v.EngineForce, 3.8f);
    EXPECT_FLOAT_EQ(v.TurnRate, 1.8f);
    EXPECT_FLOAT_EQ(v.Health, 100);
    EXPECT_FLOAT_EQ(v.Armor, 0.25f);
    EXPECT_FLOAT_EQ(v.Friction, 0.009f);
    EXPECT_EQ(v.bonus, 4);
    EXPECT_EQ(v.TreadCap, 3);
    ASSERT_TRUE(v.Image) << "Sprites/sportscar.png from the data folder";
    EXPECT_FLOAT_EQ(v.Image->handle_x, v.Image->width() / 2.0f);
    ASSERT_TRUE(v.WeaponSlot);
    EXPECT_EQ(v.WeaponSlot->Class(), ObjectClass::MachineGun);
    EXPECT_EQ(v.WeaponSlot->playerControlled, 1);
    EXPECT_EQ(v.WeaponSlot2->Ammo, 0);
    EXPECT_EQ(v.parent.lock(), d);
    EXPECT_EQ(Vehicle::List.Count(), 1);
    EXPECT_EQ(Weapon::List.Count(), 1);
    EXPECT_TRUE(TheMatch().TheWorld->Agents().empty()) << "a human car has no steering agent";
    EXPECT_FALSE(Vehicle::Spawn(ObjectClass::MGBullet, 0, 0, 1, d)) << "not a vehicle";
}

TEST_F(VehicleTest, HumanPhysicsAcceleratesCapsAndNeverRests) {
    auto d = MakeDriver(ObjectClass::Jeep, 200, 300, 1);
    Vehicle& v = *d->myVehicle;
    d->Drive(true, false, false, false);
    EXPECT_NEAR(v.Velocity, 0.016, 1e-6);  // 2.5 / 100 gained, 0.009 lost
    EXPECT_NEAR(v.X, 200.025, 1e-4);       // moved before the friction
    for (int i = 0; i < 250; ++i) d->Drive(true, false, false, false);
    const float before = v.X;
    d->Drive(true, false, false, false);
    EXPECT_NEAR(v.X - before, 3.0, 1e-4) << "capped at TopSpeed";
    EXPECT_NEAR(v.Velocity, 3.0 - 0.009, 1e-6);

    v.Velocity = 0.005f;
    d->Drive(false, false, false, false);
    EXPECT_NEAR(v.Velocity, -0.004, 1e-6);
    d->Drive(false, false, false, false);
    EXPECT_NEAR(v.Velocity, 0.005, 1e-6);

    // Holding both: the reverse force wins.
    v.Velocity = 0;
    d->Drive(true, true, false, false);
    EXPECT_LT(v.Velocity, 0);
    // Turning right adds the turn rate (clockwise on screen).
    d->Drive(false, false, false, true);
    EXPECT_FLOAT_EQ(v.Angle, 1.0f);
}

TEST_F(VehicleTest, WallsPushBackTheBlockedAxisOnly) {
    // Block (5, 4) spans x 320..383, y 256..319. A car at y 260 driving
    // right meets it when its lower right probe (X + 48, Y + 48) reaches it.
    SetSolid(5, 4);
    auto d = MakeDriver(ObjectClass::SportsCar, 250, 260, 1);
    Vehicle& v = *d->myVehicle;
    for (int i = 0; i < 200; ++i) d->Drive(true, false, false, false);
    EXPECT_LT(v.X + 48, 320);
    EXPECT_GE(v.X + 48, 316);
    EXPECT_GT(v.Velocity, 3.5) << "collision keeps the speed";
    EXPECT_FLOAT_EQ(v.Y, 260);
}

TEST_F(VehicleTest, TheUpperRightProbeIsOnly28PixelsOut) {
    // A block up and to the right, 30..93 pixels right of the centre: the
    // upper edge's right probe (28 out) misses it, the left one (48 out)
    // misses it too.
    SetSolid(5, 2);  // x 320..383, y 128..191
    auto d = MakeDriver(ObjectClass::Jeep, 290, 260, 1);
    Vehicle& v = *d->myVehicle;
    v.Angle = -90;  // up the screen
    for (int i = 0; i < 150; ++i) d->Drive(true, false, false, false);
    EXPECT_LT(v.Y - 48, 128) << "its top edge drove up past the whole block";

    // The same block right above the centre stops the car.
    auto e = MakeDriver(ObjectClass::Jeep, 352, 300, 1);
    Vehicle& w = *e->myVehicle;
    w.Angle = -90;
    for (int i = 0; i < 150; ++i) e->Drive(true, false, false, false);
    EXPECT_GT(w.Y - 48, 188);
    EXPECT_LT(w.Y - 48, 196);
}

TEST_F(VehicleTest, HumanCarsAreClampedToTheArena) {
    auto d = MakeDriver(ObjectClass::ConceptCar, 30, 30, 1);
    Vehicle& v = *d->myVehicle;
    v.Angle = 225;  // up and left
    for (int i = 0; i < 100; ++i) d->Drive(true, false, false, false);
    EXPECT_EQ(v.X, 0);
    EXPECT_EQ(v.Y, 0);
    v.X = 2000;
    v.Y = 2000;
    v.Collision();
    EXPECT_EQ(v.X, 1024);
    EXPECT_EQ(v.Y, 768);
}

TEST_F(VehicleTest, HealthIsCappedAt120ForEveryModel) {
    auto d = MakeDriver(ObjectClass::Car, 200, 200, 1);
    Vehicle& v = *d->myVehicle;
    v.Health = 100.4f + 25;
    d->Drive(false, false, false, false);
    EXPECT_EQ(v.Health, 120);
    v.Health = 0;
    d->Drive(false, false, false, false);
    EXPECT_EQ(v.Dead, 0) << "exactly 0 does not destroy";
}

TEST_F(VehicleTest, ComputerCarsRideTheirSteeringSprite) {
    SetSolid(6, 4);
    auto d = MakeDriver(ObjectClass::Car, 200, 300, 0);
    Vehicle& v = *d->myVehicle;
    ASSERT_EQ(TheMatch().TheWorld->Agents().size(), 1u);
    SpriteRef sprite = TheMatch().TheWorld->Agents()[0];
    EXPECT_EQ(sprite, v.mySprite);
    EXPECT_TRUE(sprite->GetSteering()->isWallAvoidanceOn());
    EXPECT_EQ(sprite->BoundingRadius, 64);
    EXPECT_DOUBLE_EQ(sprite->Mass, 0.75);
    EXPECT_DOUBLE_EQ(sprite->MaxSpeed, 3.5f);
    EXPECT_EQ(v.WeaponSlot->playerControlled, 0);
    // The sprite drives straight through the solid block: only the steering
    // world's walls would stop it, and this world has none.
    sprite->Velocity.Set(3, 0);
    sprite->SetRotation(90);
    for (int i = 0; i < 100; ++i) {
        TheMatch().TheWorld->Update(1 / 60.0);
        v.Update();
    }
    EXPECT_FLOAT_EQ(v.X, static_cast<float>(sprite->GetX()));
    EXPECT_GT(v.X, 6 * 64 + 64) << "passed the block";
    EXPECT_FLOAT_EQ(v.Angle, static_cast<float>(sprite->GetRotation()));
}

TEST_F(VehicleTest, DestroyedHumanCarLeavesTheListComputerCarStays) {
    auto human = MakeDriver(ObjectClass::Jeep, 200, 200, 1);
    auto computer = MakeDriver(ObjectClass::SemiTruck, 600, 400, 0);
    human->myVehicle->Angle = 30;
    human->myVehicle->Health = -1;
    human->Drive(false, false, false, false);
    computer->myVehicle->mySprite->SetRotation(30);
    computer->myVehicle->Health = -1;
    computer->myVehicle->Update();
    // Each wreck lies as its car was drawn: the computer car's sprite draws
    // its rotation mirrored.
    ASSERT_EQ(Wreckage::List.Count(), 2);
    EXPECT_EQ(Wreckage::List.Items()[0]->Angle, 30);
    EXPECT_EQ(Wreckage::List.Items()[1]->Angle, 330);
    EXPECT_EQ(human->myVehicle->Dead, 1);
    EXPECT_EQ(computer->myVehicle->Dead, 1);
    EXPECT_EQ(computer->myVehicle->Health, 0);
    const auto on_list = Vehicle::List.Items();
    ASSERT_EQ(on_list.size(), 1u);
    EXPECT_EQ(on_list[0], computer->myVehicle);
    EXPECT_FALSE(Weapon::List.Contains(human->myVehicle->WeaponSlot.get()));
    EXPECT_TRUE(Weapon::List.Contains(computer->myVehicle->WeaponSlot.get()));
    EXPECT_EQ(Wreckage::List.Count(), 2);
    EXPECT_EQ(Explosion::List.Count(), 2);
    ASSERT_TRUE(ConsoleMessage::List);
    const auto& lines = *ConsoleMessage::List;
    bool removal = false;
    for (const auto& line : lines) {
        if (line->Text.find("] Player object [samurai] removed from scene.") != std::string::npos) {
            removal = true;
        }
    }
    EXPECT_TRUE(removal);
    EXPECT_EQ(human->Deaths, 1);
    EXPECT_EQ(computer->Deaths, 1);
}

TEST_F(VehicleTest, UpdateAllStepsModelsInModelOrder) {
    auto semi = MakeDriver(ObjectClass::SemiTruck, 100, 100, 1);
    auto jeep = MakeDriver(ObjectClass::Jeep, 200, 100, 1);
    auto car = MakeDriver(ObjectClass::Car, 300, 100, 1);
    // A vehicle destroyed during the walk must not disturb it: the Jeep
    // (stepped first) dies and leaves the list.
    jeep->myVehicle->Health = -5;
    Vehicle::UpdateAll();
    EXPECT_EQ(jeep->myVehicle->Dead, 1);
    // Wrecks are made in the order the vehicles were stepped.
    semi->myVehicle->Health = -1;
    car->myVehicle->Health = -1;
    Vehicle::UpdateAll();
    const auto wrecks = Wreckage::List.Items();
    ASSERT_EQ(wrecks.size(), 3u);
    EXPECT_EQ(wrecks[1]->X, 300) << "Car before SemiTruck";
    EXPECT_EQ(wrecks[2]->X, 100);
    Vehicle::DestroyAll();
    EXPECT_TRUE(Vehicle::List.Empty());
    EXPECT_TRUE(Weapon::List.Empty());
}

// Scoring: the driver of `victim` dies with `killer` as its last attacker.
struct Duel {
    std::shared_ptr<TestDriver> victim, killer;
    void Kill() {
        victim->myVehicle->Health = -1;
        victim->myVehicle->Update();
    }
};

TEST_F(VehicleTest, DeathmatchScoring) {
    TheMatch().GameType = 0;
    Duel duel{MakeDriver(ObjectClass::Jeep, 100, 100, 0),
              MakeDriver(ObjectClass::Car, 500, 500, 0)};
    duel.victim->lastHit = duel.killer;
    duel.Kill();
    EXPECT_EQ(duel.killer->Points, 1);
    EXPECT_EQ(duel.victim->Points, 0);
    EXPECT_EQ(duel.victim->Deaths, 1);

    // Own fire costs a point.
    auto self = MakeDriver(ObjectClass::SportsCar, 300, 300, 1);
    self->lastHit = self;
    self->myVehicle->Health = -1;
    self->Drive(false, false, false, false);
    EXPECT_EQ(self->Points, -1);

    // Nobody recorded (never hit since it spawned): no point for anyone, the
    // death counts.
    auto unlucky = MakeDriver(ObjectClass::ConceptCar, 700, 300, 0);
    unlucky->myVehicle->Health = -1;
    unlucky->myVehicle->Update();
    EXPECT_EQ(unlucky->Points, 0);
    EXPECT_EQ(unlucky->Deaths, 1);
    EXPECT_EQ(duel.killer->Points, 1);
}

TEST_F(VehicleTest, BigDogScoringForEveryModel) {
    TheMatch().GameType = 1;
    const ObjectClass models[] = {ObjectClass::Jeep, ObjectClass::Car, ObjectClass::SportsCar,
                                  ObjectClass::ConceptCar, ObjectClass::SemiTruck};
    for (const ObjectClass model : models) {
        const bool is_car = model == ObjectClass::Car;
        // The victim is the Big Dog: every model but the Car scores for the killer.
        {
            Duel duel{MakeDriver(model, 100, 100, 0), MakeDriver(ObjectClass::Jeep, 500, 500, 0)};
            duel.victim->iAmBigDog = 1;
            duel.victim->Points = 3;
            duel.victim->lastHit = duel.killer;
            duel.Kill();
            EXPECT_EQ(duel.killer->Points, is_car ? 0 : 1) << ModelOf(model).Name;
            EXPECT_EQ(duel.victim->Points, 2);
            EXPECT_EQ(duel.killer->iAmBigDog, 1) << "the title passes to the killer";
            EXPECT_EQ(duel.victim->iAmBigDog, 0);
        }
        // The killer is the Big Dog: only killing a Car scores.
        {
            Duel duel{MakeDriver(model, 100, 100, 0), MakeDriver(ObjectClass::Jeep, 500, 500, 0)};
            duel.killer->iAmBigDog = 1;
            duel.victim->lastHit = duel.killer;
            duel.Kill();
            EXPECT_EQ(duel.killer->Points, is_car ? 1 : 0) << ModelOf(model).Name;
            EXPECT_EQ(duel.killer->iAmBigDog, 1);
            EXPECT_EQ(duel.victim->Points, 0);
        }
    }
    // A Big Dog killed by its own fire loses a point, and the title passes
    // to the other driver with the most points, the earliest on a tie.
    TheMatch().DriverList.clear();
    ConsoleMessage::Reset();
    auto low = MakeDriver(ObjectClass::Jeep, 100, 300, 0);
    auto first = MakeDriver(ObjectClass::Jeep, 200, 300, 0);
    auto second = MakeDriver(ObjectClass::Jeep, 300, 300, 0);
    auto dog = MakeDriver(ObjectClass::Jeep, 400, 300, 0);
    low->Points = 2;
    first->Points = second->Points = 5;
    dog->iAmBigDog = 1;
    dog->lastHit = dog;
    dog->myVehicle->Health = -1;
    dog->myVehicle->Update();
    EXPECT_EQ(dog->Points, -1);
    EXPECT_EQ(dog->iAmBigDog, 0);
    EXPECT_EQ(first->iAmBigDog, 1);
    EXPECT_EQ(second->iAmBigDog + low->iAmBigDog, 0);
    // Killed with nobody recorded (a mine): the same rule, without itself.
    first->myVehicle->Health = -1;
    first->myVehicle->Update();
    EXPECT_EQ(first->Points, 4);
    EXPECT_EQ(first->Deaths, 1);
    EXPECT_EQ(first->iAmBigDog, 0);
    EXPECT_EQ(second->iAmBigDog, 1);
    // A killer that has left the match takes no title.
    TheMatch().DriverList.erase(TheMatch().DriverList.begin());  // `low` leaves
    second->lastHit = low;
    second->myVehicle->Health = -1;
    second->myVehicle->Update();
    EXPECT_EQ(low->iAmBigDog, 0);
    EXPECT_EQ(first->iAmBigDog, 1) << "4 points, ahead of the dog's -1";
    // Each change of holder is one console line.
    int lines = 0;
    for (const auto& m : *ConsoleMessage::List)
        lines += m->Text.find("is the Big Dog!") != std::string::npos;
    EXPECT_EQ(lines, 3);
}

TEST_F(VehicleTest, OtherGameTypesScoreNothing) {
    TheMatch().GameType = 7;
    Duel duel{MakeDriver(ObjectClass::Jeep, 100, 100, 0),
              MakeDriver(ObjectClass::Car, 500, 500, 0)};
    duel.victim->lastHit = duel.killer;
    duel.Kill();
    EXPECT_EQ(duel.killer->Points, 0);
    EXPECT_EQ(duel.victim->Deaths, 1);
}

TEST_F(VehicleTest, DriversJoinTheDriverListAndTeamFiveMeansNone) {
    auto a = std::make_shared<TestDriver>();
    auto b = std::make_shared<TestDriver>();
    EnrollDriver(a, 3, 5);
    EnrollDriver(b, 1, 4);
    EXPECT_EQ(a->Style, 3);
    EXPECT_EQ(a->Team, 0);
    EXPECT_EQ(b->Team, 4);
    ASSERT_EQ(TheMatch().DriverList.size(), 2u);
    EXPECT_EQ(TheMatch().DriverList[0], a);
}

class VehicleDrawingTest : public ArenaTest {
protected:
    VehicleDrawingTest() : ArenaTest(true) {}
};

TEST_F(VehicleDrawingTest, BodyInTeamColourAndTheBigDogMarkerOnTop) {
    TheMatch().ScrollX = 100;
    TheMatch().ScrollY = 100;
    auto red = MakeDriver(ObjectClass::SemiTruck, 300, 300, 1, 1);
    auto plain = MakeDriver(ObjectClass::SemiTruck, 700, 300, 1, 0);
    gfx_cls();
    red->Drive(false, false, false, false);
    plain->Drive(false, false, false, false);
    red->myVehicle->Draw();
    plain->myVehicle->Draw();
    // The same body: white-tinted it shows green and blue, red-tinted none.
    int red_gb = 0, plain_gb = 0, red_r = 0;
    for (const std::uint32_t p : gfx_read_pixels(180, 180, 40, 40)) {
        red_gb = std::max({red_gb, test_support::G(p), test_support::B(p)});
        red_r = std::max(red_r, test_support::R(p));
    }
    for (const std::uint32_t p : gfx_read_pixels(580, 180, 40, 40)) {
        plain_gb = std::max({plain_gb, test_support::G(p), test_support::B(p)});
    }
    EXPECT_GT(red_r, 100) << "the body is drawn at its position minus the view";
    EXPECT_EQ(red_gb, 0);
    EXPECT_GT(plain_gb, 100);

    App().BigDogImage = LoadGameImage("sprites/bigdog.png");
    img_mid_handle(App().BigDogImage);
    red->iAmBigDog = 1;
    gfx_cls();
    red->Drive(false, false, false, false);
    red->myVehicle->Draw();
    int marker_gb = 0;
    for (const std::uint32_t p : gfx_read_pixels(180, 180, 40, 40)) {
        marker_gb = std::max({marker_gb, test_support::G(p), test_support::B(p)});
    }
    EXPECT_GT(marker_gb, 100) << "the marker is drawn in white over the red body";
}

}  // namespace
