// The installed game: `cmake --install` of this build into a temporary
// prefix, checked for the layout a Linux desktop expects, and the installed
// program started the way a user starts it, from any folder, keeping its
// files in the user's folders.

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_support.h"
#include "tools/datagen/manifest.h"

namespace {

namespace fs = std::filesystem;
using test_support::ReadFile;
using test_support::RunCommand;
using test_support::TempDir;

const std::string kAppId = CRASHMOOR_APP_ID;

// Installs this build under `prefix`; the installer's output on failure.
::testing::AssertionResult Install(const std::string& prefix) {
    std::string output;
    const int status = RunCommand(
        "'" CRASHMOOR_CMAKE "' --install '" CRASHMOOR_BUILD_DIR "' --prefix '" + prefix + "'",
        &output);
    if (status == 0) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "cmake --install failed:\n" << output;
}

// The names in a folder.
std::set<std::string> Entries(const std::string& folder) {
    std::set<std::string> names;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(folder, ec)) names.insert(e.path().filename());
    return names;
}

// Every file under `root` with its size and time of last change, by path
// relative to `root`.
std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> Snapshot(
    const std::string& root) {
    std::map<std::string, std::pair<std::uintmax_t, fs::file_time_type>> files;
    for (const auto& e : fs::recursive_directory_iterator(root)) {
        if (!e.is_regular_file()) continue;
        files[fs::relative(e.path(), root)] = {e.file_size(), e.last_write_time()};
    }
    return files;
}

// Whether a manual page names the option --`name` (written with roff's
// minus signs, \-\-name, and not as the start of a longer name).
bool Documents(const std::string& manual, const std::string& name) {
    std::string roff = "\\-\\-";
    for (char c : name) roff += c == '-' ? std::string("\\-") : std::string(1, c);
    for (std::size_t at = manual.find(roff); at != std::string::npos;
         at = manual.find(roff, at + 1)) {
        const char next = at + roff.size() < manual.size() ? manual[at + roff.size()] : ' ';
        if (next != '\\' && !(next >= 'a' && next <= 'z')) return true;
    }
    return false;
}

bool HaveTool(const std::string& name) {
    return RunCommand("command -v '" + name + "'") == 0;
}

// The lines of a text.
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

// Runs a validator on a file: it must pass without errors or warnings
// (notes and hints may remain).
void ExpectValid(const std::string& command, const std::string& file) {
    std::string output;
    const int status = RunCommand(command + " '" + file + "'", &output);
    EXPECT_EQ(status, 0) << command << ":\n" << output;
    for (const std::string& line : Lines(output)) {
        const bool complaint = line.starts_with("E:") || line.starts_with("W:") ||
                               line.find("error:") != std::string::npos ||
                               line.find("warning:") != std::string::npos;
        EXPECT_FALSE(complaint) << command << ": " << line;
    }
}

// The long options a help text names, "--data" giving "data".
std::set<std::string> LongOptions(const std::string& help) {
    std::set<std::string> names;
    for (std::size_t at = help.find("--"); at != std::string::npos; at = help.find("--", at + 2)) {
        std::size_t end = at + 2;
        while (end < help.size() && ((help[end] >= 'a' && help[end] <= 'z') || help[end] == '-'))
            ++end;
        if (end > at + 2) names.insert(help.substr(at + 2, end - at - 2));
    }
    return names;
}

