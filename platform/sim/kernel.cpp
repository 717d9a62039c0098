#include <cctype>
#include <cstring>

#include "platform/sim/internal.h"

namespace {

DWORD currentTick = 0;
std::vector<DWORD> sleepLog;
int ddrawLoads = 0;

HMODULE const kDdrawModule = reinterpret_cast<HMODULE>(uintptr_t{0x73800000});
HINSTANCE const kHostInstance = reinterpret_cast<HINSTANCE>(uintptr_t{0x00400000});

bool isDdrawName(LPCSTR name) {
    if (!name) {
        return false;
    }
    std::string lower(name);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower == "ddraw.dll" || lower == "ddraw";
}

}  // namespace

namespace sim {

HRESULT WINAPI directDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer);

void resetKernel() {
    currentTick = 0;
    sleepLog.clear();
    ddrawLoads = 0;
}

void setTick(DWORD tick) { currentTick = tick; }
DWORD tick() { return currentTick; }
const std::vector<DWORD>& sleeps() { return sleepLog; }

HMODULE ddrawModule() { return kDdrawModule; }
HINSTANCE hostInstance() { return kHostInstance; }
int loadedLibraries() { return ddrawLoads; }

void requireDdrawLoaded(const char* what) {
    if (ddrawLoads == 0) {
        crash(std::string(what) + " called after ddraw.dll was unloaded");
    }
}

std::string kernelLeaks() {
    return ddrawLoads ? "ddraw.dll loaded " + std::to_string(ddrawLoads) + " time(s); " : "";
}

}  // namespace sim

namespace win {

DWORD GetTickCount() {
    sim::record("GetTickCount()");
    return currentTick;
}

void Sleep(DWORD milliseconds) {
    sim::record("Sleep(" + std::to_string(milliseconds) + ")");
    sleepLog.push_back(milliseconds);
    currentTick += milliseconds;
}

HMODULE LoadLibraryA(LPCSTR name) {
    sim::record(std::string("LoadLibraryA(") + (name ? name : "NULL") + ")");
    if (sim::faultSet(sim::Fault::LibraryLoad) || !isDdrawName(name)) {
        return nullptr;
    }
    ++ddrawLoads;
    return kDdrawModule;
}

FARPROC GetProcAddress(HMODULE module, LPCSTR name) {
    sim::record("GetProcAddress(" + sim::hex(module) + ", " + (name ? name : "NULL") + ")");
    if (sim::faultSet(sim::Fault::EntryPoint) || module != kDdrawModule || ddrawLoads == 0 ||
        !name || std::strcmp(name, "DirectDrawCreate") != 0) {
        return nullptr;
    }
    // Through a function type without arguments, which GCC lets any function pointer
    // become without a warning.
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&sim::directDrawCreate));
}

BOOL FreeLibrary(HMODULE module) {
    sim::record("FreeLibrary(" + sim::hex(module) + ")");
    if (module != kDdrawModule || ddrawLoads == 0) {
        return FALSE;
    }
    --ddrawLoads;
    return TRUE;
}

HMODULE GetModuleHandleA(LPCSTR name) {
    sim::record(std::string("GetModuleHandleA(") + (name ? name : "NULL") + ")");
    if (!name) {
        return kHostInstance;
    }
    return isDdrawName(name) && ddrawLoads > 0 ? kDdrawModule : nullptr;
}

}  // namespace win
