// Matches run in-process through the real frame loop on the off-screen
// driver, with scripted SDL input, on the shipped arenas.

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>

#include "ai/ai.h"
#include "app/app_state.h"
#include "app/console.h"
#include "app/console_message.h"
#include "app/game.h"
#include "app/hud.h"
#include "app/match.h"
#include "app/player.h"
#include "app/replay.h"
#include "engine/byte_codec.h"
#include "engine/clock.h"
#include "engine/engine.h"
#include "engine/font.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "gui/kit.h"
#include "objects/devices.h"
#include "objects/effects.h"
#include "objects/minimap.h"
#include "objects/pickups.h"
#include "objects/secondary_weapon.h"
#include "objects/shot.h"
#include "objects/vehicle.h"
#include "objects/weapon.h"
#include "tests/app/match_fixture.h"
#include "tests/support/test_support.h"

namespace {

// The results' headline: the best side wins, a tie at the top is a draw,
// team mates score together and a team of one is named by its driver.
TEST(MatchResults, TheHeadlineNamesTheWinningDriverOrTeamOrADraw) {
    const ResultRow ann{"Ann", 5, 0, 5}, bob{"Bob", 3, 0, 3}, cid{"Cid", 3, 0, 3};
    EXPECT_EQ(WinnerText({}), "Draw");
    EXPECT_EQ(WinnerText({ann, bob, cid}), "Ann wins!");
    EXPECT_EQ(WinnerText({bob, cid}), "Draw");
    auto team = [](ResultRow row, int t) {
        row.Team = t;
        return row;
    };
    EXPECT_EQ(WinnerText({ann, team(bob, 2), team(cid, 2)}), "Team 2 wins!") << "3 + 3 beat 5";
    EXPECT_EQ(WinnerText({team(ann, 1), team(bob, 2), cid}), "Ann wins!");
    EXPECT_EQ(WinnerText({team(ann, 3), team(bob, 1), team(cid, 1)}), "Team 1 wins!");
    EXPECT_EQ(WinnerText({team(ann, 5), team(bob, 5)}), "Ann wins!") << "5 is no team";
    EXPECT_EQ(WinnerText({team(ann, 2), team({"Dee", 0, 0, 1}, 2), team(bob, 1), team(cid, 1)}),
              "Draw");
}

TEST_F(MatchTest, StartsOnAShippedArenaWithAFreshPlayer) {
    ASSERT_TRUE(Start("yard.arn", 3));
    const AppState& app = App();
    EXPECT_EQ(app.GameState, kStateMatch);
    ASSERT_TRUE(TheMatch().HumanPlayer);
    EXPECT_EQ(TheMatch().HumanPlayer->Style, 3);
    EXPECT_EQ(Car().Class(), ObjectClass::SportsCar);
    EXPECT_EQ(Car().PlayerControlled, 1);
    EXPECT_EQ(TheMatch().HumanPlayer->Team, 0) << "team 5 means none";
    EXPECT_EQ(TheMatch().HumanPlayer->Name, "Crashmoor Newbie");
    ASSERT_EQ(TheMatch().DriverList.size(), 1u);
    EXPECT_EQ(TheMatch().TimeLeft, 600);
    EXPECT_EQ(TheMatch().RespawnPenalty, 250);
    ASSERT_TRUE(TheMatch().TheMinimap);
    EXPECT_FALSE(HealthPickUp::List.Empty());
    // The car stands on one of the arena's respawn points.
    bool on_point = false;
    for (const auto& p : RespawnPoint::List.Items()) {
        on_point |= static_cast<int>(p->GetX()) == static_cast<int>(Car().X) &&
                    static_cast<int>(p->GetY()) == static_cast<int>(Car().Y);
    }
    EXPECT_TRUE(on_point);
    // A second match does not keep the first one's points or drivers.
    const int points = RespawnPoint::List.Count();
    EndMatchTeardown();
    EXPECT_TRUE(RespawnPoint::List.Empty()) << "the match's points end with it";
    EXPECT_TRUE(TheMatch().DriverList.empty());
    EXPECT_EQ(LiveObjectTotal(), 0) << LiveObjectSummary();
    ASSERT_TRUE(StartMatch(setup));
    EXPECT_EQ(RespawnPoint::List.Count(), points);
    EXPECT_EQ(TheMatch().DriverList.size(), 1u);
}

TEST_F(MatchTest, AMissingArenaDoesNotStartAMatch) {
    EXPECT_FALSE(Start("nowhere.arn"));
    EXPECT_NE(App().GameState, kStateMatch);
    EXPECT_FALSE(TheMatch().HumanPlayer);
    EXPECT_NE(StartUpError().find("nowhere.arn"), std::string::npos);
}

TEST_F(MatchTest, DrivingIntoTheBorderStopsTheCar) {
    ASSERT_TRUE(Start("yard.arn"));
    Car().Angle = 180;  // toward the left border
    Key(SDL_SCANCODE_LEFT, false);
    Key(SDL_SCANCODE_W, true);
    Frames(600);
    const float x = Car().X;
    Frames(60);
    EXPECT_NEAR(Car().X, x, 1.0) << "held at the wall";
    EXPECT_GT(Car().X, 64) << "the border blocks are solid";
    EXPECT_GT(std::abs(Car().Velocity), 2.5f) << "still pressing on";
    Key(SDL_SCANCODE_W, false);
}

TEST_F(MatchTest, FiringAtAParkedCarWearsItDown) {
    ASSERT_TRUE(Start("yard.arn"));
    HealthPickUp::DestroyAll();  // the parked car must not be healed
    const auto target_driver = std::make_shared<ControlObject>();
    const int tx = static_cast<int>(Car().X) + 200, ty = static_cast<int>(Car().Y);
    target_driver->myVehicle = Vehicle::Spawn(ObjectClass::Car, tx, ty, 1, target_driver);
    Frames(2);
    // Aim at the target on screen and hold the left button.
    MoveMouse(tx - TheMatch().ScrollX, ty - TheMatch().ScrollY);
    Button(SDL_BUTTON_LEFT, true, tx - TheMatch().ScrollX, ty - TheMatch().ScrollY);
    Frames(60);
    Button(SDL_BUTTON_LEFT, false, tx - TheMatch().ScrollX, ty - TheMatch().ScrollY);
    Frames(10);
    EXPECT_LT(target_driver->myVehicle->Health, 100 - 3);
    EXPECT_EQ(target_driver->lastHit.lock(),
              std::static_pointer_cast<ControlObject>(TheMatch().HumanPlayer));
    target_driver->myVehicle->Remove();
}

TEST_F(MatchTest, ARightClickLaysOneMineThatKillsTheCarWhichRespawnsAfterThePenalty) {
    setup.RespawnPenalty = 60;  // the blasts are over by then
    ASSERT_TRUE(Start("yard.arn"));
    Vehicle& car = Car();
    car.WeaponSlot2->Destroy();
    car.WeaponSlot2 = MineLayer::Choose(TheMatch().HumanPlayer->myVehicle);
    car.Health = 10;
    Button(SDL_BUTTON_RIGHT, true, 500, 300);
    Frames(3);  // held for three frames: one mine
    int mines = 0;
    Shot::List.WalkClass(ObjectClass::Mine, [&](Shot&) { ++mines; });
    EXPECT_EQ(mines, 1);
    EXPECT_EQ(car.WeaponSlot2->Ammo, 4);
    Button(SDL_BUTTON_RIGHT, false, 500, 300);
    const std::shared_ptr<Vehicle> first = TheMatch().HumanPlayer->myVehicle;
    // The mine arms after 100 frames and goes off under its own layer.
    Frames(110);
    EXPECT_EQ(first->Dead, 1);
    EXPECT_EQ(TheMatch().HumanPlayer->Deaths, 1);
    EXPECT_EQ(TheMatch().HumanPlayer->Points, -1) << "own mine, own fire";
    Frames(70);
    EXPECT_NE(TheMatch().HumanPlayer->myVehicle, first) << "a new car after the penalty";
    EXPECT_EQ(TheMatch().HumanPlayer->myVehicle->Dead, 0);
}

TEST_F(MatchTest, DrivingOverPickupsTakesThem) {
    ASSERT_TRUE(Start("yard.arn"));
    const auto health = HealthPickUp::List.Items()[0];
    const auto weapon = WeaponPickUp::List.Items()[0];
    const auto device = SecondaryPickUp::List.Items()[0];
    Car().Health = 50;
    for (const auto& p : std::vector<std::shared_ptr<PickUp>>{health, weapon, device}) {
        Car().X = p->X;
        Car().Y = p->Y;
        Frames(2);
        EXPECT_EQ(p->Empty, 1);
    }
    EXPECT_EQ(Car().Health, 75);
    EXPECT_NE(Car().WeaponSlot->Number, 1);
    EXPECT_GT(Car().WeaponSlot2->Ammo, 0);
}

TEST_F(MatchTest, UpAndDownTogetherReverseAndLayTreads) {
    ASSERT_TRUE(Start("dust.arn"));
    Key(SDL_SCANCODE_UP, true);
    Key(SDL_SCANCODE_DOWN, true);
    Frames(40);
    EXPECT_LT(Car().Velocity, 0);
    EXPECT_GT(Tread::List.Count(), 5);
    Key(SDL_SCANCODE_UP, false);
    Key(SDL_SCANCODE_DOWN, false);
}

TEST_F(MatchTest, TheConsoleKeyFreezesTheFlagsAndShowsTheFrameRate) {
    ASSERT_TRUE(Start("yard.arn"));
    Key(SDL_SCANCODE_W, true);
    Frames(2);
    EXPECT_EQ(Car().Up, 1);
    Key(SDL_SCANCODE_GRAVE, true);
    Frames(1);
    Key(SDL_SCANCODE_GRAVE, false);
    EXPECT_EQ(App().ConsoleOpen, 1);
    EXPECT_TRUE(TheMatch().TheWorld->ShowFPS());
    Key(SDL_SCANCODE_W, false);
    Frames(2);
    EXPECT_EQ(Car().Up, 1) << "flags keep their values while the console is open";
}

TEST_F(MatchTest, TheMatchClockEndsTheMatchAndTheResultsArePrinted) {
    setup.TimeLimitMinutes = 0;
    ASSERT_TRUE(Start("yard.arn"));
    testing::internal::CaptureStdout();
    const bool go_on = RunFrame();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_TRUE(go_on) << "the game goes back to its menus";
    EXPECT_EQ(kit_CurrentScreenName(), "Match Results");
    const auto table = std::dynamic_pointer_cast<kit_TTable>(
        kit_FindGadget("Match Results", kit_FindPanel("Match Results Panel")));
    ASSERT_TRUE(table);
    ASSERT_EQ(table->RowCount(), 1);
    EXPECT_EQ(table->CellText(0, 0), "Crashmoor Newbie");
    EXPECT_EQ(table->GetSelectedIndex(), 0) << "the player's row is marked";
    EXPECT_EQ(EndReasonText(), "Time limit of 0:00 reached");
    EXPECT_EQ(LastMatchEnd(), MatchEnd::TimeLimit);
    EXPECT_NE(out.find("Contestant"), std::string::npos);
    EXPECT_NE(out.find("Crashmoor Newbie"), std::string::npos);
    EXPECT_EQ(App().GameState, kStateMenus);
    EXPECT_TRUE(Vehicle::List.Empty());
    EXPECT_TRUE(HealthPickUp::List.Empty());
}

// Without video there are no menus to return to: the results end the run.
class NoVideoMatchTest : public MatchTest {
protected:
    NoVideoMatchTest() { options.video = false; }
};

TEST_F(NoVideoMatchTest, AQuickMatchEndsTheRunAfterPrintingItsResults) {
    setup.TimeLimitMinutes = 0;
    ASSERT_TRUE(Start("yard.arn"));
    testing::internal::CaptureStdout();
    const bool go_on = RunFrame();
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(go_on);
    EXPECT_NE(out.find("Crashmoor Newbie"), std::string::npos);
}

// A demo match recorded to its end replays, through the file format and a
// fresh run, to the same state hash and the same results, headless.
TEST_F(NoVideoMatchTest, ARecordedDemoReplaysToTheSameStateAndResults) {
    setup.AIStyle = {3, 2, 1, 3, 2};
    setup.Autopilot = true;
    setup.TimeLimitMinutes = 1;
    setup.ScoreLimit = 6;
    PrintStateHashes(true);
    auto run = [](int* frames) {
        while (RunFrame() && *frames < 4000) ++*frames;
        ShutDown();
    };
    testing::internal::CaptureStdout();
    ASSERT_TRUE(Start("metro.arn"));
    int recorded_frames = 1;
    run(&recorded_frames);
    const std::string recorded = testing::internal::GetCapturedStdout();
    ASSERT_TRUE(FirstReplay());
    const Bytes file = EncodeReplay(*FirstReplay());
    // A minute of play takes a few tens of kilobytes at most.
    EXPECT_LT(file.size(), 40u * 1024u * static_cast<std::size_t>(recorded_frames) / 3600 + 1024);
    Replay replay;
    std::string error;
    ASSERT_TRUE(DecodeReplay(file, &replay, &error)) << error;

    testing::internal::CaptureStdout();
    StartOptions start;
    start.replay = &replay;
    ASSERT_TRUE(StartUp(start)) << StartUpError();
    // Live keys and buttons do not reach a replay.
    Key(SDL_SCANCODE_W, true);
    Key(SDL_SCANCODE_P, true);
    Button(SDL_BUTTON_LEFT, true, 700, 300);
    int replayed_frames = 1;
    run(&replayed_frames);
    const std::string replayed = testing::internal::GetCapturedStdout();
    PrintStateHashes(false);
    EXPECT_FALSE(ReplayStrayed());
    EXPECT_EQ(replayed_frames, recorded_frames);
    const std::size_t at = recorded.find("state_hash: ");
    ASSERT_NE(at, std::string::npos) << recorded;
    ASSERT_NE(recorded.find("Contestant", at), std::string::npos) << "the match ended";
    EXPECT_EQ(replayed.substr(replayed.find("state_hash: ")), recorded.substr(at))
        << "the same hash and the same results";

    // The one watching leaves a replay with Escape.
    testing::internal::CaptureStdout();
    ASSERT_TRUE(StartUp(start)) << StartUpError();
    for (int i = 0; i < 30; ++i) ASSERT_TRUE(RunFrame());
    Key(SDL_SCANCODE_ESCAPE, true);
    EXPECT_FALSE(RunFrame());
    testing::internal::GetCapturedStdout();
}

// Another build's replay, and a damaged, cut or foreign file, is refused
// with the reason.
TEST(ReplayFile, ForeignDamagedAndCutFilesAreRefusedWithAReason) {
    Replay replay;
    replay.Setup.Arena = "yard.arn";
    replay.Setup.PlayerName = "Ann";
    replay.RandomState = 99;
    replay.Tape = {1, 2, 16};  // a poll and a 16 ms frame
    replay.Checkpoints = {5, 6};
    const Bytes good = EncodeReplay(replay);
    Replay back;
    std::string error;
    ASSERT_TRUE(DecodeReplay(good, &back, &error)) << error;
    EXPECT_EQ(back.Setup.PlayerName, "Ann");
    EXPECT_EQ(back.Checkpoints, replay.Checkpoints);
    EXPECT_EQ(EncodeReplay(back), good);

    auto refused = [&](const Bytes& bytes) {
        error.clear();
        EXPECT_FALSE(DecodeReplay(bytes, &back, &error));
        return error;
    };
    Bytes altered = good;
    altered[altered.size() - 12] ^= 0x20;
    EXPECT_EQ(refused(altered), "the replay file is damaged or cut short");
    EXPECT_EQ(refused(Bytes(good.begin(), good.end() - 5)),
              "the replay file is damaged or cut short");
    EXPECT_EQ(refused(Bytes(good.begin(), good.begin() + 20)),
              "the replay file is damaged or cut short");
    Bytes other = good;
    const std::string version = ReplayVersion();
    const auto where = std::search(other.begin(), other.end(), version.begin(), version.end());
    ASSERT_NE(where, other.end());
    *(where + 10) = 'X';
    EXPECT_NE(refused(other).find("another version of the game"), std::string::npos) << error;
    EXPECT_EQ(refused(Bytes{'P', 'N', 'G'}), "not a replay file");
    EXPECT_EQ(refused(Bytes{}), "not a replay file");
}

TEST_F(MatchTest, TimerDropsOncePerSecondOfClock) {
    ASSERT_TRUE(Start("yard.arn"));
    const int start = TheMatch().TimeLeft;
    Frames(181);  // a little over three seconds on the 60 Hz virtual clock
    EXPECT_GE(start - TheMatch().TimeLeft, 2);
    EXPECT_LE(start - TheMatch().TimeLeft, 3);

    // Ten hours into a session the next tick is still exactly a second away.
    const std::int64_t late = 36'000'001;
    clock_set_virtual_ms(late);
    Timer::Reset();
    EXPECT_EQ(TheMatch().ClockNextTick, late + 1000);
}

// A click quicker than a frame (its press and release in one batch of
// events) fires exactly one shot.
TEST_F(MatchTest, AQuickClickFiresOneShot) {
    ASSERT_TRUE(Start("yard.arn"));
    Frames(40);  // the gun is ready
    auto bullets = [] {
        int n = 0;
        Shot::List.WalkClass(ObjectClass::MGBullet, [&](Shot&) { ++n; });
        return n;
    };
    const int before = bullets();
    MoveMouse(900, 300);
    Button(SDL_BUTTON_LEFT, true, 900, 300);
    Button(SDL_BUTTON_LEFT, false, 900, 300);
    Frames(3);
    EXPECT_EQ(bullets(), before + 1);
}

TEST_F(MatchTest, StatusBarTurnsRedAt15AndTheMinimapShowsTheCar) {
    ASSERT_TRUE(Start("yard.arn"));
    Frames(1);
    Car().Health = 16;
    gfx_cls();
    DrawStatusBar();
    const std::uint32_t white = test_support::PixelAt(700, 765);
    Car().Health = 15;
    gfx_cls();
    DrawStatusBar();
    const std::uint32_t red = test_support::PixelAt(700, 765);
    EXPECT_GT(test_support::G(white), 100);
    EXPECT_GT(test_support::R(red), 100);
    EXPECT_LT(test_support::G(red), 20);

    // 3000 x 1500 arena: scale 20 and 10; a car at (1000, 1000) shows at
    // (924, 682) on a 1024 x 768 screen.
    auto map = Minimap::Create(1024, 768, 3000, 1500, 0);
    EXPECT_EQ(map->MiniX, 20);
    EXPECT_EQ(map->MiniY, 10);
    Car().X = 1000;
    Car().Y = 1000;
    auto dot = MinimapDot::Create(map, TheMatch().HumanPlayer);
    EXPECT_EQ(dot->X, 924);
    EXPECT_EQ(dot->Y, 682);
    // Arenas narrower than 150 pixels keep a scale of 1.
    auto tiny = Minimap::Create(1024, 768, 100, 60, 1);
    EXPECT_EQ(tiny->MiniX, 1);
    EXPECT_EQ(tiny->MiniY, 1);
    auto tiny_dot = MinimapDot::Create(tiny, TheMatch().HumanPlayer);
    EXPECT_EQ(tiny_dot->X, 874 + 1000);
}

TEST_F(MatchTest, WithoutRespawnPointsThePlayerComesBackAtTheOrigin) {
    ASSERT_TRUE(Start("yard.arn"));
    EndMatchTeardown();
    Match match;                       // a match of no arena: no respawn points
    match.RespawnPenalty = 0;          // back on the first dead frame
    auto player = Player::Make(9, 4);  // model 9 is taken as 5
    EXPECT_EQ(player->Style, 5);
    EXPECT_EQ(player->myVehicle->Class(), ObjectClass::SemiTruck);
    EXPECT_EQ(player->myVehicle->X, 0);
    EXPECT_EQ(player->myVehicle->Y, 0);
    EXPECT_EQ(player->Team, 4);
    player->myVehicle->Health = -1;
    player->Update();  // dies
    ASSERT_EQ(player->myVehicle->Dead, 1);
    player->Update();  // respawns at once
    EXPECT_EQ(player->myVehicle->Dead, 0);
    EXPECT_EQ(player->myVehicle->X, 0);
    // One respawn point is always the one chosen.
    const auto point = RespawnPoint::Designate(640, 320);
    int x = 0, y = 0;
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(PickSpawnPoint(x, y), point);
        EXPECT_EQ(x, 640);
    }
    EXPECT_EQ(point->Active, 0);
}

