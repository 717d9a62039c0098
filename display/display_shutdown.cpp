#include "display/display.h"
#include "display/display_state.h"

namespace {

void releaseExclusive(ExclusiveDisplay& e, HWND window) {
    // The back buffer belongs to the primary's flip chain and goes with it.
    if (e.primary) {
        e.primary->Release();
        e.primary = nullptr;
    }
    // The mode comes back while the level is still exclusive, and DirectDraw lets go of the
    // window before it is destroyed.
    if (e.directDraw) {
        e.directDraw->RestoreDisplayMode();
        e.directDraw->SetCooperativeLevel(window, DDSCL_NORMAL);
        e.directDraw->Release();
        e.directDraw = nullptr;
    }
}

}  // namespace

void displayShutdown() {
    DisplayState& d = displayState();
    releaseExclusive(d.exclusive, d.window);
    // The window's layout, kept for the next start, while the window is there to tell it.
    if (d.windowed.up) {
        rememberLayout(d);
        d.windowed.up = 0;
    }
    if (d.windowed.pixels) {
        win::HeapFree(win::GetProcessHeap(), 0, d.windowed.pixels);
        d.windowed.pixels = nullptr;
    }
    if (d.windowed.shown) {
        win::HeapFree(win::GetProcessHeap(), 0, d.windowed.shown);
        d.windowed.shown = nullptr;
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
    // After the last DirectDraw call.
    if (d.exclusive.library) {
        win::FreeLibrary(d.exclusive.library);
        d.exclusive.library = nullptr;
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
    // The state the thread had, which the call that took it told; where it told none (0 is
    // also its failure), merely continuous, as a thread starts.
    if (d.displayHeld) {
        win::SetThreadExecutionState(d.executionBefore & ES_CONTINUOUS ? d.executionBefore
                                                                       : ES_CONTINUOUS);
        d.displayHeld = 0;
    }
}
