// Sound effects: gunfire bursts, the grenade thump, the rocket whoosh, the
// phase cannon zap and the explosion, each synthesised from seeded noise and
// oscillators, then faded at both ends and normalised below full scale so
// overlapping plays stay clean.

#include <algorithm>
#include <cmath>

#include "tools/datagen/generator.h"
#include "tools/datagen/synth.h"

namespace datagen {

namespace {

using synth::kPi;
using synth::kRate;
using synth::Mono;
using synth::Noise;
using synth::Oscillator;
using synth::Ramp;
using synth::Samples;
using synth::SoftClip;
using synth::Svf;

double Seconds(std::size_t i) {
    return static_cast<double>(i) / kRate;
}

/// Fades, normalises to `peak_db` and writes a mono 44.1 kHz WAV.
void Finish(Output& out, const char* path, Mono samples, double fade_out, double peak_db) {
    // Rumble under 30 Hz is inaudible on most speakers and only eats
    // headroom.
    synth::OnePole rumble;
    rumble.Set(30);
    for (float& s : samples) s = rumble.High(s);
    synth::FadeEdges(samples, 0.006, fade_out);
    synth::Normalise(samples, peak_db);
    out.Wav(path, samples, 1, kRate);
}

/// Adds darkened early reflections of a small space, so dry shots sound
/// fired somewhere instead of inside the listener's head.
void Room(Mono& samples, double level) {
    static constexpr double kTaps[5][2] = {
        {0.0113, 0.55}, {0.0171, 0.45}, {0.0237, 0.35}, {0.0319, 0.27}, {0.0443, 0.18}};
    const Mono dry = samples;
    synth::OnePole dark;
    dark.Set(2500);
    Mono darker(dry.size());
    for (std::size_t i = 0; i < dry.size(); ++i) darker[i] = dark.Low(dry[i]);
    for (const auto& tap : kTaps)
        synth::MixInto(samples, darker, Samples(tap[0]), static_cast<float>(tap[1] * level));
}

/// Sparse random clicks through a band-pass: ignition crackle and debris.
class Crackle {
public:
    Crackle(double hz, double q, std::uint32_t seed) : noise_(seed) { band_.Set(hz, q); }
    /// `density` is the chance of a new click in this sample.
    float Next(double density) {
        float impulse = 0;
        if (noise_.Uniform(0, 1) < density) impulse = noise_.White() * 8.0f;
        return band_.Band(impulse);
    }

private:
    Noise noise_;
    Svf band_;
};

struct ShotVoice {
    double thump_hi = 260, thump_lo = 80, thump_decay = 0.018, thump_level = 0.55;
    double crack_hz = 1500, crack_decay = 0.009, crack_level = 1.1;
    double body_hz = 750, body_decay = 0.022, body_level = 3.5;
    double ring_hz = 3100, ring_decay = 0.015;
    double drive = 1.1;
    double length = 0.12;
};

/// One gunshot: a bright crack of noise, a darker body, a falling thump
/// and a faint metallic ring of the action.
Mono Shot(const ShotVoice& v, double pitch, Noise& noise) {
    Mono out(Samples(v.length));
    Svf crack_high, crack_top, crack_bark, body;
    crack_high.Set(v.crack_hz, 0.7);
    crack_top.Set(6500, 0.7);
    crack_bark.Set(v.crack_hz * 1.6, 2.0);
    body.Set(v.body_hz, 0.7);
    double thump_phase = 0, ring1 = 0, ring2 = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        const double hz =
            pitch * (v.thump_lo + (v.thump_hi - v.thump_lo) * std::exp(-t / (v.thump_decay * 0.7)));
        thump_phase += hz / kRate;
        ring1 += v.ring_hz * pitch / kRate;
        ring2 += v.ring_hz * 1.47 * pitch / kRate;
        const float n = noise.White();
        const double thump = std::sin(2 * kPi * thump_phase) * std::exp(-t / v.thump_decay);
        const double crack = (crack_top.Low(crack_high.High(n)) * 0.6 + crack_bark.Band(n) * 0.9) *
                             v.crack_level * std::exp(-t / v.crack_decay);
        const double bod = body.Band(n) * v.body_level * std::exp(-t / v.body_decay);
        const double ring = (std::sin(2 * kPi * ring1) + 0.6 * std::sin(2 * kPi * ring2)) *
                            std::exp(-t / v.ring_decay);
        // The muzzle blast: a sharp peak over the first milliseconds.
        const double blast = 1.0 + 1.5 * std::exp(-t / 0.002);
        const double x =
            (thump * v.thump_level + (crack + bod) * blast + ring * 0.08) * Ramp(t, 0.0004);
        out[i] = SoftClip(static_cast<float>(x * v.drive));
    }
    synth::FadeEdges(out, 0, 0.01);
    return out;
}

/// A burst of `shots` gunshots `gap` seconds apart with small variations in
/// timing, pitch and level, in a small room.
Mono Burst(const ShotVoice& v, int shots, double gap, double tail, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(gap * (shots - 1) + tail));
    for (int s = 0; s < shots; ++s) {
        const double jitter = noise.Uniform(-0.003f, 0.003f);
        const double pitch = 1.0 + noise.Uniform(-0.05f, 0.05f);
        const double level = s == 0 ? 1.0 : noise.Uniform(0.82f, 0.95f);
        const Mono shot = Shot(v, pitch, noise);
        synth::MixInto(out, shot, Samples(std::max(0.0, s * gap + jitter)),
                       static_cast<float>(level));
    }
    Room(out, 0.3);
    return out;
}

