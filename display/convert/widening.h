// The widening of converted rows into factor-by-factor squares, and the row loop of a
// scaled frame, shared by the 32-bit frame that the system draws and the other depths that
// the benchmarks measure.
//
// Each row is converted once, into the last width pixels of its first scaled row, widened
// in place from the row's start, then copied to the factor - 1 rows below.
//
// Widening forwards never overwrites a converted pixel it has yet to read: the copies of
// pixels 0..n-1 end at byte n*k*bpp, and pixel n starts at byte ((k-1)*width + n)*bpp,
// which is no earlier while n <= width. So a block of pixels may be read whole before its
// copies are stored, which is what lets the compiler turn a block into vector shuffles.
#pragma once

#include <cstddef>
#include <cstring>

#include "display/convert/row_converters.h"

namespace widening {

using Widen = void (*)(uint8_t* row, uint32_t width, uint32_t factor);

// Where the converted pixels wait in a row to be widened factor times.
inline const uint8_t* convertedPart(uint8_t* row, uint32_t width, uint32_t factor, size_t bpp) {
    return row + static_cast<size_t>(factor - 1) * width * bpp;
}

template <typename Pixel>
inline void widenEach(const uint8_t* from, uint8_t* to, uint32_t count, uint32_t factor) {
    for (uint32_t i = 0; i < count; ++i) {
        Pixel p;
        std::memcpy(&p, from + i * sizeof p, sizeof p);
        for (uint32_t c = 0; c < factor; ++c, to += sizeof p) {
            std::memcpy(to, &p, sizeof p);
        }
    }
}

// 32 bytes of pixels read, then each stored Factor times. Storing straight from the block
// rather than through a second array spares the stack copies that the compiler keeps of
// such an array.
template <typename Pixel, uint32_t Factor>
inline void widenBlocks(uint8_t* row, uint32_t width, uint32_t) {
    constexpr uint32_t kBlock = 32 / sizeof(Pixel);
    const uint8_t* from = convertedPart(row, width, Factor, sizeof(Pixel));
    uint8_t* to = row;
    uint32_t i = 0;
    for (; width - i >= kBlock; i += kBlock, to += kBlock * Factor * sizeof(Pixel)) {
        Pixel block[kBlock];
        std::memcpy(block, from + i * sizeof(Pixel), sizeof block);
#pragma GCC unroll 64
        for (uint32_t j = 0; j < kBlock * Factor; ++j) {
            std::memcpy(to + j * sizeof(Pixel), &block[j / Factor], sizeof(Pixel));
        }
    }
    widenEach<Pixel>(from + i * sizeof(Pixel), to, width - i, Factor);
}

// Factors and sizes that no vector holds a whole number of times (24-bit pixels, 16-bit ones
// three times, any beyond four): eight bytes a store, the pixel repeated, at steps of the
// whole copies in eight bytes. A store's spare bytes fall on later copies, written after
// it; the next pixel's converted bytes lie at least (factor - 1) * Bytes beyond the end of
// this pixel's copies, further than the spare bytes reach for every factor from 2 on, but
// 16-bit pixels at 2, which widenBlocks takes. The last pixel, with nothing after it, goes
// copy by copy.
template <uint32_t Bytes>
inline void widenRepeated(uint8_t* row, uint32_t width, uint32_t factor) {
    constexpr uint32_t kStep = 8 / Bytes * Bytes;
    const uint8_t* from = convertedPart(row, width, factor, Bytes);
    uint8_t* to = row;
    const size_t copiesBytes = static_cast<size_t>(factor) * Bytes;
    uint32_t i = 0;
    for (; i + 1 < width; ++i, to += copiesBytes) {
        uint8_t repeated[kStep + Bytes];
        for (uint32_t at = 0; at < kStep + Bytes; at += Bytes) {
            std::memcpy(repeated + at, from + i * Bytes, Bytes);
        }
        for (size_t at = 0; at < copiesBytes; at += kStep) {
            std::memcpy(to + at, repeated, 8);
        }
    }
    widenEach<uint8_t[Bytes]>(from + i * Bytes, to, width - i, factor);
}

inline Widen widen32(uint32_t factor) {
    return factor == 2   ? widenBlocks<uint32_t, 2>
           : factor == 3 ? widenBlocks<uint32_t, 3>
           : factor == 4 ? widenBlocks<uint32_t, 4>
                         : widenRepeated<4>;
}

// Factor 0 or no widening draws nothing.
inline void scaleRows(RowConverter convert, uint32_t bytesPerPixel, Widen widen,
                      const uint32_t* source, uint32_t width, uint32_t height, uint32_t factor,
                      uint8_t* destination, int32_t pitch) {
    if (factor == 0 || widen == nullptr) {
        return;
    }
    const size_t rowBytes = static_cast<size_t>(width) * bytesPerPixel;
    const size_t scaledBytes = rowBytes * factor;
    uint8_t* row = destination;
    for (uint32_t y = 0; y < height; ++y, source += width) {
        convert(source, row + scaledBytes - rowBytes, width);
        if (factor > 1) {
            widen(row, width, factor);
        }
        // copyBlocks rather than memcpy: it keeps pace with it here, and the DLL imports
        // nothing from the C runtime but the memset that the compiler emits.
        uint8_t* const first = row;
        for (uint32_t copy = 1; copy < factor; ++copy) {
            row += pitch;
            copyBlocks(row, first, static_cast<uint32_t>(scaledBytes));
        }
        row += pitch;
    }
}

}  // namespace widening
