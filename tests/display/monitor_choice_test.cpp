#include <cstdio>
#include <string>
#include <vector>

#include "tests/display/display_fixture.h"

namespace {

PresentMonitor presentMonitor(const char* device, LONG left, LONG top, LONG width, LONG height,
                              bool primary = false) {
    PresentMonitor m{};
    std::snprintf(m.device, sizeof m.device, "%s", device);
    m.rect = RECT{left, top, left + width, top + height};
    m.primary = primary;
    return m;
}

const RECT kRight = {1920, 0, 3840, 1080};

TEST(MonitorChoice, FoundByPlaceThenByDeviceName) {
    const std::vector<PresentMonitor> usual = {
        presentMonitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true),
        presentMonitor("\\\\.\\DISPLAY2", 1920, 0, 1920, 1080)};
    struct {
        const char* name;
        MonitorName chosen;
        std::vector<PresentMonitor> monitors;
        int expected;
    } cases[] = {
        {"the player's monitor", MonitorName{}, usual, -1},
        {"as saved", monitorNamed("\\\\.\\DISPLAY2", kRight), usual, 1},
        // Docked: the devices numbered anew, the monitor where it was.
        {"numbered anew",
         monitorNamed("\\\\.\\DISPLAY2", kRight),
         {presentMonitor("\\\\.\\DISPLAY2", 0, 0, 1920, 1080, true),
          presentMonitor("\\\\.\\DISPLAY3", 1920, 0, 1920, 1080)},
         1},
        // The search by place takes the first monitor listed too.
        {"numbered anew and listed first",
         monitorNamed("\\\\.\\DISPLAY2", kRight),
         {presentMonitor("\\\\.\\DISPLAY3", 1920, 0, 1920, 1080),
          presentMonitor("\\\\.\\DISPLAY2", 0, 0, 1920, 1080, true)},
         0},
        // A place is the whole rectangle: a taller monitor at the same corner is another.
        {"a taller one at its corner",
         monitorNamed("\\\\.\\DISPLAY2", kRight),
         {presentMonitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true),
          presentMonitor("\\\\.\\DISPLAY3", 1920, 0, 1920, 1440),
          presentMonitor("\\\\.\\DISPLAY2", 3840, 0, 1280, 1024)},
         2},
        {"in another resolution",
         monitorNamed("\\\\.\\DISPLAY2", kRight),
         {presentMonitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true),
          presentMonitor("\\\\.\\DISPLAY2", 1920, 0, 1280, 720)},
         1},
        // Mirrored monitors share a rectangle: the device name tells them apart.
        {"mirrored",
         monitorNamed("\\\\.\\DISPLAY2", RECT{0, 0, 1920, 1080}),
         {presentMonitor("\\\\.\\DISPLAY1", 0, 0, 1920, 1080, true),
          presentMonitor("\\\\.\\DISPLAY2", 0, 0, 1920, 1080)},
         1},
        {"unplugged", monitorNamed("\\\\.\\DISPLAY2", kRight), {usual[0]}, -1},
        {"no monitors listed", monitorNamed("\\\\.\\DISPLAY2", kRight), {}, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(
            findChosenMonitor(c.chosen, c.monitors.data(), static_cast<int>(c.monitors.size())),
            c.expected);
    }
}

