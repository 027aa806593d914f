// The computer driver and its states on the small test arena.

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ai/ai.h"
#include "ai/ai_states.h"
#include "app/console_message.h"
#include "engine/random.h"
#include "engine/text.h"
#include "objects/pickups.h"
#include "spritebehaviors/steering.h"
#include "tests/objects/arena_fixture.h"

namespace {

int CountLines(const std::string& text) {
    int n = 0;
    if (!ConsoleMessage::List) return 0;
    for (const auto& m : *ConsoleMessage::List) n += m->Text == text ? 1 : 0;
    return n;
}

class AITest : public ArenaTest {
protected:
    void SetUp() override {
        ArenaTest::SetUp();
        AppState& app = App();
        for (std::size_t i = 0; i < app.AIDisplayNames.size(); ++i) {
            app.AIDisplayNames[i] = "Name" + std::to_string(i);
        }
        ConsoleMessage::Reset();
        RespawnPoint::Designate(500, 400);
        rnd_seed(11);
    }
    void TearDown() override {
        ConsoleMessage::Reset();
        ArenaTest::TearDown();
    }
    static SteeringBehavior& Steer(const AI& ai) { return *ai.myVehicle->mySprite->GetSteering(); }
    /// A full step of the AI's decision without moving anything.
    static void Decide(AI& ai) {
        ai.WeighActions();
        if (ai.currentState) ai.currentState->ExecuteState(ai);
    }
};

TEST_F(AITest, MakeFollowsTheStyleTable) {
    std::set<int> models[4];
    for (int i = 0; i < 60; ++i) {
        for (int style = 1; style <= 3; ++style) {
            const auto ai = AI::Make(style, 5);
            ASSERT_TRUE(ai->myVehicle);
            models[style].insert(static_cast<int>(ai->myVehicle->Class()) -
                                 static_cast<int>(ObjectClass::Jeep) + 1);
            EXPECT_EQ(ai->DesiredWeapon, style == 1 ? 0 : style == 2 ? 3 : 4);
            EXPECT_EQ(ai->myVehicle->TreadCap, 5);
            EXPECT_EQ(ai->myVehicle->PlayerControlled, 0);
            EXPECT_EQ(ai->currentStateID, 1);
            EXPECT_EQ(ai->Team, 0);
            EXPECT_EQ(ai->Name.rfind("Name", 0), 0u);
        }
    }
    EXPECT_EQ(models[1], (std::set<int>{1, 2}));
    EXPECT_EQ(models[2], (std::set<int>{1, 2, 3, 4}));
    EXPECT_EQ(models[3], (std::set<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(AI::List.Count(), 180);
    EXPECT_EQ(TheMatch().DriverList.size(), 180u);
}

TEST_F(AITest, TeamsTintTheSpriteAndAnUnknownStyleHasNoCar) {
    const auto red = AI::Make(1, 1);
    const auto green = AI::Make(2, 2);
    const auto none = AI::Make(3, 5);
    EXPECT_EQ(red->myVehicle->mySprite->Red, 255);
    EXPECT_EQ(red->myVehicle->mySprite->Green, 0);
    EXPECT_EQ(green->myVehicle->mySprite->Green, 255);
    EXPECT_EQ(green->myVehicle->mySprite->Red, 0);
    EXPECT_EQ(none->Team, 0);
    EXPECT_EQ(none->myVehicle->mySprite->Blue, 255);
    EXPECT_EQ(none->myVehicle->mySprite->Red, 255);

    const auto odd = AI::Make(7, 5);
    EXPECT_FALSE(odd->myVehicle);
    odd->Update();  // nothing to drive, nothing to crash on
    EXPECT_EQ(odd->currentStateID, 1);
}

TEST_F(AITest, AMadeAIAnnouncesItselfAndSwitchesWanderOnInItsFirstStep) {
    const auto ai = AI::Make(1, 5);
    ASSERT_TRUE(ConsoleMessage::List);
    EXPECT_NE(ConsoleMessage::List->back()->Text.find("] AI added to the scene [AI Position: "),
              std::string::npos);
    EXPECT_FALSE(Steer(*ai).isWanderOn());
    ai->Update();
    EXPECT_TRUE(Steer(*ai).isWanderOn());
    EXPECT_EQ(ai->currentStateID, 1);
    EXPECT_EQ(CountLines(ai->Name + ": state 1"), 0) << "made in state 1: no change to report";
}

TEST_F(AITest, DesiresPickTheStatesOfTheTable) {
    HealthPickUp::Make(800, 600);
    WeaponPickUp::Make(200, 600);
    auto rival = MakeDriver(ObjectClass::Car, 900, 100, 1);

    const auto weakling = AI::Make(1, 5);
    weakling->myVehicle->Health = 65;
    Decide(*weakling);
    EXPECT_EQ(weakling->currentStateID, 1) << "hDesire 25 ties with wander, which comes first";
    weakling->myVehicle->Health = 64;
    Decide(*weakling);
    EXPECT_EQ(weakling->currentStateID, 3);
    EXPECT_TRUE(Steer(*weakling).isFollowPathOn());
    EXPECT_FALSE(Steer(*weakling).isWanderOn());

    const auto moderate = AI::Make(2, 5);
    moderate->myVehicle->Health = 46;
    Decide(*moderate);
    EXPECT_EQ(moderate->gDesire, 30);
    EXPECT_EQ(moderate->currentStateID, 4);
    moderate->myVehicle->Health = 45;
    Decide(*moderate);
    EXPECT_EQ(moderate->currentStateID, 3) << "30 against 30: health comes before the gun";

    const auto offensive = AI::Make(3, 5);
    offensive->myVehicle->WeaponSlot = RPG::Choose(offensive->myVehicle);
    offensive->myVehicle->Health = 32;
    Decide(*offensive);
    EXPECT_EQ(offensive->kDesire, 29);
    EXPECT_EQ(offensive->currentStateID, 5);
    offensive->myVehicle->Health = 31;
    Decide(*offensive);
    EXPECT_EQ(offensive->currentStateID, 3);

    offensive->myVehicle->WeaponSlot = HeavyMachineGun::Choose(offensive->myVehicle);
    offensive->myVehicle->Health = 100;
    Decide(*offensive);
    EXPECT_EQ(offensive->gDesire, 30);
    EXPECT_EQ(offensive->currentStateID, 4);
}

TEST_F(AITest, HealthDesireIsTruncatedBiasedAndClamped) {
    const auto weakling = AI::Make(1, 5);
    const auto offensive = AI::Make(3, 5);
    weakling->myVehicle->Health = 0;
    weakling->checkHealth();
    EXPECT_EQ(weakling->hDesire, 75);
    weakling->myVehicle->Health = 120;
    weakling->checkHealth();
    EXPECT_EQ(weakling->hDesire, 20);
    offensive->myVehicle->Health = 30.5f;  // 44.5 -> 44, -15 -> 29
    offensive->checkHealth();
    EXPECT_EQ(offensive->hDesire, 29);
}

TEST_F(AITest, TargetsTheNearestRivalVehicleByTeamDeadOnesIncluded) {
    const auto ai = AI::Make(3, 2);
    ai->myVehicle->mySprite->SetPos(100, 100);
    ai->myVehicle->X = 100;
    ai->myVehicle->Y = 100;
    auto mate = MakeDriver(ObjectClass::Car, 120, 100, 0, 2);
    auto loner = MakeDriver(ObjectClass::Car, 400, 100, 0, 0);
    auto enemy = MakeDriver(ObjectClass::Car, 300, 100, 0, 3);
    enemy->myVehicle->Dead = 1;
    ai->searchForTarget();
    EXPECT_EQ(ai->target, enemy->myVehicle) << "team mates are skipped, dead rivals are not";

    // Shoot drops a dead target; with nobody left the old target stays.
    ai->Shoot();
    EXPECT_FALSE(ai->target);
    enemy->myVehicle->Remove();
    loner->myVehicle->Remove();
    ai->target = mate->myVehicle;
    ai->searchForTarget();
    EXPECT_EQ(ai->target, mate->myVehicle);

    // Without a team every other vehicle is a rival.
    const auto free_ai = AI::Make(1, 5);
    free_ai->myVehicle->X = 118;
    free_ai->myVehicle->Y = 100;
    free_ai->searchForTarget();
    EXPECT_EQ(free_ai->target, mate->myVehicle);
}

TEST_F(AITest, FiresOnlyInsideSixHundredFiftyPixelsAndOnlyWithAmmo) {
    const auto ai = AI::Make(3, 5);
    Vehicle& own = *ai->myVehicle;
    own.X = 0;
    own.Y = 0;
    auto rival = MakeDriver(ObjectClass::Car, 650, 0, 0, 0);
    ai->target = rival->myVehicle;
    own.ShootWait = 0;
    ai->Shoot();
    EXPECT_EQ(own.ShootWait, 0) << "exactly 650 pixels is out of range";
    rival->myVehicle->X = 649.9f;  // truncated to 649
    ai->Shoot();
    EXPECT_EQ(own.ShootWait, 1);
    const float error = std::abs(own.WeaponSlot->Angle);
    EXPECT_LE(error, 3.0f) << "an offensive driver aims within 3 degrees";

    own.WeaponSlot = RPG::Choose(ai->myVehicle);
    own.WeaponSlot->Ammo = 0;
    own.ShootWait = 0;
    const int shots = Shot::List.Count();
    for (int i = 0; i < 100; ++i) ai->Shoot();
    EXPECT_EQ(own.ShootWait, 0);
    EXPECT_EQ(Shot::List.Count(), shots);

    // A grenade is not thrown at a target beyond its flight (100 frames at
    // 5 pixels) nor within its blast's reach.
    own.WeaponSlot->Ammo = 3;
    own.ShootWait = 1000;
    ai->Shoot();
    EXPECT_EQ(Shot::List.Count(), shots) << "649 pixels: out of a grenade's reach";
    rival->myVehicle->X = SplashReach(3) - 1;
    ai->Shoot();
    EXPECT_EQ(Shot::List.Count(), shots);
    rival->myVehicle->X = 400;
    own.ShootWait = own.WeaponSlot->RateOfFire - 1;
    ai->Shoot();
    EXPECT_EQ(Shot::List.Count(), shots + 1);
    EXPECT_EQ(own.WeaponSlot->Ammo, 2);
    EXPECT_EQ(own.ShootWait, 0);

    // Nor at a target behind a wall.
    SetSolid(3, 0);
    own.ShootWait = 1000;
    ai->Shoot();
    EXPECT_EQ(Shot::List.Count(), shots + 1);
    EXPECT_EQ(own.WeaponSlot->Ammo, 2);
}

// The aim leads a moving target by the shot's flight time.
TEST_F(AITest, TheAimLeadsAMovingTarget) {
    const auto ai = AI::Make(3, 5);
    Vehicle& own = *ai->myVehicle;
    own.X = 100;
    own.Y = 300;
    auto rival = MakeDriver(ObjectClass::Car, 400, 300, 1);
    rival->myVehicle->Angle = 90;  // driving down the screen at 3 pixels a frame
    rival->myVehicle->Velocity = 3;
    ai->target = rival->myVehicle;
    own.WeaponSlot = RPG::Choose(ai->myVehicle);
    ai->Shoot();
    // 300 pixels at 5 a frame: 60 frames, 180 pixels further down.
    const double lead = math_atan2_deg(180, 300);
    EXPECT_NEAR(own.WeaponSlot->Angle, lead, AimError(3) + 0.01);
}

TEST_F(AITest, ADeadCarIsRespawnedWithinTheSameUpdate) {
    const auto ai = AI::Make(2, 5);
    Vehicle& v = *ai->myVehicle;
    v.WeaponSlot = RPG::Choose(ai->myVehicle);
    const auto old_weapon = v.WeaponSlot;
    v.Health = 0;
    v.Dead = 1;
    ai->lastHit = ai;
    ConsoleMessage::Reset();
    ai->Update();
    EXPECT_EQ(v.Dead, 0);
    EXPECT_FALSE(ai->lastHit.lock()) << "a new life starts with no attacker";
    // The new gun is on the car at the spawn point before its first update.
    EXPECT_EQ(v.WeaponSlot->X, 500);
    EXPECT_EQ(v.WeaponSlot->Y, 400);
    EXPECT_EQ(ai->myVehicle.get(), &v) << "the same car comes back";
    EXPECT_FLOAT_EQ(v.Health, 100.0f);
    EXPECT_EQ(v.WeaponSlot->Number, 1);
    EXPECT_FALSE(Weapon::List.Contains(old_weapon.get()));
    EXPECT_EQ(CountLines(ai->Name + ": state 0"), 1);
    EXPECT_NE(ai->currentStateID, 0);
    EXPECT_EQ(static_cast<int>(v.mySprite->GetX()), 500) << "at the only respawn point";
}

TEST_F(AITest, LeavingTheArenaRespawnsWithTwoConsoleLines) {
    const auto ai = AI::Make(1, 5);
    ai->myVehicle->mySprite->SetPos(-50, 100);
    ConsoleMessage::Reset();
    ai->Update();
    EXPECT_EQ(CountLines("Error: AI vehicle out of map boundaries!"), 1);
    EXPECT_EQ(CountLines("Report: AI respawned due to positional error on map!"), 1);
    for (const auto& m : *ConsoleMessage::List) {
        if (m->Text.rfind("Error: AI", 0) == 0) {
            EXPECT_EQ(m->Color, kConsoleRed);
        }
        if (m->Text.rfind("Report: AI", 0) == 0) {
            EXPECT_EQ(m->Color, kConsoleGreen);
        }
    }
    EXPECT_EQ(static_cast<int>(ai->myVehicle->mySprite->GetX()), 500);
    EXPECT_EQ(ai->currentStateID, 1);
}

TEST_F(AITest, RevertWithoutAnEarlierStateDoesNothing) {
    const auto ai = AI::Make(1, 5);
    ConsoleMessage::Reset();
    ai->RevertToPreviousState();
    EXPECT_EQ(ai->currentStateID, 1);
    EXPECT_EQ(ConsoleMessage::MessageCount, 0);

    HealthPickUp::Make(900, 700);
    ai->ChangeState(SeekHealth::Instance());
    EXPECT_EQ(ai->currentStateID, 3);
    ai->RevertToPreviousState();
    EXPECT_EQ(ai->currentStateID, 1);
}

TEST_F(AITest, SeekingWithNothingToSeekFallsBackToWanderInTheSameChange) {
    const auto ai = AI::Make(1, 5);
    auto empty = HealthPickUp::Make(600, 400);
    empty->Empty = 1;
    ConsoleMessage::Reset();
    ai->ChangeState(SeekHealth::Instance());
    EXPECT_EQ(ai->currentStateID, 1);
    EXPECT_TRUE(Steer(*ai).isWanderOn());
    EXPECT_FALSE(Steer(*ai).isFollowPathOn());
    EXPECT_EQ(ConsoleMessage::MessageCount, 0) << "wander to wander is no change to report";

    ai->ChangeState(Kill::Instance());
    EXPECT_EQ(ai->currentStateID, 1) << "no living rival to hunt";
}

TEST_F(AITest, APickUpAtTheBoundDistanceIsNeverChosen) {
    const auto ai = AI::Make(1, 5);
    ai->myVehicle->X = 0;
    ai->myVehicle->Y = 0;
    HealthPickUp::Make(9999, 0);
    ai->ChangeState(SeekHealth::Instance());
    EXPECT_EQ(ai->currentStateID, 1);
    HealthPickUp::Make(9998, 0);
    ai->ChangeState(SeekHealth::Instance());
    EXPECT_EQ(ai->currentStateID, 3);
}

// A health seek keeps its plan while nothing changes (a fractional health
// included), chooses again when the car is hit or its pickup is taken, and
// reports only the change into the state.
TEST_F(AITest, HealthSeekPlansAgainOnlyWhenSomethingChanged) {
    const auto ai = AI::Make(1, 5);
    auto near = HealthPickUp::Make(700, 400);
    auto far = HealthPickUp::Make(900, 650);
    ai->myVehicle->Health = 57.5f;
    ConsoleMessage::Reset();
    ai->ChangeState(SeekHealth::Instance());
    EXPECT_EQ(CountLines(ai->Name + ": state 3"), 1);
    EXPECT_EQ(ai->Goal.lock(), near);
    const long long plans = ai->Plans;
    for (int i = 0; i < 3; ++i) ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->Plans, plans) << "a fractional health is no reason to plan again";
    ai->myVehicle->Health = 50;
    ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->Plans, plans + 1) << "hit: choose again";
    near->Empty = 1;
    ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->Goal.lock(), far) << "taken by another car: the next one";
    EXPECT_EQ(ConsoleMessage::MessageCount, 1) << "no line while the state stays";
}

