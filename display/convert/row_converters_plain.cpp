// Processors without MMX convert every pixel by its rule.
#if !defined(__MMX__)

#include "display/row_converters.h"
#include "display/row_converters_rules.h"

void copyBlocks(void* destination, const void* source, uint32_t byteCount) {
    auto* d = static_cast<uint8_t*>(destination);
    const auto* s = static_cast<const uint8_t*>(source);
    for (uint32_t i = 0; i < byteCount; ++i) {
        d[i] = s[i];
    }
}

// Pixel by pixel rather than byte by byte, so that the surface gets its value least
// significant byte first on a processor of either byte order.
void convertRow32(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop32(static_cast<uint8_t*>(destination), source, count);
}

void convertRow24(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop24(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to565>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow565Swap(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to565Swap>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow555(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to555>(static_cast<uint8_t*>(destination), source, count);
}

void convertRow555Swap(const uint32_t* source, void* destination, uint32_t count) {
    pixel_rules::loop16<pixel_rules::to555Swap>(static_cast<uint8_t*>(destination), source, count);
}

#endif
