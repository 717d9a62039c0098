// Turning framebuffer rows (32-bit 0x00RRGGBB) into rows of a display surface's pixel
// layout: 32, 24 or 16 bits a pixel, red and blue in either order. Pure pixel code: nothing
// here calls the system.
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

// The plain per-pixel loops of the six converters above that have an MMX bulk path, with
// the same results: the tests hold each bulk path against its twin, and the benchmarks
// measure it against it. The system itself calls none of them.
void convertRow32Plain(const uint32_t* source, void* destination, uint32_t count);
void convertRow24Plain(const uint32_t* source, void* destination, uint32_t count);
void convertRow565Plain(const uint32_t* source, void* destination, uint32_t count);
void convertRow565SwapPlain(const uint32_t* source, void* destination, uint32_t count);
void convertRow555Plain(const uint32_t* source, void* destination, uint32_t count);
void convertRow555SwapPlain(const uint32_t* source, void* destination, uint32_t count);
void copyBlocksPlain(void* destination, const void* source, uint32_t byteCount);
