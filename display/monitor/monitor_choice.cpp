#include "display/monitor/monitor_choice.h"

#include "display/monitor/bounded_text.h"

namespace {

bool sameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Without the C runtime's string functions, which the DLL does not import.
bool sameDevice(const char* a, const char* b) {
    for (size_t i = 0; i < sizeof(MonitorName::device); ++i) {
        if (a[i] != b[i]) {
            return false;
        }
        if (a[i] == '\0') {
            return true;
        }
    }
    return true;
}

}  // namespace

// The place on the desktop comes first: Windows numbers the devices anew when a laptop is
// docked or a driver is updated, while the monitor keeps its place; the device name finds
// it after its resolution or place changed.
int findChosenMonitor(const MonitorName& chosen, const PresentMonitor* present, int count) {
    if (chosen.device[0] == '\0') {
        return -1;
    }
    for (int i = 0; i < count; ++i) {
        if (sameDevice(present[i].device, chosen.device) &&
            sameRect(present[i].rect, chosen.rect)) {
            return i;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (sameRect(present[i].rect, chosen.rect)) {
            return i;
        }
    }
    for (int i = 0; i < count; ++i) {
        if (sameDevice(present[i].device, chosen.device)) {
            return i;
        }
    }
    return -1;
}

void sortAsSeen(PresentMonitor* present, int count) {
    for (int i = 1; i < count; ++i) {
        const PresentMonitor moving = present[i];
        int j = i;
        for (; j > 0; --j) {
            const RECT& before = present[j - 1].rect;
            if (before.left < moving.rect.left ||
                (before.left == moving.rect.left && before.top <= moving.rect.top)) {
                break;
            }
            present[j] = present[j - 1];
        }
        present[j] = moving;
    }
}

void describeMonitor(int number, const PresentMonitor& monitor, char* out, size_t size) {
    BoundedText text{out, size, 0};
    const RECT& r = monitor.rect;
    text.add("Monitor ");
    text.add(static_cast<long>(number));
    text.add(": ");
    text.add(static_cast<long>(r.right - r.left));
    text.add("x");
    text.add(static_cast<long>(r.bottom - r.top));
    text.add(" at ");
    text.add(static_cast<long>(r.left));
    text.add(",");
    text.add(static_cast<long>(r.top));
    if (monitor.primary) {
        text.add(" (primary)");
    }
}
