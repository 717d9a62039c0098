// What the user and other programs do to a run, apart from the model of the system: each
// control acts through the parts of the model that the system's own rules name.
#include "platform/sim/internal.h"

namespace sim {

void switchAway() {
    otherProgramToFront();
    HWND exclusive = exclusiveLevelWindow();
    if (!exclusive) {
        return;
    }
    post(exclusive, WM_ACTIVATEAPP, FALSE, 0);
    // The desktop gets its own mode back, and every surface made for the other is lost.
    switchMode(desktopMode());
}

void switchBack(HWND window) {
    bringToFront(window);
    post(window, WM_ACTIVATEAPP, TRUE, 0);
    Mode own;
    if (exclusiveModeOf(&own)) {
        switchMode(own);
    }
}

void changeDisplay(const Mode& mode, const std::vector<Monitor>& monitors, bool told) {
    setDesktop(mode);
    switchMode(mode);
    setMonitors(monitors);
    // Nothing that GDI drew survives a new layout.
    clearScreen();
    if (!told) {
        return;
    }
    // Sent to every top-level window, with the depth and the new size of the primary
    // (Microsoft: WM_DISPLAYCHANGE).
    const RECT primary =
        monitors.empty() ? RECT{0, 0, static_cast<LONG>(mode.width), static_cast<LONG>(mode.height)}
                         : monitors[0].rect;
    const LPARAM size =
        static_cast<LPARAM>((static_cast<uint32_t>(primary.bottom - primary.top) << 16) |
                            static_cast<uint16_t>(primary.right - primary.left));
    postToEveryWindow(WM_DISPLAYCHANGE, mode.bits, size);
}

void minimiseWindow(HWND window, bool minimised) {
    // Restored, the window is drawn afresh, and shows nothing of its own until its owner
    // draws it again.
    if (setMinimised(window, minimised) && !minimised) {
        drawnAfresh(screenRect(window));
    }
}

}  // namespace sim
