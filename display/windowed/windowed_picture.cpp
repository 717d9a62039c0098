// The window's picture: where it goes (the monitor, the factor, the window's place and size
// on the whole monitor) and its copy to the client area through GDI, whole or in the rectangles
// that changed. The start, every frame and each switch call these.
#include <cstring>

#include "display/display_state.h"
#include "display/dpi_context.h"
#include "display/monitor/monitor_list.h"

namespace {

// Room for the whole client area's picture, black: false when the heap has none. At least the
// picture's own size, so that a client area smaller than it (minimised, or on a display that
// cannot hold it) is drawn in part.
bool makePixels(WindowedDisplay& w, uint32_t width, uint32_t height, uint32_t least,
                uint32_t leastHeight) {
    const uint32_t pictureWidth = width > least ? width : least;
    const uint32_t pictureHeight = height > leastHeight ? height : leastHeight;
    w.width = width;
    w.height = height;
    const uint64_t bytes = uint64_t{pictureWidth} * pictureHeight * 4;
    if (w.pixels && w.pictureWidth == pictureWidth && w.pictureHeight == pictureHeight) {
        // The picture may lie elsewhere now: black all of it.
        std::memset(w.pixels, 0, static_cast<size_t>(bytes));
        return true;
    }
    if (w.pixels) {
        win::HeapFree(win::GetProcessHeap(), 0, w.pixels);
        w.pixels = nullptr;
    }
    // Within what a 32-bit process can hold, whatever the monitor claims.
    if (bytes > 0x7FFFFFFF) {
        return false;
    }
    w.pixels = static_cast<uint32_t*>(
        win::HeapAlloc(win::GetProcessHeap(), HEAP_ZERO_MEMORY, static_cast<SIZE_T>(bytes)));
    w.pictureWidth = pictureWidth;
    w.pictureHeight = pictureHeight;
    return w.pixels != nullptr;
}

}  // namespace

bool findMonitor(const MonitorName& chosen, HWND host, RECT* rect, RECT* work) {
    PresentMonitor present[kMaxMonitors];
    const int count = chosen.device[0] ? listMonitors(present, kMaxMonitors) : 0;
    const int found = findChosenMonitor(chosen, present, count);
    if (found >= 0) {
        *rect = present[found].rect;
        *work = present[found].work;
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
    *work = info.rcWork;
    return rect->right > rect->left && rect->bottom > rect->top;
}

bool placeWindowed(DisplayState& d) {
    WindowedDisplay& w = d.windowed;
    w.placeDue = 0;
    // Borders, picture and all: the window may lie elsewhere, larger, or shown anew.
    w.wholeDue = 1;
    // The monitor's size and the window's place are then in real pixels. Where the system
    // has no such context, both are in the host's coordinates, and the system scales the
    // window up as a whole: the picture stays whole and in place, only less sharp.
    PerMonitorDpi dpi(w.setThreadDpi);
    RECT area;
    if (w.layout.inWindow) {
        if (!win::GetClientRect(d.window, &area)) {
            return false;
        }
    } else {
        RECT work;
        if (!findMonitor(w.chosen, w.host, &area, &work)) {
            return false;
        }
    }
    const uint32_t width = static_cast<uint32_t>(area.right - area.left);
    const uint32_t height = static_cast<uint32_t>(area.bottom - area.top);
    w.place = placePicture(width, height, d.requestedWidth, d.requestedHeight);
    if (w.place.factor == 0) {
        // A window too small for the picture, as the system may leave it, shows a part of it.
        if (!w.layout.inWindow) {
            return false;
        }
        w.place = PicturePlacement{1, 0, 0};
    }
    return makePixels(w, width, height, d.requestedWidth, d.requestedHeight) &&
           (w.layout.inWindow ||
            win::MoveWindow(d.window, area.left, area.top, static_cast<int>(width),
                            static_cast<int>(height), FALSE));
}

namespace {

// Rows [top, top + rows) of the picture, columns [left, left + columns), to the same place in
// the client area. The rows handed over begin at the rectangle's first, so that the copy takes the
// plainest form there is (a top-down picture from its first row on), which every GDI follows.
bool copyRect(const WindowedDisplay& w, HDC dc, uint32_t left, uint32_t top, uint32_t columns,
              uint32_t rows) {
    if (columns == 0 || rows == 0) {
        return true;
    }
    BITMAPINFO info;
    std::memset(&info, 0, sizeof info);
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = static_cast<LONG>(w.pictureWidth);
    info.bmiHeader.biHeight = -static_cast<LONG>(rows);  // rows from the top
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const uint32_t* first = w.pixels + static_cast<size_t>(top) * w.pictureWidth;
    return win::SetDIBitsToDevice(dc, static_cast<int>(left), static_cast<int>(top), columns, rows,
                                  static_cast<int>(left), 0, 0, rows, first, &info,
                                  DIB_RGB_COLORS) > 0;
}

}  // namespace

bool copyToWindow(const DisplayState& d) {
    const WindowedDisplay& w = d.windowed;
    HDC dc = win::GetDC(d.window);
    if (!dc) {
        return false;
    }
    const bool copied = copyRect(w, dc, 0, 0, w.width, w.height);
    win::ReleaseDC(d.window, dc);
    return copied;
}

bool copyRects(const DisplayState& d, const ChangedRect* rects, uint32_t count) {
    const WindowedDisplay& w = d.windowed;
    HDC dc = win::GetDC(d.window);
    if (!dc) {
        return false;
    }
    const uint32_t k = w.place.factor;
    bool copied = true;
    for (uint32_t i = 0; i < count && copied; ++i) {
        // The system clips what lies beyond a client area smaller than the picture.
        const ChangedRect& b = rects[i];
        copied = copyRect(w, dc, w.place.x + b.left * k, w.place.y + b.top * k,
                          (b.right - b.left) * k, (b.bottom - b.top) * k);
    }
    win::ReleaseDC(d.window, dc);
    return copied;
}
