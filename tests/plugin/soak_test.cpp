// Many runs through the module's own callbacks, as a long evening with a restless user
// and a flaky display would drive them.
#include <random>

#include "plugin_fixture.h"

namespace {

constexpr int kRenderCalls = 100000;

const sim::Fault kStartFaults[] = {
    sim::Fault::LibraryLoad,      sim::Fault::EntryPoint,  sim::Fault::DirectDrawCreate,
    sim::Fault::CooperativeLevel, sim::Fault::DisplayMode, sim::Fault::CreateSurface,
    sim::Fault::BackBuffer,       sim::Fault::PixelFormat, sim::Fault::WindowCreation,
};

TEST_F(PluginTest, SoakOfRestartsMessagesAndFailures) {
    sim::setRecording(false);  // a log of every call would only grow
    std::mt19937 random(2024);
    auto chance = [&](unsigned n) { return random() % n == 0; };
    int calls = 0, runs = 0, failedStarts = 0, userStops = 0;

    while (calls < kRenderCalls) {
        const bool screensaver = chance(2);
        sim::setScreensaverActive(screensaver);
        const bool failing = chance(8);
        const sim::Fault fault = kStartFaults[random() % std::size(kStartFaults)];
        if (failing) {
            sim::setFault(fault);
        }
        const int started = initModule(&module);
        if (failing) {
            sim::setFault(fault, false);
            ASSERT_EQ(started, 1);
            ASSERT_EQ(sim::leaks(), "");
            ++failedStarts;
            ASSERT_EQ(render(), 1);
            continue;
        }
        ASSERT_EQ(started, 0);
        ++runs;

        const int length = 2000 + static_cast<int>(random() % 3000);
        for (int i = 0; i < length && calls < kRenderCalls; ++i, ++calls) {
            const int level = chance(10) ? static_cast<int>(random() % 256) : 16;  // bursts
            std::memset(module.spectrumData[0], level, kSpectrumBytes);
            if (chance(40)) {
                switch (random() % 8) {
                    case 0:
                        win::PostMessageA(window(), WM_ACTIVATEAPP, random() % 2, 0);
                        break;
                    case 1:
                        win::PostMessageA(window(), WM_SETCURSOR, 0, 0);
                        break;
                    case 2:
                        sim::refuseLocks(1);
                        break;
                    default:
                        win::PostMessageA(window(), WM_KEYDOWN, 'A' + random() % 26, 0);
                }
            }
            if (chance(20000)) {
                win::PostMessageA(window(), chance(2) ? WM_CLOSE : WM_KEYDOWN, VK_ESCAPE, 0);
            }
            tick += random() % 40;
            sim::setTick(tick);
            if (renderModule(&module) == 1) {
                ++userStops;
                break;
            }
            ASSERT_GE(fountainStore()->count(), 25u);
        }
        quitModule(&module);
        ASSERT_EQ(sim::leaks(), "");
        ASSERT_EQ(sim::screensaverActive(), screensaver);
    }
    EXPECT_GT(runs, 15);
    EXPECT_GT(failedStarts, 0);
    EXPECT_GT(userStops, 0);
}

}  // namespace
