#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "tools/host/spectrum.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kRate = 44100;

// One second of a sine at `amplitude` (1.0 is full scale) on the chosen channels.
AudioClip sine(double freq, double amplitude, int channels = 1, bool left = true,
               bool right = true) {
    AudioClip clip;
    clip.sampleRate = kRate;
    clip.channels = channels;
    for (int i = 0; i < kRate; ++i) {
        double v = amplitude * 32767 * std::sin(2 * kPi * freq * i / kRate);
        int16_t s = static_cast<int16_t>(std::lround(v));
        clip.samples.push_back(left || channels == 1 ? s : 0);
        if (channels == 2) {
            clip.samples.push_back(right ? s : 0);
        }
    }
    return clip;
}

// The frequency of spectrum byte `bin`.
double binFrequency(int bin) { return static_cast<double>(bin) * kRate / kFftSize; }

int peakBin(const unsigned char* spectrum) {
    return static_cast<int>(std::max_element(spectrum, spectrum + kVisBytes) - spectrum);
}

int sum(const unsigned char* bytes, int count) { return std::accumulate(bytes, bytes + count, 0); }

VisFrame analyse(const AudioClip& clip, int64_t frame, int spectra = 1, int waves = 1) {
    VisFrame out;
    analyseMoment(clip, frame, spectra, waves, &out);
    return out;
}

TEST(SpectrumBytes, DecibelScaleFromFloorToCeiling) {
    EXPECT_EQ(spectrumByte(0), 0);
    EXPECT_EQ(spectrumByte(-1), 0);
    EXPECT_EQ(spectrumByte(std::nan("")), 0);
    EXPECT_EQ(spectrumByte(std::pow(10, kFloorDb / 20)), 0);
    EXPECT_EQ(spectrumByte(std::pow(10, kCeilingDb / 20)), 255);
    EXPECT_EQ(spectrumByte(1), 255);
    EXPECT_EQ(spectrumByte(1e9), 255);
    // Equal steps in decibels are equal steps in bytes.
    int a = spectrumByte(std::pow(10, -60.0 / 20));
    int b = spectrumByte(std::pow(10, -40.0 / 20));
    int c = spectrumByte(std::pow(10, -20.0 / 20));
    EXPECT_NEAR(b - a, c - b, 1);
    EXPECT_NEAR(b - a, 20 * 255 / (kCeilingDb - kFloorDb), 1);
}

TEST(SpectrumBytes, ASineLightsItsOwnBinLowestFrequenciesFirst) {
    for (int bin : {3, 40, 150, 287, 500}) {
        VisFrame loud = analyse(sine(binFrequency(bin), 0.5), kRate / 2);
        EXPECT_EQ(loud.spectrum[0][bin], 255);  // -6 dB is above the ceiling
        VisFrame f = analyse(sine(binFrequency(bin), 0.03), kRate / 2);
        EXPECT_EQ(peakBin(f.spectrum[0]), bin);
    }
    // A quiet tone sits where its level says, and far bins stay dark.
    VisFrame f = analyse(sine(binFrequency(100), std::pow(10, -48.0 / 20)), kRate / 2);
    EXPECT_NEAR(f.spectrum[0][100], (-48 - kFloorDb) * 255 / (kCeilingDb - kFloorDb), 3);
    EXPECT_EQ(f.spectrum[0][300], 0);
}

TEST(SpectrumBytes, SilenceIsZero) {
    VisFrame f = analyse(sine(1000, 0), kRate / 2, 2, 2);
    for (int c = 0; c < kVisChannels; ++c) {
        EXPECT_EQ(sum(f.spectrum[c], kVisBytes), 0);
        EXPECT_EQ(sum(f.waveform[c], kVisBytes), 0);
    }
}

TEST(SpectrumBytes, OrdinaryMusicLevelsFillTheRangeWithoutSaturating) {
    // Pink noise (the spectral slope of most music) at the loudness of mastered music.
    for (double dbfs : {-12.0, -20.0, -28.0}) {
        AudioClip clip;
        clip.sampleRate = kRate;
        clip.channels = 1;
        uint32_t state = 12345;
        double b0 = 0, b1 = 0, b2 = 0;
        std::vector<double> pink(kRate);
        double power = 0;
        for (double& v : pink) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            double white = state / 4294967296.0 - 0.5;
            b0 = 0.99765 * b0 + white * 0.0990460;
            b1 = 0.96300 * b1 + white * 0.2965164;
            b2 = 0.57000 * b2 + white * 1.0526913;
            v = b0 + b1 + b2 + white * 0.1848;
            power += v * v;
        }
        double gain = std::pow(10, dbfs / 20) * 32768 / std::sqrt(power / kRate);
        for (double v : pink) {
            clip.samples.push_back(static_cast<int16_t>(std::lround(v * gain)));
        }
        int saturated = 0, dark = 0, total = 0;
        long lowHalf = 0, highHalf = 0;
        for (int64_t at = 2048; at < kRate - 2048; at += 1103) {
            VisFrame f = analyse(clip, at);
            for (int i = 0; i < kVisBytes; ++i) {
                saturated += f.spectrum[0][i] == 255;
                dark += f.spectrum[0][i] < 16;
                ++total;
            }
            lowHalf += sum(f.spectrum[0], kVisBytes / 2);
            highHalf += sum(f.spectrum[0] + kVisBytes / 2, kVisBytes / 2);
        }
        EXPECT_LT(saturated, total / 100) << dbfs << " dBFS";
        EXPECT_LT(dark, total / 20) << dbfs << " dBFS";
        EXPECT_GT(lowHalf, highHalf) << dbfs << " dBFS";
    }
}

