// The generated sound effects and songs meet what the game needs of them:
// effects are 16-bit 44.1 kHz PCM with headroom for overlapping plays, fade
// in and out without clicks and last as long as their use; the bursts fire
// the right number of shots; the songs decode, run one to two minutes in
// stereo and loop without a jump or a fade.

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
/// -1 dBFS in 16-bit samples.
constexpr int kMinusOneDb = 29204;

std::string DataPath(const std::string& relative) {
    return std::string(CRASHMOOR_DATA_DIR) + "/" + relative;
}

// ---------------------------------------------------------------------------
// WAV files.

struct Wav {
    int format = 0;  ///< 1 = integer PCM
    int channels = 0;
    int rate = 0;
    int bits = 0;
    std::vector<double> samples;  ///< first channel, in 16-bit units
    double Seconds() const { return static_cast<double>(samples.size()) / rate; }
};

std::uint32_t Le(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

/// Reads a RIFF WAVE file, walking its chunks. Fails the test on a
/// malformed file.
Wav ReadWav(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string b((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Wav wav;
    EXPECT_GE(b.size(), 44u) << path;
    if (b.size() < 44 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) {
        ADD_FAILURE() << path << " is not a RIFF WAVE file";
        return wav;
    }
    std::size_t pos = 12;
    while (pos + 8 <= b.size()) {
        const std::string id = b.substr(pos, 4);
        const std::size_t size = Le(b, pos + 4, 4);
        const std::size_t body = pos + 8;
        if (body + size > b.size()) {
            ADD_FAILURE() << path << ": chunk " << id << " runs past the end";
            return wav;
        }
        if (id == "fmt ") {
            wav.format = static_cast<int>(Le(b, body, 2));
            wav.channels = static_cast<int>(Le(b, body + 2, 2));
            wav.rate = static_cast<int>(Le(b, body + 4, 4));
            wav.bits = static_cast<int>(Le(b, body + 14, 2));
        } else if (id == "data" && wav.bits == 16 && wav.channels > 0) {
            const std::size_t frames = size / 2 / static_cast<std::size_t>(wav.channels);
            for (std::size_t i = 0; i < frames; ++i) {
                const auto raw = static_cast<std::uint16_t>(
                    Le(b, body + i * 2 * static_cast<std::size_t>(wav.channels), 2));
                wav.samples.push_back(static_cast<std::int16_t>(raw));
            }
        }
        pos = body + size + (size & 1);
    }
    return wav;
}

struct Effect {
    const char* path;
    double min_seconds;
    double max_seconds;
};

// How long each effect may last: bursts play once per burst, single shots
// restart on every shot, the explosion on every blast.
constexpr Effect kEffects[] = {
    {"SFX/machine_gun_fire.wav", 0.4, 0.6},      {"SFX/heavy_machine_gun_fire.wav", 0.45, 0.75},
    {"SFX/grenade_launcher_fire.wav", 0.3, 0.5}, {"SFX/rocket_launcher_fire.wav", 0.65, 0.95},
    {"SFX/laser_fire.wav", 0.25, 0.45},          {"SFX/explosion.wav", 1.5, 2.0},
};

double Peak(const std::vector<double>& s, std::size_t from, std::size_t to) {
    double peak = 0;
    for (std::size_t i = from; i < to && i < s.size(); ++i) peak = std::max(peak, std::fabs(s[i]));
    return peak;
}

double Rms(const std::vector<double>& s, std::size_t from, std::size_t to) {
    to = std::min(to, s.size());
    if (to <= from) return 0;
    double sum = 0;
    for (std::size_t i = from; i < to; ++i) sum += s[i] * s[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

std::size_t Ms(double ms) {
    return static_cast<std::size_t>(std::lround(ms * kRate / 1000.0));
}

/// Times (s) where the loudness envelope (5 ms blocks) rises through half
/// the peak after having fallen below a quarter of it: the shots of a burst.
std::vector<double> Onsets(const std::vector<double>& s) {
    const double peak = Peak(s, 0, s.size());
    const std::size_t block = Ms(5);
    std::vector<double> onsets;
    bool armed = true;
    for (std::size_t b = 0; b + block <= s.size(); b += block) {
        const double level = Peak(s, b, b + block) / peak;
        if (armed && level > 0.5) {
            onsets.push_back(static_cast<double>(b) / kRate);
            armed = false;
        } else if (!armed && level < 0.25) {
            armed = true;
        }
    }
    return onsets;
}

/// Energy-weighted mean frequency (Hz) of a stretch, from the ratio of the
/// slope's power to the signal's: a pure tone gives its own frequency.
double MeanFrequency(const std::vector<double>& s, std::size_t from, std::size_t to) {
    to = std::min(to, s.size());
    double slope = 0, power = 0;
    for (std::size_t i = from + 1; i < to; ++i) {
        slope += (s[i] - s[i - 1]) * (s[i] - s[i - 1]);
        power += s[i] * s[i];
    }
    if (power <= 0) return 0;
    return 2.0 * std::asin(std::min(1.0, 0.5 * std::sqrt(slope / power))) * kRate / (2.0 * M_PI);
}

TEST(SoundEffects, AreSixteenBitPcmAt44100HzAndLastAsLongAsTheirUse) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.path);
        const Wav wav = ReadWav(DataPath(e.path));
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.rate, kRate);
        EXPECT_GE(wav.channels, 1);
        EXPECT_LE(wav.channels, 2);
        EXPECT_GE(wav.Seconds(), e.min_seconds);
        EXPECT_LE(wav.Seconds(), e.max_seconds);
    }
}

TEST(SoundEffects, AreNormalisedWithOneDecibelOfHeadroom) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.path);
        const Wav wav = ReadWav(DataPath(e.path));
        ASSERT_FALSE(wav.samples.empty());
        const double peak = Peak(wav.samples, 0, wav.samples.size());
        EXPECT_LE(peak, kMinusOneDb);
        // Loud enough to stand beside the others: within 4 dB of full scale.
        EXPECT_GE(peak, 32767 * std::pow(10.0, -4.0 / 20.0));
    }
}

