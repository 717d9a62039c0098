#include "display/convert/row_converters.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#if GLINTIX_HAVE_LIBYUV
#include <libyuv/convert_from_argb.h>
#include <libyuv/planar_functions.h>
#endif

namespace {

enum class Layout { k32, k32Swap, k24, k24Swap, k565, k565Swap, k555, k555Swap };

struct Converter {
    const char* name;
    RowConverter convert;
    Layout layout;
    RowConverter plainTwin;  // of a bulk path; null for a plain loop
};

int bytesPerPixel(Layout layout) {
    switch (layout) {
        case Layout::k32:
        case Layout::k32Swap:
            return 4;
        case Layout::k24:
        case Layout::k24Swap:
            return 3;
        default:
            return 2;
    }
}

// The surface bytes of one pixel, built from its colour bytes rather than from the
// shifts and masks that the converters use.
std::vector<uint8_t> expectedBytes(Layout layout, uint32_t p) {
    const uint8_t b = p & 0xFF, g = (p >> 8) & 0xFF, r = (p >> 16) & 0xFF, top = p >> 24;
    uint16_t v = 0;
    switch (layout) {
        case Layout::k32:
            return {b, g, r, top};
        case Layout::k32Swap:
            return {r, g, b, 0};
        case Layout::k24:
            return {b, g, r};
        case Layout::k24Swap:
            return {r, g, b};
        case Layout::k565:
            v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
            break;
        case Layout::k565Swap:
            v = (b >> 3) << 11 | (g >> 2) << 5 | r >> 3;
            break;
        case Layout::k555:
            v = (r >> 3) << 10 | (g >> 3) << 5 | b >> 3;
            break;
        case Layout::k555Swap:
            v = (b >> 3) << 10 | (g >> 3) << 5 | r >> 3;
            break;
    }
    return {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
}

const Converter kConverters[] = {
    {"Row32", convertRow32, Layout::k32, convertRow32Plain},
    {"Row32Swap", convertRow32Swap, Layout::k32Swap, nullptr},
    {"Row24", convertRow24, Layout::k24, convertRow24Plain},
    {"Row24Swap", convertRow24Swap, Layout::k24Swap, nullptr},
    {"Row565", convertRow565, Layout::k565, convertRow565Plain},
    {"Row565Swap", convertRow565Swap, Layout::k565Swap, convertRow565SwapPlain},
    {"Row555", convertRow555, Layout::k555, convertRow555Plain},
    {"Row555Swap", convertRow555Swap, Layout::k555Swap, convertRow555SwapPlain},
};

// MMX registers alias the x87 stack: left without EMMS, the next x87 load overflows the
// stack and the result is NaN. On i686 the returned double itself passes through st(0).
__attribute__((noinline)) double x87Product(double a, double b) {
    volatile long double x = a;
    return static_cast<double>(x * static_cast<long double>(b));
}

// Runs a converter on count pixels into a destination at the given byte offset, with
// guard bytes around the destination row, and checks every byte against the expectation.
void checkRow(const Converter& c, const std::vector<uint32_t>& pixels, uint32_t count,
              int sourceShift, int alignment) {
    constexpr int kGuard = 16;
    constexpr uint32_t kGuardPixel = 0xA5A5A5A5;
    const int bpp = bytesPerPixel(c.layout);
    // The source row ends where its allocation ends, so that a sanitizer sees any read
    // beyond the row's last pixel.
    std::vector<uint32_t> source(kGuard + sourceShift + count, kGuardPixel);
    std::memcpy(source.data() + kGuard + sourceShift, pixels.data(), count * 4);
    const std::vector<uint32_t> sourceBefore = source;
    std::vector<uint8_t> destination(count * bpp + 2 * kGuard + 8, 0x5A);

    c.convert(source.data() + kGuard + sourceShift, &destination[kGuard + alignment], count);
    const double product = x87Product(1.5, 3.0);

    SCOPED_TRACE(std::string(c.name) + " count " + std::to_string(count) + " alignment " +
                 std::to_string(alignment) + " source shift " + std::to_string(sourceShift));
    EXPECT_EQ(product, 4.5) << "x87 unusable after the call";
    EXPECT_EQ(source, sourceBefore);
    std::vector<uint8_t> expected(destination.size(), 0x5A);
    for (uint32_t i = 0; i < count; ++i) {
        const std::vector<uint8_t> bytes = expectedBytes(c.layout, pixels[i]);
        std::memcpy(&expected[kGuard + alignment + i * bpp], bytes.data(), bpp);
    }
    ASSERT_EQ(destination, expected);
}

std::vector<uint32_t> randomPixels(uint32_t count, uint32_t topMask, uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<uint32_t> pixels(count);
    for (uint32_t& p : pixels) {
        p = static_cast<uint32_t>(random()) & (0x00FFFFFF | topMask);
    }
    return pixels;
}

TEST(SelectRowConverter, EachLayoutGetsItsOwnConverter) {
    struct Row {
        uint32_t bits, red, green, blue;
        RowConverter expected;
    };
    const Row rows[] = {
        {32, 0x00FF0000, 0x0000FF00, 0x000000FF, convertRow32},
        {32, 0x000000FF, 0x0000FF00, 0x00FF0000, convertRow32Swap},
        {24, 0x00FF0000, 0x0000FF00, 0x000000FF, convertRow24},
        {24, 0x000000FF, 0x0000FF00, 0x00FF0000, convertRow24Swap},
        {16, 0xF800, 0x07E0, 0x001F, convertRow565},
        {16, 0x001F, 0x07E0, 0xF800, convertRow565Swap},
        {16, 0x7C00, 0x03E0, 0x001F, convertRow555},
        {16, 0x001F, 0x03E0, 0x7C00, convertRow555Swap},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(selectRowConverter(r.bits, r.red, r.green, r.blue), r.expected)
            << r.bits << " bits, red " << std::hex << r.red;
    }
}

TEST(SelectRowConverter, AnythingElseGetsNone) {
    const uint32_t none[][4] = {
        {15, 0x7C00, 0x03E0, 0x001F},
        {16, 0xF800, 0x03E0, 0x001F},
        {16, 0x001F, 0x07E0, 0x7C00},
        {24, 0x0000FF00, 0x00FF0000, 0x000000FF},
        {32, 0xF800, 0x07E0, 0x001F},
        {16, 0x00FF0000, 0x0000FF00, 0x000000FF},
        {8, 0x00FF0000, 0x0000FF00, 0x000000FF},
        {32, 0xFF0000, 0xFF00, 0xFF000000},
    };
    for (const auto& n : none) {
        EXPECT_EQ(selectRowConverter(n[0], n[1], n[2], n[3]), nullptr)
            << n[0] << " bits, red " << std::hex << n[1];
    }
}

// Each pixel fills a 37-pixel row, so that the bulk and the remainder paths both meet it.
TEST(RowConverters, KnownPixels) {
    struct Known {
        uint32_t pixel;
        std::vector<uint8_t> bytes[8];  // in the order of kConverters
    };
    const Known known[] = {
        {0x00FFFFFF,
         {{0xFF, 0xFF, 0xFF, 0},
          {0xFF, 0xFF, 0xFF, 0},
          {0xFF, 0xFF, 0xFF},
          {0xFF, 0xFF, 0xFF},
          {0xFF, 0xFF},
          {0xFF, 0xFF},
          {0xFF, 0x7F},
          {0xFF, 0x7F}}},
        {0, {{0, 0, 0, 0}, {0, 0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {0x00123456,
         {{0x56, 0x34, 0x12, 0},
          {0x12, 0x34, 0x56, 0},
          {0x56, 0x34, 0x12},
          {0x12, 0x34, 0x56},
          {0xAA, 0x11},
          {0xA2, 0x51},
          {0xCA, 0x08},
          {0xC2, 0x28}}},
        {0xFF123456,
         {{0x56, 0x34, 0x12, 0xFF},
          {0x12, 0x34, 0x56, 0},
          {0x56, 0x34, 0x12},
          {0x12, 0x34, 0x56},
          {0xAA, 0x11},
          {0xA2, 0x51},
          {0xCA, 0x08},
          {0xC2, 0x28}}},
        {0x00070307,
         {{7, 3, 7, 0}, {7, 3, 7, 0}, {7, 3, 7}, {7, 3, 7}, {0, 0}, {0, 0}, {0, 0}, {0, 0}}},
        {0x00080000,
         {{0, 0, 8, 0},
          {8, 0, 0, 0},
          {0, 0, 8},
          {8, 0, 0},
          {0x00, 0x08},
          {0x01, 0x00},
          {0x00, 0x04},
          {0x01, 0x00}}},
    };
    constexpr uint32_t kCount = 37;
    for (const Known& k : known) {
        const std::vector<uint32_t> row(kCount, k.pixel);
        for (int i = 0; i < 8; ++i) {
            const Converter& c = kConverters[i];
            std::vector<uint8_t> out(kCount * k.bytes[i].size());
            c.convert(row.data(), out.data(), kCount);
            for (uint32_t p = 0; p < kCount; ++p) {
                const std::vector<uint8_t> got(out.begin() + p * k.bytes[i].size(),
                                               out.begin() + (p + 1) * k.bytes[i].size());
                ASSERT_EQ(got, k.bytes[i])
                    << c.name << " pixel " << std::hex << k.pixel << " at " << std::dec << p;
            }
        }
    }
}

// Every count up to beyond four 16-pixel blocks covers each remainder of every group size,
// including rows shorter than one group; destinations at every alignment in a quadword.
void checkEveryShape(const Converter& c) {
    const std::vector<uint32_t> pixels = randomPixels(72, 0xFF000000, 20240601);
    for (uint32_t count = 0; count <= 72; ++count) {
        for (int sourceShift = 0; sourceShift <= 1; ++sourceShift) {
            for (int alignment = 0; alignment < 8; ++alignment) {
                checkRow(c, pixels, count, sourceShift, alignment);
                if (::testing::Test::HasFatalFailure()) {
                    return;
                }
            }
        }
    }
}

TEST(RowConverters, EveryCountAndAlignmentMatchesTheRule) {
    for (const Converter& c : kConverters) {
        checkEveryShape(c);
    }
}

// The plain twins hold to the same rule at every shape, and each bulk path gives its twin's
// bytes for whole random rows.
TEST(RowConverters, BulkPathsAgreeWithTheirPlainTwins) {
    const std::vector<uint32_t> row = randomPixels(640, 0xFF000000, 99);
    for (const Converter& c : kConverters) {
        if (!c.plainTwin) {
            continue;
        }
        const Converter twin = {c.name, c.plainTwin, c.layout, nullptr};
        checkEveryShape(twin);
        const size_t bytes = 640 * static_cast<size_t>(bytesPerPixel(c.layout));
        std::vector<uint8_t> bulk(bytes), plain(bytes);
        c.convert(row.data(), bulk.data(), 640);
        c.plainTwin(row.data(), plain.data(), 640);
        EXPECT_EQ(bulk, plain) << c.name;
    }
}

TEST(RowConverters, CopyBlocksCopiesAnyByteCount) {
    std::vector<uint8_t> source(200);
    for (size_t i = 0; i < source.size(); ++i) {
        source[i] = static_cast<uint8_t>(i * 7 + 1);
    }
    for (auto copy : {copyBlocks, copyBlocksPlain}) {
        for (uint32_t bytes : {0u, 1u, 63u, 64u, 65u, 130u, 191u}) {
            std::vector<uint8_t> destination(bytes + 8, 0xEE);
            copy(destination.data() + 3, source.data() + 1, bytes);
            EXPECT_EQ(x87Product(2.0, 0.25), 0.5);
            std::vector<uint8_t> expected(bytes + 8, 0xEE);
            std::memcpy(expected.data() + 3, source.data() + 1, bytes);
            EXPECT_EQ(destination, expected) << bytes << " bytes";
        }
    }
}

#if GLINTIX_HAVE_LIBYUV

// libyuv names the byte order in memory from the high byte down: its ARGB is our
// framebuffer pixel, ABGR our swapped 32-bit layout.
TEST(RowConvertersOracle, AgreeWithLibyuv) {
    using YuvConvert = int (*)(const uint8_t*, int, uint8_t*, int, int, int);
    struct Oracle {
        const Converter& ours;
        YuvConvert first;
        YuvConvert second;  // after ARGBToABGR, for the swapped 16-bit layouts
    };
    const Oracle oracles[] = {
        {kConverters[0], libyuv::ARGBCopy, nullptr},
        {kConverters[1], libyuv::ARGBToABGR, nullptr},
        {kConverters[2], libyuv::ARGBToRGB24, nullptr},
        {kConverters[3], libyuv::ARGBToRAW, nullptr},
        {kConverters[4], libyuv::ARGBToRGB565, nullptr},
        {kConverters[5], libyuv::ARGBToABGR, libyuv::ARGBToRGB565},
        {kConverters[6], libyuv::ARGBToARGB1555, nullptr},
        {kConverters[7], libyuv::ARGBToABGR, libyuv::ARGBToARGB1555},
    };
    for (int width : {640, 37}) {
        constexpr int kRows = 24;
        // ARGB1555 carries the top bit of the top byte, which ours never do.
        const std::vector<uint32_t> frame = randomPixels(width * kRows, 0, 7 + width);
        const auto* source = reinterpret_cast<const uint8_t*>(frame.data());
        for (const Oracle& o : oracles) {
            const int bpp = bytesPerPixel(o.ours.layout);
            std::vector<uint8_t> ours(width * kRows * bpp);
            std::vector<uint8_t> theirs(ours.size());
            for (int row = 0; row < kRows; ++row) {
                o.ours.convert(&frame[row * width], &ours[row * width * bpp], width);
            }
            if (o.second) {
                std::vector<uint8_t> swapped(frame.size() * 4);
                o.first(source, width * 4, swapped.data(), width * 4, width, kRows);
                o.second(swapped.data(), width * 4, theirs.data(), width * bpp, width, kRows);
            } else {
                o.first(source, width * 4, theirs.data(), width * bpp, width, kRows);
            }
            EXPECT_EQ(ours, theirs) << o.ours.name << " width " << width;
        }
    }
}

#endif

}  // namespace