TEST_F(MatchTest, ACarDestroyedInAFrameFiresNoMoreInIt) {
    ASSERT_TRUE(Start("yard.arn"));
    auto player = TheMatch().HumanPlayer;
    Vehicle& car = *player->myVehicle;
    car.WeaponSlot2->Destroy();
    car.WeaponSlot2 = MineLayer::Choose(player->myVehicle);
    car.ShootWait = 100;
    car.Shoot = 1;
    car.Shoot2 = 1;
    car.Health = -1;
    const int shots = Shot::List.Count();
    player->Update();
    EXPECT_EQ(car.Dead, 1);
    EXPECT_EQ(Shot::List.Count(), shots) << "no bullet and no mine from a dead car";
}

TEST_F(MatchTest, EveryShippedArenaPlaysAndLooksRight) {
    ASSERT_TRUE(Start("yard.arn"));
    for (const char* arena : {"yard.arn", "dust.arn", "frost.arn", "metro.arn"}) {
        SCOPED_TRACE(arena);
        EndMatchTeardown();
        setup.Arena = arena;
        ASSERT_TRUE(StartMatch(setup));
        // Drive and fire for a second, then look at the frame before the
        // flip: the map, the car, the status bar and the minimap.
        Key(SDL_SCANCODE_W, true);
        Button(SDL_BUTTON_LEFT, true, 900, 200);
        int most_shots = 0;
        for (int i = 0; i < 60; ++i) {
            RunFrame();
            most_shots = std::max(most_shots, Shot::List.Count());
        }
        Key(SDL_SCANCODE_W, false);
        Button(SDL_BUTTON_LEFT, false, 900, 200);
        Frames(1);
        EXPECT_GT(most_shots, 0) << "the car fired";
        struct Shot {
            std::string path;
        } shot{std::string(MATCH_SHOTS_DIR) + "/match_" + arena + ".png"};
        SetBeforeFlipHook([](void* user) { gfx_save_png(static_cast<Shot*>(user)->path); }, &shot);
        RunFrame();
        SetBeforeFlipHook(nullptr, nullptr);
        ASSERT_TRUE(std::filesystem::exists(shot.path));
    }
}

