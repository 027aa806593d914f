#include <gtest/gtest.h>

#include "app/console_message.h"
#include "tests/objects/arena_fixture.h"

namespace {

using EffectsTest = ArenaTest;

// Steps the explosions one frame.
void Frame() {
    Explosion::UpdateAll();
}

TEST_F(EffectsTest, BlastDamageFallsWithDistanceAndSkipsShieldedCars) {
    auto near = MakeDriver(ObjectClass::Jeep, 600, 400, 0);
    auto edge = MakeDriver(ObjectClass::Jeep, 500, 520, 0);  // 120 away: out of reach
    auto shielded = MakeDriver(ObjectClass::Car, 500, 450, 0);
    shielded->myVehicle->Shield = 1;
    auto bomber = MakeDriver(ObjectClass::Car, 100, 100, 0);
    Explosion::Make(500, 400, 3, bomber);
    Frame();
    EXPECT_NEAR(near->myVehicle->Health, 120 - 20.0 / 30, 1e-4);  // 100 away
    EXPECT_FLOAT_EQ(edge->myVehicle->Health, 120);
    EXPECT_EQ(near->lastHit.lock(), bomber);
    EXPECT_FALSE(edge->lastHit.lock());
    EXPECT_FLOAT_EQ(shielded->myVehicle->Health, 100);
    EXPECT_FALSE(shielded->lastHit.lock()) << "a shielded car's attacker is not changed";
}

TEST_F(EffectsTest, ASemiTruckAtTheCentreLosesHalf) {
    auto semi = MakeDriver(ObjectClass::SemiTruck, 500, 400, 0);
    Explosion::Make(500, 400, 3, nullptr);
    Frame();
    EXPECT_FLOAT_EQ(semi->myVehicle->Health, 98);
    for (int i = 0; i < 60; ++i) Frame();
    EXPECT_TRUE(Explosion::List.Empty()) << "50 frames of life";
    EXPECT_NEAR(semi->myVehicle->Health, 0, 1e-3) << "100 in total";
}

TEST_F(EffectsTest, ExplosionLifeGrowthSoundlessSparksAndScars) {
    auto e = Explosion::Make(300, 300, 3, nullptr);
    EXPECT_FLOAT_EQ(e->Scale, 0.75f);
    EXPECT_EQ(e->Life, 50);
    EXPECT_TRUE(e->angDelta == 2 || e->angDelta == -2);
    auto spark = Explosion::Make(100, 100, 0, nullptr);
    EXPECT_FLOAT_EQ(spark->Scale, 0.05f);
    EXPECT_EQ(spark->Life, 15);
    EXPECT_EQ(Explosion::RadiusOf(0), 0);
    auto car = MakeDriver(ObjectClass::Jeep, 100, 100, 0);
    for (int frame = 1; frame <= 48; ++frame) Frame();
    EXPECT_FLOAT_EQ(car->myVehicle->Health, 120) << "sparks never hurt";
    EXPECT_TRUE(Scar::List.Empty()) << "no scar before the second-to-last frame";
    Frame();  // life 1: the scar
    EXPECT_EQ(Scar::List.Count(), 1);
    EXPECT_NEAR(e->Scale, 0.75f + 49 * 0.007f, 1e-4);
    Frame();
    EXPECT_TRUE(Explosion::List.Empty());
    EXPECT_EQ(Scar::List.Items()[0]->Scale, 0.75f);

    App().GraphicsQuality = 1;
    Explosion::Make(300, 300, 2, nullptr);
    for (int frame = 0; frame < 50; ++frame) Frame();
    EXPECT_EQ(Scar::List.Count(), 1) << "scars only at quality 2";
    Scar::DestroyAll();
    EXPECT_TRUE(Scar::List.Empty());
}

TEST_F(EffectsTest, ADyingCarsBlastIsCreditedToItsOwnDriver) {
    TheMatch().GameType = 0;
    auto dying = MakeDriver(ObjectClass::Jeep, 400, 400, 0);
    auto bystander = MakeDriver(ObjectClass::SportsCar, 420, 400, 0);
    bystander->myVehicle->Health = 1;
    dying->myVehicle->Health = -1;
    dying->myVehicle->Update();
    Frame();
    bystander->myVehicle->Update();
    EXPECT_EQ(bystander->myVehicle->Dead, 1);
    EXPECT_EQ(dying->Points, 1) << "the dead driver scores the bystander";
}

TEST_F(EffectsTest, DevicesOnTheShotListAreReachedByBlasts) {
    // A stand-in device that records the blasts reaching it.
    struct Device : Shot {
        ObjectClass cls;
        std::vector<float> blasts;
        explicit Device(ObjectClass c) : cls(c) {}
        ObjectClass Class() const override { return cls; }
        void Blasted(float strength) override { blasts.push_back(strength); }
    };
    auto mine = std::make_shared<Device>(ObjectClass::Mine);
    auto shield = std::make_shared<Device>(ObjectClass::Shield);
    auto bullet = std::make_shared<Device>(ObjectClass::MGBullet);
    auto far_mine = std::make_shared<Device>(ObjectClass::Mine);
    mine->X = 530;
    mine->Y = 400;
    shield->X = 500;
    shield->Y = 440;
    bullet->X = 500;
    bullet->Y = 400;
    far_mine->X = 700;
    far_mine->Y = 400;
    for (auto& d : {mine, shield, bullet, far_mine}) Shot::List.Append(d);
    Explosion::Make(500, 400, 2, nullptr);
    Frame();
    EXPECT_EQ(mine->blasts, (std::vector<float>{50}));  // 80 - 30
    EXPECT_EQ(shield->blasts, (std::vector<float>{40}));
    EXPECT_TRUE(bullet->blasts.empty());
    EXPECT_TRUE(far_mine->blasts.empty());
}

TEST_F(EffectsTest, WrecksSmokeForAThousandFramesAndAnnounceThemselves) {
    auto w = Wreckage::Make(300, 200, 45, 3);
    ASSERT_TRUE(w->Image) << "sprites/wrecked_sportscar.png";
    ASSERT_TRUE(ConsoleMessage::List);
    EXPECT_NE(ConsoleMessage::List->back()->Text.find("] New object [wreck] added to scene."),
              std::string::npos);
    EXPECT_EQ(w->Emitter->EmitInterval, 0.3);
    for (int i = 0; i < 999; ++i) Wreckage::UpdateAll();
    EXPECT_EQ(Wreckage::List.Count(), 1);
    Wreckage::UpdateAll();
    EXPECT_TRUE(Wreckage::List.Empty());
}

TEST_F(EffectsTest, TreadLifeFollowsGraphicsQuality) {
    const int expected[] = {100, 500, 750, 0};
    for (int quality = 0; quality <= 3; ++quality) {
        App().GraphicsQuality = quality;
        Tread::Make(10, 10, 0);
        EXPECT_EQ(Tread::List.Items().back()->Life, expected[quality]);
    }
    Tread::UpdateAll();
    EXPECT_EQ(Tread::List.Count(), 3) << "the quality-3 mark goes on its first update";
    for (int i = 0; i < 99; ++i) Tread::UpdateAll();
    EXPECT_EQ(Tread::List.Count(), 2);
    Tread::DestroyAll();
    EXPECT_TRUE(Tread::List.Empty());
}

TEST_F(EffectsTest, AThousandCarsComeAndGoAndNothingOutlivesTheMatch) {
    TheMatch().GameType = 0;
    std::vector<std::shared_ptr<TestDriver>> drivers;
    for (int i = 0; i < 6; ++i) {
        const auto model = static_cast<ObjectClass>(static_cast<int>(ObjectClass::Jeep) + i % 5);
        drivers.push_back(MakeDriver(model, 100 + 150 * i, 300, i == 0 ? 1 : 0));
    }
    int spawned = 6;
    for (int round = 0; spawned < 1000; ++round) {
        for (auto& d : drivers) {
            Vehicle& v = *d->myVehicle;
            v.Health = -1;
            if (v.PlayerControlled) {
                d->Drive(false, false, false, false);
                // The human gets a new car, as the player controller does.
                d->myVehicle = Vehicle::Spawn(v.Class(), 500, 500, 1, d);
            } else {
                v.Update();
                v.Dead = 0;  // a computer driver revives the same car
                v.Health = 100;
            }
            ++spawned;
        }
        Explosion::UpdateAll();
        Explosion::UpdateAll();
        Wreckage::UpdateAll();
    }
    EXPECT_GT(Wreckage::List.Count(), 900);
    // The match teardown, in its order.
    Vehicle::DestroyAll();
    Shot::DestroyAll();
    Wreckage::DestroyAll();
    Tread::DestroyAll();
    Explosion::DestroyAll();
    Scar::DestroyAll();
    TheMatch().TheWorld.reset();
    drivers.clear();
    ForgetDrivers();
    EXPECT_EQ(LiveObjectTotal(), 0) << LiveObjectSummary();
}

}  // namespace
