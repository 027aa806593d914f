#pragma once
// A small synthesiser for the game's sound effects and music: seeded noise,
// band-limited oscillators, envelopes, filters, drum voices, effects and
// mixing helpers. Everything is deterministic (seeded noise, no clock), so
// every run writes the same samples.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace datagen::synth {

inline constexpr int kRate = 44100;
inline constexpr double kPi = 3.14159265358979323846;

using Mono = std::vector<float>;

/// Two channels of equal length.
struct Stereo {
    Mono left;
    Mono right;
    Stereo() = default;
    explicit Stereo(std::size_t n) : left(n, 0.0f), right(n, 0.0f) {}
    std::size_t size() const { return left.size(); }
};

/// Number of samples in `seconds`.
std::size_t Samples(double seconds);
/// Frequency of a MIDI note number (69 = A4 = 440 Hz); fractional notes bend.
double MidiHz(double note);
/// Linear gain of a level in decibels.
double DbGain(double db);

/// Seeded white noise (xorshift32).
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state_(seed ? seed : 0x2545F491u) {}
    /// Uniform in [-1, 1).
    float White();
    /// Uniform in [lo, hi).
    float Uniform(float lo, float hi);

private:
    std::uint32_t state_;
};

/// Band-limited oscillator (PolyBLEP corrections on the saw and square
/// edges, so high notes do not alias into a fizz).
class Oscillator {
public:
    enum class Wave { kSine, kTriangle, kSaw, kSquare };
    explicit Oscillator(Wave wave, double phase = 0.0) : wave_(wave), phase_(phase) {}
    /// Next sample at `hz`; `width` is the square's duty cycle.
    float Next(double hz, double width = 0.5);
    double phase() const { return phase_; }

private:
    Wave wave_;
    double phase_;
};

/// Zero-delay-feedback state-variable filter: low, band and high pass from
/// one structure, stable under fast cutoff sweeps.
class Svf {
public:
    struct Out {
        float low, band, high;
    };
    /// Cutoff in Hz (clamped below Nyquist) and resonance Q (0.5 .. ~20).
    void Set(double hz, double q);
    Out Process(float x);
    float Low(float x) { return Process(x).low; }
    float Band(float x) { return Process(x).band; }
    float High(float x) { return Process(x).high; }

private:
    double a1_ = 0, a2_ = 0, a3_ = 0, k_ = 1;
    double ic1_ = 0, ic2_ = 0;
};

/// One-pole low/high pass for gentle tone shaping and DC blocking.
class OnePole {
public:
    void Set(double hz);
    float Low(float x);
    float High(float x) { return x - Low(x); }

private:
    double a_ = 0, z_ = 0;
};

/// Soft saturation: linear near zero, approaching +-1 smoothly.
float SoftClip(float x);

/// Level of an attack / decay / sustain / release envelope `t` seconds into
/// a note held for `hold` seconds. Attack is linear, the rest exponential
/// (time constants in seconds).
double Adsr(double t, double hold, double attack, double decay, double sustain, double release);
/// Raised-cosine ramp from 0 (t <= 0) to 1 (t >= length).
double Ramp(double t, double length);

/// Fixed-length feedback delay line.
class Delay {
public:
    explicit Delay(std::size_t samples) : line_(samples ? samples : 1, 0.0f) {}
    /// Returns the delayed signal and writes `x + feedback * delayed`.
    float Process(float x, float feedback);

private:
    Mono line_;
    std::size_t pos_ = 0;
};

/// Stereo room reverb: parallel damped combs into series all-passes per
/// channel, the right channel's lines slightly longer for width.
class Reverb {
public:
    /// `size` 0..1 scales the decay; `damp` 0..1 darkens the tail.
    Reverb(double size, double damp);
    /// Wet output for a mono input.
    void Process(float in, float& out_left, float& out_right);

private:
    struct Comb {
        Mono line;
        std::size_t pos = 0;
        float store = 0;
    };
    struct AllPass {
        Mono line;
        std::size_t pos = 0;
    };
    Comb combs_[2][8];
    AllPass passes_[2][4];
    float feedback_;
    float damp_;
};

// Mixing.
/// Adds `src * gain` into `dst` starting at `at`, dropping what falls past
/// the end.
void MixInto(Mono& dst, const Mono& src, std::size_t at, float gain);
/// Adds `src` into both channels of `dst` with per-channel gains, wrapping
/// past the end to the start (for loops whose tails ring into the top).
void MixWrapped(Stereo& dst, const Mono& src, std::size_t at, float left, float right);
/// Adds `src * gain` into `dst` at `at`, wrapping past the end to the start.
void MixWrapped(Mono& dst, const Mono& src, std::size_t at, float gain);
/// Constant-power pan gains for `pan` in -1 (left) .. 1 (right).
void PanGains(double pan, float& left, float& right);
/// Largest absolute sample.
float Peak(const Mono& samples);
/// Scales so the largest absolute sample sits at `peak_db` dBFS.
void Normalise(Mono& samples, double peak_db);
/// Raised-cosine fade in over `in_s` seconds and out over `out_s` seconds.
void FadeEdges(Mono& samples, double in_s, double out_s);

// Drum voices, each rendered once and mixed at every hit.
struct KickVoice {
    double start_hz = 160;  ///< pitch at the hit
    double end_hz = 48;     ///< pitch it falls to
    double sweep = 0.035;   ///< pitch fall time constant (s)
    double decay = 0.28;    ///< body decay time constant (s)
    double click = 0.35;    ///< level of the beater click
    double drive = 1.6;     ///< saturation for punch
    double length = 0.5;    ///< seconds rendered
};
Mono Kick(const KickVoice& v, std::uint32_t seed);

struct SnareVoice {
    double tone_hz = 190;      ///< shell tone
    double tone_decay = 0.06;  ///< s
    double noise_decay = 0.16;
    double noise_hz = 5200;  ///< centre of the wire rattle
    double tone_level = 0.55;
    double length = 0.4;
};
Mono Snare(const SnareVoice& v, std::uint32_t seed);

/// Hand clap: a few noise bursts in quick succession and a short tail.
Mono Clap(std::uint32_t seed);
/// Metallic hi-hat (detuned square partials plus noise, high-passed).
Mono HiHat(double decay, std::uint32_t seed);
/// Crash cymbal with a long bright tail.
Mono Crash(double length, std::uint32_t seed);
/// A struck piece of scrap metal: inharmonic ringing partials around `hz`.
Mono Clang(double hz, double decay, std::uint32_t seed);

}  // namespace datagen::synth
