#include "app/tconfig.h"

#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "engine/text.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
using test_support::ReadFile;
using test_support::ScopedChdir;
using test_support::TempDir;
using test_support::WriteFile;

const std::string kFourSettings =
    "Screen Format = 0\r\nSound Volume = 5\r\nMusic Volume = 10\r\nGraphics Quality = 3\r\n";

// Runs `body` where file permission bits apply: in this process for an
// ordinary user; when the tests run as root, which ignores the bits, in a
// child process that has become "nobody" (65534). Returns what `body`
// returned, or nothing when root could not be given up.
std::optional<std::string> RunWithoutRoot(const std::function<std::string()>& body) {
    if (::geteuid() != 0) return body();
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipe_fds[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(77);
        const std::string result = body();
        const bool sent = ::write(pipe_fds[1], result.data(), result.size()) ==
                          static_cast<ssize_t>(result.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(pipe_fds[1]);
    std::string result;
    char buffer[256];
    ssize_t n;
    while (pid > 0 && (n = ::read(pipe_fds[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(pipe_fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return std::nullopt;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 77) return std::nullopt;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the unprivileged run failed";
    return result;
}

// Each case runs in a fresh empty folder that is the current folder, with a
// TConfig named "config" as the game makes it.
class TConfigTest : public ::testing::Test {
protected:
    TConfigTest() { config.Name = "config"; }
    // Permission tests change the folder's mode; give it back so that the
    // folder can be removed.
    ~TConfigTest() override { ::chmod(dir.path().c_str(), 0700); }

    std::string Path() const { return dir / "config.cfg"; }
    std::string TempPath() const { return dir / "config.cfg.tmp"; }
    std::string File() const { return ReadFile(Path()); }
    void Start(const std::string& text) {
        WriteFile(Path(), text);
        config.Init();
    }

    TempDir dir;
    ScopedChdir in_dir{dir.path()};
    TConfig config;
};

TEST_F(TConfigTest, FreshStartWritesTheFourSettingsInOrder) {
    config.Init();
    EXPECT_EQ(config.CR, "\r\n");
    EXPECT_EQ(config.Path(), fs::current_path().string() + "/config.cfg");
    ASSERT_TRUE(fs::is_regular_file(Path()));
    EXPECT_EQ(File(), "");

    EXPECT_EQ(config.Read("Screen Format", "0"), "0");
    EXPECT_EQ(config.Read("Sound Volume", "5"), "5");
    EXPECT_EQ(config.Read("Music Volume", "10"), "10");
    EXPECT_EQ(config.Read("Graphics Quality", "3"), "3");
    EXPECT_EQ(File(), kFourSettings);
}

TEST_F(TConfigTest, OptionsScreenAppendsOnlyTheMissingPlayerName) {
    Start(kFourSettings);
    EXPECT_EQ(File(), kFourSettings) << "Init must keep an existing file";

    EXPECT_EQ(config.Read("Player Name", "Crashmoor Newbie"), "Crashmoor Newbie");
    EXPECT_EQ(config.Read("Music Volume", "9"), "10");
    EXPECT_EQ(File(), kFourSettings + "Player Name = Crashmoor Newbie\r\n");
    EXPECT_EQ(config.Read("Player Name", "Someone Else"), "Crashmoor Newbie");
}

TEST_F(TConfigTest, FirstLineOfTheKeyWinsAndCaseMatters) {
    const std::string text = "mapdefault = 9\r\nMapDefault = 1\r\nMapDefault = 2\r\n";
    Start(text);
    EXPECT_EQ(config.Read("MapDefault", "-1"), "1");
    EXPECT_EQ(File(), text);
    EXPECT_EQ(config.Read("MAPDEFAULT", "-1"), "-1");
    EXPECT_EQ(File(), text + "MAPDEFAULT = -1\r\n");
}

TEST_F(TConfigTest, LongerKeyBelongsToItsPrefix) {
    Start("Player Names = Alice\r\n");
    // The value starts len("Player Name") + 3 = 14 characters in, which for
    // the longer key is the blank after its "=".
    EXPECT_EQ(config.Read("Player Name", "Crashmoor Newbie"), " Alice");
    EXPECT_EQ(File(), "Player Names = Alice\r\n");
    config.Write("Player Name", "Bob");
    EXPECT_EQ(File(), "Player Name = Bob\r\n");
}

TEST_F(TConfigTest, LineTooShortForTheSeparatorReadsAsEmptyText) {
    const std::string text = "Sound Volume=7\r\nMusic Volume\r\nGraphics Quality = \r\n";
    Start(text);
    const std::string sound = config.Read("Sound Volume", "5");
    EXPECT_EQ(sound, "");
    EXPECT_EQ(str_to_int(sound), 0);
    EXPECT_EQ(config.Read("Music Volume", "10"), "");
    EXPECT_EQ(config.Read("Graphics Quality", "3"), "");
    // Those lines belong to their keys, so nothing was appended.
    EXPECT_EQ(File(), text);
}

TEST_F(TConfigTest, ReadsCrLfAndLfOnlyFilesAlike) {
    for (const std::string end : {"\r\n", "\n"}) {
        SCOPED_TRACE(end == "\n" ? "LF" : "CR LF");
        const std::string text =
            "Sound Volume = 7" + end + "Player Name = Ann Lee" + end + "Music Volume = 3" + end;
        Start(text);
        EXPECT_EQ(config.Read("Sound Volume", "5"), "7");
        EXPECT_EQ(config.Read("Player Name", "Crashmoor Newbie"), "Ann Lee");
        EXPECT_EQ(config.Read("Music Volume", "10"), "3");
        EXPECT_EQ(File(), text);
    }
}

TEST_F(TConfigTest, AppendedKeyNeverGluesOntoTheLastLine) {
    struct Case {
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"Sound Volume = 7", "Sound Volume = 7\r\nMusic Volume = 10\r\n"},
        // A carriage return ending the file only needs its line feed.
        {"Sound Volume = 7\r", "Sound Volume = 7\r\nMusic Volume = 10\r\n"},
        {"Sound Volume = 7\n", "Sound Volume = 7\nMusic Volume = 10\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.before);
        Start(c.before);
        EXPECT_EQ(config.Read("Music Volume", "10"), "10");
        EXPECT_EQ(File(), c.after);
        EXPECT_EQ(config.Read("Sound Volume", "5"), "7");
        EXPECT_EQ(config.Read("Music Volume", "9"), "10");
    }
}

TEST_F(TConfigTest, WriteRewritesEveryLineOfTheKey) {
    // Two lines of the key, one of a longer key it is a prefix of, an LF-only
    // line, a blank line and an unfinished last line.
    Start("MapDefault = 1\r\nSound Volume = 5\nMapDefault = 4\r\n\r\nMapDefaults = 7");
    config.Write("MapDefault", "2");
    EXPECT_EQ(File(),
              "MapDefault = 2\r\nSound Volume = 5\r\nMapDefault = 2\r\n\r\nMapDefault = 2\r\n");
    EXPECT_EQ(config.Read("MapDefault", "-1"), "2");
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempPath())));
}

// Several keys in one rewrite give the file that writing them one by one
// gives, even where one key is the start of another or of a line that an
// earlier key rewrote or appended.
TEST_F(TConfigTest, WriteAllEqualsWritingTheKeysOneByOne) {
    const std::string start = "MapDefault = 1\r\nMapDefaults = 7\nSound Volume = 5";
    const std::vector<std::pair<std::string, std::string>> entries = {
        {"MapDefault", "2"}, {"Map", "x"},      {"Player Name", "Ann"},
        {"Player", "Bob"},   {"Sound", "loud"}, {"Player Name", "Cy"},
    };
    Start(start);
    for (const auto& [key, value] : entries) config.Write(key, value);
    const std::string one_by_one = File();
    Start(start);
    config.WriteAll(entries);
    EXPECT_EQ(File(), one_by_one);
    EXPECT_EQ(File(), "Map = x\r\nMap = x\r\nSound = loud\r\nPlayer = Bob\r\nPlayer Name = Cy\r\n");
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempPath())));
}

