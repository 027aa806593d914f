// Music: looping songs composed in code. Each song is written bar by bar
// into buses exactly one loop long; every note and drum hit that rings past
// the end wraps around to the start, and the effects (reverb, echo, the
// master compressor) first run over the loop's last seconds to fill their
// memory and then over the whole loop, so the last sample joins the first
// as if the song had kept playing. The mix is encoded as Ogg Vorbis with
// fixed settings.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tools/datagen/generator.h"
#include "tools/datagen/ogg_writer.h"
#include "tools/datagen/synth.h"

namespace datagen {

namespace {

using synth::Adsr;
using synth::kPi;
using synth::kRate;
using synth::MidiHz;
using synth::Mono;
using synth::Noise;
using synth::Oscillator;
using synth::Ramp;
using synth::Samples;
using synth::SoftClip;
using synth::Stereo;
using synth::Svf;

using Wave = Oscillator::Wave;

double Seconds(std::size_t i) {
    return static_cast<double>(i) / kRate;
}

// ---------------------------------------------------------------------------
// Time.

/// Bars of sixteen sixteenth-note steps at a tempo, with optional swing
/// (odd sixteenths pushed late by a fraction of a step).
class Grid {
public:
    Grid(double bpm, int bars, double swing = 0.0)
        : step_(60.0 / bpm / 4.0), bars_(bars), swing_(swing) {}
    double step() const { return step_; }
    int bars() const { return bars_; }
    std::size_t length() const { return Samples(bars_ * 16 * step_); }
    /// Sample position of `step` sixteenths into `bar`.
    std::size_t At(int bar, double step) const {
        double pos = bar * 16.0 + step;
        const double whole = std::floor(pos);
        if (static_cast<long>(whole) % 2 == 1 && pos - whole < 1e-6) pos += swing_;
        return Samples(pos * step_);
    }
    double Seconds(double steps) const { return steps * step_; }

private:
    double step_;
    int bars_;
    double swing_;
};

// ---------------------------------------------------------------------------
// Instruments. Each renders one note into a fresh buffer that includes its
// release tail.

struct BassPatch {
    double saw = 1.0, square = 0.0, sub = 0.5;  ///< oscillator mix
    double cutoff = 500, env = 1600, env_decay = 0.09, q = 1.0;
    double drive = 1.8;
    double release = 0.03;
};

Mono Bass(const BassPatch& p, double midi, double length, double accent, double cutoff_scale) {
    Mono out(Samples(length + p.release * 4 + 0.005));
    Oscillator saw(Wave::kSaw), square(Wave::kSquare), sub(Wave::kSine);
    Svf filter;
    const double hz = MidiHz(midi);
    const float norm = SoftClip(static_cast<float>(p.drive));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        if (i % 8 == 0)
            filter.Set((p.cutoff + p.env * accent * std::exp(-t / p.env_decay)) * cutoff_scale,
                       p.q);
        const double x = saw.Next(hz) * p.saw + square.Next(hz) * p.square;
        const double y = filter.Low(static_cast<float>(x)) + sub.Next(hz) * p.sub;
        const double amp = Adsr(t, length, 0.003, 0.25, 0.75, p.release);
        out[i] = SoftClip(static_cast<float>(y * p.drive)) / norm * static_cast<float>(amp);
    }
    synth::FadeEdges(out, 0, 0.004);
    return out;
}

struct LeadPatch {
    Wave wave = Wave::kSaw;
    double detune_cents = 9;   ///< the two main oscillators, spread apart
    double octave_down = 0.3;  ///< a square an octave below for body
    double cutoff = 2400, env = 2600, env_decay = 0.22, q = 1.1;
    double drive = 2.0;
    double vibrato = 0.16;  ///< semitones
    double scoop = 0.7;     ///< semitones the note bends up from
    double attack = 0.006, release = 0.12;
};

Mono Lead(const LeadPatch& p, double midi, double length) {
    Mono out(Samples(length + p.release * 4 + 0.005));
    Oscillator a(p.wave, 0.0), b(p.wave, 0.37), low(Wave::kSquare, 0.11);
    Svf filter;
    const double spread = std::exp2(p.detune_cents / 1200.0);
    const float norm = SoftClip(static_cast<float>(p.drive));
    double hz = 0, width = 0.5;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        if (i % 8 == 0) {
            // Bend into the note, then a vibrato that fades in on long notes.
            const double bend = -p.scoop * std::exp(-t / 0.018) +
                                p.vibrato * Ramp(t - 0.14, 0.25) * std::sin(2 * kPi * 5.6 * t);
            hz = MidiHz(midi + bend);
            width = 0.5 + 0.18 * std::sin(2 * kPi * 0.9 * t);
            filter.Set(p.cutoff + p.env * std::exp(-t / p.env_decay), p.q);
        }
        const double x = (a.Next(hz * spread, width) + b.Next(hz / spread, width)) * 0.5 +
                         low.Next(hz * 0.5, 0.5) * p.octave_down;
        const double y = filter.Low(static_cast<float>(x));
        const double amp = Adsr(t, length, p.attack, 0.3, 0.8, p.release);
        out[i] = SoftClip(static_cast<float>(y * p.drive)) / norm * static_cast<float>(amp);
    }
    synth::FadeEdges(out, 0, 0.004);
    return out;
}

