// The start of the windowed display: a borderless window covering the monitor that holds
// the host's window, in the desktop's own mode, with the picture scaled by a whole factor.
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"
#include "display/scaled_frame.h"

namespace {

// The monitor that holds the host's window, where the user looks; the primary one when the
// host gave no window or it is gone.
bool findMonitor(HWND host, RECT* rect) {
    HMONITOR monitor = nullptr;
    if (host && win::IsWindow(host)) {
        monitor = win::MonitorFromWindow(host, MONITOR_DEFAULTTOPRIMARY);
    }
    if (!monitor) {
        monitor = win::MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY);
    }
    MONITORINFO info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (!monitor || !win::GetMonitorInfoA(monitor, &info)) {
        return false;
    }
    *rect = info.rcMonitor;
    return true;
}

// The whole desktop, of which the clipper lets through only what shows of the window.
bool createPrimary(DisplayState& d) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* surface = nullptr;
    if (failed(d.directDraw->CreateSurface(&desc, &surface, nullptr))) {
        return false;
    }
    d.primary = surface;
    IDirectDrawClipper* clipper = nullptr;
    if (failed(d.directDraw->CreateClipper(0, &clipper, nullptr))) {
        return false;
    }
    d.clipper = clipper;
    return !failed(clipper->SetHWnd(0, d.window)) && !failed(d.primary->SetClipper(clipper));
}

// In system memory: the processor writes every pixel of it for every frame.
bool createCanvas(DisplayState& d, const DDPIXELFORMAT& format) {
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT | DDSD_PIXELFORMAT;
    desc.dwWidth = d.requestedWidth * d.scale;
    desc.dwHeight = d.requestedHeight * d.scale;
    desc.ddpfPixelFormat = format;
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | DDSCAPS_SYSTEMMEMORY;
    IDirectDrawSurface* surface = nullptr;
    if (failed(d.directDraw->CreateSurface(&desc, &surface, nullptr))) {
        return false;
    }
    d.canvas = surface;
    return true;
}

}  // namespace

int windowedInit(const char* name, uint32_t width, uint32_t height, HWND host) {
    DisplayState& d = displayState();
    d.requestedWidth = d.modeWidth = width;
    d.requestedHeight = d.modeHeight = height;
    d.xOffset = d.yOffset = 0;
    d.exclusive = 0;

    noteScreensaver(d);
    if (!loadDirectDraw(d)) {
        return abandonStart();
    }
    d.setThreadDpi = lookUpDpiContexts();
    // The monitor's size and the window are then in real pixels, and the system does not
    // blur the picture by scaling the window up.
    PerMonitorDpi dpi(d.setThreadDpi);
    RECT monitor;
    if (!findMonitor(host, &monitor)) {
        return abandonStart();
    }
    PicturePlacement place =
        placePicture(static_cast<uint32_t>(monitor.right - monitor.left),
                     static_cast<uint32_t>(monitor.bottom - monitor.top), width, height);
    if (place.factor == 0) {
        return abandonStart();
    }
    d.scale = place.factor;
    d.xOffset = place.x;
    d.yOffset = place.y;
    createWindow(d, name, monitor);
    DDPIXELFORMAT format;
    if (failed(d.directDraw->SetCooperativeLevel(d.window, DDSCL_NORMAL)) || !createPrimary(d) ||
        !choosePixelFormat(d, &format) || !createCanvas(d, format)) {
        return abandonStart();
    }
    holdScreensaver(d);
    d.bordersDue = 1;
    win::ShowWindow(d.window, SW_SHOW);
    return 1;
}
