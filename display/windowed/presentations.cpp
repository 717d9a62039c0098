// The windowed display's two presentations, the whole monitor and a window the user places
// and sizes, and the switch between them; the window's layout is kept in the settings file
// at each switch and at the end of a run.
#include <cstring>

#include "display/display_state.h"
#include "display/dpi_context.h"
#include "display/monitor/monitor_list.h"
#include "display/monitor/settings_file.h"
#include "display/windowed/window_layout.h"

namespace {

// The window's frame as the system draws it now, at its monitor's scale.
Frame frameOf(HWND window) {
    RECT outer, client;
    POINT origin = {0, 0};
    if (!win::GetWindowRect(window, &outer) || !win::GetClientRect(window, &client) ||
        !win::ClientToScreen(window, &origin)) {
        return Frame{0, 0, 0, 0};
    }
    return Frame{origin.x - outer.left, origin.y - outer.top, outer.right - origin.x - client.right,
                 outer.bottom - origin.y - client.bottom};
}

// The window's normal place, while it has one of its own: neither minimised nor maximised.
void notePlace(const DisplayState& d, WindowLayout& layout) {
    RECT rect;
    if (!win::IsIconic(d.window) && !win::IsZoomed(d.window) &&
        win::GetWindowRect(d.window, &rect)) {
        layout.rect = rect;
        layout.hasRect = true;
    }
}

void enterWholeMonitor(DisplayState& d) {
    WindowedDisplay& w = d.windowed;
    notePlace(d, w.layout);
    // The monitor that holds most of the window, found again by the rule of the start.
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    HMONITOR monitor = win::MonitorFromWindow(d.window, MONITOR_DEFAULTTONEAREST);
    if (monitor && win::GetMonitorInfoA(monitor, reinterpret_cast<LPMONITORINFO>(&info))) {
        std::memcpy(w.chosen.device, info.szDevice, sizeof w.chosen.device - 1);
        w.chosen.device[sizeof w.chosen.device - 1] = '\0';
        w.chosen.rect = info.rcMonitor;
    }
    // Restored first, its normal place noted on the way; kept as maximised all the same.
    const bool maximised = win::IsZoomed(d.window);
    if (maximised) {
        win::ShowWindow(d.window, SW_RESTORE);
    }
    w.layout.inWindow = false;
    w.layout.maximised = maximised;
    win::SetWindowLongA(d.window, GWL_STYLE, static_cast<LONG>(WS_POPUP | WS_SYSMENU | WS_VISIBLE));
    win::SetWindowPos(d.window, HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    win::GetSystemMenu(d.window, TRUE);  // back to the system's own items
    w.placeDue = 1;
}

}  // namespace

void enterWindow(DisplayState& d, const RECT& work, bool shown) {
    WindowedDisplay& w = d.windowed;
    WindowLayout& layout = w.layout;
    // The frame as the system draws it, read off a window large enough to hold it: the one
    // that a start makes has no size yet.
    win::SetWindowLongA(d.window, GWL_STYLE,
                        static_cast<LONG>(WS_OVERLAPPEDWINDOW | (shown ? WS_VISIBLE : 0)));
    RECT now = {0, 0, 0, 0};
    win::GetWindowRect(d.window, &now);
    const LONG least = static_cast<LONG>(d.requestedWidth);
    const LONG leastHeight = static_cast<LONG>(d.requestedHeight);
    win::SetWindowPos(d.window, nullptr, 0, 0,
                      now.right - now.left > least ? now.right - now.left : least,
                      now.bottom - now.top > leastHeight ? now.bottom - now.top : leastHeight,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    const Frame frame = frameOf(d.window);
    PresentMonitor monitors[kMaxMonitors];
    const int count = listMonitors(monitors, kMaxMonitors);
    if (!layout.hasRect || !titleBarShown(layout.rect, frame, monitors, count)) {
        layout.rect = firstWindowRect(work, frame, d.requestedWidth, d.requestedHeight);
        layout.hasRect = true;
    }
    layout.inWindow = true;
    const RECT& r = layout.rect;
    win::SetWindowPos(d.window, layout.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, r.left, r.top,
                      r.right - r.left, r.bottom - r.top, SWP_NOACTIVATE);
    if (shown && layout.maximised) {
        win::ShowWindow(d.window, SW_MAXIMIZE);
    }
    HMENU menu = win::GetSystemMenu(d.window, FALSE);
    win::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    win::AppendMenuA(menu, MF_STRING | (layout.onTop ? MF_CHECKED : MF_UNCHECKED), kOnTopCommand,
                     "Always on &top");
    w.placeDue = 1;
}

void switchPresentation(DisplayState& d) {
    WindowedDisplay& w = d.windowed;
    w.switchDue = 0;
    PerMonitorDpi dpi(w.setThreadDpi);
    if (w.layout.inWindow) {
        enterWholeMonitor(d);
    } else {
        MONITORINFO info;
        std::memset(&info, 0, sizeof info);
        info.cbSize = sizeof info;
        HMONITOR monitor = win::MonitorFromWindow(d.window, MONITOR_DEFAULTTONEAREST);
        if (!monitor || !win::GetMonitorInfoA(monitor, &info)) {
            return;
        }
        enterWindow(d, info.rcWork, true);
    }
    // A crash of the player later loses nothing; a file that cannot be written keeps the run.
    keepWindowLayout(w.layout);
}

void toggleOnTop(DisplayState& d) {
    WindowLayout& layout = d.windowed.layout;
    layout.onTop = !layout.onTop;
    win::SetWindowPos(d.window, layout.onTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                      SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    win::CheckMenuItem(win::GetSystemMenu(d.window, FALSE), kOnTopCommand,
                       MF_BYCOMMAND | (layout.onTop ? MF_CHECKED : MF_UNCHECKED));
}

// Never on every move: only here and at a switch.
void rememberLayout(DisplayState& d) {
    WindowedDisplay& w = d.windowed;
    PerMonitorDpi dpi(w.setThreadDpi);
    if (w.layout.inWindow) {
        notePlace(d, w.layout);
    }
    if (w.layout.hasRect) {
        keepWindowLayout(w.layout);
    }
}
