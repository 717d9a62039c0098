#include <gtest/gtest.h>

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

TEST(PluginRecords, HeaderAndModuleAsTheHostFindsThemAtLoad) {
    VisHeader* header = winampVisGetHeader();
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(winampVisGetHeader(), header);
    EXPECT_EQ(header->version, 0x101);
    EXPECT_STREQ(header->description, "glintix #1");
    EXPECT_EQ(header->moduleAt, &moduleAt);

    VisModule* module = header->moduleAt(0);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(moduleAt(0), module);
    EXPECT_EQ(moduleAt(1), nullptr);
    EXPECT_EQ(moduleAt(-1), nullptr);

    EXPECT_STREQ(module->description, "glintix #1");
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
    EXPECT_EQ(module->config, &configModule);
    EXPECT_EQ(module->start, &initModule);
    EXPECT_EQ(module->render, &renderModule);
    EXPECT_EQ(module->stop, &quitModule);
    EXPECT_EQ(module->userData, nullptr);
}

}  // namespace
