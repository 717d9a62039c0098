// glintix-host: a stand-in for the media player. Loads a visualization plug-in, plays audio
// and drives the plug-in's module with the spectrum and waveform of what is being heard.
#include <cstdio>
#include <string>

#include "tools/host/beat_track.h"
#include "tools/host/host_options.h"
#include "tools/host/host_run.h"
#include "tools/host/host_window.h"
#include "tools/host/plugin_library.h"
#include "tools/host/wav_reader.h"

namespace {

constexpr int kExitClean = 0;
constexpr int kExitPlugin = 1;
constexpr int kExitUsage = 2;

int complain(int status, const std::string& message) {
    std::fprintf(stderr, "glintix-host: %s\n", message.c_str());
    return status;
}

// Modules `from` on, until the plug-in offers no more.
int listModules(const PluginLibrary& plugin, int from) {
    const VisHeader* header = plugin.header;
    std::printf("plug-in: \"%s\", interface version 0x%X\n",
                header->description ? header->description : "", header->version);
    int index = from;
    for (; index < kMaxModules; ++index) {
        const VisModule* module = header->moduleAt(index);
        if (!module) {
            break;
        }
        std::printf("%d: %s\n", index, module->description ? module->description : "");
    }
    if (index == from) {
        return complain(kExitPlugin, "the plug-in offers no module " + std::to_string(from));
    }
    return kExitClean;
}

int showConfiguration(const PluginLibrary& plugin, HWND hostWindow, int index) {
    std::string error;
    VisModule* module = moduleWithCallbacks(plugin, index, &error);
    if (!module) {
        return complain(kExitPlugin, error);
    }
    module->parentWindow = hostWindow;
    module->libraryInstance = plugin.library;
    module->config(module);
    return kExitClean;
}

int run(const PluginLibrary& plugin, HWND hostWindow, const HostOptions& options,
        const AudioClip& clip) {
    std::string error;
    VisModule* module = moduleWithCallbacks(plugin, options.module, &error);
    if (!module) {
        return complain(kExitPlugin, error);
    }
    double seconds = options.seconds;
    if (seconds == 0 && clip.loops) {
        seconds = kBeatDefaultRun;
    }
    std::printf("glintix-host: running module %d, \"%s\", every %d ms on %s (%d Hz, %s)",
                options.module, module->description ? module->description : "", module->delayMs,
                options.wavPath.empty() ? "the built-in beat" : options.wavPath.c_str(),
                clip.sampleRate, clip.channels == 1 ? "mono" : "stereo");
    if (seconds > 0) {
        std::printf(" for up to %g s", seconds);
    }
    std::printf("\n");
    if (options.front) {
        std::printf("glintix-host: its own window shown, in the foreground: %s\n",
                    hostWindow && showHostWindowInFront(hostWindow) ? "yes" : "no");
    }
    for (int run = 1; run <= options.runs; ++run) {
        if (options.runs > 1) {
            std::printf("glintix-host: run %d of %d\n", run, options.runs);
        }
        RunReport report =
            runModule(module, plugin.library, hostWindow, clip, seconds, options.progress,
                      options.stopFile);
        if (report.end == RunEnd::failedStart) {
            return kExitPlugin;
        }
        if (report.end == RunEnd::interrupted) {
            break;
        }
    }
    return kExitClean;
}

}  // namespace

int main(int argc, char** argv) {
    // Unbuffered, so that a test reading the output sees every line even if the plug-in
    // takes the process down.
    std::setvbuf(stdout, nullptr, _IONBF, 0);

    HostOptions options;
    std::string error;
    if (!parseHostOptions(argc, argv, &options, &error)) {
        std::fprintf(stderr, "glintix-host: %s (see --help)\n", error.c_str());
        return kExitUsage;
    }
    if (options.mode == HostMode::help) {
        std::fputs(hostUsage(), stdout);
        return kExitClean;
    }

    // The audio first: a bad file is a usage error, whatever the plug-in.
    AudioClip clip;
    if (options.mode == HostMode::run) {
        if (options.wavPath.empty()) {
            clip = makeBeatTrack();
        } else if (!loadWavFile(options.wavPath.c_str(), &clip, &error)) {
            return complain(kExitUsage, "bad WAV file " + options.wavPath + ": " + error);
        }
    }

    std::string path = options.pluginPath.empty() ? defaultPluginPath() : options.pluginPath;
    PluginLibrary plugin;
    if (!loadPlugin(path, &plugin, &error)) {
        return complain(kExitPlugin, error);
    }

    HWND hostWindow = createHostWindow(GetModuleHandleA(nullptr));
    if (hostWindow && options.placed) {
        SetWindowPos(hostWindow, nullptr, options.x, options.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int status = kExitClean;
    switch (options.mode) {
        case HostMode::list:
            status = listModules(plugin, options.module);
            break;
        case HostMode::config:
            status = showConfiguration(plugin, hostWindow, options.module);
            break;
        default:
            status = run(plugin, hostWindow, options, clip);
            break;
    }
    if (hostWindow) {
        DestroyWindow(hostWindow);
    }
    unloadPlugin(&plugin);
    return status;
}
