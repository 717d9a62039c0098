#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/host/wav_reader.h"

namespace {

typedef std::vector<uint8_t> Bytes;

void put16(Bytes& b, unsigned v) {
    b.push_back(v & 0xFF);
    b.push_back((v >> 8) & 0xFF);
}

void put32(Bytes& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}

Bytes chunk(const char* id, const Bytes& body, bool pad = true) {
    Bytes b(id, id + 4);
    put32(b, static_cast<uint32_t>(body.size()));
    b.insert(b.end(), body.begin(), body.end());
    if (pad && (body.size() & 1)) {
        b.push_back(0);
    }
    return b;
}

Bytes fmtBody(unsigned tag, unsigned channels, uint32_t rate, unsigned bits,
              unsigned blockAlign = 0) {
    if (blockAlign == 0) {
        blockAlign = channels * bits / 8;
    }
    Bytes b;
    put16(b, tag);
    put16(b, channels);
    put32(b, rate);
    put32(b, rate * blockAlign);
    put16(b, blockAlign);
    put16(b, bits);
    return b;
}

Bytes extensibleBody(unsigned subFormat) {
    Bytes b = fmtBody(0xFFFE, 2, 48000, 16);
    put16(b, 22);  // extension size
    put16(b, 16);  // valid bits
    put32(b, 3);   // channel mask
    put16(b, subFormat);
    const uint8_t rest[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), rest, rest + 14);
    return b;
}

Bytes samples(const std::vector<int16_t>& values) {
    Bytes b;
    for (int16_t v : values) {
        put16(b, static_cast<uint16_t>(v));
    }
    return b;
}

Bytes riff(const std::vector<Bytes>& chunks, int64_t sizeField = -1) {
    Bytes body = {'W', 'A', 'V', 'E'};
    for (const Bytes& c : chunks) {
        body.insert(body.end(), c.begin(), c.end());
    }
    Bytes b = {'R', 'I', 'F', 'F'};
    put32(b, sizeField < 0 ? static_cast<uint32_t>(body.size()) : static_cast<uint32_t>(sizeField));
    b.insert(b.end(), body.begin(), body.end());
    return b;
}

Bytes withoutLast(Bytes b, size_t count) {
    b.resize(b.size() - count);
    return b;
}

bool parse(const Bytes& b, AudioClip* clip, std::string* error) {
    return parseWav(b.data(), b.size(), clip, error);
}

