#include "tests/display/display_fixture.h"

namespace {

constexpr const char* kWindowedName = "glintix #1 (no mode change)";
constexpr uint32_t kUndrawn = 0xCDCDCDCD;

// Where the picture must be: the window on the screen (physical pixels), the picture's
// factor and corner in the window's own coordinates, and how far the system stretches the
// window's pixels onto the screen.
struct Expected {
    RECT window;
    uint32_t factor;
    LONG x, y;
    int scale = 100;
};

bool inside(const RECT& r, LONG x, LONG y) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
}

// Every pixel of the screen: in the window, the picture as factor-by-factor squares at its
// place and black around it, but where `covered` lies in front; nothing anywhere else.
void expectScreen(const Expected& e, const std::vector<uint32_t>& picture,
                  RECT covered = RECT{0, 0, 0, 0}) {
    const sim::ScreenView screen = sim::gdiScreen();
    const LONG width = 640 * static_cast<LONG>(e.factor);
    const LONG height = 480 * static_cast<LONG>(e.factor);
    for (LONG y = screen.bounds.top; y < screen.bounds.bottom; ++y) {
        for (LONG x = screen.bounds.left; x < screen.bounds.right; ++x) {
            uint32_t expected = kUndrawn;
            if (inside(e.window, x, y) && !inside(covered, x, y)) {
                const LONG ox = (x - e.window.left) * 100 / e.scale - e.x;
                const LONG oy = (y - e.window.top) * 100 / e.scale - e.y;
                const bool shown = ox >= 0 && ox < width && oy >= 0 && oy < height;
                expected = shown ? picture[static_cast<size_t>(oy / LONG(e.factor)) * 640 +
                                           static_cast<size_t>(ox / LONG(e.factor))]
                                 : 0;
            }
            if (screen.at(x, y) != expected) {
                FAIL() << "at " << x << "," << y << ": " << std::hex << screen.at(x, y)
                       << " instead of " << expected;
            }
        }
    }
}

const std::vector<uint32_t> kBlack(640 * 480, 0);

class WindowedTest : public DisplayTest {
protected:
    static int startOn(HWND host) { return windowedInit(kWindowedName, 640, 480, host, {}, {}); }
    static HWND window() { return sim::findWindow(kWindowedName); }
};

sim::Monitor monitor(LONG left, LONG top, LONG width, LONG height, int scale = 100) {
    return sim::Monitor{{left, top, left + width, top + height}, scale};
}

// Each run starts on this display, with the host's window at `host` (none where empty).
struct Display {
    sim::Mode mode;
    std::vector<sim::Monitor> monitors;
    RECT host = {0, 0, 0, 0};
};

// A fresh simulation on `display`, and the windowed display started there.
void startFresh(const Display& display, sim::DpiContexts contexts,
                const MonitorName& chosen = MonitorName{}) {
    displayShutdown();
    sim::reset();
    sim::setDesktopMode(display.mode);
    sim::setMonitors(display.monitors);
    sim::conditions().dpiContexts = contexts;
    HWND host = display.host.right ? sim::showHostWindow(display.host) : nullptr;
    ASSERT_EQ(windowedInit(kWindowedName, 640, 480, host, chosen, {}), 1);
}

const Display k1080 = {{1920, 1080, 32}, {monitor(0, 0, 1920, 1080)}};

