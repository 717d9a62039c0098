// The built-in track: a loop with a clear beat, so the host runs with no file at all.
#pragma once

#include "tools/host/audio_clip.h"

constexpr int kBeatRate = 44100;
constexpr double kBeatSeconds = 8.0;      // one loop: four bars of four beats
constexpr double kBeatInterval = 0.5;     // a kick every half second, 120 beats a minute
constexpr double kBeatDefaultRun = 20.0;  // seconds the host plays it when not told

// Stereo, 44.1 kHz, looping: a kick on every beat, a closed hi-hat between beats, a bass
// note and a chord that change every bar. The same samples on every call and platform.
AudioClip makeBeatTrack();
