// Asks Wine's own DirectDraw what it offers, so that the end-to-end runs can say which
// modes, depths and pixel formats the screen under test gave, and can check the harness
// itself (screenshots, mode observation) without the plug-in.
//
//   ddraw_probe modes                    offered modes and the current one
//   ddraw_probe current                  the current mode alone
//   ddraw_probe mode W H BPP             change the display mode for the session, as a game
//                                        or the user's display settings do, and say so
//   ddraw_probe set W H BPP [SECONDS]    take the screen, set the mode, draw a test
//                                        pattern, hold it until the time is up, Escape
//                                        or a close request, give everything back
//   ddraw_probe hold FILE SECONDS        keep a window (and so a virtual desktop) alive
//                                        until FILE exists or the time is up
//   ddraw_probe front FILE SECONDS [X Y W H]
//                                        the same with a window that shows and takes the
//                                        foreground, as a program the user switches to; at
//                                        40,40 and 320x200 unless given
//   ddraw_probe monitors                 the monitors, a line each, and the system's DPI
//   ddraw_probe window TITLE minimise|activate|place
//                                        minimise the window titled TITLE, or restore it
//                                        and bring it to the foreground, as the shell
//                                        does, and print the tick count from before; or
//                                        print where its client area is on the screen,
//                                        whether it has a frame and is maximised
//   ddraw_probe post CLASS escape|close  post Escape or WM_CLOSE to a window of CLASS
//   ddraw_probe dialog CAPTION           the owner and controls of the window titled CAPTION
//   ddraw_probe run PROGRAM [ARGS...]    run a program, wait, print its exit status: a
//                                        virtual desktop's explorer does not pass it on
//   ddraw_probe screensaver [on|off]     switch the user's screensaver setting for the
//                                        session, as the plug-in does; print it
//   ddraw_probe desktop                  what a run may leave changed, a line each: mode,
//                                        screensaver, cursor clip and visibility, work
//                                        area, gamma ramp
//   ddraw_probe version FILE             the version resource as file properties show it
//
// The pattern is a white W0 x H0 rectangle (640x480, or the mode if smaller) centred in
// the mode, the way the plug-in centres its picture in a larger mode.
#include <ddraw.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

HRESULT WINAPI printMode(DDSURFACEDESC* mode, void*) {
    std::printf("mode %lu %lu %lu\n", mode->dwWidth, mode->dwHeight,
                mode->ddpfPixelFormat.dwRGBBitCount);
    return DDENUMRET_OK;
}

void printCurrent(const char* label) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &dm)) {
        std::printf("%s %lu %lu %lu\n", label, dm.dmPelsWidth, dm.dmPelsHeight, dm.dmBitsPerPel);
    } else {
        std::printf("%s unknown\n", label);
    }
}

const char* stopReason = nullptr;

LRESULT CALLBACK probeWindowProc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CLOSE:
            stopReason = "close";
            return 0;
        case WM_KEYDOWN:
            if ((wp & 0xFF) == VK_ESCAPE) {
                stopReason = "escape";
            }
            return 0;
        case WM_ACTIVATEAPP:
            std::printf("activateapp %u\n", static_cast<unsigned>(wp));
            return 0;
        default:
            return DefWindowProcA(w, msg, wp, lp);
    }
}

void pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

