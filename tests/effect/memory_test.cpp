// The store takes its elements from the process heap; the simulated one counts the live
// blocks and can refuse, as on a machine whose memory has run out.
#include <gtest/gtest.h>

#include <cstring>

#include "effect/fountain.h"
#include "platform/sim/sim.h"

namespace {

VisModule heapModule;

TEST(FountainMemory, ARestartAndAStopReleaseTheRunsParticles) {
    sim::reset();
    seedFountain();
    EXPECT_EQ(sim::liveHeapBlocks(), 25);
    seedFountain();
    EXPECT_EQ(sim::liveHeapBlocks(), 25);
    releaseFountain();
    EXPECT_EQ(sim::leaks(), "");
}

TEST(FountainMemory, LaunchesWithoutMemoryAreSkippedAndTheStoreRecovers) {
    sim::reset();
    sim::conditions().failing = {sim::Fault::OutOfMemory};
    seedFountain();
    EXPECT_EQ(fountainStore()->count(), 0u);
    sim::setTick(1000);
    EXPECT_FALSE(stepFountain(&heapModule));
    std::memset(heapModule.spectrumData[0], 255, kSpectrumBytes);  // bursts from nothing
    sim::setTick(1026);
    EXPECT_TRUE(stepFountain(&heapModule));
    EXPECT_EQ(fountainStore()->count(), 0u);

    sim::conditions().failing.clear();
    sim::setTick(1052);
    EXPECT_TRUE(stepFountain(&heapModule));
    EXPECT_EQ(fountainStore()->count(), 25u);
    std::memset(heapModule.spectrumData[0], 0, kSpectrumBytes);
    releaseFountain();
    EXPECT_EQ(sim::leaks(), "");
}

}  // namespace
