// The start of the windowed display: a borderless window covering the chosen monitor or
// the one that holds the host's window, in the desktop's own mode, with the picture scaled
// by a whole factor.
#include "display/display.h"
#include "display/display_state.h"
#include "display/dpi_context.h"

int windowedInit(const char* name, uint32_t width, uint32_t height, HWND host,
                 const MonitorName& chosen, const WindowLayout& layout) {
    DisplayState& d = displayState();
    WindowedDisplay& w = d.windowed;
    d.requestedWidth = width;
    d.requestedHeight = height;
    w.host = host;
    w.chosen = chosen;
    w.layout = layout;
    w.placeDue = w.switchDue = 0;

    noteScreensaver(d);
    w.setThreadDpi = lookUpDpiContexts();
    RECT monitor, work;
    {
        // A window made under the context keeps the monitor's real pixels.
        PerMonitorDpi dpi(w.setThreadDpi);
        // The whole monitor first, the window then on that monitor where the layout says so.
        w.layout.inWindow = false;
        createWindow(d, name, RECT{0, 0, 0, 0}, CS_DBLCLKS);
        if (layout.inWindow && findMonitor(w.chosen, w.host, &monitor, &work)) {
            enterWindow(d, work, false);
        }
    }
    // The frame last shown, against which each frame finds what changed.
    w.shown = static_cast<uint32_t*>(win::HeapAlloc(win::GetProcessHeap(), HEAP_ZERO_MEMORY,
                                                    static_cast<SIZE_T>(width) * height * 4));
    if (!w.shown || !placeWindowed(d)) {
        return abandonStart();
    }
    holdScreen(d);
    // From here on its messages are the windowed display's, and its layout kept at the end.
    w.up = 1;
    win::ShowWindow(d.window, w.layout.inWindow && layout.maximised ? SW_SHOWMAXIMIZED : SW_SHOW);
    // Black, until the first frame.
    copyToWindow(d);
    return 1;
}
