#include <gtest/gtest.h>

#include "engine/graphics.h"
#include "engine/input.h"
#include "engine/text.h"
#include "tests/objects/arena_fixture.h"

namespace {

using WeaponShotTest = ArenaTest;

TEST_F(WeaponShotTest, MachineGunSitsOnAComputerCarAndBehindAHumanCar) {
    auto computer = MakeDriver(ObjectClass::Jeep, 300, 300, 0);
    auto human = MakeDriver(ObjectClass::Jeep, 600, 300, 1);
    Weapon& cgun = *computer->myVehicle->WeaponSlot;
    Weapon& hgun = *human->myVehicle->WeaponSlot;
    EXPECT_EQ(cgun.Name, "Machine Gun");
    EXPECT_EQ(cgun.RateOfFire, 8);
    EXPECT_EQ(cgun.Ammo, -1);
    EXPECT_EQ(cgun.Number, 1);
    ASSERT_TRUE(cgun.Image);
    EXPECT_EQ(cgun.Image->handle_x, 36);
    EXPECT_EQ(cgun.Image->handle_y, 24);
    Weapon::UpdateAll();
    EXPECT_EQ(cgun.X, 300);
    EXPECT_EQ(cgun.Y, 300);
    EXPECT_FLOAT_EQ(hgun.X, 595);  // five pixels behind at angle 0
    EXPECT_FLOAT_EQ(hgun.Y, 300);
    // The human's gun aims at the mouse (at the window's corner here)...
    EXPECT_NEAR(hgun.Angle, math_atan2_deg(0 - 300, 0 - 595), 1e-9);
    // ... and with the mouse exactly on the pivot the aim is 0.
    TheMatch().ScrollX = 595;
    TheMatch().ScrollY = 300;
    hgun.Angle = 77;
    Weapon::UpdateAll();
    EXPECT_EQ(hgun.Angle, 0);
}

// A gun that was just chosen is on its car and aimed before its first
// update: what it fires at once starts at the car, not at the arena's
// corner.
TEST_F(WeaponShotTest, AChosenGunIsOnItsCarAtOnce) {
    auto human = MakeDriver(ObjectClass::Jeep, 600, 300, 1);
    auto computer = MakeDriver(ObjectClass::Jeep, 300, 500, 0);
    Vehicle& hv = *human->myVehicle;
    hv.WeaponSlot->Destroy();
    hv.WeaponSlot = ChooseWeapon(4, human->myVehicle);
    EXPECT_FLOAT_EQ(hv.WeaponSlot->X, 595);
    EXPECT_FLOAT_EQ(hv.WeaponSlot->Y, 300);
    EXPECT_NEAR(hv.WeaponSlot->Angle, math_atan2_deg(0 - 300, 0 - 595), 1e-9) << "at the mouse";
    hv.ShootWait = 100;
    ASSERT_EQ(FirePrimary(hv, human, true), 1);
    const auto rocket = Shot::List.Items().back();
    EXPECT_NEAR(rocket->X, 595, 30);
    EXPECT_NEAR(rocket->Y, 300, 30);

    Vehicle& cv = *computer->myVehicle;
    cv.mySprite->SetRotation(90);  // drawn heading 270 on screen
    cv.Update();
    cv.WeaponSlot->Destroy();
    cv.WeaponSlot = ChooseWeapon(1, computer->myVehicle);
    EXPECT_EQ(cv.WeaponSlot->X, 300);
    EXPECT_EQ(cv.WeaponSlot->Y, 500);
    EXPECT_EQ(cv.WeaponSlot->Angle, 270) << "pointing where the car is drawn";
}

TEST_F(WeaponShotTest, OneImageFileTwoHandles) {
    auto d = MakeDriver(ObjectClass::Jeep, 300, 300, 1);
    const ImageHandle centred = LoadGameImage("sprites/machinegun.png");
    img_mid_handle(centred);
    const Weapon& gun = *d->myVehicle->WeaponSlot;
    EXPECT_EQ(gun.Image->handle_x, 36) << "the gun keeps its pivot";
    EXPECT_NE(centred->handle_x, 36);
    EXPECT_EQ(centred->width(), gun.Image->width());
}

TEST_F(WeaponShotTest, FiringRuleCountsFramesAndFiresEveryEighth) {
    auto d = MakeDriver(ObjectClass::Car, 300, 300, 0);
    Vehicle& v = *d->myVehicle;
    int shots = 0;
    for (int frame = 0; frame < 80; ++frame) shots += FirePrimary(v, d, true);
    EXPECT_EQ(shots, 10);
    EXPECT_EQ(Shot::List.Count(), 10);
    // ShootWait keeps counting while the trigger is released: the first
    // shot after a pause fires at once.
    for (int frame = 0; frame < 20; ++frame) FirePrimary(v, d, false);
    EXPECT_EQ(FirePrimary(v, d, true), 1);
    // Counted ammunition runs down to 0 and stops there.
    v.WeaponSlot->Ammo = 2;
    v.ShootWait = 100;
    EXPECT_EQ(FirePrimary(v, d, true), 1);
    v.ShootWait = 100;
    EXPECT_EQ(FirePrimary(v, d, true), 1);
    EXPECT_EQ(v.WeaponSlot->Ammo, 0);
    v.ShootWait = 100;
    EXPECT_EQ(FirePrimary(v, d, true), 0);
}

TEST_F(WeaponShotTest, BulletStartsTwoStepsAheadAndFlies) {
    MGBullet prototype;
    auto shot = prototype.Fire(100, 100, 0, nullptr);
    ASSERT_TRUE(shot);
    EXPECT_EQ(shot->Class(), ObjectClass::MGBullet);
    EXPECT_FLOAT_EQ(shot->X, 150);
    EXPECT_FLOAT_EQ(shot->Y, 100);
    EXPECT_EQ(shot->Life, 800);
    EXPECT_FLOAT_EQ(shot->Damage, 1.0f);
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(shot->X, 175);
    EXPECT_EQ(shot->Life, 799);
    auto down = prototype.Fire(100, 100, 90, nullptr);
    EXPECT_NEAR(down->X, 100, 1e-4);
    EXPECT_NEAR(down->Y, 150, 1e-4);
    EXPECT_FALSE(Shot().Fire(0, 0, 0, nullptr)) << "the plain Shot fires nothing";
}

TEST_F(WeaponShotTest, OneBulletHitsEveryVehicleInReachButNotItsOwn) {
    auto shooter = MakeDriver(ObjectClass::Jeep, 200, 400, 0);
    auto a = MakeDriver(ObjectClass::Car, 260, 400, 0);
    auto b = MakeDriver(ObjectClass::SemiTruck, 250, 420, 0);
    auto far = MakeDriver(ObjectClass::SportsCar, 400, 400, 0);
    // Fired from the shooter's own centre: it starts at (250, 400), within
    // 25 pixels of a, b and... not the shooter (50 away) and never it anyway.
    MGBullet().Fire(200, 400, 0, shooter);
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(a->myVehicle->Health, 100 - (1.0f - 0.35f));
    EXPECT_FLOAT_EQ(b->myVehicle->Health, 100 - (1.0f - 0.75f));
    EXPECT_FLOAT_EQ(far->myVehicle->Health, 100);
    EXPECT_EQ(a->lastHit.lock(), shooter);
    EXPECT_EQ(b->lastHit.lock(), shooter);
    EXPECT_TRUE(Shot::List.Empty()) << "the bullet is spent";
    EXPECT_EQ(Explosion::List.Count(), 1) << "one spark: the bullet is destroyed once";

    // Point blank on its own car: nothing.
    MGBullet().Fire(150, 400, 0, shooter);
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(shooter->myVehicle->Health, 120);
}

TEST_F(WeaponShotTest, BulletsStopAtWallsAndTheEdgeAndSparkOnlyAtQuality2) {
    SetSolid(8, 6);  // x 512..575, y 384..447
    App().GraphicsQuality = 1;
    auto shot = MGBullet().Fire(300, 400, 0, nullptr);
    for (int i = 0; i < 20 && Shot::List.Contains(shot.get()); ++i) Shot::UpdatePrimary();
    EXPECT_FALSE(Shot::List.Contains(shot.get()));
    EXPECT_LT(shot->X, 512 + 25 + 12);
    EXPECT_TRUE(Explosion::List.Empty()) << "no spark below quality 2";

    App().GraphicsQuality = 2;
    auto edge = MGBullet().Fire(1000, 100, 0, nullptr);
    Shot::UpdatePrimary();
    EXPECT_FALSE(Shot::List.Contains(edge.get()));
    EXPECT_EQ(Explosion::List.Count(), 1);
    // A bullet that leaves on both axes in its last frame of life fails
    // three tests, and is still destroyed once: one spark.
    auto corner = MGBullet().Fire(1020, 760, 45, nullptr);
    corner->Life = 1;
    Shot::UpdatePrimary();
    EXPECT_EQ(Explosion::List.Count(), 1 + 1);
}

TEST_F(WeaponShotTest, ShotDestroyAllEmptiesTheList) {
    for (int i = 0; i < 5; ++i) MGBullet().Fire(100 + i, 100, 0, nullptr);
    Shot::DestroyAll();
    EXPECT_TRUE(Shot::List.Empty());
    // Nothing left to step: the passes make nothing either.
    Shot::UpdateSecondary();
    Weapon::UpdateAll();
    EXPECT_TRUE(Shot::List.Empty());
}

}  // namespace
