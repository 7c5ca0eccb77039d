// The seven sound effects, synthesised from sine waves and a fixed-seed noise generator, then
// scaled to a set peak well below full scale (so nothing clips) with short fades at both ends.
#include <algorithm>
#include <array>
#include <cmath>

#include "Catalogue.h"

namespace assetgen {

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr double Rate = SampleRate;

using Buffer = std::vector<double>;

Buffer silence(double seconds) {
    return Buffer(std::size_t(std::lround(seconds * Rate)), 0.0);
}

double attackDecay(double t, double attack, double decay) {
    if (t < 0.0) {
        return 0.0;
    }
    return t < attack ? t / attack : std::exp(-(t - attack) / decay);
}

// A sine whose frequency follows `freq(t)`, accumulated phase by phase, added from `start` on.
template <class F, class A> void addGlide(Buffer& out, double start, double length, F freq, A amp) {
    double phase = 0.0;
    const std::size_t first = std::size_t(std::lround(start * Rate));
    const std::size_t count = std::size_t(std::lround(length * Rate));
    for (std::size_t i = 0; i < count && first + i < out.size(); ++i) {
        const double t = double(i) / Rate;
        phase += 2.0 * Pi * freq(t) / Rate;
        out[first + i] += std::sin(phase) * amp(t);
    }
}

// One-pole low-pass whose cut-off may change with time.
template <class F> void lowPass(Buffer& b, F cutoff) {
    double y = 0.0;
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double fc = cutoff(double(i) / Rate);
        const double a = 1.0 - std::exp(-2.0 * Pi * fc / Rate);
        y += a * (b[i] - y);
        b[i] = y;
    }
}

Buffer noise(double seconds, std::uint32_t seed) {
    Random random(seed);
    Buffer b = silence(seconds);
    for (double& v : b) {
        v = random.next() * 2.0 - 1.0;
    }
    return b;
}

void addBubbles(Buffer& out, int count, double from, double to, double loudness,
                std::uint32_t seed) {
    Random random(seed);
    for (int i = 0; i < count; ++i) {
        const double start = random.range(from, to);
        const double f0 = random.range(280.0, 900.0);
        const double size = random.range(0.5, 1.0);
        addGlide(
            out, start, 0.09, [f0](double t) { return f0 * (1.0 + 9.0 * t); },
            [=](double t) { return loudness * size * attackDecay(t, 0.004, 0.025); });
    }
}

// Scales to `peak` of full scale, fades the ends and rounds to 16-bit samples.
std::vector<std::int16_t> finish(Buffer b, double peak) {
    double most = 0.0;
    for (double v : b) {
        most = std::max(most, std::abs(v));
    }
    const double gain = most > 0.0 ? peak / most : 0.0;
    const std::size_t fadeIn = std::size_t(0.003 * Rate), fadeOut = std::size_t(0.012 * Rate);
    std::vector<std::int16_t> out(b.size());
    for (std::size_t i = 0; i < b.size(); ++i) {
        double v = b[i] * gain;
        if (i < fadeIn) {
            v *= double(i) / double(fadeIn);
        }
        if (b.size() - i <= fadeOut) {
            v *= double(b.size() - 1 - i) / double(fadeOut);
        }
        out[i] = std::int16_t(std::lround(std::clamp(v, -1.0, 1.0) * 32767.0));
    }
    return out;
}

// A soft click for a menu opening: two short damped tones and a breath of noise.
std::vector<std::int16_t> menuClick() {
    Buffer b = silence(0.09);
    addGlide(
        b, 0.0, 0.09, [](double) { return 1480.0; },
        [](double t) { return 0.6 * attackDecay(t, 0.001, 0.010); });
    addGlide(
        b, 0.0, 0.09, [](double) { return 740.0; },
        [](double t) { return 0.4 * attackDecay(t, 0.002, 0.018); });
    Buffer n = noise(0.09, 101u);
    lowPass(n, [](double) { return 2500.0; });
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] += n[i] * 0.5 * attackDecay(double(i) / Rate, 0.0005, 0.004);
    }
    return finish(b, 0.45);
}

// The launch: a falling low thump and a short splash.
std::vector<std::int16_t> launchThump() {
    Buffer b = silence(0.45);
    addGlide(
        b, 0.0, 0.45, [](double t) { return 42.0 + 120.0 * std::exp(-t / 0.05); },
        [](double t) { return attackDecay(t, 0.003, 0.11); });
    Buffer n = noise(0.45, 202u);
    lowPass(n, [](double t) { return 200.0 + 1800.0 * std::exp(-t / 0.04); });
    for (std::size_t i = 0; i < b.size(); ++i) {
        const double t = double(i) / Rate;
        b[i] +=
            n[i] * (0.9 * attackDecay(t, 0.002, 0.03) + 0.35 * attackDecay(t - 0.04, 0.02, 0.08));
    }
    return finish(b, 0.8);
}

