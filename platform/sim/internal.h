// What the parts of the simulation share among themselves; tests use sim.h.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/sim/sim.h"

namespace sim {

void record(const std::string& call);
DWORD tick();
// "0x1c": handles and flags as the leaks name them.
std::string hex(uintptr_t value);
std::string hex(const void* pointer);
bool faultSet(Fault fault);
// Counts down one of a condition's next `count` calls (INT_MAX: every call): whether this
// call is one of them.
bool takeOne(int& count);

// A caller that reaches into ddraw.dll after unloading it would crash on Windows; the
// simulation stops the test with a message instead of carrying on.
void requireDdrawLoaded(const char* what);
[[noreturn]] void crash(const std::string& why);

// Delivers a message to a live window's procedure at once, as the window system does for
// sent messages; 0 when the window does not exist.
LRESULT deliver(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Shown and not minimised: only such a window's picture reaches the screen.
bool windowShowing(HWND window);
// Where the window lies on the screen, in physical pixels, and its client area.
RECT screenRect(HWND window);
RECT clientScreenRect(HWND window);
// The window at its new outer rectangle, told so.
void placeWindow(HWND window, const RECT& rect);
// The work area of the monitor that holds most of the window.
RECT workAreaOf(HWND window);
// How far, in percent, the system stretches the window's picture on the screen.
int windowScale(HWND window);
// The runs [first, second) of row y of the screen that show the window: inside it, the
// window shown, and no shown window in front of it there.
std::vector<std::pair<LONG, LONG>> visibleSpans(HWND window, LONG y);
// Sets whether the window is minimised; whether it was.
bool setMinimised(HWND window, bool minimised);
// Queues the message for every window of the code under test, as the system sends it to
// every top-level window.
void postToEveryWindow(UINT message, WPARAM wParam, LPARAM lParam);
// The primary monitor's scale, the system DPI of a program without per-monitor contexts.
int primaryScale();
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

// DirectDraw's part in what the scenario controls do.
// The window of the object that holds the exclusive level, or null.
HWND exclusiveLevelWindow();
// The mode that the holder of the exclusive level set, if it set one.
bool exclusiveModeOf(Mode* mode);
// The display switches to the mode; where it is another, every surface is lost (Microsoft's
// DirectDraw reference, IDirectDrawSurface::Restore; a mode change by any program counts,
// DDrawCompat issue 614).
void switchMode(const Mode& mode);
// The mode that RestoreDisplayMode brings back from now on.
void setDesktop(const Mode& mode);

// GDI's part: the area shows nothing of what was drawn, until its window draws it again;
// the windows of the code under test that it touches are told so by WM_PAINT.
void drawnAfresh(const RECT& area);
void needPainting(const RECT& area);
void clearScreen();

// What a careless driver leaves in an output after a failed call: a pointer to nothing
// that may be released.
template <typename T>
T* leftover() {
    return reinterpret_cast<T*>(uintptr_t{0xBAADF00D});
}

void resetCalls();
void resetKernel();
void resetWindows();
void resetDirectDraw();
void resetMonitors();
void resetGdi();
void resetFiles();

// Parts of leaks(), each "" when nothing is held.
std::string kernelLeaks();
std::string windowLeaks();
std::string directDrawLeaks();
std::string gdiLeaks();
std::string fileLeaks();

}  // namespace sim
