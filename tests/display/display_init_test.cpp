#include <cstring>

#include "tests/display/display_fixture.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST_F(DisplayTest, StartTakesTheScreenInOrder) {
    ASSERT_EQ(start(), 1);
    HWND window = sim::findWindow(kName);
    std::string w = sim::hex(window);
    EXPECT_THAT(
        sim::calls(),
        ElementsAre(
            "SystemParametersInfoA(16, 0, ptr, 0x0)", "LoadLibraryA(ddraw.dll)",
            "GetProcAddress(0x73800000, DirectDrawCreate)", "DirectDrawCreate(NULL, NULL)",
            "GetModuleHandleA(NULL)", "LoadIconA(0x400000, IDI_MAIN)", "RegisterClassA(glintix #1)",
            "CreateWindowExA(0x0, glintix #1, glintix #1, 0x80080000, 0, 0, 0, 0, NULL, "
            "NULL, NULL, NULL)",
            "DefWindowProcA(" + w + ", 0x81, 0x0, 0x0)", "DefWindowProcA(" + w + ", 0x1, 0x0, 0x0)",
            "dd.SetCooperativeLevel(" + w + ", 0x11)", "dd.SetDisplayMode(640, 480, 32)",
            "dd.CreateSurface(0x21, 2, 0x4218)", "primary.GetAttachedSurface(0x4)",
            "primary.GetPixelFormat(32)", "SystemParametersInfoA(17, 0, NULL, 0x0)",
            "primary.Blt(NULL, NULL, NULL, 0x1000400, fill 0x0)",
            "back.Blt(NULL, NULL, NULL, 0x1000400, fill 0x0)", "primary.Flip(NULL, 0x1)",
            "primary.Blt(NULL, NULL, NULL, 0x1000400, fill 0x0)",
            "back.Blt(NULL, NULL, NULL, 0x1000400, fill 0x0)", "primary.Flip(NULL, 0x1)",
            "ShowWindow(" + w + ", 5)", "GetForegroundWindow()",
            "GetWindowThreadProcessId(" + w + ", NULL)"));

    const WNDCLASSA* wc = sim::windowClass(kName);
    ASSERT_NE(wc, nullptr);
    EXPECT_EQ(wc->style, 0u);
    EXPECT_EQ(wc->lpfnWndProc, &windowProc);
    EXPECT_EQ(wc->cbClsExtra, 0);
    EXPECT_EQ(wc->cbWndExtra, 0);
    EXPECT_EQ(wc->hInstance, sim::hostInstance());
    EXPECT_NE(wc->hIcon, nullptr);
    EXPECT_EQ(wc->hCursor, nullptr);
    EXPECT_EQ(wc->hbrBackground, nullptr);

    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));
    EXPECT_EQ(sim::cooperativeLevel(), DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    EXPECT_FALSE(sim::screensaverActive());
    EXPECT_EQ(displayState().exclusive.xOffset, 0u);
    EXPECT_EQ(displayState().exclusive.yOffset, 0u);
}

// Blanked twice across a flip: whichever buffer shows first, both are black.
TEST_F(DisplayTest, StartLeavesBothBuffersBlack) {
    ASSERT_EQ(start(), 1);
    for (sim::SurfaceView view : {sim::visibleSurface(), sim::backSurface()}) {
        ASSERT_NE(view.memory, nullptr);
        for (DWORD y = 0; y < view.height; ++y) {
            const uint8_t* row = view.memory + static_cast<size_t>(y) * view.pitch;
            for (DWORD x = 0; x < view.width * 4; ++x) {
                ASSERT_EQ(row[x], 0) << "row " << y << " byte " << x;
            }
        }
    }
}