TEST_F(TConfigTest, WriteAppendsAKeyTheFileLacks) {
    Start(kFourSettings);
    config.Write("Player Name", "Ann");
    EXPECT_EQ(File(), kFourSettings + "Player Name = Ann\r\n");

    Start("Sound Volume = 7");
    config.Write("Music Volume", "4");
    EXPECT_EQ(File(), "Sound Volume = 7\r\nMusic Volume = 4\r\n");
}

TEST_F(TConfigTest, MissingFileGivesTheDefaultWithoutCreatingIt) {
    config.Init();
    ASSERT_TRUE(fs::remove(Path()));
    EXPECT_EQ(config.Read("Sound Volume", "5"), "5");
    EXPECT_FALSE(fs::exists(Path()));
}

TEST_F(TConfigTest, ReadOnlyFileIsReadButNeverChanged) {
    const std::string text = "Sound Volume = 7\r\n";
    Start(text);
    // The folder is writable, so only the file's own mode protects it.
    ASSERT_EQ(::chmod(Path().c_str(), 0444), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::optional<std::string> got = RunWithoutRoot([this] {
        std::string values =
            config.Read("Sound Volume", "5") + "|" + config.Read("Music Volume", "10");
        config.Write("Sound Volume", "9");
        return values;
    });
    if (!got) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*got, "7|10");
    EXPECT_EQ(File(), text);
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempPath())));
}

