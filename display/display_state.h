// The display's module-level state and the parts that its two ways of showing the picture
// share, for the files of display/ only.
//
//   exclusive_init, exclusive_present   the whole screen through DirectDraw, in a mode of
//                                       the picture's size, through a flip chain
//   windowed_init, windowed_present     a window covering one monitor in the desktop's own
//                                       mode, the picture scaled by a whole factor and drawn
//                                       through GDI
//   display_shared, display_shutdown,   what both do alike, and the teardown of either
//   window_proc
#pragma once

#include <cstdint>

#include "display/monitor_choice.h"
#include "display/row_converters.h"
#include "display/scaled_frame.h"
#include "platform/services.h"

// The exclusive display's own: DirectDraw, its flip chain, and the mode the picture is in.
struct ExclusiveDisplay {
    HMODULE library;
    IDirectDraw* directDraw;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    uint32_t modeWidth;
    uint32_t modeHeight;
    uint32_t modeDepth;  // the depth of the search pass, then of the chosen mode
    uint32_t bestArea;   // kNoModeFound until the search finds a mode
    uint32_t xOffset;    // of the picture in the mode
    uint32_t yOffset;
    RowConverter converter;
    int anyMemoryChain;  // the chain came without the video-memory cap
    int blankDue;        // the chain may hold garbage: blacken it before the next frame
};

// The windowed display's own: the whole window's picture in memory, which every frame
// copies to the window through GDI, so that the borders are drawn with it.
struct WindowedDisplay {
    HWND host;           // the player's window, whose monitor the picture covers
    MonitorName chosen;  // the user's monitor instead, while it is there
    uint32_t* pixels;    // width x height pixels of 0x00RRGGBB, rows from the top
    uint32_t width;      // of the window, which is the monitor's size
    uint32_t height;
    PicturePlacement place;
    int placeDue;  // the display changed: find the monitor and place everything anew
    win::SetThreadDpiContextFunction setThreadDpi;  // null where the system has none
};

struct DisplayState {
    WNDCLASSA windowClass;
    HWND window;
    uint32_t requestedWidth;  // of the picture
    uint32_t requestedHeight;
    int classRegistered;   // by this start, so the teardown unregisters it
    int screensaverWasOn;  // before this start, so the teardown switches it back on
    ExclusiveDisplay exclusive;
    WindowedDisplay windowed;
};

constexpr uint32_t kNoModeFound = 0x7FFFFFFF;

DisplayState& displayState();

// DirectDraw reports failure by a negative result; positive ones are successes.
inline bool failed(HRESULT result) { return result < 0; }

// The mode search, run by displayInit when the display refuses the requested size at every
// depth: leaves the smallest mode at least that large in the exclusive mode fields.
void findFallbackMode();
HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID context);

// Blackens every buffer of the flip chain, whichever of them shows first.
void blankChain(ExclusiveDisplay& e);

// A failed start gives back at once what it took, by the teardown's own path: the host
// makes no stop call after a failed start, and the desktop would otherwise stay changed
// behind a window nobody sees. Always 0, the start's failure.
int abandonStart();
// Registers the class `name` and makes the window, hidden, at `place`.
void createWindow(DisplayState& d, const char* name, const RECT& place);
void noteScreensaver(DisplayState& d);
void holdScreensaver(DisplayState& d);
void pumpWindowMessages(DisplayState& d);
win::SetThreadDpiContextFunction lookUpDpiContexts();

// The windowed display's window on the chosen monitor, or that of the host's window, its
// picture placed and black: false when the display cannot hold the picture or the heap has no room
// for it.
bool placeWindowed(DisplayState& d);
// The window's picture, copied to the window: false when GDI did not take it.
bool copyToWindow(const DisplayState& d);

// While it lives, the calling thread runs under a per-monitor DPI context, where the system
// has one: the windowed display's coordinates are then the monitor's real pixels, as its
// window's are. The host's own context comes back at the end.
class PerMonitorDpi {
public:
    explicit PerMonitorDpi(win::SetThreadDpiContextFunction set);
    ~PerMonitorDpi();
    PerMonitorDpi(const PerMonitorDpi&) = delete;
    PerMonitorDpi& operator=(const PerMonitorDpi&) = delete;

private:
    win::SetThreadDpiContextFunction set_;
    void* previous_ = nullptr;
};
