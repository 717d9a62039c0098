#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/frame_buffers.h"
#include "display/convert/scaled_frame.h"

namespace {

// A surface as large as the scaled picture, its pitch exactly a row, every page touched
// before the timing so that no run pays for first use.
std::vector<uint8_t>& scaledSurface(int bytesPerPixel, uint32_t factor) {
    static std::vector<uint8_t> surfaces[5][5];
    std::vector<uint8_t>& s = surfaces[bytesPerPixel][factor];
    if (s.empty()) {
        s.assign(static_cast<size_t>(kFramePixels) * factor * factor * bytesPerPixel, 1);
    }
    return s;
}

void scaledFrame(benchmark::State& state, RowConverter convert, int bytesPerPixel,
                 uint32_t factor) {
    const uint32_t* source = benchSource();
    std::vector<uint8_t>& surface = scaledSurface(bytesPerPixel, factor);
    const auto pitch = static_cast<int32_t>(kBenchWidth * factor * bytesPerPixel);
    for (auto _ : state) {
        convertScaledFrame(convert, bytesPerPixel, source, kBenchWidth, kBenchHeight, factor,
                           surface.data(), pitch);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(surface.size()));
}

// The scale: as many bytes copied into the same surface by one memcpy from a buffer as
// large.
void copyFrame(benchmark::State& state, int bytesPerPixel, uint32_t factor) {
    std::vector<uint8_t>& surface = scaledSurface(bytesPerPixel, factor);
    const std::vector<uint8_t> picture(surface.size(), 2);
    for (auto _ : state) {
        std::memcpy(surface.data(), picture.data(), picture.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(surface.size()));
}

}  // namespace

void registerScaledFrameBenchmarks() {
    struct Case {
        const char* name;
        RowConverter convert;
        int bytesPerPixel;
    };
    const Case cases[] = {{"convertRow32", convertRow32, 4}, {"convertRow565", convertRow565, 2}};
    for (const Case& c : cases) {
        for (uint32_t factor : {2u, 4u}) {
            const std::string suffix = std::string(c.name) + "/" + std::to_string(factor);
            benchmark::RegisterBenchmark(("scaled/" + suffix).c_str(), scaledFrame, c.convert,
                                         c.bytesPerPixel, factor)
                ->Unit(benchmark::kMicrosecond);
            benchmark::RegisterBenchmark(("scaledMemcpy/" + suffix).c_str(), copyFrame,
                                         c.bytesPerPixel, factor)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}
