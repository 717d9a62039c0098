// The bulk paths, two pixels to a 64-bit MMX register. MMX shares its registers with the
// x87 unit, which the particle arithmetic uses on the same thread, so every routine here
// ends with _mm_empty() on every path. Every build has MMX: x86-64 by its ABI, 32-bit x86
// by -mmmx on this file alone.
#if !defined(__MMX__)
#error "the row converters' bulk paths need MMX"
#endif

#include <mmintrin.h>

#include <cstring>

#include "display/convert/pixel_rules.h"
#include "display/convert/row_converters.h"

namespace {

// memcpy keeps unaligned quadword access defined; it compiles to one movq.
inline __m64 load(const void* p) {
    __m64 v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
inline void store(void* p, __m64 v) { std::memcpy(p, &v, sizeof v); }
inline void store32(void* p, __m64 v) {
    const int low = _mm_cvtsi64_si32(v);
    std::memcpy(p, &low, sizeof low);
}

// Without a byte shuffle in MMX the pixels are packed by shifts; each mask here both
// drops a top byte and cuts a shifted pixel to its place.
void copy24(uint8_t* d, const uint32_t* s, uint32_t count) {
    const __m64 pixelMask = _mm_set1_pi32(0x00FFFFFF);
    const __m64 firstPixel = _mm_set_pi32(0, 0x00FFFFFF);
    const __m64 secondPixel = _mm_set_pi32(0x0000FFFF, static_cast<int>(0xFF000000));
    // Two groups a turn: a short loop spends as much on its own counting as on the pixels.
#pragma GCC unroll 2
    for (uint32_t groups = count / 4; groups != 0; --groups) {
        const __m64 p01 = load(s);
        const __m64 p23 = _mm_and_si64(load(s + 2), pixelMask);
        // p0 at bytes 0-2, p1 at 3-5, the low two bytes of p2 at 6-7.
        const __m64 p0 = _mm_and_si64(p01, firstPixel);
        const __m64 p1 = _mm_and_si64(_mm_srli_si64(p01, 8), secondPixel);
        const __m64 first = _mm_or_si64(_mm_or_si64(p0, p1), _mm_slli_si64(p23, 48));
        // The high byte of p2, then p3.
        const __m64 second = _mm_or_si64(_mm_srli_pi32(p23, 16), _mm_srli_si64(p23, 24));
        store(d, first);
        store32(d + 8, second);
        s += 4;
        d += 12;
    }
    pixel_rules::loop24(d, s, count % 4);
    _mm_empty();
}

// Green and blue move into place by shifts; red, already in the high half of its lane,
// lands in the high byte through the unsigned byte pack. Swapping red and blue first
// shares the packing tail.
template <bool Swap>
void convert565(uint8_t* d, const uint32_t* s, uint32_t count) {
    const __m64 greenMask = _mm_set1_pi32(0x0000FC00);
    const __m64 blueMask = _mm_set1_pi32(0x000000F8);
    const __m64 redMask = _mm_set1_pi32(0x00F80000);
    const auto low11 = [&](__m64 p) {
        const __m64 green = _mm_and_si64(p, greenMask);
        const __m64 other = Swap ? _mm_srli_pi32(_mm_and_si64(p, redMask), 14)
                                 : _mm_slli_pi32(_mm_and_si64(p, blueMask), 2);
        return _mm_srli_pi32(_mm_or_si64(green, other), 5);
    };
    const auto high5 = [&](__m64 p) {
        return Swap ? _mm_slli_pi32(_mm_and_si64(p, blueMask), 16) : _mm_and_si64(p, redMask);
    };
#pragma GCC unroll 2
    for (uint32_t groups = count / 4; groups != 0; --groups) {
        const __m64 p01 = load(s);
        const __m64 p23 = load(s + 2);
        const __m64 low = _mm_packs_pi32(low11(p01), low11(p23));
        const __m64 high = _mm_packs_pu16(high5(p01), high5(p23));
        store(d, _mm_or_si64(low, high));
        s += 4;
        d += 8;
    }
    pixel_rules::loop16<Swap ? pixel_rules::to565Swap : pixel_rules::to565>(d, s, count % 4);
    _mm_empty();
}

// Red and blue reach their places in one multiply-add whose multiplier pair decides their
// order; green is ORed in between. The next pass's first four pixels are loaded and
// multiplied while the current pass finishes, but never past the row's end.
void convert555(uint8_t* d, const uint32_t* s, uint32_t count, __m64 multipliers,
                uint16_t (*rule)(uint32_t)) {
    const __m64 redBlueMask = _mm_set1_pi32(0x00F800F8);
    const __m64 greenMask = _mm_set1_pi32(0x0000F800);
    const auto redBlue = [&](__m64 p) {
        return _mm_madd_pi16(_mm_and_si64(p, redBlueMask), multipliers);
    };
    const auto finish = [&](__m64 p, __m64 placed) {
        return _mm_srli_pi32(_mm_or_si64(placed, _mm_and_si64(p, greenMask)), 6);
    };
    uint32_t passes = count / 8;
    if (passes != 0) {
        __m64 p01 = load(s);
        __m64 p23 = load(s + 2);
        __m64 rb01 = redBlue(p01);
        __m64 rb23 = redBlue(p23);
        for (;;) {
            const __m64 p45 = load(s + 4);
            const __m64 p67 = load(s + 6);
            const __m64 low = _mm_packs_pi32(finish(p01, rb01), finish(p23, rb23));
            const __m64 high = _mm_packs_pi32(finish(p45, redBlue(p45)), finish(p67, redBlue(p67)));
            s += 8;
            if (--passes != 0) {
                p01 = load(s);
                p23 = load(s + 2);
                rb01 = redBlue(p01);
                rb23 = redBlue(p23);
            }
            store(d, low);
            store(d + 8, high);
            d += 16;
            if (passes == 0) {
                break;
            }
        }
    }
    for (uint32_t i = 0; i < count % 8; ++i, d += 2) {
        pixel_rules::store16(d, rule(s[i]));
    }
    _mm_empty();
}

}  // namespace

void copyBlocks(void* destination, const void* source, uint32_t byteCount) {
    auto* d = static_cast<uint8_t*>(destination);
    const auto* s = static_cast<const uint8_t*>(source);
    for (uint32_t blocks = byteCount / 64; blocks != 0; --blocks) {
        const __m64 q0 = load(s), q1 = load(s + 8), q2 = load(s + 16), q3 = load(s + 24);
        const __m64 q4 = load(s + 32), q5 = load(s + 40), q6 = load(s + 48), q7 = load(s + 56);
        store(d, q0), store(d + 8, q1), store(d + 16, q2), store(d + 24, q3);
        store(d + 32, q4), store(d + 40, q5), store(d + 48, q6), store(d + 56, q7);
        s += 64;
        d += 64;
    }
    // Also the whole of a range shorter than one block.
    for (uint32_t rest = byteCount % 64; rest != 0; --rest) {
        *d++ = *s++;
    }
    _mm_empty();
}

void convertRow32(const uint32_t* source, void* destination, uint32_t count) {
    copyBlocks(destination, source, count * 4);
}

void convertRow24(const uint32_t* source, void* destination, uint32_t count) {
    copy24(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565(const uint32_t* source, void* destination, uint32_t count) {
    convert565<false>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565Swap(const uint32_t* source, void* destination, uint32_t count) {
    convert565<true>(static_cast<uint8_t*>(destination), source, count);
}

// The multiplier pairs, low 16-bit lane first: blue then red.
void convertRow555(const uint32_t* source, void* destination, uint32_t count) {
    convert555(static_cast<uint8_t*>(destination), source, count,
               _mm_set_pi16(0x2000, 8, 0x2000, 8), pixel_rules::to555);
}

void convertRow555Swap(const uint32_t* source, void* destination, uint32_t count) {
    convert555(static_cast<uint8_t*>(destination), source, count,
               _mm_set_pi16(8, 0x2000, 8, 0x2000), pixel_rules::to555Swap);
}
