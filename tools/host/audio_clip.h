// Audio as the host holds it: interleaved signed 16-bit samples at one rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct AudioClip {
    int sampleRate = 0;
    int channels = 0;    // 1 or 2
    bool loops = false;  // the built-in beat repeats; a file plays once
    std::vector<int16_t> samples;

    int64_t frames() const {
        return channels > 0 ? static_cast<int64_t>(samples.size()) / channels : 0;
    }

    // Silence outside a one-shot clip, so that analysis windows reaching past either end
    // see no made-up signal.
    int sampleAt(int64_t frame, int channel) const {
        int64_t count = frames();
        if (count == 0) {
            return 0;
        }
        if (loops) {
            frame %= count;
            if (frame < 0) {
                frame += count;
            }
        } else if (frame < 0 || frame >= count) {
            return 0;
        }
        return samples[static_cast<size_t>(frame * channels + channel)];
    }
};
