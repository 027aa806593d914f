// Every file the game reads at a fixed path exists in the generated data
// folder and loads through the engine as the game loads it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>

#include "engine/audio.h"
#include "engine/engine.h"
#include "engine/filesystem.h"
#include "engine/font.h"
#include "engine/image.h"
#include "tests/support/test_support.h"
#include "tools/datagen/manifest.h"

namespace {

using datagen::Kind;
using datagen::kManifest;

class ManifestTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    test_support::HeadlessEngine engine;
    test_support::ScopedChdir cd{CRASHMOOR_DATA_DIR};
};

TEST_F(ManifestTest, EveryFileLoadsWithTheSizeTheGameNeeds) {
    for (const datagen::ManifestEntry& e : kManifest) {
        SCOPED_TRACE(e.path);
        switch (e.kind) {
            case Kind::kImage: {
                ImageHandle image = e.frames > 1
                                        ? img_load_anim(e.path, e.cell, e.cell, 0, e.frames, -1)
                                        : img_load(e.path, -1);
                ASSERT_TRUE(image);
                EXPECT_EQ(img_frames(image), e.frames);
                if (e.width) {
                    EXPECT_EQ(img_width(image), e.width);
                }
                if (e.height) {
                    EXPECT_EQ(img_height(image), e.height);
                }
                // Something visible in every frame.
                for (int f = 0; f < img_frames(image); ++f) {
                    Pixmap pm = img_lock(image, f, 1, 0);
                    int opaque = 0;
                    for (int y = 0; y < pm.height; ++y)
                        for (int x = 0; x < pm.width; ++x)
                            opaque += (pix_read_pixel(pm, x, y) >> 24) > 64;
                    EXPECT_GT(opaque, 0) << "frame " << f;
                }
                break;
            }
            case Kind::kSound:
                EXPECT_TRUE(snd_load(e.path, 0));
                break;
            case Kind::kFont: {
                FontHandle font = font_load(e.path, 12, kFontSmooth);
                ASSERT_TRUE(font);
                EXPECT_GT(font_height(font), 10);
                break;
            }
        }
    }
}

TEST_F(ManifestTest, TheSystemFontPathFindsAShippedFont) {
    EXPECT_EQ(font_fallback_path("C:\\windows\\fonts\\tahoma.ttf"), "fonts/tahoma.ttf");
    EXPECT_TRUE(font_load("C:\\windows\\fonts\\tahoma.ttf", 72, kFontSmooth));
}

TEST_F(ManifestTest, MusicFolderHoldsAtLeastTwoSongsThatDecode) {
    int songs = 0;
    for (const std::string& name : fs_load_dir("mp3/")) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(snd_load("mp3/" + name, kSoundStream));
        ++songs;
    }
    EXPECT_GE(songs, 2);
}

TEST(Generator, WritesTheSameBytesEveryRun) {
    test_support::TempDir dir;
    const std::string command = std::string("'") + CRASHMOOR_DATAGEN + "' '" + dir.path() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    std::size_t files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path())) {
        if (!entry.is_regular_file()) continue;
        const std::string relative = std::filesystem::relative(entry.path(), dir.path()).string();
        SCOPED_TRACE(relative);
        const std::string built = std::string(CRASHMOOR_DATA_DIR) + "/" + relative;
        ASSERT_TRUE(std::filesystem::exists(built));
        EXPECT_TRUE(test_support::ReadFile(built) == test_support::ReadFile(entry.path().string()));
        ++files;
    }
    EXPECT_GE(files, kManifest.size());
}

}  // namespace
