// Sounds and channels on the silent dummy device and without any device.

#include <gtest/gtest.h>

#include <memory>

#include "engine/audio.h"
#include "engine/engine.h"
#include "tests/support/test_support.h"

namespace {

using test_support::TempDir;

std::unique_ptr<Engine> StartAudio(bool play) {
    EngineOptions options;
    options.video = false;
    options.audio = play;
    return std::make_unique<Engine>(options);
}

TEST(Audio, WithoutADeviceSoundsLoadButNeverPlay) {
    TempDir dir;
    test_support::WriteWav(dir / "beep.wav", 0.2);
    auto engine = StartAudio(false);
    ASSERT_TRUE(engine->ok());
    EXPECT_EQ(snd_available(), 0);
    SoundHandle sound = snd_load(dir / "beep.wav", 0);
    ASSERT_TRUE(sound) << "decoding works without a device";
    ChannelHandle channel = snd_play(sound, nullptr);
    ASSERT_TRUE(channel);
    EXPECT_EQ(chan_playing(channel), 0);
    chan_set_volume(channel, 0.3);
    chan_set_pan(channel, -1);
    chan_pause(channel);
    chan_resume(channel);
    chan_stop(channel);
    EXPECT_DOUBLE_EQ(chan_get_volume(channel), 0.3);
}

TEST(Audio, MissingAndUndecodableFilesGiveNull) {
    TempDir dir;
    test_support::WriteFile(dir / "junk.wav", "RIFF....WAVEjunk");
    auto engine = StartAudio(false);
    EXPECT_FALSE(snd_load(dir / "none.wav", 0));
    EXPECT_FALSE(snd_load(dir / "junk.wav", 0));
    EXPECT_FALSE(snd_load(dir / "junk.wav", kSoundStream));
    EXPECT_FALSE(snd_load(dir.path(), 0)) << "a folder is not a sound";
    EXPECT_FALSE(snd_play(nullptr, nullptr));
    EXPECT_EQ(chan_playing(nullptr), 0);
}

class AudibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        test_support::WriteWav(dir / "beep.wav", 2.0);
        engine = StartAudio(true);
        ASSERT_TRUE(engine->ok());
        if (!snd_available()) GTEST_SKIP() << "no audio device, not even the dummy one";
    }
    TempDir dir;
    std::unique_ptr<Engine> engine;
};

TEST_F(AudibleTest, ChannelsPlayStopAndKeepTheirVolume) {
    SoundHandle sound = snd_load(dir / "beep.wav", 0);
    ChannelHandle reserved = chan_alloc();
    chan_set_volume(reserved, 2.0);
    EXPECT_DOUBLE_EQ(chan_get_volume(reserved), 1.0) << "volumes clamp to 0..1";
    chan_set_volume(reserved, 0.25);
    EXPECT_EQ(snd_play(sound, reserved), reserved);
    EXPECT_EQ(chan_playing(reserved), 1);
    EXPECT_DOUBLE_EQ(chan_get_volume(reserved), 0.25);
    chan_stop(reserved);
    EXPECT_EQ(chan_playing(reserved), 0);

    // Sounds played without a channel never take a reserved one.
    snd_play(sound, reserved);
    ChannelHandle free_channel = snd_play(sound, nullptr);
    ASSERT_TRUE(free_channel);
    EXPECT_NE(free_channel, reserved);
    EXPECT_EQ(chan_playing(reserved), 1);
    EXPECT_EQ(chan_playing(free_channel), 1);
}

TEST_F(AudibleTest, StreamedSongsPlayOnTheirOwnChannel) {
    SoundHandle song = snd_load(dir / "beep.wav", kSoundStream);
    ASSERT_TRUE(song);
    ChannelHandle music = chan_alloc();
    music = snd_play(song, music);
    EXPECT_EQ(chan_playing(music), 1);
    chan_stop(music);
    EXPECT_EQ(chan_playing(music), 0);
}

}  // namespace
