// The picture on a monitor whose own display mode is kept: the 640x480 frame scaled by the
// largest whole factor that fits, centred with black around it.
#pragma once

#include <cstdint>

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
