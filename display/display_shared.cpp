// What both ways of showing the picture do alike: the window and its class, the
// screensaver, the pump.
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

int abandonStart() {
    displayShutdown();
    return 0;
}

void createWindow(DisplayState& d, const char* name, const RECT& place, UINT style) {
    WNDCLASSA& wc = d.windowClass;
    std::memset(&wc, 0, sizeof wc);
    wc.style = style;
    wc.lpfnWndProc = windowProc;
    // The host executable's instance, not the plug-in's: the icon is the host's.
    wc.hInstance = win::GetModuleHandleA(nullptr);
    wc.hIcon = win::LoadIconA(wc.hInstance, "IDI_MAIN");
    wc.lpszClassName = name;
    d.classRegistered = win::RegisterClassA(&wc) != 0;
    // Hidden until the start has everything it needs.
    d.window = win::CreateWindowExA(0, name, name, WS_POPUP | WS_SYSMENU, place.left, place.top,
                                    place.right - place.left, place.bottom - place.top, nullptr,
                                    nullptr, nullptr, nullptr);
}

// Read before DirectDraw is loaded: under Wine, taking exclusive mode switches the
// screensaver off by itself and never back on, so a later look would find it off.
void noteScreensaver(DisplayState& d) {
    BOOL active = FALSE;
    win::SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0);
    d.screensaverWasOn = active ? 1 : 0;
}

// The screensaver off only when it was on, so that the teardown gives back the user's own
// setting. The display's own power-off timer would blank the picture as surely as the
// screensaver, on every system with power management: the thread keeps the display on too,
// until the teardown gives back the state it had.
void holdScreen(DisplayState& d) {
    if (d.screensaverWasOn) {
        win::SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, FALSE, nullptr, 0);
    }
    d.executionBefore = win::SetThreadExecutionState(ES_CONTINUOUS | ES_DISPLAY_REQUIRED);
    d.displayHeld = 1;
}

void pumpWindowMessages(DisplayState& d) {
    MSG message;
    // Only the display window's messages: those posted to the host's thread are its own.
    while (win::PeekMessageA(&message, d.window, 0, 0, PM_REMOVE)) {
        win::TranslateMessage(&message);
        win::DispatchMessageA(&message);
    }
}
