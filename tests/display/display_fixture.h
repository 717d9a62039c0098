// Shared set-up of the display tests: a fresh simulation for every case, and a check at
// the end that the case gave back everything it took.
#pragma once

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

// "WxH+X+Y", as X names a place.
inline std::string describeRect(const RECT& r) {
    return std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top) + "+" +
           std::to_string(r.left) + "+" + std::to_string(r.top);
}

// The settings file's text, as the module writes it.
inline std::string settingsText(const Settings& settings) {
    std::vector<char> text(kMaxSettingsBytes);
    return std::string(text.data(), formatSettings(settings, text.data()));
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

    // Where in the calls the first (or last) one that begins with `prefix` stands; past the
    // end where there is none. For the few orders that are behaviour.
    static size_t callAt(const std::string& prefix, bool last = false) {
        const std::vector<std::string>& all = sim::calls();
        size_t found = all.size();
        for (size_t i = 0; i < all.size(); ++i) {
            if (all[i].rfind(prefix, 0) == 0) {
                found = i;
                if (!last) {
                    break;
                }
            }
        }
        return found;
    }
};
