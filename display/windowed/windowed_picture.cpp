// The window's picture: where it goes (the monitor, the factor, the window's place and
// size) and its copy to the window through GDI. The start and every frame call these.
#include <cstring>

#include "display/display_state.h"
#include "display/dpi_context.h"
#include "display/monitor/monitor_list.h"

namespace {

// The monitor that the user chose, while it is there; else the one that holds the host's
// window, where the user looks; the primary one when the host gave no window or it is gone.
bool findMonitor(const MonitorName& chosen, HWND host, RECT* rect) {
    PresentMonitor present[kMaxMonitors];
    const int count = chosen.device[0] ? listMonitors(present, kMaxMonitors) : 0;
    const int found = findChosenMonitor(chosen, present, count);
    if (found >= 0) {
        *rect = present[found].rect;
        return rect->right > rect->left && rect->bottom > rect->top;
    }
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
    return rect->right > rect->left && rect->bottom > rect->top;
}

// Room for the whole window's picture, black: false when the heap has none.
bool makePixels(WindowedDisplay& w, uint32_t width, uint32_t height) {
    if (w.pixels && w.width == width && w.height == height) {
        return true;
    }
    if (w.pixels) {
        win::HeapFree(win::GetProcessHeap(), 0, w.pixels);
        w.pixels = nullptr;
    }
    // Within what a 32-bit process can hold, whatever the monitor claims.
    const uint64_t bytes = uint64_t{width} * height * 4;
    if (bytes > 0x7FFFFFFF) {
        return false;
    }
    w.pixels = static_cast<uint32_t*>(
        win::HeapAlloc(win::GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(bytes)));
    w.width = width;
    w.height = height;
    return w.pixels != nullptr;
}

}  // namespace

bool placeWindowed(DisplayState& d) {
    WindowedDisplay& w = d.windowed;
    w.placeDue = 0;
    // The monitor's size and the window's place are then in real pixels. Where the system
    // has no such context, both are in the host's coordinates, and the system scales the
    // window up as a whole: the picture stays whole and in place, only less sharp.
    PerMonitorDpi dpi(w.setThreadDpi);
    RECT monitor;
    if (!findMonitor(w.chosen, w.host, &monitor)) {
        return false;
    }
    const uint32_t width = static_cast<uint32_t>(monitor.right - monitor.left);
    const uint32_t height = static_cast<uint32_t>(monitor.bottom - monitor.top);
    w.place = placePicture(width, height, d.requestedWidth, d.requestedHeight);
    return w.place.factor != 0 && makePixels(w, width, height) &&
           win::MoveWindow(d.window, monitor.left, monitor.top, static_cast<int>(width),
                           static_cast<int>(height), FALSE);
}

bool copyToWindow(const DisplayState& d) {
    const WindowedDisplay& w = d.windowed;
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w.width);
    info.bmiHeader.biHeight = -static_cast<LONG>(w.height);  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = win::GetDC(d.window);
    if (!dc) {
        return false;
    }
    const int lines = win::SetDIBitsToDevice(dc, 0, 0, w.width, w.height, 0, 0, 0, w.height,
                                             w.pixels, &info, DIB_RGB_COLORS);
    win::ReleaseDC(d.window, dc);
    return lines > 0;
}
