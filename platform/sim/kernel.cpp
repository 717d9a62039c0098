#include <cstdlib>
#include <cstring>
#include <mutex>
#include <set>

#include "platform/sim/internal.h"

namespace {

DWORD currentTick = 0;
std::vector<DWORD> sleepLog;
int ddrawLoads = 0;
// The calling thread's execution state, as SetThreadExecutionState last left it continuous.
EXECUTION_STATE executionState = ES_CONTINUOUS;
// Blocks taken since the last reset; one from before it is freed without being counted.
std::set<void*> heapBlocks;

// Slots are numbered afresh for the life of the process, as reset() does not take back a
// slot that the code under test holds; slotsHeld counts those taken since the last reset.
DWORD slotsTaken = 0;
std::set<DWORD> slotsHeld;
thread_local std::vector<LPVOID> slotValues;

// Threads as Windows numbers them: ids are multiples of 4, and an ended thread's id goes to
// the next thread that asks, so that code telling threads apart by id alone shows it. The
// creation times only grow, a millisecond apart. A thread gets both at its first question.
std::mutex threadsLock;
std::set<DWORD> freeThreadIds;
DWORD unusedThreadId = 4;
uint64_t threadsNamed = 0;

struct SimThread {
    DWORD id;
    uint64_t created;  // 100-ns units

    SimThread() {
        std::lock_guard<std::mutex> hold(threadsLock);
        if (freeThreadIds.empty()) {
            id = unusedThreadId;
            unusedThreadId += 4;
        } else {
            id = *freeThreadIds.begin();
            freeThreadIds.erase(freeThreadIds.begin());
        }
        created = 132000000000000000ull + ++threadsNamed * 10000;
    }
    ~SimThread() {
        std::lock_guard<std::mutex> hold(threadsLock);
        freeThreadIds.insert(id);
    }
};

SimThread& thisThread() {
    thread_local SimThread thread;
    return thread;
}

HANDLE const kCurrentThread = reinterpret_cast<HANDLE>(intptr_t{-2});

HANDLE const kProcessHeap = reinterpret_cast<HANDLE>(uintptr_t{0x00150000});

HMODULE const kDdrawModule = reinterpret_cast<HMODULE>(uintptr_t{0x73800000});
HINSTANCE const kHostInstance = reinterpret_cast<HINSTANCE>(uintptr_t{0x00400000});
HINSTANCE const kPluginInstance = reinterpret_cast<HINSTANCE>(uintptr_t{0x10000000});

// By the names the display uses; Windows would take other spellings too.
bool isDdrawName(LPCSTR name) { return name && std::strcmp(name, "ddraw.dll") == 0; }

}  // namespace

namespace sim {

HRESULT WINAPI directDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);

void resetKernel() {
    currentTick = 0;
    sleepLog.clear();
    ddrawLoads = 0;
    executionState = ES_CONTINUOUS;
    heapBlocks.clear();
    slotsHeld.clear();
}

int liveHeapBlocks() { return static_cast<int>(heapBlocks.size()); }
bool displayKeptOn() { return (executionState & ES_DISPLAY_REQUIRED) != 0; }

void setTick(DWORD tick) { currentTick = tick; }
DWORD tick() { return currentTick; }
const std::vector<DWORD>& sleeps() { return sleepLog; }
HINSTANCE hostInstance() { return kHostInstance; }

void requireDdrawLoaded(const char* what) {
    if (ddrawLoads == 0) {
        crash(std::string(what) + " called after ddraw.dll was unloaded");
    }
}

std::string kernelLeaks() {
    std::string found;
    if (ddrawLoads) {
        found += "ddraw.dll loaded " + std::to_string(ddrawLoads) + " time(s); ";
    }
    if (!heapBlocks.empty()) {
        found += std::to_string(heapBlocks.size()) + " heap block(s); ";
    }
    if (!slotsHeld.empty()) {
        found += std::to_string(slotsHeld.size()) + " TLS slot(s); ";
    }
    if (executionState & ES_DISPLAY_REQUIRED) {
        found += "the display kept on; ";
    }
    return found;
}

}  // namespace sim

