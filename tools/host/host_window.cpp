#include "tools/host/host_window.h"

#include <cstring>

namespace {

const char kHostClass[] = "glintix-host";

struct WindowSearch {
    const char* className;
    HWND found;
};

BOOL CALLBACK matchClass(HWND window, LPARAM parameter) {
    WindowSearch* search = reinterpret_cast<WindowSearch*>(parameter);
    char name[256];
    if (GetClassNameA(window, name, sizeof name) > 0 && std::strcmp(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

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

const char* wineVersion() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    if (!ntdll) {
        return nullptr;
    }
    typedef const char*(CDECL * VersionFunction)();
    // Through a plain function pointer: FARPROC's own signature is a placeholder.
    VersionFunction version = reinterpret_cast<VersionFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "wine_get_version")));
    return version ? version() : nullptr;
}

HWND findThreadWindow(const char* className) {
    WindowSearch search = {className, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), matchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
