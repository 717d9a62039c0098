#include "plugin_fixture.h"

#include <algorithm>

#include "display/monitor/settings_file.h"

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

// Before a start, after a stop and after a failed start, a render call asks the host to
// stop and neither steps the effect (it would read the clock) nor draws; a failed start holds
// nothing and leaves nothing in the way of the next.
TEST_F(PluginTest, RenderWithoutARunAsksToStopAndTouchesNothing) {
    for (int before : {0, 1, 2}) {  // no start, a run, a failed start
        SCOPED_TRACE(before);
        sim::conditions().refusedSurfaces = before == 2 ? INT_MAX : 0;
        if (before > 0) {
            EXPECT_EQ(initModule(&module), before == 2 ? 1 : 0);
            quitModule(&module);  // a host may stop after a failed start all the same
        }
        const size_t calls = sim::calls().size();
        EXPECT_EQ(render(), 1);
        EXPECT_EQ(sim::calls().size(), calls);
        EXPECT_EQ(sim::leaks(), "");
    }
    sim::conditions().refusedSurfaces = 0;
    EXPECT_EQ(initModule(&module), 0);
    EXPECT_EQ(render(), 0);
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

// A run draws until Escape, then asks to stop and keeps its screen until the stop, which
// gives everything back; a start in the same load runs as the first did, and one without a
// stop between takes the old display down first.
TEST_F(PluginTest, RunsUntilEscapeAndStartsAgainWithinOneLoad) {
    for (int run = 0; run < 2; ++run) {
        SCOPED_TRACE(run);
        ASSERT_EQ(initModule(&module), 0);
        EXPECT_EQ(fountainStore()->count(), 25u);
        EXPECT_EQ(render(), 0);  // arms the frame clock
        EXPECT_EQ(render(), 0);
        EXPECT_GT(whitePixelsOnScreen(), 10);
        sim::postMessage(window(), WM_KEYDOWN, 'Q', 0);
        EXPECT_EQ(render(), 0);
        sim::postMessage(window(), WM_KEYDOWN, VK_ESCAPE, 0);
        EXPECT_EQ(render(), 0);  // the call that handles the key still goes on
        EXPECT_EQ(render(), 1);
        EXPECT_TRUE(sim::windowExists(window()));  // until the host stops the module
        quitModule(&module);
        EXPECT_EQ(window(), nullptr);
        EXPECT_EQ(sim::leaks(), "");
    }
    ASSERT_EQ(initModule(&module), 0);
    ASSERT_EQ(initModule(&module), 0);
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_EQ(sim::liveDirectDraws(), 1);
    EXPECT_EQ(render(), 0);
    EXPECT_EQ(render(), 0);
    EXPECT_GT(whitePixelsOnScreen(), 10);
}

// Asked before anything else, so that nothing of the start has run on such a processor.
TEST_F(PluginTest, AProcessorWithoutSse2OrMmxGetsAFailedStart) {
    for (DWORD feature : {PF_XMMI64_INSTRUCTIONS_AVAILABLE, PF_MMX_INSTRUCTIONS_AVAILABLE}) {
        sim::reset();
        sim::conditions().missingProcessorFeatures = {feature};
        for (auto start : {initModule, initWindowed}) {
            EXPECT_EQ(start(&module), 1);
            // Nor does a render call then reach the frame step (it would ask the tick
            // count): the step is built with SSE2.
            EXPECT_EQ(render(), 1);
        }
        for (const std::string& call : sim::calls()) {
            EXPECT_EQ(call.rfind("IsProcessorFeaturePresent", 0), 0u) << call;
        }
        EXPECT_EQ(sim::leaks(), "");
        EXPECT_EQ(fountainStore(), nullptr);
    }
}

TEST_F(PluginTest, AFailedStartOverARunningOneEndsThatRun) {
    ASSERT_EQ(initModule(&module), 0);
    render();
    render();
    // The old window never hears it lost the foreground.
    sim::conditions().activationMessages = false;
    sim::conditions().failing = {sim::Fault::LibraryLoad};
    EXPECT_EQ(initModule(&module), 1);
    EXPECT_EQ(render(), 1);  // and presents nothing on the display that is gone
    EXPECT_EQ(sim::leaks(), "");
    sim::conditions().failing.clear();
}

// Either module's start ends the run of the other first; the windowed one never changes the
// mode, and stops on Escape like the first. Each run keeps the display on.
TEST_F(PluginTest, OneModuleRunsAtATime) {
    VisModule windowed = *moduleAt(1);
    ASSERT_EQ(initWindowed(&windowed), 0);
    EXPECT_TRUE(sim::displayKeptOn());
    renderWindowedRun(&windowed);
    EXPECT_EQ(renderWindowedRun(&windowed), 0);
    EXPECT_GT(whitePixelsOnTheDesktop(), 10);

    ASSERT_EQ(initModule(&module), 0);
    EXPECT_TRUE(sim::displayKeptOn());
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_NE(window(), nullptr);
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));

    ASSERT_EQ(initWindowed(&windowed), 0);
    EXPECT_EQ(sim::liveWindows(), 1);
    EXPECT_TRUE(sim::currentMode() == sim::desktopMode());
    sim::postMessage(sim::findWindow("glintix #1 (no mode change)"), WM_KEYDOWN, VK_ESCAPE, 0);
    renderWindowedRun(&windowed);  // arms the new run's frame clock
    renderWindowedRun(&windowed);  // draws, and handles the key
    EXPECT_EQ(renderWindowedRun(&windowed), 1);
    quitWindowed(&windowed);
    EXPECT_EQ(sim::leaks(), "");
}