std::string rejection(const Bytes& b) {
    AudioClip clip;
    std::string error;
    EXPECT_FALSE(parse(b, &clip, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    return error;
}

const std::vector<int16_t> kStereo = {1, -1, 32767, -32768, 256, -256};

TEST(WavReader, ReadsMonoAndStereoSamplesWithTheirSign) {
    AudioClip clip;
    std::string error;
    ASSERT_TRUE(
        parse(riff({chunk("fmt ", fmtBody(1, 2, 44100, 16)), chunk("data", samples(kStereo))}),
              &clip, &error))
        << error;
    EXPECT_EQ(clip.sampleRate, 44100);
    EXPECT_EQ(clip.channels, 2);
    EXPECT_FALSE(clip.loops);
    EXPECT_EQ(clip.frames(), 3);
    EXPECT_EQ(clip.samples, kStereo);

    ASSERT_TRUE(parse(riff({chunk("fmt ", fmtBody(1, 1, 8000, 16)), chunk("data", samples({-5}))}),
                      &clip, &error))
        << error;
    EXPECT_EQ(clip.channels, 1);
    EXPECT_EQ(clip.sampleRate, 8000);
    EXPECT_EQ(clip.samples, std::vector<int16_t>{-5});
}

TEST(WavReader, FindsItsChunksAmongOthersInAnyOrder) {
    Bytes odd = {1, 2, 3};  // odd length: a pad byte follows
    std::vector<Bytes> layouts[] = {
        {chunk("LIST", odd), chunk("fmt ", fmtBody(1, 2, 22050, 16)), chunk("junk", {}),
         chunk("data", samples(kStereo)), chunk("id3 ", odd)},
        {chunk("data", samples(kStereo)), chunk("bext", odd),
         chunk("fmt ", fmtBody(1, 2, 22050, 16))},
        {chunk("fmt ", extensibleBody(1)), chunk("data", samples(kStereo))},
    };
    for (const auto& layout : layouts) {
        AudioClip clip;
        std::string error;
        ASSERT_TRUE(parse(riff(layout), &clip, &error)) << error;
        EXPECT_EQ(clip.samples, kStereo);
    }
}

TEST(WavReader, ToleratesAWrongRiffSizeButNotMissingAudio) {
    std::vector<Bytes> chunks = {chunk("fmt ", fmtBody(1, 2, 44100, 16)),
                                 chunk("data", samples(kStereo))};
    AudioClip clip;
    std::string error;
    // Streaming writers leave 0 or the largest size there.
    EXPECT_TRUE(parse(riff(chunks, 0), &clip, &error)) << error;
    EXPECT_TRUE(parse(riff(chunks, 0xFFFFFFFF), &clip, &error)) << error;
    // Bytes after the declared end are not part of the file.
    Bytes withTail = riff(chunks);
    withTail.insert(withTail.end(), {'x', 'y', 'z'});
    EXPECT_TRUE(parse(withTail, &clip, &error)) << error;
    // A declared end that cuts the data off is a truncated file.
    Bytes cut = riff(chunks);
    cut[4] -= 4;
    EXPECT_NE(rejection(cut).find("truncated"), std::string::npos);
}

TEST(WavReader, RejectsWhatIsNotSixteenBitPcmWithTheReason) {
    Bytes data = chunk("data", samples(kStereo));
    struct Case {
        Bytes fmt;
        const char* says;
    } cases[] = {
        {fmtBody(3, 2, 44100, 32), "not PCM"},       // float
        {fmtBody(2, 2, 44100, 4, 2048), "not PCM"},  // ADPCM
        {extensibleBody(3), "not PCM"},
        {fmtBody(1, 2, 44100, 8), "8-bit"},
        {fmtBody(1, 2, 44100, 24), "24-bit"},
        {fmtBody(1, 3, 44100, 16), "3 channels"},
        {fmtBody(1, 0, 44100, 16), "0 channels"},
        {fmtBody(1, 2, 0, 16), "sample rate"},
        {fmtBody(1, 2, 1000000, 16), "sample rate"},
        {fmtBody(1, 2, 44100, 16, 2), "block alignment"},
        {Bytes(14, 0), "too short"},
    };
    for (const Case& c : cases) {
        std::string error = rejection(riff({chunk("fmt ", c.fmt), data}));
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(WavReader, RejectsMalformedFiles) {
    Bytes fmt = chunk("fmt ", fmtBody(1, 2, 44100, 16));
    Bytes good = riff({fmt, chunk("data", samples(kStereo))});
    struct Case {
        Bytes file;
        const char* says;
    } cases[] = {
        {Bytes(), "not a RIFF/WAVE"},
        {Bytes(good.begin(), good.begin() + 11), "not a RIFF/WAVE"},
        {[&] {
             Bytes b = good;
             b[8] = 'A';
             return b;
         }(),
         "not a RIFF/WAVE"},
        {[&] {
             Bytes b = good;
             b[0] = 'X';
             return b;
         }(),
         "not a RIFF/WAVE"},
        {riff({fmt}), "no data chunk"},
        {riff({chunk("data", samples(kStereo))}), "no fmt chunk"},
        {riff({}), "no fmt chunk"},
        {withoutLast(good, 1), "data chunk is truncated"},
        {riff({fmt, Bytes{'d', 'a', 't'}}), "truncated chunk header"},
        {withoutLast(riff({chunk("LIST", Bytes(10, 0))}), 4), "\"LIST\" is truncated"},
        {riff({fmt, chunk("data", Bytes{1, 2, 3}, false)}), "whole number of sample frames"},
        {riff({fmt, chunk("data", {})}), "no audio"},
        {riff({fmt, fmt, chunk("data", samples(kStereo))}), "more than one fmt"},
    };
    for (const Case& c : cases) {
        std::string error = rejection(c.file);
        EXPECT_NE(error.find(c.says), std::string::npos) << error;
    }
}

TEST(WavReader, LoadsFilesAndNamesTheProblemWithAMissingOne) {
    std::string path = ::testing::TempDir() + "glintix_host_wav_reader_test.wav";
    Bytes file = riff({chunk("fmt ", fmtBody(1, 2, 44100, 16)), chunk("data", samples(kStereo))});
    std::FILE* out = std::fopen(path.c_str(), "wb");
    ASSERT_NE(out, nullptr);
    std::fwrite(file.data(), 1, file.size(), out);
    std::fclose(out);

    AudioClip clip;
    std::string error;
    EXPECT_TRUE(loadWavFile(path.c_str(), &clip, &error)) << error;
    EXPECT_EQ(clip.samples, kStereo);
    std::remove(path.c_str());

    EXPECT_FALSE(loadWavFile(path.c_str(), &clip, &error));
    EXPECT_NE(error.find("cannot open"), std::string::npos) << error;
}

}  // namespace
