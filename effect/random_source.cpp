#include "effect/random_source.h"

#include <cstdint>

namespace {

thread_local uint32_t randomState = 1;

}  // namespace

int nextRandom() {
    randomState = randomState * 214013u + 2531011u;
    return static_cast<int>((randomState >> 16) & 0x7FFF);
}
