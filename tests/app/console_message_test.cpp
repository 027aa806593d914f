#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/console_message.h"
#include "engine/stream.h"
#include "tests/support/test_support.h"

namespace {

using test_support::ReadFile;
using test_support::TempDir;

class ConsoleMessageTest : public ::testing::Test {
protected:
    void SetUp() override { ResetAppState(); }
    void TearDown() override { ResetAppState(); }
    TempDir dir;
};

TEST_F(ConsoleMessageTest, KeepsTheLastSevenLinesAndReportsAll) {
    const std::string report = dir / "debug_console_report.txt";
    App().ReportFile = stream_open_write(report);
    for (int i = 1; i <= 10; ++i) ConsoleMessage::Create("line " + std::to_string(i), 1 + i % 4);
    ASSERT_TRUE(ConsoleMessage::List);
    ASSERT_EQ(ConsoleMessage::List->size(), 7u);
    EXPECT_EQ(ConsoleMessage::List->front()->Text, "line 4");
    EXPECT_EQ(ConsoleMessage::List->back()->Text, "line 10");
    EXPECT_EQ(ConsoleMessage::List->back()->Color, 1 + 10 % 4);
    EXPECT_EQ(ConsoleMessage::MessageCount, 10);
    // Every line is on disk before the file is closed.
    std::string expected;
    for (int i = 1; i <= 10; ++i) expected += "line " + std::to_string(i) + "\r\n";
    EXPECT_EQ(ReadFile(report), expected);
}

TEST_F(ConsoleMessageTest, ListHoldsSevenFromTheEighthMessageOn) {
    for (int i = 1; i <= 7; ++i) ConsoleMessage::Create("m", 1);
    EXPECT_EQ(ConsoleMessage::List->size(), 7u);
    ConsoleMessage::Create("eighth", 1);
    EXPECT_EQ(ConsoleMessage::List->size(), 7u);
    EXPECT_EQ(ConsoleMessage::List->back()->Text, "eighth");
}

TEST_F(ConsoleMessageTest, WithoutAReportFileLinesAreStillKept) {
    App().ReportFile = stream_open_write(dir / "no-such-folder/report.txt");
    EXPECT_FALSE(App().ReportFile);
    ConsoleMessage::Create("kept", 3);
    ASSERT_TRUE(ConsoleMessage::List);
    EXPECT_EQ(ConsoleMessage::List->back()->Text, "kept");
}

TEST_F(ConsoleMessageTest, TimeStampHasTheGameForm) {
    const std::string line = TimeStamped("Playing song 'a.ogg'");
    ASSERT_EQ(line.size(), std::string("[00:00:00] Playing song 'a.ogg'").size());
    EXPECT_EQ(line[0], '[');
    EXPECT_EQ(line[3], ':');
    EXPECT_EQ(line[6], ':');
    EXPECT_EQ(line.substr(9), "] Playing song 'a.ogg'");
}

}  // namespace