Mono MachineGun() {
    ShotVoice v;
    return Burst(v, 5, 0.082, 0.2, 0x6d67u);
}

Mono HeavyMachineGun() {
    ShotVoice v;
    v.thump_hi = 190;
    v.thump_lo = 55;
    v.thump_decay = 0.035;
    v.thump_level = 0.7;
    v.crack_hz = 1100;
    v.crack_decay = 0.012;
    v.crack_level = 0.8;
    v.body_hz = 650;
    v.body_decay = 0.05;
    v.body_level = 3.8;
    v.ring_hz = 1250;
    v.ring_decay = 0.03;
    v.drive = 1.7;
    v.length = 0.2;
    Mono out = Burst(v, 4, 0.135, 0.26, 0x686du);
    // The bolt clanks back between shots.
    for (int s = 0; s < 4; ++s)
        synth::MixInto(out, synth::Clang(820, 0.025, 0x1000u + s), Samples(s * 0.135 + 0.055),
                       0.12f);
    return out;
}

Mono GrenadeLauncher() {
    Noise noise(0x67726eu);
    Mono out(Samples(0.42));
    Svf hollow, pop;
    pop.Set(2200, 0.7);
    double tube = 0, sub = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        // The tube resonance falls as the round leaves the barrel.
        tube += (95 + 190 * std::exp(-t / 0.05)) / kRate;
        sub += (46 + 40 * std::exp(-t / 0.04)) / kRate;
        if (i % 16 == 0) hollow.Set(300 + 520 * std::exp(-t / 0.03), 4.5);
        const float n = noise.White();
        const double x = std::sin(2 * kPi * tube) * Ramp(t, 0.004) * std::exp(-t / 0.085) +
                         std::sin(2 * kPi * sub) * 0.5 * Ramp(t, 0.006) * std::exp(-t / 0.1) +
                         hollow.Band(n) * 2.4 * Ramp(t, 0.002) * std::exp(-t / 0.06) +
                         pop.High(n) * 1.0 * std::exp(-t / 0.008);
        out[i] = SoftClip(static_cast<float>(x * 1.5));
    }
    Room(out, 0.35);
    return out;
}

Mono RocketLauncher() {
    Noise noise(0x726b74u);
    Mono out(Samples(0.82));
    Crackle crackle(3000, 1.8, 0x6372u);
    Svf whoosh, rumble_filter, flutter_filter;
    rumble_filter.Set(420, 0.9);
    flutter_filter.Set(38, 0.7);
    double thump = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        // The exhaust's band rises as the motor lights, then falls away
        // as the rocket leaves.
        if (i % 16 == 0)
            whoosh.Set(450 + 1700 * (1 - std::exp(-t / 0.06)) * std::exp(-t / 0.35), 1.1);
        thump += (45 + 70 * std::exp(-t / 0.03)) / kRate;
        const float n = noise.White();
        const double flutter = 1.0 + 2.5 * flutter_filter.Low(noise.White());
        const double env = Ramp(t, 0.03) * std::exp(-std::max(0.0, t - 0.12) / 0.2);
        const double air = whoosh.Band(n) * 1.5 * env;
        const double roar = rumble_filter.Band(n) * 3.5 * env * flutter;
        const double ignition = std::sin(2 * kPi * thump) * std::exp(-t / 0.06) * Ramp(t, 0.003);
        const double crack =
            crackle.Next(0.03 * Ramp(t, 0.008) * std::exp(-t / 0.1)) * 0.5 * std::exp(-t / 0.25);
        out[i] = SoftClip(static_cast<float>((air + roar + ignition * 0.8 + crack) * 1.3));
    }
    return out;
}

