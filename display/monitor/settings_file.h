// The settings file in the user's application-data folder: the monitor choice, kept for the
// rest of the load where the file cannot be written, and the second module's window as its
// last run left it.
#pragma once

#include "display/monitor/settings_text.h"

// What the file holds, its monitor the one chosen in this load where the file could not take
// it (the player's monitor where the file is missing or not ours).
Settings storedSettings();
MonitorName chosenMonitor();

// Writes `chosen` to the settings file, keeping the window's lines: false when the file
// could not be written, the choice then holding until the DLL is unloaded or a later one is
// written.
bool keepChosenMonitor(const MonitorName& chosen);

// Writes the window's lines, keeping the monitor choice: false when the file could not be
// written, the old one then as it was.
bool keepWindowLayout(const WindowLayout& layout);
