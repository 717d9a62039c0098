#include "effect/random_source.h"

#include <atomic>
#include <cstdint>

#include "platform/services.h"

namespace {

// Each thread's state lives in a TLS slot, taken at the first draw of a run: the library
// runs no code at load, and a thread_local would bring a thread library into the DLL. The
// slot goes back at the stop, since the host may unload the library without a word and a
// slot that outlived it would be lost to the process for good.
constexpr DWORD kNoSlot = 0xFFFFFFFEu;
std::atomic<DWORD> slot{kNoSlot};

// The state of the thread that stopped, carried over to its first draw after the next
// start; any other thread starts that run at 1, as a thread's first draw must.
DWORD carrier = 0;  // no thread has the id 0
uint32_t carriedState = 1;
// The state of every thread while no slot can be had.
uint32_t sharedState = 1;

// A slot holds the state less one, so that a thread's untouched slot (0) is the state 1.
uint32_t stateIn(DWORD s) {
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(win::TlsGetValue(s))) + 1;
}
void storeState(DWORD s, uint32_t state) {
    win::TlsSetValue(s, reinterpret_cast<LPVOID>(static_cast<uintptr_t>(state - 1)));
}

DWORD randomSlot() {
    DWORD current = slot.load(std::memory_order_acquire);
    if (current != kNoSlot) {
        return current;
    }
    const DWORD fresh = win::TlsAlloc();
    if (!slot.compare_exchange_strong(current, fresh, std::memory_order_acq_rel)) {
        // Another thread's first draw got in first: use its slot.
        if (fresh != TLS_OUT_OF_INDEXES) {
            win::TlsFree(fresh);
        }
        return current;
    }
    if (fresh != TLS_OUT_OF_INDEXES && carrier != 0 && carrier == win::GetCurrentThreadId()) {
        storeState(fresh, carriedState);
    }
    return fresh;
}

}  // namespace

int nextRandom() {
    const DWORD s = randomSlot();
    uint32_t state = (s == TLS_OUT_OF_INDEXES ? sharedState : stateIn(s)) * 214013u + 2531011u;
    if (s == TLS_OUT_OF_INDEXES) {
        sharedState = state;
    } else {
        storeState(s, state);
    }
    return static_cast<int>((state >> 16) & 0x7FFF);
}

void releaseRandomSource() {
    const DWORD s = slot.exchange(kNoSlot, std::memory_order_acq_rel);
    if (s == kNoSlot || s == TLS_OUT_OF_INDEXES) {
        return;
    }
    carrier = win::GetCurrentThreadId();
    carriedState = stateIn(s);
    win::TlsFree(s);
}
