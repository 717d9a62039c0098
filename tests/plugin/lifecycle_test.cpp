#include "plugin_fixture.h"

#include <algorithm>

#include "display/monitor_settings.h"

namespace {

int whitePixelsOnScreen() {
    sim::SurfaceView view = sim::visibleSurface();
    int found = 0;
    for (DWORD y = 0; y < view.height; ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(view.memory + y * view.pitch);
        for (DWORD x = 0; x < view.width; ++x) {
            found += (row[x] & 0xFFFFFF) == 0xFFFFFF;
        }
    }
    return found;
}

// What the windowed display put on the screen through GDI, right of `left`.
int whitePixelsOnTheDesktop(LONG left = -32768) {
    const sim::ScreenView screen = sim::gdiScreen();
    int found = 0;
    for (LONG y = screen.bounds.top; y < screen.bounds.bottom; ++y) {
        for (LONG x = std::max(left, screen.bounds.left); x < screen.bounds.right; ++x) {
            found += screen.at(x, y) == 0xFFFFFF;
        }
    }
    return found;
}

TEST_F(PluginTest, RenderWithoutARunAsksToStopAndTouchesNothing) {
    EXPECT_EQ(render(), 1);
    EXPECT_TRUE(sim::calls().empty());
    ASSERT_EQ(initModule(&module), 0);
    quitModule(&module);
    sim::clearCalls();
    EXPECT_EQ(render(), 1);
    EXPECT_TRUE(sim::calls().empty());
}

TEST_F(PluginTest, ConfigurationBoxIsOwnedByTheHostsWindow) {
    configModule(&module);
    module.parentWindow = reinterpret_cast<HWND>(0x1234);
    configModule(&module);
    const std::vector<sim::ShownBox>& boxes = sim::messageBoxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_EQ(boxes[1].owner, reinterpret_cast<HWND>(0x1234));
    EXPECT_EQ(boxes[1].text, "glintix #1\n");
    EXPECT_EQ(boxes[1].caption, "Configuration");
    EXPECT_EQ(boxes[1].type, static_cast<UINT>(MB_OK));
}

TEST_F(PluginTest, ARunDrawsUntilEscapeAndStopGivesTheScreenBack) {
    ASSERT_EQ(initModule(&module), 0);
    EXPECT_EQ(fountainStore()->count(), 25u);
    EXPECT_EQ(render(), 0);  // arms the frame clock
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(render(), 0);
    EXPECT_GT(whitePixelsOnScreen(), 10);

    win::PostMessageA(window(), WM_KEYDOWN, 'Q', 0);
    EXPECT_EQ(render(), 0);
    win::PostMessageA(window(), WM_KEYDOWN, VK_ESCAPE, 0);
    EXPECT_EQ(render(), 0);  // the call that handles the key still goes on
    EXPECT_EQ(render(), 1);
    EXPECT_EQ(render(), 1);
    EXPECT_TRUE(sim::windowExists(window()));  // until the host stops the module
    EXPECT_NE(sim::leaks(), "");

    quitModule(&module);
    EXPECT_EQ(window(), nullptr);
    EXPECT_EQ(sim::leaks(), "");
}

TEST_F(PluginTest, ACloseRequestStopsTheRunToo) {
    ASSERT_EQ(initModule(&module), 0);
    render();
    win::PostMessageA(window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(render(), 1);
    EXPECT_TRUE(sim::windowExists(window()));
}

TEST_F(PluginTest, AFailedStartHoldsNothingAndDoesNotRun) {
    sim::setFault(sim::Fault::CreateSurface);
    EXPECT_EQ(initModule(&module), 1);
    EXPECT_EQ(sim::leaks(), "");
    EXPECT_EQ(render(), 1);
    quitModule(&module);  // a host may stop all the same
    EXPECT_EQ(sim::leaks(), "");
    sim::setFault(sim::Fault::CreateSurface, false);
    EXPECT_EQ(initModule(&module), 0);
    EXPECT_EQ(render(), 0);
}

// Asked before anything else, so that nothing of the start has run on such a processor.
TEST_F(PluginTest, AProcessorWithoutSse2OrMmxGetsAFailedStart) {
    for (DWORD feature : {PF_XMMI64_INSTRUCTIONS_AVAILABLE, PF_MMX_INSTRUCTIONS_AVAILABLE}) {
        sim::reset();
        sim::setProcessorFeature(feature, false);
        EXPECT_EQ(initModule(&module), 1);
        // Nor does a render call then reach the frame step (it would ask the tick count):
        // the step is built with SSE2.
        EXPECT_EQ(render(), 1);
        for (const std::string& call : sim::callNames()) {
            EXPECT_EQ(call, "IsProcessorFeaturePresent");
        }
        EXPECT_EQ(sim::leaks(), "");
        EXPECT_EQ(fountainStore(), nullptr);
    }
}

TEST_F(PluginTest, RestartsWithinOneLoad) {
    ASSERT_EQ(initModule(&module), 0);
    render();
    render();
    win::PostMessageA(window(), WM_KEYDOWN, VK_ESCAPE, 0);
    render();
    EXPECT_EQ(render(), 1);
    quitModule(&module);

    ASSERT_EQ(initModule(&module), 0);  // after a stop
    EXPECT_EQ(fountainStore()->count(), 25u);
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(sim::liveWindows(), 1);

    ASSERT_EQ(initModule(&module), 0);  // without a stop: the old display goes first
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_EQ(sim::liveDirectDraws(), 1);
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(render(), 0);
    EXPECT_GT(whitePixelsOnScreen(), 10);
}

TEST_F(PluginTest, AFailedStartOverARunningOneEndsThatRun) {
    ASSERT_EQ(initModule(&module), 0);
    render();
    render();
    sim::setActivationMessages(false);  // the old window never hears it lost the foreground
    sim::setFault(sim::Fault::LibraryLoad);
    EXPECT_EQ(initModule(&module), 1);
    EXPECT_EQ(render(), 1);  // and presents nothing on the display that is gone
    EXPECT_EQ(sim::leaks(), "");
    sim::setFault(sim::Fault::LibraryLoad, false);
}

// Either module's start ends the run of the other first; the windowed one never changes the
// mode, and stops on Escape like the first.
TEST_F(PluginTest, OneModuleRunsAtATime) {
    VisModule windowed = *moduleAt(1);
    ASSERT_EQ(initWindowed(&windowed), 0);
    renderWindowedRun(&windowed);
    EXPECT_EQ(renderWindowedRun(&windowed), 0);
    EXPECT_GT(whitePixelsOnTheDesktop(), 10);

    ASSERT_EQ(initModule(&module), 0);
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_NE(window(), nullptr);
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));

