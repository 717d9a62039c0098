// The monitor that the user picked for the windowed display, and how it is found again
// among those present: pure logic over plain records, apart from the system calls that
// fill them.
#pragma once

#include <cstddef>

#include "platform/services.h"

// A monitor as the choice names it: its device name ("\\.\DISPLAY2") and its rectangle on
// the desktop, in real pixels. An empty device name stands for the player's monitor.
struct MonitorName {
    char device[32];
    RECT rect;
};

// A monitor as the system lists it now, with the part of it that the taskbar leaves.
struct PresentMonitor {
    char device[32];
    RECT rect;
    bool primary;
    RECT work;
};

// As many monitors as the choice looks at; any beyond are not offered.
constexpr int kMaxMonitors = 16;

// The index of the chosen monitor among `count` present ones, or -1 for the player's
// monitor: where the choice is the player's, or the chosen monitor is gone.
int findChosenMonitor(const MonitorName& chosen, const PresentMonitor* present, int count);

// Orders the monitors as the user sees them: left to right, then top to bottom.
void sortAsSeen(PresentMonitor* present, int count);

// "Monitor 2: 1920x1080 at 1920,0", "(primary)" added for the primary one, into `out` of
// `size` bytes (at least 64).
void describeMonitor(int number, const PresentMonitor& monitor, char* out, size_t size);
