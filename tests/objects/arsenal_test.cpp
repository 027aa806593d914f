#include <gtest/gtest.h>

#include <cmath>

#include "engine/clock.h"
#include "objects/devices.h"
#include "tests/objects/arena_fixture.h"

namespace {

using ArsenalTest = ArenaTest;

int CountClass(ObjectClass cls) {
    int n = 0;
    for (const auto& s : Shot::List.Items()) n += s->Class() == cls ? 1 : 0;
    return n;
}

TEST_F(ArsenalTest, HeavyMachineGunFallsBackToAMachineGunAfterItsLastShot) {
    auto d = MakeDriver(ObjectClass::Jeep, 300, 300, 0);
    Vehicle& v = *d->myVehicle;
    v.WeaponSlot->Destroy();
    v.WeaponSlot = HeavyMachineGun::Choose(d->myVehicle);
    const std::shared_ptr<Weapon> heavy = v.WeaponSlot;
    EXPECT_EQ(heavy->Name, "Heavy Machine Gun");
    EXPECT_EQ(heavy->Ammo, 250);
    EXPECT_EQ(heavy->RateOfFire, 7);
    Weapon::UpdateAll();
    // A computer driver's heavy machine gun sits 5 pixels behind the centre.
    EXPECT_FLOAT_EQ(heavy->X, 295);
    int shots = 0;
    for (int frame = 0; frame < 7 * 250; ++frame) shots += FirePrimary(v, d, true);
    EXPECT_EQ(shots, 250);
    EXPECT_EQ(heavy->Ammo, 0);
    EXPECT_EQ(CountClass(ObjectClass::HMGBullet), 250);
    EXPECT_EQ(FirePrimary(v, d, true), 0) << "empty until its next update";
    Weapon::UpdateAll();
    ASSERT_NE(v.WeaponSlot, heavy);
    EXPECT_EQ(v.WeaponSlot->Class(), ObjectClass::MachineGun);
    EXPECT_EQ(v.WeaponSlot->Ammo, -1);
    EXPECT_FALSE(Weapon::List.Contains(heavy.get())) << "no longer stepped or drawn";
    EXPECT_EQ(Weapon::List.Count(), 1);
}

TEST_F(ArsenalTest, EveryWeaponFiresItsOwnProjectile) {
    auto d = MakeDriver(ObjectClass::Car, 300, 300, 0);
    const ObjectClass fired[] = {ObjectClass::MGBullet, ObjectClass::HMGBullet,
                                 ObjectClass::RPGBullet, ObjectClass::RLBullet,
                                 ObjectClass::PGBullet};
    const int rates[] = {8, 7, 50, 75, 75};
    const int ammo[] = {-1, 250, 20, 10, 7};
    for (int number = 1; number <= 5; ++number) {
        auto w = ChooseWeapon(number, d->myVehicle);
        ASSERT_TRUE(w);
        EXPECT_EQ(w->Number, number);
        EXPECT_EQ(w->RateOfFire, rates[number - 1]);
        EXPECT_EQ(w->Ammo, ammo[number - 1]);
        auto shot = w->ShotType->Fire(300, 300, 0, d);
        ASSERT_TRUE(shot);
        EXPECT_EQ(shot->Class(), fired[number - 1]);
        w->Destroy();
    }
    EXPECT_FALSE(ChooseWeapon(6, d->myVehicle));
}

TEST_F(ArsenalTest, PhaseBoltCrossesWallsAndLeavesAJeepWith15Point5) {
    SetSolid(6, 4);  // x 384..447
    auto shooter = MakeDriver(ObjectClass::Car, 200, 288, 0);
    auto jeep = MakeDriver(ObjectClass::Jeep, 600, 288, 0);
    auto bolt = PGBullet().Fire(250, 288, 0, shooter);
    for (int i = 0; i < 80 && Shot::List.Contains(bolt.get()); ++i) Shot::UpdatePrimary();
    EXPECT_FALSE(Shot::List.Contains(bolt.get()));
    EXPECT_FLOAT_EQ(jeep->myVehicle->Health, 120 - (105 - 0.5f));
    EXPECT_EQ(jeep->lastHit.lock(), shooter);
    EXPECT_TRUE(Explosion::List.Empty()) << "bolts make no spark";
}

TEST_F(ArsenalTest, GrenadeBurstsIntoABlastAnd21Fragments) {
    auto shooter = MakeDriver(ObjectClass::Car, 100, 600, 0);
    auto target = MakeDriver(ObjectClass::SemiTruck, 380, 300, 0);
    auto grenade = RPGBullet().Fire(355, 300, 0, shooter);  // starts at (365, 300)
    grenade->Update();
    // The hit adds the armour back and records the shooter; the burst makes
    // a size-1 blast credited to the shooter and 21 fragments.
    EXPECT_FLOAT_EQ(target->myVehicle->Health, 100 + 0.75f);
    EXPECT_EQ(target->lastHit.lock(), shooter);
    ASSERT_EQ(Explosion::List.Count(), 1);
    EXPECT_EQ(Explosion::List.Items()[0]->Size, 1);
    EXPECT_EQ(Explosion::List.Items()[0]->Parent, shooter);
    EXPECT_EQ(CountClass(ObjectClass::Shrapnel), 21);
    for (const auto& s : Shot::List.Items()) {
        EXPECT_EQ(s->Parent, shooter) << "fragments are the shooter's";
        EXPECT_EQ(s->Life, 15);
    }
}

TEST_F(ArsenalTest, OwnFragmentsHurtTheShooterButOwnBulletsDoNot) {
    // Fragments start 30 pixels out from the burst: a car 30 pixels to the
    // right of it is in the path of the ones thrown at 0 and 360 degrees.
    auto shooter = MakeDriver(ObjectClass::Jeep, 430, 300, 0);
    MGBullet().Fire(380, 300, 0, shooter);  // starts 0 pixels from its own car
    auto grenade = RPGBullet().Fire(390, 300, 0, shooter);
    grenade->Life = 1;
    grenade->xSpeed = grenade->ySpeed = 0;
    grenade->X = 400;
    Shot::UpdatePrimary();  // the grenade bursts and its fragments fly at once
    const float health = shooter->myVehicle->Health;
    EXPECT_LE(health, 120 - 3.5f) << "own fragments hit";
    EXPECT_EQ(std::fmod(120 - health, 3.5f), 0.0f) << "fragments only, no bullet";
    EXPECT_EQ(shooter->lastHit.lock(), shooter) << "own fragments are own fire";
}

TEST_F(ArsenalTest, RocketsRecordTheirShooterAndBurstIntoASize2Blast) {
    auto shooter = MakeDriver(ObjectClass::Car, 100, 600, 0);
    auto target = MakeDriver(ObjectClass::Jeep, 400, 300, 0);
    RLBullet().Fire(366, 300, 0, shooter);  // starts at (390, 300)
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(target->myVehicle->Health, 120) << "the hit itself does no harm";
    EXPECT_EQ(target->lastHit.lock(), shooter);
    ASSERT_EQ(Explosion::List.Count(), 1);
    EXPECT_EQ(Explosion::List.Items()[0]->Size, 2);
    Explosion::UpdateAll();
    EXPECT_LT(target->myVehicle->Health, 120) << "the blast does";
}

TEST_F(ArsenalTest, ShieldsStopForeignShotsAndFollowTheirOwnersCar) {
    auto owner = MakeDriver(ObjectClass::Car, 500, 300, 0);
    auto enemy = MakeDriver(ObjectClass::Jeep, 100, 600, 0);
    ShieldGen::Choose(owner->myVehicle);
    auto shield = std::static_pointer_cast<Shield>(Shield().Fire(500, 300, 0, owner));
    EXPECT_EQ(owner->myVehicle->Shield, 1);
    EXPECT_EQ(shield->Radius, 80);

    // A foreign bullet bursts on the shield and wears it down.
    MGBullet().Fire(400, 300, 0, enemy);  // starts at (450, 300)
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(shield->Health, 99);
    EXPECT_FLOAT_EQ(owner->myVehicle->Health, 100);
    // The owner's own bullets pass.
    auto own = MGBullet().Fire(480, 300, 0, owner);
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(shield->Health, 99);
    // A foreign grenade bursts on it without harming it; its blast does.
    auto grenade = RPGBullet().Fire(450, 300, 0, enemy);  // starts 40 from the centre
    grenade->Update();
    EXPECT_FALSE(Shot::List.Contains(grenade.get()));
    EXPECT_FLOAT_EQ(shield->Health, 99) << "the burst itself";
    Explosion::UpdateAll();  // a size-1 blast 40 pixels away
    EXPECT_FLOAT_EQ(shield->Health, 99 - (50 - 40) / 30.0f);
    EXPECT_FLOAT_EQ(owner->myVehicle->Health, 100) << "the shielded car takes no blast";

    // It follows its car, and ends with it: the car after a respawn has
    // none.
    owner->myVehicle->X = 600;
    Shot::UpdatePrimary();
    EXPECT_FLOAT_EQ(shield->X, 600);
    owner->myVehicle->Destroy();
    owner->myVehicle = Vehicle::Spawn(ObjectClass::Car, 800, 200, 0, owner);
    Shot::UpdatePrimary();
    EXPECT_FALSE(Shot::List.Contains(shield.get()));
    EXPECT_EQ(Shot::ShieldsListed(), 0);
    EXPECT_EQ(owner->myVehicle->Shield, 0);
}

TEST_F(ArsenalTest, AShieldRaisedTwiceClearsTheFlagWhenEitherEnds) {
    auto owner = MakeDriver(ObjectClass::Car, 500, 300, 0);
    auto first = std::static_pointer_cast<Shield>(Shield().Fire(500, 300, 0, owner));
    auto second = std::static_pointer_cast<Shield>(Shield().Fire(500, 300, 0, owner));
    first->Health = 0;
    Shot::UpdatePrimary();
    EXPECT_FALSE(Shot::List.Contains(first.get()));
    EXPECT_TRUE(Shot::List.Contains(second.get()));
    EXPECT_EQ(owner->myVehicle->Shield, 0) << "the remaining shield no longer guards the car";
}

TEST_F(ArsenalTest, MinesArmAfter100FramesAndBlowUpUnderTheirOwnLayer) {
    auto layer = MakeDriver(ObjectClass::ConceptCar, 300, 300, 0);
    auto w = MineLayer::Choose(layer->myVehicle);
    EXPECT_EQ(w->Ammo, 10) << "doubled on a ConceptCar";
    layer->myVehicle->WeaponSlot2 = w;
    EXPECT_EQ(FireSecondary(*layer->myVehicle, layer, true), 1);
    EXPECT_EQ(w->Ammo, 9);
    EXPECT_EQ(FireSecondary(*layer->myVehicle, layer, false), 0);
    auto mine = std::static_pointer_cast<Mine>(Shot::List.Items()[0]);
    EXPECT_EQ(mine->Life, 3000);
    for (int frame = 0; frame < 100; ++frame) Shot::UpdateSecondary();
    EXPECT_EQ(mine->Active, 1);
    EXPECT_TRUE(Shot::List.Contains(mine.get())) << "armed on its 100th frame, not yet off";
    Shot::UpdateSecondary();
    EXPECT_FALSE(Shot::List.Contains(mine.get()));
    ASSERT_EQ(Explosion::List.Count(), 1);
    EXPECT_EQ(Explosion::List.Items()[0]->Size, 3);
    EXPECT_EQ(Explosion::List.Items()[0]->Parent, layer) << "the blast is the layer's";
    EXPECT_EQ(CountClass(ObjectClass::Shrapnel), 21);
    for (const auto& s : Shot::List.Items()) EXPECT_EQ(s->Parent, layer) << "and the fragments";
}

TEST_F(ArsenalTest, ABlastSetsOffMinesInAChainWithinOneFrame) {
    // Three unarmed mines 100 pixels apart in a row; a blast at the first
    // reaches only the first, whose blast reaches the second, and so on.
    Mine prototype;
    for (int i = 0; i < 3; ++i) prototype.Fire(200 + 100 * i, 400, 0, nullptr);
    auto far = prototype.Fire(900, 100, 0, nullptr);
    Explosion::Make(150, 400, 3, nullptr);
    Explosion::UpdateAll();
    EXPECT_EQ(CountClass(ObjectClass::Mine), 1);
    EXPECT_TRUE(Shot::List.Contains(far.get()));
    EXPECT_EQ(Explosion::List.Count(), 4);
    EXPECT_EQ(CountClass(ObjectClass::Shrapnel), 3 * 21);
}

// A mine's blast and fragments are its layer's kill; the victim's own death
// blast neither hurts nor credits its wreck, and a new car starts with no
// attacker. A layer that has left the match credits nobody.
TEST_F(ArsenalTest, MinesCreditTheirLayerAndADeathBlastSparesItsWreck) {
    TheMatch().GameType = 0;
    auto layer = MakeDriver(ObjectClass::Jeep, 100, 600, 0);
    auto victim = MakeDriver(ObjectClass::Jeep, 400, 300, 0);
    auto lay = [&](int x, int y) {
        auto mine = std::static_pointer_cast<Mine>(Mine().Fire(x, y, 0, layer));
        mine->Active = 1;
        Shot::UpdateSecondary();  // goes off under the car at once
        Shot::UpdatePrimary();
        Explosion::UpdateAll();
        Vehicle::UpdateAll();
    };
    victim->myVehicle->Health = 1;
    lay(400, 300);
    EXPECT_EQ(victim->Deaths, 1);
    EXPECT_EQ(layer->Points, 1) << "the mine's kill is its layer's";
    EXPECT_EQ(victim->Points, 0);
    // The victim's death blast alone goes on over its wreck.
    const auto blasts = Explosion::List.Items();
    ASSERT_EQ(blasts.size(), 2u);
    Explosion::List.Remove(blasts[0].get());
    Shot::RemoveAll();
    for (int frame = 0; frame < 3; ++frame) Explosion::UpdateAll();
    EXPECT_EQ(victim->lastHit.lock(), layer) << "its own death blast is not credited on it";
    EXPECT_EQ(victim->myVehicle->Health, 0) << "nor hurts the wreck";

    victim->myVehicle = Vehicle::Spawn(ObjectClass::Jeep, 700, 300, 0, victim);
    EXPECT_FALSE(victim->lastHit.lock()) << "a new car, a new life";

    TheMatch().DriverList.erase(TheMatch().DriverList.begin());  // the layer leaves
    victim->myVehicle->Health = 1;
    lay(700, 300);
    EXPECT_EQ(victim->Deaths, 2);
    EXPECT_EQ(layer->Points, 1) << "a driver who left scores no more";
    EXPECT_EQ(victim->Points, 0);
}

// However many tests end a shot in a frame, it is destroyed once: a mine
// with two cars in reach makes one blast and one set of fragments.
TEST_F(ArsenalTest, AShotIsDestroyedOnce) {
    MakeDriver(ObjectClass::Jeep, 350, 400, 0);
    MakeDriver(ObjectClass::Jeep, 450, 400, 0);
    auto mine = std::static_pointer_cast<Mine>(Mine().Fire(400, 400, 0, nullptr));
    mine->Active = 1;
    mine->Collision();
    EXPECT_EQ(Explosion::List.Count(), 1);
    EXPECT_EQ(CountClass(ObjectClass::Shrapnel), 21);
}

// The end of a match takes mines, grenades, rockets and shields away
// without a blast, a fragment or a sound.
TEST_F(ArsenalTest, RemovingEveryShotSetsNothingOff) {
    auto owner = MakeDriver(ObjectClass::Jeep, 100, 100, 0);
    Mine().Fire(200, 400, 0, owner);
    RPGBullet().Fire(300, 300, 0, owner);
    RLBullet().Fire(300, 500, 0, owner);
    Shield().Fire(100, 100, 0, owner);
    ASSERT_EQ(owner->myVehicle->Shield, 1);
    Shot::RemoveAll();
    EXPECT_TRUE(Shot::List.Empty());
    EXPECT_TRUE(Explosion::List.Empty());
    EXPECT_EQ(Shot::ShieldsListed(), 0);
    EXPECT_EQ(owner->myVehicle->Shield, 0);
}

// The owner, its team-mate and the sports car are all nearer than the
// truck the turret aims at.
TEST_F(ArsenalTest, TurretsPickTheNearestCarButNeverASportsCarTheirOwnerOrATeamMate) {
    auto owner = MakeDriver(ObjectClass::Jeep, 460, 400, 0, 2);
    auto mate = MakeDriver(ObjectClass::Car, 500, 450, 0, 2);
    auto sports = MakeDriver(ObjectClass::SportsCar, 520, 400, 0);
    auto semi = MakeDriver(ObjectClass::SemiTruck, 700, 400, 0);
    auto w = TurretLayer::Choose(owner->myVehicle);
    EXPECT_EQ(w->Ammo, 3);
    auto turret = std::static_pointer_cast<Turret>(Turret().Fire(500, 400, 0, owner));
    EXPECT_EQ(turret->Ammo, 500);
    int fired = 0;
    for (int frame = 0; frame < 30; ++frame) {
        const int before = CountClass(ObjectClass::MGBullet);
        turret->Update();
        fired += CountClass(ObjectClass::MGBullet) - before;
    }
    EXPECT_EQ(turret->Target, semi->myVehicle);
    EXPECT_EQ(turret->Angle, 0);
    EXPECT_EQ(fired, 3) << "one bullet every 10 frames";
    EXPECT_EQ(turret->Ammo, 497);

    // A dead target is dropped each frame and nobody is fired at.
    semi->myVehicle->Dead = 1;
    turret->ShootWait = 9;
    turret->Update();
    EXPECT_FALSE(turret->Target);
    EXPECT_EQ(turret->ShootWait, 9);

    // With no ammunition it keeps aiming but never fires.
    semi->myVehicle->Dead = 0;
    semi->myVehicle->X = 500;
    semi->myVehicle->Y = 700;
    turret->Ammo = 0;
    const int bullets = CountClass(ObjectClass::MGBullet);
    for (int frame = 0; frame < 20; ++frame) turret->Update();
    EXPECT_EQ(turret->Angle, 90);
    EXPECT_EQ(CountClass(ObjectClass::MGBullet), bullets);
}

TEST_F(ArsenalTest, TrailsAndMuzzleSmokeFollowGraphicsQuality) {
    clock_set_fixed_step(1 / 60.0);
    auto d = MakeDriver(ObjectClass::Car, 300, 300, 0);
    App().GraphicsQuality = 1;
    auto plain = std::static_pointer_cast<RPGBullet>(RPGBullet().Fire(100, 100, 0, d));
    App().GraphicsQuality = 2;
    auto smoky = std::static_pointer_cast<RPGBullet>(RPGBullet().Fire(100, 200, 0, d));
    App().GraphicsQuality = 1;
    for (int frame = 0; frame < 20; ++frame) {
        clock_advance_frame();
        plain->Update();
    }
    App().GraphicsQuality = 2;
    for (int frame = 0; frame < 20; ++frame) {
        clock_advance_frame();
        smoky->Update();
    }
    EXPECT_EQ(plain->Emitter->LiveCount(), 0);
    EXPECT_GT(smoky->Emitter->LiveCount(), 3);

    App().GraphicsQuality = 0;
    Weapon& gun = *d->myVehicle->WeaponSlot;
    gun.Emitter->SetPos(-1, -1);
    Weapon::UpdateAll();
    EXPECT_EQ(gun.Emitter->Pos.x, -1) << "no muzzle particles at quality 0";
    App().GraphicsQuality = 1;
    Weapon::UpdateAll();
    EXPECT_FLOAT_EQ(static_cast<float>(gun.Emitter->Pos.x), 335);  // 35 along the aim
    clock_set_fixed_step(0);
}

}  // namespace
