// The settings file's text: the monitor choice and the second module's window as its last
// run left it, and how they are read back.
#pragma once

#include <cstddef>

#include "display/monitor/monitor_choice.h"

// The settings file holds at most this much; a larger one is not ours.
constexpr size_t kMaxSettingsBytes = 4096;

// The window as a run left it: whether the picture was in it, its normal place and size
// (outer, in real pixels), and how it was shown.
struct WindowLayout {
    bool inWindow;
    bool hasRect;
    RECT rect;
    bool maximised;
    bool onTop;
};

struct Settings {
    MonitorName monitor;  // an empty device name: the player's monitor
    WindowLayout window;
};

// The smallest window rectangle worth keeping: the picture's own size.
constexpr LONG kMinWindowWidth = 640;
constexpr LONG kMinWindowHeight = 480;

// What a settings file's `length` bytes hold. Nothing, where they are more than
// kMaxSettingsBytes. Otherwise each item on its own: the default for an item whose line is
// missing, given twice, or anything but what formatSettings writes (a rectangle that is
// empty, upside down or smaller than the picture among it). Lines of other kinds, blank
// lines and those that begin with '#' count for nothing; a last line without its line end
// was cut short and counts for nothing either.
Settings parseSettings(const char* text, size_t length);

// The settings file's text, into `out` of kMaxSettingsBytes; its length. The window's lines
// only once a run has placed it.
size_t formatSettings(const Settings& settings, char* out);