namespace win {

DWORD GetTickCount() {
    sim::record("GetTickCount");
    return currentTick;
}

void Sleep(DWORD milliseconds) {
    sim::record("Sleep");
    sleepLog.push_back(milliseconds);
    currentTick += milliseconds;
}

HMODULE LoadLibraryA(LPCSTR name) {
    sim::record("LoadLibraryA");
    if (sim::faultSet(sim::Fault::LibraryLoad) || !isDdrawName(name)) {
        return nullptr;
    }
    ++ddrawLoads;
    return kDdrawModule;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    sim::record("GetProcAddress");
    if (module == sim::user32Module() && name) {
        return sim::user32Export(name);
    }
    if (sim::faultSet(sim::Fault::EntryPoint) || module != kDdrawModule || ddrawLoads == 0 ||
        !name || std::strcmp(name, "DirectDrawCreate") != 0) {
        return nullptr;
    }
    // Through a function type without arguments, which GCC lets any function pointer
    // become without a warning.
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&sim::directDrawCreate));
}

BOOL FreeLibrary(HMODULE module) {
    sim::record("FreeLibrary");
    if (module != kDdrawModule || ddrawLoads == 0) {
        return FALSE;
    }
    --ddrawLoads;
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    sim::record("GetModuleHandleA");
    if (!name) {
        return kHostInstance;
    }
    return std::strcmp(name, "user32.dll") == 0 ? sim::user32Module() : nullptr;
}

HINSTANCE thisModule() { return kPluginInstance; }

// With ES_CONTINUOUS the state holds until the next such call; without, it only resets the
// idle timers once, and the held state stays (Microsoft: SetThreadExecutionState). The
// previous state, or 0 for flags it does not know.
EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags) {
    sim::record("SetThreadExecutionState");
    if (flags & ~(ES_CONTINUOUS | ES_DISPLAY_REQUIRED)) {
        return 0;
    }
    const EXECUTION_STATE previous = executionState;
    if (flags & ES_CONTINUOUS) {
        executionState = flags;
    }
    return previous;
}

BOOL IsProcessorFeaturePresent(DWORD feature) {
    sim::record("IsProcessorFeaturePresent");
    return sim::conditions().missingProcessorFeatures.count(feature) == 0;
}

// Heap calls are frequent and their order tells nothing, so they are not recorded.
HANDLE GetProcessHeap() { return kProcessHeap; }

// Zeroed only when asked to be (Microsoft: HeapAlloc, HEAP_ZERO_MEMORY); otherwise the
// block holds garbage.
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) {
    if (heap != kProcessHeap) {
        sim::crash("HeapAlloc on a heap that is not the process heap");
    }
    if (sim::faultSet(sim::Fault::OutOfMemory)) {
        return nullptr;
    }
    void* block = std::malloc(bytes ? bytes : 1);
    if (block) {
        std::memset(block, flags & HEAP_ZERO_MEMORY ? 0 : 0xCD, bytes);
        heapBlocks.insert(block);
    }
    return block;
}

BOOL HeapFree(HANDLE heap, DWORD, LPVOID block) {
    if (heap != kProcessHeap) {
        sim::crash("HeapFree on a heap that is not the process heap");
    }
    heapBlocks.erase(block);
    std::free(block);
    return TRUE;
}

DWORD GetCurrentThreadId() { return thisThread().id; }

HANDLE GetCurrentThread() { return kCurrentThread; }

BOOL GetThreadTimes(HANDLE thread, LPFILETIME creation, LPFILETIME exit, LPFILETIME kernel,
                    LPFILETIME user) {
    if (thread != kCurrentThread || !creation || !exit || !kernel || !user) {
        return FALSE;
    }
    const uint64_t created = thisThread().created;
    *creation = FILETIME{static_cast<DWORD>(created), static_cast<DWORD>(created >> 32)};
    *exit = *kernel = *user = FILETIME{0, 0};
    return TRUE;
}

DWORD TlsAlloc() {
    sim::record("TlsAlloc");
    if (sim::faultSet(sim::Fault::TlsSlots)) {
        return TLS_OUT_OF_INDEXES;
    }
    slotsHeld.insert(slotsTaken);
    return slotsTaken++;
}

BOOL TlsFree(DWORD slot) {
    sim::record("TlsFree");
    slotsHeld.erase(slot);
    return slot < slotsTaken;
}

LPVOID TlsGetValue(DWORD slot) { return slot < slotValues.size() ? slotValues[slot] : nullptr; }

BOOL TlsSetValue(DWORD slot, LPVOID value) {
    if (slot >= slotsTaken) {
        return FALSE;
    }
    if (slot >= slotValues.size()) {
        slotValues.resize(slot + 1);
    }
    slotValues[slot] = value;
    return TRUE;
}

}  // namespace win
