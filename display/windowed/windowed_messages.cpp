// What the windowed display's window does with the user's keys and clicks and the system's
// news of its size and scale. Escape and a close request stop the run through the shared
// window procedure, as everywhere.
#include "display/display_state.h"

namespace {

constexpr UINT kDpiChanged = 0x02E0;  // WM_DPICHANGED, from Windows 8.1 on

}  // namespace

bool windowedMessage(DisplayState& d, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    WindowedDisplay& w = d.windowed;
    *result = 0;
    switch (message) {
        case WM_SYSKEYDOWN:
            // Alt+Enter (the context bit: Alt is down); every other system key, Alt+F4 among
            // them, goes on to the default handling.
            if (wParam == VK_RETURN && (lParam & (LPARAM{1} << 29))) {
                w.switchDue = 1;
                return true;
            }
            return false;
        case WM_SYSCHAR:
            // The character of Alt+Enter, which would only beep.
            return wParam == '\r';
        case WM_LBUTTONDBLCLK:
            w.switchDue = 1;
            return true;
        case WM_SETCURSOR:
            // No cursor over the picture; the system's own (resize arrows) over the frame.
            if (LOWORD(lParam) != HTCLIENT) {
                *result = win::DefWindowProcA(d.window, message, wParam, lParam);
                return true;
            }
            win::SetCursor(nullptr);
            *result = TRUE;
            return true;
        case WM_GETMINMAXINFO: {
            if (!w.layout.inWindow) {
                return false;
            }
            RECT outer, client;
            if (!win::GetWindowRect(d.window, &outer) || !win::GetClientRect(d.window, &client)) {
                return false;
            }
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize.x =
                static_cast<LONG>(d.requestedWidth) + (outer.right - outer.left) - client.right;
            limits->ptMinTrackSize.y =
                static_cast<LONG>(d.requestedHeight) + (outer.bottom - outer.top) - client.bottom;
            return true;
        }
        case WM_SIZE:
            if (wParam == SIZE_MINIMIZED) {
                return false;
            }
            if (w.layout.inWindow) {
                w.layout.maximised = wParam == SIZE_MAXIMIZED;
            }
            if (LOWORD(lParam) != w.width || HIWORD(lParam) != w.height) {
                w.placeDue = 1;
            }
            return false;
        case WM_WINDOWPOSCHANGED: {
            // The window's normal place, as the user left it; maximised, it keeps the one before.
            RECT rect;
            if (w.layout.inWindow && !win::IsIconic(d.window) && !win::IsZoomed(d.window) &&
                win::GetWindowRect(d.window, &rect)) {
                w.layout.rect = rect;
                w.layout.hasRect = true;
            }
            return false;
        }
        case kDpiChanged:
            // Dragged onto a monitor of another scale: the rectangle the system suggests.
            if (w.layout.inWindow) {
                const RECT* r = reinterpret_cast<const RECT*>(lParam);
                win::SetWindowPos(d.window, nullptr, r->left, r->top, r->right - r->left,
                                  r->bottom - r->top, SWP_NOZORDER | SWP_NOACTIVATE);
            } else {
                w.placeDue = 1;
            }
            return true;
        case WM_PAINT:
            // The system lost a part of what the window showed (a window in front went
            // away, say, where nothing composes the desktop); the default handling validates
            // it, and the next frame copies everything.
            w.wholeDue = 1;
            return false;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) != kOnTopCommand) {
                return false;
            }
            toggleOnTop(d);
            return true;
        default:
            return false;
    }
}
