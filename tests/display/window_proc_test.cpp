#include "tests/display/display_fixture.h"

namespace {

// What each message does to a run, arriving through the pump as the system posts it: only
// Escape (by the low byte of the key) and a close request stop it, and neither ends the
// window or the exclusive screen, which stay until the teardown; other keys do nothing, and
// no key or close request reaches the default handling, which would destroy the window on
// a close.
TEST_F(DisplayTest, MessagesThatStopTheRun) {
    struct {
        const char* name;
        UINT message;
        WPARAM wParam;
        bool stops;
    } cases[] = {
        {"Escape", WM_KEYDOWN, VK_ESCAPE, true},
        {"Escape with high bits", WM_KEYDOWN, 0x100 | VK_ESCAPE, true},
        {"a close request", WM_CLOSE, 0, true},
        {"Space", WM_KEYDOWN, VK_SPACE, false},
        {"F1", WM_KEYDOWN, VK_F1, false},
        {"Q", WM_KEYDOWN, 'Q', false},
        {"Escape in the high byte", WM_KEYDOWN, 0x1B00, false},
    };
    ASSERT_EQ(start(), 1);
    HWND window = sim::findWindow(kName);
    // A default handling that destroyed windows or answered keys would show.
    sim::conditions().defWindowProcResult = 0x5A5A;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        setRunningFlag(1);
        sim::postMessage(window, c.message, c.wParam, 0);
        EXPECT_EQ(displayPresent(numberedPicture().data()), 1);
        EXPECT_EQ(runningFlag(), c.stops ? 0 : 1);
        EXPECT_TRUE(sim::windowExists(window));
        EXPECT_EQ(sim::cooperativeLevel(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
        EXPECT_EQ(windowProc(window, c.message, c.wParam, 0), 0);
    }
}

// No cursor over the picture; any other message gets the default handling's answer.
TEST_F(DisplayTest, CursorHiddenAndOtherMessagesHandedOn) {
    ASSERT_EQ(start(), 1);
    HWND window = sim::findWindow(kName);
    EXPECT_EQ(windowProc(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 1), 0);
    EXPECT_EQ(sim::cursor(), nullptr);
    sim::conditions().defWindowProcResult = 0x5A5A;
    EXPECT_EQ(windowProc(window, WM_CHAR, 'a', 1), 0x5A5A);
    EXPECT_EQ(windowProc(window, WM_KEYUP, VK_F1, 0), 0x5A5A);
    EXPECT_EQ(runningFlag(), 1);
}

}  // namespace
