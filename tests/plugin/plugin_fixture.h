// Shared set-up of the plug-in tests: the module as the host sees it, on a fresh
// simulation, and a check at the end that every run gave the screen back.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "effect/fountain.h"
#include "platform/sim/sim.h"
#include "plugin/plugin.h"

class PluginTest : public ::testing::Test {
protected:
    void SetUp() override {
        quitModule(moduleAt(0));
        sim::reset();
        module = *moduleAt(0);  // the host's spectra go here; the static record stays pristine
        tick = 1000;
    }

    void TearDown() override {
        quitModule(&module);
        EXPECT_EQ(sim::leaks(), "");
        sim::reset();
    }

    // One render call, 26 ms after the last, so that a started clock draws a frame.
    int render() {
        tick += 26;
        sim::setTick(tick);
        return renderModule(&module);
    }

    // The same for a run of another module's record.
    int renderWindowedRun(VisModule* windowed) {
        tick += 26;
        sim::setTick(tick);
        return renderWindowed(windowed);
    }

    static HWND window() { return sim::findWindow("glintix #1"); }

    VisModule module;
    DWORD tick;
};
