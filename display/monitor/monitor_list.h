// The monitors as the system lists them.
#pragma once

#include "display/monitor/monitor_choice.h"

// Up to `capacity` monitors as the calling thread sees them, in the system's order: their
// number. Call it under the DPI context that the rectangles are to be in.
int listMonitors(PresentMonitor* out, int capacity);
