#include <gtest/gtest.h>

#include "objects/pickups.h"
#include "tests/objects/arena_fixture.h"

namespace {

using PickupTest = ArenaTest;

TEST_F(PickupTest, TwoCarsOnAHealthPickupBothGain25AndTheSpriteMarksIt) {
    auto a = MakeDriver(ObjectClass::Car, 300, 300, 0);
    auto b = MakeDriver(ObjectClass::Car, 330, 330, 0);
    a->myVehicle->Health = 50;
    b->myVehicle->Health = 60;
    auto p = HealthPickUp::Make(310, 310);
    ASSERT_TRUE(p->Image) << "sprites/health_pickup.png";
    ASSERT_TRUE(p->mySprite);
    EXPECT_EQ(p->mySprite->GetX(), 310);
    EXPECT_EQ(p->Recharge, 750);
    HealthPickUp::UpdateAll();
    EXPECT_FLOAT_EQ(a->myVehicle->Health, 75);
    EXPECT_FLOAT_EQ(b->myVehicle->Health, 85);
    EXPECT_EQ(p->Empty, 1);
    EXPECT_EQ(p->Angle, 1);
}

TEST_F(PickupTest, RechargeCountsFromTheFrameOfTaking) {
    auto d = MakeDriver(ObjectClass::Jeep, 300, 300, 0);
    auto p = HealthPickUp::Make(300, 300);
    HealthPickUp::UpdateAll();  // frame n: taken, 749 left
    EXPECT_EQ(p->Recharge, 749);
    const float after_first = d->myVehicle->Health;
    for (int frame = 1; frame < 750; ++frame) HealthPickUp::UpdateAll();
    EXPECT_EQ(p->Empty, 0) << "full again in frame n + 749";
    EXPECT_FLOAT_EQ(d->myVehicle->Health, after_first) << "but not taken in that frame";
    HealthPickUp::UpdateAll();  // frame n + 750
    EXPECT_EQ(p->Empty, 1);
    EXPECT_FLOAT_EQ(d->myVehicle->Health, after_first + 25);
}

TEST_F(PickupTest, AtExactly71PixelsNothingIsTaken) {
    auto d = MakeDriver(ObjectClass::Jeep, 371, 300, 0);
    auto p = WeaponPickUp::Make(300, 300);
    WeaponPickUp::UpdateAll();
    EXPECT_EQ(p->Empty, 0);
    d->myVehicle->X = 370;
    WeaponPickUp::UpdateAll();
    EXPECT_EQ(p->Empty, 1);
}

TEST_F(PickupTest, WeaponPickupsHandOutAFreshLimitedWeaponNeverAMachineGun) {
    auto d = MakeDriver(ObjectClass::Jeep, 300, 300, 0);
    auto p = WeaponPickUp::Make(300, 300);
    int seen[6] = {};
    for (int i = 0; i < 200; ++i) {
        const std::shared_ptr<Weapon> before = d->myVehicle->WeaponSlot;
        before->Ammo = 3;
        p->Empty = 0;
        WeaponPickUp::UpdateAll();
        const Weapon& now = *d->myVehicle->WeaponSlot;
        ASSERT_NE(&now, before.get()) << "always replaced";
        ASSERT_FALSE(Weapon::List.Contains(before.get()));
        ASSERT_GE(now.Number, 2);
        ASSERT_LE(now.Number, 5);
        EXPECT_EQ(now.Ammo, now.maxAmmo) << "fully loaded";
        ++seen[now.Number];
    }
    for (int n = 2; n <= 5; ++n) EXPECT_GT(seen[n], 25) << n;
    EXPECT_EQ(Weapon::List.Count(), 1);
}

TEST_F(PickupTest, SecondaryPickupsHandOutEveryDevice) {
    auto d = MakeDriver(ObjectClass::ConceptCar, 300, 300, 0);
    auto p = SecondaryPickUp::Make(300, 300);
    int mines = 0, shields = 0, turrets = 0;
    for (int i = 0; i < 150; ++i) {
        p->Empty = 0;
        SecondaryPickUp::UpdateAll();
        const SecondaryWeapon& s = *d->myVehicle->WeaponSlot2;
        mines += s.Name == "Mine Layer" ? 1 : 0;
        shields += s.Name == "Shield Generator" ? 1 : 0;
        turrets += s.Name == "Turret Placer" ? 1 : 0;
    }
    EXPECT_EQ(mines + shields + turrets, 150);
    EXPECT_GT(mines, 25);
    EXPECT_GT(shields, 25);
    EXPECT_GT(turrets, 25);
    EXPECT_EQ(SecondaryWeapon::List.Count(), 1) << "the old one leaves its list";
}

TEST_F(PickupTest, EmptyPickupsAreNotDrawnButKeepSpinning) {
    auto p = WeaponPickUp::Make(300, 300);
    p->Empty = 1;
    p->Recharge = 10;
    for (int i = 0; i < 5; ++i) WeaponPickUp::UpdateAll();
    EXPECT_EQ(p->Angle, 5);
    EXPECT_EQ(p->Recharge, 5);
    WeaponPickUp::DestroyAll();
    HealthPickUp::DestroyAll();
    SecondaryPickUp::DestroyAll();
    EXPECT_TRUE(WeaponPickUp::List.Empty());
}

}  // namespace