TEST(SpectrumChannels, OneChannelIsTheMixTwoAreLeftAndRight) {
    const double byteStepsPerDb = 255 / (kCeilingDb - kFloorDb);
    AudioClip leftOnly = sine(binFrequency(60), 0.1, 2, true, false);  // -20 dB
    VisFrame both = analyse(leftOnly, kRate / 2, 2, 2);
    EXPECT_NEAR(both.spectrum[0][60], (-20 - kFloorDb) * byteStepsPerDb, 2);
    EXPECT_EQ(sum(both.spectrum[1], kVisBytes), 0);
    EXPECT_EQ(sum(both.waveform[1], kVisBytes), 0);

    // The mix is the mean of the channels: half the level, 6 dB down.
    VisFrame mixed = analyse(leftOnly, kRate / 2, 1, 1);
    EXPECT_NEAR(both.spectrum[0][60] - mixed.spectrum[0][60], 6.02 * byteStepsPerDb, 1.5);
    EXPECT_EQ(sum(mixed.spectrum[1], kVisBytes), 0);

    // A mono clip feeds both channels alike.
    VisFrame mono = analyse(sine(binFrequency(60), 0.5), kRate / 2, 2, 2);
    EXPECT_TRUE(std::equal(mono.spectrum[0], mono.spectrum[0] + kVisBytes, mono.spectrum[1]));
    EXPECT_TRUE(std::equal(mono.waveform[0], mono.waveform[0] + kVisBytes, mono.waveform[1]));

    // Requests beyond the record's two channels are held to them.
    VisFrame tooMany = analyse(sine(binFrequency(60), 0.5), kRate / 2, 7, 7);
    EXPECT_EQ(tooMany.spectrum[1][60], 255);
    VisFrame none = analyse(sine(binFrequency(60), 0.5), kRate / 2, -1, 0);
    EXPECT_EQ(sum(none.spectrum[0], kVisBytes), 0);
    EXPECT_EQ(sum(none.waveform[0], kVisBytes), 0);
}

TEST(Waveform, SignedEightBitSamplesCentredOnTheMoment) {
    AudioClip clip;
    clip.sampleRate = kRate;
    clip.channels = 1;
    clip.samples.assign(4000, 0);
    const int64_t moment = 2000;
    clip.samples[moment] = 32767;
    clip.samples[moment + 1] = -32768;
    clip.samples[moment + 2] = -256;
    clip.samples[moment + 3] = 255;
    clip.samples[moment - kVisBytes / 2] = 1000;  // the first byte
    VisFrame f = analyse(clip, moment);
    const unsigned char* w = f.waveform[0] + kVisBytes / 2;
    EXPECT_EQ(static_cast<int8_t>(w[0]), 127);
    EXPECT_EQ(static_cast<int8_t>(w[1]), -128);
    EXPECT_EQ(static_cast<int8_t>(w[2]), -1);
    EXPECT_EQ(static_cast<int8_t>(w[3]), 0);
    EXPECT_EQ(static_cast<int8_t>(f.waveform[0][0]), 3);
}

TEST(Waveform, OneShotClipsAreSilentBeyondTheirEndsLoopsWrap) {
    AudioClip clip = sine(binFrequency(80), 0.03);
    VisFrame pastEnd = analyse(clip, clip.frames() + kWindowSamples);
    EXPECT_EQ(sum(pastEnd.spectrum[0], kVisBytes), 0);
    EXPECT_EQ(sum(pastEnd.waveform[0], kVisBytes), 0);
    VisFrame beforeStart = analyse(clip, -kWindowSamples);
    EXPECT_EQ(sum(beforeStart.spectrum[0], kVisBytes), 0);

    clip.loops = true;
    VisFrame secondRound = analyse(clip, clip.frames() + 5000);
    VisFrame firstRound = analyse(clip, 5000);
    EXPECT_TRUE(std::equal(firstRound.waveform[0], firstRound.waveform[0] + kVisBytes,
                           secondRound.waveform[0]));
    EXPECT_EQ(peakBin(secondRound.spectrum[0]), 80);
}

}  // namespace