// White is every bit of the colour masks set, whatever the format.
void drawPattern(IDirectDrawSurface* surface, DWORD width, DWORD height, bool report) {
    DDSURFACEDESC desc{};
    desc.dwSize = sizeof desc;
    HRESULT hr = surface->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
    if (FAILED(hr)) {
        std::printf("lock failed 0x%08lx\n", hr);
        return;
    }
    const DWORD bytes = desc.ddpfPixelFormat.dwRGBBitCount / 8;
    const DWORD white = desc.ddpfPixelFormat.dwRBitMask | desc.ddpfPixelFormat.dwGBitMask |
                        desc.ddpfPixelFormat.dwBBitMask;
    const DWORD pw = width < 640 ? width : 640;
    const DWORD ph = height < 480 ? height : 480;
    const DWORD x0 = (width - pw) / 2;
    const DWORD y0 = (height - ph) / 2;
    auto* base = static_cast<unsigned char*>(desc.lpSurface);
    for (DWORD y = 0; y < desc.dwHeight; ++y) {
        unsigned char* row = base + y * desc.lPitch;
        std::memset(row, 0, desc.dwWidth * bytes);
        if (y < y0 || y >= y0 + ph) {
            continue;
        }
        for (DWORD x = x0; x < x0 + pw; ++x) {
            std::memcpy(row + x * bytes, &white, bytes);
        }
    }
    surface->Unlock(desc.lpSurface);
    if (!report) {
        return;
    }
    std::printf("pattern %lux%lu at %lu,%lu pitch %ld\n", pw, ph, x0, y0, desc.lPitch);
}

int listModes(IDirectDraw* dd) {
    printCurrent("current");
    dd->EnumDisplayModes(0, nullptr, nullptr, printMode);
    return 0;
}

int changeMode(DWORD width, DWORD height, DWORD bpp) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmPelsWidth = width;
    dm.dmPelsHeight = height;
    dm.dmBitsPerPel = bpp;
    dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    const LONG result = ChangeDisplaySettingsExA(nullptr, &dm, nullptr, 0, nullptr);
    std::printf("changed to %lu %lu %lu: %ld\n", width, height, bpp, result);
    printCurrent("current");
    return result == DISP_CHANGE_SUCCESSFUL ? 0 : 1;
}

int setAndShow(IDirectDraw* dd, DWORD width, DWORD height, DWORD bpp, DWORD seconds) {
    printCurrent("before");
    WNDCLASSA wc{};
    wc.lpfnWndProc = probeWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "ddraw probe";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, wc.lpszClassName, wc.lpszClassName, WS_POPUP | WS_SYSMENU, 0,
                                  0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    HRESULT hr = dd->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    std::printf("cooperative 0x%08lx\n", hr);
    int status = 1;
    IDirectDrawSurface* primary = nullptr;
    if (SUCCEEDED(hr)) {
        hr = dd->SetDisplayMode(width, height, bpp);
        std::printf("setmode %lu %lu %lu 0x%08lx\n", width, height, bpp, hr);
    }
    if (SUCCEEDED(hr)) {
        printCurrent("during");
        DDSURFACEDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps =
            DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX | DDSCAPS_VIDEOMEMORY;
        hr = dd->CreateSurface(&desc, &primary, nullptr);
        std::printf("primary 0x%08lx\n", hr);
    }
    IDirectDrawSurface* back = nullptr;
    if (SUCCEEDED(hr)) {
        DDSCAPS caps{DDSCAPS_BACKBUFFER};
        hr = primary->GetAttachedSurface(&caps, &back);
        std::printf("backbuffer 0x%08lx\n", hr);
    }
    if (SUCCEEDED(hr)) {
        DDPIXELFORMAT pf{};
        pf.dwSize = sizeof pf;
        hr = primary->GetPixelFormat(&pf);
        std::printf("format 0x%08lx flags 0x%lx bpp %lu masks %06lx %06lx %06lx\n", hr, pf.dwFlags,
                    pf.dwRGBBitCount, pf.dwRBitMask, pf.dwGBitMask, pf.dwBBitMask);
    }
    if (SUCCEEDED(hr)) {
        // Under Wine the picture reaches the X screen only through a visible window.
        ShowWindow(window, SW_SHOWNA);
        drawPattern(back, width, height, true);
        primary->Flip(nullptr, DDFLIP_WAIT);
        std::printf("shown\n");
        std::fflush(stdout);
        const DWORD end = GetTickCount() + seconds * 1000;
        while (!stopReason && GetTickCount() < end) {
            pump();
            drawPattern(back, width, height, false);
            primary->Flip(nullptr, DDFLIP_WAIT);
            Sleep(100);
        }
        std::printf("stopped by %s\n", stopReason ? stopReason : "time");
        status = 0;
    }
    if (primary) {
        primary->Release();
    }
    dd->RestoreDisplayMode();
    dd->SetCooperativeLevel(window, DDSCL_NORMAL);
    DestroyWindow(window);
    printCurrent("after");
    return status;
}