// An explosion under water: a deep boom, a muffled roar that closes down, and rising bubbles.
std::vector<std::int16_t> underwaterExplosion() {
    Buffer b = silence(1.4);
    addGlide(
        b, 0.0, 1.4, [](double t) { return 30.0 + 40.0 * std::exp(-t / 0.15); },
        [](double t) { return attackDecay(t, 0.004, 0.35); });
    Buffer n = noise(1.4, 303u);
    lowPass(n, [](double t) { return 110.0 + 900.0 * std::exp(-t / 0.12); });
    lowPass(n, [](double t) { return 140.0 + 700.0 * std::exp(-t / 0.15); });
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] += n[i] * 2.6 * attackDecay(double(i) / Rate, 0.006, 0.45);
    }
    addBubbles(b, 16, 0.25, 1.2, 0.12, 304u);
    return finish(b, 0.9);
}

// A metallic hit: inharmonic ringing partials over a sharp click.
std::vector<std::int16_t> metallicHit() {
    Buffer b = silence(0.9);
    static constexpr std::array<std::array<double, 3>, 6> partials = {{
        {{420.0, 1.0, 0.32}},
        {{427.0, 0.5, 0.30}},
        {{1083.0, 0.6, 0.20}},
        {{1709.0, 0.45, 0.14}},
        {{2390.0, 0.3, 0.09}},
        {{3120.0, 0.2, 0.06}},
    }};
    for (const auto& p : partials) {
        addGlide(
            b, 0.0, 0.9, [f = p[0]](double) { return f; },
            [a = p[1], d = p[2]](double t) { return a * attackDecay(t, 0.001, d); });
    }
    Buffer n = noise(0.9, 404u);
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] += n[i] * 1.2 * attackDecay(double(i) / Rate, 0.0003, 0.006);
    }
    return finish(b, 0.85);
}

// The end of the vessel: a tone that wavers and falls away, muffled as it sinks, with bubbles.
std::vector<std::int16_t> sinkingTone() {
    const double length = 2.6;
    Buffer b = silence(length);
    auto freq = [](double t) {
        const double base = 660.0 * std::pow(90.0 / 660.0, t / 2.4);
        return base * (1.0 + 0.012 * (1.0 + 3.0 * t) * std::sin(2.0 * Pi * 5.5 * t));
    };
    auto level = [length](double t) {
        const double fadeOut = std::clamp((length - t) / 0.9, 0.0, 1.0);
        return std::min(1.0, t / 0.02) * fadeOut * fadeOut;
    };
    for (int harmonic = 1; harmonic <= 3; ++harmonic) {
        const double weight = harmonic == 1 ? 1.0 : harmonic == 2 ? 0.35 : 0.15;
        addGlide(
            b, 0.0, length, [&](double t) { return freq(t) * harmonic; },
            [&](double t) { return weight * level(t); });
    }
    lowPass(b, [](double t) { return 3000.0 * std::exp(-t / 0.9) + 250.0; });
    addBubbles(b, 12, 1.2, 2.3, 0.25, 505u);
    return finish(b, 0.8);
}

// A short buzz: two pulses of a rough, slightly detuned tone.
std::vector<std::int16_t> errorBuzz() {
    Buffer b = silence(0.32);
    for (double start : {0.0, 0.17}) {
        for (double f : {150.0, 157.0}) {
            for (int h = 1; h <= 31; h += 2) {
                if (f * h > 5000.0) {
                    break;
                }
                addGlide(
                    b, start, 0.13, [f, h](double) { return f * h; },
                    [h](double t) {
                        const double gate = std::min({1.0, t / 0.004, (0.125 - t) / 0.005});
                        return std::max(gate, 0.0) / h;
                    });
            }
        }
    }
    lowPass(b, [](double) { return 3500.0; });
    return finish(b, 0.55);
}

// The closing jingle: a rising arpeggio and a ringing chord, like struck bars, with an echo.
std::vector<std::int16_t> closingJingle() {
    const double length = 2.5;
    Buffer b = silence(length);
    auto note = [](int midi) { return 440.0 * std::pow(2.0, (midi - 69) / 12.0); };
    auto bar = [&](double start, int midi, double ring, double loud) {
        const double f = note(midi);
        addGlide(
            b, start, length - start, [f](double) { return f; },
            [=](double t) { return loud * attackDecay(t, 0.004, ring); });
        addGlide(
            b, start, length - start, [f](double) { return f * 2.0; },
            [=](double t) { return loud * 0.35 * attackDecay(t, 0.002, ring * 0.4); });
        addGlide(
            b, start, length - start, [f](double) { return f * 3.98; },
            [=](double t) { return loud * 0.12 * attackDecay(t, 0.001, ring * 0.15); });
    };
    const std::array<int, 4> run = {67, 72, 76, 79}; // G4 C5 E5 G5
    for (std::size_t i = 0; i < run.size(); ++i) {
        bar(0.13 * double(i), run[i], 0.3, 0.7);
    }
    for (int midi : {72, 76, 79, 84}) { // C major, C6 on top
        bar(0.62, midi, 0.7, 0.55);
    }
    // A quiet echo.
    const std::size_t delay = std::size_t(0.19 * Rate);
    for (std::size_t i = b.size(); i-- > delay;) {
        b[i] += 0.22 * b[i - delay];
    }
    return finish(b, 0.8);
}

} // namespace

std::vector<Sound> makeSounds() {
    return {
        {"Bu", menuClick()},      {"put", launchThump()}, {"explo", underwaterExplosion()},
        {"hit", metallicHit()},   {"dea", sinkingTone()}, {"error", errorBuzz()},
        {"end", closingJingle()},
    };
}

} // namespace assetgen
