#include "bench/frame_buffers.h"

#include <random>

const uint32_t* benchSource() {
    static const std::vector<uint32_t> frame = [] {
        std::vector<uint32_t> pixels(kFramePixels);
        std::mt19937 random(1);
        for (uint32_t& p : pixels) {
            p = static_cast<uint32_t>(random()) & 0x00FFFFFF;
        }
        return pixels;
    }();
    return frame.data();
}

Surface& benchSurface(int bytesPerPixel) {
    static Surface surfaces[5];
    Surface& s = surfaces[bytesPerPixel];
    if (s.bytes.empty()) {
        s.pitch = kBenchWidth * bytesPerPixel;
        s.bytes.assign(static_cast<size_t>(s.pitch) * kBenchHeight, 0);
    }
    return s;
}
