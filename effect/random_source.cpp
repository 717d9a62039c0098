#include "effect/random_source.h"

#include <atomic>
#include <cstdint>

#include "platform/services.h"

namespace {

// Each thread's state lives in a TLS slot of its own, taken at the first draw: the library
// runs no code at load, and a thread_local would bring a thread library into the DLL. The
// slot holds the state less one, so that a thread's untouched slot (0) is the state 1.
constexpr DWORD kNotAsked = 0xFFFFFFFEu;
std::atomic<DWORD> slot{kNotAsked};

// Where no slot could be had at all, the threads share this state instead.
uint32_t sharedState = 1;

DWORD randomSlot() {
    DWORD current = slot.load(std::memory_order_acquire);
    if (current != kNotAsked) {
        return current;
    }
    const DWORD fresh = win::TlsAlloc();
    if (slot.compare_exchange_strong(current, fresh, std::memory_order_acq_rel)) {
        return fresh;
    }
    // Another thread's first draw got in first: use its slot.
    if (fresh != TLS_OUT_OF_INDEXES) {
        win::TlsFree(fresh);
    }
    return current;
}

uint32_t advance(uint32_t state) { return state * 214013u + 2531011u; }

}  // namespace

int nextRandom() {
    uint32_t state;
    const DWORD s = randomSlot();
    if (s == TLS_OUT_OF_INDEXES) {
        state = sharedState = advance(sharedState);
    } else {
        state =
            advance(static_cast<uint32_t>(reinterpret_cast<uintptr_t>(win::TlsGetValue(s))) + 1);
        win::TlsSetValue(s, reinterpret_cast<LPVOID>(static_cast<uintptr_t>(state - 1)));
    }
    return static_cast<int>((state >> 16) & 0x7FFF);
}
