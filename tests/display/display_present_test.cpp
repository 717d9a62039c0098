#include <cstring>

#include "effect/framebuffer.h"
#include "tests/display/display_fixture.h"

namespace {

#ifdef _WIN32
// The sizes that DirectDraw checks in the records the display hands it.
static_assert(sizeof(void*) != 4 || (sizeof(DDSURFACEDESC) == 108 && sizeof(DDPIXELFORMAT) == 32 &&
                                     sizeof(DDBLTFX) == 100),
              "DirectDraw records of the 32-bit layout");
#endif

class PresentTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(start(), 1);
        // Exclusive mode brought the window to the front.
        ASSERT_NE(activeFlag(), 0);
        window = sim::findWindow(kName);
    }

    // The screen shows `picture` whole, 32 bits a pixel.
    static void expectShown(const std::vector<uint32_t>& picture) {
        sim::SurfaceView shown = sim::visibleSurface();
        ASSERT_NE(shown.memory, nullptr) << "the picture does not reach the screen";
        ASSERT_EQ(shown.bits, 32u);
        for (uint32_t y = 0; y < 480; ++y) {
            ASSERT_EQ(memcmp(shown.memory + y * shown.pitch, &picture[y * 640], 640 * 4), 0)
                << "row " << y;
        }
    }

    static std::vector<uint8_t> backBuffer() {
        sim::SurfaceView back = sim::backSurface();
        return std::vector<uint8_t>(back.memory, back.memory + back.pitch * back.height);
    }

    HWND window = nullptr;
};

// A frame is converted into the back buffer and flipped to the screen, and the thread then
// gives up the rest of its time slice.
TEST_F(PresentTest, ActiveFrameReachesTheScreen) {
    std::vector<uint32_t> picture = numberedPicture();
    EXPECT_EQ(displayPresent(picture.data()), 1);
    expectShown(picture);
    ASSERT_FALSE(sim::sleeps().empty());
    EXPECT_EQ(sim::sleeps().back(), 0u);
}

// Away, whether deactivated or minimised from outside with the activation kept (as Wine
// leaves it), a call draws into no buffer, flips nothing and sleeps; back, the next call
// presents again.
TEST_F(PresentTest, AwayFrameTouchesNoSurface) {
    struct {
        const char* way;
        void (*leave)(HWND);
        void (*comeBack)(HWND);
    } cases[] = {
        {"deactivated", [](HWND w) { sim::postMessage(w, WM_ACTIVATEAPP, FALSE, 0); },
         [](HWND w) { sim::postMessage(w, WM_ACTIVATEAPP, TRUE, 0); }},
        {"minimised", [](HWND w) { sim::minimiseWindow(w, true); },
         [](HWND w) { sim::minimiseWindow(w, false); }},
    };
    const std::vector<uint32_t> picture = numberedPicture();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.way);
        c.leave(window);
        const std::vector<uint8_t> back = backBuffer();
        const int flips = sim::flipChain().flips;
        EXPECT_EQ(displayPresent(picture.data()), 1);
        EXPECT_EQ(backBuffer(), back);
        EXPECT_EQ(sim::flipChain().flips, flips);
        ASSERT_FALSE(sim::sleeps().empty());
        EXPECT_EQ(sim::sleeps().back(), 1u);

        c.comeBack(window);
        EXPECT_EQ(displayPresent(picture.data()), 1);
        expectShown(picture);
    }
}

// A refused lock drops the frame, the old picture staying on the screen; the next call
// restores and draws again.
TEST_F(PresentTest, RefusedLockDropsTheFrame) {
    const std::vector<uint32_t> black(640 * 480, 0);
    const std::vector<uint32_t> picture = numberedPicture();
    sim::conditions().refusedLocks = 1;
    const int flips = sim::flipChain().flips;
    EXPECT_EQ(displayPresent(picture.data()), 0);
    EXPECT_EQ(sim::flipChain().flips, flips);
    expectShown(black);

    EXPECT_EQ(displayPresent(picture.data()), 1);
    expectShown(picture);
}

