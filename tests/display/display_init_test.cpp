#include <cstring>

#include "tests/display/display_fixture.h"

namespace {

bool allZero(const sim::SurfaceView& view) {
    const uint8_t* end = view.memory + static_cast<size_t>(view.pitch) * view.height;
    return view.memory && std::all_of(view.memory, end, [](uint8_t b) { return b == 0; });
}

// The window is shown, in front and black, holding the screen in 640x480 at 32 bits, with
// the screensaver off; its class names the host's icon and no cursor.
TEST_F(DisplayTest, StartTakesTheScreen) {
    ASSERT_EQ(start(), 1);
    HWND window = sim::findWindow(kName);
    EXPECT_TRUE(sim::windowVisible(window));
    EXPECT_EQ(win::GetForegroundWindow(), window);
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));
    EXPECT_EQ(sim::cooperativeLevel(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    EXPECT_FALSE(sim::screensaverActive());
    EXPECT_TRUE(allZero(sim::visibleSurface()));

    const WNDCLASSA* wc = sim::windowClass(kName);
    ASSERT_NE(wc, nullptr);
    EXPECT_EQ(wc->lpfnWndProc, &windowProc);
    EXPECT_EQ(wc->hInstance, sim::hostInstance());
    EXPECT_NE(wc->hIcon, nullptr);
    EXPECT_EQ(wc->hCursor, nullptr);
}

// Two back buffers in video memory where the display gives them, else one; where it has
// no video memory to give (the lone primary refused too), or only enough for a lone primary
// without a back buffer, a chain of one wherever the display keeps it. Whichever buffer
// shows, it is black before the first frame, and the frame reaches the screen. A chain out
// of video memory is never flipped at the start: under Wine's GDI renderer such a flip made
// the first frame crash the host.
TEST_F(DisplayTest, FlipChainAsTheDisplayGivesIt) {
    struct {
        const char* name;
        void (*arrange)();
        sim::ChainView chain;  // after the start
    } cases[] = {
        {"as asked", [] {}, {2, true, 2}},
        {"one back buffer", [] { sim::conditions().refusedSurfaces = 1; }, {1, true, 2}},
        {"no video memory",
         [] { sim::conditions().failing = {sim::Fault::VideoMemory}; },
         {1, false, 0}},
        {"a lone primary only", [] { sim::conditions().refusedSurfaces = 2; }, {1, false, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        displayShutdown();
        sim::reset();
        c.arrange();
        ASSERT_EQ(start(), 1);
        const sim::ChainView chain = sim::flipChain();
        EXPECT_EQ(chain.backBuffers, c.chain.backBuffers);
        EXPECT_EQ(chain.videoMemory, c.chain.videoMemory);
        EXPECT_EQ(chain.flips, c.chain.flips);
        EXPECT_TRUE(allZero(sim::visibleSurface()));
        EXPECT_TRUE(allZero(sim::backSurface()));
        std::vector<uint32_t> white(640 * 480, 0x00FFFFFF);
        EXPECT_EQ(displayPresent(white.data()), 1);
        ASSERT_NE(sim::visibleSurface().memory, nullptr);
        EXPECT_EQ(sim::visibleSurface().memory[0], 0xFF);
    }
}

struct FailingStart {
    const char* name;
    void (*arrange)();
};

class StartFailure : public DisplayTest, public ::testing::WithParamInterface<FailingStart> {};

// Whatever step fails, the start gives everything back at once by the teardown: no object,
// surface, library, window or class is left, the mode and level are the desktop's again,
// the screensaver is as the user had it, though taking exclusive mode switched it off, and
// nothing stands in the way of the next start.
TEST_P(StartFailure, GivesEverythingBack) {
    for (bool screensaverOn : {false, true}) {
        SCOPED_TRACE(screensaverOn ? "screensaver on" : "screensaver off");
        sim::reset();
        sim::setScreensaverActive(screensaverOn);
        GetParam().arrange();
        EXPECT_EQ(start(), 0);
        EXPECT_EQ(sim::leaks(), "");
        EXPECT_EQ(sim::screensaverActive(), screensaverOn);
    }
    sim::reset();
    EXPECT_EQ(start(), 1);
}

void failing(sim::Fault fault) { sim::conditions().failing = {fault}; }

INSTANTIATE_TEST_SUITE_P(
    EveryStep, StartFailure,
    ::testing::Values(
        FailingStart{"LibraryLoad", [] { failing(sim::Fault::LibraryLoad); }},
        FailingStart{"EntryPoint", [] { failing(sim::Fault::EntryPoint); }},
        FailingStart{"DirectDrawCreate", [] { failing(sim::Fault::DirectDrawCreate); }},
        // No window: the level is asked for with the null handle, and refused.
        FailingStart{"Window", [] { failing(sim::Fault::WindowCreation); }},
        FailingStart{"CooperativeLevel", [] { failing(sim::Fault::CooperativeLevel); }},
        FailingStart{
            "NoModeLargeEnough",
            [] {
                sim::conditions().modes = {{640, 400, 32}, {1024, 400, 24}, {320, 240, 16}};
            }},
        FailingStart{"FoundModeRefused",
                     [] {
                         sim::conditions().modes = {{800, 600, 32}};
                         sim::conditions().refusedModes = {{800, 600, 32}};
                     }},
        FailingStart{"Surfaces", [] { sim::conditions().refusedSurfaces = INT_MAX; }},
        FailingStart{"BackBuffer", [] { failing(sim::Fault::BackBuffer); }},
        FailingStart{"PixelFormatQuery", [] { failing(sim::Fault::PixelFormat); }},
        FailingStart{
            "PaletteFormat",
            [] {
                sim::conditions().pixelFormat = sim::PixelFormat{DDPF_PALETTEINDEXED8, 8, 0, 0, 0};
            }},
        FailingStart{"UnknownMasks",
                     [] {
                         sim::conditions().pixelFormat =
                             sim::PixelFormat{DDPF_RGB, 16, 0xF800, 0x03E0, 0x001F};
                     }}),
    [](const ::testing::TestParamInfo<FailingStart>& info) { return info.param.name; });

// The screensaver is the user's: off for the run, and given back as it was, whether or not
// DirectDraw switched it off by itself on the way.
TEST_F(DisplayTest, ScreensaverComesBackAsItWas) {
    for (bool wasOn : {false, true}) {
        for (bool directDrawStopsIt : {false, true}) {
            SCOPED_TRACE(std::string(wasOn ? "on" : "off") +
                         (directDrawStopsIt ? ", DirectDraw stops it" : ""));
            sim::reset();
            sim::setScreensaverActive(wasOn);
            sim::conditions().exclusiveModeStopsScreensaver = directDrawStopsIt;
            ASSERT_EQ(start(), 1);
            EXPECT_FALSE(sim::screensaverActive());
            displayShutdown();
            EXPECT_EQ(sim::screensaverActive(), wasOn);
        }
    }
}

// A start in a process where an earlier run fell back to a larger mode asks for the
// picture's own size again, and the class goes with each window and comes anew.
TEST_F(DisplayTest, SecondStartInOneProcessTakesTheDirectPath) {
    sim::conditions().modes = {{1024, 768, 32}, {800, 600, 32}};
    ASSERT_EQ(start(), 1);
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{800, 600, 32}));
    displayShutdown();
    EXPECT_EQ(sim::registeredClasses(), 0);

    sim::conditions().modes = sim::Conditions{}.modes;
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(sim::registeredClasses(), 1);
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));
    std::vector<uint32_t> white(640 * 480, 0x00FFFFFF);
    ASSERT_EQ(displayPresent(white.data()), 1);
    ASSERT_NE(sim::visibleSurface().memory, nullptr);
    EXPECT_EQ(sim::visibleSurface().memory[0], 0xFF) << "the picture is not at the corner";
}

}  // namespace
