#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "effect/fountain.h"
#include "platform/sim/sim.h"

namespace {

VisModule module;

bool stepAt(DWORD tick) {
    sim::setTick(tick);
    return stepFountain(&module);
}

void setSpectrum(int sum) {
    std::memset(module.spectrumData, 0, sizeof module.spectrumData);
    for (int i = 0; sum > 0; ++i, sum -= 255) {
        module.spectrumData[0][i] = static_cast<unsigned char>(sum < 255 ? sum : 255);
    }
}

// A fresh run whose store holds exactly the given particles, its clock armed at `tick`.
void startWith(const std::vector<Particle>& particles, DWORD tick = 1000) {
    seedFountain();
    fountainStore()->clear();
    for (const Particle& p : particles) {
        fountainStore()->addFront(p);
    }
    setSpectrum(0);
    ASSERT_FALSE(stepAt(tick));
}

// n particles on the middle of the picture that stand still through their first move.
std::vector<Particle> parked(int n) {
    std::vector<Particle> particles;
    for (int i = 0; i < n; ++i) {
        particles.push_back({200.0f + 8 * i, 240.0f, 0.0f, -0.1f});
    }
    return particles;
}

std::vector<int> whitePixels() {
    std::vector<int> found;
    const uint32_t* pixels = framebuffer().pixels;
    for (int i = 0; i < kFrameWidth * kFrameHeight; ++i) {
        if (pixels[i] == kWhite) {
            found.push_back(i);
        } else {
            EXPECT_EQ(pixels[i], 0u) << "pixel " << i;
        }
    }
    return found;
}

TEST(FountainFigures, FirstSeedParticleFromAFreshRandomState) {
    Particle first{};
    std::thread([&] {
        seedFountain();
        first = fountainStore()->at(24);  // made first, so at the back
    }).join();
    EXPECT_EQ(first.vy, -2.99499488f);
    EXPECT_EQ(first.vx, 0.254341245f);
    EXPECT_EQ(first.y, 94.0f);
    EXPECT_EQ(first.x, 260.0f);
    // Rounding after each operation would have given another vx.
    const float k4 = 4.0f / 32767.0f;
    volatile float product = 18467 * k4;
    EXPECT_NE(first.vx, product - 2.0f);
    uint32_t bits;
    std::memcpy(&bits, &k4, sizeof bits);
    EXPECT_EQ(bits, 0x39000100u);
}

TEST(FountainPacing, ArmsThenDrawsWhenTheDueTickIsStrictlyPast) {
    startWith(parked(25), 0);  // a tick of 0 cannot arm the clock
    framebuffer().pixels[7] = 0x123456;
    EXPECT_FALSE(stepAt(1000));  // arms
    EXPECT_EQ(framebuffer().pixels[7], 0x123456u);
    EXPECT_FALSE(stepAt(1000));
    EXPECT_TRUE(stepAt(1001));
    EXPECT_EQ(framebuffer().pixels[7], 0u);
    EXPECT_FALSE(stepAt(1025));
    EXPECT_TRUE(stepAt(1026));
}

TEST(FountainPacing, LateCallsCatchUpOneFrameEach) {
    startWith(parked(25), 5000);
    EXPECT_TRUE(stepAt(5001));
    std::vector<bool> drawn;
    for (DWORD t = 5101; t <= 5126; ++t) {
        drawn.push_back(stepAt(t));
    }
    std::vector<bool> expected(26, false);
    expected[0] = expected[1] = expected[2] = expected[3] = expected[25] = true;
    EXPECT_EQ(drawn, expected);
}

TEST(FountainPacing, KeepsGoingWhereTheTickCounterCrossesTwoToThe31And32) {
    startWith(parked(25), 0x7FFFFFE0u);
    EXPECT_TRUE(stepAt(0x7FFFFFE1u));  // due 0x7FFFFFF9
    EXPECT_TRUE(stepAt(0x80000005u));
    startWith(parked(25), 0xFFFFFFF0u);
    EXPECT_TRUE(stepAt(0xFFFFFFF1u));  // due wraps to 9
    EXPECT_FALSE(stepAt(9));
    EXPECT_TRUE(stepAt(10));
}

TEST(FountainPacing, ARestartIsPacedAndForgetsTheLastSum) {
    startWith(parked(25), 1000);
    setSpectrum(5000);
    EXPECT_TRUE(stepAt(1001));
    EXPECT_GE(fountainStore()->count(), 45u);  // burst against 0
    seedFountain();
    EXPECT_FALSE(stepAt(900000));  // re-arms instead of racing through the stopped time
    EXPECT_TRUE(stepAt(900001));
    EXPECT_FALSE(stepAt(900002));
    startWith(parked(25), 2000);
    setSpectrum(1000);  // against the forgotten 5000 this would not burst
    EXPECT_TRUE(stepAt(2001));
    EXPECT_EQ(fountainStore()->count(), 45u);
}

TEST(FountainBurst, RiseOfAThousandOverThePreviousFrame) {
    startWith(parked(25));
    DWORD t = 1001;
    auto countAfter = [&](int sum) {
        setSpectrum(sum);
        EXPECT_TRUE(stepAt(t));
        t += 25;
        return fountainStore()->count();
    };
    EXPECT_EQ(countAfter(999), 25u);
    startWith(parked(25));
    t = 1001;
    EXPECT_EQ(countAfter(1000), 45u);
    startWith(parked(25));
    t = 1001;
    EXPECT_EQ(countAfter(5000), 45u);
    EXPECT_EQ(countAfter(5999), 45u);  // no new burst, nobody culled
    EXPECT_EQ(countAfter(6999), 65u);
    EXPECT_EQ(countAfter(3000), 65u);  // falling: the previous sum follows it down
    EXPECT_EQ(countAfter(3999), 65u);
    EXPECT_EQ(countAfter(4999), 85u);
}

TEST(FountainBurst, SumsOnlyTheFirst288UnsignedValuesOfChannelZero) {
    startWith(parked(25));
    std::memset(module.spectrumData, 255, sizeof module.spectrumData);
    std::memset(module.spectrumData[0], 0, kSummedSpectrumBytes);
    module.spectrumData[0][kSummedSpectrumBytes - 1] = 255;
    EXPECT_TRUE(stepAt(1001));
    EXPECT_EQ(fountainStore()->count(), 25u);  // 255 in all: no burst
    startWith(parked(25));
    std::memset(module.spectrumData[0], 255, kSummedSpectrumBytes);  // 73,440
    EXPECT_TRUE(stepAt(1001));
    EXPECT_EQ(fountainStore()->count(), 45u);
}

TEST(FountainBurst, SprayStartsFromOneSourceAndIsDrawnInItsFrame) {
    startWith(parked(25));
    setSpectrum(2000);
    EXPECT_TRUE(stepAt(1001));
    ParticleStore* store = fountainStore();
    ASSERT_EQ(store->count(), 45u);
    const Particle& first = store->at(0);
    const float sourceX = first.x - first.vx;
    const float sourceY = first.y - first.vy;
    EXPECT_EQ(sourceY, 240.0f);
    EXPECT_EQ(std::fmod(sourceX - 200.0f, 8.0f), 0.0f);
    for (uint32_t i = 0; i < 20; ++i) {
        const Particle& p = store->at(i);
        EXPECT_NEAR(p.x - p.vx, sourceX, 1e-3);
        EXPECT_NEAR(p.y - p.vy, sourceY, 1e-3);
        EXPECT_GE(p.vx, -2.0f - 1e-3);  // the source stood still: only the spread
        EXPECT_LT(p.vx, 2.0f);
    }
    EXPECT_GE(whitePixels().size(), 26u);  // the 25 and the spray, some on one pixel
}

struct EdgeCase {
    float x, y;
    int pixel;  // -1: not drawn
    bool kept;
};

TEST(FountainWalk, PlotsAndCullsAtThePicturesEdges) {
    const EdgeCase cases[] = {
        {-0.5f, 100, 100 * 640 + 0, true},    {-1.0f, 100, -1, false},
        {639.9f, 100, 100 * 640 + 639, true}, {640.0f, 100, -1, false},
        {100, -0.5f, 0 * 640 + 100, true},    {100, -3.0f, -1, true},
        {100, 479.9f, 479 * 640 + 100, true}, {100, 480.0f, -1, false},
    };
    for (const EdgeCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "x " << c.x << " y " << c.y);
        startWith({{c.x, c.y, 0.0f, -0.1f}});
        EXPECT_TRUE(stepAt(1001));
        std::vector<int> pixels = whitePixels();
        EXPECT_EQ(pixels, c.pixel < 0 ? std::vector<int>{} : std::vector<int>{c.pixel});
        ParticleStore* store = fountainStore();
        EXPECT_EQ(store->count(), 25u);  // replenished to the floor
        EXPECT_EQ(store->at(store->count() - 1).vy == 0.0f, c.kept);
    }
}

