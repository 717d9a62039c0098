#include "tools/host/spectrum.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct FftPlan {
    std::vector<double> window;
    std::vector<std::complex<double>> twiddles;
    std::vector<int> reversed;
    double fullScale;  // the bin magnitude of a full-scale sine centred on that bin

    FftPlan() : window(kWindowSamples), twiddles(kFftSize / 2), reversed(kFftSize) {
        double sum = 0;
        for (int i = 0; i < kWindowSamples; ++i) {
            window[i] = 0.5 - 0.5 * std::cos(2 * kPi * i / kWindowSamples);
            sum += window[i];
        }
        fullScale = 32768.0 * sum / 2;
        for (int i = 0; i < kFftSize / 2; ++i) {
            twiddles[i] = std::polar(1.0, -2 * kPi * i / kFftSize);
        }
        int bits = 0;
        while ((1 << bits) < kFftSize) {
            ++bits;
        }
        for (int i = 0; i < kFftSize; ++i) {
            int r = 0;
            for (int b = 0; b < bits; ++b) {
                r |= ((i >> b) & 1) << (bits - 1 - b);
            }
            reversed[i] = r;
        }
    }
};

const FftPlan& plan() {
    static const FftPlan instance;
    return instance;
}

void transform(std::vector<std::complex<double>>& x) {
    const FftPlan& p = plan();
    for (int i = 0; i < kFftSize; ++i) {
        if (i < p.reversed[i]) {
            std::swap(x[i], x[p.reversed[i]]);
        }
    }
    for (int len = 2; len <= kFftSize; len <<= 1) {
        int step = kFftSize / len;
        for (int start = 0; start < kFftSize; start += len) {
            for (int k = 0; k < len / 2; ++k) {
                std::complex<double> odd = x[start + k + len / 2] * p.twiddles[k * step];
                x[start + k + len / 2] = x[start + k] - odd;
                x[start + k] += odd;
            }
        }
    }
}

// Sample of one source: a single channel, or (channel < 0) the mix of all.
double sourceSample(const AudioClip& clip, int64_t frame, int channel) {
    if (channel >= 0) {
        return clip.sampleAt(frame, std::min(channel, clip.channels - 1));
    }
    double sum = 0;
    for (int c = 0; c < clip.channels; ++c) {
        sum += clip.sampleAt(frame, c);
    }
    return sum / clip.channels;
}

void spectrumOf(const AudioClip& clip, int64_t centre, int channel, unsigned char* out) {
    const FftPlan& p = plan();
    std::vector<std::complex<double>> x(kFftSize);
    int64_t first = centre - kWindowSamples / 2;
    for (int i = 0; i < kWindowSamples; ++i) {
        x[i] = sourceSample(clip, first + i, channel) * p.window[i];
    }
    transform(x);
    for (int bin = 0; bin < kVisBytes; ++bin) {
        out[bin] = spectrumByte(std::abs(x[bin]) / p.fullScale);
    }
}

void waveformOf(const AudioClip& clip, int64_t centre, int channel, unsigned char* out) {
    int64_t first = centre - kVisBytes / 2;
    for (int i = 0; i < kVisBytes; ++i) {
        // An arithmetic shift keeps the sign: -32768 becomes -128, 32767 becomes 127.
        int sample = static_cast<int>(std::lround(sourceSample(clip, first + i, channel)));
        out[i] = static_cast<unsigned char>(static_cast<int8_t>(sample >> 8));
    }
}

int clampChannels(int requested) { return std::clamp(requested, 0, kVisChannels); }

}  // namespace

unsigned char spectrumByte(double magnitude) {
    if (!(magnitude > 0)) {
        return 0;
    }
    double db = 20 * std::log10(magnitude);
    double level = (db - kFloorDb) * 255 / (kCeilingDb - kFloorDb);
    return static_cast<unsigned char>(std::lround(std::clamp(level, 0.0, 255.0)));
}

void analyseMoment(const AudioClip& clip, int64_t frame, int spectrumChannels, int waveformChannels,
                   VisFrame* out) {
    std::memset(out, 0, sizeof *out);
    if (clip.channels <= 0) {
        return;
    }
    int spectra = clampChannels(spectrumChannels);
    for (int c = 0; c < spectra; ++c) {
        spectrumOf(clip, frame, spectra == 1 ? -1 : c, out->spectrum[c]);
    }
    int waves = clampChannels(waveformChannels);
    for (int c = 0; c < waves; ++c) {
        waveformOf(clip, frame, waves == 1 ? -1 : c, out->waveform[c]);
    }
}
