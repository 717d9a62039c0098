#include "display/windowed/window_layout.h"

#include <string>
#include <vector>

#include "tests/display/display_fixture.h"

namespace {

const Frame kFrame = {8, 31, 8, 8};  // Windows 10 at 100%

// The first window: the largest factor whose window fits the work area, at least 1, centred;
// its client area is then the scaled picture exactly.
TEST(WindowLayout, FirstWindowOnAWorkArea) {
    struct {
        RECT work;
        const char* expected;
    } cases[] = {
        {{0, 0, 1920, 1040}, "1296x999+312+20"},       // factor 2
        {{0, 0, 2560, 1400}, "1296x999+632+200"},      // 1440 less a taskbar: 2, not 3
        {{0, 0, 1280, 984}, "656x519+312+232"},        // factor 2 would not fit: 1
        {{0, 0, 640, 480}, "656x519+-8+-19"},          // smaller than the window: factor 1
        {{1920, -200, 3200, 824}, "656x519+2232+52"},  // right of and above the primary
    };
    for (const auto& c : cases) {
        EXPECT_EQ(describeRect(firstWindowRect(c.work, kFrame, 640, 480)), c.expected)
            << describeRect(c.work);
    }
}

// A saved window is kept only where its whole title bar lies on the monitors, mirrored ones
// counted once.
TEST(WindowLayout, TitleBarOnTheMonitors) {
    auto monitor = [](LONG left, LONG top, LONG right, LONG bottom) {
        PresentMonitor m{};
        m.rect = RECT{left, top, right, bottom};
        return m;
    };
    const std::vector<PresentMonitor> two = {monitor(0, 0, 1920, 1080),
                                             monitor(1920, 0, 3840, 1080)};
    struct {
        const char* name;
        RECT window;
        std::vector<PresentMonitor> monitors;
        bool shown;
    } cases[] = {
        {"on the first", {100, 100, 1000, 800}, two, true},
        {"across both", {1500, 100, 2500, 800}, two, true},
        {"its body below the screens", {100, 1070, 1000, 1800}, two, false},
        {"the second unplugged", {2000, 100, 2900, 800}, {two[0]}, false},
        {"half off the left", {-400, 100, 500, 800}, two, false},
        {"above the top", {100, -20, 1000, 700}, two, false},
        {"its sizing border above the top", {100, -8, 1000, 700}, two, true},
        {"on mirrored monitors", {100, 100, 1000, 800}, {two[0], two[0]}, true},
        {"no monitors", {100, 100, 1000, 800}, {}, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            titleBarShown(c.window, kFrame, c.monitors.data(), static_cast<int>(c.monitors.size())),
            c.shown)
            << c.name;
    }
}

}  // namespace