TEST(MonitorChoice, ListedAsTheUserSeesThem) {
    struct {
        const char* name;
        std::vector<PresentMonitor> monitors;
        std::vector<std::string> described;
        std::string devices;  // in the order listed
    } cases[] = {
        {"left of the primary",
         {presentMonitor("A", 0, 0, 1920, 1080, true), presentMonitor("B", -1280, 0, 1280, 1024)},
         {"Monitor 1: 1280x1024 at -1280,0", "Monitor 2: 1920x1080 at 0,0 (primary)"},
         "BA"},
        {"stacked, then beside",
         {presentMonitor("A", 0, 0, 1920, 1080, true), presentMonitor("B", 1920, 0, 3840, 2160),
          presentMonitor("C", 0, -1080, 1920, 1080)},
         {"Monitor 1: 1920x1080 at 0,-1080", "Monitor 2: 1920x1080 at 0,0 (primary)",
          "Monitor 3: 3840x2160 at 1920,0"},
         "CAB"},
        // Mirrored monitors share a place: they stay in the system's order.
        {"mirrored",
         {presentMonitor("A", 0, 0, 1920, 1080, true), presentMonitor("B", 0, 0, 1920, 1080),
          presentMonitor("C", -1920, 0, 1920, 1080)},
         {"Monitor 1: 1920x1080 at -1920,0", "Monitor 2: 1920x1080 at 0,0 (primary)",
          "Monitor 3: 1920x1080 at 0,0"},
         "CAB"},
    };
    for (auto& c : cases) {
        SCOPED_TRACE(c.name);
        sortAsSeen(c.monitors.data(), static_cast<int>(c.monitors.size()));
        std::vector<std::string> described;
        std::string devices;
        for (size_t i = 0; i < c.monitors.size(); ++i) {
            devices += c.monitors[i].device;
            char text[96];
            describeMonitor(static_cast<int>(i + 1), c.monitors[i], text, sizeof text);
            described.push_back(text);
        }
        EXPECT_EQ(described, c.described);
        EXPECT_EQ(devices, c.devices);
    }
}

std::string settingsOf(const MonitorName& chosen) { return settingsText(Settings{chosen, {}}); }

std::string describe(const MonitorName& name) {
    return std::string(name.device) + " " + std::to_string(name.rect.left) + "," +
           std::to_string(name.rect.top) + "," + std::to_string(name.rect.right) + "," +
           std::to_string(name.rect.bottom);
}

// Anything but a whole file as written gives the player's monitor.
TEST(MonitorSettings, ReadBackOrThePlayersMonitor) {
    const MonitorName left = monitorNamed("\\\\.\\DISPLAY2", RECT{-2560, -300, 0, 1140});
    const std::string saved = settingsOf(left);
    const std::string line = "monitor 1920 0 3840 1080 \\\\.\\DISPLAY2";
    const std::string player = describe(MonitorName{});
    std::string huge = saved;
    huge.insert(0, std::string(kMaxSettingsBytes, '#') + "\n");
    std::string largest =
        "#" + std::string(kMaxSettingsBytes - line.size() - 3, ' ') + "\n" + line + "\n";
    struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"as written", saved, describe(left)},
        {"the player's monitor, as written", settingsOf(MonitorName{}), player},
        {"missing or empty", "", player},
        {"by hand, with Unix line ends and tabs", "monitor\t1920 0  3840 1080 \\\\.\\DISPLAY2\n",
         describe(monitorNamed("\\\\.\\DISPLAY2", kRight))},
        {"as large as it may be", largest, describe(monitorNamed("\\\\.\\DISPLAY2", kRight))},
        {"larger", huge, player},
        {"one byte larger", largest + "\n", player},
        {"no line end at the end", line, player},
        {"two monitors", line + "\n" + line + "\n", player},
        {"a line of another kind", line + "\nfullscreen yes\n",
         describe(monitorNamed("\\\\.\\DISPLAY2", kRight))},
        {"a word for a number", "monitor 1920 zero 3840 1080 X\n", player},
        {"a number too large", "monitor 1920 0 38400000 1080 X\n", player},
        {"an empty rectangle", "monitor 1920 0 1920 1080 X\n", player},
        {"upside down", "monitor 1920 1080 3840 0 X\n", player},
        {"a sign without digits", "monitor - 0 3840 1080 X\n", player},
        {"no device", "monitor 1920 0 3840 1080\n", player},
        {"a device name with a space", "monitor 1920 0 3840 1080 \\\\.\\DISPLAY 2\n", player},
        {"a device name too long", "monitor 1920 0 3840 1080 " + std::string(32, 'D') + "\n",
         player},
        {"a control character", std::string("monitor 1920 0 3840 1080 \\\\.\\DIS\0PLAY2\n", 39),
         player},
        {"not text", std::string("\xff\xfe\0m\0o\0n\n", 9), player},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(describe(parseSettings(c.text.data(), c.text.size()).monitor), c.expected);
    }
    // Written as Notepad reads it: every line ends in CR LF.
    for (size_t at = saved.find('\n'); at != std::string::npos; at = saved.find('\n', at + 1)) {
        ASSERT_TRUE(at > 0 && saved[at - 1] == '\r') << "a line without its CR at " << at;
    }
    // Cut short anywhere, as by a full disk or a crash while it was written.
    for (size_t length = 0; length < saved.size(); ++length) {
        SCOPED_TRACE(length);
        ASSERT_EQ(describe(parseSettings(saved.data(), length).monitor), player);
    }
}

