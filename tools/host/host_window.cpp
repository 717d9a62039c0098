#include "tools/host/host_window.h"

namespace {

const char kHostClass[] = "glintix-host";

}  // namespace

HWND createHostWindow(HINSTANCE instance) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kHostClass;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, kHostClass, "glintix-host", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
}

bool showHostWindowInFront(HWND hostWindow) {
    ShowWindow(hostWindow, SW_SHOW);
    SetForegroundWindow(hostWindow);
    pumpHostMessages(hostWindow);
    return GetForegroundWindow() == hostWindow;
}

void pumpHostMessages(HWND hostWindow) {
    MSG message;
    // (HWND)-1 selects the messages posted to the thread itself.
    HWND targets[2] = {reinterpret_cast<HWND>(-1), hostWindow};
    for (HWND target : targets) {
        if (!target) {
            continue;
        }
        while (PeekMessageA(&message, target, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
}