TEST_F(MatchTest, ComputerDriversJoinFromTheSlotsAndAreScoredFirst) {
    setup.AIStyle = {1, 0, 3, 0, 2};
    setup.AITeam = {2, 5, 5, 5, 4};
    ASSERT_TRUE(Start("dust.arn"));
    ASSERT_EQ(AI::List.Count(), 3);
    const auto ais = AI::List.Items();
    EXPECT_EQ(ais[0]->Style, 1);
    EXPECT_EQ(ais[0]->Team, 2);
    EXPECT_EQ(ais[1]->Style, 3);
    EXPECT_EQ(ais[2]->Team, 4);
    EXPECT_EQ(TheMatch().DriverList.size(), 4u);
    EXPECT_EQ(TheMatch().DriverList.front(),
              std::static_pointer_cast<ControlObject>(TheMatch().HumanPlayer));

    // 3 for the first AI, 5 for the second, 3 for the player: AI 2, AI 1,
    // player, and the last AI (0) after them.
    ais[0]->Points = 3;
    ais[1]->Points = 5;
    TheMatch().HumanPlayer->Points = 3;
    const std::vector<ResultRow> rows = FillResults();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].Name, ais[1]->Name);
    EXPECT_EQ(rows[1].Name, ais[0]->Name);
    EXPECT_EQ(rows[2].Name, TheMatch().HumanPlayer->Name);
    EXPECT_EQ(rows[3].Name, ais[2]->Name);

    // An AI at the limit ends the match before anything else runs.
    setup.ScoreLimit = 5;
    TheMatch().ScoreLimit = 5;
    EXPECT_TRUE(CheckMatchEnd());
    EXPECT_TRUE(AI::List.Empty());
}

