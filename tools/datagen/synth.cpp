#include "tools/datagen/synth.h"

#include <algorithm>
#include <cmath>

namespace datagen::synth {

std::size_t Samples(double seconds) {
    return seconds <= 0 ? 0 : static_cast<std::size_t>(std::lround(seconds * kRate));
}

double MidiHz(double note) {
    return 440.0 * std::exp2((note - 69.0) / 12.0);
}

double DbGain(double db) {
    return std::pow(10.0, db / 20.0);
}

float Noise::White() {
    state_ ^= state_ << 13;
    state_ ^= state_ >> 17;
    state_ ^= state_ << 5;
    return static_cast<float>(static_cast<double>(state_) / 2147483648.0 - 1.0);
}

float Noise::Uniform(float lo, float hi) {
    return lo + (hi - lo) * (White() * 0.5f + 0.5f);
}

namespace {

// The PolyBLEP residual: subtracts the aliasing of a unit step at phase 0
// over one sample on either side of the discontinuity.
double PolyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

float Oscillator::Next(double hz, double width) {
    const double dt = std::clamp(hz / kRate, 0.0, 0.49);
    const double t = phase_;
    double y = 0;
    switch (wave_) {
        case Wave::kSine:
            y = std::sin(2.0 * kPi * t);
            break;
        case Wave::kTriangle:
            y = 4.0 * std::fabs(t - 0.5) - 1.0;
            break;
        case Wave::kSaw:
            y = 2.0 * t - 1.0 - PolyBlep(t, dt);
            break;
        case Wave::kSquare: {
            width = std::clamp(width, 0.05, 0.95);
            y = (t < width ? 1.0 : -1.0) + PolyBlep(t, dt);
            double t2 = t + 1.0 - width;
            t2 -= std::floor(t2);
            y -= PolyBlep(t2, dt);
            break;
        }
    }
    phase_ += dt;
    phase_ -= std::floor(phase_);
    return static_cast<float>(y);
}

void Svf::Set(double hz, double q) {
    hz = std::clamp(hz, 10.0, kRate * 0.45);
    const double g = std::tan(kPi * hz / kRate);
    k_ = 1.0 / std::max(q, 0.05);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

Svf::Out Svf::Process(float x) {
    const double v3 = x - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return Out{static_cast<float>(v2), static_cast<float>(v1),
               static_cast<float>(x - k_ * v1 - v2)};
}

void OnePole::Set(double hz) {
    hz = std::clamp(hz, 1.0, kRate * 0.45);
    a_ = 1.0 - std::exp(-2.0 * kPi * hz / kRate);
}

float OnePole::Low(float x) {
    z_ += a_ * (x - z_);
    return static_cast<float>(z_);
}

float SoftClip(float x) {
    // Rational approximation of tanh, exact at the clamp points.
    if (x > 3.0f) return 1.0f;
    if (x < -3.0f) return -1.0f;
    const float x2 = x * x;
    return x * (27.0f + x2) / (27.0f + 9.0f * x2);
}

double Adsr(double t, double hold, double attack, double decay, double sustain, double release) {
    if (t < 0) return 0;
    auto held = [&](double u) {
        if (u < attack) return u / attack;
        return sustain + (1.0 - sustain) * std::exp(-(u - attack) / std::max(decay, 1e-4));
    };
    if (t < hold) return held(t);
    return held(hold) * std::exp(-(t - hold) / std::max(release, 1e-4));
}

double Ramp(double t, double length) {
    if (t <= 0) return 0;
    if (t >= length) return 1;
    return 0.5 - 0.5 * std::cos(kPi * t / length);
}

float Delay::Process(float x, float feedback) {
    const float out = line_[pos_];
    line_[pos_] = x + feedback * out;
    if (++pos_ == line_.size()) pos_ = 0;
    return out;
}

Reverb::Reverb(double size, double damp)
    : feedback_(static_cast<float>(0.7 + 0.28 * std::clamp(size, 0.0, 1.0))),
      damp_(static_cast<float>(0.4 * std::clamp(damp, 0.0, 1.0))) {
    // Mutually prime lengths so the echoes do not pile up into a pitch.
    static constexpr std::size_t kComb[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static constexpr std::size_t kPass[4] = {556, 441, 341, 225};
    for (int c = 0; c < 2; ++c) {
        const std::size_t spread = c ? 23 : 0;
        for (int i = 0; i < 8; ++i) combs_[c][i].line.assign(kComb[i] + spread, 0.0f);
        for (int i = 0; i < 4; ++i) passes_[c][i].line.assign(kPass[i] + spread, 0.0f);
    }
}

void Reverb::Process(float in, float& out_left, float& out_right) {
    const float x = in * 0.015f;
    float* outs[2] = {&out_left, &out_right};
    for (int c = 0; c < 2; ++c) {
        float sum = 0;
        for (Comb& comb : combs_[c]) {
            const float y = comb.line[comb.pos];
            comb.store = y * (1.0f - damp_) + comb.store * damp_;
            comb.line[comb.pos] = x + comb.store * feedback_;
            if (++comb.pos == comb.line.size()) comb.pos = 0;
            sum += y;
        }
        for (AllPass& pass : passes_[c]) {
            const float buffered = pass.line[pass.pos];
            pass.line[pass.pos] = sum + buffered * 0.5f;
            sum = buffered - sum;
            if (++pass.pos == pass.line.size()) pass.pos = 0;
        }
        *outs[c] = sum;
    }
}

void MixInto(Mono& dst, const Mono& src, std::size_t at, float gain) {
    for (std::size_t i = 0; i < src.size() && at + i < dst.size(); ++i)
        dst[at + i] += src[i] * gain;
}

void MixWrapped(Stereo& dst, const Mono& src, std::size_t at, float left, float right) {
    const std::size_t n = dst.size();
    if (n == 0) return;
    std::size_t j = at % n;
    for (float s : src) {
        dst.left[j] += s * left;
        dst.right[j] += s * right;
        if (++j == n) j = 0;
    }
}

void MixWrapped(Mono& dst, const Mono& src, std::size_t at, float gain) {
    const std::size_t n = dst.size();
    if (n == 0) return;
    std::size_t j = at % n;
    for (float s : src) {
        dst[j] += s * gain;
        if (++j == n) j = 0;
    }
}

void PanGains(double pan, float& left, float& right) {
    const double a = (std::clamp(pan, -1.0, 1.0) + 1.0) * kPi / 4.0;
    // Scaled so the centre keeps unity gain in each channel.
    left = static_cast<float>(std::cos(a) * std::sqrt(2.0));
    right = static_cast<float>(std::sin(a) * std::sqrt(2.0));
}

float Peak(const Mono& samples) {
    float peak = 0;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak;
}

void Normalise(Mono& samples, double peak_db) {
    const float peak = Peak(samples);
    if (peak <= 0) return;
    const auto gain = static_cast<float>(DbGain(peak_db) / peak);
    for (float& s : samples) s *= gain;
}

void FadeEdges(Mono& samples, double in_s, double out_s) {
    const std::size_t n = samples.size();
    const std::size_t in = std::min(n, Samples(in_s));
    const std::size_t out = std::min(n, Samples(out_s));
    for (std::size_t i = 0; i < in; ++i)
        samples[i] *= static_cast<float>(Ramp(static_cast<double>(i), static_cast<double>(in)));
    for (std::size_t i = 0; i < out; ++i)
        samples[n - 1 - i] *=
            static_cast<float>(Ramp(static_cast<double>(i), static_cast<double>(out)));
}

Mono Kick(const KickVoice& v, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(v.length));
    double phase = 0;
    Svf click_filter;
    click_filter.Set(3500, 0.7);
    const float norm = SoftClip(static_cast<float>(v.drive));
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hz = v.end_hz + (v.start_hz - v.end_hz) * std::exp(-t / v.sweep);
        phase += hz / kRate;
        const double body = std::sin(2.0 * kPi * phase) * Ramp(t, 0.0015) * std::exp(-t / v.decay);
        const double click = click_filter.Band(noise.White()) * std::exp(-t / 0.004) * v.click;
        out[i] = SoftClip(static_cast<float>((body + click) * v.drive)) / norm;
    }
    FadeEdges(out, 0.0, 0.03);
    return out;
}

Mono Snare(const SnareVoice& v, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(v.length));
    Svf wires;
    wires.Set(v.noise_hz, 0.6);
    Svf body;
    body.Set(1800, 0.7);
    double p1 = 0, p2 = 0;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double bend = 1.0 + 0.35 * std::exp(-t / 0.012);
        p1 += v.tone_hz * bend / kRate;
        p2 += v.tone_hz * 1.62 * bend / kRate;
        const double tone = (std::sin(2 * kPi * p1) + 0.5 * std::sin(2 * kPi * p2)) *
                            std::exp(-t / v.tone_decay) * v.tone_level;
        const float n = noise.White();
        const double rattle = (wires.Band(n) * 1.4 + body.High(n) * 0.5) *
                              std::exp(-t / v.noise_decay) * (1.0 + 1.5 * std::exp(-t / 0.008));
        out[i] = SoftClip(static_cast<float>((tone + rattle * 0.6) * Ramp(t, 0.0008) * 1.3));
    }
    FadeEdges(out, 0.0, 0.04);
    return out;
}

