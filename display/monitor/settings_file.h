// The user's choice of monitor, kept in a small text file in the user's application-data
// folder, and for the rest of the load where that file cannot be written.
#pragma once

#include "display/monitor/monitor_choice.h"

// The choice: the one made in this load that the file could not take, else the settings
// file's (the player's monitor where the file is missing or not ours).
MonitorName chosenMonitor();

// Writes `chosen` to the settings file: false when the file could not be written, the
// choice then holding until the DLL is unloaded or a later one is written.
bool keepChosenMonitor(const MonitorName& chosen);