// The pump takes the display window's messages, whatever they are, and leaves those posted
// to the thread itself to their owner.
TEST_F(PresentTest, PumpTakesOnlyTheWindowsMessages) {
    sim::postMessage(nullptr, WM_USER, 7, 0);
    sim::postMessage(window, WM_KEYDOWN, VK_SPACE, 0);
    sim::postMessage(window, WM_PAINT, 0, 0);
    displayPresent(framebuffer().pixels);
    EXPECT_EQ(sim::queuedMessages(), 1u);
    MSG left;
    ASSERT_TRUE(win::PeekMessageA(&left, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(left.message, static_cast<UINT>(WM_USER));
    EXPECT_EQ(runningFlag(), 1);
}

struct Placement {
    DWORD modeWidth;
    DWORD modeHeight;
    DWORD bits;
    LONG pitch;
    uint32_t firstRowByte;  // where the first converted row starts in the locked memory
    // Before the start: a host whose own window on this thread holds the foreground, so
    // that taking exclusive mode sends no WM_ACTIVATEAPP.
    bool hostWindowInFront = false;
    // After the first frame: the user switches away (the desktop's mode comes back and the
    // surfaces are lost) and back, with a render call while away or none, and the next
    // frame is the one checked.
    enum { stays, awayAndBack, awayAndBackUnseen } user = stays;
};

class Offsets : public DisplayTest, public ::testing::WithParamInterface<Placement> {};

// The offsets reach the first converted row at the locked surface's own depth and pitch,
// the border around the picture is black, also after the surfaces were lost and restored
// with garbage in them, and all of it reaches the screen.
TEST_P(Offsets, FirstRowLandsCentred) {
    const Placement& p = GetParam();
    sim::conditions().modes = {{p.modeWidth, p.modeHeight, p.bits}};
    sim::conditions().pitch = p.pitch;
    if (p.hostWindowInFront) {
        sim::showHostWindow();
    }
    ASSERT_EQ(start(), 1);
    std::vector<uint32_t> picture(640 * 480, 0x00FFFFFF);
    ASSERT_EQ(displayPresent(picture.data()), 1);
    if (p.user != Placement::stays) {
        HWND window = sim::findWindow(kName);
        sim::switchAway();
        if (p.user == Placement::awayAndBack) {
            ASSERT_EQ(displayPresent(picture.data()), 1);
        }
        sim::switchBack(window);
        ASSERT_EQ(displayPresent(picture.data()), 1);
    }

    sim::SurfaceView shown = sim::visibleSurface();
    ASSERT_EQ(shown.pitch, p.pitch) << "nothing reaches the screen";
    uint32_t bytes = p.bits / 8;
    uint32_t rowStart = p.firstRowByte % static_cast<uint32_t>(p.pitch);
    uint32_t firstRow = p.firstRowByte / static_cast<uint32_t>(p.pitch);
    for (uint32_t y = 0; y < p.modeHeight; ++y) {
        const uint8_t* row = shown.memory + static_cast<size_t>(y) * shown.pitch;
        bool inPicture = y >= firstRow && y < firstRow + 480;
        for (uint32_t x = 0; x < static_cast<uint32_t>(p.pitch); ++x) {
            uint8_t expected;
            if (x >= p.modeWidth * bytes) {
                expected = 0xCD;  // the pitch's own padding: never written
            } else if (inPicture && x >= rowStart && x < rowStart + 640 * bytes) {
                expected = (p.bits == 32 && (x - rowStart) % 4 == 3) ? 0x00 : 0xFF;
                if (p.bits == 16 && (x - rowStart) % 2 == 1) {
                    expected = 0xFF;
                }
            } else {
                expected = 0x00;
            }
            ASSERT_EQ(row[x], expected) << "row " << y << " byte " << x;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, Offsets,
                         ::testing::Values(Placement{800, 600, 16, 1600, 60 * 1600 + 160},
                                           Placement{800, 600, 24, 2432, 60 * 2432 + 240},
                                           Placement{800, 600, 32, 3328, 60 * 3328 + 320},
                                           Placement{1024, 768, 32, 4096, 144 * 4096 + 768},
                                           Placement{643, 483, 16, 1296, 1 * 1296 + 2},
                                           Placement{640, 480, 32, 2560, 0, true},
                                           Placement{800, 600, 32, 3328, 60 * 3328 + 320, false,
                                                     Placement::awayAndBack},
                                           Placement{800, 600, 32, 3328, 60 * 3328 + 320, false,
                                                     Placement::awayAndBackUnseen}));

}  // namespace
