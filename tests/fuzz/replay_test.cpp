// Replays a fuzz target's seed corpus and every committed input that once
// crashed it. The build compiles this file once per target, naming the
// suite (REPLAY_SUITE) and the two folders (REPLAY_SEED_DIR, REPLAY_CRASH_DIR).

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/test_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// The regular files of a folder, sorted so that a failure names the same
// input on every run; the folder's README is documentation, not an input.
std::vector<fs::path> InputsIn(const fs::path& folder) {
    std::vector<fs::path> inputs;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().filename() != "README.md")
            inputs.push_back(entry.path());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

// Runs one input through the fuzz target. A broken check aborts the process
// with the reason on stderr, which fails the test; the trace names the input.
void Replay(const fs::path& input) {
    SCOPED_TRACE(input.string());
    const std::string bytes = test_support::ReadFile(input.string());
    EXPECT_EQ(bytes.size(), fs::file_size(input)) << "input not read completely";
    LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(REPLAY_SUITE, SeedCorpus) {
    const fs::path folder = REPLAY_SEED_DIR;
    ASSERT_TRUE(fs::is_directory(folder)) << folder << " is missing; the build writes it";
    const std::vector<fs::path> inputs = InputsIn(folder);
    ASSERT_GE(inputs.size(), 5u) << "the seed corpus in " << folder << " is (nearly) empty";
    for (const fs::path& input : inputs) Replay(input);
}

TEST(REPLAY_SUITE, CommittedCrashInputs) {
    const fs::path folder = REPLAY_CRASH_DIR;
    ASSERT_TRUE(fs::is_regular_file(folder / "README.md"))
        << folder << " is not the crash input folder";
    for (const fs::path& input : InputsIn(folder)) Replay(input);
}

}  // namespace