std::string describe(const WindowLayout& w) {
    return std::string(w.inWindow ? "window" : "monitor") +
           (w.hasRect ? " " + std::to_string(w.rect.left) + "," + std::to_string(w.rect.top) + "," +
                            std::to_string(w.rect.right) + "," + std::to_string(w.rect.bottom)
                      : std::string(" -")) +
           (w.maximised ? " maximised" : "") + (w.onTop ? " on top" : "");
}

// The window's lines come back as written; each of them that is missing, given twice or
// anything else gives its own default, and keeps neither the monitor choice nor the other
// lines from holding.
TEST(MonitorSettings, WindowLinesEachOnTheirOwn) {
    const MonitorName tv = monitorNamed("\\\\.\\DISPLAY2", kRight);
    const WindowLayout left = {true, true, RECT{-1900, 40, -1000, 800}, true, true};
    const std::string saved = settingsText(Settings{tv, left});
    const std::string head = settingsOf(tv) + "presentation window\r\n";
    const std::string rest = "maximised 1\r\non-top 1\r\n";
    const std::string full = "window -1900 40 -1000 800\r\n";
    struct {
        const char* name;
        std::string text;
        std::string expected;
    } cases[] = {
        {"as written", saved, "window -1900,40,-1000,800 maximised on top"},
        {"today's file: no window", settingsOf(tv), "monitor -"},
        {"the presentation alone", head, "window -"},
        {"by hand", "window 0 0 1920 1040\nmaximised 0\n", "monitor 0,0,1920,1040"},
        {"narrower than the picture", head + "window 0 0 639 480\r\n" + rest,
         "window - maximised on top"},
        {"lower than the picture", head + "window 0 0 640 479\r\n" + rest,
         "window - maximised on top"},
        {"upside down", head + "window 0 800 900 40\r\n" + rest, "window - maximised on top"},
        {"beyond any coordinate", head + "window 0 0 99999999 800\r\n" + rest,
         "window - maximised on top"},
        {"more after it", head + "window -1900 40 -1000 800 0\r\n" + rest,
         "window - maximised on top"},
        {"given twice", head + full + full + rest, "window - maximised on top"},
        {"another presentation", settingsOf(tv) + "presentation fullscreen\r\n" + full + rest,
         "monitor -1900,40,-1000,800 maximised on top"},
        {"flags not 0 or 1", head + full + "maximised 2\r\non-top yes\r\n",
         "window -1900,40,-1000,800"},
        {"a line of another kind", head + full + "colour blue\r\n" + rest,
         "window -1900,40,-1000,800 maximised on top"},
        {"cut in its last line", head + full + "maximised 1\r\non-top 1",
         "window -1900,40,-1000,800 maximised"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Settings s = parseSettings(c.text.data(), c.text.size());
        EXPECT_EQ(describe(s.window), c.expected);
        EXPECT_EQ(std::string(s.monitor.device),
                  c.text.find("monitor ") == std::string::npos ? "" : "\\\\.\\DISPLAY2");
    }
}

}  // namespace
