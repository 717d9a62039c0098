#include "effect/random_source.h"

#include <atomic>
#include <cstdint>

#include "platform/services.h"

// Who calls what. nextRandom may be called on any thread: each thread that draws has a
// state of its own in a TLS slot, and the slot is taken by whichever thread draws first in
// a run (an atomic exchange settles two first draws at once). releaseRandomSource is the
// stop's, on the host's calling thread, while no other thread draws: the carried state and
// the state used without a slot below are plain variables that only that thread touches.

namespace {

// The slot is taken at the first draw of a run rather than at load, since loading the
// library runs no code of ours (and a thread_local would bring a thread library into the
// DLL). It goes back at the stop, since the host may unload the library without a word and
// a slot that outlived it would be lost to the process for good.
constexpr DWORD kNoSlot = 0xFFFFFFFEu;
std::atomic<DWORD> slot{kNoSlot};

// A thread as it differs from every other, past or present: Windows hands an ended
// thread's id to a new thread soon after, but the new one has a later creation time. That
// time is as coarse as the system clock (milliseconds), far finer than a run, which spans
// a change of display mode.
struct ThreadMark {
    DWORD id;
    FILETIME created;
};

// What a stop leaves for the thread that made it: that thread's first draw in the next run
// goes on with its sequence, while any other thread starts that run at 1.
struct CarriedState {
    bool held;
    ThreadMark thread;
    uint32_t state;
};
CarriedState carried = {};

// The state of every thread while no slot can be had.
uint32_t sharedState = 1;

// False when the creation time cannot be read: such a thread matches no stop.
bool markCurrentThread(ThreadMark& mark) {
    FILETIME exit;
    FILETIME kernel;
    FILETIME user;
    mark.id = win::GetCurrentThreadId();
    return win::GetThreadTimes(win::GetCurrentThread(), &mark.created, &exit, &kernel, &user) != 0;
}

bool isCarriedThread() {
    ThreadMark self;
    return carried.held && markCurrentThread(self) && self.id == carried.thread.id &&
           self.created.dwLowDateTime == carried.thread.created.dwLowDateTime &&
           self.created.dwHighDateTime == carried.thread.created.dwHighDateTime;
}

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
    if (fresh != TLS_OUT_OF_INDEXES) {
        if (isCarriedThread()) {
            storeState(fresh, carried.state);
        }
        carried.held = false;
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
    carried.held = markCurrentThread(carried.thread);
    carried.state = stateIn(s);
    win::TlsFree(s);
}
