// What a visualization sees of the audio at one moment: per channel, 576 spectrum bytes
// (lowest frequencies first, 0-255 on a decibel scale) and 576 waveform bytes (signed
// 8-bit samples).
#pragma once

#include <cstdint>

#include "tools/host/audio_clip.h"

constexpr int kVisBytes = 576;
constexpr int kVisChannels = 2;

// Analysis window and transform. The window is zero-padded to the transform size so the
// 576 bins step by rate / 2048 (21.5 Hz at 44.1 kHz) while the window stays short enough
// (23 ms) for a beat to show within one 25 ms frame.
constexpr int kWindowSamples = 1024;
constexpr int kFftSize = 2048;

// Decibels relative to a full-scale sine that map to byte 0 and byte 255.
constexpr double kFloorDb = -84.0;
constexpr double kCeilingDb = -12.0;

struct VisFrame {
    unsigned char spectrum[kVisChannels][kVisBytes];
    unsigned char waveform[kVisChannels][kVisBytes];
};

// The byte for one bin's magnitude, where 1.0 is a full-scale sine.
unsigned char spectrumByte(double magnitude);

// Fills the frame for the moment `frame` (a sample frame index of the clip, the centre of
// the analysis). One requested channel gets the mix of the clip's channels; two get left
// and right (a mono clip on both). Channels not requested are zero; requests outside 0-2
// are taken as the nearest of those.
void analyseMoment(const AudioClip& clip, int64_t frame, int spectrumChannels, int waveformChannels,
                   VisFrame* out);
