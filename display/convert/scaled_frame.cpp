#include "display/convert/scaled_frame.h"

#include "display/convert/widening.h"

void scaleFrame(const uint32_t* source, uint32_t width, uint32_t height, uint32_t factor,
                uint32_t* destination, int32_t pitch) {
    widening::scaleRows(convertRow32, 4, widening::widen32(factor), source, width, height, factor,
                        reinterpret_cast<uint8_t*>(destination), pitch);
}
