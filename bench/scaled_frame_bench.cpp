#include <benchmark/benchmark.h>

#include <cstring>
#include <string>
#include <vector>

#include "bench/frame_buffers.h"
#include "display/convert/frame_changes.h"
#include "display/convert/scaled_frame.h"
#include "effect/fountain.h"
#include "platform/sim/sim.h"

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

// Two of the fountain's frames in a row, after a hundred to warm up: quiet, only its floor
// of particles; bursting, a bass jump every other frame, as fast as the fountain takes them.
// Two, so that both stay in the cache as the frame just drawn and the one shown before do.
const std::vector<std::vector<uint32_t>>& fountainFrames(bool bursting) {
    static std::vector<std::vector<uint32_t>> recorded[2];
    std::vector<std::vector<uint32_t>>& frames = recorded[bursting];
    if (!frames.empty()) {
        return frames;
    }
    sim::reset();
    seedFountain();
    VisModule module{};
    DWORD now = 1000;
    for (int i = 0; frames.size() < 2; ++i) {
        std::memset(module.spectrumData[0], bursting && i % 2 ? 255 : 0, kSpectrumBytes);
        sim::setTick(now += 26);
        if (stepFountain(&module) && i >= 100) {
            const uint32_t* pixels = framebuffer().pixels;
            frames.emplace_back(pixels, pixels + kFramePixels);
        }
    }
    return frames;
}

// One frame of the windowed display's work, the two frames in turn: what changed since the
// frame before found, converted and scaled into the 32-bit picture. The share of the picture that
// the changed rectangles cover, which GDI then copies, is the counter "copied".
void scaledChanges(benchmark::State& state, bool bursting, uint32_t factor) {
    const std::vector<std::vector<uint32_t>>& frames = fountainFrames(bursting);
    std::vector<uint8_t>& surface = scaledSurface(4, factor);
    std::vector<uint32_t> shown(kFramePixels, 0);
    const auto pitch = static_cast<int32_t>(kBenchWidth * factor * 4);
    ChangedRect rects[64];
    size_t at = 0;
    double copied = 0;
    for (auto _ : state) {
        const uint32_t count =
            scaleChanges(frames[at].data(), shown.data(), kBenchWidth, kBenchHeight, factor,
                         reinterpret_cast<uint32_t*>(surface.data()), pitch, rects, 64);
        benchmark::ClobberMemory();
        for (uint32_t i = 0; i < count; ++i) {
            copied += double(rects[i].bottom - rects[i].top) * (rects[i].right - rects[i].left);
        }
        at = (at + 1) % frames.size();
    }
    state.counters["copied"] = copied / kFramePixels / static_cast<double>(state.iterations());
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
    for (uint32_t factor : {2u, 4u}) {
        for (bool bursting : {false, true}) {
            const std::string name =
                std::string("changes/") + (bursting ? "burst/" : "quiet/") + std::to_string(factor);
            benchmark::RegisterBenchmark(name.c_str(), scaledChanges, bursting, factor)
                ->Unit(benchmark::kMicrosecond);
        }
    }
}