int hold(const char* path, DWORD seconds, bool front, const RECT& place) {
    // The front window has no frame or caption: nothing of it is pure white, which the
    // screenshots take for the plug-in's picture.
    HWND window =
        front ? CreateWindowExA(0, "STATIC", "ddraw probe front", WS_POPUP | WS_VISIBLE, place.left,
                                place.top, place.right - place.left, place.bottom - place.top,
                                nullptr, nullptr, nullptr, nullptr)
              : CreateWindowExA(0, "STATIC", "ddraw probe hold", WS_POPUP, 0, 0, 1, 1, nullptr,
                                nullptr, nullptr, nullptr);
    if (front) {
        SetForegroundWindow(window);
        pump();
        std::printf("front at %lu: foreground %s\n", GetTickCount(),
                    GetForegroundWindow() == window ? "yes" : "no");
    } else {
        std::printf("holding\n");
    }
    const DWORD end = GetTickCount() + seconds * 1000;
    while (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES && GetTickCount() < end) {
        pump();
        Sleep(50);
    }
    DestroyWindow(window);
    return 0;
}

BOOL CALLBACK printMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM) {
    MONITORINFO info{};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& r = info.rcMonitor;
    std::printf("monitor %ld %ld %ldx%ld%s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                (info.dwFlags & MONITORINFOF_PRIMARY) ? " primary" : "");
    return TRUE;
}

int monitors() {
    EnumDisplayMonitors(nullptr, nullptr, printMonitor, 0);
    HDC screen = GetDC(nullptr);
    std::printf("dpi %d\n", GetDeviceCaps(screen, LOGPIXELSX));
    ReleaseDC(nullptr, screen);
    return 0;
}

int post(const char* windowClass, const char* what) {
    HWND window = FindWindowA(windowClass, nullptr);
    if (!window) {
        std::printf("no window of class %s\n", windowClass);
        return 1;
    }
    const bool escape = std::strcmp(what, "escape") == 0;
    const BOOL ok = escape ? PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 1)
                           : PostMessageA(window, WM_CLOSE, 0, 0);
    std::printf("posted %s: %s\n", what, ok ? "ok" : "failed");
    return ok ? 0 : 1;
}

int showWindow(const char* title, const char* what) {
    HWND window = FindWindowA(nullptr, title);
    if (!window) {
        std::printf("no window titled %s\n", title);
        return 1;
    }
    if (std::strcmp(what, "place") == 0) {
        RECT client;
        POINT origin = {0, 0};
        GetClientRect(window, &client);
        ClientToScreen(window, &origin);
        const LONG style = GetWindowLongA(window, GWL_STYLE);
        std::printf("client %ldx%ld+%ld+%ld frame %s zoomed %s\n", client.right, client.bottom,
                    origin.x, origin.y, (style & WS_CAPTION) == WS_CAPTION ? "yes" : "no",
                    IsZoomed(window) ? "yes" : "no");
        return 0;
    }
    const DWORD from = GetTickCount();
    if (std::strcmp(what, "minimise") == 0) {
        ShowWindow(window, SW_MINIMIZE);
    } else {
        if (IsIconic(window)) {
            ShowWindow(window, SW_RESTORE);
        }
        SetForegroundWindow(window);
    }
    std::printf("%s from %lu: foreground %s, %s\n", what, from,
                GetForegroundWindow() == window ? "yes" : "no",
                IsIconic(window) ? "minimised" : "not minimised");
    return 0;
}