Mono Clap(std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(0.35));
    Svf band;
    band.Set(1300, 1.6);
    Svf air;
    air.Set(3000, 0.7);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double env = 0;
        for (int b = 0; b < 3; ++b) {
            const double tb = t - b * 0.011;
            if (tb >= 0) env += std::exp(-tb / 0.0035) * Ramp(tb, 0.0004);
        }
        if (t >= 0.033) env += 0.8 * std::exp(-(t - 0.033) / 0.085) * Ramp(t - 0.033, 0.0004);
        const float n = noise.White();
        out[i] = static_cast<float>((band.Band(n) * 1.6 + air.High(n) * 0.25) * env);
    }
    FadeEdges(out, 0.0, 0.04);
    return out;
}

namespace {

// Six detuned square partials: the inharmonic metal of cymbals and hats.
double Metal(Oscillator* oscs, double scale) {
    static constexpr double kPartials[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double sum = 0;
    for (int k = 0; k < 6; ++k) sum += oscs[k].Next(kPartials[k] * scale);
    return sum / 6.0;
}

}  // namespace

Mono HiHat(double decay, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(std::min(1.0, decay * 7 + 0.02)));
    Oscillator oscs[6] = {
        Oscillator(Oscillator::Wave::kSquare, 0.1), Oscillator(Oscillator::Wave::kSquare, 0.7),
        Oscillator(Oscillator::Wave::kSquare, 0.3), Oscillator(Oscillator::Wave::kSquare, 0.9),
        Oscillator(Oscillator::Wave::kSquare, 0.5), Oscillator(Oscillator::Wave::kSquare, 0.2)};
    Svf band;
    band.Set(8500, 1.0);
    Svf high;
    high.Set(5500, 0.7);
    const double scale = 1.0 + 0.02 * noise.White();
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double metal = Metal(oscs, 7.0 * scale);
        const float x = static_cast<float>(metal * 0.7 + noise.White() * 0.45);
        const float y = high.High(band.Band(x));
        out[i] = static_cast<float>(y * 1.6 * Ramp(t, 0.0005) * std::exp(-t / decay));
    }
    FadeEdges(out, 0.0, 0.01);
    return out;
}

