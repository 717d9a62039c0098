#include "display/scaled_frame.h"

#include <gtest/gtest.h>

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

}  // namespace
