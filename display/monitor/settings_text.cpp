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
    // The word at the line's start is `expected`, and the line goes on after it or ends.
    bool word(const char* expected) {
        const char* p = at;
        for (; *expected; ++expected, ++p) {
            if (p == end || *p != *expected) {
                return false;
            }
        }
        if (p != end && *p != ' ' && *p != '\t') {
            return false;
        }
        at = p;
        return true;
    }
    bool flag(bool* value) {
        if (at + 1 != end || (*at != '0' && *at != '1')) {
            return false;
        }
        *value = *at++ == '1';
        return true;
    }
    bool rect(RECT* r) {
        return space() && number(&r->left) && space() && number(&r->top) && space() &&
               number(&r->right) && space() && number(&r->bottom);
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

enum Item { kMonitor, kPresentation, kWindow, kMaximised, kOnTop, kItems };
const char* const kKeywords[kItems] = {"monitor", "presentation", "window", "maximised", "on-top"};

// The rest of the item's line, after its keyword.
bool parseItem(int item, Fields line, Settings* s) {
    WindowLayout& w = s->window;
    RECT& r = item == kMonitor ? s->monitor.rect : w.rect;
    switch (item) {
        case kMonitor:
            return line.rect(&r) && line.space() && line.device(s->monitor.device) &&
                   r.right > r.left && r.bottom > r.top;
        case kPresentation:
            if (!line.space()) {
                return false;
            }
            w.inWindow = line.word("window");
            return (w.inWindow || line.word("monitor")) && line.at == line.end;
        case kWindow:
            return line.rect(&r) && line.at == line.end && r.right - r.left >= kMinWindowWidth &&
                   r.bottom - r.top >= kMinWindowHeight;
        case kMaximised:
            return line.space() && line.flag(&w.maximised);
        default:
            return line.space() && line.flag(&w.onTop);
    }
}

// An item back to its default.
void forget(int item, Settings* s) {
    WindowLayout& w = s->window;
    switch (item) {
        case kMonitor:
            std::memset(&s->monitor, 0, sizeof s->monitor);
            break;
        case kPresentation:
            w.inWindow = false;
            break;
        case kWindow:
            std::memset(&w.rect, 0, sizeof w.rect);
            break;
        case kMaximised:
            w.maximised = false;
            break;
        default:
            w.onTop = false;
    }
}

void addRect(BoundedText& text, const RECT& r) {
    for (LONG value : {r.left, r.top, r.right, r.bottom}) {
        text.add(" ");
        text.add(static_cast<long>(value));
    }
}

}  // namespace

Settings parseSettings(const char* text, size_t length) {
    Settings s;
    std::memset(&s, 0, sizeof s);
    if (length > kMaxSettingsBytes) {
        return s;
    }
    int seen[kItems] = {};
    bool bad[kItems] = {};
    size_t start = 0;
    for (size_t end = 0; end < length; ++end) {
        if (text[end] != '\n') {
            continue;
        }
        Fields line{text + start, text + end - (end > start && text[end - 1] == '\r')};
        start = end + 1;
        for (int item = 0; item < kItems; ++item) {
            Fields rest = line;
            if (rest.word(kKeywords[item])) {
                ++seen[item];
                bad[item] = bad[item] || !parseItem(item, rest, &s);
            }
        }
    }
    for (int item = 0; item < kItems; ++item) {
        if (seen[item] != 1 || bad[item]) {
            forget(item, &s);
        }
    }
    s.window.hasRect = seen[kWindow] == 1 && !bad[kWindow];
    return s;
}

size_t formatSettings(const Settings& settings, char* out) {
    BoundedText text{out, kMaxSettingsBytes, 0};
    text.add(
        "# Where \"glintix #1 (no mode change)\" shows its picture: the monitor picked in its\r\n"
        "# configuration, and the window as its last run left it. Delete this file to forget\r\n"
        "# both.\r\n");
    const MonitorName& m = settings.monitor;
    if (m.device[0] != '\0') {
        text.add("monitor");
        addRect(text, m.rect);
        text.add(" ");
        text.add(m.device);
        text.add("\r\n");
    }
    const WindowLayout& w = settings.window;
    if (w.hasRect) {
        text.add(w.inWindow ? "presentation window\r\nwindow" : "presentation monitor\r\nwindow");
        addRect(text, w.rect);
        text.add(w.maximised ? "\r\nmaximised 1" : "\r\nmaximised 0");
        text.add(w.onTop ? "\r\non-top 1\r\n" : "\r\non-top 0\r\n");
    }
    return text.length;
}
