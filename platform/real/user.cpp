#include "platform/services.h"

namespace win {

ATOM RegisterClassA(const WNDCLASSA* windowClass) { return ::RegisterClassA(windowClass); }

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
    return ::UnregisterClassA(className, instance);
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID creationData) {
    return ::CreateWindowExA(exStyle, className, title, style, x, y, width, height, parent, menu,
                             instance, creationData);
}

BOOL DestroyWindow(HWND window) { return ::DestroyWindow(window); }
HICON LoadIconA(HINSTANCE instance, LPCSTR name) { return ::LoadIconA(instance, name); }
HCURSOR SetCursor(HCURSOR cursor) { return ::SetCursor(cursor); }

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

BOOL IsIconic(HWND window) { return ::IsIconic(window); }
BOOL ShowWindow(HWND window, int command) { return ::ShowWindow(window, command); }
BOOL IsWindow(HWND window) { return ::IsWindow(window); }
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
    return ::MoveWindow(window, x, y, width, height, repaint);
}
LONG SetWindowLongA(HWND window, int index, LONG value) {
    return ::SetWindowLongA(window, index, value);
}
BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(window, after, x, y, width, height, flags);
}
BOOL GetWindowRect(HWND window, LPRECT rect) { return ::GetWindowRect(window, rect); }
BOOL GetClientRect(HWND window, LPRECT rect) { return ::GetClientRect(window, rect); }
BOOL ClientToScreen(HWND window, LPPOINT point) { return ::ClientToScreen(window, point); }
BOOL IsZoomed(HWND window) { return ::IsZoomed(window); }
HMENU GetSystemMenu(HWND window, BOOL revert) { return ::GetSystemMenu(window, revert); }
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text) {
    return ::AppendMenuA(menu, flags, id, text);
}
DWORD CheckMenuItem(HMENU menu, UINT id, UINT flags) { return ::CheckMenuItem(menu, id, flags); }
HMONITOR MonitorFromWindow(HWND window, DWORD flags) { return ::MonitorFromWindow(window, flags); }
HMONITOR MonitorFromPoint(POINT point, DWORD flags) { return ::MonitorFromPoint(point, flags); }

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info) {
    return ::GetMonitorInfoA(monitor, info);
}
BOOL EnumDisplayMonitors(HDC dc, LPRECT clip, MONITORENUMPROC callback, LPARAM context) {
    return ::EnumDisplayMonitors(dc, clip, callback, context);
}
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM initParam) {
    return ::DialogBoxParamA(instance, templateName, owner, procedure, initParam);
}
BOOL EndDialog(HWND dialog, INT_PTR result) { return ::EndDialog(dialog, result); }
LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::SendDlgItemMessageA(dialog, item, message, wParam, lParam);
}
BOOL SetDlgItemTextA(HWND dialog, int item, LPCSTR text) {
    return ::SetDlgItemTextA(dialog, item, text);
}
HWND GetForegroundWindow() { return ::GetForegroundWindow(); }

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    return ::GetWindowThreadProcessId(window, processId);
}

BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT removal) {
    return ::PeekMessageA(message, window, first, last, removal);
}

BOOL TranslateMessage(const MSG* message) { return ::TranslateMessage(message); }
LRESULT DispatchMessageA(const MSG* message) { return ::DispatchMessageA(message); }

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni) {
    return ::SystemParametersInfoA(action, uiParam, pvParam, winIni);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    return ::MessageBoxA(owner, text, caption, type);
}

HDC GetDC(HWND window) { return ::GetDC(window); }
int ReleaseDC(HWND window, HDC dc) { return ::ReleaseDC(window, dc); }

}  // namespace win
