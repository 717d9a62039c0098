#include "display/convert/row_converters.h"

#include "display/convert/pixel_rules.h"

RowConverter selectRowConverter(uint32_t bitCount, uint32_t redMask, uint32_t greenMask,
                                uint32_t blueMask) {
    // Exact masks only: a surface that differs in any bit is one the system cannot draw.
    const auto is = [&](uint32_t r, uint32_t g, uint32_t b) {
        return redMask == r && greenMask == g && blueMask == b;
    };
    switch (bitCount) {
        case 32:
        case 24: {
            const bool wide = bitCount == 32;
            if (is(0x00FF0000, 0x0000FF00, 0x000000FF)) {
                return wide ? convertRow32 : convertRow24;
            }
            if (is(0x000000FF, 0x0000FF00, 0x00FF0000)) {
                return wide ? convertRow32Swap : convertRow24Swap;
            }
            return nullptr;
        }
        case 16:
            if (is(0xF800, 0x07E0, 0x001F)) {
                return convertRow565;
            }
            if (is(0x001F, 0x07E0, 0xF800)) {
                return convertRow565Swap;
            }
            if (is(0x7C00, 0x03E0, 0x001F)) {
                return convertRow555;
            }
            if (is(0x001F, 0x03E0, 0x7C00)) {
                return convertRow555Swap;
            }
            return nullptr;
        default:
            return nullptr;
    }
}

// Byte shuffles that MMX has no instruction for: plain loops do as well here.
void convertRow32Swap(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop32Swap(static_cast<uint8_t*>(destination), source, count);
}

void convertRow24Swap(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop24Swap(static_cast<uint8_t*>(destination), source, count);
}