TEST_F(MatchTest, BigDogCrownsOneComputerDriverAndNeverTheHuman) {
    setup.GameType = 1;
    ASSERT_TRUE(Start("yard.arn"));
    EXPECT_EQ(TheMatch().HumanPlayer->iAmBigDog, 0) << "no computer driver: nobody is the Big Dog";
    for (int round = 0; round < 5; ++round) {
        EndMatchTeardown();
        setup.AIStyle = {1, 2, 3, 1, 2};
        ASSERT_TRUE(StartMatch(setup));
        int dogs = 0;
        AI::List.Walk([&](AI& ai) { dogs += ai.iAmBigDog; });
        EXPECT_EQ(dogs, 1);
        EXPECT_EQ(TheMatch().HumanPlayer->iAmBigDog, 0);
    }
}

// The Big Dog blows itself up early in a short match: the title passes on,
// someone holds it in every frame to the end, and kills keep scoring.
TEST_F(MatchTest, ABigDogsOwnDeathPassesTheTitleAndScoringGoesOn) {
    setup.GameType = 1;
    setup.AIStyle = {3, 3, 3, 0, 0};
    ASSERT_TRUE(Start("yard.arn"));
    auto holders = [] {
        std::vector<std::shared_ptr<ControlObject>> found;
        for (const auto& d : TheMatch().DriverList)
            if (d->iAmBigDog == 1) found.push_back(d);
        return found;
    };
    Frames(30);
    ASSERT_EQ(holders().size(), 1u);
    const std::shared_ptr<ControlObject> dog = holders()[0];
    dog->lastHit = dog;
    dog->myVehicle->Destroy();
    ASSERT_EQ(holders().size(), 1u);
    const std::shared_ptr<ControlObject> heir = holders()[0];
    EXPECT_NE(heir, dog);
    EXPECT_NE(
        test_support::ReadFile("debug_console_report.txt").find(heir->Name + " is the Big Dog!"),
        std::string::npos);

    // Another driver kills the new Big Dog: it scores (unless the dog drives
    // the Car) and takes the title.
    std::shared_ptr<ControlObject> killer;
    for (const auto& d : TheMatch().DriverList)
        if (d != heir && d != dog && !killer) killer = d;
    const int points = killer->Points;
    const bool car = heir->myVehicle->Class() == ObjectClass::Car;
    heir->lastHit = killer;
    heir->myVehicle->Destroy();
    EXPECT_EQ(killer->Points, points + (car ? 0 : 1));
    EXPECT_EQ(holders(), std::vector<std::shared_ptr<ControlObject>>{killer});

    TheMatch().TimeLeft = 3;
    int frames = 0;
    while (App().GameState == kStateMatch && frames < 400) {
        ASSERT_EQ(holders().size(), 1u) << "frame " << frames;
        RunFrame();
        ++frames;
    }
    EXPECT_EQ(App().GameState, kStateMenus) << "the match ran to its end";
}

