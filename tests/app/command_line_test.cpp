// The quick-match options of the command line.

#include "app/command_line.h"

#include <gtest/gtest.h>

#include <array>

namespace {

CommandLine Parse(std::vector<std::string> args) {
    return ParseCommandLine(args);
}

TEST(CommandLine, ComputerDriversFillTheSlotsInOrder) {
    const CommandLine cl =
        Parse({"--match", "yard.arn", "--ai", "offensive:2", "--ai", "1", "--ai", "moderate:5"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.match.AIStyle, (std::array<int, 5>{3, 1, 2, 0, 0}));
    EXPECT_EQ(cl.match.AITeam, (std::array<int, 5>{2, 5, 5, 5, 5}));
    EXPECT_FALSE(cl.match.Spectate);
    EXPECT_FALSE(cl.demo);
}

TEST(CommandLine, BadComputerDriversAreRefused) {
    for (const char* bad : {"hard", "4", "0", "weakling:0", "weakling:6", "moderate:", "2:x", ""}) {
        EXPECT_FALSE(Parse({"--match", "yard.arn", "--ai", bad}).error.empty()) << bad;
    }
    std::vector<std::string> six = {"--match", "yard.arn"};
    for (int i = 0; i < 6; ++i) {
        six.push_back("--ai");
        six.push_back("weakling");
    }
    EXPECT_NE(Parse(six).error.find("at most five"), std::string::npos);
    EXPECT_FALSE(Parse({"--ai", "weakling"}).error.empty()) << "needs a quick match";
    EXPECT_FALSE(Parse({"--match", "yard.arn", "--spectate"}).error.empty()) << "nobody to watch";
    EXPECT_FALSE(Parse({"--match", "yard.arn", "--ai"}).error.empty());
}

TEST(CommandLine, SpectatorMatchesHaveNoHumanDriver) {
    const CommandLine cl = Parse({"--match", "dust.arn", "--ai", "3", "--ai", "3", "--spectate"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_TRUE(cl.quick_match);
    EXPECT_TRUE(cl.match.Spectate);
}

TEST(CommandLine, TheDemoIsFiveMixedDriversAndTheAutopilot) {
    CommandLine cl = Parse({"--demo"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_TRUE(cl.quick_match);
    EXPECT_TRUE(cl.match.Autopilot);
    EXPECT_EQ(cl.match.Arena, kDemoArena);
    int styles[4] = {};
    for (int s : cl.match.AIStyle) ++styles[s];
    EXPECT_EQ(styles[0], 0) << "all five slots are filled";
    EXPECT_GT(styles[1], 0);
    EXPECT_GT(styles[2], 0);
    EXPECT_GT(styles[3], 0);

    cl = Parse({"--demo", "--match", "frost.arn", "--spectate", "--ai", "1"});
    ASSERT_TRUE(cl.error.empty()) << cl.error;
    EXPECT_EQ(cl.match.Arena, "frost.arn");
    EXPECT_FALSE(cl.match.Spectate) << "the demo always has its autopilot car";
}

}  // namespace
