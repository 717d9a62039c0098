#include "tests/display/display_fixture.h"

namespace {

class WindowProcTest : public DisplayTest {
protected:
    void SetUp() override {
        DisplayTest::SetUp();
        ASSERT_EQ(start(), 1);
        window = sim::findWindow(kName);
        mark = sim::calls().size();
    }

    LRESULT send(UINT message, WPARAM wParam, LPARAM lParam = 0) {
        mark = sim::calls().size();
        return windowProc(window, message, wParam, lParam);
    }

    bool reachedDefault() const {
        std::vector<std::string> names = namesSince(mark);
        return std::find(names.begin(), names.end(), "DefWindowProcA") != names.end();
    }

    HWND window = nullptr;
    size_t mark = 0;
};

TEST_F(WindowProcTest, EscapeClearsTheRunningFlag) {
    EXPECT_EQ(send(WM_KEYDOWN, VK_ESCAPE), 0);
    EXPECT_EQ(runningFlag(), 0);
    EXPECT_FALSE(reachedDefault());

    // Only the low byte names the key.
    setRunningFlag(1);
    EXPECT_EQ(send(WM_KEYDOWN, 0x100 | VK_ESCAPE), 0);
    EXPECT_EQ(runningFlag(), 0);
}

TEST_F(WindowProcTest, OtherKeysAreSwallowed) {
    for (WPARAM key : {WPARAM{VK_SPACE}, WPARAM{VK_F1}, WPARAM{'Q'}, WPARAM{0x1B00}}) {
        EXPECT_EQ(send(WM_KEYDOWN, key), 0) << key;
        EXPECT_EQ(runningFlag(), 1) << key;
        EXPECT_FALSE(reachedDefault()) << key;
    }
}

TEST_F(WindowProcTest, CloseRequestKeepsTheWindow) {
    EXPECT_EQ(send(WM_CLOSE, 0), 0);
    EXPECT_EQ(runningFlag(), 0);
    EXPECT_FALSE(reachedDefault());
    EXPECT_TRUE(sim::windowExists(window));
}

TEST_F(WindowProcTest, ActivationSetsTheActiveFlagToWParam) {
    EXPECT_EQ(send(WM_ACTIVATEAPP, FALSE), 0);
    EXPECT_EQ(activeFlag(), 0);
    EXPECT_EQ(send(WM_ACTIVATEAPP, 0x12345), 0);
    EXPECT_EQ(activeFlag(), 0x12345);
    EXPECT_EQ(send(WM_ACTIVATEAPP, TRUE), 0);
    EXPECT_EQ(activeFlag(), 1);
    EXPECT_FALSE(reachedDefault());
}

TEST_F(WindowProcTest, CursorIsHidden) {
    EXPECT_EQ(send(WM_SETCURSOR, reinterpret_cast<WPARAM>(window), 1), 0);
    EXPECT_EQ(sim::cursor(), nullptr);
    EXPECT_THAT(callsSince(mark), ::testing::ElementsAre("SetCursor(NULL)"));
}

TEST_F(WindowProcTest, OtherMessagesGetTheDefaultAnswer) {
    sim::setDefWindowProcResult(0x5A5A);
    EXPECT_EQ(send(WM_PAINT, 3, 4), 0x5A5A);
    EXPECT_EQ(send(WM_SYSKEYDOWN, VK_F1, 0x20000000), 0x5A5A);
    EXPECT_THAT(callsSince(mark), ::testing::ElementsAre("DefWindowProcA(" + sim::hex(window) +
                                                         ", 0x104, 0x70, 0x20000000)"));
    EXPECT_EQ(runningFlag(), 1);
}

}  // namespace
