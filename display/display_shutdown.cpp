#include "display/display.h"
#include "display/display_state.h"

void displayShutdown() {
    DisplayState& d = displayState();
    // The back buffer belongs to the primary's flip chain and goes with it.
    if (d.primary) {
        d.primary->Release();
        d.primary = nullptr;
    }
    // The mode comes back while the level is still exclusive, and DirectDraw lets go of the
    // window before it is destroyed.
    if (d.directDraw) {
        d.directDraw->RestoreDisplayMode();
        d.directDraw->SetCooperativeLevel(d.window, DDSCL_NORMAL);
        d.directDraw->Release();
        d.directDraw = nullptr;
    }
    win::DestroyWindow(d.window);
    // A later teardown must not destroy another window that has been given this handle.
    d.window = nullptr;
    // The class names this library's window procedure: left registered, it would outlive an
    // unloaded library and a later load's window would call into freed code.
    if (d.classRegistered) {
        win::UnregisterClassA(d.windowClass.lpszClassName, d.windowClass.hInstance);
        d.classRegistered = 0;
    }
    if (d.library) {
        win::FreeLibrary(d.library);
        d.library = nullptr;
    }
    if (d.screensaverSwitchedOff) {
        win::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
        d.screensaverSwitchedOff = 0;
    }
}
