// The start of the exclusive display: the whole screen, in a mode of the picture's size.
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

namespace {

bool setDisplayMode(DisplayState& d) {
    IDirectDraw* dd = d.directDraw;
    if (!failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 32)) ||
        !failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 24)) ||
        !failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 16))) {
        return true;
    }
    findFallbackMode();
    if (d.bestArea == kNoModeFound ||
        failed(dd->SetDisplayMode(d.modeWidth, d.modeHeight, d.modeDepth))) {
        return false;
    }
    // An odd spare column or row goes to the right or the bottom.
    d.xOffset = (d.modeWidth - d.requestedWidth) >> 1;
    d.yOffset = (d.modeHeight - d.requestedHeight) >> 1;
    return true;
}

// Kept only on success: a failing driver may leave anything in the output.
bool tryPrimary(DisplayState& d, DDSURFACEDESC& desc) {
    IDirectDrawSurface* surface = nullptr;
    if (failed(d.directDraw->CreateSurface(&desc, &surface, nullptr))) {
        return false;
    }
    d.primary = surface;
    return true;
}

bool getBackBuffer(DisplayState& d) {
    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface* surface = nullptr;
    if (failed(d.primary->GetAttachedSurface(&caps, &surface))) {
        return false;
    }
    d.backBuffer = surface;
    return true;
}

// A flip chain with two back buffers, else one; else a lone primary, in case the display
// attaches a back buffer to it after all. All three in video memory. Where a display has
// none to give (no DirectDraw acceleration: a virtual machine without 3D, some remote
// sessions, Wine's GDI renderer), or only enough for a lone primary, a chain with one back
// buffer wherever the display keeps it.
bool createChain(DisplayState& d) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 2;
    desc.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
    if (tryPrimary(d, desc)) {
        return getBackBuffer(d);
    }
    desc.dwBackBufferCount = 1;
    if (tryPrimary(d, desc)) {
        return getBackBuffer(d);
    }
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY;
    if (tryPrimary(d, desc)) {
        if (getBackBuffer(d)) {
            return true;
        }
        // Presentation needs a back buffer to flip: the lone primary makes way for a chain.
        d.primary->Release();
        d.primary = nullptr;
    }
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (!tryPrimary(d, desc)) {
        return false;
    }
    d.anyMemoryChain = 1;
    return getBackBuffer(d);
}

// Taking exclusive mode brings the window to the front, but WM_ACTIVATEAPP comes only when
// the activation moves between threads: a host that starts the plug-in from its own active
// window on this thread never sends one, and nothing would ever be presented. So the start
// looks for itself; every later change is WM_ACTIVATEAPP's.
void noteForeground() {
    HWND foreground = win::GetForegroundWindow();
    if (foreground &&
        win::GetWindowThreadProcessId(foreground, nullptr) == win::GetCurrentThreadId()) {
        setActiveFlag(1);
    }
}

}  // namespace

int displayInit(const char* name, uint32_t width, uint32_t height) {
    DisplayState& d = displayState();
    d.requestedWidth = d.modeWidth = width;
    d.requestedHeight = d.modeHeight = height;
    d.xOffset = d.yOffset = 0;
    d.anyMemoryChain = 0;
    d.exclusive = 1;

    noteScreensaver(d);
    if (!loadDirectDraw(d)) {
        return abandonStart();
    }
    // At 0,0 and 0 by 0: taking the screen gives it the screen's size.
    createWindow(d, name, RECT{0, 0, 0, 0});
    DDPIXELFORMAT format;
    if (failed(d.directDraw->SetCooperativeLevel(d.window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)) ||
        !setDisplayMode(d) || !createChain(d) || !choosePixelFormat(d, &format)) {
        return abandonStart();
    }
    holdScreensaver(d);
    blankChain(d);
    // Taking exclusive mode brings the window to the front but leaves it hidden, and a
    // hidden window's picture never reaches the screen (Wine shows nothing, and a desktop
    // compositor draws only visible windows). Shown with activation, as a program that takes
    // the screen is, so that its keys (Escape) come to it; only now, so that a failed start
    // never flashes a window, and the first thing seen is the black chain.
    win::ShowWindow(d.window, SW_SHOW);
    noteForeground();
    return 1;
}
