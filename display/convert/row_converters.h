// Turning framebuffer rows (32-bit 0x00RRGGBB) into rows of a display surface's pixel
// layout: 32, 24 or 16 bits a pixel, red and blue in either order.
#pragma once

#include <cstdint>

// Converts count source pixels into count destination pixels, packed from destination,
// which may sit at any byte address. Reads and writes nothing outside the two rows.
typedef void (*RowConverter)(const uint32_t* source, void* destination, uint32_t count);

// The converter for a surface of this bit count and these masks, or null when the system
// has none for it.
RowConverter selectRowConverter(uint32_t bitCount, uint32_t redMask, uint32_t greenMask,
                                uint32_t blueMask);

// Bytes B, G, R and the source's top byte: the pixel unchanged.
void convertRow32(const uint32_t* source, void* destination, uint32_t count);
// Bytes R, G, B, 0.
void convertRow32Swap(const uint32_t* source, void* destination, uint32_t count);
// Bytes B, G, R.
void convertRow24(const uint32_t* source, void* destination, uint32_t count);
// Bytes R, G, B.
void convertRow24Swap(const uint32_t* source, void* destination, uint32_t count);
// 16 bits: red 15-11, green 10-5, blue 4-0.
void convertRow565(const uint32_t* source, void* destination, uint32_t count);
// 16 bits: blue 15-11, green 10-5, red 4-0.
void convertRow565Swap(const uint32_t* source, void* destination, uint32_t count);
// 16 bits: 0, red 14-10, green 9-5, blue 4-0.
void convertRow555(const uint32_t* source, void* destination, uint32_t count);
// 16 bits: 0, blue 14-10, green 9-5, red 4-0.
void convertRow555Swap(const uint32_t* source, void* destination, uint32_t count);

// Copies byteCount bytes in 64-byte blocks, then the rest byte by byte; any count works.
void copyBlocks(void* destination, const void* source, uint32_t byteCount);