TEST_F(MatchTest, TheDemoAutopilotDrivesAimsAndFires) {
    setup.AIStyle = {1, 1, 0, 0, 0};
    setup.Autopilot = true;
    ASSERT_TRUE(Start("yard.arn"));
    const float x0 = Car().X, y0 = Car().Y;
    int own_shots = 0, frames_up = 0;
    for (int i = 0; i < 900; ++i) {
        RunFrame();
        if (!TheMatch().HumanPlayer->myVehicle) continue;
        frames_up += Car().Up;
        Shot::List.Walk([&](Shot& s) {
            own_shots +=
                s.Parent == std::static_pointer_cast<ControlObject>(TheMatch().HumanPlayer);
        });
    }
    EXPECT_GT(frames_up, 300) << "the autopilot accelerates";
    EXPECT_GT(PointDistance(static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(Car().X),
                            static_cast<int>(Car().Y)) +
                  TheMatch().HumanPlayer->Deaths * 1000,
              100.0f);
    EXPECT_GT(own_shots, 0) << "it fires at the computer drivers";
}

TEST_F(MatchTest, ASpectatorMatchFollowsTheFirstComputerDriver) {
    setup.AIStyle = {3, 3, 0, 0, 0};
    setup.Spectate = true;
    ASSERT_TRUE(Start("metro.arn"));
    EXPECT_FALSE(TheMatch().HumanPlayer);
    EXPECT_EQ(TheMatch().DriverList.size(), 2u);
    Frames(120);
    const Vehicle& followed = *AI::List.Items().front()->myVehicle;
    const int expected_x = std::clamp(static_cast<int>(followed.X - 512.0f), 0,
                                      static_cast<int>(TheMatch().WorldWidth) - 1024);
    EXPECT_NEAR(TheMatch().ScrollX, expected_x, 40) << "the view was centred one frame ago";
    EXPECT_EQ(App().GameState, kStateMatch);
    // Without a human the results hold the computer drivers only.
    TheMatch().TimeLeft = 0;
    Frames(1);
    EXPECT_EQ(LastResults().size(), 2u);
}

