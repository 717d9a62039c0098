// Many runs of both modules through their own callbacks, as a long evening with a restless
// user, a flaky display and displays that change under the runs would drive them.
#include <cstdlib>
#include <iostream>
#include <random>

#include "plugin_fixture.h"

namespace {

// As many render calls as GLINTIX_SOAK_CALLS says, 100,000 without it: shorter where every
// call costs more (under the sanitizers, under an emulator) and the length adds nothing.
int soakLength() {
    const char* calls = std::getenv("GLINTIX_SOAK_CALLS");
    return calls && std::atoi(calls) > 0 ? std::atoi(calls) : 100000;
}

const sim::Fault kStartFaults[] = {
    sim::Fault::LibraryLoad,      sim::Fault::EntryPoint,     sim::Fault::DirectDrawCreate,
    sim::Fault::CooperativeLevel, sim::Fault::DisplayMode,    sim::Fault::BackBuffer,
    sim::Fault::PixelFormat,      sim::Fault::WindowCreation,
};

// What the display may turn into: other sizes and depths, a second monitor coming and
// going, one too small for the picture. Small, so that the soak stays quick.
struct Layout {
    sim::Mode mode;
    std::vector<sim::Monitor> monitors;
};
const Layout kLayouts[] = {
    {{640, 480, 32}, {}},
    {{800, 600, 16}, {}},
    {{700, 500, 24}, {}},
    {{640, 480, 32}, {{{0, 0, 640, 480}, 100}, {{640, 0, 1440, 600}, 100}}},
    {{640, 480, 32}, {{{0, 0, 640, 480}, 100}, {{-700, 0, 0, 500}, 100}}},
    {{640, 400, 32}, {}},
};

TEST_F(PluginTest, SoakOfBothModulesRestartsMessagesDisplaysAndFailures) {
    sim::setRecording(false);  // a log of every call would only grow
    const int kRenderCalls = soakLength();
    std::mt19937 random(2024);
    auto chance = [&](unsigned n) { return random() % n == 0; };
    int calls = 0, runs[2] = {0, 0}, failedStarts = 0, userStops = 0, displayEnds = 0;
    sim::setDesktopMode({640, 480, 32});
    // A player whose window lies on the second monitor where there is one.
    HWND player = sim::showHostWindow({700, 100, 900, 300});

    while (calls < kRenderCalls) {
        const bool screensaver = chance(2);
        sim::setScreensaverActive(screensaver);
        const int which = static_cast<int>(random() % 2);
        VisModule record = *moduleAt(which);
        record.parentWindow = player;
        // Now and then the user forgets the window's place, and the run starts on the whole
        // monitor again.
        if (chance(2)) {
            sim::putFile(sim::conditions().appData + "\\glintix.txt", "");
        }
        const bool failing = chance(8);
        const sim::Fault fault = kStartFaults[random() % std::size(kStartFaults)];
        if (failing) {
            sim::conditions().failing = {fault};
        }
        const int started = record.start(&record);
        sim::conditions().failing.clear();
        if (started != 0) {
            // Only the fault fails a start, but for a layout too small for the picture.
            ASSERT_TRUE(failing || sim::desktopMode().height < 480);
            ASSERT_EQ(sim::leaks(), "");
            ++failedStarts;
            ASSERT_EQ(record.render(&record), 1);
            if (!failing) {
                sim::changeDisplay(kLayouts[0].mode);
            }
            continue;
        }
        ++runs[which];
        ASSERT_TRUE(sim::displayKeptOn());
        HWND window = sim::findWindow(record.description);

        // Some fifty runs whatever the length, each with a display change or so.
        const unsigned length = kRenderCalls / 100 + random() % (kRenderCalls / 50 + 1);
        for (unsigned i = 0; i < length && calls < kRenderCalls; ++i, ++calls) {
            const int level = chance(10) ? static_cast<int>(random() % 256) : 16;  // bursts
            std::memset(record.spectrumData[0], level, kSpectrumBytes);
            if (chance(40)) {
                switch (random() % 11) {
                    case 0:
                        sim::postMessage(window, WM_ACTIVATEAPP, random() % 2, 0);
                        break;
                    case 1:
                        sim::postMessage(window, WM_SETCURSOR, 0, 0);
                        break;
                    case 2:
                        sim::conditions().refusedLocks = 1;
                        sim::conditions().refusedCopies = 1;
                        break;
                    case 3:
                        sim::minimiseWindow(window, chance(2));
                        break;
                    case 4:  // Alt+Enter, or a double-click
                        sim::postMessage(window, chance(2) ? WM_SYSKEYDOWN : WM_LBUTTONDBLCLK,
                                         VK_RETURN, LPARAM{1} << 29);
                        break;
                    case 5:  // a window manager's new size, or the user's maximise
                        if (chance(2)) {
                            win::SetWindowPos(window, nullptr, static_cast<int>(random() % 300), 0,
                                              600 + static_cast<int>(random() % 900),
                                              500 + static_cast<int>(random() % 700), SWP_NOZORDER);
                        } else {
                            sim::postMessage(window, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
                        }
                        break;
                    default:
                        sim::postMessage(window, WM_KEYDOWN, 'A' + random() % 26, 0);
                }
            }
            if (chance(length)) {
                const Layout& layout = kLayouts[random() % std::size(kLayouts)];
                sim::changeDisplay(layout.mode, layout.monitors);
            }
            if (chance(length * 5)) {
                sim::postMessage(window, chance(2) ? WM_CLOSE : WM_KEYDOWN, VK_ESCAPE, 0);
            }
            tick += random() % 40;
            sim::setTick(tick);
            if (record.render(&record) == 1) {
                // Escape, or a display that can no longer hold the picture.
                if (sim::desktopMode().height < 480) {
                    ++displayEnds;
                } else {
                    ++userStops;
                }
                break;
            }
            ASSERT_GE(fountainStore()->count(), 25u);
        }
        record.stop(&record);
        ASSERT_EQ(sim::leaks(), "");
        ASSERT_EQ(sim::screensaverActive(), screensaver);
    }
    std::cout << "soak: " << calls << " render calls in " << runs[0] << " + " << runs[1]
              << " runs; " << failedStarts << " failed starts, " << userStops << " user stops, "
              << displayEnds << " ends by the display" << std::endl;
    EXPECT_GT(runs[0], 8);
    EXPECT_GT(runs[1], 8);
    EXPECT_GT(failedStarts, 0);
    EXPECT_GT(userStops, 0);
    EXPECT_GT(displayEnds, 0);
}

}  // namespace