// The window covers the monitor that holds the host's window, in real pixels where the
// system has per-monitor DPI contexts and stretched by the system where it has none; it is
// black from the start; the mode stays the desktop's; the picture lands scaled and centred,
// black around it, but for another program's window in front, which keeps its pixels; and
// the host's thread gets its DPI context back.
TEST_F(WindowedTest, PictureOnTheHostsMonitorInTheDesktopsMode) {
    const auto V2 = sim::DpiContexts::PerMonitorV2;
    const Display twoSideBySide = {{1920, 1080, 32},
                                   {monitor(0, 0, 1920, 1080), monitor(1920, 0, 2560, 1440)},
                                   {2000, 100, 2400, 400}};
    const Display leftOfPrimary = {{1920, 1080, 32},
                                   {monitor(0, 0, 1920, 1080), monitor(-2560, 0, 2560, 1440)},
                                   {-900, 100, -500, 400}};
    const Display abovePrimary = {{1920, 1080, 32},
                                  {monitor(0, 0, 1920, 1080), monitor(0, -1080, 1920, 1080)},
                                  {100, -500, 400, -200}};
    const Display scaled = {{2880, 1620, 32}, {monitor(0, 0, 2880, 1620, 150)}};
    struct {
        const char* name;
        Display display;
        sim::DpiContexts contexts;
        Expected expected;
        RECT front = {0, 0, 0, 0};  // another program's, in front and with the focus
    } cases[] = {
        {"no host window", k1080, V2, {{0, 0, 1920, 1080}, 2, 320, 60}},
        {"16-bit desktop",
         {{1920, 1080, 16}, k1080.monitors},
         V2,
         {{0, 0, 1920, 1080}, 2, 320, 60}},
        {"24-bit desktop",
         {{1920, 1080, 24}, k1080.monitors},
         V2,
         {{0, 0, 1920, 1080}, 2, 320, 60}},
        {"another program's window in front",
         k1080,
         V2,
         {{0, 0, 1920, 1080}, 2, 320, 60},
         {400, 300, 900, 700}},
        {"host on the second monitor", twoSideBySide, V2, {{1920, 0, 4480, 1440}, 3, 320, 0}},
        {"host left of the primary", leftOfPrimary, V2, {{-2560, 0, 0, 1440}, 3, 320, 0}},
        {"host above the primary", abovePrimary, V2, {{0, -1080, 1920, 0}, 2, 320, 60}},
        {"150%, per-monitor context v2", scaled, V2, {{0, 0, 2880, 1620}, 3, 480, 90}},
        {"150%, first per-monitor context only",
         scaled,
         sim::DpiContexts::PerMonitor,
         {{0, 0, 2880, 1620}, 3, 480, 90}},
        // Logical pixels, which the system stretches over the whole monitor.
        {"150%, no per-thread contexts",
         scaled,
         sim::DpiContexts::None,
         {{0, 0, 2880, 1620}, 2, 320, 60, 150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(startFresh(c.display, c.contexts));
        const Expected& e = c.expected;
        EXPECT_EQ(sim::threadDpiContext(), -1);
        EXPECT_EQ(sim::windowPerMonitorDpi(window()), c.contexts != sim::DpiContexts::None);
        ASSERT_NO_FATAL_FAILURE(expectScreen(e, kBlack));
        if (c.front.right) {
            sim::showOtherProgramWindow(c.front);
        }

        std::vector<uint32_t> picture = numberedPicture();
        EXPECT_EQ(windowedPresent(picture.data()), 1);
        EXPECT_TRUE(sim::currentMode() == c.display.mode);
        EXPECT_EQ(sim::threadDpiContext(), -1);
        expectScreen(e, picture, c.front);
    }
}

// After another program's mode change, or a monitor that came or went, the next frame is
// whole and exact on the monitor that now holds the host's window, in that monitor's real
// pixels.
TEST_F(WindowedTest, FollowsTheDisplay) {
    const Display twoMonitors = {{1920, 1080, 32},
                                 {monitor(0, 0, 1920, 1080), monitor(1920, 0, 2560, 1440)},
                                 {2000, 100, 2400, 400}};
    // The host's window lies where no monitor is, until one is plugged in there.
    const Display hostLeftOfEverything = {{1920, 1080, 32}, k1080.monitors, {-900, 100, -500, 400}};
    struct {
        const char* name;
        Display before;
        sim::Mode mode;
        std::vector<sim::Monitor> after;
        Expected expected;
        bool silent = false;  // no WM_DISPLAYCHANGE: only a copy that GDI refuses tells
    } cases[] = {
        {"to 1280x1024", k1080, {1280, 1024, 32}, {}, {{0, 0, 1280, 1024}, 2, 0, 32}},
        {"to 1920x1440, the height alone",
         k1080,
         {1920, 1440, 32},
         {},
         {{0, 0, 1920, 1440}, 3, 0, 0}},
        {"to 1280x1024, untold", k1080, {1280, 1024, 32}, {}, {{0, 0, 1280, 1024}, 2, 0, 32}, true},
        {"to 1024x768 at 16 bits", k1080, {1024, 768, 16}, {}, {{0, 0, 1024, 768}, 1, 192, 144}},
        {"the host's monitor unplugged",
         twoMonitors,
         {1920, 1080, 32},
         {monitor(0, 0, 1920, 1080)},
         {{0, 0, 1920, 1080}, 2, 320, 60}},
        {"a monitor plugged in where the host's window is",
         hostLeftOfEverything,
         {1920, 1080, 32},
         {monitor(0, 0, 1920, 1080), monitor(-1280, 0, 1280, 1024)},
         {{-1280, 0, 0, 1024}, 2, 0, 32}},
        {"150% panel to 3840x2160",
         {{2880, 1620, 32}, {monitor(0, 0, 2880, 1620, 150)}},
         {3840, 2160, 32},
         {monitor(0, 0, 3840, 2160, 150)},
         {{0, 0, 3840, 2160}, 4, 640, 120}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(startFresh(c.before, sim::DpiContexts::PerMonitorV2));
        std::vector<uint32_t> picture = numberedPicture();
        ASSERT_EQ(windowedPresent(picture.data()), 1);

        sim::changeDisplay(c.mode, c.after, !c.silent);
        if (c.silent) {
            // A frame with a change, whose copy GDI refuses.
            picture[0] ^= 1;
            sim::conditions().refusedCopies = 1;
            EXPECT_EQ(windowedPresent(picture.data()), 0);
        }
        EXPECT_EQ(windowedPresent(picture.data()), 1);
        EXPECT_EQ(runningFlag(), 1);
        EXPECT_EQ(sim::threadDpiContext(), -1);
        expectScreen(c.expected, picture);

        // Placed once: the frames after it leave the window where it is.
        const size_t placed = sim::calls().size();
        EXPECT_EQ(windowedPresent(picture.data()), 1);
        EXPECT_EQ(windowedPresent(picture.data()), 1);
        EXPECT_LT(callAt("MoveWindow", true), placed);
    }
}

// The chosen monitor holds the picture wherever the host's window is, found in the
// thread's coordinates; where it is gone, at the start or after a display change, the
// host's monitor does, and the chosen one again once it is back.
TEST_F(WindowedTest, OnTheChosenMonitorWhileItIsThere) {
    const sim::Mode mode = {1920, 1080, 32};
    const RECT hostOnFirst = {100, 100, 400, 300};
    const sim::Monitor first = monitor(0, 0, 1920, 1080);
    const sim::Monitor tv = monitor(1920, 0, 1280, 1024);
    const MonitorName theTv = monitorNamed("\\\\.\\DISPLAY2", tv.rect);
    sim::Monitor scaledTv = monitor(2880, 0, 2880, 1620, 150);
    const Expected onTv = {{1920, 0, 3200, 1024}, 2, 0, 32};
    const Expected onFirst = {{0, 0, 1920, 1080}, 2, 320, 60};
    struct {
        const char* name;
        std::vector<sim::Monitor> monitors;
        MonitorName chosen;
        sim::DpiContexts contexts;
        Expected expected;
    } cases[] = {
        {"the chosen one", {first, tv}, theTv, sim::DpiContexts::PerMonitorV2, onTv},
        {"gone", {first}, theTv, sim::DpiContexts::PerMonitorV2, onFirst},
        // Listed in logical pixels, it is found by its device name; the system stretches.
        {"at 150% with no per-thread contexts",
         {monitor(0, 0, 2880, 1620, 150), scaledTv},
         monitorNamed("\\\\.\\DISPLAY2", scaledTv.rect),
         sim::DpiContexts::None,
         {{2880, 0, 5760, 1620}, 2, 320, 60, 150}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NO_FATAL_FAILURE(startFresh({mode, c.monitors, hostOnFirst}, c.contexts, c.chosen));
        std::vector<uint32_t> picture = numberedPicture();
        ASSERT_EQ(windowedPresent(picture.data()), 1);
        expectScreen(c.expected, picture);
    }

    SCOPED_TRACE("unplugged and plugged in again");
    ASSERT_NO_FATAL_FAILURE(
        startFresh({mode, {first, tv}, hostOnFirst}, sim::DpiContexts::PerMonitorV2, theTv));
    std::vector<uint32_t> picture = numberedPicture();
    sim::changeDisplay(mode, {first});
    ASSERT_EQ(windowedPresent(picture.data()), 1);
    expectScreen(onFirst, picture);
    sim::changeDisplay(mode, {first, tv});
    ASSERT_EQ(windowedPresent(picture.data()), 1);
    expectScreen(onTv, picture);
}

// Where the new display cannot hold the picture, the run ends: the host is asked to stop,
// and the stop gives everything back.
TEST_F(WindowedTest, DisplayThatCannotHoldThePictureEndsTheRun) {
    struct {
        const char* name;
        sim::Mode mode;
        bool memoryRefused;
    } cases[] = {
        {"smaller than the picture", {800, 479, 32}, false},
        {"no memory for the larger picture", {2560, 1440, 32}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        displayShutdown();
        sim::reset();
        sim::setDesktopMode(k1080.mode);
        ASSERT_EQ(startOn(nullptr), 1);
        ASSERT_EQ(windowedPresent(numberedPicture().data()), 1);
        sim::changeDisplay(c.mode);
        if (c.memoryRefused) {
            sim::conditions().failing = {sim::Fault::OutOfMemory};
        }
        windowedPresent(numberedPicture().data());
        sim::conditions().failing.clear();
        EXPECT_EQ(runningFlag(), 0);
        displayShutdown();
        EXPECT_EQ(sim::leaks(), "");
    }
}

// A minimised window draws nothing and rests; restored or uncovered, it is drawn afresh and
// the next frame puts back all of it, borders included, at the place that a display change
// made while it was minimised calls for.
TEST_F(WindowedTest, DrawnAfreshWhenBack) {
    sim::setDesktopMode(k1080.mode);
    ASSERT_EQ(startOn(nullptr), 1);
    std::vector<uint32_t> picture = numberedPicture();
    ASSERT_EQ(windowedPresent(picture.data()), 1);

    sim::minimiseWindow(window(), true);
    sim::changeDisplay({1280, 1024, 32});
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    ASSERT_FALSE(sim::sleeps().empty());
    EXPECT_EQ(sim::sleeps().back(), 1u);
    sim::minimiseWindow(window(), false);
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    const Expected place = {{0, 0, 1280, 1024}, 2, 0, 32};
    expectScreen(place, picture);

    HWND front = sim::showOtherProgramWindow({100, 100, 700, 500});
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    sim::closeWindow(front);
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    expectScreen(place, picture);
}

// The client area of the plug-in's window on the screen, in real pixels.
RECT clientArea() {
    RECT client;
    POINT origin = {0, 0};
    win::GetClientRect(sim::findWindow(kWindowedName), &client);
    win::ClientToScreen(sim::findWindow(kWindowedName), &origin);
    return RECT{origin.x, origin.y, origin.x + client.right, origin.y + client.bottom};
}

// A black frame with `count` white pixels at places the seed picks.
std::vector<uint32_t> sparkles(uint32_t seed, int count) {
    std::vector<uint32_t> frame(640 * 480, 0);
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        frame[(seed >> 8) % frame.size()] = 0xFFFFFF;
    }
    return frame;
}

// Frame after frame, only what changed is copied, and the screen is each time what a copy of
// the whole window would leave: scattered particles, a burst, the picture's corners and
// edges, more rectangles of change than a frame keeps apart, and a window smaller than the
// picture, which shows its top-left part.
TEST_F(WindowedTest, EachFrameAsIfCopiedWhole) {
    std::vector<std::vector<uint32_t>> frames = {sparkles(1, 300), sparkles(2, 300),
                                                 sparkles(3, 40000), kBlack};
    std::vector<uint32_t> edges = kBlack;
    for (uint32_t i = 0; i < 640; ++i) {
        edges[i] = edges[479 * 640 + i] = 0xFF0000;
        edges[(i % 480) * 640] = edges[(i % 480) * 640 + 639] = 0x00FF00;
    }
    // A pixel in every other tile: far more rectangles than a frame keeps apart.
    std::vector<uint32_t> scattered = kBlack;
    for (uint32_t y = 0; y < 480; y += 16) {
        for (uint32_t x = 0; x < 640; x += 32) {
            scattered[(y + x / 32 % 16) * 640 + x + 7] = 0x0000FF;
        }
    }
    frames.insert(frames.end(), {edges, scattered, numberedPicture(), sparkles(4, 300)});
    ASSERT_NO_FATAL_FAILURE(startFresh(k1080, sim::DpiContexts::PerMonitorV2));
    for (const auto& frame : frames) {
        ASSERT_EQ(windowedPresent(frame.data()), 1);
        ASSERT_NO_FATAL_FAILURE(expectScreen({{0, 0, 1920, 1080}, 2, 320, 60}, frame));
    }
    sim::postMessage(window(), WM_SYSKEYDOWN, VK_RETURN, LPARAM{1} << 29);
    ASSERT_EQ(windowedPresent(kBlack.data()), 1);
    win::SetWindowPos(window(), nullptr, 100, 100, 500, 400, SWP_NOZORDER);
    for (const auto& frame : frames) {
        ASSERT_EQ(windowedPresent(frame.data()), 1);
        ASSERT_NO_FATAL_FAILURE(expectScreen({clientArea(), 1, 0, 0}, frame));
    }
}

// A start that cannot show the picture gives everything back, and the mode was never touched.
TEST_F(WindowedTest, FailedStartGivesEverythingBack) {
    struct {
        const char* name;
        void (*arrange)();
    } cases[] = {
        {"monitor too small", [] { sim::setMonitors({monitor(0, 0, 800, 479)}); }},
        {"no window", [] { sim::conditions().failing = {sim::Fault::WindowCreation}; }},
        {"no memory for the picture",
         [] { sim::conditions().failing = {sim::Fault::OutOfMemory}; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::reset();
        c.arrange();
        EXPECT_EQ(startOn(nullptr), 0);
        sim::conditions().failing.clear();
        EXPECT_EQ(sim::leaks(), "");
        EXPECT_EQ(sim::threadDpiContext(), -1);
    }
}

// Alt+Enter and a double-click switch between the whole monitor and a window: first on the
// monitor the picture was on, at the largest factor that leaves its work area room, in whole
// squares, centred on black in the client area at every size the user gives it, maximised
// too; then back to the monitor that holds most of the window. What the run left, the next
// one starts with; a saved window that no monitor shows goes to its first place.
TEST_F(WindowedTest, TheWindowAndTheWholeMonitor) {
    const sim::Monitor first = {{0, 0, 1920, 1080}, 100, {}, {0, 0, 1920, 1040}};
    const sim::Monitor second = monitor(1920, 0, 2560, 1440);
    const Display two = {{1920, 1080, 32}, {first, second}, {100, 100, 400, 300}};
    ASSERT_NO_FATAL_FAILURE(startFresh(two, sim::DpiContexts::PerMonitorV2));
    const std::vector<uint32_t> picture = numberedPicture();
    auto frame = [&](UINT message = 0, WPARAM wParam = 0, LPARAM lParam = 0) {
        if (message) {
            sim::postMessage(window(), message, wParam, lParam);
        }
        EXPECT_EQ(windowedPresent(picture.data()), 1);
    };
    const LPARAM altDown = LPARAM{1} << 29;

    frame(WM_SYSKEYDOWN, VK_RETURN, altDown);
    EXPECT_EQ(describeRect(clientArea()), "1280x960+320+51");
    expectScreen({clientArea(), 2, 0, 0}, picture);
    const std::string kept = *sim::fileBytes(sim::conditions().appData + "\\glintix.txt");
    EXPECT_NE(kept.find("presentation window\r\nwindow 312 20 1608 1019\r\n"), std::string::npos);

    // Sizes as the user drags the frame, to another factor and between factors.
    for (RECT outer :
         {RECT{10, 10, 2026, 1330}, RECT{1900, 100, 2943, 700}, RECT{1950, 0, 4440, 1440}}) {
        win::SetWindowPos(window(), nullptr, outer.left, outer.top, outer.right - outer.left,
                          outer.bottom - outer.top, SWP_NOZORDER);
        frame();
        const RECT c = clientArea();
        const PicturePlacement p = placePicture(c.right - c.left, c.bottom - c.top, 640, 480);
        SCOPED_TRACE(describeRect(c));
        expectScreen({c, p.factor, static_cast<LONG>(p.x), static_cast<LONG>(p.y)}, picture);
    }
    frame(WM_SYSCOMMAND, SC_MAXIMIZE);
    EXPECT_EQ(describeRect(clientArea()), "2560x1417+1920+23");
    expectScreen({clientArea(), 2, 640, 228}, picture);

    // Back on the second, which holds most of it.
    frame(WM_LBUTTONDBLCLK);
    expectScreen({second.rect, 3, 320, 0}, picture);
    displayShutdown();
    Settings left = storedSettings();
    EXPECT_FALSE(left.window.inWindow);
    EXPECT_TRUE(left.window.maximised);
    EXPECT_EQ(describeRect(left.window.rect), "2490x1440+1950+0");

    // In the window again at the next start, maximised on the second.
    left.window.inWindow = true;
    ASSERT_EQ(windowedInit(kWindowedName, 640, 480, nullptr, {}, left.window), 1);
    frame();
    EXPECT_EQ(describeRect(clientArea()), "2560x1417+1920+23");
    // Restored: where it was, and unplugged: on the player's monitor at its first place.
    frame(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_EQ(describeRect(clientArea()), "2474x1401+1958+31");
    displayShutdown();
    sim::setMonitors({first});
    EXPECT_FALSE(storedSettings().window.maximised);
    ASSERT_EQ(windowedInit(kWindowedName, 640, 480, nullptr, {}, storedSettings().window), 1);
    frame();
    EXPECT_EQ(describeRect(clientArea()), "1280x960+320+51");
}

// Kept above other windows while its system menu's item says so; its client area never
// smaller than the picture; a settings file that cannot be written leaves the run and the
// old file as they were.
TEST_F(WindowedTest, OnTopSmallestAndAFileThatCannotBeWritten) {
    ASSERT_NO_FATAL_FAILURE(startFresh(k1080, sim::DpiContexts::PerMonitorV2));
    const std::vector<uint32_t> picture = numberedPicture();
    const std::string path = sim::conditions().appData + "\\glintix.txt";
    sim::putFile(path, "monitor 0 0 1920 1080 \\\\.\\DISPLAY1\r\n");
    sim::conditions().diskFull = true;
    sim::postMessage(window(), WM_SYSKEYDOWN, VK_RETURN, LPARAM{1} << 29);
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    EXPECT_EQ(sim::fileBytes(path), "monitor 0 0 1920 1080 \\\\.\\DISPLAY1\r\n");
    EXPECT_FALSE(sim::fileBytes(path + ".new").has_value());
    sim::conditions().diskFull = false;

    MINMAXINFO limits = {};
    windowProc(window(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
    EXPECT_EQ(limits.ptMinTrackSize.x, 656);
    EXPECT_EQ(limits.ptMinTrackSize.y, 519);

    sim::postMessage(window(), WM_SYSCOMMAND, kOnTopCommand, 0);
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    EXPECT_EQ(win::CheckMenuItem(win::GetSystemMenu(window(), FALSE), kOnTopCommand, MF_CHECKED),
              DWORD{MF_CHECKED});
    sim::showOtherProgramWindow({400, 300, 900, 700});
    EXPECT_EQ(windowedPresent(picture.data()), 1);
    expectScreen({clientArea(), 2, 0, 0}, picture);
    // No cursor over the picture; over the frame, the system's own.
    windowProc(window(), WM_SETCURSOR, 0, HTCAPTION);
    EXPECT_NE(sim::cursor(), nullptr);
    windowProc(window(), WM_SETCURSOR, 0, HTCLIENT);
    EXPECT_EQ(sim::cursor(), nullptr);
    displayShutdown();
    EXPECT_TRUE(storedSettings().window.onTop);
    EXPECT_STREQ(storedSettings().monitor.device, "\\\\.\\DISPLAY1");
}

}  // namespace
