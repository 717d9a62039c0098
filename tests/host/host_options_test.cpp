#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/host/host_options.h"

namespace {

struct Parsed {
    bool ok;
    HostOptions options;
    std::string error;
};

Parsed parse(std::vector<const char*> args) {
    args.insert(args.begin(), "glintix-host");
    Parsed p;
    p.ok = parseHostOptions(static_cast<int>(args.size()), args.data(), &p.options, &p.error);
    return p;
}

TEST(HostOptions, NothingGivenRunsTheDefaultPluginOnTheBuiltInBeat) {
    Parsed p = parse({});
    ASSERT_TRUE(p.ok);
    EXPECT_EQ(p.options.mode, HostMode::run);
    EXPECT_EQ(p.options.pluginPath, "");
    EXPECT_EQ(p.options.wavPath, "");
    EXPECT_EQ(p.options.seconds, 0);
    EXPECT_EQ(p.options.runs, 1);
    EXPECT_FALSE(p.options.front);
    EXPECT_EQ(p.options.module, 0);
    EXPECT_EQ(parse({"--runs", "2"}).options.runs, 2);
    EXPECT_TRUE(parse({"--front"}).options.front);
    EXPECT_TRUE(parse({"--progress"}).options.progress);
    EXPECT_EQ(parse({"--stop-file", "Z:/w/stop"}).options.stopFile, "Z:/w/stop");
    EXPECT_EQ(parse({"--module", "15", "--list"}).options.module, 15);
    Parsed placed = parse({"--at", "-1024,768"});
    EXPECT_TRUE(placed.options.placed && placed.options.x == -1024 && placed.options.y == 768);
}

TEST(HostOptions, TakesThePluginAndOptionsInAnyOrderAndEitherValueForm) {
    for (auto args : {std::vector<const char*>{"x.dll", "--wav", "a b.wav", "--seconds", "2.5"},
                      std::vector<const char*>{"--seconds=2.5", "--wav=a b.wav", "x.dll"}}) {
        Parsed p = parse(args);
        ASSERT_TRUE(p.ok) << p.error;
        EXPECT_EQ(p.options.pluginPath, "x.dll");
        EXPECT_EQ(p.options.wavPath, "a b.wav");
        EXPECT_EQ(p.options.seconds, 2.5);
    }
    // After "--" everything is a path.
    EXPECT_NE(parse({"--", "x.dll", "--seconds"}).error.find("more than one plug-in"),
              std::string::npos);
    Parsed dashed = parse({"--", "-odd.dll"});
    ASSERT_TRUE(dashed.ok) << dashed.error;
    EXPECT_EQ(dashed.options.pluginPath, "-odd.dll");
}

TEST(HostOptions, ConfigListAndHelpModes) {
    EXPECT_EQ(parse({"--config", "x.dll"}).options.mode, HostMode::config);
    EXPECT_EQ(parse({"--list"}).options.mode, HostMode::list);
    EXPECT_EQ(parse({"--list", "--list"}).options.mode, HostMode::list);
    // Help wins over everything but a malformed line.
    EXPECT_EQ(parse({"--wav", "a.wav", "--help"}).options.mode, HostMode::help);
    EXPECT_EQ(parse({"-h", "--config"}).options.mode, HostMode::help);
}

TEST(HostOptions, MistakesAreRefusedWithOneLineReasons) {
    struct Case {
        std::vector<const char*> args;
        const char* says;
    } cases[] = {
        {{"--wav"}, "--wav needs a value"},
        {{"--seconds"}, "--seconds needs a value"},
        {{"--wav="}, "--wav needs a file name"},
        {{"--seconds", "0"}, "above 0"},
        {{"--seconds", "-3"}, "above 0"},
        {{"--seconds", "5s"}, "\"5s\""},
        {{"--seconds", ""}, "above 0"},
        {{"--seconds", " 5"}, "above 0"},
        {{"--seconds", "nan"}, "above 0"},
        {{"--seconds", "inf"}, "above 0"},
        {{"--seconds", "1e9"}, "at most 86400"},
        {{"--seconds", "1", "--seconds", "2"}, "given twice"},
        {{"--wav", "a", "--wav", "b"}, "given twice"},
        {{"a.dll", "b.dll"}, "more than one plug-in"},
        {{""}, "empty plug-in path"},
        {{"--frobnicate"}, "unknown option \"--frobnicate\""},
        {{"-x"}, "unknown option"},
        {{"--config=yes"}, "takes no value"},
        {{"--config", "--list"}, "exclude each other"},
        {{"--list", "--seconds", "3"}, "only to a run"},
        {{"--config", "--wav", "a.wav"}, "only to a run"},
        {{"--runs", "0"}, "from 1 to 100"},
        {{"--runs", "2x"}, "\"2x\""},
        {{"--list", "--runs", "2"}, "only to a run"},
        {{"--config", "--front"}, "only to a run"},
        {{"--list", "--progress"}, "only to a run"},
        {{"--config", "--stop-file", "s"}, "only to a run"},
        {{"--stop-file="}, "--stop-file needs a file name"},
        {{"--module"}, "--module needs a value"},
        {{"--module", "-1"}, "from 0 to 15, not \"-1\""},
        {{"--module", "one"}, "from 0 to 15, not \"one\""},
        {{"--module", "16"}, "from 0 to 15, not \"16\""},
        {{"--at", "10"}, "needs X,Y"},
        {{"--at", "10,-"}, "needs X,Y"},
        {{"--at", "40000,0"}, "not \"40000,0\""},
    };
    for (const Case& c : cases) {
        Parsed p = parse(c.args);
        EXPECT_FALSE(p.ok) << c.says;
        EXPECT_NE(p.error.find(c.says), std::string::npos) << p.error;
        EXPECT_EQ(p.error.find('\n'), std::string::npos) << p.error;
    }
}

}  // namespace
