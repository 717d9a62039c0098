// The windowed display's monitor as the system lists it and as the user chose it: the
// choice is kept in a small text file in the user's application-data folder, and for the
// rest of the load where that file cannot be written.
#pragma once

#include "display/monitor_choice.h"

// Up to `capacity` monitors as the calling thread sees them, in the system's order: their
// number. Call it under the DPI context that the rectangles are to be in.
int listMonitors(PresentMonitor* out, int capacity);

// The choice: the one made in this load where there is one, else the settings file's (the
// player's monitor where the file is missing or not ours).
MonitorName chosenMonitor();

// Keeps `chosen` for this load and writes it to the settings file: false when the file
// could not be written, the choice then holding until the DLL is unloaded.
bool keepChosenMonitor(const MonitorName& chosen);

// The configuration dialog: the monitors as they are now, the choice marked; OK keeps the
// one selected, Cancel nothing. Owned by `owner`, and modal to it.
void runMonitorDialog(HWND owner);