TEST_F(TConfigTest, UnreadableFileGivesDefaultsAndIsNotReplaced) {
    const std::string text = "Sound Volume = 7\r\n";
    Start(text);
    ASSERT_EQ(::chmod(Path().c_str(), 0), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    const std::optional<std::string> got = RunWithoutRoot([this] {
        std::string value = config.Read("Sound Volume", "5");
        config.Write("Music Volume", "3");
        return value;
    });
    ASSERT_EQ(::chmod(Path().c_str(), 0644), 0);
    if (!got) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*got, "5");
    EXPECT_EQ(File(), text);
}

TEST_F(TConfigTest, WriteIntoAnUnwritableFolderKeepsTheOldFile) {
    Start(kFourSettings);
    ASSERT_EQ(::chmod(Path().c_str(), 0666), 0);
    ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
    const std::optional<std::string> got = RunWithoutRoot([this] {
        config.Write("Sound Volume", "9");
        return config.Read("Sound Volume", "5");
    });
    if (!got) GTEST_SKIP() << "running as root and cannot become an ordinary user";
    EXPECT_EQ(*got, "5");
    EXPECT_EQ(File(), kFourSettings);
}

TEST_F(TConfigTest, WriteThatCannotOpenItsTemporaryFileKeepsTheOldFile) {
    Start(kFourSettings);
    ASSERT_TRUE(fs::create_directory(TempPath()));
    config.Write("Sound Volume", "9");
    EXPECT_EQ(File(), kFourSettings);
    EXPECT_TRUE(fs::is_directory(TempPath())) << "a folder in the way is not ours to remove";
}

TEST_F(TConfigTest, WriteOnAFullDiskKeepsTheOldFileAndRemovesTheTemporaryFile) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full to stand for a full disk";
    Start(kFourSettings);
    // Every write to /dev/full fails with "no space left on device".
    fs::create_symlink("/dev/full", TempPath());
    config.Write("Sound Volume", "9");
    EXPECT_EQ(File(), kFourSettings);
    EXPECT_FALSE(fs::exists(fs::symlink_status(TempPath())));
}

TEST_F(TConfigTest, BinaryBytesAreKeptAsTheyAre) {
    const std::string text = "\0\xff junk\r\nPlayer Name = \xc3\x28\0Ann\r\n"s;
    Start(text);
    EXPECT_EQ(config.Read("Player Name", "Crashmoor Newbie"), "\xc3\x28\0Ann"s);
    config.Write("Sound Volume", "6");
    EXPECT_EQ(File(), text + "Sound Volume = 6\r\n");
}

TEST_F(TConfigTest, TwentyMegabyteFileIsReadAndRewrittenWhole) {
    std::string block;
    for (int i = 0; block.size() < (1u << 20); ++i)
        block += "Filler" + std::to_string(i) + " = " + std::string(100, 'x') + "\r\n";
    std::string text;
    for (int i = 0; i < 20; ++i) text += block;
    text += "Music Volume = 8\r\n";
    Start(text);

    // The key is on the last line, so both calls pass over the whole file.
    EXPECT_EQ(config.Read("Music Volume", "10"), "8");
    config.Write("Music Volume", "9");
    std::string expected = text;
    expected[expected.size() - 3] = '9';
    const std::string after = File();
    // Compared as a whole; a failure reports sizes, not 20 MB of text.
    EXPECT_EQ(after.size(), expected.size());
    EXPECT_TRUE(after == expected);
}

TEST_F(TConfigTest, FourMegabyteLineWithoutLineEnd) {
    const std::string value(4u << 20, 'v');
    Start("Sound Volume = " + value);

    EXPECT_TRUE(config.Read("Sound Volume", "5") == value);
    EXPECT_EQ(config.Read("Music Volume", "10"), "10");
    const std::string appended = File();
    EXPECT_EQ(appended.size(), 15 + value.size() + 2 + 19);
    EXPECT_TRUE(appended.ends_with("v\r\nMusic Volume = 10\r\n"));
    config.Write("Sound Volume", "1");
    EXPECT_EQ(File(), "Sound Volume = 1\r\nMusic Volume = 10\r\n");
}

}  // namespace
