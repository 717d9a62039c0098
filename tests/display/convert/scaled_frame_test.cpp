#include "display/convert/scaled_frame.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

namespace {

TEST(PlacePicture, LargestWholeFactorCentred) {
    struct Row {
        uint32_t areaWidth, areaHeight, width, height;
        PicturePlacement expected;
    };
    const Row rows[] = {
        {640, 480, 640, 480, {1, 0, 0}},
        {1920, 1080, 640, 480, {2, 320, 60}},
        {2560, 1440, 640, 480, {3, 320, 0}},
        {3840, 2160, 640, 480, {4, 640, 120}},
        {1024, 768, 640, 480, {1, 192, 144}},
        {1281, 963, 640, 480, {2, 0, 1}},  // odd spares: the extra pixel right and below
        {639, 480, 640, 480, {0, 0, 0}},
        {640, 479, 640, 480, {0, 0, 0}},
        {0, 0, 640, 480, {0, 0, 0}},
        {640, 480, 0, 0, {0, 0, 0}},
        {0xFFFFFFFF, 0xFFFFFFFF, 640, 480, {6710886, 127, 536871007}},  // products past 2^31
    };
    for (const Row& r : rows) {
        const PicturePlacement got = placePicture(r.areaWidth, r.areaHeight, r.width, r.height);
        EXPECT_EQ(got.factor, r.expected.factor) << r.areaWidth << "x" << r.areaHeight;
        EXPECT_EQ(got.x, r.expected.x) << r.areaWidth << "x" << r.areaHeight;
        EXPECT_EQ(got.y, r.expected.y) << r.areaWidth << "x" << r.areaHeight;
    }
}

// Every surface pixel is the plain conversion of source pixel (x/k, y/k); the pitch's spare
// bytes and the bytes around the surface keep their guard value. 37 pixels reach both the
// converters' and the widening's remainders after whole blocks; factors 0 to 5 take every
// widening, from none to the one for factors beyond 4.
TEST(ConvertScaledFrame, EachPixelIsItsSourcePixelConverted) {
    struct Format {
        RowConverter convert;
        uint32_t bpp;
    };
    const Format formats[] = {
        {convertRow32, 4},  {convertRow32Swap, 4},  {convertRow24, 3},  {convertRow24Swap, 3},
        {convertRow565, 2}, {convertRow565Swap, 2}, {convertRow555, 2}, {convertRow555Swap, 2},
    };
    constexpr uint32_t kWidth = 37, kHeight = 5, kSpare = 7, kGuard = 64;
    constexpr uint8_t kUntouched = 0xA5;
    std::mt19937 random(42);
    std::vector<uint32_t> source(kWidth * kHeight);
    for (uint32_t& p : source) {
        p = static_cast<uint32_t>(random()) & 0x00FFFFFF;
    }
    for (const Format& f : formats) {
        std::vector<uint8_t> plain(kWidth * kHeight * f.bpp);
        for (uint32_t y = 0; y < kHeight; ++y) {
            f.convert(&source[y * kWidth], &plain[y * kWidth * f.bpp], kWidth);
        }
        for (uint32_t k = 0; k <= 5; ++k) {
            const uint32_t rowBytes = kWidth * k * f.bpp;
            const uint32_t pitch = rowBytes + kSpare;
            std::vector<uint8_t> surface(2 * kGuard + kHeight * k * pitch, kUntouched);
            convertScaledFrame(f.convert, f.bpp, source.data(), kWidth, kHeight, k,
                               &surface[kGuard], static_cast<int32_t>(pitch));

            std::vector<uint8_t> expected(surface.size(), kUntouched);
            for (uint32_t y = 0; y < kHeight * k; ++y) {
                for (uint32_t x = 0; x < kWidth * k; ++x) {
                    std::memcpy(&expected[kGuard + y * pitch + x * f.bpp],
                                &plain[((y / k) * kWidth + x / k) * f.bpp], f.bpp);
                }
            }
            ASSERT_EQ(surface, expected)
                << f.bpp * 8 << " bits, converter " << (&f - formats) << ", factor " << k;
            // The system's own 32-bit frame, apart from the other depths'.
            if (f.convert == convertRow32) {
                std::vector<uint32_t> picture(surface.size() / 4 + 1);
                std::memset(picture.data(), kUntouched, picture.size() * 4);
                auto* bytes = reinterpret_cast<uint8_t*>(picture.data());
                scaleFrame(source.data(), kWidth, kHeight, k,
                           reinterpret_cast<uint32_t*>(bytes + kGuard),
                           static_cast<int32_t>(pitch));
                ASSERT_EQ(std::vector<uint8_t>(bytes, bytes + surface.size()), expected)
                    << "scaleFrame, factor " << k;
            }
        }
    }
}

}  // namespace
