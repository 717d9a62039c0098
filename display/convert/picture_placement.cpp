// Apart from the drawing in scaled_frame.cpp, which is built with SSE2: the display set-up
// places the picture, and the set-up runs on every processor.
#include "display/convert/scaled_frame.h"

PicturePlacement placePicture(uint32_t areaWidth, uint32_t areaHeight, uint32_t width,
                              uint32_t height) {
    if (width == 0 || height == 0) {
        return {0, 0, 0};
    }
    const uint32_t across = areaWidth / width;
    const uint32_t down = areaHeight / height;
    const uint32_t factor = across < down ? across : down;
    if (factor == 0) {
        return {0, 0, 0};
    }
    // factor * width <= areaWidth, so neither product overflows.
    return {factor, (areaWidth - factor * width) / 2, (areaHeight - factor * height) / 2};
}