Mono Crash(double length, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(length));
    Oscillator oscs[6] = {
        Oscillator(Oscillator::Wave::kSquare, 0.4),  Oscillator(Oscillator::Wave::kSquare, 0.1),
        Oscillator(Oscillator::Wave::kSquare, 0.8),  Oscillator(Oscillator::Wave::kSquare, 0.6),
        Oscillator(Oscillator::Wave::kSquare, 0.25), Oscillator(Oscillator::Wave::kSquare, 0.95)};
    Svf high;
    high.Set(4200, 0.6);
    Svf shimmer;
    shimmer.Set(7500, 0.9);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double metal = Metal(oscs, 4.3);
        const float x = static_cast<float>(metal * 0.5 + noise.White() * 0.8);
        const Svf::Out h = high.Process(x);
        const float y = h.high * 0.7f + shimmer.Band(x) * 0.6f;
        const double env = (0.55 * std::exp(-t / (length * 0.28)) + 0.45 * std::exp(-t / 0.09));
        out[i] = static_cast<float>(y * env * Ramp(t, 0.001));
    }
    FadeEdges(out, 0.0, length * 0.3);
    return out;
}

Mono Clang(double hz, double decay, std::uint32_t seed) {
    Noise noise(seed);
    Mono out(Samples(decay * 5 + 0.05));
    // Partial ratios of a free metal plate; higher partials die sooner.
    static constexpr double kRatios[6] = {1.0, 1.593, 2.135, 2.653, 3.92, 5.41};
    static constexpr double kLevels[6] = {1.0, 0.8, 0.6, 0.55, 0.35, 0.25};
    double detune[6];
    for (double& d : detune) d = 1.0 + 0.006 * noise.White();
    double phases[6] = {0, 0, 0, 0, 0, 0};
    Svf strike;
    strike.Set(hz * 3, 1.0);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        double sum = 0;
        for (int k = 0; k < 6; ++k) {
            phases[k] += hz * kRatios[k] * detune[k] / kRate;
            sum += std::sin(2 * kPi * phases[k]) * kLevels[k] *
                   std::exp(-t / (decay / (1.0 + 0.45 * k)));
        }
        const double hit = strike.Band(noise.White()) * std::exp(-t / 0.006) * 1.5;
        out[i] = static_cast<float>((sum * 0.3 + hit) * Ramp(t, 0.0008));
    }
    FadeEdges(out, 0.0, decay);
    return out;
}

}  // namespace datagen::synth
