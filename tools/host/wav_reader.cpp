#include "tools/host/wav_reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

constexpr int kFormatPcm = 1;
constexpr int kFormatExtensible = 0xFFFE;
constexpr int kMinRate = 8000;
constexpr int kMaxRate = 192000;

uint32_t readU32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t readU16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool fail(std::string* error, const std::string& reason) {
    *error = reason;
    return false;
}

struct Format {
    int tag;
    int channels;
    uint32_t rate;
    int blockAlign;
    int bits;
};

bool readFormat(const uint8_t* chunk, uint32_t size, Format* format, std::string* error) {
    if (size < 16) {
        return fail(error, "fmt chunk is too short (" + std::to_string(size) + " bytes)");
    }
    format->tag = readU16(chunk);
    format->channels = readU16(chunk + 2);
    format->rate = readU32(chunk + 4);
    format->blockAlign = readU16(chunk + 12);
    format->bits = readU16(chunk + 14);
    if (format->tag == kFormatExtensible) {
        // The real format is the first two bytes of the sub-format GUID at offset 24.
        if (size < 40) {
            return fail(error,
                        "extensible fmt chunk is too short (" + std::to_string(size) + " bytes)");
        }
        format->tag = readU16(chunk + 24);
    }
    if (format->tag != kFormatPcm) {
        return fail(error, "not PCM (format tag " + std::to_string(format->tag) +
                               "); only 16-bit PCM is supported");
    }
    if (format->bits != 16) {
        return fail(error,
                    std::to_string(format->bits) + "-bit samples; only 16-bit PCM is supported");
    }
    if (format->channels != 1 && format->channels != 2) {
        return fail(error, std::to_string(format->channels) +
                               " channels; only mono and stereo are supported");
    }
    if (format->rate < kMinRate || format->rate > kMaxRate) {
        return fail(
            error, "sample rate " + std::to_string(format->rate) + " Hz is outside 8000-192000 Hz");
    }
    if (format->blockAlign != format->channels * 2) {
        return fail(error, "block alignment " + std::to_string(format->blockAlign) +
                               " does not fit " + std::to_string(format->channels) +
                               " channels of 16 bits");
    }
    return true;
}

}  // namespace

bool parseWav(const uint8_t* bytes, size_t size, AudioClip* clip, std::string* error) {
    if (size < 12 || std::memcmp(bytes, "RIFF", 4) != 0 || std::memcmp(bytes + 8, "WAVE", 4) != 0) {
        return fail(error, "not a RIFF/WAVE file");
    }
    // Streaming writers leave the RIFF size at 0 or too large; only trust it to cut off
    // trailing junk.
    size_t end = size;
    uint32_t riffSize = readU32(bytes + 4);
    if (riffSize >= 4 && riffSize - 4 < size - 12) {
        end = 12 + (riffSize - 4);
    }

    Format format{};
    bool haveFormat = false;
    const uint8_t* data = nullptr;
    uint32_t dataSize = 0;
    size_t at = 12;
    while (!(haveFormat && data)) {
        if (at + 8 > end) {
            if (at < end) {
                return fail(error, "truncated chunk header at byte " + std::to_string(at));
            }
            return fail(error, haveFormat ? "no data chunk" : "no fmt chunk");
        }
        const uint8_t* header = bytes + at;
        uint32_t chunkSize = readU32(header + 4);
        size_t available = end - (at + 8);
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (haveFormat) {
                return fail(error, "more than one fmt chunk");
            }
            if (chunkSize > available) {
                return fail(error, "fmt chunk is truncated");
            }
            if (!readFormat(header + 8, chunkSize, &format, error)) {
                return false;
            }
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (data) {
                return fail(error, "more than one data chunk");
            }
            if (chunkSize > available) {
                return fail(error, "data chunk is truncated (declares " +
                                       std::to_string(chunkSize) + " bytes, " +
                                       std::to_string(available) + " present)");
            }
            data = header + 8;
            dataSize = chunkSize;
        } else if (chunkSize > available) {
            return fail(error, "chunk \"" + std::string(reinterpret_cast<const char*>(header), 4) +
                                   "\" is truncated");
        }
        // Chunks are padded to an even length.
        at += 8 + static_cast<size_t>(chunkSize) + (chunkSize & 1);
    }

    if (dataSize % format.blockAlign != 0) {
        return fail(error, "data size " + std::to_string(dataSize) +
                               " is not a whole number of sample frames");
    }
    if (dataSize == 0) {
        return fail(error, "no audio in the data chunk");
    }
    clip->sampleRate = static_cast<int>(format.rate);
    clip->channels = format.channels;
    clip->loops = false;
    clip->samples.resize(dataSize / 2);
    for (size_t i = 0; i < clip->samples.size(); ++i) {
        clip->samples[i] = static_cast<int16_t>(readU16(data + 2 * i));
    }
    return true;
}

bool loadWavFile(const char* path, AudioClip* clip, std::string* error) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        return fail(error, std::string("cannot open: ") + std::strerror(errno));
    }
    std::vector<uint8_t> bytes;
    uint8_t block[65536];
    size_t got;
    bool tooLarge = false;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes.size() + got > kMaxWavBytes) {
            tooLarge = true;
            break;
        }
        bytes.insert(bytes.end(), block, block + got);
    }
    bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (tooLarge) {
        return fail(error, "larger than " + std::to_string(kMaxWavBytes >> 20) + " MB");
    }
    if (readError) {
        return fail(error, "read error");
    }
    return parseWav(bytes.data(), bytes.size(), clip, error);
}
