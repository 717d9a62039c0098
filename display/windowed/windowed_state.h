// The windowed display's own state and the parts that its files share: the whole window's
// picture in memory, which every frame copies to the window through GDI, so that the
// borders are drawn with it.
#pragma once

#include <cstdint>

#include "display/convert/scaled_frame.h"
#include "display/monitor/monitor_choice.h"
#include "platform/services.h"

struct WindowedDisplay {
    HWND host;           // the player's window, whose monitor the picture covers
    MonitorName chosen;  // the user's monitor instead, while it is there
    uint32_t* pixels;    // width x height pixels of 0x00RRGGBB, rows from the top
    uint32_t width;      // of the window, which is the monitor's size
    uint32_t height;
    PicturePlacement place;
    int placeDue;  // the display changed: find the monitor and place everything anew
    win::SetThreadDpiContextFunction setThreadDpi;  // null where the system has none
};

struct DisplayState;

// The window on the chosen monitor, or on that of the host's window, its picture placed and
// black: false when the display cannot hold the picture or the heap has no room for it.
bool placeWindowed(DisplayState& d);
// The window's picture, copied to the window: false when GDI did not take it.
bool copyToWindow(const DisplayState& d);
