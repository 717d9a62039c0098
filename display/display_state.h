// The display's module-level state and what its two ways of showing the picture share, for
// the files of display/ only.
//
//   convert/    the row converters and the scaled frame: pixel code, nothing of the system
//   exclusive/  the whole screen through DirectDraw, in a mode of the picture's size,
//               through a flip chain
//   windowed/   a window covering one monitor in the desktop's own mode, the picture scaled
//               by a whole factor and drawn through GDI
//   monitor/    which monitor the windowed display covers: the user's choice, its settings
//               file, the system's monitors and the configuration dialog
//   here        the window and its class, the screensaver, the pump, the DPI context, the
//               window procedure and the teardown of either way
#pragma once

#include <cstdint>

#include "display/exclusive/exclusive_state.h"
#include "display/windowed/windowed_state.h"
#include "platform/services.h"

struct DisplayState {
    WNDCLASSA windowClass;
    HWND window;
    uint32_t requestedWidth;  // of the picture
    uint32_t requestedHeight;
    int classRegistered;              // by this start, so the teardown unregisters it
    int screensaverWasOn;             // before this start, so the teardown switches it back on
    int displayHeld;                  // kept on by this start, so the teardown lets it go
    EXECUTION_STATE executionBefore;  // the thread's state before, 0 where it is not known
    ExclusiveDisplay exclusive;
    WindowedDisplay windowed;
};

DisplayState& displayState();

// A failed start gives back at once what it took, by the teardown's own path: the host
// makes no stop call after a failed start, and the desktop would otherwise stay changed
// behind a window nobody sees. Always 0, the start's failure.
int abandonStart();
// Registers the class `name`, of the class style `style`, and makes the window, hidden, at
// `place`.
void createWindow(DisplayState& d, const char* name, const RECT& place, UINT style = 0);
void noteScreensaver(DisplayState& d);
void holdScreen(DisplayState& d);
void pumpWindowMessages(DisplayState& d);
