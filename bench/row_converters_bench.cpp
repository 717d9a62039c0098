#include <benchmark/benchmark.h>
#include <libyuv/convert_from_argb.h>
#include <libyuv/planar_functions.h>

#include <cstring>
#include <functional>
#include <string>

#include "bench/frame_buffers.h"
#include "display/convert/pixel_rules.h"
#include "display/convert/row_converters.h"

namespace {

using RowFunction = std::function<void(const uint32_t* source, uint8_t* destination)>;

// One presented frame's conversions: 480 rows of 640 pixels into a surface.
void convertFrame(benchmark::State& state, int bytesPerPixel, const RowFunction& row) {
    const uint32_t* source = benchSource();
    Surface& surface = benchSurface(bytesPerPixel);
    for (auto _ : state) {
        for (int y = 0; y < kBenchHeight; ++y) {
            row(source + y * kBenchWidth, surface.bytes.data() + y * surface.pitch);
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kFramePixels);
}

void add(const std::string& name, int bytesPerPixel, RowFunction row) {
    benchmark::RegisterBenchmark(name.c_str(), [bytesPerPixel, row](benchmark::State& state) {
        convertFrame(state, bytesPerPixel, row);
    })->Unit(benchmark::kMicrosecond);
}

using YuvConvert = int (*)(const uint8_t*, int, uint8_t*, int, int, int);

// libyuv row by row, as the display calls ours; the swapped 16-bit layouts take two calls,
// the first into a row kept in cache.
RowFunction yuv(YuvConvert convert, int bytesPerPixel) {
    return [convert, bytesPerPixel](const uint32_t* s, uint8_t* d) {
        convert(reinterpret_cast<const uint8_t*>(s), kBenchWidth * 4, d,
                kBenchWidth * bytesPerPixel, kBenchWidth, 1);
    };
}
RowFunction yuvSwapped(YuvConvert convert) {
    return [convert](const uint32_t* s, uint8_t* d) {
        alignas(64) static uint8_t swapped[kBenchWidth * 4];
        libyuv::ARGBToABGR(reinterpret_cast<const uint8_t*>(s), kBenchWidth * 4, swapped,
                           kBenchWidth * 4, kBenchWidth, 1);
        convert(swapped, kBenchWidth * 4, d, kBenchWidth * 2, kBenchWidth, 1);
    };
}

RowFunction ours(RowConverter convert) {
    return [convert](const uint32_t* s, uint8_t* d) { convert(s, d, kBenchWidth); };
}

template <void (*Loop)(uint8_t*, const uint32_t*, uint32_t)>
RowFunction plain() {
    return [](const uint32_t* s, uint8_t* d) { Loop(d, s, kBenchWidth); };
}

}  // namespace

void registerConverterBenchmarks() {
    using namespace pixel_rules;
    add("memcpy", 4, [](const uint32_t* s, uint8_t* d) { std::memcpy(d, s, kBenchWidth * 4); });

    struct Case {
        const char* name;
        int bytesPerPixel;
        RowConverter converter;
        RowFunction plainLoop;
        RowFunction libyuv;
    };
    const Case cases[] = {
        {"convertRow32", 4, convertRow32, ours(convertRow32Plain), yuv(libyuv::ARGBCopy, 4)},
        {"convertRow32Swap", 4, convertRow32Swap, plain<loop32Swap>(), yuv(libyuv::ARGBToABGR, 4)},
        {"convertRow24", 3, convertRow24, ours(convertRow24Plain), yuv(libyuv::ARGBToRGB24, 3)},
        {"convertRow24Swap", 3, convertRow24Swap, plain<loop24Swap>(), yuv(libyuv::ARGBToRAW, 3)},
        {"convertRow565", 2, convertRow565, ours(convertRow565Plain), yuv(libyuv::ARGBToRGB565, 2)},
        {"convertRow565Swap", 2, convertRow565Swap, ours(convertRow565SwapPlain),
         yuvSwapped(libyuv::ARGBToRGB565)},
        {"convertRow555", 2, convertRow555, ours(convertRow555Plain),
         yuv(libyuv::ARGBToARGB1555, 2)},
        {"convertRow555Swap", 2, convertRow555Swap, ours(convertRow555SwapPlain),
         yuvSwapped(libyuv::ARGBToARGB1555)},
    };
    for (const Case& c : cases) {
        add(std::string("ours/") + c.name, c.bytesPerPixel, ours(c.converter));
        add(std::string("plain/") + c.name, c.bytesPerPixel, c.plainLoop);
        add(std::string("libyuv/") + c.name, c.bytesPerPixel, c.libyuv);
    }
}
