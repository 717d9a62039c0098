#include "display/display.h"
#include "display/display_state.h"

void displayShutdown() {
    DisplayState& d = displayState();
    if (d.canvas) {
        d.canvas->Release();
        d.canvas = nullptr;
    }
    // The back buffer belongs to the primary's flip chain and goes with it.
    if (d.primary) {
        d.primary->Release();
        d.primary = nullptr;
    }
    if (d.clipper) {
        d.clipper->Release();
        d.clipper = nullptr;
    }
    // The mode comes back while the level is still exclusive, and DirectDraw lets go of the
    // window before it is destroyed.
    if (d.directDraw) {
        // The windowed display never changed the mode: nothing to give back.
        if (d.exclusive) {
            d.directDraw->RestoreDisplayMode();
        }
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
    // On again exactly when the user had it on, whoever switched it off since. Then read
    // back: under Wine the switch is a request to the X server that only a round trip sends,
    // and a host that ends soon after the stop would lose it.
    if (d.screensaverWasOn) {
        win::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, TRUE, nullptr, 0);
        BOOL active = FALSE;
        win::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
        d.screensaverWasOn = 0;
    }
}