TEST(SoundEffects, FadeInAndOutOverAtLeastFiveMilliseconds) {
    for (const Effect& e : kEffects) {
        SCOPED_TRACE(e.path);
        const Wav wav = ReadWav(DataPath(e.path));
        const std::vector<double>& s = wav.samples;
        ASSERT_GT(s.size(), Ms(20));
        const double peak = Peak(s, 0, s.size());
        const std::size_t n = s.size();
        struct End {
            const char* name;
            std::size_t edge;  // first sample of the outermost stretch
            bool head;
        };
        for (const End& end : {End{"start", 0, true}, End{"end", n, false}}) {
            SCOPED_TRACE(end.name);
            auto span = [&](double ms, auto measure) {
                const std::size_t len = Ms(ms);
                return end.head ? measure(s, 0, len) : measure(s, n - len, n);
            };
            // The outermost samples are silent: no click when a channel
            // starts or stops.
            EXPECT_LE(span(0.1, Peak), 0.01 * 32767);
            // The level ramps up from the edge over several milliseconds.
            EXPECT_LE(span(1.0, Peak), 0.2 * peak);
            EXPECT_LE(span(2.5, Peak), 0.6 * peak);
            EXPECT_LE(span(5.0, Rms), 0.5 * peak);
        }
    }
}

TEST(SoundEffects, GunBurstsFireSeveralShotsTheHeavyGunSlowerAndDeeper) {
    const Wav light = ReadWav(DataPath("SFX/machine_gun_fire.wav"));
    const Wav heavy = ReadWav(DataPath("SFX/heavy_machine_gun_fire.wav"));
    ASSERT_FALSE(light.samples.empty());
    ASSERT_FALSE(heavy.samples.empty());
    const std::vector<double> light_shots = Onsets(light.samples);
    const std::vector<double> heavy_shots = Onsets(heavy.samples);
    EXPECT_GE(light_shots.size(), 4u);
    EXPECT_LE(light_shots.size(), 6u);
    EXPECT_GE(heavy_shots.size(), 3u);
    EXPECT_LE(heavy_shots.size(), 6u);
    ASSERT_GE(light_shots.size(), 2u);
    ASSERT_GE(heavy_shots.size(), 2u);
    auto cadence = [](const std::vector<double>& t) {
        return (t.back() - t.front()) / static_cast<double>(t.size() - 1);
    };
    // Rapid fire, but shots still apart: 50 to 200 ms between them.
    EXPECT_GT(cadence(light_shots), 0.05);
    EXPECT_LT(cadence(heavy_shots), 0.2);
    EXPECT_GT(cadence(heavy_shots), cadence(light_shots) * 1.2);
    EXPECT_LT(MeanFrequency(heavy.samples, 0, heavy.samples.size()),
              MeanFrequency(light.samples, 0, light.samples.size()) * 0.8);
}

TEST(SoundEffects, PhaseCannonPitchFallsAndExplosionDecaysIntoARumble) {
    const Wav laser = ReadWav(DataPath("SFX/laser_fire.wav"));
    ASSERT_GT(laser.samples.size(), Ms(250));
    EXPECT_GT(MeanFrequency(laser.samples, Ms(10), Ms(50)),
              2.0 * MeanFrequency(laser.samples, Ms(150), Ms(250)));

    const Wav boom = ReadWav(DataPath("SFX/explosion.wav"));
    ASSERT_GT(boom.samples.size(), Ms(1400));
    const double blast = Rms(boom.samples, 0, Ms(200));
    const double middle = Rms(boom.samples, Ms(400), Ms(700));
    const double tail = Rms(boom.samples, Ms(1000), Ms(1300));
    EXPECT_GT(blast, 2.0 * middle);
    EXPECT_GT(middle, 1.5 * tail);
    // The rumble is still audible a second after the blast.
    EXPECT_GT(tail, 0.01 * blast);
}

// ---------------------------------------------------------------------------
// Songs.

