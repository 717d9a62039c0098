#include "effect/fountain.h"

#include <cstring>

#include "effect/fountain_run.h"
#include "platform/services.h"

namespace {

constexpr float kPull = 0.1f;
constexpr float kK4 = 4.0f / 32767.0f;    // nearest float to 4/32767
constexpr float kK10 = 10.0f / 32767.0f;  // nearest float to 10/32767
constexpr double kSpreadStep = 1.0 / 8192.0;

int32_t dueTick = 0;  // 0: the frame clock is not armed
int32_t previousSum = 0;

// Velocities are evaluated in double precision and rounded once, when stored.
void launchSeed(ParticleStore& store) {
    Particle p;
    p.vy = static_cast<float>(nextRandom() * static_cast<double>(kK4) - 3.0);
    p.vx = static_cast<float>(nextRandom() * static_cast<double>(kK4) - 2.0);
    p.y = static_cast<float>(nextRandom() % kFrameHeight);
    p.x = static_cast<float>(nextRandom() % kFrameWidth);
    store.addFront(p);  // without memory the particle is skipped
}

bool launchReplenishment(ParticleStore& store) {
    Particle p;
    p.vy = static_cast<float>(nextRandom() * static_cast<double>(kK10) - 12.0);
    p.vx = static_cast<float>(nextRandom() * static_cast<double>(kK4) - 2.0);
    p.y = static_cast<float>(kFrameHeight - nextRandom() % 20);
    p.x = static_cast<float>(nextRandom() % 320 + 160);
    return store.addFront(p);
}

void burst(ParticleStore& store) {
    int draw = nextRandom();
    if (store.count() == 0) {
        return;  // only when memory ran out: there is no source to burst from
    }
    const Particle source = store.at(static_cast<uint32_t>(draw) % store.count());
    for (int i = 0; i < kBurstSize; ++i) {
        Particle p = source;
        p.vy = static_cast<float>(nextRandom() * kSpreadStep + source.vy - 2.0);
        p.vx = static_cast<float>(nextRandom() * kSpreadStep + source.vx - 2.0);
        store.addFront(p);
    }
}

// Truncates toward zero; values beyond the int range are far off the picture either way.
int toPixel(double v) {
    if (v <= -2147483648.0) {
        return INT32_MIN;
    }
    if (v >= 2147483647.0) {
        return INT32_MAX;
    }
    return static_cast<int>(v);
}

void walk(ParticleStore& store, uint32_t* pixels) {
    ParticleStore::Position position = store.front();
    while (position != ParticleStore::end()) {
        Particle& p = ParticleStore::particle(position);
        const double vy = static_cast<double>(p.vy) + static_cast<double>(kPull);
        p.vy = static_cast<float>(vy);
        p.x = static_cast<float>(static_cast<double>(p.x) + p.vx);
        const double y = static_cast<double>(p.y) + vy;
        p.y = static_cast<float>(y);

        const int column = toPixel(p.x);
        const int row = toPixel(y);
        const bool onColumns = column >= 0 && column < kFrameWidth;
        if (onColumns && row >= 0 && row < kFrameHeight) {
            pixels[row * kFrameWidth + column] = kWhite;
        }
        if (!onColumns || row >= kFrameHeight) {
            position = store.removeAt(position);
        } else {
            position = ParticleStore::next(position);
        }
        if (store.count() < kPopulationFloor) {
            launchReplenishment(store);
        }
    }
}

int spectrumSum(const VisModule* module) {
    int sum = 0;
    for (int i = 0; i < kSummedSpectrumBytes; ++i) {
        sum += module->spectrumData[0][i];
    }
    return sum;
}

}  // namespace

void seedFountain() {
    ParticleStore& store = freshRunStore();
    dueTick = 0;
    previousSum = 0;
    for (uint32_t i = 0; i < kPopulationFloor; ++i) {
        launchSeed(store);
    }
}

bool stepFountain(const VisModule* module) {
    const int32_t now = static_cast<int32_t>(win::GetTickCount());
    if (dueTick == 0) {
        dueTick = now;
        return false;
    }
    // The signed difference stays right where the counter crosses 2^31 and 2^32.
    if (static_cast<int32_t>(static_cast<uint32_t>(now) - static_cast<uint32_t>(dueTick)) <= 0) {
        return false;
    }
    dueTick = static_cast<int32_t>(static_cast<uint32_t>(dueTick) + kFramePeriodMs);

    ParticleStore& store = runStore();
    uint32_t* pixels = framebuffer().pixels;
    std::memset(pixels, 0, sizeof(Framebuffer::pixels));
    const int sum = spectrumSum(module);
    if (sum >= previousSum + kBurstThreshold) {
        burst(store);
    }
    previousSum = sum;
    walk(store, pixels);
    // The walk keeps the floor whenever memory suffices; after memory ran out the store
    // may have fallen below it (even to empty, where no visit would replenish it).
    while (store.count() < kPopulationFloor && launchReplenishment(store)) {
    }
    return true;
}