TEST_F(AITest, KillHuntsTheNearestLivingRivalNeverItselfOrATeamMate) {
    const auto ai = AI::Make(3, 1);
    ai->myVehicle->X = 100;
    ai->myVehicle->Y = 100;
    auto mate = MakeDriver(ObjectClass::Car, 110, 100, 0, 1);
    auto dead = MakeDriver(ObjectClass::Car, 150, 100, 0, 2);
    auto far = MakeDriver(ObjectClass::Car, 700, 100, 0, 0);
    dead->myVehicle->Dead = 1;
    ai->ChangeState(Kill::Instance());
    EXPECT_EQ(ai->currentStateID, 5);
    EXPECT_TRUE(ai->Driving());
    EXPECT_EQ(ai->PreyCar.lock(), far->myVehicle);

    // The hunt follows the prey: when its car is destroyed the nearest
    // living rival is next, and a prey back in a new car is hunted again.
    dead->myVehicle->Dead = 0;
    far->myVehicle->Dead = 1;
    ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->currentStateID, 5);
    EXPECT_EQ(ai->PreyCar.lock(), dead->myVehicle);
    far->myVehicle = Vehicle::Spawn(ObjectClass::Jeep, 140, 100, 1, far);
    dead->myVehicle->Dead = 1;
    ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->PreyCar.lock(), far->myVehicle) << "the respawned prey, in its new car";

    far->myVehicle->Dead = 1;
    ai->currentState->ExecuteState(*ai);
    EXPECT_EQ(ai->currentStateID, 1) << "every rival dead";
}

