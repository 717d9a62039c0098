#include "tests/display/display_fixture.h"

namespace {

constexpr const char* kWindowedName = "glintix #1 (no mode change)";

struct Screen {
    LONG left, top, right, bottom;  // the monitor where the window must be, in real pixels
    uint32_t factor;
    LONG x, y;  // of the picture on the screen
};

// What the screen shows at x, y: 32-bit pixels.
uint32_t shownAt(const sim::SurfaceView& view, LONG x, LONG y) {
    return *reinterpret_cast<const uint32_t*>(view.memory + static_cast<size_t>(y) * view.pitch +
                                              static_cast<size_t>(x) * 4);
}

// Within the monitor of `s`, the picture as factor-by-factor squares at its place, black
// around it, and nothing of it outside the monitor or where `covered` lies in front.
void expectPicture(const Screen& s, const std::vector<uint32_t>& picture,
                   RECT covered = RECT{0, 0, 0, 0}) {
    sim::SurfaceView view = sim::visibleSurface();
    ASSERT_NE(view.memory, nullptr);
    const LONG width = 640 * static_cast<LONG>(s.factor),
               height = 480 * static_cast<LONG>(s.factor);
    for (LONG y = 0; y < static_cast<LONG>(view.height); ++y) {
        for (LONG x = 0; x < static_cast<LONG>(view.width); ++x) {
            uint32_t expected = 0xCDCDCDCD;
            bool hidden =
                x >= covered.left && x < covered.right && y >= covered.top && y < covered.bottom;
            if (!hidden && x >= s.left && x < s.right && y >= s.top && y < s.bottom) {
                bool inPicture = x >= s.x && x < s.x + width && y >= s.y && y < s.y + height;
                expected = inPicture
                               ? picture[static_cast<size_t>((y - s.y) / LONG(s.factor)) * 640 +
                                         static_cast<size_t>((x - s.x) / LONG(s.factor))]
                               : 0;
            }
            ASSERT_EQ(shownAt(view, x, y), expected) << "at " << x << "," << y;
        }
    }
}

class WindowedTest : public DisplayTest {
protected:
    static int startOn(HWND host) { return windowedInit(kWindowedName, 640, 480, host); }
};

// The window covers the monitor that holds the host's window, in real pixels where the
// system has per-monitor DPI contexts; the mode stays the desktop's; the picture lands
// scaled and centred there, black around it, but for another program's window in front,
// which keeps its pixels and the focus; and the host's thread gets its DPI context back.
TEST_F(WindowedTest, PictureOnTheHostsMonitorInTheDesktopsMode) {
    struct {
        const char* name;
        std::vector<sim::Monitor> monitors;
        RECT host;  // empty: no host window
        bool dpiContexts;
        Screen expected;
        RECT front = {0, 0, 0, 0};  // another program's, in front and with the focus
    } cases[] = {
        {"no host window", {{{0, 0, 1920, 1080}, 100}}, {}, true, {0, 0, 1920, 1080, 2, 320, 60}},
        {"another program's window in front",
         {{{0, 0, 1920, 1080}, 100}},
         {},
         true,
         {0, 0, 1920, 1080, 2, 320, 60},
         {400, 300, 900, 700}},
        {"host on the second monitor",
         {{{0, 0, 1920, 1080}, 100}, {{1920, 0, 4480, 1440}, 100}},
         {2000, 100, 2400, 400},
         true,
         {1920, 0, 4480, 1440, 3, 1920 + 320, 0}},
        {"150%, per-monitor context",
         {{{0, 0, 2880, 1620}, 150}},
         {},
         true,
         {0, 0, 2880, 1620, 3, 480, 90}},
        // Without the context the window is as large as the host's coordinates make it.
        {"150%, no per-monitor context",
         {{{0, 0, 2880, 1620}, 150}},
         {},
         false,
         {0, 0, 1920, 1080, 2, 320, 60}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        displayShutdown();
        sim::reset();
        sim::setDesktopMode({static_cast<DWORD>(c.monitors[0].rect.right),
                             static_cast<DWORD>(c.monitors[0].rect.bottom), 32});
        sim::setMonitors(c.monitors);
        sim::setDpiContextsAvailable(c.dpiContexts);
        HWND host = c.host.right ? sim::showHostWindow(c.host) : nullptr;
        ASSERT_EQ(startOn(host), 1);
        HWND window = sim::findWindow(kWindowedName);
        RECT r = sim::windowRect(window);
        const Screen& e = c.expected;
        EXPECT_EQ(std::vector<LONG>({r.left, r.top, r.right, r.bottom}),
                  std::vector<LONG>({e.left, e.top, e.right, e.bottom}));
        EXPECT_EQ(sim::threadDpiContext(), -1);
        if (c.front.right) {
            sim::showOtherProgramWindow(c.front);
        }

        std::vector<uint32_t> picture = numberedPicture();
        EXPECT_EQ(windowedPresent(picture.data()), 1);
        EXPECT_TRUE(sim::currentMode() == sim::desktopMode());
        EXPECT_EQ(sim::threadDpiContext(), -1);
        expectPicture(e, picture, c.front);
    }
}

// A minimised window draws nothing.
TEST_F(WindowedTest, RestsMinimised) {
    ASSERT_EQ(startOn(nullptr), 1);
    sim::minimiseWindow(sim::findWindow(kWindowedName), true);
    size_t mark = sim::calls().size();
    EXPECT_EQ(windowedPresent(numberedPicture().data()), 1);
    EXPECT_EQ(namesSince(mark), (std::vector<std::string>{"PeekMessageA", "IsIconic", "Sleep"}));
}

// A start that cannot show the picture gives everything back, and the mode was never touched.
TEST_F(WindowedTest, FailedStartGivesEverythingBack) {
    struct {
        const char* name;
        void (*arrange)();
    } cases[] = {
        {"monitor too small",
         [] {
             sim::setMonitors({{{0, 0, 800, 479}, 100}});
         }},
        // After the primary, its clipper and the window: all of them go back.
        {"palette format",
         [] {
             sim::setPixelFormat({DDPF_PALETTEINDEXED8, 8, 0, 0, 0});
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::reset();
        c.arrange();
        EXPECT_EQ(startOn(nullptr), 0);
        EXPECT_EQ(sim::leaks(), "");
        EXPECT_EQ(sim::threadDpiContext(), -1);
        EXPECT_FALSE(called("dd.SetDisplayMode"));
        EXPECT_FALSE(called("ShowWindow"));
    }
}

}  // namespace
