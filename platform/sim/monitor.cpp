#include <algorithm>
#include <cstdio>

#include "platform/sim/internal.h"

namespace {

std::vector<sim::Monitor> monitors;  // empty: one of the display mode's size
// The test thread's DPI context as its pseudo value: -1 unaware ... -4 per monitor
// (version 2). One for the process, as the simulation serves one test thread at a time.
intptr_t dpiContext = -1;

HMODULE const kUser32 = reinterpret_cast<HMODULE>(uintptr_t{0x75D00000});
constexpr uintptr_t kFirstMonitor = 0x10001;
// Windows hands back a thread's old context as a handle of its own, not as the pseudo value
// it was set with: code must give back what it got.
constexpr intptr_t kContextHandleBase = 0x6000;

std::vector<sim::Monitor> present() {
    if (!monitors.empty()) {
        return monitors;
    }
    sim::Mode mode = sim::currentMode();
    return {{RECT{0, 0, static_cast<LONG>(mode.width), static_cast<LONG>(mode.height)}, 100}};
}

LONG overlap(const RECT& a, const RECT& b) {
    LONG w = std::min(a.right, b.right) - std::max(a.left, b.left);
    LONG h = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return w > 0 && h > 0 ? w * h : 0;
}

HMONITOR handleOf(size_t index) { return reinterpret_cast<HMONITOR>(kFirstMonitor + index); }

// Where no monitor holds the window, the primary stands for the nearest: the display asks
// only of windows on a monitor.
HMONITOR fallback(DWORD flags) {
    return flags & (MONITOR_DEFAULTTOPRIMARY | MONITOR_DEFAULTTONEAREST) ? handleOf(0) : nullptr;
}

// An invalid context gives NULL (Microsoft: SetThreadDpiAwarenessContext); version 2 of the
// per-monitor context exists from Windows 10 1703 on, the first version from 1607.
void* WINAPI setThreadDpiAwarenessContext(void* context) {
    intptr_t value = reinterpret_cast<intptr_t>(context);
    sim::record("SetThreadDpiAwarenessContext");
    if (value > kContextHandleBase && value <= kContextHandleBase + 5) {
        value = kContextHandleBase - value;
    }
    const intptr_t deepest =
        sim::conditions().dpiContexts == sim::DpiContexts::PerMonitorV2 ? -5 : -3;
    if (value > -1 || value < deepest) {
        return nullptr;
    }
    intptr_t previous = dpiContext;
    dpiContext = value;
    return reinterpret_cast<void*>(kContextHandleBase - previous);
}

}  // namespace

namespace sim {

void resetMonitors() {
    monitors.clear();
    dpiContext = -1;
}

void setMonitors(const std::vector<Monitor>& list) { monitors = list; }
int primaryScale() { return present()[0].scalePercent; }
intptr_t threadDpiContext() { return dpiContext; }
bool threadPerMonitorDpi() { return dpiContext == -3 || dpiContext == -4; }
HMODULE user32Module() { return kUser32; }

FARPROC user32Export(const char* name) {
    if (conditions().dpiContexts == DpiContexts::None ||
        std::string(name) != "SetThreadDpiAwarenessContext") {
        return nullptr;
    }
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&setThreadDpiAwarenessContext));
}

// The primary's top-left corner is 0,0; others may lie left of or above it, at negative
// coordinates (Microsoft: "The Virtual Screen").
RECT workAreaOf(HWND window) {
    MONITORINFO info;
    info.cbSize = sizeof info;
    win::GetMonitorInfoA(win::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

RECT virtualScreen() {
    RECT all = {0, 0, 0, 0};
    for (const Monitor& monitor : present()) {
        all.left = std::min(all.left, monitor.rect.left);
        all.top = std::min(all.top, monitor.rect.top);
        all.right = std::max(all.right, monitor.rect.right);
        all.bottom = std::max(all.bottom, monitor.rect.bottom);
    }
    return all;
}

}  // namespace sim

namespace win {

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    sim::record("MonitorFromWindow");
    if (!sim::windowExists(window)) {
        return nullptr;
    }
    RECT rect = sim::screenRect(window);
    std::vector<sim::Monitor> list = present();
    LONG best = 0;
    HMONITOR found = nullptr;
    for (size_t i = 0; i < list.size(); ++i) {
        if (overlap(rect, list[i].rect) > best) {
            best = overlap(rect, list[i].rect);
            found = handleOf(i);
        }
    }
    return found ? found : fallback(flags);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    sim::record("MonitorFromPoint");
    std::vector<sim::Monitor> list = present();
    for (size_t i = 0; i < list.size(); ++i) {
        const RECT& r = list[i].rect;
        if (point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom) {
            return handleOf(i);
        }
    }
    return fallback(flags);
}

// The monitors in the list's order, each as GetMonitorInfoA gives it, until the callback
// answers FALSE (Microsoft: EnumDisplayMonitors).
BOOL EnumDisplayMonitors(HDC dc, LPRECT clip, MONITORENUMPROC callback, LPARAM context) {
    sim::record("EnumDisplayMonitors");
    if (dc || clip || !callback) {
        return FALSE;  // the product never clips the listing to a DC or a rectangle
    }
    const size_t count = present().size();
    for (size_t i = 0; i < count; ++i) {
        MONITORINFO info;
        info.cbSize = sizeof info;
        win::GetMonitorInfoA(handleOf(i), &info);
        if (!callback(handleOf(i), nullptr, &info.rcMonitor, context)) {
            break;
        }
    }
    return TRUE;
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
    sim::record("GetMonitorInfoA");
    std::vector<sim::Monitor> list = present();
    size_t index = reinterpret_cast<uintptr_t>(monitor) - kFirstMonitor;
    if (!info || info->cbSize < sizeof(MONITORINFO) || index >= list.size()) {
        return FALSE;
    }
    RECT rect = list[index].rect;
    // A thread outside a per-monitor context sees the monitor in its logical coordinates
    // (Microsoft: "High DPI Desktop Application Development on Windows", DPI virtualization).
    if (!sim::threadPerMonitorDpi()) {
        const LONG scale = list[index].scalePercent;
        rect = RECT{rect.left * 100 / scale, rect.top * 100 / scale, rect.right * 100 / scale,
                    rect.bottom * 100 / scale};
    }
    RECT work =
        list[index].work.right > list[index].work.left ? list[index].work : list[index].rect;
    if (!sim::threadPerMonitorDpi()) {
        const LONG scale = list[index].scalePercent;
        work = RECT{work.left * 100 / scale, work.top * 100 / scale, work.right * 100 / scale,
                    work.bottom * 100 / scale};
    }
    info->rcMonitor = rect;
    info->rcWork = work;
    info->dwFlags = index == 0 ? MONITORINFOF_PRIMARY : 0;
    // The record's size says whether it has room for the device name (Microsoft:
    // GetMonitorInfoA, MONITORINFOEX).
    if (info->cbSize >= sizeof(MONITORINFOEXA)) {
        std::string device = list[index].device;
        if (device.empty()) {
            device = "\\\\.\\DISPLAY" + std::to_string(index + 1);
        }
        auto* extended = reinterpret_cast<MONITORINFOEXA*>(info);
        std::snprintf(extended->szDevice, sizeof extended->szDevice, "%s", device.c_str());
    }
    return TRUE;
}

}  // namespace win