/// A soft chord voice: three detuned saws under a low-pass.
Mono Pad(double midi, double length, double cutoff, double attack, double release,
         std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(length + release * 4 + 0.005));
    static constexpr double kCents[3] = {-11, 0, 12};
    Oscillator oscs[3] = {Oscillator(Wave::kSaw, noise.Uniform(0, 1)),
                          Oscillator(Wave::kSaw, noise.Uniform(0, 1)),
                          Oscillator(Wave::kSaw, noise.Uniform(0, 1))};
    Svf filter;
    filter.Set(cutoff, 0.8);
    double hz[3];
    for (int k = 0; k < 3; ++k) hz[k] = MidiHz(midi + kCents[k] / 100.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        double x = 0;
        for (int k = 0; k < 3; ++k) x += oscs[k].Next(hz[k]);
        const double amp = Adsr(t, length, attack, 0.6, 0.7, release);
        out[i] = filter.Low(static_cast<float>(x / 3.0)) * static_cast<float>(amp);
    }
    synth::FadeEdges(out, 0, 0.004);
    return out;
}

/// A short plucked note for arpeggios.
Mono Pluck(double midi, double length, double brightness) {
    Mono out(Samples(length + 0.3));
    Oscillator osc(Wave::kSquare), saw(Wave::kSaw, 0.5);
    Svf filter;
    const double hz = MidiHz(midi);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        if (i % 8 == 0) filter.Set(500 + brightness * std::exp(-t / 0.07), 1.4);
        const double x = osc.Next(hz, 0.3) * 0.6 + saw.Next(hz * 1.003) * 0.4;
        const double amp = Ramp(t, 0.002) * std::exp(-t / 0.16) *
                           (t < length ? 1.0 : std::exp(-(t - length) / 0.05));
        out[i] = filter.Low(static_cast<float>(x)) * static_cast<float>(amp);
    }
    synth::FadeEdges(out, 0, 0.004);
    return out;
}

/// A distorted power chord (root, fifth, octave): palm-muted chugs or
/// ringing chords.
Mono PowerChord(double root, double length, bool palm, double detune, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(length + (palm ? 0.06 : 0.4)));
    static constexpr double kIntervals[3] = {0, 7, 12};
    Oscillator oscs[3] = {Oscillator(Wave::kSaw, noise.Uniform(0, 1)),
                          Oscillator(Wave::kSaw, noise.Uniform(0, 1)),
                          Oscillator(Wave::kSaw, noise.Uniform(0, 1))};
    Svf tone, body, low_cut;
    tone.Set(palm ? 1500 : 2600, 0.9);
    body.Set(700, 0.8);
    low_cut.Set(95, 0.7);
    double hz[3];
    for (int k = 0; k < 3; ++k) hz[k] = MidiHz(root + kIntervals[k] + detune * (k - 1));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        double x = 0;
        for (int k = 0; k < 3; ++k) x += oscs[k].Next(hz[k]);
        // Heavy clipping for the amplifier's grind, then the cabinet's tone.
        double y = SoftClip(static_cast<float>(x * 2.2));
        y = tone.Low(static_cast<float>(y)) + body.Band(static_cast<float>(y)) * 0.4;
        y = low_cut.High(static_cast<float>(y));
        const double amp = palm ? Ramp(t, 0.002) * std::exp(-t / 0.075) *
                                      (t < length ? 1.0 : std::exp(-(t - length) / 0.01))
                                : Adsr(t, length, 0.004, 0.4, 0.75, 0.07);
        out[i] = static_cast<float>(y * amp);
    }
    synth::FadeEdges(out, 0, 0.004);
    return out;
}

/// A rising noise sweep over `length` seconds that builds into a section.
Mono Riser(double length, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(length + 0.05));
    Svf band;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        const double u = std::min(1.0, t / length);
        if (i % 16 == 0) band.Set(300 * std::exp2(u * 4.5), 2.0);
        out[i] = band.Band(noise.White()) * static_cast<float>(u * u * (t < length ? 1.0 : 0.0));
    }
    synth::FadeEdges(out, 0.01, 0.02);
    return out;
}

/// Renders each distinct note once: a song plays the same notes many times
/// over, and a synthesiser plays them identically anyway.
class VoiceCache {
public:
    template <typename Fn>
    const Mono& Get(const std::vector<double>& key, Fn render) {
        auto it = voices_.find(key);
        if (it == voices_.end()) it = voices_.emplace(key, render()).first;
        return it->second;
    }

private:
    std::map<std::vector<double>, Mono> voices_;
};

// ---------------------------------------------------------------------------
// Scores.

