// The per-pixel rules of the row converters, and plain loops built from them. The bulk
// paths hand their remainder pixels to these, and the plain twins are these loops whole.
#pragma once

#include <cstdint>
#include <cstring>

namespace pixel_rules {

// Low bits of each colour are dropped, never rounded: the display shows what the
// framebuffer holds, and rounding would turn 0xFF into an overflow.
inline uint32_t to32Swap(uint32_t p) {
    return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
}
inline uint16_t to565(uint32_t p) {
    return static_cast<uint16_t>(((p >> 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 3) & 0x001F));
}
inline uint16_t to565Swap(uint32_t p) {
    return static_cast<uint16_t>(((p << 8) & 0xF800) | ((p >> 5) & 0x07E0) | ((p >> 19) & 0x001F));
}
inline uint16_t to555(uint32_t p) {
    return static_cast<uint16_t>(((p >> 9) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 3) & 0x001F));
}
inline uint16_t to555Swap(uint32_t p) {
    return static_cast<uint16_t>(((p << 7) & 0x7C00) | ((p >> 6) & 0x03E0) | ((p >> 19) & 0x001F));
}

// Surface values are least significant byte first whatever the processor's order. One
// memcpy a pixel, not a store a byte: the destination is bytes, which may alias the
// source as far as the compiler knows, so separate byte stores would stay separate.
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
inline void store16(uint8_t* d, uint16_t v) {
    d[0] = static_cast<uint8_t>(v);
    d[1] = static_cast<uint8_t>(v >> 8);
}
inline void store32(uint8_t* d, uint32_t v) {
    store16(d, static_cast<uint16_t>(v));
    store16(d + 2, static_cast<uint16_t>(v >> 16));
}
inline void store24(uint8_t* d, uint32_t v) {
    store16(d, static_cast<uint16_t>(v));
    d[2] = static_cast<uint8_t>(v >> 16);
}
#else
inline void store16(uint8_t* d, uint16_t v) { std::memcpy(d, &v, 2); }
inline void store32(uint8_t* d, uint32_t v) { std::memcpy(d, &v, 4); }
inline void store24(uint8_t* d, uint32_t v) { std::memcpy(d, &v, 3); }
#endif

inline void loop32(uint8_t* d, const uint32_t* s, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i, d += 4) {
        store32(d, s[i]);
    }
}
inline void loop32Swap(uint8_t* d, const uint32_t* s, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i, d += 4) {
        store32(d, to32Swap(s[i]));
    }
}
inline void loop24(uint8_t* d, const uint32_t* s, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i, d += 3) {
        store24(d, s[i]);
    }
}
inline void loop24Swap(uint8_t* d, const uint32_t* s, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i, d += 3) {
        store24(d, to32Swap(s[i]));
    }
}
template <uint16_t (*Rule)(uint32_t)>
inline void loop16(uint8_t* d, const uint32_t* s, uint32_t count) {
    for (uint32_t i = 0; i < count; ++i, d += 2) {
        store16(d, Rule(s[i]));
    }
}

}  // namespace pixel_rules