// A display without video memory refuses the three video-memory attempts (the lone
// primary too), and one with room for a lone primary only gives it without a back buffer:
// both get a chain wherever the display keeps one. Such a start flips nothing: under
// Wine's GDI renderer a flip there made the first frame crash the host.
TEST_F(DisplayTest, SurfaceCreationFallsBackToOneBackBuffer) {
    struct {
        void (*arrange)();
        const char* last;  // the attempt that made the chain
        long startFlips;
    } cases[] = {
        {[] { sim::refuseSurfaceAttempts(1); }, "dd.CreateSurface(0x21, 1, 0x4218)", 2},
        {[] { sim::setFault(sim::Fault::VideoMemory); }, "dd.CreateSurface(0x21, 1, 0x218)", 0},
        {[] { sim::refuseSurfaceAttempts(2); }, "dd.CreateSurface(0x21, 1, 0x218)", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.last);
        displayShutdown();
        sim::reset();
        c.arrange();
        ASSERT_EQ(start(), 1);
        std::vector<std::string> surfaces;
        for (const std::string& call : sim::calls()) {
            if (call.rfind("dd.CreateSurface", 0) == 0) {
                surfaces.push_back(call);
            }
        }
        EXPECT_EQ(surfaces.back(), c.last);
        std::vector<std::string> names = sim::callNames();
        EXPECT_EQ(std::count(names.begin(), names.end(), "primary.Flip"), c.startFlips);
        for (sim::SurfaceView view : {sim::visibleSurface(), sim::backSurface()}) {
            ASSERT_NE(view.memory, nullptr);
            EXPECT_EQ(std::count(view.memory, view.memory + view.pitch * view.height, 0),
                      view.pitch * view.height);
        }
        std::vector<uint32_t> white(640 * 480, 0x00FFFFFF);
        EXPECT_EQ(displayPresent(white.data()), 1);
        EXPECT_EQ(sim::visibleSurface().memory[0], 0xFF);
    }
}

struct FailingStart {
    const char* name;
    void (*arrange)();
    const char* lastStep;  // the start's last call before it gave up
};

void refuseAllSurfaces() { sim::setFault(sim::Fault::CreateSurface); }
void offerNothingLargeEnough() { sim::setModes({{640, 400, 32}, {320, 240, 16}}); }
void refuseTheFoundMode() {
    sim::setModes({{800, 600, 32}});
    sim::refuseMode({800, 600, 32});
}
void paletteFormat() { sim::setPixelFormat({DDPF_PALETTEINDEXED8, 8, 0, 0, 0}); }
void unknownMasks() { sim::setPixelFormat({DDPF_RGB, 16, 0xF800, 0x03E0, 0x001F}); }

class StartFailure : public DisplayTest, public ::testing::WithParamInterface<FailingStart> {};

// Whatever step fails, the start gives everything back at once by the teardown: no object,
// surface, library, window or class is left, the mode and level are the desktop's again,
// and the screensaver is as the user had it, though taking exclusive mode switched it off.
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
    EXPECT_FALSE(called("primary.Blt"));

    std::vector<std::string> names = sim::callNames();
    auto last = std::find(names.rbegin(), names.rend(), GetParam().lastStep);
    ASSERT_NE(last, names.rend()) << GetParam().lastStep << " never called";
    // From there on only the teardown runs, and it ends with the library, then the
    // screensaver, which the user had on in the last round.
    std::vector<std::string> rest(last.base(), names.end());
    auto library = std::find(rest.begin(), rest.end(), "FreeLibrary");
    ASSERT_NE(library, rest.end());
    EXPECT_THAT(std::vector<std::string>(library + 1, rest.end()),
                ElementsAre("SystemParametersInfoA", "SystemParametersInfoA"));
    EXPECT_EQ(std::count(rest.begin(), rest.end(), "DestroyWindow"), 1);

    // A failed start leaves nothing in the way of the next one.
    sim::reset();
    EXPECT_EQ(start(), 1);
}

void failEntry() { sim::setFault(sim::Fault::EntryPoint); }
void failCreate() { sim::setFault(sim::Fault::DirectDrawCreate); }
void failWindow() { sim::setFault(sim::Fault::WindowCreation); }
void failLevel() { sim::setFault(sim::Fault::CooperativeLevel); }
void failBack() { sim::setFault(sim::Fault::BackBuffer); }
void failFormat() { sim::setFault(sim::Fault::PixelFormat); }

