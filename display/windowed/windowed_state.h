// The windowed display's own state and the parts that its files share: the whole client
// area's picture in memory, which every frame copies to the window through GDI, so that the
// borders are drawn with it, on the whole monitor or in a window the user places and sizes.
#pragma once

#include <cstdint>

#include "display/convert/frame_changes.h"
#include "display/convert/scaled_frame.h"
#include "display/monitor/monitor_choice.h"
#include "display/monitor/settings_text.h"
#include "platform/services.h"

struct WindowedDisplay {
    HWND host;           // the player's window, whose monitor the picture covers
    MonitorName chosen;  // the user's monitor instead, while it is there
    uint32_t* pixels;    // pictureWidth x pictureHeight pixels of 0x00RRGGBB, rows from the top
    uint32_t* shown;     // the frame that the picture now shows, as the host gave it
    uint32_t pictureWidth;
    uint32_t pictureHeight;
    uint32_t width;  // of the client area, at most the picture's size
    uint32_t height;
    PicturePlacement place;
    int placeDue;   // the display or the window changed: place everything anew
    int wholeDue;   // the window may show anything: scale and copy the whole picture
    int switchDue;  // Alt+Enter or a double-click: the other presentation
    int up;         // the window is this display's: its messages are handled here
    WindowLayout layout;
    win::SetThreadDpiContextFunction setThreadDpi;  // null where the system has none
};

struct DisplayState;

// The system menu's item that keeps the window above the others.
constexpr UINT kOnTopCommand = 0x0100;

// The monitor that the user chose, while it is there; else the one that holds the host's
// window; the primary one when the host gave no window or it is gone: its rectangle and its
// work area.
bool findMonitor(const MonitorName& chosen, HWND host, RECT* monitor, RECT* work);
// On the whole monitor, the window covers the chosen monitor or that of the host's window;
// in a window, the window stays as it is. Then the picture placed in the client area and
// black: false when the display cannot hold the picture or the heap has no room for it.
bool placeWindowed(DisplayState& d);
// The window's picture, copied to the window: false when GDI did not take it.
bool copyToWindow(const DisplayState& d);
// Of the picture, the rectangles that show the frame's changed rectangles, copied to the window:
// false when GDI did not take one.
bool copyRects(const DisplayState& d, const ChangedRect* rects, uint32_t count);

// Into a window with a frame, where the layout last had it, unless no monitor shows its
// title bar; else at its first place on the monitor whose work area is `work`.
void enterWindow(DisplayState& d, const RECT& work, bool shown);
// Into the other presentation: the whole monitor that holds most of the window, or the
// window; the layout then kept in the settings file.
void switchPresentation(DisplayState& d);
void toggleOnTop(DisplayState& d);
// The layout kept in the settings file at the end of a run that had a window.
void rememberLayout(DisplayState& d);

// A message of the windowed display's own window: true when it is handled here, `result`
// its answer.
bool windowedMessage(DisplayState& d, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
