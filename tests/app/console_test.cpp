// The debug console in a running match: typing, the command words, the
// commands that act on the player's car, and the console state between
// matches.

#include <SDL.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ai/ai.h"
#include "app/console.h"
#include "app/console_message.h"
#include "engine/graphics.h"
#include "engine/input.h"
#include "objects/weapon.h"
#include "tests/app/match_fixture.h"

namespace {

// Every line reaches the report file at once; the console keeps only the
// latest few.
bool Posted(const std::string& part) {
    return test_support::ReadFile("debug_console_report.txt").find(part) != std::string::npos;
}

class ConsoleTest : public MatchTest {
protected:
    // Opens the console with its key and lets the frame read it.
    void OpenConsole() {
        Key(SDL_SCANCODE_GRAVE, true);
        Frames(1);
        Key(SDL_SCANCODE_GRAVE, false);
        Frames(1);
        ASSERT_EQ(App().ConsoleOpen, 1);
    }
    // Types a whole line, one character a frame, and presses Enter.
    void Command(const std::string& line) {
        Type(line);
        Frames(static_cast<int>(line.size()) + 1);
        Key(SDL_SCANCODE_RETURN, true);
        Frames(1);
        Key(SDL_SCANCODE_RETURN, false);
        Frames(1);
    }
};

TEST(ConsoleMemory, TheStatisticFollowsTheHeap) {
    const long long before = HeapBytesInUse();
    EXPECT_GT(before, 0);
    std::vector<char> block(8 << 20, 1);
    EXPECT_GE(HeapBytesInUse() - before, 4 << 20) << static_cast<int>(block[12345]);
}

TEST_F(ConsoleTest, CharactersTypedInOneFrameArriveOneAFrame) {
    ASSERT_TRUE(Start("yard.arn"));
    OpenConsole();
    ConsoleInputLine().clear();
    Type("abc");
    Frames(1);
    EXPECT_EQ(ConsoleInputLine(), "a");
    Frames(1);
    EXPECT_EQ(ConsoleInputLine(), "ab");
    Frames(3);
    EXPECT_EQ(ConsoleInputLine(), "abc");
}

TEST_F(ConsoleTest, CommandWordsAreFoundInsideTheLineInTableOrder) {
    ASSERT_TRUE(Start("yard.arn"));
    OpenConsole();
    Command("please add ai moderate now");
    EXPECT_TRUE(Posted("User Command: please add ai moderate now"));
    EXPECT_TRUE(Posted("] Moderate AI added by user to scene"));
    ASSERT_EQ(AI::List.Count(), 1);
    EXPECT_EQ(AI::List.Items().front()->Style, 2);
    EXPECT_EQ(ConsoleInputLine(), "") << "Enter clears the line";

    Command("rpg or rocket launcher");
    EXPECT_EQ(Car().WeaponSlot->Number, 4) << "rocket launcher comes first in the table";
    const auto old = Car().WeaponSlot;
    Command("rpg");
    EXPECT_EQ(Car().WeaponSlot->Number, 3);
    const auto first_rpg = Car().WeaponSlot;
    Command("rpg");
    EXPECT_NE(Car().WeaponSlot, first_rpg) << "a fresh launcher every time";
    EXPECT_FALSE(Weapon::List.Contains(old.get()));

    Command("make me a sandwich");
    EXPECT_TRUE(Posted("Error: User command not recognized. Unable to perform."));

    // A picture of the open console for review.
    Type("add ai");
    Frames(8);
    const std::string path = std::string(MATCH_SHOTS_DIR) + "/console.png";
    SetBeforeFlipHook([](void* user) { gfx_save_png(*static_cast<const std::string*>(user)); },
                      const_cast<std::string*>(&path));
    RunFrame();
    SetBeforeFlipHook(nullptr, nullptr);
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST_F(ConsoleTest, CommandsOnAWreckAreIgnored) {
    ASSERT_TRUE(Start("yard.arn"));
    OpenConsole();
    Command("yippi-ki-ay");
    EXPECT_TRUE(Posted("] Player commits explosive suicide"));
    ASSERT_EQ(Car().Dead, 1);
    EXPECT_EQ(TheMatch().HumanPlayer->Deaths, 1);
    const int points = TheMatch().HumanPlayer->Points;
    const auto wreck_weapon = Car().WeaponSlot;

    Command("yippi-ki-ay");
    EXPECT_EQ(TheMatch().HumanPlayer->Deaths, 1) << "a wreck cannot die twice";
    EXPECT_EQ(TheMatch().HumanPlayer->Points, points);
    Command("rocket launcher");
    EXPECT_EQ(Car().WeaponSlot, wreck_weapon) << "no weapon on the wreck";
    EXPECT_TRUE(Posted("command ignored"));
    ASSERT_TRUE(ConsoleMessage::List);
    EXPECT_EQ(ConsoleMessage::List->back()->Color, kConsoleRed);
}

// The console key types its character along with its press, as keyboards
// do; the character never reaches the command line.
TEST_F(ConsoleTest, TheConsoleKeyNeverTypesIntoTheLine) {
    ASSERT_TRUE(Start("yard.arn"));
    ConsoleInputLine().clear();
    for (int round = 0; round < 2; ++round) {
        Key(SDL_SCANCODE_GRAVE, true);
        Type("`");
        Frames(1);
        Key(SDL_SCANCODE_GRAVE, false);
        Frames(2);
        if (round == 0) {
            ASSERT_EQ(App().ConsoleOpen, 1);
            Type("ab");
            Frames(3);
        }
    }
    EXPECT_EQ(App().ConsoleOpen, 0);
    EXPECT_EQ(ConsoleInputLine(), "ab");
}

TEST_F(ConsoleTest, TheConsoleStartsClosedInEveryMatch) {
    ASSERT_TRUE(Start("yard.arn"));
    OpenConsole();
    // The car keys are dead while it is open.
    Key(SDL_SCANCODE_UP, true);
    Frames(2);
    EXPECT_EQ(Car().Up, 0);
    Key(SDL_SCANCODE_UP, false);

    // The console key pressed between matches (in the menus, which do not
    // read it) does not open the console in the next one.
    EndMatchTeardown();
    Key(SDL_SCANCODE_GRAVE, true);
    Key(SDL_SCANCODE_GRAVE, false);
    sys_poll_events();
    ASSERT_TRUE(StartMatch(setup));
    Frames(2);
    EXPECT_EQ(App().ConsoleOpen, 0);
    EXPECT_FALSE(TheMatch().TheWorld->ShowFPS());
    Key(SDL_SCANCODE_UP, true);
    Frames(2);
    EXPECT_EQ(Car().Up, 1);
}

}  // namespace
