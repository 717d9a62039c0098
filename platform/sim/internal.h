// What the parts of the simulation share among themselves; tests use sim.h.
#pragma once

#include <cstdint>
#include <string>

#include "platform/sim/sim.h"

namespace sim {

void record(const std::string& call);
bool faultSet(Fault fault);

// A caller that reaches into ddraw.dll after unloading it would crash on Windows; the
// simulation stops the test with a message instead of carrying on.
void requireDdrawLoaded(const char* what);
[[noreturn]] void crash(const std::string& why);

// Delivers a message to a live window's procedure at once, as the window system does for
// sent messages; 0 when the window does not exist.
LRESULT deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Shown and not minimised: only such a window's picture reaches the screen.
bool windowShowing(HWND window);
// Whether the screen's pixel x, y shows the window: inside it, the window shown, and no
// shown window in front of it there. What a clipper lets through.
bool reachesScreen(HWND window, LONG x, LONG y);
// Whether the calling thread runs under a per-monitor DPI context.
bool threadPerMonitorDpi();
// The handle of user32.dll and what GetProcAddress finds in it.
HMODULE user32Module();
FARPROC user32Export(const char* name);
// The size of the desktop across every monitor: the primary surface at the normal level.
RECT virtualScreen();
// Queues a message for the window's thread without recording a call, as the window system
// does for what it sends across threads: the window's procedure sees it at the next pump.
void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The user switches to another program: its window, not one of this process, takes the
// foreground.
void otherProgramToFront();
// Makes the window the foreground window, as taking exclusive mode does; true when the
// foreground was with another thread (or nobody), which is when Windows sends
// WM_ACTIVATEAPP.
bool bringToFront(HWND window);
// What a real DirectDraw does on taking exclusive mode, where the knob says so.
void stopScreensaverForExclusiveMode();

// What a careless driver leaves in an output after a failed call: a pointer to nothing
// that may be released.
template <typename T>
T* leftover() {
    return reinterpret_cast<T*>(uintptr_t{0xBAADF00D});
}

void resetCalls();
void resetFaults();
void resetKernel();
void resetWindows();
void resetDirectDraw();
void resetMonitors();

// Parts of leaks(), each "" when nothing is held.
std::string kernelLeaks();
std::string windowLeaks();
std::string directDrawLeaks();

}  // namespace sim
