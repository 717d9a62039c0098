// The store takes its elements with nothrow new. This file replaces the process's
// allocation functions so that a test can count the live nothrow allocations and make
// them fail, as on a machine whose memory has run out.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <new>

#include "effect/fountain.h"
#include "platform/sim/sim.h"

namespace {

bool failNothrow = false;
long liveNothrow = 0;

// Every block carries a tag in front of it, so that delete knows what new made it.
constexpr std::size_t kHeader = 16;

void* allocate(std::size_t n, int tag) {
    char* block = static_cast<char*>(std::malloc(n + kHeader));
    if (block == nullptr) {
        return nullptr;
    }
    std::memcpy(block, &tag, sizeof tag);
    return block + kHeader;
}

void release(void* p) {
    if (p == nullptr) {
        return;
    }
    char* block = static_cast<char*>(p) - kHeader;
    int tag;
    std::memcpy(&tag, block, sizeof tag);
    if (tag == 1) {
        --liveNothrow;
    }
    std::free(block);
}

}  // namespace

void* operator new(std::size_t n) {
    void* p = allocate(n, 0);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    return p;
}
void* operator new[](std::size_t n) { return operator new(n); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept {
    if (failNothrow) {
        return nullptr;
    }
    void* p = allocate(n, 1);
    if (p != nullptr) {
        ++liveNothrow;
    }
    return p;
}
void operator delete(void* p) noexcept { release(p); }
void operator delete(void* p, std::size_t) noexcept { release(p); }
void operator delete[](void* p) noexcept { release(p); }
void operator delete[](void* p, std::size_t) noexcept { release(p); }

namespace {

struct NoMemory {
    NoMemory() { failNothrow = true; }
    ~NoMemory() { failNothrow = false; }
};

VisModule module;

TEST(FountainMemory, ARestartReleasesThePreviousRunsParticles) {
    seedFountain();
    const long afterFirst = liveNothrow;
    seedFountain();
    EXPECT_EQ(liveNothrow, afterFirst);
    EXPECT_EQ(fountainStore()->count(), 25u);
    fountainStore()->clear();
    EXPECT_EQ(liveNothrow, afterFirst - 25);
}

TEST(FountainMemory, LaunchesWithoutMemoryAreSkippedAndTheStoreRecovers) {
    {
        NoMemory noMemory;
        seedFountain();
        EXPECT_EQ(fountainStore()->count(), 0u);
        sim::setTick(1000);
        EXPECT_FALSE(stepFountain(&module));
        std::memset(module.spectrumData[0], 255, kSpectrumBytes);  // bursts from nothing
        sim::setTick(1026);
        EXPECT_TRUE(stepFountain(&module));
        EXPECT_EQ(fountainStore()->count(), 0u);
    }
    sim::setTick(1052);
    EXPECT_TRUE(stepFountain(&module));
    EXPECT_EQ(fountainStore()->count(), 25u);
    std::memset(module.spectrumData[0], 0, kSpectrumBytes);
}

}  // namespace
