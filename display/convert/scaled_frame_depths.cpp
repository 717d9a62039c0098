// Frames scaled into surfaces of any of the row converters' depths, for the benchmarks and
// the tests: the system draws only 32-bit pictures (scaled_frame.cpp), and GDI converts
// them to the desktop's depth.
#include "display/convert/scaled_frame.h"
#include "display/convert/widening.h"

namespace {

using namespace widening;

// 16-bit pixels four times: each doubled into a 32-bit pair, the pairs then doubled. SSE2
// has no shuffle that spreads one 16-bit lane four times; written in one step the compiler
// moves the pixels one by one, four times slower.
void widen16By4(uint8_t* row, uint32_t width, uint32_t) {
    constexpr uint32_t kBlock = 16;
    const uint8_t* from = convertedPart(row, width, 4, 2);
    uint8_t* to = row;
    uint32_t i = 0;
    for (; width - i >= kBlock; i += kBlock, to += kBlock * 8) {
        uint16_t block[kBlock];
        std::memcpy(block, from + i * 2, sizeof block);
        uint32_t pairs[kBlock];
        for (uint32_t j = 0; j < kBlock; ++j) {
            pairs[j] = block[j] | static_cast<uint32_t>(block[j]) << 16;
        }
#pragma GCC unroll 64
        for (uint32_t j = 0; j < kBlock * 2; ++j) {
            std::memcpy(to + j * 4, &pairs[j / 2], 4);
        }
    }
    widenEach<uint16_t>(from + i * 2, to, width - i, 4);
}

Widen widenerFor(uint32_t bytesPerPixel, uint32_t factor) {
    switch (bytesPerPixel) {
        case 4:
            return widen32(factor);
        case 3:
            return widenRepeated<3>;
        case 2:
            return factor == 2   ? widenBlocks<uint16_t, 2>
                   : factor == 4 ? widen16By4
                                 : widenRepeated<2>;
        default:
            return nullptr;
    }
}

}  // namespace

void convertScaledFrame(RowConverter convert, uint32_t bytesPerPixel, const uint32_t* source,
                        uint32_t width, uint32_t height, uint32_t factor, uint8_t* destination,
                        int32_t pitch) {
    scaleRows(convert, bytesPerPixel, widenerFor(bytesPerPixel, factor), source, width, height,
              factor, destination, pitch);
}
