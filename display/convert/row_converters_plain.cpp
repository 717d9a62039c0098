// The plain twins of the MMX bulk paths: every pixel by its rule.
#include "display/convert/pixel_rules.h"
#include "display/convert/row_converters.h"

void copyBlocksPlain(void* destination, const void* source, uint32_t byteCount) {
    auto* d = static_cast<uint8_t*>(destination);
    const auto* s = static_cast<const uint8_t*>(source);
    for (uint32_t i = 0; i < byteCount; ++i) {
        d[i] = s[i];
    }
}

// Pixel by pixel rather than byte by byte, so that the surface gets its value least
// significant byte first on a processor of either byte order.
void convertRow32Plain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop32(static_cast<uint8_t*>(destination), source, count);
}

void convertRow24Plain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop24(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565Plain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to565>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565SwapPlain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to565Swap>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow555Plain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to555>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow555SwapPlain(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to555Swap>(static_cast<uint8_t*>(destination), source, count);
}
