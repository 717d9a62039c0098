#include "display/monitor/monitor_list.h"

#include <cstring>

namespace {

struct Listing {
    PresentMonitor* out;
    int capacity;
    int count;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    Listing& list = *reinterpret_cast<Listing*>(context);
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (list.count < list.capacity &&
        win::GetMonitorInfoA(monitor, reinterpret_cast<LPMONITORINFO>(&info))) {
        PresentMonitor& m = list.out[list.count++];
        std::memset(&m, 0, sizeof m);
        std::memcpy(m.device, info.szDevice, sizeof m.device - 1);
        m.rect = info.rcMonitor;
        m.work = info.rcWork;
        m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    return list.count < list.capacity;
}

}  // namespace

int listMonitors(PresentMonitor* out, int capacity) {
    Listing list{out, capacity, 0};
    win::EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    return list.count;
}
