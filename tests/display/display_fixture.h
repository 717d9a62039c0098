// Shared set-up of the display tests: a fresh simulation for every case, and a check at
// the end that the case gave back everything it took.
#pragma once

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/display_state.h"
#include "platform/sim/sim.h"

constexpr const char* kName = "glintix #1";

// A picture in which every pixel tells its place: row in the top half-word, column in the
// low one, colour bytes all distinct from the surfaces' 0xCD and from black.
inline std::vector<uint32_t> numberedPicture() {
    std::vector<uint32_t> picture(640 * 480);
    for (uint32_t y = 0; y < 480; ++y) {
        for (uint32_t x = 0; x < 640; ++x) {
            picture[y * 640 + x] = 0x00010101u + ((y % 200) << 16) + ((x % 200) << 8) + (x / 200);
        }
    }
    return picture;
}

// A monitor as the user's choice names it.
inline MonitorName monitorNamed(const char* device, RECT rect) {
    MonitorName name{};
    std::snprintf(name.device, sizeof name.device, "%s", device);
    name.rect = rect;
    return name;
}

class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override {
        displayShutdown();
        sim::reset();
        setRunningFlag(1);
        setActiveFlag(0);  // as the library comes loaded
    }

    void TearDown() override {
        displayShutdown();
        EXPECT_EQ(sim::leaks(), "");
        sim::reset();
    }

    static int start() { return displayInit(kName, 640, 480); }

    // The calls made since the log held `mark` entries.
    static std::vector<std::string> callsSince(size_t mark) {
        const std::vector<std::string>& all = sim::calls();
        return std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(mark), all.end());
    }

    static std::vector<std::string> namesSince(size_t mark) {
        std::vector<std::string> names = sim::callNames();
        return std::vector<std::string>(names.begin() + static_cast<std::ptrdiff_t>(mark),
                                        names.end());
    }

    static bool called(const std::string& name) {
        for (const std::string& call : sim::callNames()) {
            if (call == name) {
                return true;
            }
        }
        return false;
    }
};