Mono PhaseCannon() {
    Noise noise(0x6c7372u);
    Mono out(Samples(0.36));
    Oscillator saw(Oscillator::Wave::kSaw), pulse(Oscillator::Wave::kSquare, 0.25),
        buzz(Oscillator::Wave::kSquare);
    Svf tone, zap;
    zap.Set(4000, 0.7);
    // A swept comb gives the shot its phasing shimmer.
    Mono comb(Samples(0.01), 0.0f);
    std::size_t comb_pos = 0;
    double mod = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = Seconds(i);
        const double hz = 190 + 1900 * std::exp(-t / 0.07);
        mod += hz * 2.41 / kRate;
        const double fm = std::exp2(0.35 * std::sin(2 * kPi * mod) * std::exp(-t / 0.12));
        const double b = 0.65 + 0.35 * buzz.Next(58);
        double x = (saw.Next(hz * fm) * 0.6 + pulse.Next(hz * 1.5 * fm, 0.3) * 0.4) * b;
        if (i % 16 == 0) tone.Set(hz * 3 + 1200, 0.9);
        x = tone.Low(static_cast<float>(x));
        const double env = Ramp(t, 0.003) * (t < 0.06 ? 1.0 : std::exp(-(t - 0.06) / 0.085));
        x = x * env + zap.High(noise.White()) * 0.5 * std::exp(-t / 0.004);
        const double delay = (0.6 + 2.4 * t / 0.36) * 1e-3 * kRate;
        const auto d = static_cast<std::size_t>(delay);
        const double frac = delay - static_cast<double>(d);
        const std::size_t n = comb.size();
        const double delayed =
            comb[(comb_pos + n - d) % n] * (1 - frac) + comb[(comb_pos + n - d - 1) % n] * frac;
        const double y = x + 0.55 * delayed;
        comb[comb_pos] = static_cast<float>(y);
        comb_pos = (comb_pos + 1) % n;
        out[i] = SoftClip(static_cast<float>(y * 0.9));
    }
    return out;
}

Mono Explosion() {
    Noise noise(0x65787074u);
    const std::size_t n = Samples(1.9);
    Mono out(n);
    Crackle debris(2200, 1.5, 0x646562u);
    Svf crack_filter, rumble_filter, fireball, sub;
    crack_filter.Set(500, 0.7);
    sub.Set(70, 0.7);
    double boom = 0, brown = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const double t = Seconds(i);
        boom += (42 + 70 * std::exp(-t / 0.07)) / kRate;
        const float w = noise.White();
        brown = brown * 0.99 + w * 0.07;
        if (i % 16 == 0) {
            // The blast darkens as it spreads: the rumble closes down and
            // the fireball's roar sinks.
            rumble_filter.Set(160 + 3200 * std::exp(-t / 0.3), 0.8);
            fireball.Set(170 + 500 * std::exp(-t / 0.4), 0.9);
        }
        const double crack = crack_filter.High(w) * 0.9 * std::exp(-t / 0.015);
        const double body = std::sin(2 * kPi * boom) * 0.55 * Ramp(t, 0.004) * std::exp(-t / 0.22);
        const double rumble = rumble_filter.Low(sub.High(static_cast<float>(brown))) * 1.3 *
                              Ramp(t, 0.008) *
                              (0.7 * std::exp(-t / 0.25) + 0.3 * std::exp(-t / 0.8));
        const double roar = fireball.Band(w) * 2.6 * Ramp(t, 0.01) * std::exp(-t / 0.3);
        const double bits =
            t > 0.03 ? debris.Next(0.012 * std::exp(-(t - 0.03) / 0.3)) * 0.1 : debris.Next(0);
        out[i] = SoftClip(static_cast<float>((crack + body + rumble + roar + bits) * 1.8));
    }
    // A little space around the blast.
    synth::Reverb reverb(0.55, 0.7);
    for (std::size_t i = 0; i < n; ++i) {
        float l = 0, r = 0;
        reverb.Process(out[i], l, r);
        out[i] += 0.5f * (l + r) * 0.6f;
    }
    return out;
}

}  // namespace

void MakeSoundEffects(Output& out) {
    // Peaks are balanced for loudness: the bright, frequent sounds sit a
    // little lower than the explosion, which may fill the headroom.
    Finish(out, "SFX/machine_gun_fire.wav", MachineGun(), 0.05, -2.5);
    Finish(out, "SFX/heavy_machine_gun_fire.wav", HeavyMachineGun(), 0.06, -2.0);
    Finish(out, "SFX/grenade_launcher_fire.wav", GrenadeLauncher(), 0.06, -1.5);
    Finish(out, "SFX/rocket_launcher_fire.wav", RocketLauncher(), 0.1, -2.0);
    Finish(out, "SFX/laser_fire.wav", PhaseCannon(), 0.05, -3.0);
    Finish(out, "SFX/explosion.wav", Explosion(), 0.3, -1.2);
}

}  // namespace datagen