// A host that keeps the display on itself, while it plays a video say, still does after a run.
TEST_F(PluginTest, TheHostsOwnDisplayStateKept) {
    win::SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    for (int which : {0, 1}) {
        VisModule record = *moduleAt(which);
        ASSERT_EQ(record.start(&record), 0);
        record.stop(&record);
        EXPECT_TRUE(sim::displayKeptOn());
    }
    win::SetThreadExecutionState(ES_CONTINUOUS);
}

// Without a choice the picture covers the monitor of the player's window, which the host
// hands over in the record; the monitor picked in the configuration holds every start, saved
// or, where it could not be, for this load, though the player's window is on another.
TEST_F(PluginTest, ThePlayersOrThePickedMonitor) {
    sim::setDesktopMode({1920, 1080, 32});
    sim::setMonitors({{RECT{0, 0, 1920, 1080}, 100}, {RECT{1920, 0, 3200, 1024}, 100}});
    VisModule windowed = *moduleAt(1);
    MonitorName tv{};
    std::strcpy(tv.device, "\\\\.\\DISPLAY2");
    tv.rect = RECT{1920, 0, 3200, 1024};
    struct {
        const char* name;
        RECT player;
        MonitorName chosen;
        bool saved;
    } cases[] = {
        {"the player's window on the second", {2000, 100, 2300, 300}, MonitorName{}, true},
        {"the second picked", {100, 100, 400, 300}, tv, true},
        {"the second picked, not saved", {100, 100, 400, 300}, tv, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        sim::conditions().appDataReadOnly = !c.saved;
        EXPECT_EQ(keepChosenMonitor(c.chosen), c.saved);
        windowed.parentWindow = sim::showHostWindow(c.player);
        for (int run = 0; run < 2; ++run) {
            SCOPED_TRACE(run);
            ASSERT_EQ(initWindowed(&windowed), 0);
            renderWindowedRun(&windowed);  // arms the frame clock
            renderWindowedRun(&windowed);
            EXPECT_GT(whitePixelsOnTheDesktop(1920), 10);
            EXPECT_EQ(whitePixelsOnTheDesktop(), whitePixelsOnTheDesktop(1920));
            quitWindowed(&windowed);
        }
        sim::closeWindow(windowed.parentWindow);
    }
    sim::conditions().appDataReadOnly = false;
    EXPECT_TRUE(keepChosenMonitor(MonitorName{}));
}

}  // namespace
