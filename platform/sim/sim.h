// Knobs and records of the simulated platform, for tests. Everything here lives in the
// process and is reset by sim::reset(). The simulation serves one test thread at a time;
// windows and message queues still belong to the thread that made them, as on Windows.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/services.h"

namespace sim {

// Puts every simulated service back to its state at process start, and frees whatever
// the code under test left behind: pointers it still holds into the simulation dangle.
void reset();

// ---- Calls ---------------------------------------------------------------------------

// Every call into the platform since the last reset or clearCalls(), in order, as text:
// "Name(arguments)" for kernel and window calls, "role.Method(arguments)" for DirectDraw,
// where the role is "dd" for a DirectDraw object and "primary", "back" or "back2" for the
// surfaces of a flip chain. Handles and flags are hexadecimal (see hex()), sizes decimal,
// an absent pointer NULL.
const std::vector<std::string>& calls();
// The same calls without their arguments, for asserting order alone.
std::vector<std::string> callNames();
void clearCalls();
// Whether calls are recorded at all; on at reset. Long runs that only look for leaks can
// switch it off.
void setRecording(bool on);
// "0x1c": the form in which handles and flags appear in the calls.
std::string hex(uintptr_t value);
std::string hex(const void* pointer);

// ---- Kernel --------------------------------------------------------------------------

// The tick count that win::GetTickCount() answers.
void setTick(DWORD tick);
DWORD tick();

// Every win::Sleep argument since the last reset, in order. Sleeping also moves the tick on.
const std::vector<DWORD>& sleeps();

// The handle that LoadLibraryA("ddraw.dll") yields, and that of the host executable.
HMODULE ddrawModule();
HINSTANCE hostInstance();
// Loads of ddraw.dll not yet matched by a FreeLibrary.
int loadedLibraries();

// Threads: GetCurrentThreadId hands an ended thread's id to the next new thread, as Windows
// does soon after a thread ends; GetThreadTimes on GetCurrentThread() tells such threads
// apart by their creation times, which only grow. Neither is recorded nor reset.

// What IsProcessorFeaturePresent answers for a PF_ feature; every feature is there at reset.
void setProcessorFeature(DWORD feature, bool present);

// Blocks taken from the process heap since the last reset and not yet freed.
int liveHeapBlocks();

// ---- Faults --------------------------------------------------------------------------

// A step that fails every time while its fault is set. A failed DirectDrawCreate,
// CreateSurface or GetAttachedSurface leaves a pointer to nothing in its output, as a
// careless driver may.
enum class Fault {
    LibraryLoad,       // LoadLibraryA yields no handle
    EntryPoint,        // GetProcAddress finds no DirectDrawCreate
    DirectDrawCreate,  // DDERR_NODIRECTDRAWHW
    WindowCreation,    // CreateWindowExA yields no window
    CooperativeLevel,  // SetCooperativeLevel: DDERR_EXCLUSIVEMODEALREADYSET
    DisplayMode,       // every SetDisplayMode: DDERR_UNSUPPORTED
    CreateSurface,     // every CreateSurface: DDERR_OUTOFVIDEOMEMORY
    BackBuffer,        // GetAttachedSurface: DDERR_NOTFOUND
    PixelFormat,       // GetPixelFormat: DDERR_GENERIC
    Lock,              // every Lock: DDERR_SURFACELOST
    VideoMemory,       // every CreateSurface asking for video memory: DDERR_NODIRECTDRAWHW
    OutOfMemory,       // HeapAlloc yields no block
    TlsSlots,          // TlsAlloc yields TLS_OUT_OF_INDEXES
};
void setFault(Fault fault, bool on = true);

// ---- DirectDraw ----------------------------------------------------------------------

struct Mode {
    DWORD width;
    DWORD height;
    DWORD bits;
};
bool operator==(const Mode& a, const Mode& b);
std::string describe(const Mode& mode);  // "640x480x32"

// The modes that EnumDisplayModes offers, in this order. SetDisplayMode accepts exactly
// these, less the refused ones. At reset: 640x480, 800x600 and 1024x768 at 16 and 32 bits.
void setModes(const std::vector<Mode>& offered);
// Offered all the same, but SetDisplayMode refuses it with DDERR_UNSUPPORTED.
void refuseMode(const Mode& mode);
// The mode of the desktop, which RestoreDisplayMode brings back. At reset: 1024x768x32.
void setDesktopMode(const Mode& mode);
Mode desktopMode();
Mode currentMode();

// The next `count` CreateSurface calls are refused with DDERR_OUTOFVIDEOMEMORY, leaving a
// pointer to nothing in their output.
void refuseSurfaceAttempts(int count);
// The next `count` Lock calls are refused with DDERR_SURFACELOST.
void refuseLocks(int count);

// The pixel format of the surfaces made from now on. Without it, a surface takes the
// format that goes with the mode's depth: X8R8G8B8, R8G8B8, R5G6B5, or 8-bit palette.
struct PixelFormat {
    DWORD flags;
    DWORD bits;
    DWORD red;
    DWORD green;
    DWORD blue;
};
void setPixelFormat(const PixelFormat& format);
// The pitch of the surfaces made from now on; 0 (the default) or less than a row packs
// the rows without gaps.
void setPitch(LONG pitch);

// Whether taking and giving up exclusive mode sends WM_ACTIVATEAPP (TRUE, then FALSE) to
// the window, as Windows does when the window comes to the foreground. On at reset. Taking
// it makes the window the foreground window, and as on Windows sends TRUE only when the
// foreground was not with the window's thread already.
void setActivationMessages(bool on);

// The surface memory as it stands, with the layout that Lock reports. Surfaces are filled
// with 0xCD bytes when made, so untouched memory shows. A colour fill writes only the
// pixels of each row, never the rest of its pitch.
struct SurfaceView {
    const uint8_t* memory;  // null when there is no such surface
    LONG pitch;
    DWORD width;
    DWORD height;
    DWORD bits;
};
// What the screen shows: the live primary, under an exclusive level only while its window
// is shown and not minimised. A picture drawn for a hidden window never reaches the screen.
SurfaceView visibleSurface();
SurfaceView backSurface();  // the live primary's first back buffer

// The flags of the exclusive level that a DirectDraw object holds, else DDSCL_NORMAL.
// Releasing an object gives back neither its level nor its display mode, unlike a real
// DirectDraw: a test sees when the code forgets to.
DWORD cooperativeLevel();
int liveDirectDraws();
int liveSurfaces();

// ---- Window system -------------------------------------------------------------------

// The live window of that class, or null.
HWND findWindow(const char* className);
bool windowExists(HWND window);
bool windowVisible(HWND window);
int liveWindows();
// The class as registered, or null; its lpszClassName points at the simulation's copy.
const WNDCLASSA* windowClass(const char* className);
int registeredClasses();

// What DefWindowProcA answers for a message it has no rule for. 0 at reset.
void setDefWindowProcResult(LRESULT result);
// The cursor that SetCursor set last; an arrow at reset.
HCURSOR cursor();
HCURSOR arrowCursor();

// A visible window of the host on the calling thread, in front and in the foreground: as a
// host that starts the plug-in from its own active window. It is not counted among the live
// windows nor as a leak, and goes at the reset.
HWND showHostWindow(const RECT& rect = RECT{0, 0, 320, 200});
// A visible window of another program, in front of every other and in the foreground, as
// when the user works in it. Not a leak either.
HWND showOtherProgramWindow(const RECT& rect);
// Where the window lies, in its own coordinates (logical pixels for a window made outside a
// per-monitor DPI context), and whether it was made under one.
RECT windowRect(HWND window);
bool windowPerMonitorDpi(HWND window);

// The monitors, the first the primary at 0,0, others anywhere around it (at negative
// coordinates left of or above it), each with its scale (100 for 100%). Coordinates are
// physical pixels; a thread without a per-monitor DPI context sees them divided by the
// scale. A monitor's device name is "\\.\DISPLAYn", n its place in the list from 1, unless
// given. At reset: one monitor of the display mode's size at 0,0, at 100%.
struct Monitor {
    RECT rect;
    int scalePercent;
    std::string device = {};
};
void setMonitors(const std::vector<Monitor>& monitors);
// Which per-thread DPI contexts user32 offers: none before Windows 10 1607 (no
// SetThreadDpiAwarenessContext at all), the first per-monitor one from 1607, version 2 from
// 1703. Version 2 at reset. The test thread's context, as a number (-1: unaware, the
// default; -3 and -4: per monitor), for a test to see it given back.
enum class DpiContexts { None, PerMonitor, PerMonitorV2 };
void setDpiContexts(DpiContexts available);
intptr_t threadDpiContext();

// Messages waiting in the calling thread's queue.
size_t queuedMessages();

// The user's screensaver setting, as SPI_GETSCREENSAVEACTIVE reports it. On at reset.
void setScreensaverActive(bool on);
bool screensaverActive();
// Whether taking exclusive mode switches the screensaver off by itself, as Wine's
// DirectDraw does, and leaves it off. On at reset.
void setExclusiveModeStopsScreensaver(bool on);

struct ShownBox {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};
const std::vector<ShownBox>& messageBoxes();

// ---- GDI -----------------------------------------------------------------------------

// What GDI has put on the screen: physical pixels across the virtual screen (`bounds`),
// 0x00RRGGBB, rows from the top; 0xCDCDCDCD where nothing was drawn since the display last
// changed or the spot was drawn afresh (a window shown, moved, restored or uncovered).
struct ScreenView {
    const uint32_t* pixels;
    RECT bounds;
    uint32_t at(LONG x, LONG y) const;  // 0xCDCDCDCD outside the bounds
};
ScreenView gdiScreen();
int liveDeviceContexts();

// ---- What the user and other programs do ---------------------------------------------

// The user switches to another program and back, as with Alt+Tab. Away, the exclusive
// window is told by WM_ACTIVATEAPP at its next pump, and where the run had set a mode of
// its own, the desktop's comes back and every surface is lost: Lock, Blt and Flip refuse
// with DDERR_SURFACELOST until the primary is restored, which gives the memory back but
// not its contents. Back, the window is in front again, told so, and in the run's mode.
void switchAway();
void switchBack(HWND window);

// Another program or the user changes the display: the desktop's mode becomes `mode`, and
// the monitors `monitors` (none: one of the mode's size at 0,0). Every surface made for
// another mode is lost, what GDI drew is gone, and every window of the code under test
// finds WM_DISPLAYCHANGE at its next pump.
void changeDisplay(const Mode& mode, const std::vector<Monitor>& monitors = {});

// What IsIconic answers for the window from now on, as when something outside minimises or
// restores it; no message reaches the window. Restored, it is drawn afresh.
void minimiseWindow(HWND window, bool minimised);

// A host's or another program's window closes: what it covered is drawn afresh.
void closeWindow(HWND window);

// ---- Leaks ---------------------------------------------------------------------------

// What the code under test still holds or has left changed, compared with the state at
// reset (or as the knobs last set it): live DirectDraw objects and surfaces, loaded
// libraries, heap blocks, TLS slots, device contexts, live windows, registered classes, the
// display mode, the exclusive level and the screensaver. Empty when everything was given back.
std::string leaks();

}  // namespace sim