BOOL CALLBACK printControl(HWND control, LPARAM) {
    char windowClass[64] = "";
    char text[256] = "";
    GetClassNameA(control, windowClass, sizeof windowClass);
    GetWindowTextA(control, text, sizeof text);
    std::string shown;
    for (const char* c = text; *c; ++c) {
        shown += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    }
    std::printf("control %s \"%s\"\n", windowClass, shown.c_str());
    if (lstrcmpiA(windowClass, "ListBox") == 0) {
        const LRESULT count = SendMessageA(control, LB_GETCOUNT, 0, 0);
        // In Unicode: Wine passes another process's list box text on only so.
        for (LRESULT i = 0; i < count && i < 64; ++i) {
            wchar_t wide[256] = L"";
            char item[512] = "";
            if (SendMessageW(control, LB_GETTEXTLEN, i, 0) < 256) {
                SendMessageW(control, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
                WideCharToMultiByte(CP_UTF8, 0, wide, -1, item, sizeof item, nullptr, nullptr);
            }
            std::printf("item %ld \"%s\"\n", static_cast<long>(i), item);
        }
        std::printf("selected %ld\n", static_cast<long>(SendMessageA(control, LB_GETCURSEL, 0, 0)));
    }
    return TRUE;
}

int listDialog(const char* caption) {
    HWND dialog = FindWindowA(nullptr, caption);
    if (!dialog) {
        std::printf("no window titled %s\n", caption);
        return 1;
    }
    // Its owner, which a modal dialog disables while it runs.
    HWND owner = GetWindow(dialog, GW_OWNER);
    char title[128] = "";
    if (owner) {
        GetWindowTextA(owner, title, sizeof title);
    }
    std::printf("owner \"%s\"%s\n", title, owner && !IsWindowEnabled(owner) ? " disabled" : "");
    EnumChildWindows(dialog, printControl, 0);
    return 0;
}

int runProgram(int argc, char** argv) {
    std::string commandLine;
    for (int i = 0; i < argc; ++i) {
        const bool quote = std::strpbrk(argv[i], " \t") != nullptr;
        commandLine += (i ? " " : "");
        commandLine += quote ? "\"" + std::string(argv[i]) + "\"" : std::string(argv[i]);
    }
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        std::printf("could not run %s: error %lu\n", argv[0], GetLastError());
        return 1;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    std::printf("exit status %lu\n", status);
    return 0;
}

int screensaver(const char* setting) {
    if (setting) {
        const BOOL on = std::strcmp(setting, "on") == 0;
        if (!SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, on, nullptr, 0)) {
            std::printf("could not switch the screensaver: error %lu\n", GetLastError());
            return 1;
        }
    }
    BOOL active = FALSE;
    if (!SystemParametersInfoA(SPI_GETSCREENSAVEACTIVE, 0, &active, 0)) {
        std::printf("could not read the screensaver: error %lu\n", GetLastError());
        return 1;
    }
    std::printf("screensaver %s\n", active ? "on" : "off");
    return 0;
}

int desktop() {
    printCurrent("mode");
    screensaver(nullptr);
    RECT clip{};
    GetClipCursor(&clip);
    std::printf("clip %ld %ld %ld %ld\n", clip.left, clip.top, clip.right, clip.bottom);
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    GetCursorInfo(&cursor);
    std::printf("cursor %s\n", (cursor.flags & CURSOR_SHOWING) ? "showing" : "hidden");
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    std::printf("workarea %ld %ld %ld %ld\n", work.left, work.top, work.right, work.bottom);
    WORD ramp[3][256] = {};
    HDC screen = GetDC(nullptr);
    const BOOL haveRamp = GetDeviceGammaRamp(screen, ramp);
    ReleaseDC(nullptr, screen);
    unsigned long sum = 0;
    for (const auto& channel : ramp) {
        for (WORD value : channel) {
            sum = sum * 31 + value;
        }
    }
    std::printf("gamma %s %08lx\n", haveRamp ? "ramp" : "none", sum);
    return 0;
}

