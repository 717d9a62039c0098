#include "tools/host/host_options.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// A day: far beyond any real run, low enough that milliseconds stay exact in a double.
constexpr double kMaxSeconds = 86400;

bool fail(std::string* error, const std::string& reason) {
    *error = reason;
    return false;
}

bool parseSeconds(const std::string& text, double* seconds) {
    if (text.empty() || text[0] == ' ' || text[0] == '\t') {
        return false;
    }
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || *end != '\0' || !std::isfinite(value) || value <= 0 || value > kMaxSeconds) {
        return false;
    }
    *seconds = value;
    return true;
}

bool parseRuns(const std::string& text, int* runs) {
    if (text.empty() || text.size() > 3 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const int value = std::atoi(text.c_str());
    if (value < 1 || value > 100) {
        return false;
    }
    *runs = value;
    return true;
}

bool parseModule(const std::string& text, int* module) {
    if (text.empty() || text.size() > 2 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return false;
    }
    const int value = std::atoi(text.c_str());
    if (value >= kMaxModules) {
        return false;
    }
    *module = value;
    return true;
}

// "X,Y", each a whole number within the coordinates a window can have.
bool parsePlace(const std::string& text, int* x, int* y) {
    const size_t comma = text.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    int* const targets[2] = {x, y};
    const std::string parts[2] = {text.substr(0, comma), text.substr(comma + 1)};
    for (int i = 0; i < 2; ++i) {
        const std::string& part = parts[i];
        const size_t digits = part.compare(0, 1, "-") == 0 ? 1 : 0;
        if (part.size() == digits || part.size() > digits + 5 ||
            part.find_first_not_of("0123456789", digits) != std::string::npos) {
            return false;
        }
        const int value = std::atoi(part.c_str());
        if (value < -32768 || value > 32767) {
            return false;
        }
        *targets[i] = value;
    }
    return true;
}

bool setMode(HostOptions* options, HostMode mode, std::string* error) {
    if (options->mode != HostMode::run && options->mode != mode) {
        return fail(error, "--config and --list exclude each other");
    }
    options->mode = mode;
    return true;
}

}  // namespace