TEST(FountainWalk, ALaunchAtTheBottomEdgeSurvivesItsFirstStep) {
    startWith({{300, 480, 0, -2.0f}});
    EXPECT_TRUE(stepAt(1001));
    EXPECT_EQ(whitePixels(), std::vector<int>{478 * 640 + 300});
}

TEST(FountainWalk, RemovalsAreReplacedAndTheWalkGoesOn) {
    std::vector<Particle> particles = parked(25);
    particles.front().x = -5;  // the oldest leaves
    particles.back().x = -5;   // the newest leaves: the next one is still drawn
    startWith(particles);
    EXPECT_TRUE(stepAt(1001));
    EXPECT_EQ(fountainStore()->count(), 25u);
    EXPECT_EQ(whitePixels().size(), 23u);  // replacements are first drawn next frame
    EXPECT_TRUE(stepAt(1026));
    EXPECT_EQ(whitePixels().size(), 25u);
}

TEST(FountainWalk, PopulationNeverEndsAFrameBelowTheFloor) {
    seedFountain();
    std::mt19937 random(7);
    DWORD t = 1000;
    stepAt(t);
    uint32_t largest = 0;
    for (int frame = 0; frame < 5000; ++frame) {
        setSpectrum(static_cast<int>(random() % 40000));  // bursts about half the time
        t += 25 + random() % 3;
        ASSERT_TRUE(stepAt(t));
        ASSERT_GE(fountainStore()->count(), 25u);
        largest = std::max(largest, fountainStore()->count());
    }
    EXPECT_GT(largest, 65u);
    EXPECT_LT(largest, 2000u);  // the culls keep up with the bursts
}

}  // namespace