TEST(Install, PutsTheProgramItsDataAndItsDesktopFilesWhereLinuxLooks) {
    TempDir dir;
    const std::string prefix = dir / "prefix";
    ASSERT_TRUE(Install(prefix));

    // The program and nothing else: no tests, benchmarks or tools.
    EXPECT_EQ(Entries(prefix), (std::set<std::string>{"bin", "share"}));
    EXPECT_EQ(Entries(prefix + "/bin"), std::set<std::string>{"crashmoor"});
    EXPECT_EQ(Entries(prefix + "/share"),
              (std::set<std::string>{"crashmoor", "applications", "icons", "metainfo", "man"}));
    EXPECT_EQ(fs::status(prefix + "/bin/crashmoor").permissions() & fs::perms::owner_exec,
              fs::perms::owner_exec);

    // The data: every file the game reads at a fixed path, the arenas and
    // the music, and none of the files a run in the build folder leaves.
    const std::string data = prefix + "/share/crashmoor";
    for (const datagen::ManifestEntry& e : datagen::kManifest) {
        EXPECT_TRUE(fs::is_regular_file(data + "/" + e.path)) << e.path;
    }
    for (const char* arena : {"yard", "dust", "frost", "metro"}) {
        EXPECT_TRUE(fs::is_regular_file(data + "/Arenas/" + arena + ".arn")) << arena;
        EXPECT_TRUE(fs::is_regular_file(data + "/Arenas/" + arena + ".FMP")) << arena;
    }
    EXPECT_GE(Entries(data + "/mp3").size(), 2u);
    for (const auto& [path, stat] : Snapshot(data)) {
        const std::string name = fs::path(path).filename();
        const bool left_by_a_run = name == "config.cfg" || name == "debug_console_report.txt" ||
                                   name.ends_with(".tmp") || name.ends_with(".cmr");
        EXPECT_FALSE(left_by_a_run) << path;
    }

    // The desktop's menu entry, its icon and the software centre's page, all
    // named by the application id.
    const std::string desktop = ReadFile(prefix + "/share/applications/" + kAppId + ".desktop");
    EXPECT_NE(desktop.find("\nExec=crashmoor\n"), std::string::npos) << desktop;
    EXPECT_NE(desktop.find("\nIcon=" + kAppId + "\n"), std::string::npos) << desktop;
    std::string categories;
    for (const std::string& line : Lines(desktop))
        if (line.starts_with("Categories=")) categories = ";" + line.substr(11);
    EXPECT_NE(categories.find(";Game;"), std::string::npos) << desktop;
    EXPECT_NE(categories.find(";ActionGame;"), std::string::npos) << desktop;
    const std::string icon = prefix + "/share/icons/hicolor/256x256/apps/" + kAppId + ".png";
    SDL_Surface* picture = IMG_Load(icon.c_str());
    ASSERT_NE(picture, nullptr) << icon << ": " << IMG_GetError();
    EXPECT_EQ(picture->w, 256);
    EXPECT_EQ(picture->h, 256);
    SDL_FreeSurface(picture);
    const std::string metainfo = prefix + "/share/metainfo/" + kAppId + ".metainfo.xml";
    const std::string meta = ReadFile(metainfo);
    EXPECT_NE(meta.find("<id>" + kAppId + "</id>"), std::string::npos) << meta;
    EXPECT_NE(meta.find("<launchable type=\"desktop-id\">" + kAppId + ".desktop</launchable>"),
              std::string::npos)
        << meta;

    // The manual page documents every option the program knows.
    const std::string manual = ReadFile(prefix + "/share/man/man6/crashmoor.6");
    EXPECT_NE(manual.find(".TH CRASHMOOR 6 "), std::string::npos);
    std::string help;
    ASSERT_EQ(RunCommand("'" + prefix + "/bin/crashmoor' --help", &help), 0) << help;
    const std::set<std::string> options = LongOptions(help);
    for (const std::string& name : options) {
        EXPECT_TRUE(Documents(manual, name)) << "--" << name << " is not in the manual page";
    }
    EXPECT_GT(options.size(), 20u) << help;

    // The desktop's own validators, where this machine has them.
    std::vector<std::string> missing;
    if (HaveTool("desktop-file-validate")) {
        ExpectValid("desktop-file-validate", prefix + "/share/applications/" + kAppId + ".desktop");
    } else {
        missing.push_back("desktop-file-validate (desktop-file-utils)");
    }
    if (HaveTool("appstreamcli")) {
        ExpectValid("appstreamcli validate --no-net", metainfo);
    } else {
        missing.push_back("appstreamcli (appstream)");
    }
    if (!missing.empty()) {
        std::string names;
        for (const std::string& m : missing) names += " " + m;
        GTEST_SKIP() << "the layout is right; not validated, these tools are missing:" << names
                     << " (tools/packages.sh installs them)";
    }
}

// The contract of an installed game: started from any folder without
// --data, it finds its data beside its program, reads and writes its
// settings, log and replays in the XDG folders, and leaves its data and the
// folder it was started from as they were.
TEST(Install, InstalledGamePlaysFromAnyFolderAndKeepsItsFilesPerUser) {
    TempDir dir;
    const std::string prefix = dir / "prefix";
    ASSERT_TRUE(Install(prefix));
    const std::string data = prefix + "/share/crashmoor";
    const auto data_before = Snapshot(data);
    const std::string work = dir / "work", home = dir / "home";
    const std::string config = dir / "config", state = dir / "state", user_data = dir / "data";
    for (const std::string& folder : {work, home}) fs::create_directories(folder);

    std::string output;
    const int status = RunCommand("cd '" + work + "' && HOME='" + home + "' XDG_CONFIG_HOME='" +
                                      config + "' XDG_STATE_HOME='" + state + "' XDG_DATA_HOME='" +
                                      user_data + "' '" + prefix +
                                      "/bin/crashmoor' --no-video --match yard.arn --time-limit 1 "
                                      "--frames 60",
                                  &output);
    EXPECT_EQ(status, 0) << output;

    const std::string settings = ReadFile(config + "/crashmoor/config.cfg");
    EXPECT_NE(settings.find("Sound Volume = "), std::string::npos)
        << "no settings in " << config << "/crashmoor/config.cfg";
    const std::string report = ReadFile(state + "/crashmoor/debug_console_report.txt");
    EXPECT_NE(report.find("Player added to scene"), std::string::npos)
        << "the match on the installed arena is not in " << state
        << "/crashmoor/debug_console_report.txt:\n"
        << report;
    EXPECT_EQ(Snapshot(data), data_before) << "the game wrote into its installed data";
    EXPECT_TRUE(Entries(work).empty())
        << "the game wrote into the folder it was started from: " << *Entries(work).begin();
}

}  // namespace
