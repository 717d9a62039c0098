// The start of the windowed display: a borderless window covering the chosen monitor or
// the one that holds the host's window, in the desktop's own mode, with the picture scaled
// by a whole factor.
#include "display/display.h"
#include "display/display_state.h"
#include "display/dpi_context.h"

int windowedInit(const char* name, uint32_t width, uint32_t height, HWND host,
                 const MonitorName& chosen) {
    DisplayState& d = displayState();
    WindowedDisplay& w = d.windowed;
    d.requestedWidth = width;
    d.requestedHeight = height;
    w.host = host;
    w.chosen = chosen;

    noteScreensaver(d);
    w.setThreadDpi = lookUpDpiContexts();
    {
        // A window made under the context keeps the monitor's real pixels.
        PerMonitorDpi dpi(w.setThreadDpi);
        createWindow(d, name, RECT{0, 0, 0, 0});
    }
    if (!placeWindowed(d)) {
        return abandonStart();
    }
    holdScreensaver(d);
    win::ShowWindow(d.window, SW_SHOW);
    // Black, until the first frame.
    copyToWindow(d);
    return 1;
}
