// The host's own hidden window and its dealings with the window system.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

// A hidden top-level window standing for the media player's main window: the parent the
// plug-in is given. Null if it cannot be made (the plug-in then gets no parent).
HWND createHostWindow(HINSTANCE instance);

// Shows the host's window and makes it the foreground window, on the calling thread, as a
// player does that starts the plug-in from its own active interface. True when it is then
// the foreground window.
bool showHostWindowInFront(HWND hostWindow);

// Handles what is queued for the host's own window and for the thread itself, and leaves
// the messages of the plug-in's windows queued for the plug-in, which takes them inside
// its render call.
void pumpHostMessages(HWND hostWindow);
