#include <benchmark/benchmark.h>

#include <random>

#include "bench/frame_buffers.h"
#include "display/convert/row_converters.h"
#include "effect/fountain.h"
#include "platform/sim/sim.h"

namespace {

// A silent module: no spectrum jump, so no burst changes the walk from frame to frame.
VisModule silence{};

// The simulated clock runs 26 ms a frame, a little behind the 25 ms period, so that every
// call is due and draws.
struct FrameClock {
    DWORD now = 1000;
    FrameClock() {
        sim::reset();
        seedFountain();
        sim::setTick(now);
        stepFountain(&silence);  // arms the clock
    }
    bool step() {
        now += 26;
        sim::setTick(now);
        return stepFountain(&silence);
    }
};

// Slow particles low on the picture: they stay on it for dozens of frames, so the walk
// plots every one of them.
void fillTo(uint32_t population, std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0f, 1.0f);
    ParticleStore* store = fountainStore();
    while (store->count() < population) {
        Particle p;
        p.x = 40.0f + 560.0f * unit(random);
        p.y = 300.0f + 170.0f * unit(random);
        p.vx = unit(random) - 0.5f;
        p.vy = -1.0f - 3.0f * unit(random);
        store->addFront(p);
    }
}

void stepFrames(benchmark::State& state) {
    const auto population = static_cast<uint32_t>(state.range(0));
    FrameClock clock;
    std::mt19937 random(5);
    for (auto _ : state) {
        if (fountainStore()->count() < population) {
            state.PauseTiming();
            fillTo(population, random);
            state.ResumeTiming();
        }
        if (!clock.step()) {
            state.SkipWithError("no frame was drawn");
            break;
        }
    }
}

// What one presented frame costs the processor at 16 bits: the effect's step and the 480
// row conversions that presentation makes (the lock and the flip are the driver's).
void wholeFrame565(benchmark::State& state) {
    FrameClock clock;
    Surface& surface = benchSurface(2);
    for (auto _ : state) {
        if (!clock.step()) {
            state.SkipWithError("no frame was drawn");
            break;
        }
        const uint32_t* rows = framebuffer().pixels;
        for (int y = 0; y < kBenchHeight; ++y) {
            convertRow565(rows + y * kBenchWidth, surface.bytes.data() + y * surface.pitch,
                          kBenchWidth);
        }
        benchmark::ClobberMemory();
    }
}

}  // namespace

void registerFountainBenchmarks() {
    benchmark::RegisterBenchmark("stepFountain", stepFrames)
        ->Arg(25)
        ->Arg(500)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("frame/step+convertRow565", wholeFrame565)
        ->Unit(benchmark::kMicrosecond);
}