INSTANTIATE_TEST_SUITE_P(
    EveryStep, StartFailure,
    ::testing::Values(FailingStart{"EntryPoint", failEntry, "GetProcAddress"},
                      FailingStart{"DirectDrawCreate", failCreate, "DirectDrawCreate"},
                      // No window: the level is asked for with the null handle, and refused.
                      FailingStart{"Window", failWindow, "dd.SetCooperativeLevel"},
                      FailingStart{"CooperativeLevel", failLevel, "dd.SetCooperativeLevel"},
                      FailingStart{"NoModeLargeEnough", offerNothingLargeEnough,
                                   "dd.EnumDisplayModes"},
                      FailingStart{"FoundModeRefused", refuseTheFoundMode, "dd.SetDisplayMode"},
                      FailingStart{"Surfaces", refuseAllSurfaces, "dd.CreateSurface"},
                      FailingStart{"BackBuffer", failBack, "primary.GetAttachedSurface"},
                      FailingStart{"PixelFormatQuery", failFormat, "primary.GetPixelFormat"},
                      FailingStart{"PaletteFormat", paletteFormat, "primary.GetPixelFormat"},
                      FailingStart{"UnknownMasks", unknownMasks, "primary.GetPixelFormat"}),
    [](const ::testing::TestParamInfo<FailingStart>& info) { return info.param.name; });

TEST_F(DisplayTest, UnloadableLibraryLeavesNothingToUndo) {
    sim::setFault(sim::Fault::LibraryLoad);
    EXPECT_EQ(start(), 0);
    EXPECT_THAT(sim::calls(),
                ElementsAre("SystemParametersInfoA(16, 0, ptr, 0x0)", "LoadLibraryA(ddraw.dll)",
                            "DestroyWindow(NULL)", "SystemParametersInfoA(17, 1, NULL, 0x0)",
                            "SystemParametersInfoA(16, 0, ptr, 0x0)"));
}

TEST_F(DisplayTest, UnknownFormatLeavesNoConverter) {
    unknownMasks();
    EXPECT_EQ(start(), 0);
    EXPECT_EQ(displayState().exclusive.converter, nullptr);
}

// The screensaver is the user's: switched off for the run only if it was on, and given
// back as it was, whether or not DirectDraw switched it off by itself on the way.
TEST_F(DisplayTest, ScreensaverThatWasOnComesBackOn) {
    for (bool directDrawStopsIt : {false, true}) {
        sim::reset();
        sim::setExclusiveModeStopsScreensaver(directDrawStopsIt);
        ASSERT_EQ(start(), 1);
        EXPECT_FALSE(sim::screensaverActive());
        displayShutdown();
        EXPECT_TRUE(sim::screensaverActive()) << "DirectDraw stops it: " << directDrawStopsIt;
    }
}

TEST_F(DisplayTest, ScreensaverThatWasOffStaysOff) {
    sim::setScreensaverActive(false);
    ASSERT_EQ(start(), 1);
    displayShutdown();
    EXPECT_FALSE(sim::screensaverActive());
    EXPECT_THAT(sim::calls(),
                testing::Not(testing::Contains(HasSubstr("SystemParametersInfoA(17"))));
}

TEST_F(DisplayTest, SecondStartInOneProcessTakesTheDirectPath) {
    sim::setModes({{1024, 768, 32}, {800, 600, 32}});
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(displayState().exclusive.xOffset, 80u);
    EXPECT_EQ(displayState().exclusive.yOffset, 60u);
    displayShutdown();

    sim::reset();
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(displayState().exclusive.xOffset, 0u);
    EXPECT_EQ(displayState().exclusive.yOffset, 0u);
    EXPECT_FALSE(called("dd.EnumDisplayModes"));
    EXPECT_TRUE(sim::currentMode() == (sim::Mode{640, 480, 32}));
}

// The class goes with the window: a second start registers it afresh.
TEST_F(DisplayTest, RestartWithoutResetRegistersTheClassAgain) {
    ASSERT_EQ(start(), 1);
    displayShutdown();
    EXPECT_EQ(sim::registeredClasses(), 0);
    size_t mark = sim::calls().size();
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(sim::registeredClasses(), 1);
    EXPECT_THAT(callsSince(mark), testing::Contains("RegisterClassA(glintix #1)"));
}

}  // namespace
