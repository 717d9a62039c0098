// The display's module-level state and the parts that its two ways of showing the picture
// share, for the files of display/ only.
//
//   exclusive_init, exclusive_present   the whole screen, in a mode of the picture's size,
//                                       through a flip chain
//   windowed_init, windowed_present     a window covering one monitor in the desktop's own
//                                       mode, the picture scaled by a whole factor and
//                                       blitted to the primary through a clipper
//   display_shared, display_shutdown,   what both do alike, and the teardown of either
//   window_proc
#pragma once

#include <cstdint>

#include "display/row_converters.h"
#include "platform/services.h"

struct DisplayState {
    HMODULE library;
    IDirectDraw* directDraw;
    WNDCLASSA windowClass;
    HWND window;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    uint32_t requestedWidth;
    uint32_t requestedHeight;
    uint32_t modeWidth;
    uint32_t modeHeight;
    uint32_t modeDepth;  // the depth of the search pass, then of the chosen mode
    uint32_t bestArea;   // kNoModeFound until the search finds a mode
    uint32_t xOffset;    // of the picture in the mode, or in the window
    uint32_t yOffset;
    RowConverter converter;
    int exclusive;         // the screen is taken, and its mode may have been changed
    int anyMemoryChain;    // the chain came without the video-memory cap
    int blankDue;          // the chain may hold garbage: blacken it before the next frame
    int classRegistered;   // by this start, so the teardown unregisters it
    int screensaverWasOn;  // before this start, so the teardown switches it back on

    // The windowed display's own.
    IDirectDrawClipper* clipper;
    IDirectDrawSurface* canvas;  // the scaled picture, in the primary's format
    uint32_t scale;              // each picture pixel a scale x scale square
    int bordersDue;              // the window around the picture needs blackening
    win::SetThreadDpiContextFunction setThreadDpi;  // null where the system has none
};

constexpr uint32_t kNoModeFound = 0x7FFFFFFF;

DisplayState& displayState();

// DirectDraw reports failure by a negative result; positive ones are successes.
inline bool failed(HRESULT result) { return result < 0; }

// The mode search, run by displayInit when the display refuses the requested size at every
// depth: leaves the smallest mode at least that large in the state's mode fields.
void findFallbackMode();
HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID context);

// Blackens every buffer of the flip chain, whichever of them shows first.
void blankChain(DisplayState& d);

// A failed start gives back at once what it took, by the teardown's own path: the host
// makes no stop call after a failed start, and the desktop would otherwise stay changed
// behind a window nobody sees. Always 0, the start's failure.
int abandonStart();
bool loadDirectDraw(DisplayState& d);
// Registers the class `name` and makes the window, hidden, at `place`.
void createWindow(DisplayState& d, const char* name, const RECT& place);
// The primary's format, and the converter for it: false when it has none.
bool choosePixelFormat(DisplayState& d, DDPIXELFORMAT* format);
void noteScreensaver(DisplayState& d);
void holdScreensaver(DisplayState& d);
void pumpWindowMessages(DisplayState& d);
win::SetThreadDpiContextFunction lookUpDpiContexts();

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