struct Song {
    bool ok = false;
    int channels = 0;
    long rate = 0;
    std::vector<std::vector<float>> pcm;  ///< per channel, -1..1
    std::map<std::string, std::string> tags;
    double Seconds() const {
        return pcm.empty() ? 0.0 : static_cast<double>(pcm[0].size()) / static_cast<double>(rate);
    }
};

/// Decodes a song once; later tests reuse it.
const Song& Decode(const std::string& path) {
    static std::map<std::string, Song> songs;
    auto found = songs.find(path);
    if (found != songs.end()) return found->second;
    Song& song = songs[path];
    OggVorbis_File vf;
    if (ov_fopen(path.c_str(), &vf) != 0) return song;
    const vorbis_info* info = ov_info(&vf, -1);
    song.channels = info->channels;
    song.rate = info->rate;
    song.pcm.resize(static_cast<std::size_t>(song.channels));
    if (const vorbis_comment* vc = ov_comment(&vf, -1)) {
        for (int i = 0; i < vc->comments; ++i) {
            const std::string entry(vc->user_comments[i],
                                    static_cast<std::size_t>(vc->comment_lengths[i]));
            const std::size_t eq = entry.find('=');
            if (eq != std::string::npos) song.tags[entry.substr(0, eq)] = entry.substr(eq + 1);
        }
    }
    float** pcm = nullptr;
    int section = 0;
    long got = 0;
    while ((got = ov_read_float(&vf, &pcm, 4096, &section)) > 0)
        for (int c = 0; c < song.channels; ++c)
            song.pcm[static_cast<std::size_t>(c)].insert(
                song.pcm[static_cast<std::size_t>(c)].end(), pcm[c], pcm[c] + got);
    song.ok = got == 0;
    ov_clear(&vf);
    return song;
}

std::vector<std::string> SongPaths() {
    std::vector<std::string> paths;
    const std::filesystem::path folder = DataPath("mp3");
    if (!std::filesystem::is_directory(folder)) return paths;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.path().extension() == ".ogg") paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

TEST(Songs, AtLeastTwoDecodeAsStereoOfOneToTwoMinutes) {
    const std::vector<std::string> paths = SongPaths();
    EXPECT_GE(paths.size(), 2u);
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const Song& song = Decode(path);
        ASSERT_TRUE(song.ok);
        EXPECT_EQ(song.channels, 2);
        EXPECT_EQ(song.rate, kRate);
        EXPECT_GE(song.Seconds(), 60.0);
        EXPECT_LE(song.Seconds(), 120.0);
        for (const std::vector<float>& channel : song.pcm) {
            float peak = 0;
            for (float v : channel) peak = std::max(peak, std::fabs(v));
            // Loud enough to hear, and no clipping when played as 16-bit.
            EXPECT_GT(peak, 0.5f);
            EXPECT_LT(peak, 1.0f);
        }
    }
}

TEST(Songs, LastSampleJoinsTheFirstWithoutAJumpOrAFade) {
    for (const std::string& path : SongPaths()) {
        SCOPED_TRACE(path);
        const Song& song = Decode(path);
        ASSERT_TRUE(song.ok);
        for (const std::vector<float>& x : song.pcm) {
            ASSERT_GT(x.size(), static_cast<std::size_t>(kRate));
            std::vector<float> steps(x.size() - 1);
            for (std::size_t i = 0; i + 1 < x.size(); ++i) steps[i] = std::fabs(x[i + 1] - x[i]);
            std::nth_element(steps.begin(), steps.begin() + static_cast<long>(steps.size() / 2),
                             steps.end());
            const float median = steps[steps.size() / 2];
            ASSERT_GT(median, 0.0f);
            // Looping plays the first sample right after the last.
            EXPECT_LT(std::fabs(x.front() - x.back()), 6.0f * median);

            double total = 0;
            for (float v : x) total += static_cast<double>(v) * v;
            const double rms = std::sqrt(total / static_cast<double>(x.size()));
            auto window_rms = [&x](std::size_t from) {
                double sum = 0;
                for (std::size_t i = from; i < from + Ms(50); ++i)
                    sum += static_cast<double>(x[i]) * x[i];
                return std::sqrt(sum / static_cast<double>(Ms(50)));
            };
            const double head = window_rms(0);
            const double tail = window_rms(x.size() - Ms(50));
            // Neither end fades to silence, and the two sound alike.
            EXPECT_GT(head, 0.5 * rms);
            EXPECT_GT(tail, 0.5 * rms);
            EXPECT_LT(std::max(head, tail), 2.0 * std::min(head, tail));
        }
    }
}

TEST(Songs, LoopTagsSpanTheWholeSong) {
    for (const std::string& path : SongPaths()) {
        SCOPED_TRACE(path);
        const Song& song = Decode(path);
        ASSERT_TRUE(song.ok);
        ASSERT_TRUE(song.tags.count("LOOPSTART"));
        ASSERT_TRUE(song.tags.count("LOOPLENGTH"));
        EXPECT_EQ(song.tags.at("LOOPSTART"), "0");
        EXPECT_EQ(song.tags.at("LOOPLENGTH"), std::to_string(song.pcm[0].size()));
    }
}

}  // namespace
