#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "effect/random_source.h"
#include "platform/sim/sim.h"

namespace {

std::vector<int> drawsOnFreshThread(int n) {
    std::vector<int> values;
    std::thread([&] {
        for (int i = 0; i < n; ++i) {
            values.push_back(nextRandom());
        }
    }).join();
    return values;
}

// A stop in the middle gives the TLS slot back, and the sequence goes on across it.
TEST(RandomSource, FreshThreadYieldsThePublishedSequenceAcrossAStop) {
    sim::reset();
    std::vector<int> values;
    std::string held;
    std::thread([&] {
        for (int i = 0; i < 10; ++i) {
            if (i == 5) {
                releaseRandomSource();
                held = sim::leaks();
            }
            values.push_back(nextRandom());
        }
        releaseRandomSource();
    }).join();
    EXPECT_EQ(values,
              (std::vector<int>{41, 18467, 6334, 26500, 19169, 15724, 11478, 29358, 26962, 24464}));
    EXPECT_EQ(held, "");
    EXPECT_EQ(sim::leaks(), "");
}

TEST(RandomSource, EveryThreadStartsAtOneAndStaysInRange) {
    for (int i = 0; i < 1000; ++i) {
        nextRandom();  // advances this thread only
    }
    releaseRandomSource();  // and carries over only to this thread
    std::vector<int> values = drawsOnFreshThread(100000);
    EXPECT_EQ(values[0], 41);
    for (int v : values) {
        ASSERT_GE(v, 0);
        ASSERT_LE(v, 32767);
    }
}

// Windows hands an ended thread's id to a new thread soon after; a host that starts each
// run on a fresh thread may get it back. The new thread's first draw is still its first.
TEST(RandomSource, ANewThreadWithAnEndedThreadsIdStartsAtOne) {
    sim::reset();
    DWORD firstId = 0;
    DWORD secondId = 0;
    std::vector<int> second;
    std::thread([&] {
        firstId = win::GetCurrentThreadId();
        for (int i = 0; i < 5; ++i) {
            nextRandom();
        }
        releaseRandomSource();
    }).join();
    std::thread([&] {
        secondId = win::GetCurrentThreadId();
        for (int i = 0; i < 3; ++i) {
            second.push_back(nextRandom());
        }
        releaseRandomSource();
    }).join();
    ASSERT_EQ(secondId, firstId);
    EXPECT_EQ(second, (std::vector<int>{41, 18467, 6334}));
    EXPECT_EQ(sim::leaks(), "");
}

// A process out of TLS slots still gets a sequence, shared by its threads, and the next
// run asks for a slot again.
TEST(RandomSource, WithoutASlotTheThreadsShareOneSequence) {
    releaseRandomSource();
    sim::reset();
    sim::conditions().failing = {sim::Fault::TlsSlots};
    std::vector<int> first = drawsOnFreshThread(3);
    std::vector<int> second = drawsOnFreshThread(3);
    EXPECT_NE(first, second);
    releaseRandomSource();
    sim::conditions().failing.clear();
    EXPECT_EQ(drawsOnFreshThread(1), std::vector<int>{41});
    releaseRandomSource();
    EXPECT_EQ(sim::leaks(), "");
}

}  // namespace
