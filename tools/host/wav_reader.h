// Reads 16-bit PCM WAV files, mono or stereo.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "tools/host/audio_clip.h"

// Files above this size are refused rather than half-loaded into a 32-bit address space.
constexpr size_t kMaxWavBytes = 256u << 20;

// Parses a whole RIFF/WAVE image. On failure returns false and a one-line reason.
bool parseWav(const uint8_t* bytes, size_t size, AudioClip* clip, std::string* error);

bool loadWavFile(const char* path, AudioClip* clip, std::string* error);
