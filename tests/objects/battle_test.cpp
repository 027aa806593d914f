#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "tests/objects/battle.h"
#include "tests/support/test_support.h"

namespace {

class BattleTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetAppState();
        ASSERT_TRUE(engine_.ok());
    }
    void TearDown() override { ResetAppState(); }

    test_support::HeadlessEngine engine_;
    test_support::ScopedChdir in_data_{CRASHMOOR_DATA_DIR};
};

bool Finite(float x, float y) {
    return std::isfinite(x) && std::isfinite(y);
}

TEST_F(BattleTest, SixCarsFightForTwentyThousandFramesAndLeaveNothingBehind) {
    int most_shots = 0, kills = 0;
    std::set<ObjectClass> classes;
    {
        Battle battle(4242);
        for (int frame = 0; frame < 20000; ++frame) {
            battle.Frame();
            for (const auto& v : Vehicle::List.Items()) {
                ASSERT_TRUE(Finite(v->X, v->Y)) << "frame " << frame;
                ASSERT_TRUE(Weapon::List.Contains(v->WeaponSlot.get()) || v->Dead)
                    << "a live car's gun is stepped";
            }
            for (const auto& s : Shot::List.Items()) {
                ASSERT_TRUE(Finite(s->X, s->Y)) << "frame " << frame;
                classes.insert(s->Class());
            }
            for (const auto& w : Weapon::List.Items()) {
                const auto owner = w->Parent.lock();
                ASSERT_TRUE(owner) << "a listed gun without its car";
                ASSERT_TRUE(Vehicle::List.Contains(owner.get()));
            }
            most_shots = std::max(most_shots, Shot::List.Count());
        }
        for (const auto& d : battle.drivers) {
            EXPECT_GT(d->Deaths, 0) << "every car was destroyed at least once";
            kills += d->Deaths;
        }
        // Every class of shot and device was in play, many at once, and
        // blasts left scars.
        for (const ObjectClass cls :
             {ObjectClass::MGBullet, ObjectClass::HMGBullet, ObjectClass::RPGBullet,
              ObjectClass::RLBullet, ObjectClass::PGBullet, ObjectClass::Shrapnel,
              ObjectClass::Mine, ObjectClass::Turret, ObjectClass::Shield}) {
            EXPECT_TRUE(classes.count(cls)) << "class " << static_cast<int>(cls) << " never seen";
        }
        EXPECT_GT(most_shots, 30);
        EXPECT_GT(Scar::List.Count(), 0);
        battle.Teardown();
    }
    std::printf("deaths in the battle: %d, most shots at once: %d\n", kills, most_shots);
    EXPECT_EQ(LiveObjectTotal(), 0) << LiveObjectSummary();
}

}  // namespace