bool parseHostOptions(int argc, const char* const* argv, HostOptions* options, std::string* error) {
    *options = HostOptions();
    bool haveWav = false, haveSeconds = false, haveRuns = false, haveModule = false;
    bool havePlugin = false, help = false;
    bool endOfOptions = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (endOfOptions || arg.size() < 2 || arg[0] != '-') {
            if (havePlugin) {
                return fail(error, "more than one plug-in given: \"" + arg + "\"");
            }
            if (arg.empty()) {
                return fail(error, "empty plug-in path");
            }
            options->pluginPath = arg;
            havePlugin = true;
            continue;
        }
        if (arg == "--") {
            endOfOptions = true;
            continue;
        }
        std::string name = arg, value;
        bool inlineValue = false;
        size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
            inlineValue = true;
        }
        bool takesValue = name == "--wav" || name == "--seconds" || name == "--runs" ||
                          name == "--module" || name == "--at" || name == "--stop-file";
        if (takesValue && !inlineValue) {
            if (i + 1 >= argc) {
                return fail(error, name + " needs a value");
            }
            value = argv[++i];
        } else if (!takesValue && inlineValue) {
            return fail(error, name + " takes no value");
        }
        if (name == "--wav") {
            if (haveWav) {
                return fail(error, "--wav given twice");
            }
            if (value.empty()) {
                return fail(error, "--wav needs a file name");
            }
            options->wavPath = value;
            haveWav = true;
        } else if (name == "--seconds") {
            if (haveSeconds) {
                return fail(error, "--seconds given twice");
            }
            if (!parseSeconds(value, &options->seconds)) {
                return fail(error, "--seconds needs a number above 0 and at most 86400, not \"" +
                                       value + "\"");
            }
            haveSeconds = true;
        } else if (name == "--runs") {
            if (haveRuns) {
                return fail(error, "--runs given twice");
            }
            if (!parseRuns(value, &options->runs)) {
                return fail(error,
                            "--runs needs a whole number from 1 to 100, not \"" + value + "\"");
            }
            haveRuns = true;
        } else if (name == "--module") {
            if (haveModule) {
                return fail(error, "--module given twice");
            }
            if (!parseModule(value, &options->module)) {
                return fail(error, "--module needs a whole number from 0 to " +
                                       std::to_string(kMaxModules - 1) + ", not \"" + value + "\"");
            }
            haveModule = true;
        } else if (name == "--at") {
            if (options->placed) {
                return fail(error, "--at given twice");
            }
            if (!parsePlace(value, &options->x, &options->y)) {
                return fail(error,
                            "--at needs X,Y, two whole numbers from -32768 to 32767, not \"" +
                                value + "\"");
            }
            options->placed = true;
        } else if (name == "--stop-file") {
            if (!options->stopFile.empty()) {
                return fail(error, "--stop-file given twice");
            }
            if (value.empty()) {
                return fail(error, "--stop-file needs a file name");
            }
            options->stopFile = value;
        } else if (name == "--front") {
            options->front = true;
        } else if (name == "--progress") {
            options->progress = true;
        } else if (name == "--config") {
            if (!setMode(options, HostMode::config, error)) {
                return false;
            }
        } else if (name == "--list") {
            if (!setMode(options, HostMode::list, error)) {
                return false;
            }
        } else if (name == "--help" || name == "-h") {
            help = true;
        } else {
            return fail(error, "unknown option \"" + arg + "\"");
        }
    }
    if (help) {
        options->mode = HostMode::help;
        return true;
    }
    if (options->mode != HostMode::run && (haveWav || haveSeconds || haveRuns || options->front ||
                                           options->progress || !options->stopFile.empty())) {
        return fail(error,
                    "--wav, --seconds, --runs, --front, --progress and --stop-file apply only to "
                    "a run");
    }
    return true;
}

const char* hostUsage() {
    return "usage: glintix-host [PLUGIN.dll] [--module N] [--wav FILE] [--seconds N] [--runs N]\n"
           "                    [--at X,Y] [--front] [--progress] [--stop-file FILE] [--config]\n"
           "                    [--list]\n"
           "\n"
           "Runs a module of a visualization plug-in on audio that it plays and analyses, as a\n"
           "player does: it never shows, moves or activates the plug-in's window.\n"
           "\n"
           "  PLUGIN.dll    the plug-in to load (default: vis_glintix.dll beside this program)\n"
           "  --module N    run, configure or list from module N, 0 to 15 (default 0)\n"
           "  --wav FILE    play a 16-bit PCM WAV file, mono or stereo, once (default: the\n"
           "                built-in beat, 120 beats a minute, looped)\n"
           "  --seconds N   stop after N seconds (default: at the end of the WAV file; 20 for\n"
           "                the built-in beat)\n"
           "  --runs N      start, run and stop the module N times in one load (default 1)\n"
           "  --at X,Y      put this program's own window at X,Y on the desktop, as a player on\n"
           "                another monitor (the plug-in's parent window)\n"
           "  --front       show this program's own window in the foreground before the start,\n"
           "                as a player does that runs the plug-in on its interface thread\n"
           "  --progress    print a line a second: the render calls made in it, the longest\n"
           "                of them and the time spent in all of them\n"
           "  --stop-file FILE\n"
           "                stop the run once FILE exists, as a player's Stop button does\n"
           "  --config      show the module's configuration box; return once it is closed\n"
           "  --list        list the plug-in's modules\n"
           "  --help        show this text\n"
           "\n"
           "A run ends when the plug-in asks to stop (Escape in its window), the time is up, the\n"
           "audio ends or the stop file appears. Without an audio device the audio is analysed\n"
           "but not heard.\n"
           "\n"
           "Exit status: 0 after a clean run; 1 when the plug-in cannot be loaded, has no\n"
           "header export, does not offer the module or fails to start; 2 for bad usage or a\n"
           "bad WAV.\n";
}