// No two computer drivers of a match share a name while names are left.
TEST_F(AITest, EveryComputerDriverHasANameOfItsOwn) {
    std::set<std::string> names;
    for (std::size_t i = 0; i < App().AIDisplayNames.size(); ++i) {
        names.insert(AI::Make(1, 5)->Name);
    }
    EXPECT_EQ(names.size(), App().AIDisplayNames.size());
    EXPECT_FALSE(AI::Make(1, 5)->Name.empty()) << "all taken: any name";
}

// A driver that wants to move and has not moved for a second backs out,
// and then its state drives again.
TEST_F(AITest, AStalledCarBacksOutAndDrivesOn) {
    const auto ai = AI::Make(1, 5);
    HealthPickUp::Make(900, 650);
    ai->myVehicle->Health = 10;  // seeking health
    Sprite& sprite = *ai->myVehicle->mySprite;
    sprite.MaxSpeed = 0;  // pinned
    const long long stalls = AI::Stalls;
    int frames = 0;
    while (ai->Backing() == 0 && frames < 120) {
        ai->Update();
        ++frames;
    }
    EXPECT_GE(frames, 60) << "about a second";
    EXPECT_LE(frames, 62);
    EXPECT_EQ(AI::Stalls, stalls + 1);
    EXPECT_GT(ai->Backing(), 0);
    EXPECT_EQ(ai->currentStateID, 3) << "the state waits while the car backs out";
    sprite.MaxSpeed = 3;
    const Vector2D stuck = sprite.Pos;
    while (ai->Backing() > 0) {
        ai->Update();
        TheMatch().TheWorld->Update(1.0 / 60.0);
    }
    EXPECT_GT(Vec2DDistance(stuck, sprite.Pos), 20) << "it backed out";
    EXPECT_TRUE(Steer(*ai).isFollowPathOn()) << "and drives on along a new path";
    EXPECT_EQ(AI::Stalls, stalls + 1);
}

TEST_F(AITest, DestroyAllEmptiesTheListButTheDriverListKeepsThem) {
    for (int i = 0; i < 5; ++i) AI::Make(1 + i % 3, 5);
    AI::DestroyAll();
    EXPECT_TRUE(AI::List.Empty());
    EXPECT_EQ(TheMatch().DriverList.size(), 5u);
}

TEST_F(AITest, AnAIDrivesAroundTheArenaAndLaysTreads) {
    const auto ai = AI::Make(1, 5);
    const float x0 = ai->myVehicle->X, y0 = ai->myVehicle->Y;
    for (int i = 0; i < 120; ++i) {
        AI::UpdateAll();
        TheMatch().TheWorld->Update(1.0 / 60.0);
    }
    const float moved =
        PointDistance(static_cast<int>(x0), static_cast<int>(y0),
                      static_cast<int>(ai->myVehicle->X), static_cast<int>(ai->myVehicle->Y));
    EXPECT_GT(moved, 20.0f);
    EXPECT_FALSE(Tread::List.Empty());
}

}  // namespace
