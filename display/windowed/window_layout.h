// Where the windowed display's own window goes, as plain arithmetic over rectangles: its first
// place, and whether a saved place is still on a monitor.
#pragma once

#include <cstdint>

#include "display/monitor/monitor_choice.h"

// How far a window's outer rectangle reaches beyond its client area on each side (the top
// holds the title bar).
struct Frame {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// The window a width x height picture first gets on a monitor whose work area is `work`:
// the client area the picture scaled by the largest factor whose window fits the work area,
// at least 1, centred on it.
RECT firstWindowRect(const RECT& work, const Frame& frame, uint32_t width, uint32_t height);

// Whether the whole title bar of `window` (its top frame.top rows, less the sizing border
// above it) lies on the monitors.
bool titleBarShown(const RECT& window, const Frame& frame, const PresentMonitor* monitors,
                   int count);