// Every drawing of a match frame, pass by pass, draws the same pixels from
// a plain drawing state and from an odd one (turned, scaled, faint,
// coloured, additive, off its handle, in another font), and leaves the
// state and the font as it found them.
TEST_F(MatchTest, EveryDrawingPassIgnoresAndKeepsTheDrawingState) {
    setup.GameType = 1;  // the Big Dog marker
    setup.Team = 2;
    setup.AIStyle = {3, 1, 0, 0, 0};
    setup.AITeam = {1, 5, 5, 5, 5};
    ASSERT_TRUE(Start("yard.arn"));
    Frames(2);
    // One of every kind of object in view round the car, the trigger held
    // and the console open; the drivers step once more to aim and fire.
    const auto human = std::static_pointer_cast<ControlObject>(TheMatch().HumanPlayer);
    const int x = static_cast<int>(Car().X), y = static_cast<int>(Car().Y);
    Scar::Make(x + 60, y, 2);
    Tread::Make(x - 60, y, 30);
    Wreckage::Make(x, y + 90, 45, 2);
    Explosion::Make(x + 110, y + 40, 2, nullptr);
    Mine().Fire(x - 120, y - 60, 0, human);
    Turret().Fire(x + 130, y - 90, 0, human);
    Shield().Fire(x, y, 0, human);
    for (const auto& shot : std::vector<std::shared_ptr<Shot>>{
             std::make_shared<MGBullet>(), std::make_shared<RPGBullet>(),
             std::make_shared<PGBullet>(), std::make_shared<Shrapnel>()}) {
        shot->Fire(x, y - 40, 20, human);
    }
    App().ConsoleOpen = 1;
    Car().Shoot = 1;
    AI::List.Walk([&](AI& ai) {
        ai.myVehicle->mySprite->SetPos(x + 200, y + 100);
        ai.Update();
    });
    Player::UpdateAll();
    Shot::List.WalkClass(ObjectClass::RPGBullet, [](Shot& s) { s.Update(); });

    GfxState plain = gfx_get_state();
    plain.rotation = 0;
    plain.scale_x = plain.scale_y = 1;
    plain.alpha = 1;
    plain.r = plain.g = plain.b = 255;
    plain.blend = kBlendAlpha;
    plain.handle_x = plain.handle_y = 0;
    GfxState odd = plain;
    odd.rotation = 37;
    odd.scale_x = 1.6;
    odd.scale_y = 0.4;
    odd.alpha = 0.3;
    odd.r = 20;
    odd.g = 200;
    odd.b = 90;
    odd.blend = kBlendLight;
    odd.handle_x = 13;
    odd.handle_y = -7;
    odd.line_width = 5;
    const FontHandle plain_font = App().FontMedium, odd_font = App().FontLarge;
    // The pixels right of `from_x` (the console's memory figure, left of
    // its log, changes between two drawings).
    int from_x = 0;
    auto picture = [&](const std::function<void()>& pass, const GfxState& state,
                       const FontHandle& font) {
        gfx_set_state(state);
        gfx_set_font(font);
        gfx_cls();
        pass();
        EXPECT_TRUE(gfx_get_state() == state) << "the drawing state is left as it was";
        EXPECT_EQ(gfx_get_font(), font) << "and so is the font";
        return gfx_read_pixels(from_x, 0, 1024 - from_x, 768);
    };
    auto check = [&](const char* name, const std::function<void()>& pass) {
        gfx_cls();
        const std::vector<std::uint32_t> blank = gfx_read_pixels(from_x, 0, 1024 - from_x, 768);
        SCOPED_TRACE(name);
        const auto a = picture(pass, plain, plain_font);
        const auto b = picture(pass, odd, odd_font);
        EXPECT_TRUE(a != blank) << "it draws something";
        EXPECT_TRUE(a == b) << std::inner_product(a.begin(), a.end(), b.begin(), 0, std::plus<>(),
                                                  std::not_equal_to<>())
                            << " pixels differ";
    };
    check("scars", [] { Scar::DrawAll(); });
    check("treads", [] { Tread::DrawAll(); });
    check("wrecks", [] { Wreckage::DrawAll(); });
    check("steering world", [] { TheMatch().TheWorld->Render(); });
    check("mines and turrets", [] { Shot::DrawSecondary(); });
    check("pickups", [] {
        HealthPickUp::DrawAll();
        WeaponPickUp::DrawAll();
        SecondaryPickUp::DrawAll();
    });
    check("computer drivers", [] { AI::DrawAll(); });
    check("player", [] { Player::DrawAll(); });
    check("shots and shields", [] { Shot::List.Walk([](Shot& s) { s.Draw(); }); });
    check("weapons", [] { Weapon::DrawAll(); });
    check("explosions", [] { Explosion::DrawAll(); });
    check("status bar", [] { DrawStatusBar(); });
    check("minimap", [] { Minimap::DrawAll(); });
    from_x = 430;
    check("console", [] { ConsoleDraw(); });
    from_x = 0;
    App().ConsoleOpen = 0;
    check("score and aim", [] { DrawScoreAndAim(); });
    Car().Health = -1;
    Player::UpdateAll();  // destroyed
    Player::UpdateAll();  // waiting to respawn
    check("respawn screen", [] { Player::DrawAll(); });
}

