#include "tests/display/display_fixture.h"

namespace {

using ::testing::ElementsAre;

LRESULT CALLBACK otherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return win::DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(DisplayTest, TeardownGivesTheScreenBackInOrder) {
    sim::setModes({{800, 600, 32}});
    ASSERT_EQ(start(), 1);
    std::string w = sim::hex(sim::findWindow(kName));
    size_t mark = sim::calls().size();
    displayShutdown();
    // The chain before the object; mode before level, both before the release; the window
    // after DirectDraw let go of it; the library after the last DirectDraw call.
    EXPECT_THAT(callsSince(mark),
                ElementsAre("primary.Release()", "dd.RestoreDisplayMode()",
                            "dd.SetCooperativeLevel(" + w + ", 0x8)", "dd.Release()",
                            "DestroyWindow(" + w + ")", "DefWindowProcA(" + w + ", 0x2, 0x0, 0x0)",
                            "DefWindowProcA(" + w + ", 0x82, 0x0, 0x0)",
                            "UnregisterClassA(glintix #1, 0x400000)", "FreeLibrary(0x73800000)",
                            "SystemParametersInfoA(17, 1, NULL, 0x0)",
                            "SystemParametersInfoA(16, 0, ptr, 0x0)"));
    EXPECT_EQ(sim::leaks(), "");
    EXPECT_EQ(displayState().exclusive.library, nullptr);
    EXPECT_EQ(displayState().exclusive.directDraw, nullptr);
    EXPECT_EQ(displayState().exclusive.primary, nullptr);
    EXPECT_EQ(displayState().window, nullptr);
}

// A second teardown releases nothing, and the handle the first one destroyed may since
// belong to another window, which must survive.
TEST_F(DisplayTest, SecondTeardownLeavesAReusedHandleAlone) {
    ASSERT_EQ(start(), 1);
    HWND first = sim::findWindow(kName);
    displayShutdown();

    WNDCLASSA other = {};
    other.lpfnWndProc = otherProc;
    other.lpszClassName = "other";
    ASSERT_NE(win::RegisterClassA(&other), 0);
    HWND reused = win::CreateWindowExA(0, "other", "other", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                       nullptr, nullptr);
    ASSERT_EQ(reused, first);

    size_t mark = sim::calls().size();
    displayShutdown();
    EXPECT_THAT(callsSince(mark), ElementsAre("DestroyWindow(NULL)"));
    EXPECT_TRUE(sim::windowExists(reused));

    win::DestroyWindow(reused);
    win::UnregisterClassA("other", nullptr);
}

// Escape and close only ask for the stop: the window and the exclusive screen stay until
// the teardown.
TEST_F(DisplayTest, WindowOutlivesTheStopRequest) {
    ASSERT_EQ(start(), 1);
    HWND window = sim::findWindow(kName);
    win::PostMessageA(window, WM_CLOSE, 0, 0);
    win::PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0);
    displayPresent(std::vector<uint32_t>(640 * 480).data());
    EXPECT_EQ(runningFlag(), 0);
    EXPECT_TRUE(sim::windowExists(window));
    EXPECT_EQ(sim::cooperativeLevel(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    displayShutdown();
    EXPECT_FALSE(sim::windowExists(window));
}

}  // namespace