int version(const char* path) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &ignored);
    std::string data(size, '\0');
    if (size == 0 || !GetFileVersionInfoA(path, 0, size, &data[0])) {
        std::printf("no version resource in %s\n", path);
        return 1;
    }
    struct Translation {
        WORD language;
        WORD codePage;
    }* translation = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &length) ||
        length < sizeof *translation) {
        std::printf("no translation in %s\n", path);
        return 1;
    }
    for (const char* name : {"FileDescription", "FileVersion", "ProductName", "ProductVersion",
                             "OriginalFilename", "InternalName"}) {
        char query[96];
        std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", translation->language,
                      translation->codePage, name);
        char* value = nullptr;
        UINT chars = 0;
        const bool found =
            VerQueryValueA(data.data(), query, reinterpret_cast<void**>(&value), &chars);
        std::printf("%s: %s\n", name, found && value ? value : "(none)");
    }
    return 0;
}

}  // namespace

const char* const usage =
    "usage: ddraw_probe modes | current | mode W H BPP | set W H BPP [SECONDS]\n"
    "       | hold FILE SECONDS\n"
    "       | front FILE SECONDS [X Y W H] | monitors | window TITLE minimise|activate|place\n"
    "       | post CLASS escape|close | dialog CAPTION | run PROGRAM [ARGS...]\n"
    "       | screensaver [on|off] | desktop | version FILE\n";

int main(int argc, char** argv) {
    setvbuf(stdout, nullptr, _IONBF, 0);
    if (argc < 2) {
        std::fprintf(stderr, "%s", usage);
        return 2;
    }
    if (std::strcmp(argv[1], "current") == 0) {
        printCurrent("current");
        return 0;
    }
    if (std::strcmp(argv[1], "mode") == 0 && argc == 5) {
        return changeMode(std::strtoul(argv[2], nullptr, 10), std::strtoul(argv[3], nullptr, 10),
                          std::strtoul(argv[4], nullptr, 10));
    }
    if (std::strcmp(argv[1], "hold") == 0 && argc == 4) {
        return hold(argv[2], std::strtoul(argv[3], nullptr, 10), false, RECT{0, 0, 1, 1});
    }
    if (std::strcmp(argv[1], "front") == 0 && (argc == 4 || argc == 8)) {
        RECT place = {40, 40, 360, 240};
        if (argc == 8) {
            place.left = std::atoi(argv[4]);
            place.top = std::atoi(argv[5]);
            place.right = place.left + std::atoi(argv[6]);
            place.bottom = place.top + std::atoi(argv[7]);
        }
        return hold(argv[2], std::strtoul(argv[3], nullptr, 10), true, place);
    }
    if (std::strcmp(argv[1], "monitors") == 0 && argc == 2) {
        return monitors();
    }
    if (std::strcmp(argv[1], "window") == 0 && argc == 4) {
        return showWindow(argv[2], argv[3]);
    }
    if (std::strcmp(argv[1], "dialog") == 0 && argc == 3) {
        return listDialog(argv[2]);
    }
    if (std::strcmp(argv[1], "run") == 0 && argc >= 3) {
        return runProgram(argc - 2, argv + 2);
    }
    if (std::strcmp(argv[1], "screensaver") == 0 && argc <= 3) {
        return screensaver(argc == 3 ? argv[2] : nullptr);
    }
    if (std::strcmp(argv[1], "desktop") == 0 && argc == 2) {
        return desktop();
    }
    if (std::strcmp(argv[1], "version") == 0 && argc == 3) {
        return version(argv[2]);
    }
    if (std::strcmp(argv[1], "post") == 0 && argc == 4) {
        return post(argv[2], argv[3]);
    }
    IDirectDraw* dd = nullptr;
    HRESULT hr = DirectDrawCreate(nullptr, &dd, nullptr);
    if (FAILED(hr)) {
        std::printf("DirectDrawCreate failed 0x%08lx\n", hr);
        return 1;
    }
    int status = 2;
    if (std::strcmp(argv[1], "modes") == 0) {
        status = listModes(dd);
    } else if (std::strcmp(argv[1], "set") == 0 && argc >= 5) {
        status = setAndShow(dd, std::strtoul(argv[2], nullptr, 10),
                            std::strtoul(argv[3], nullptr, 10), std::strtoul(argv[4], nullptr, 10),
                            argc > 5 ? std::strtoul(argv[5], nullptr, 10) : 3);
    } else {
        std::fprintf(stderr, "%s", usage);
    }
    dd->Release();
    return status;
}