// The picture of every frame of a busy match, pinned: dust, which scrolls,
// with the human car (on team 3) on the autopilot and three computer
// drivers, one of each style (one of them without a team), for 420 frames
// on the fixed frame time: fire, sparks, treads, smoke, a car destroyed and
// its wreck, the status bar and the minimap. Each frame's pixels are hashed
// before the flip and chained; the chain every 20 frames is compared with
// its recorded value. Changing how the objects are stepped or drawn must
// not change a pixel; a change meant to alter the picture records the
// values anew from the failure message.
TEST_F(MatchTest, EveryFrameOfABusyMatchDrawsTheRecordedPicture) {
    constexpr int kFrames = 420, kEvery = 20;
    constexpr std::uint64_t kExpected[kFrames / kEvery] = {
        0xb6c25d9a01470333ull, 0xdd74b3623309499aull, 0x4465965217bec270ull, 0x6cd61ad90d331de3ull,
        0xcc373047a5eb1d05ull, 0xb08af6f144d1351bull, 0xefef160fbdfd7214ull, 0x8f19b1262fa218e5ull,
        0xb07601771302d573ull, 0xa607ddc386cea8d0ull, 0xe60c2b03acd5e320ull, 0xaa7bc95e9978c544ull,
        0xe785b21d4f45ac91ull, 0xe7c7f6a4c7391e81ull, 0x540bfe325afe2a35ull, 0x716038a6507a45b7ull,
        0x387574894cfeeb2bull, 0xafa57dd00dd6020cull, 0x382da209178eb66dull, 0x21d8e04d5f08e67bull,
        0x2daf1c2daa47536aull,
    };
    setup.Team = 3;
    setup.AIStyle = {1, 2, 3, 0, 0};
    setup.AITeam = {1, 5, 2, 5, 5};
    setup.Autopilot = true;
    ASSERT_TRUE(Start("dust.arn"));
    struct Chain {
        std::uint64_t hash = 14695981039346656037ull;
    } chain;
    SetBeforeFlipHook(
        [](void* user) {
            const std::vector<std::uint32_t> pixels = gfx_read_pixels(0, 0, 1024, 768);
            auto& c = *static_cast<Chain*>(user);
            c.hash = bytes_hash(reinterpret_cast<const std::uint8_t*>(pixels.data()),
                                pixels.size() * sizeof(std::uint32_t), c.hash);
        },
        &chain);
    std::vector<std::uint64_t> got;
    int frames_with_blasts = 0, frames_with_shots = 0;
    for (int frame = 1; frame <= kFrames; ++frame) {
        RunFrame();
        frames_with_blasts += Explosion::List.Empty() ? 0 : 1;
        frames_with_shots += Shot::List.Empty() ? 0 : 1;
        if (frame % kEvery == 0) got.push_back(chain.hash);
    }
    SetBeforeFlipHook(nullptr, nullptr);
    ASSERT_EQ(App().GameState, kStateMatch);
    EXPECT_GT(frames_with_shots, kFrames / 4) << "the drivers fire";
    EXPECT_GT(frames_with_blasts, kFrames / 4) << "and things blow up";
    EXPECT_FALSE(Wreckage::List.Empty()) << "a car was destroyed";
    std::string table;
    for (const std::uint64_t h : got) table += "0x" + HashText(h) + "ull, ";
    for (std::size_t i = 0; i < got.size(); ++i) {
        if (got[i] == kExpected[i]) continue;
        ADD_FAILURE() << "the picture differs first in frames " << i * kEvery + 1 << " to "
                      << (i + 1) * kEvery << "; the chain of this build: " << table;
        break;
    }
}

}  // namespace

