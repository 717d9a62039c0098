#include "display/monitor_choice.h"

#include <cstring>
#include <initializer_list>

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

// Text built up in a buffer of fixed size, cut short rather than overrun.
struct Text {
    char* out;
    size_t size;
    size_t length;

    void add(const char* text) {
        for (; *text && length + 1 < size; ++text) {
            out[length++] = *text;
        }
        out[length] = '\0';
    }
    void add(long value) {
        char digits[16];
        char* at = digits + sizeof digits;
        *--at = '\0';
        unsigned long magnitude =
            value < 0 ? 0UL - static_cast<unsigned long>(value) : static_cast<unsigned long>(value);
        do {
            *--at = static_cast<char>('0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude);
        if (value < 0) {
            *--at = '-';
        }
        add(at);
    }
};

// A line of the settings file, read field by field.
struct Fields {
    const char* at;
    const char* end;

    bool space() {
        const char* start = at;
        while (at < end && (*at == ' ' || *at == '\t')) {
            ++at;
        }
        return at > start;
    }
    bool word(const char* expected) {
        const char* p = at;
        for (; *expected; ++expected, ++p) {
            if (p == end || *p != *expected) {
                return false;
            }
        }
        at = p;
        return true;
    }
    // A coordinate: far beyond any desktop's, so that nothing overflows.
    bool number(LONG* value) {
        const bool negative = at < end && *at == '-';
        at += negative;
        long magnitude = 0;
        int digits = 0;
        for (; at < end && *at >= '0' && *at <= '9'; ++at) {
            if (++digits > 7) {
                return false;
            }
            magnitude = magnitude * 10 + (*at - '0');
        }
        *value = static_cast<LONG>(negative ? -magnitude : magnitude);
        return digits > 0;
    }
    // The rest of the line: printable, without spaces, and short enough to keep.
    bool device(char* out) {
        const size_t n = static_cast<size_t>(end - at);
        if (n == 0 || n >= sizeof(MonitorName::device)) {
            return false;
        }
        for (size_t i = 0; i < n; ++i) {
            if (at[i] <= ' ' || at[i] > '~') {
                return false;
            }
            out[i] = at[i];
        }
        out[n] = '\0';
        return true;
    }
};

bool parseMonitorLine(Fields line, MonitorName* chosen) {
    RECT& r = chosen->rect;
    return line.word("monitor") && line.space() && line.number(&r.left) && line.space() &&
           line.number(&r.top) && line.space() && line.number(&r.right) && line.space() &&
           line.number(&r.bottom) && line.space() && line.device(chosen->device) &&
           r.right > r.left && r.bottom > r.top;
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
    Text text{out, size, 0};
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

// Every line ends in a newline, as written: a file without one at its end was cut short.
MonitorName parseSettings(const char* text, size_t length) {
    MonitorName none;
    std::memset(&none, 0, sizeof none);
    if (length == 0 || length > kMaxSettingsBytes || text[length - 1] != '\n') {
        return none;
    }
    MonitorName chosen = none;
    bool named = false;
    for (size_t start = 0; start < length;) {
        size_t end = start;
        while (text[end] != '\n') {
            ++end;
        }
        Fields line{text + start, text + end - (end > start && text[end - 1] == '\r')};
        start = end + 1;
        if (line.at == line.end || *line.at == '#') {
            continue;
        }
        if (named || !parseMonitorLine(line, &chosen)) {
            return none;
        }
        named = true;
    }
    return chosen;
}

size_t formatSettings(const MonitorName& chosen, char* out) {
    Text text{out, kMaxSettingsBytes, 0};
    text.add(
        "# The monitor that \"glintix #1 (no mode change)\" shows its picture on, as picked\r\n"
        "# in its configuration. Delete this file to go back to the player's monitor.\r\n");
    if (chosen.device[0] != '\0') {
        const RECT& r = chosen.rect;
        text.add("monitor");
        for (LONG value : {r.left, r.top, r.right, r.bottom}) {
            text.add(" ");
            text.add(static_cast<long>(value));
        }
        text.add(" ");
        text.add(chosen.device);
        text.add("\r\n");
    }
    return text.length;
}
