// Knobs and records of the simulated platform, for tests. Everything here lives in the
// process and is reset by sim::reset(). The simulation serves one test thread at a time;
// windows and message queues still belong to the thread that made them, as on Windows.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/services.h"

namespace sim {

// Puts every simulated service back to its state at process start, conditions included,
// and frees whatever the code under test left behind: pointers it still holds into the
// simulation dangle.
void reset();

// ---- Conditions ----------------------------------------------------------------------

// A step that fails every time while it is among the conditions' failing ones. A failed
// DirectDrawCreate or GetAttachedSurface leaves a pointer to nothing in its output, as a
// careless driver may.
enum class Fault {
    LibraryLoad,       // LoadLibraryA yields no handle
    EntryPoint,        // GetProcAddress finds no DirectDrawCreate
    DirectDrawCreate,  // DDERR_NODIRECTDRAWHW
    WindowCreation,    // CreateWindowExA yields no window
    CooperativeLevel,  // SetCooperativeLevel: DDERR_EXCLUSIVEMODEALREADYSET
    DisplayMode,       // every SetDisplayMode: DDERR_UNSUPPORTED
    BackBuffer,        // GetAttachedSurface: DDERR_NOTFOUND
    PixelFormat,       // GetPixelFormat: DDERR_GENERIC
    VideoMemory,       // every CreateSurface asking for video memory: DDERR_NODIRECTDRAWHW
    OutOfMemory,       // HeapAlloc yields no block
    TlsSlots,          // TlsAlloc yields TLS_OUT_OF_INDEXES
};

struct Mode {
    DWORD width;
    DWORD height;
    DWORD bits;
};
bool operator==(const Mode& a, const Mode& b);
std::string describe(const Mode& mode);  // "640x480x32"

// A surface's pixel format: flags, bit count and the three colour masks.
struct PixelFormat {
    DWORD flags;
    DWORD bits;
    DWORD red;
    DWORD green;
    DWORD blue;
};

// Which per-thread DPI contexts user32 offers: none before Windows 10 1607 (no
// SetThreadDpiAwarenessContext at all), the first per-monitor one from 1607, version 2 from
// 1703.
enum class DpiContexts { None, PerMonitor, PerMonitorV2 };

// What the machine and its user are like for the case at hand; reset() brings back these
// defaults.
struct Conditions {
    std::set<Fault> failing;
    // Offered by EnumDisplayModes in this order; SetDisplayMode accepts exactly these, less
    // the refused ones, which it refuses with DDERR_UNSUPPORTED.
    std::vector<Mode> modes = {{640, 480, 16}, {800, 600, 16}, {1024, 768, 16},
                               {640, 480, 32}, {800, 600, 32}, {1024, 768, 32}};
    std::vector<Mode> refusedModes;
    // So many of the next CreateSurface calls are refused with DDERR_OUTOFVIDEOMEMORY,
    // leaving a pointer to nothing in their output; INT_MAX refuses every one.
    int refusedSurfaces = 0;
    // So many of the next Lock calls are refused with DDERR_SURFACELOST.
    int refusedLocks = 0;
    // The format of the surfaces made, where set; else the one that goes with the mode's
    // depth: X8R8G8B8, R8G8B8, R5G6B5, or 8-bit palette.
    std::optional<PixelFormat> pixelFormat;
    // The pitch of the surfaces made; 0 or less than a row packs the rows without gaps.
    LONG pitch = 0;
    // Taking and giving up exclusive mode send WM_ACTIVATEAPP (TRUE, then FALSE) to the
    // window, as Windows does when the window comes to the foreground: TRUE only when the
    // foreground was not with the window's thread already.
    bool activationMessages = true;
    // Taking exclusive mode switches the screensaver off by itself and leaves it off, as
    // Wine's DirectDraw does.
    bool exclusiveModeStopsScreensaver = true;
    // What DefWindowProcA answers for a message it has no rule for.
    LRESULT defWindowProcResult = 0;
    DpiContexts dpiContexts = DpiContexts::PerMonitorV2;
    // PF_ features that IsProcessorFeaturePresent denies.
    std::set<DWORD> missingProcessorFeatures;
    // So many of the next SetDIBitsToDevice calls copy nothing and answer 0.
    int refusedCopies = 0;
    // The user's application-data folder, as %APPDATA% names it ("": the variable is not
    // set). It exists, empty at reset; while read-only, nothing can be made or written in it.
    std::string appData = "C:\\Users\\player\\AppData\\Roaming";
    bool appDataReadOnly = false;
    // The disk is full: WriteFile takes nothing.
    bool diskFull = false;
};
Conditions& conditions();

// ---- Calls ---------------------------------------------------------------------------

// The name of every call into the platform since the last reset, in order: "Name" for
// kernel and window calls, "role.Method" for DirectDraw, where the role is "dd" for a
// DirectDraw object and "primary", "back" or "back2" for the surfaces of a flip chain. For
// the few orders that are behaviour; what reaches the screen is below.
const std::vector<std::string>& calls();
// Whether calls are recorded at all; on at reset. Long runs that only look for leaks can
// switch it off.
void setRecording(bool on);

// ---- Kernel --------------------------------------------------------------------------

// The tick count that win::GetTickCount() answers.
void setTick(DWORD tick);

// Every win::Sleep argument since the last reset, in order. Sleeping also moves the tick on.
const std::vector<DWORD>& sleeps();

// The handle of the host executable.
HINSTANCE hostInstance();

// Threads: GetCurrentThreadId hands an ended thread's id to the next new thread, as Windows
// does soon after a thread ends; GetThreadTimes on GetCurrentThread() tells such threads
// apart by their creation times, which only grow. Neither is recorded nor reset.

// Blocks taken from the process heap since the last reset and not yet freed.
int liveHeapBlocks();
// Whether the thread's execution state keeps the display on (ES_DISPLAY_REQUIRED held).
bool displayKeptOn();

// ---- Files ---------------------------------------------------------------------------

// A file with these bytes, or a folder, at `path` ("C:\..."; case does not matter), as
// another program or the user left it.
void putFile(const std::string& path, const std::string& bytes);
void putFolder(const std::string& path);
// The file's bytes; none where there is no file (or a folder) at `path`.
std::optional<std::string> fileBytes(const std::string& path);

// ---- DirectDraw ----------------------------------------------------------------------

// The mode of the desktop, which RestoreDisplayMode brings back. At reset: 1024x768x32.
void setDesktopMode(const Mode& mode);
Mode desktopMode();
Mode currentMode();

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

// The live primary's flip chain: its back buffers, whether it lies in video memory, and
// how often it was flipped.
struct ChainView {
    int backBuffers;
    bool videoMemory;
    int flips;
};
ChainView flipChain();

// The flags of the exclusive level that a DirectDraw object holds, else DDSCL_NORMAL.
// Releasing an object gives back neither its level nor its display mode, unlike a real
// DirectDraw: a test sees when the code forgets to.
DWORD cooperativeLevel();
int liveDirectDraws();

// ---- Window system -------------------------------------------------------------------

// The live window of that class, or null.
HWND findWindow(const char* className);
bool windowExists(HWND window);
bool windowVisible(HWND window);
int liveWindows();
// The class as registered, or null; its lpszClassName points at the simulation's copy.
const WNDCLASSA* windowClass(const char* className);
int registeredClasses();

// The cursor that SetCursor set last; an arrow at reset.
HCURSOR cursor();

// A visible window of the host on the calling thread, in front and in the foreground: as a
// host that starts the plug-in from its own active window. It is not counted among the live
// windows nor as a leak, and goes at the reset.
HWND showHostWindow(const RECT& rect = RECT{0, 0, 320, 200});
// A visible window of another program, in front of every other and in the foreground, as
// when the user works in it. Not a leak either.
HWND showOtherProgramWindow(const RECT& rect);
// Whether the window was made under a per-monitor DPI context.
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
    RECT work = {};  // the part that the taskbar leaves; empty: the whole monitor
};
void setMonitors(const std::vector<Monitor>& monitors);
// The test thread's DPI context, as a number (-1: unaware, the default; -3 and -4: per
// monitor), for a test to see it given back.
intptr_t threadDpiContext();