// Computer drivers in a real match through the frame loop, without video.
class ComputerMatchTest : public MatchTest {
protected:
    ComputerMatchTest() { options.video = false; }
};

// Five computer drivers for a minute of play: they drive, fire, hit, die,
// come back and score, and the report names them only when their state
// changes.
TEST_F(ComputerMatchTest, DriversMoveFireHitDieRespawnAndScore) {
    setup.Spectate = true;
    setup.AIStyle = {3, 2, 1, 3, 2};
    setup.ScoreLimit = kMatchLimitMax;
    ASSERT_TRUE(Start("yard.arn"));
    const auto ais = AI::List.Items();
    ASSERT_EQ(ais.size(), 5u);
    std::vector<float> x0, y0, farthest(5, 0.0f);
    for (const auto& ai : ais) {
        x0.push_back(ai->myVehicle->X);
        y0.push_back(ai->myVehicle->Y);
    }
    int most_shots = 0, hurt = 0, respawned = 0;
    std::vector<int> deaths(5, 0);
    std::vector<bool> wrecked(5, false);
    for (int frame = 0; frame < 3600 && App().GameState == kStateMatch; ++frame) {
        RunFrame();
        most_shots = std::max(most_shots, Shot::List.Count());
        for (std::size_t i = 0; i < ais.size(); ++i) {
            const Vehicle& v = *ais[i]->myVehicle;
            farthest[i] = std::max(farthest[i], std::hypot(v.X - x0[i], v.Y - y0[i]));
            hurt += v.Health < 100 ? 1 : 0;
            // A computer car is back, alive, in the frame after its death.
            if (wrecked[i] && v.Dead == 0) ++respawned;
            wrecked[i] = ais[i]->Deaths > deaths[i];
            deaths[i] = ais[i]->Deaths;
        }
    }
    int total_deaths = 0, scored = 0;
    for (std::size_t i = 0; i < ais.size(); ++i) {
        EXPECT_GT(farthest[i], 200.0f) << ais[i]->Name << " drives";
        total_deaths += ais[i]->Deaths;
        scored += ais[i]->Points > 0 ? 1 : 0;
    }
    EXPECT_GT(most_shots, 0) << "they fire";
    EXPECT_GT(hurt, 0) << "and hit";
    EXPECT_GT(total_deaths, 0) << "cars are destroyed";
    const auto pending = std::count(wrecked.begin(), wrecked.end(), true);  // the last frame's
    EXPECT_EQ(respawned + pending, total_deaths) << "every one comes back";
    EXPECT_GT(scored, 0) << "kills score";

    const std::string report = test_support::ReadFile("debug_console_report.txt");
    EXPECT_EQ(report.find("Current State ID"), std::string::npos);
    EXPECT_NE(report.find(ais[0]->Name + ": state "), std::string::npos);
    EXPECT_LT(report.size(), 100u * 1024) << "a minute of five drivers";
}

// A driver seeking the only health pickup, behind the containers in the
// middle of the yard, drives round them and takes it.
TEST_F(ComputerMatchTest, ADriverReachesAPickUpBehindABuilding) {
    setup.Spectate = true;
    setup.AIStyle = {1, 0, 0, 0, 0};
    ASSERT_TRUE(Start("yard.arn"));
    ASSERT_TRUE(TheMatch().TheMap->SolidAt(512, 384)) << "the containers";
    const auto ai = AI::List.Items().at(0);
    for (const auto& p : HealthPickUp::List.Items()) {
        p->Empty = 1;  // taken, and not back during the test
        p->Recharge = 1000000;
    }
    const auto goal = HealthPickUp::Make(512, 530);
    ai->myVehicle->mySprite->SetPos(512, 240);
    ai->myVehicle->mySprite->SetVelocity(Vector2D(0, 0));
    ai->myVehicle->Health = 10;
    int frames = 0;
    while (goal->Empty == 0 && frames < 900) {
        RunFrame();
        ++frames;
    }
    EXPECT_EQ(goal->Empty, 1) << "not taken in 15 seconds";
    EXPECT_GT(ai->myVehicle->Health, 10) << "by the driver that sought it";
}
