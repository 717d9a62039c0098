// The start of the exclusive display: the whole screen, in a mode of the picture's size.
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

namespace {

bool loadDirectDraw(ExclusiveDisplay& e) {
    e.library = win::LoadLibraryA("ddraw.dll");
    if (!e.library) {
        return false;
    }
    FARPROC entry = win::GetProcAddress(e.library, "DirectDrawCreate");
    if (!entry) {
        return false;
    }
    // Through a function type without arguments, which any function pointer may become.
    auto directDrawCreate =
        reinterpret_cast<win::DirectDrawCreateFunction>(reinterpret_cast<void (*)()>(entry));
    // Kept only on success: a failing driver may leave anything in the output.
    IDirectDraw* object = nullptr;
    if (failed(directDrawCreate(nullptr, &object, nullptr))) {
        return false;
    }
    e.directDraw = object;
    return true;
}

bool setDisplayMode(const DisplayState& d, ExclusiveDisplay& e) {
    IDirectDraw* dd = e.directDraw;
    if (!failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 32)) ||
        !failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 24)) ||
        !failed(dd->SetDisplayMode(d.requestedWidth, d.requestedHeight, 16))) {
        return true;
    }
    findFallbackMode();
    if (e.bestArea == kNoModeFound ||
        failed(dd->SetDisplayMode(e.modeWidth, e.modeHeight, e.modeDepth))) {
        return false;
    }
    // An odd spare column or row goes to the right or the bottom.
    e.xOffset = (e.modeWidth - d.requestedWidth) >> 1;
    e.yOffset = (e.modeHeight - d.requestedHeight) >> 1;
    return true;
}

// Kept only on success: a failing driver may leave anything in the output.
bool tryPrimary(ExclusiveDisplay& e, DDSURFACEDESC& desc) {
    IDirectDrawSurface* surface = nullptr;
    if (failed(e.directDraw->CreateSurface(&desc, &surface, nullptr))) {
        return false;
    }
    e.primary = surface;
    return true;
}

bool getBackBuffer(ExclusiveDisplay& e) {
    DDSCAPS caps;
    caps.dwCaps = DDSCAPS_BACKBUFFER;
    IDirectDrawSurface* surface = nullptr;
    if (failed(e.primary->GetAttachedSurface(&caps, &surface))) {
        return false;
    }
    e.backBuffer = surface;
    return true;
}

// A flip chain with two back buffers, else one; else a lone primary, in case the display
// attaches a back buffer to it after all. All three in video memory. Where a display has
// none to give (no DirectDraw acceleration: a virtual machine without 3D, some remote
// sessions, Wine's GDI renderer), or only enough for a lone primary, a chain with one back
// buffer wherever the display keeps it.
bool createChain(ExclusiveDisplay& e) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 2;
    desc.ddsCaps.dwCaps =
        DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
    if (tryPrimary(e, desc)) {
        return getBackBuffer(e);
    }
    desc.dwBackBufferCount = 1;
    if (tryPrimary(e, desc)) {
        return getBackBuffer(e);
    }
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_VIDEOMEMORY;
    if (tryPrimary(e, desc)) {
        if (getBackBuffer(e)) {
            return true;
        }
        // Presentation needs a back buffer to flip: the lone primary makes way for a chain.
        e.primary->Release();
        e.primary = nullptr;
    }
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.dwBackBufferCount = 1;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    if (!tryPrimary(e, desc)) {
        return false;
    }
    e.anyMemoryChain = 1;
    return getBackBuffer(e);
}

// The primary's format, and the converter for it: false when it has none.
bool choosePixelFormat(ExclusiveDisplay& e) {
    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    if (failed(e.primary->GetPixelFormat(&format)) || !(format.dwFlags & DDPF_RGB)) {
        return false;
    }
    e.converter = selectRowConverter(format.dwRGBBitCount, format.dwRBitMask, format.dwGBitMask,
                                     format.dwBBitMask);
    return e.converter != nullptr;
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
    ExclusiveDisplay& e = d.exclusive;
    d.requestedWidth = e.modeWidth = width;
    d.requestedHeight = e.modeHeight = height;
    e.xOffset = e.yOffset = 0;
    e.anyMemoryChain = 0;

    noteScreensaver(d);
    if (!loadDirectDraw(e)) {
        return abandonStart();
    }
    // At 0,0 and 0 by 0: taking the screen gives it the screen's size.
    createWindow(d, name, RECT{0, 0, 0, 0});
    if (failed(e.directDraw->SetCooperativeLevel(d.window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)) ||
        !setDisplayMode(d, e) || !createChain(e) || !choosePixelFormat(e)) {
        return abandonStart();
    }
    holdScreen(d);
    blankChain(e);
    // Taking exclusive mode brings the window to the front but leaves it hidden, and a
    // hidden window's picture never reaches the screen (Wine shows nothing, and a desktop
    // compositor draws only visible windows). Shown with activation, as a program that takes
    // the screen is, so that its keys (Escape) come to it; only now, so that a failed start
    // never flashes a window, and the first thing seen is the black chain.
    win::ShowWindow(d.window, SW_SHOW);
    noteForeground();
    return 1;
}