/// MIDI note of a name such as "E5", "F#4" or "Bb3".
int NoteNumber(const std::string& name) {
    static constexpr int kPitch[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int pitch = kPitch[(name[0] | 0x20) - 'a'];
    std::size_t i = 1;
    for (; i < name.size() && (name[i] == '#' || name[i] == 'b'); ++i)
        pitch += name[i] == '#' ? 1 : -1;
    const int octave = std::stoi(name.substr(i));
    return 12 * (octave + 1) + pitch;
}

struct Note {
    double step;    ///< sixteenths from the start of the phrase
    double length;  ///< sixteenths
    int midi;
};

/// Parses "E5/2 r/1 G5/2 ...": note names (or r for a rest) with lengths
/// in sixteenths, one after another.
std::vector<Note> Phrase(const std::string& text) {
    std::vector<Note> notes;
    double step = 0;
    std::size_t pos = 0;
    while (pos < text.size()) {
        while (pos < text.size() && text[pos] == ' ') ++pos;
        if (pos >= text.size()) break;
        const std::size_t end = std::min(text.find(' ', pos), text.size());
        const std::string token = text.substr(pos, end - pos);
        const std::size_t slash = token.find('/');
        const double length = std::stod(token.substr(slash + 1));
        const std::string name = token.substr(0, slash);
        if (name != "r") notes.push_back(Note{step, length, NoteNumber(name)});
        step += length;
        pos = end;
    }
    return notes;
}

/// Level of a drum pattern character: X accent, x normal, o soft, - ghost.
float HitLevel(char c) {
    switch (c) {
        case 'X':
            return 1.0f;
        case 'x':
            return 0.8f;
        case 'o':
            return 0.5f;
        case '-':
            return 0.28f;
        default:
            return 0.0f;
    }
}

struct Chord {
    int bass;                ///< bass root
    int power;               ///< power-chord root
    std::array<int, 3> pad;  ///< pad voicing
    std::array<int, 4> arp;  ///< arpeggio tones, low to high
};

// ---------------------------------------------------------------------------
// Mixing.

/// One loop of the arrangement: parts that play as they are, parts that
/// duck under the kick, and the mono effect sends.
struct Mix {
    explicit Mix(const Grid& loop)
        : grid(loop),
          dry(loop.length()),
          ducked(loop.length()),
          reverb(loop.length(), 0.0f),
          echo(loop.length(), 0.0f) {}

    /// Adds `sound` to `bus` at `at`, panned, with effect sends.
    void Put(Stereo& bus, const Mono& sound, std::size_t at, float gain, float pan,
             float reverb_send = 0, float echo_send = 0) {
        float l, r;
        synth::PanGains(pan, l, r);
        synth::MixWrapped(bus, sound, at, gain * l, gain * r);
        if (reverb_send > 0)
            synth::MixWrapped(reverb, sound, at, gain * reverb_send * 0.5f * (l + r));
        if (echo_send > 0) synth::MixWrapped(echo, sound, at, gain * echo_send);
    }

    /// Plays a drum pattern of 16 characters in `bar`.
    void Drums(const Mono& sound, int bar, const char* pattern, float gain, float pan,
               float reverb_send = 0) {
        for (int s = 0; s < 16 && pattern[s]; ++s) {
            const float level = HitLevel(pattern[s]);
            if (level > 0) Put(drums, sound, grid.At(bar, s), gain * level, pan, reverb_send);
        }
    }

    /// Plays kicks, remembering each so the bass and chords can duck under it.
    void Kick(const Mono& sound, int bar, const char* pattern, float gain) {
        for (int s = 0; s < 16 && pattern[s]; ++s) {
            const float level = HitLevel(pattern[s]);
            if (level <= 0) continue;
            Put(drums, sound, grid.At(bar, s), gain * level, 0);
            kicks.push_back(grid.At(bar, s));
        }
    }

    const Grid& grid;
    Stereo dry;     ///< drums and lead
    Stereo ducked;  ///< bass and chords
    Stereo& drums = dry;
    Stereo& lead = dry;
    Stereo& bass = ducked;
    Stereo& band = ducked;
    Mono reverb, echo;
    std::vector<std::size_t> kicks;
};

/// Runs `process(keep, i)` over the loop's last seconds (keep = false), only
/// to fill the effect's memory with the loop's end, then over the whole loop
/// (keep = true), so the output wraps seamlessly. Anything older than the
/// warm-up has died away far below hearing.
template <typename Fn>
void TwoPasses(std::size_t n, Fn process) {
    const std::size_t warm = std::min(n, Samples(5.0));
    for (std::size_t i = n - warm; i < n; ++i) process(false, i);
    for (std::size_t i = 0; i < n; ++i) process(true, i);
}

struct MasterSettings {
    double reverb_size = 0.6, reverb_damp = 0.5, reverb_level = 1.0;
    double echo_steps = 3;  ///< dotted eighth by default
    double echo_feedback = 0.38, echo_level = 0.5;
    double duck = 0.45;  ///< how far the bass and chords dip under each kick
};

/// Mixes the buses down with sidechain ducking, reverb, ping-pong echo,
/// gentle bus compression and a soft ceiling, returning interleaved stereo
/// peaking at -2 dBFS (the encoder's ripple stays below full scale).
std::vector<float> Master(Mix& mix, const MasterSettings& s) {
    const std::size_t n = mix.grid.length();

    // Sidechain: the bass and chords dip under each kick and swell back.
    std::vector<float> duck(n, 1.0f);
    const std::size_t duck_len = Samples(0.22);
    for (std::size_t k : mix.kicks) {
        for (std::size_t j = 0; j < duck_len; ++j) {
            const double t = Seconds(j);
            const double g = 1.0 - s.duck * Ramp(t, 0.004) * std::exp(-t / 0.07);
            float& d = duck[(k + j) % n];
            d = std::min(d, static_cast<float>(g));
        }
    }

    // Everything into the dry bus, the ducked parts under the kicks.
    Stereo& sum = mix.dry;
    for (std::size_t i = 0; i < n; ++i) {
        sum.left[i] += mix.ducked.left[i] * duck[i];
        sum.right[i] += mix.ducked.right[i] * duck[i];
    }

    // Reverb, and a ping-pong echo whose left repeat feeds the right line
    // and back, darkening as it goes.
    synth::Reverb reverb(s.reverb_size, s.reverb_damp);
    const std::size_t delay = Samples(mix.grid.Seconds(s.echo_steps));
    std::vector<float> line_l(delay, 0.0f), line_r(delay, 0.0f);
    std::size_t pos = 0;
    synth::OnePole dark_l, dark_r;
    dark_l.Set(3500);
    dark_r.Set(3500);
    const auto feedback = static_cast<float>(s.echo_feedback);
    const auto rv = static_cast<float>(s.reverb_level);
    const auto ec = static_cast<float>(s.echo_level);
    TwoPasses(n, [&](bool keep, std::size_t i) {
        float wet_l, wet_r;
        reverb.Process(mix.reverb[i], wet_l, wet_r);
        const float dl = line_l[pos], dr = line_r[pos];
        line_l[pos] = mix.echo[i] + feedback * dark_r.Low(dr);
        line_r[pos] = feedback * dark_l.Low(dl);
        if (++pos == delay) pos = 0;
        if (keep) {
            sum.left[i] += wet_l * rv + dl * ec;
            sum.right[i] += wet_r * rv + dr * ec;
        }
    });

    // Scale to unity peak, then compress the loudest moments a little.
    float peak = std::max(synth::Peak(sum.left), synth::Peak(sum.right));
    if (peak <= 0) peak = 1;
    std::vector<float> out(n * 2);
    synth::OnePole dc_l, dc_r;
    dc_l.Set(22);
    dc_r.Set(22);
    double env = 0;
    const double attack = 1.0 - std::exp(-1.0 / (0.004 * kRate));
    const double release = 1.0 - std::exp(-1.0 / (0.12 * kRate));
    constexpr double kThreshold = 0.45, kRatio = 2.0;
    TwoPasses(n, [&](bool keep, std::size_t i) {
        const float l = dc_l.High(sum.left[i] / peak), r = dc_r.High(sum.right[i] / peak);
        const double level = std::max(std::fabs(l), std::fabs(r));
        env += (level > env ? attack : release) * (level - env);
        const double gain = env > kThreshold ? std::pow(kThreshold / env, 1.0 - 1.0 / kRatio) : 1.0;
        if (keep) {
            out[2 * i] = static_cast<float>(l * gain);
            out[2 * i + 1] = static_cast<float>(r * gain);
        }
    });

    // A soft ceiling rounds off what the compressor let through.
    const float drive = 1.1f / synth::Peak(out);
    for (float& v : out) v = SoftClip(v * drive);
    synth::Normalise(out, -2.0);
    return out;
}

/// Encodes a song whose whole length is the loop.
std::string EncodeSong(const std::string& title, std::uint32_t serial,
                       const std::vector<float>& interleaved) {
    OggSettings settings;
    settings.channels = 2;
    settings.rate = kRate;
    settings.quality = 0.4f;
    settings.serial = serial;
    // The whole file is the loop; players that honour loop tags jump back
    // sample-exactly.
    settings.tags = {{"TITLE", title},
                     {"LOOPSTART", "0"},
                     {"LOOPLENGTH", std::to_string(interleaved.size() / 2)}};
    return EncodeOggVorbis(interleaved, settings);
}

// ---------------------------------------------------------------------------
// Overdrive: E minor, 140 BPM, driving rock with synth lead.

std::vector<float> Overdrive() {
    const Grid grid(140, 44);
    Mix mix(grid);
    VoiceCache cache;

    // Chords of E minor.
    const Chord em{40, 40, {55, 59, 64}, {64, 67, 71, 76}};
    const Chord c{36, 48, {55, 60, 64}, {60, 64, 67, 72}};
    const Chord d{38, 50, {57, 62, 66}, {62, 66, 69, 74}};
    const Chord b{35, 47, {54, 59, 63}, {59, 63, 66, 71}};
    const Chord am{33, 45, {57, 60, 64}, {57, 60, 64, 69}};
    const std::array<const Chord*, 44> chords = {
        &em, &em, &c,  &d,                      // intro
        &em, &em, &c,  &d,  &em, &em, &c, &b,   // verse
        &c,  &d,  &em, &em, &c,  &d,  &b, &b,   // chorus
        &am, &am, &c,  &c,  &d,  &d,  &b, &b,   // break and build
        &em, &em, &c,  &d,  &em, &em, &c, &b,   // verse
        &c,  &d,  &em, &em, &c,  &d,  &b, &b};  // chorus

    // Drum kit.
    synth::KickVoice kick_voice;
    kick_voice.start_hz = 150;
    kick_voice.end_hz = 52;
    kick_voice.decay = 0.2;
    kick_voice.click = 0.5;
    const Mono kick = synth::Kick(kick_voice, 11);
    synth::SnareVoice snare_voice;
    snare_voice.tone_hz = 200;
    snare_voice.noise_decay = 0.14;
    const Mono snare = synth::Snare(snare_voice, 12);
    const Mono hats[2] = {synth::HiHat(0.035, 13), synth::HiHat(0.03, 14)};
    const Mono open_hat = synth::HiHat(0.16, 15);
    const Mono crash = synth::Crash(2.2, 16);
    synth::KickVoice tom_voice;
    tom_voice.click = 0.15;
    tom_voice.drive = 1.2;
    tom_voice.decay = 0.16;
    tom_voice.sweep = 0.05;
    tom_voice.length = 0.45;
    tom_voice.start_hz = 230;
    tom_voice.end_hz = 165;
    const Mono tom_high = synth::Kick(tom_voice, 17);
    tom_voice.start_hz = 160;
    tom_voice.end_hz = 110;
    const Mono tom_low = synth::Kick(tom_voice, 18);

    auto hat_bar = [&](int bar, const char* pattern, float gain) {
        for (int s = 0; s < 16; ++s) {
            const float level = HitLevel(pattern[s]);
            if (level > 0)
                mix.Put(mix.drums, hats[s / 2 % 2], grid.At(bar, s), 1.4f * gain * level, 0.3f);
        }
    };
    auto toms = [&](int bar, const char* high, const char* low) {
        mix.Drums(tom_high, bar, high, 0.55f, -0.35f, 0.15f);
        mix.Drums(tom_low, bar, low, 0.6f, 0.35f, 0.15f);
    };

    for (int bar = 0; bar < 44; ++bar) {
        const bool intro = bar < 4;
        const bool verse = (bar >= 4 && bar < 12) || (bar >= 28 && bar < 36);
        const bool chorus = (bar >= 12 && bar < 20) || bar >= 36;
        const bool quiet = bar >= 20 && bar < 24;
        const bool build = bar >= 24 && bar < 28;
        const bool fill = bar == 11 || bar == 19 || bar == 35 || bar == 43;

        if (bar == 0 || bar == 4 || bar == 12 || bar == 16 || bar == 28 || bar == 36 || bar == 40)
            mix.Drums(crash, bar, "X...............", 0.5f, -0.4f, 0.2f);
        if (intro) {
            mix.Kick(kick, bar, bar < 2 ? "x.......x......." : "x...x...x...x...", 1.0f);
            hat_bar(bar, "x.o.x.o.x.o.x.o.", 0.35f);
            if (bar >= 2)
                mix.Drums(snare, bar, bar == 3 ? "....x.......x-ox" : "....x.......x...", 0.7f, 0,
                          0.12f);
        } else if (verse) {
            mix.Kick(kick, bar, fill ? "x.....x.x......." : "x.....x.x.....x.", 1.0f);
            mix.Drums(snare, bar, fill ? "....x.......x..." : "....x.......x..-", 0.75f, 0, 0.12f);
            hat_bar(bar, fill ? "x.o.x.o.x.o....." : "x.o.x.o.x.o.x.o.", 0.4f);
            if (fill) toms(bar, "............xx..", "..............xx");
        } else if (chorus) {
            mix.Kick(kick, bar, "x...x...x...x.x.", 1.0f);
            mix.Drums(snare, bar, fill ? "....x...x.x.xxXX" : "....x.......x...", 0.78f, 0, 0.12f);
            mix.Drums(open_hat, bar, fill ? "..x...x........." : "..x...x...x...x.", 0.4f, 0.3f);
            hat_bar(bar, fill ? "x...x..........." : "x...x...x...x...", 0.35f);
            if (bar == 43) toms(bar, "........x.x.....", "..........x.x...");
        } else if (quiet) {
            hat_bar(bar, "x-o-x-o-x-o-x-o-", 0.3f);
            mix.Drums(snare, bar, "............o...", 0.5f, 0, 0.4f);
        } else if (build) {
            mix.Kick(kick, bar, "x...x...x...x...", 1.0f);
            hat_bar(bar, "x.o.x.o.x.o.x.o.", 0.35f);
            const char* roll = bar == 24   ? "....x.......x..."
                               : bar == 25 ? "....x.......x.x."
                               : bar == 26 ? "x.x.x.x.x.x.x.x."
                                           : "xxxxxxxxxxxxxxxx";
            // The roll swells towards the chorus.
            for (int s = 0; s < 16; ++s)
                if (HitLevel(roll[s]) > 0)
                    mix.Put(mix.drums, snare, grid.At(bar, s),
                            0.75f * (bar == 27 ? 0.35f + 0.65f * s / 15.0f : 0.8f), 0, 0.12f);
        }

        // Bass.
        const Chord& ch = *chords[static_cast<std::size_t>(bar)];
        BassPatch bass_patch;
        bass_patch.saw = 1.0;
        bass_patch.square = 0.3;
        bass_patch.sub = 0.45;
        bass_patch.cutoff = 420;
        bass_patch.env = 1500;
        const char* line = quiet              ? "x---------------"
                           : chorus           ? "x-x-o-x-x-x-o-x-"
                           : intro && bar < 2 ? "x-x-x-x-x-x-x-x-"
                                              : "x-x-x-x-x-x-o-x-";
        const double open = intro ? 0.45 + 0.15 * bar : 1.0;
        for (int s = 0; s < 16; ++s) {
            if (line[s] == '-' || line[s] == '.') continue;
            int len = 1;
            while (s + len < 16 && line[s + len] == '-') ++len;
            const int midi = ch.bass + (line[s] == 'o' ? 12 : 0);
            const double accent = (s % 4 == 0) ? 1.0 : 0.6;
            const double length = grid.Seconds(len) * 0.9;
            const Mono& note = cache.Get({1, double(midi), length, accent, open}, [&] {
                return Bass(bass_patch, midi, length, accent, open);
            });
            mix.Put(mix.bass, note, grid.At(bar, s), quiet ? 0.45f : 0.6f, 0);
        }

        // Rhythm guitar: muted chugs in the verses, ringing chords in the
        // choruses, doubled left and right.
        if (verse || (intro && bar >= 2) || (build && bar >= 26)) {
            for (int s = 0; s < 16; s += 2) {
                const bool accent = s % 8 == 0;
                for (int side = 0; side < 2; ++side) {
                    const double length = grid.Seconds(2) * 0.8;
                    const Mono& chug = cache.Get({2, double(ch.power), length, double(side)}, [&] {
                        return PowerChord(ch.power, length, true, side ? 0.06 : -0.05, 100 + side);
                    });
                    mix.Put(mix.band, chug, grid.At(bar, s) + (side ? 180u : 0u),
                            (accent ? 0.32f : 0.24f) * (intro ? 0.7f : 1.0f),
                            side ? 0.75f : -0.75f);
                }
            }
        } else if (chorus) {
            for (int s : {0, 8}) {
                for (int side = 0; side < 2; ++side) {
                    const double length = grid.Seconds(7.5);
                    const Mono& ring = cache.Get({3, double(ch.power), length, double(side)}, [&] {
                        return PowerChord(ch.power, length, false, side ? 0.06 : -0.05, 200 + side);
                    });
                    mix.Put(mix.band, ring, grid.At(bar, s) + (side ? 220u : 0u), 0.2f,
                            side ? 0.7f : -0.7f, 0.15f);
                }
            }
        }

        // Pads under the choruses and the break.
        if (chorus || quiet || build) {
            for (int k = 0; k < 3; ++k) {
                const int midi = ch.pad[static_cast<std::size_t>(k)];
                const double length = grid.Seconds(16) * 0.98;
                const Mono& pad = cache.Get({4, double(midi), length}, [&] {
                    return Pad(midi, length, 1800, 0.08, 0.4,
                               300 + static_cast<std::uint32_t>(midi));
                });
                mix.Put(mix.band, pad, grid.At(bar, 0), quiet ? 0.16f : 0.1f, -0.5f + 0.5f * k,
                        0.5f);
            }
        }

        // Arpeggio in the break and the last chorus.
        if (quiet || build || (bar >= 36)) {
            static constexpr int kOrder[16] = {0, 1, 2, 3, 2, 1, 2, 3, 0, 1, 2, 3, 2, 3, 2, 1};
            for (int s = 0; s < 16; ++s) {
                const int midi = ch.arp[static_cast<std::size_t>(kOrder[s])] + (quiet ? 0 : 12);
                const double length = grid.Seconds(1) * 0.8;
                const double bright = quiet ? 2500 : 3500;
                const Mono& pluck = cache.Get({5, double(midi), length, bright},
                                              [&] { return Pluck(midi, length, bright); });
                mix.Put(mix.band, pluck, grid.At(bar, s),
                        (quiet ? 0.2f : 0.12f) * (s % 4 == 0 ? 1.0f : 0.75f),
                        s % 2 ? 0.45f : -0.45f, 0.2f, 0.35f);
            }
        }
    }

    // Riser into the second verse.
    mix.Put(mix.band, Riser(grid.Seconds(32), 19), grid.At(26, 0), 0.35f, 0, 0.3f);

    // Lead melody.
    LeadPatch lead;
    const std::array<const char*, 8> verse_lead = {
        "E5/2 r/1 E5/1 G5/2 E5/2 B5/4 A5/2 G5/2",  "F#5/2 G5/2 F#5/2 E5/2 D5/4 E5/4",
        "E5/2 r/1 E5/1 G5/2 E5/2 C6/4 B5/2 A5/2",  "B5/3 A5/3 F#5/2 D5/4 r/4",
        "E5/2 r/1 E5/1 G5/2 E5/2 B5/4 A5/2 G5/2",  "F#5/2 G5/2 F#5/2 E5/2 D5/4 E5/4",
        "G5/2 A5/2 B5/2 C6/2 B5/2 A5/2 G5/2 E5/2", "D#5/4 F#5/4 B5/6 r/2"};
    const std::array<const char*, 8> chorus_lead = {"G5/6 E5/2 G5/4 C6/4",   "A5/6 F#5/2 A5/4 D6/4",
                                                    "B5/6 G5/2 B5/4 E6/4",   "D6/2 E6/8 B5/2 G5/4",
                                                    "G5/6 E5/2 G5/4 C6/4",   "A5/6 F#5/2 A5/4 D6/4",
                                                    "D#6/6 B5/2 F#5/4 A5/4", "B5/8 r/4 F#5/2 G5/2"};
    const std::array<const char*, 4> build_lead = {"F#5/8 A5/8", "D6/12 A5/4", "B5/16",
                                                   "D#5/8 F#5/8"};
    auto play = [&](int bar, const char* phrase, double transpose, float gain, float pan) {
        for (const Note& note : Phrase(phrase)) {
            const double midi = note.midi + transpose;
            const double length = grid.Seconds(note.length) * 0.92;
            const Mono& voice =
                cache.Get({6, midi, length}, [&] { return Lead(lead, midi, length); });
            mix.Put(mix.lead, voice, grid.At(bar, note.step), gain, pan, 0.25f, 0.3f);
        }
    };
    for (int i = 0; i < 8; ++i) {
        play(4 + i, verse_lead[static_cast<std::size_t>(i)], 0, 0.3f, 0);
        play(28 + i, verse_lead[static_cast<std::size_t>(i)], 0, 0.3f, 0);
        play(12 + i, chorus_lead[static_cast<std::size_t>(i)], 0, 0.32f, 0);
        play(36 + i, chorus_lead[static_cast<std::size_t>(i)], 0, 0.3f, 0.1f);
        // The last chorus doubles the tune an octave down.
        play(36 + i, chorus_lead[static_cast<std::size_t>(i)], -12, 0.18f, -0.2f);
    }
    for (int i = 0; i < 4; ++i) play(24 + i, build_lead[static_cast<std::size_t>(i)], 0, 0.26f, 0);

    MasterSettings master;
    master.echo_steps = 3;
    return Master(mix, master);
}

// ---------------------------------------------------------------------------
// Scrapyard: D minor, 126 BPM, swung electro with an acid bass line and
// struck scrap metal for percussion.

std::vector<float> Scrapyard() {
    const Grid grid(126, 40, 0.12);
    Mix mix(grid);
    VoiceCache cache;

    // Chords of D minor.
    const Chord dm{38, 50, {57, 62, 65}, {62, 65, 69, 74}};
    const Chord bb{34, 46, {58, 62, 65}, {58, 62, 65, 70}};
    const Chord c{36, 48, {55, 60, 64}, {60, 64, 67, 72}};
    const Chord gm{43, 43, {55, 58, 62}, {55, 58, 62, 67}};
    const Chord a{33, 45, {57, 61, 64}, {57, 61, 64, 69}};
    const std::array<const Chord*, 40> chords = {
        &dm, &dm, &bb, &c,                     // intro
        &dm, &dm, &bb, &c, &dm, &dm, &gm, &a,  // groove
        &dm, &bb, &gm, &a, &dm, &bb, &gm, &a,  // tune
        &bb, &bb, &c,  &c, &dm, &dm, &a,  &a,  // break and build
        &dm, &bb, &gm, &a, &dm, &bb, &gm, &a,  // tune
        &dm, &dm, &gm, &a};                    // outro

    // Drum kit: a long electronic kick, clap over a tight snare, and scrap.
    synth::KickVoice kick_voice;
    kick_voice.start_hz = 210;
    kick_voice.end_hz = 50;
    kick_voice.sweep = 0.03;
    kick_voice.decay = 0.24;
    kick_voice.click = 0.3;
    kick_voice.drive = 2.2;
    const Mono kick = synth::Kick(kick_voice, 21);
    const Mono clap = synth::Clap(22);
    synth::SnareVoice snare_voice;
    snare_voice.tone_hz = 175;
    snare_voice.noise_decay = 0.1;
    snare_voice.noise_hz = 6500;
    const Mono snare = synth::Snare(snare_voice, 23);
    const Mono hats[2] = {synth::HiHat(0.028, 24), synth::HiHat(0.022, 25)};
    const Mono open_hat = synth::HiHat(0.2, 26);
    const Mono crash = synth::Crash(2.0, 27);
    const Mono clang_high = synth::Clang(610, 0.09, 28);
    const Mono clang_low = synth::Clang(415, 0.13, 29);

    auto hat_bar = [&](int bar, const char* pattern, float gain) {
        for (int s = 0; s < 16; ++s) {
            const float level = HitLevel(pattern[s]);
            if (level > 0) mix.Put(mix.drums, hats[s % 2], grid.At(bar, s), gain * level, 0.25f);
        }
    };

    BassPatch acid;
    acid.saw = 1.0;
    acid.square = 0.0;
    acid.sub = 0.15;
    acid.cutoff = 380;
    acid.env = 2100;
    acid.env_decay = 0.12;
    acid.q = 4.5;
    acid.drive = 2.6;
    acid.release = 0.02;
    static constexpr int kRest = -100;
    static constexpr int kGroove[16] = {0, kRest, 12, 0,     kRest, 0, 7,  0,
                                        0, kRest, 12, kRest, 7,     0, 12, kRest};
    static constexpr int kDrive[16] = {0,     0, kRest, 0,  12,    kRest, 0, 7,
                                       kRest, 0, 0,     12, kRest, 7,     0, kRest};

    for (int bar = 0; bar < 40; ++bar) {
        const Chord& ch = *chords[static_cast<std::size_t>(bar)];
        const bool intro = bar < 4;
        const bool groove = (bar >= 4 && bar < 12) || bar >= 36;
        const bool tune = (bar >= 12 && bar < 20) || (bar >= 28 && bar < 36);
        const bool quiet = bar >= 20 && bar < 24;
        const bool build = bar >= 24 && bar < 28;
        const bool fill = bar == 11 || bar == 19 || bar == 35 || bar == 39;

        // Drums.
        if (bar == 0 || bar == 4 || bar == 12 || bar == 20 || bar == 28 || bar == 36)
            mix.Drums(crash, bar, "X...............", 0.45f, 0.4f, 0.2f);
        if (!quiet) mix.Kick(kick, bar, bar == 39 ? "x...x...x...x.x." : "x...x...x...x...", 0.75f);
        if (groove || tune) {
            mix.Drums(clap, bar, "....x.......x...", 0.7f, -0.1f, 0.25f);
            mix.Drums(snare, bar, fill ? "....x.......x.xx" : "....x.......x...", 0.45f, 0, 0.1f);
            hat_bar(bar, fill && bar != 39 ? "xo.oxo.oxo.o...." : "xo.oxo.oxo.oxo.o", 0.8f);
            mix.Drums(open_hat, bar, "..x...x...x...x.", 0.45f, 0.25f);
        } else if (intro) {
            if (bar >= 2) hat_bar(bar, "xo.oxo.oxo.oxo.o", 0.6f);
            if (bar == 3) mix.Drums(clap, bar, "....x.......x.x.", 0.55f, -0.1f, 0.3f);
        } else if (quiet) {
            hat_bar(bar, "-o-o-o-o-o-o-o-o", 0.45f);
            mix.Drums(clap, bar, "............x...", 0.5f, -0.1f, 0.6f);
        } else if (build) {
            hat_bar(bar, "xo.oxo.oxo.oxo.o", 0.6f);
            const char* roll = bar == 24   ? "....x.......x..."
                               : bar == 25 ? "....x...x...x.x."
                               : bar == 26 ? "x.x.x.x.x.x.x.x."
                                           : "xxxxxxxxxxxxxxxx";
            for (int s = 0; s < 16; ++s)
                if (HitLevel(roll[s]) > 0)
                    mix.Put(mix.drums, snare, grid.At(bar, s),
                            0.6f * (bar == 27 ? 0.35f + 0.65f * s / 15.0f : 0.8f), 0, 0.15f);
        }
        if (bar >= 1) {
            mix.Drums(clang_high, bar, quiet ? "...o......o....." : "...x......x.....", 0.3f, 0.55f,
                      0.2f);
            mix.Drums(clang_low, bar, quiet ? "..............o." : "..............x.", 0.3f, -0.55f,
                      0.2f);
        }

        // Acid bass: the filter opens and closes over each eight bars.
        const double sweep =
            std::round(8.0 * (0.5 - 0.5 * std::cos(2 * kPi * (bar % 8) / 8.0))) / 8.0;
        const double open = intro ? 0.45 + 0.12 * bar : 0.6 + 0.55 * sweep;
        if (quiet) {
            const double length = grid.Seconds(16) * 0.95;
            const Mono& note = cache.Get({1, double(ch.bass), length, 0.3},
                                         [&] { return Bass(acid, ch.bass, length, 0.3, 0.8); });
            mix.Put(mix.bass, note, grid.At(bar, 0), 0.5f, 0);
        } else {
            const int* line = tune ? kDrive : kGroove;
            for (int s = 0; s < 16; ++s) {
                if (line[s] == kRest) continue;
                // Notes running into the next one are held for a legato slide.
                const bool tied = s < 15 && line[s + 1] != kRest;
                const double length = grid.Seconds(1) * (tied ? 1.0 : 0.6);
                const double accent = line[s] == 12 ? 1.0 : 0.55;
                const int midi = ch.bass + line[s];
                const Mono& note = cache.Get({2, double(midi), length, accent, open}, [&] {
                    return Bass(acid, midi, length, accent, open);
                });
                mix.Put(mix.bass, note, grid.At(bar, s), 0.5f, 0, 0.0f, 0.08f);
            }
        }

        // Chord stabs in the grooves; held chords under the tune and break.
        for (int k = 0; k < 3; ++k) {
            const int midi = ch.pad[static_cast<std::size_t>(k)];
            const float pan = -0.5f + 0.5f * k;
            if (groove) {
                const double length = grid.Seconds(1.5);
                const Mono& stab = cache.Get({3, double(midi), length}, [&] {
                    return Pad(midi, length, 2600, 0.004, 0.06,
                               400 + static_cast<std::uint32_t>(midi));
                });
                for (int s : {2, 6, 10, 13})
                    mix.Put(mix.band, stab, grid.At(bar, s), 0.24f, pan, 0.3f, 0.2f);
            } else if (tune || quiet || build) {
                const double length = grid.Seconds(16) * 0.98;
                const Mono& pad = cache.Get({4, double(midi), length}, [&] {
                    return Pad(midi, length, 1500, 0.15, 0.45,
                               500 + static_cast<std::uint32_t>(midi));
                });
                mix.Put(mix.band, pad, grid.At(bar, 0), quiet ? 0.2f : 0.15f, pan, 0.5f);
            }
        }

        // Arpeggio through the break and the second tune.
        if (quiet || build || (bar >= 28 && bar < 36)) {
            static constexpr int kOrder[16] = {0, 2, 1, 3, 0, 2, 1, 3, 0, 2, 1, 3, 2, 1, 3, 2};
            for (int s = 0; s < 16; ++s) {
                const int midi = ch.arp[static_cast<std::size_t>(kOrder[s])] + (quiet ? 0 : 12);
                const double length = grid.Seconds(1) * 0.7;
                const double bright = quiet ? 2200 : 3200;
                const Mono& pluck = cache.Get({5, double(midi), length, bright},
                                              [&] { return Pluck(midi, length, bright); });
                mix.Put(mix.band, pluck, grid.At(bar, s),
                        (quiet ? 0.2f : 0.1f) * (s % 4 == 0 ? 1.0f : 0.7f), s % 2 ? 0.5f : -0.5f,
                        0.2f, 0.4f);
            }
        }
    }

    mix.Put(mix.band, Riser(grid.Seconds(32), 30), grid.At(26, 0), 0.3f, 0, 0.3f);

    // The tune: a pulse-wave lead, doubled an octave up the second time.
    LeadPatch lead;
    lead.wave = Wave::kSquare;
    lead.detune_cents = 6;
    lead.octave_down = 0.2;
    lead.cutoff = 1700;
    lead.env = 2600;
    lead.q = 1.5;
    lead.drive = 1.6;
    lead.vibrato = 0.2;
    lead.scoop = 1.0;
    lead.release = 0.1;
    LeadPatch high = lead;
    high.wave = Wave::kSaw;
    high.octave_down = 0;
    high.cutoff = 2800;
    const std::array<const char*, 8> tune = {"D5/3 F5/3 A5/2 G5/2 F5/2 E5/2 F5/2",
                                             "D5/6 Bb4/2 C5/2 D5/2 F5/2 D5/2",
                                             "G5/3 Bb5/3 D6/2 C6/2 Bb5/2 A5/2 G5/2",
                                             "A5/6 E5/2 C#5/4 E5/4",
                                             "D5/3 F5/3 A5/2 G5/2 F5/2 E5/2 F5/2",
                                             "F5/6 D5/2 Bb4/4 F5/4",
                                             "G5/4 A5/4 Bb5/4 C6/4",
                                             "C#6/6 A5/2 E5/4 r/4"};
    auto play = [&](const LeadPatch& patch, int id, int bar, const char* phrase, double transpose,
                    float gain, float pan) {
        for (const Note& note : Phrase(phrase)) {
            const double midi = note.midi + transpose;
            const double length = grid.Seconds(note.length) * 0.9;
            const Mono& voice =
                cache.Get({double(id), midi, length}, [&] { return Lead(patch, midi, length); });
            mix.Put(mix.lead, voice, grid.At(bar, note.step), gain, pan, 0.25f, 0.35f);
        }
    };
    for (int i = 0; i < 8; ++i) {
        play(lead, 6, 12 + i, tune[static_cast<std::size_t>(i)], 0, 0.3f, 0);
        play(lead, 6, 28 + i, tune[static_cast<std::size_t>(i)], 0, 0.28f, -0.1f);
        play(high, 7, 28 + i, tune[static_cast<std::size_t>(i)], 12, 0.1f, 0.3f);
    }

    MasterSettings master;
    master.echo_steps = 3;
    master.echo_feedback = 0.42;
    master.duck = 0.55;
    return Master(mix, master);
}

}  // namespace

void MakeMusic(Output& out) {
    struct Song {
        const char* path;
        const char* title;
        std::uint32_t serial;
        std::vector<float> (*compose)();
        std::string bytes;
    };
    Song songs[] = {
        {"mp3/track01_overdrive.ogg", "Overdrive", 0x43524d01u, Overdrive, {}},
        {"mp3/track02_scrapyard.ogg", "Scrapyard", 0x43524d02u, Scrapyard, {}},
    };
    // The songs share nothing, so each is composed and encoded on its own
    // thread; the files are written afterwards, in order.
    std::vector<std::thread> workers;
    for (Song& song : songs)
        workers.emplace_back(
            [&song] { song.bytes = EncodeSong(song.title, song.serial, song.compose()); });
    for (std::thread& worker : workers) worker.join();
    for (const Song& song : songs) out.Bytes(song.path, song.bytes);
}

}  // namespace datagen
