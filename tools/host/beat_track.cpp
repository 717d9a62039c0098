#include "tools/host/beat_track.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kClickLevel = 0.15;
constexpr double kHatLevel = 0.01;

// Stereo float mix; events write past the loop's end wrap to its start, so the loop
// joins without a click.
struct Mix {
    std::vector<float> left, right;
    int64_t frames;

    explicit Mix(int64_t count) : left(count), right(count), frames(count) {}

    void add(int64_t frame, double value, double pan) {
        int64_t at = frame % frames;
        left[at] += static_cast<float>(value * (1 - pan));
        right[at] += static_cast<float>(value * (1 + pan));
    }
};

// Our own generator: the hi-hat noise must be the same on every platform and library.
uint32_t nextNoise(uint32_t& state) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return state;
}

void addKick(Mix& mix, int64_t start, uint32_t& noise) {
    const double seconds = 0.45;
    double phase = 0;
    for (int64_t i = 0; i < seconds * kBeatRate; ++i) {
        double t = static_cast<double>(i) / kBeatRate;
        double freq = 48 + 110 * std::exp(-t / 0.03);  // the pitch drop makes it a kick
        phase += 2 * kPi * freq / kBeatRate;
        double body = std::sin(phase) * std::exp(-t / 0.11);
        // A cut-off tail would click across the whole spectrum: fade it out instead.
        double attack = std::min(1.0, t / 0.002);
        double release = std::min(1.0, (seconds - t) / 0.1);
        // The beater's click: broadband, so the beat lifts the whole lower spectrum and not
        // only the few bins that the bass already fills.
        double white = static_cast<double>(nextNoise(noise)) / 4294967296.0 - 0.5;
        double click = t < 0.05 ? white * std::exp(-t / 0.012) : 0;
        mix.add(start + i, 0.7 * attack * release * body + kClickLevel * click, 0);
    }
}

void addHat(Mix& mix, int64_t start, uint32_t& noise) {
    const double seconds = 0.06;
    double d1 = 0, d2 = 0, d3 = 0, d4 = 0;
    for (int64_t i = 0; i < seconds * kBeatRate; ++i) {
        double t = static_cast<double>(i) / kBeatRate;
        double white = static_cast<double>(nextNoise(noise)) / 4294967296.0 - 0.5;
        // A fourth difference keeps the noise up high, above the band the beat is seen in.
        double high = white - 4 * d1 + 6 * d2 - 4 * d3 + d4;
        d4 = d3;
        d3 = d2;
        d2 = d1;
        d1 = white;
        mix.add(start + i, kHatLevel * high * std::exp(-t / 0.012), 0.3);
    }
}

// A tone with a raised-cosine swell of `ramp` seconds at either end.
void addTone(Mix& mix, int64_t start, double seconds, double ramp, double freq, double level,
             double pan) {
    int64_t count = static_cast<int64_t>(seconds * kBeatRate);
    for (int64_t i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / kBeatRate;
        double edge = std::min({1.0, t / ramp, (seconds - t) / ramp});
        double fade = 0.5 - 0.5 * std::cos(kPi * edge);
        double wave = std::sin(2 * kPi * freq * t) + 0.3 * std::sin(4 * kPi * freq * t);
        mix.add(start + i, level * fade * wave, pan);
    }
}

}  // namespace

AudioClip makeBeatTrack() {
    const int64_t frames = static_cast<int64_t>(kBeatSeconds * kBeatRate);
    const int64_t beat = static_cast<int64_t>(kBeatInterval * kBeatRate);
    const double bar = 4 * kBeatInterval;
    Mix mix(frames);
    uint32_t noise = 0x2545F491u;

    // A minor, F, C, G: a bass root on every beat and a chord held through each bar.
    // Everything but the kick and the hi-hat swells in gently, so that only the beat
    // makes the spectrum jump.
    const double bass[4] = {110.0, 87.31, 130.81, 98.0};
    const double chords[4][3] = {{440.0, 523.25, 659.26},
                                 {349.23, 440.0, 523.25},
                                 {392.0, 523.25, 659.26},
                                 {392.0, 493.88, 587.33}};
    for (int64_t b = 0; b * beat < frames; ++b) {
        int chord = static_cast<int>(b / 4) % 4;
        addKick(mix, b * beat, noise);
        addHat(mix, b * beat + beat / 2, noise);
        addTone(mix, b * beat, kBeatInterval, 0.08, bass[chord], 0.10, 0);
        if (b % 4 == 0) {
            for (int n = 0; n < 3; ++n) {
                addTone(mix, b * beat, bar, 0.15, chords[chord][n], 0.03, (n - 1) * 0.5);
            }
        }
    }

    AudioClip clip;
    clip.sampleRate = kBeatRate;
    clip.channels = 2;
    clip.loops = true;
    clip.samples.resize(static_cast<size_t>(frames) * 2);
    for (int64_t i = 0; i < frames; ++i) {
        const float side[2] = {mix.left[i], mix.right[i]};
        for (int c = 0; c < 2; ++c) {
            double v = std::clamp(static_cast<double>(side[c]) * 32767, -32768.0, 32767.0);
            clip.samples[static_cast<size_t>(i * 2 + c)] = static_cast<int16_t>(std::lround(v));
        }
    }
    return clip;
}
