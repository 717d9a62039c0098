// Frames shared by the benchmarks, and the names by which the summary table finds them.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kBenchWidth = 640;
constexpr int kBenchHeight = 480;
constexpr int kFramePixels = kBenchWidth * kBenchHeight;

// A framebuffer-sized frame of random colours, top byte 0.
const uint32_t* benchSource();

// A surface of kBenchHeight rows whose pitch is exactly a row: what DirectDraw hands out
// for 640x480. Reused between benchmarks of the same pixel size.
struct Surface {
    std::vector<uint8_t> bytes;
    int pitch;
};
Surface& benchSurface(int bytesPerPixel);

void registerConverterBenchmarks();
void registerFountainBenchmarks();
void registerScaledFrameBenchmarks();
