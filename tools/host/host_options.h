// The host's command line.
#pragma once

#include <string>

enum class HostMode { run, config, list, help };

// The module indices this host reaches: --module takes one below it, --list stops there even
// if the plug-in would hand out more.
constexpr int kMaxModules = 16;

struct HostOptions {
    HostMode mode = HostMode::run;
    std::string pluginPath;  // empty: vis_glintix.dll beside the host
    std::string wavPath;     // empty: the built-in beat
    int module = 0;          // the index the plug-in's module getter is asked for
    double seconds = 0;      // 0: until the audio ends (the built-in beat: its default run)
    int runs = 1;            // start-render-stop cycles within one load of the plug-in
    bool front = false;      // the host's own window shown and in the foreground at the start
    bool placed = false;     // the host's own window moved to x, y, as on another monitor
    int x = 0;
    int y = 0;
    bool progress = false;  // a line a second on the render calls of that second
    std::string stopFile;   // empty: none; else the run stops once this file exists
};

// Reads argv[1..argc-1]. On a mistake returns false with a one-line reason.
bool parseHostOptions(int argc, const char* const* argv, HostOptions* options, std::string* error);

// The text for --help and for bad usage.
const char* hostUsage();