    ASSERT_EQ(initWindowed(&windowed), 0);
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_TRUE(sim::currentMode() == sim::desktopMode());
    win::PostMessageA(sim::findWindow("glintix #1 (no mode change)"), WM_KEYDOWN, VK_ESCAPE, 0);
    renderWindowedRun(&windowed);  // arms the new run's frame clock
    renderWindowedRun(&windowed);  // draws, and handles the key
    EXPECT_EQ(renderWindowedRun(&windowed), 1);
    quitWindowed(&windowed);
    EXPECT_EQ(sim::leaks(), "");
}

// The monitor picked in the configuration holds every start of this load, though the
// host's window is on another and the choice could not be saved (nothing can be, here).
TEST_F(PluginTest, ThePickedMonitorHoldsForTheLoad) {
    sim::setDesktopMode({1920, 1080, 32});
    sim::setMonitors({{RECT{0, 0, 1920, 1080}, 100}, {RECT{1920, 0, 3200, 1024}, 100}});
    VisModule windowed = *moduleAt(1);
    windowed.parentWindow = sim::showHostWindow(RECT{100, 100, 400, 300});
    MonitorName tv{};
    std::strcpy(tv.device, "\\\\.\\DISPLAY2");
    tv.rect = RECT{1920, 0, 3200, 1024};
    EXPECT_FALSE(keepChosenMonitor(tv));
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_EQ(initWindowed(&windowed), 0);
        renderWindowedRun(&windowed);  // arms the frame clock
        renderWindowedRun(&windowed);
        EXPECT_GT(whitePixelsOnTheDesktop(1920), 10);
        EXPECT_EQ(whitePixelsOnTheDesktop(), whitePixelsOnTheDesktop(1920));
        quitWindowed(&windowed);
    }
    keepChosenMonitor(MonitorName{});
}

}  // namespace
