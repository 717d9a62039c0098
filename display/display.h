// The display, in one of two ways. Exclusive: a window of its own, exclusive control of the
// screen through DirectDraw, a mode of the picture's size and a flip chain that frames are
// converted into. Windowed: a borderless window covering one monitor in the desktop's own
// mode, the picture scaled by a whole factor and drawn through GDI. The window procedure
// turns the user's keys and the application's activation into the two flags below.
//
// Every call comes from the one thread that the host calls the module on: the window
// belongs to it, and its messages are handled inside displayPresent.
#pragma once

#include <cstdint>

#include "display/monitor/monitor_choice.h"
#include "display/monitor/monitor_dialog.h"
#include "display/monitor/settings_file.h"
#include "platform/services.h"

// Brings the display up for a picture of width x height pixels: 1 when it is up, 0 when the
// start failed, in which case everything it had taken is given back already. `name` becomes
// the window class and title, and must stay valid until displayShutdown.
int displayInit(const char* name, uint32_t width, uint32_t height);

// Handles the window's pending messages, then, while the application is active and the
// window not minimised, puts the picture (width x height pixels of 0x00RRGGBB, rows packed) on the
// screen. 0 when the back buffer could not be locked and the frame was dropped; 1 otherwise.
int displayPresent(const uint32_t* source);

// Brings the windowed display up, on the `chosen` monitor where it is there, else on the one
// that holds `host` (the primary one when it is null or gone), for a width x height
// picture, on the whole monitor or in a window as `layout` says: 1 when it is up, 0 when the
// start failed, having given everything back, as when the monitor is smaller than the
// picture. The display mode is never changed. `name` as for displayInit.
int windowedInit(const char* name, uint32_t width, uint32_t height, HWND host,
                 const MonitorName& chosen, const WindowLayout& layout);

// Handles the window's pending messages, then, unless the window is minimised, puts the
// picture on the screen wherever the window shows. Alt+Enter or a double-click switch
// between the whole monitor and the window first. After a display change it finds the
// monitor again, by the same rule as the start, and places the window and the picture anew;
// after a resize of the window, the picture; where the display can no longer hold the
// picture it clears the running flag instead. 0 when the frame was dropped; 1 otherwise.
int windowedPresent(const uint32_t* source);

// Gives back the screen, the display mode and everything either start took. Safe after a
// failed start and when called twice.
void displayShutdown();

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// 1 while the effect is to keep going; Escape and a close request clear it.
int runningFlag();
void setRunningFlag(int value);
// Nonzero while the application is in the foreground; frames are drawn only then.
// WM_ACTIVATEAPP sets it, and a start that finds its own thread in the foreground.
int activeFlag();
void setActiveFlag(int value);