// A message in the window's thread's queue (the calling thread's for no window), as the
// system or another program posts it: the window's procedure sees it at the next pump.
void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Messages waiting in the calling thread's queue.
size_t queuedMessages();

// The user's screensaver setting, as SPI_GETSCREENSAVEACTIVE reports it. On at reset.
void setScreensaverActive(bool on);
bool screensaverActive();

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
// another mode is lost, what GDI drew is gone, and, where `told`, every window of the code
// under test finds WM_DISPLAYCHANGE at its next pump.
void changeDisplay(const Mode& mode, const std::vector<Monitor>& monitors = {}, bool told = true);

// What IsIconic answers for the window from now on, as when something outside minimises or
// restores it; no message reaches the window. Restored, it is drawn afresh.
void minimiseWindow(HWND window, bool minimised);

// A host's or another program's window closes: what it covered is drawn afresh.
void closeWindow(HWND window);

// ---- Leaks ---------------------------------------------------------------------------

// What the code under test still holds or has left changed, compared with the state at
// reset (or as the knobs last set it): live DirectDraw objects and surfaces, loaded
// libraries, heap blocks, TLS slots, the display kept on, open files, device contexts, live
// windows, registered classes, the display mode, the exclusive level and the screensaver. Empty
// when everything was given back.
std::string leaks();

}  // namespace sim
