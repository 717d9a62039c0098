#include "tests/display/display_fixture.h"

namespace {

struct Search {
    const char* name;
    std::vector<sim::Mode> offered;
    sim::Mode chosen;
    uint32_t x, y;  // the picture's corner in it
};

class ModeSearch : public DisplayTest, public ::testing::WithParamInterface<Search> {};

// The picture's own size at 32, then 24, then 16 bits; else the smallest mode at least as
// large, of the deepest depth that has one, the first offered of equal areas; centred, the
// spare column or row of an odd difference to the right or the bottom.
TEST_P(ModeSearch, ChoosesTheModeAndCentres) {
    sim::conditions().modes = GetParam().offered;
    ASSERT_EQ(start(), 1);
    EXPECT_EQ(sim::describe(sim::currentMode()), sim::describe(GetParam().chosen));
    EXPECT_EQ(displayState().exclusive.xOffset, GetParam().x);
    EXPECT_EQ(displayState().exclusive.yOffset, GetParam().y);
}

INSTANTIATE_TEST_SUITE_P(
    Offers, ModeSearch,
    ::testing::Values(
        Search{"Direct", {{1024, 768, 32}, {640, 480, 32}}, {640, 480, 32}, 0, 0},
        Search{"DirectAt24Bits", {{640, 480, 16}, {640, 480, 24}}, {640, 480, 24}, 0, 0},
        // The picture's own size at any depth comes before a larger mode at a deeper one.
        Search{"DirectAt16Bits", {{1024, 768, 32}, {640, 480, 16}}, {640, 480, 16}, 0, 0},
        Search{"SmallestLarger",
               {{1024, 768, 32}, {800, 600, 32}, {320, 240, 32}},
               {800, 600, 32},
               80,
               60},
        // Areas 491,520 and 480,000: the smaller wins although offered later.
        Search{
            "SmallerAreaOfferedLater", {{1024, 480, 32}, {800, 600, 32}}, {800, 600, 32}, 80, 60},
        // Equal areas (480,000): the first offered stays.
        Search{
            "EqualAreasKeepTheFirst", {{1000, 480, 32}, {800, 600, 32}}, {1000, 480, 32}, 180, 0},
        Search{"EqualAreasOtherOrder", {{800, 600, 32}, {1000, 480, 32}}, {800, 600, 32}, 80, 60},
        // Larger area but too narrow: skipped on width alone.
        Search{"TooNarrow", {{600, 800, 32}, {1024, 768, 32}}, {1024, 768, 32}, 192, 144},
        // A deeper larger mode beats a shallower smaller one.
        Search{"DeeperFirst", {{800, 600, 16}, {1600, 1200, 32}}, {1600, 1200, 32}, 480, 360},
        Search{
            "24BitPass", {{320, 240, 32}, {800, 600, 24}, {700, 500, 16}}, {800, 600, 24}, 80, 60},
        Search{
            "16BitOnly", {{1024, 768, 8}, {800, 600, 16}, {1024, 768, 16}}, {800, 600, 16}, 80, 60},
        Search{"OddByOne", {{641, 481, 32}}, {641, 481, 32}, 0, 0},
        Search{"OddByThree", {{643, 483, 32}}, {643, 483, 32}, 1, 1}),
    [](const ::testing::TestParamInfo<Search>& info) { return info.param.name; });

}  // namespace
