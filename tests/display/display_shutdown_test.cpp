#include "tests/display/display_fixture.h"

namespace {

LRESULT CALLBACK otherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return win::DefWindowProcA(window, message, wParam, lParam);
}

// Everything comes back: the mode while the level is still exclusive (the simulation, like
// DirectDraw, restores it only then), the chain before the object, the window only once
// DirectDraw has let go of it, and the library after the last DirectDraw call (a call after
// it would stop the test).
TEST_F(DisplayTest, TeardownGivesTheScreenBackInOrder) {
    sim::conditions().modes = {{800, 600, 32}};
    ASSERT_EQ(start(), 1);
    displayShutdown();
    EXPECT_EQ(sim::leaks(), "");
    EXPECT_LT(callAt("primary.Release"), callAt("dd.Release"));
    EXPECT_LT(callAt("dd.SetCooperativeLevel", true), callAt("DestroyWindow"));
    EXPECT_LT(callAt("DestroyWindow"), callAt("FreeLibrary"));
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

    displayShutdown();
    EXPECT_TRUE(sim::windowExists(reused));

    win::DestroyWindow(reused);
    win::UnregisterClassA("other", nullptr);
}

}  // namespace
