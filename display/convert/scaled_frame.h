// The picture on a monitor whose own display mode is kept: the 640x480 frame scaled by the
// largest whole factor that fits, every source pixel a factor-by-factor square, no
// filtering, centred with black around it.
#pragma once

#include <cstdint>

#include "display/convert/row_converters.h"

struct PicturePlacement {
    uint32_t factor;  // 0 when the area cannot hold the picture even once
    uint32_t x;       // left edge of the scaled picture in the area
    uint32_t y;       // top edge
};

// The largest factor k with k*width <= areaWidth and k*height <= areaHeight, and where the
// scaled picture sits centred in the area; an odd spare pixel goes to the right or the
// bottom. Factor and offsets are 0 when the area is smaller than the picture or the picture
// has no pixels.
PicturePlacement placePicture(uint32_t areaWidth, uint32_t areaHeight, uint32_t width,
                              uint32_t height);

// Draws the width x height frame source (rows packed, 0x00RRGGBB) scaled by factor into a
// picture of the same layout whose rows are pitch bytes apart, pitch at least
// width * factor * 4. Writes the height * factor rows of width * factor pixels from
// destination on and nothing else; reads back what it wrote there. Factor 0 draws nothing.
void scaleFrame(const uint32_t* source, uint32_t width, uint32_t height, uint32_t factor,
                uint32_t* destination, int32_t pitch);

// The same into a surface of bytesPerPixel bytes a pixel (4, 3 or 2, matching convert),
// pitch at least width * factor * bytesPerPixel; another pixel size draws nothing. For the
// benchmarks and tests, which measure every depth: the system scales 32-bit pictures only.
void convertScaledFrame(RowConverter convert, uint32_t bytesPerPixel, const uint32_t* source,
                        uint32_t width, uint32_t height, uint32_t factor, uint8_t* destination,
                        int32_t pitch);
