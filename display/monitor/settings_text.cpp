#include "display/monitor/settings_text.h"

#include <cstring>
#include <initializer_list>

#include "display/monitor/bounded_text.h"

namespace {

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
    BoundedText text{out, kMaxSettingsBytes, 0};
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
