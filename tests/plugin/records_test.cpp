#include <gtest/gtest.h>

#include <climits>
#include <cstring>

#include "plugin/plugin.h"

namespace {

bool allZero(const unsigned char (&block)[2][kSpectrumBytes]) {
    for (const auto& channel : block) {
        for (unsigned char byte : channel) {
            if (byte != 0) {
                return false;
            }
        }
    }
    return true;
}

TEST(PluginRecords, HeaderAndModulesAsTheHostFindsThemAtLoad) {
    VisHeader* header = winampVisGetHeader();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(winampVisGetHeader(), header);
    EXPECT_EQ(header->version, 0x101);
    EXPECT_STREQ(header->description, "glintix #1");
    EXPECT_EQ(header->moduleAt, &moduleAt);

    const struct {
        int index;
        const char* description;
        ModuleConfig config;
        ModuleStart start;
        ModuleRender render;
        ModuleStop stop;
    } modules[] = {
        {0, "glintix #1", configModule, initModule, renderModule, quitModule},
        {1, "glintix #1 (no mode change)", configWindowed, initWindowed, renderWindowed,
         quitWindowed},
    };
    for (const auto& m : modules) {
        SCOPED_TRACE(m.index);
        VisModule* module = header->moduleAt(m.index);
        ASSERT_NE(module, nullptr);
        EXPECT_EQ(moduleAt(m.index), module);
        EXPECT_STREQ(module->description, m.description);
        EXPECT_EQ(module->parentWindow, nullptr);
        EXPECT_EQ(module->libraryInstance, nullptr);
        EXPECT_EQ(module->sampleRate, 0);
        EXPECT_EQ(module->channels, 0);
        EXPECT_EQ(module->latencyMs, 25);
        EXPECT_EQ(module->delayMs, 25);
        EXPECT_EQ(module->spectrumChannels, 1);
        EXPECT_EQ(module->waveformChannels, 1);
        EXPECT_TRUE(allZero(module->spectrumData));
        EXPECT_TRUE(allZero(module->waveformData));
        EXPECT_EQ(module->config, m.config);
        EXPECT_EQ(module->start, m.start);
        EXPECT_EQ(module->render, m.render);
        EXPECT_EQ(module->stop, m.stop);
        EXPECT_EQ(module->userData, nullptr);
    }
    for (int index : {2, -1, INT_MIN, INT_MAX}) {
        EXPECT_EQ(moduleAt(index), nullptr) << index;
    }
}

}  // namespace
