#include "tests/display/display_fixture.h"

namespace {

using ::testing::ElementsAre;

std::vector<std::string> modeCalls() {
    std::vector<std::string> found;
    for (const std::string& call : sim::calls()) {
        if (call.rfind("dd.SetDisplayMode", 0) == 0 || call.rfind("dd.EnumDisplayModes", 0) == 0) {
            found.push_back(call);
        }
    }
    return found;
}

TEST_F(DisplayTest, RequestedSizeAt32BitsNeedsNoSearch) {
    ASSERT_EQ(start(), 1);
    EXPECT_THAT(modeCalls(), ElementsAre("dd.SetDisplayMode(640, 480, 32)"));
}

TEST_F(DisplayTest, RequestedSizeAt24BitsOnly) {
    sim::setModes({{640, 480, 24}, {640, 480, 16}});
    ASSERT_EQ(start(), 1);
    EXPECT_THAT(modeCalls(),
                ElementsAre("dd.SetDisplayMode(640, 480, 32)", "dd.SetDisplayMode(640, 480, 24)"));
    EXPECT_EQ(displayState().exclusive.xOffset, 0u);
    EXPECT_EQ(displayState().exclusive.yOffset, 0u);
    // The converter follows the surface that was made, not the depth that was asked for.
    EXPECT_EQ(displayState().exclusive.converter, selectRowConverter(24, 0xFF0000, 0xFF00, 0xFF));
}

TEST_F(DisplayTest, FallbackTakesTheSmallestLargerModeAndCentres) {
    sim::setModes({{1024, 768, 32}, {800, 600, 32}, {320, 240, 32}});
    ASSERT_EQ(start(), 1);
    EXPECT_THAT(
        modeCalls(),
        ElementsAre("dd.SetDisplayMode(640, 480, 32)", "dd.SetDisplayMode(640, 480, 24)",
                    "dd.SetDisplayMode(640, 480, 16)", "dd.EnumDisplayModes(0x0, NULL, NULL)",
                    "dd.SetDisplayMode(800, 600, 32)"));
    EXPECT_EQ(displayState().exclusive.xOffset, 80u);
    EXPECT_EQ(displayState().exclusive.yOffset, 60u);
}

struct Search {
    const char* name;
    std::vector<sim::Mode> offered;
    sim::Mode chosen;
    int passes;
};

class ModeSearch : public DisplayTest, public ::testing::WithParamInterface<Search> {};

TEST_P(ModeSearch, ChoosesTheModeAndStopsAtItsPass) {
    sim::setModes(GetParam().offered);
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(sim::describe(sim::currentMode()), sim::describe(GetParam().chosen));
    EXPECT_EQ(displayState().exclusive.modeDepth, GetParam().chosen.bits);
    std::vector<std::string> names = sim::callNames();
    EXPECT_EQ(std::count(names.begin(), names.end(), "dd.EnumDisplayModes"), GetParam().passes);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, ModeSearch,
    ::testing::Values(
        // Areas 491,520 and 480,000: the smaller wins although offered later.
        Search{"SmallerAreaOfferedLater", {{1024, 480, 32}, {800, 600, 32}}, {800, 600, 32}, 1},
        // Equal areas (480,000): the first offered stays.
        Search{"EqualAreasKeepTheFirst", {{1000, 480, 32}, {800, 600, 32}}, {1000, 480, 32}, 1},
        Search{"EqualAreasOtherOrder", {{800, 600, 32}, {1000, 480, 32}}, {800, 600, 32}, 1},
        // Larger area but too narrow: skipped on width alone.
        Search{"TooNarrow", {{600, 800, 32}, {1024, 768, 32}}, {1024, 768, 32}, 1},
        // A deeper larger mode beats a shallower smaller one.
        Search{"DeeperFirst", {{800, 600, 16}, {1600, 1200, 32}}, {1600, 1200, 32}, 1},
        Search{"24BitPass", {{320, 240, 32}, {800, 600, 24}, {700, 500, 16}}, {800, 600, 24}, 2},
        Search{"16BitOnly", {{1024, 768, 8}, {800, 600, 16}, {1024, 768, 16}}, {800, 600, 16}, 3}),
    [](const ::testing::TestParamInfo<Search>& info) { return info.param.name; });

TEST_F(DisplayTest, NothingTallEnoughFailsAfterThreePasses) {
    sim::setModes({{640, 400, 32},
                   {1024, 400, 32},
                   {640, 400, 24},
                   {1024, 400, 24},
                   {640, 400, 16},
                   {1024, 400, 16}});
    EXPECT_EQ(start(), 0);
    std::vector<std::string> calls = modeCalls();
    EXPECT_EQ(std::count(calls.begin(), calls.end(), "dd.EnumDisplayModes(0x0, NULL, NULL)"), 3);
    EXPECT_EQ(calls.back(), "dd.EnumDisplayModes(0x0, NULL, NULL)");
    EXPECT_EQ(displayState().exclusive.bestArea, kNoModeFound);
}

struct Centring {
    DWORD width;
    DWORD height;
    uint32_t x;
    uint32_t y;
};

class OddDifference : public DisplayTest, public ::testing::WithParamInterface<Centring> {};

// The spare column or row of an odd difference goes to the right or the bottom.
TEST_P(OddDifference, HalvesDownwards) {
    sim::setModes({{GetParam().width, GetParam().height, 32}});
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(displayState().exclusive.xOffset, GetParam().x);
    EXPECT_EQ(displayState().exclusive.yOffset, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(Modes, OddDifference,
                         ::testing::Values(Centring{641, 481, 0, 0}, Centring{643, 483, 1, 1},
                                           Centring{1024, 768, 192, 144}));

}  // namespace
