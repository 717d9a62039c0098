// The system's one way into Windows: the kernel32 / user32 calls it makes and the way into
// DirectDraw, with the operations and arguments of the Windows calls themselves. The real
// binding (platform/real) forwards each call to Win32; the simulated one (platform/sim)
// answers from a scriptable model so the same code runs under test on any machine.
//
// DirectDraw has no entry of its own here: it is reached as on Windows, by loading
// "ddraw.dll" with LoadLibraryA and looking up "DirectDrawCreate" with GetProcAddress, so
// the library is never imported and a machine without it still loads the plug-in.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <ddraw.h>
#include <windows.h>
#else
#include "platform/win32_types.h"
#endif

namespace win {

// The entry point that GetProcAddress(ddraw, "DirectDrawCreate") yields.
typedef HRESULT(WINAPI* DirectDrawCreateFunction)(GUID* driver, LPDIRECTDRAW* directDraw,
                                                  IUnknown* outer);

// Where the system offers it (Windows 10 1607 and later), user32's
// SetThreadDpiAwarenessContext, looked up at run time: a window created under a per-monitor
// context gets the monitor's real pixels instead of a picture the system scales up.
// Its contexts are small negative numbers in pointer form.
typedef void*(WINAPI* SetThreadDpiContextFunction)(void* context);
constexpr intptr_t kDpiPerMonitorAwareV2 = -4;
constexpr intptr_t kDpiPerMonitorAware = -3;

// Kernel services.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
HMODULE LoadLibraryA(LPCSTR name);
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
BOOL FreeLibrary(HMODULE module);
HMODULE GetModuleHandleA(LPCSTR name);
BOOL IsProcessorFeaturePresent(DWORD feature);
// A run keeps the display from powering off while it goes, and lets it again at its end.
EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags);
// The general heap, for the particles: unlike operator new it has no exception path.
HANDLE GetProcessHeap();
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes);
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block);
// The user's settings file: its folder from the environment ("APPDATA").
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR value, DWORD size);
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD attributes, HANDLE templateFile);
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD read, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes, LPDWORD written,
               LPOVERLAPPED overlapped);
BOOL CloseHandle(HANDLE object);
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags);
BOOL DeleteFileA(LPCSTR path);
// This DLL, whose resources hold the configuration dialog.
HINSTANCE thisModule();
// Per-thread slots, for the random source's state, and what tells one thread from another:
// an id, which Windows hands to a new thread soon after the old one ended, and the
// thread's creation time, which a new thread cannot share with an old one of that id.
DWORD GetCurrentThreadId();
HANDLE GetCurrentThread();
BOOL GetThreadTimes(HANDLE thread, LPFILETIME creation, LPFILETIME exit, LPFILETIME kernel,
                    LPFILETIME user);
DWORD TlsAlloc();
BOOL TlsFree(DWORD slot);
LPVOID TlsGetValue(DWORD slot);
BOOL TlsSetValue(DWORD slot, LPVOID value);

// Window system.
ATOM RegisterClassA(const WNDCLASSA* windowClass);
BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance);
HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                     LPVOID creationData);
BOOL DestroyWindow(HWND window);
HICON LoadIconA(HINSTANCE instance, LPCSTR name);
HCURSOR SetCursor(HCURSOR cursor);
LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL IsIconic(HWND window);
BOOL IsWindow(HWND window);
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
// The windowed display's own window: its style, place, order, client area and system menu.
LONG SetWindowLongA(HWND window, int index, LONG value);
BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags);
BOOL GetWindowRect(HWND window, LPRECT rect);
BOOL GetClientRect(HWND window, LPRECT rect);
BOOL ClientToScreen(HWND window, LPPOINT point);
BOOL IsZoomed(HWND window);
HMENU GetSystemMenu(HWND window, BOOL revert);
BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR text);
DWORD CheckMenuItem(HMENU menu, UINT id, UINT flags);
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
// A MONITORINFOEXA, its size in cbSize, also gets the monitor's device name.
BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO info);
BOOL EnumDisplayMonitors(HDC dc, LPRECT clip, MONITORENUMPROC callback, LPARAM context);
// A window is created hidden; on its own, no display path shows it.
BOOL ShowWindow(HWND window, int command);
// The start's look at who holds the foreground: no WM_ACTIVATEAPP tells it when the
// foreground only moves between windows of one thread.
HWND GetForegroundWindow();
DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId);
BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT removal);
BOOL TranslateMessage(const MSG* message);
LRESULT DispatchMessageA(const MSG* message);
BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT winIni);
int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// A modal dialog from a template in `instance`'s resources, and its controls.
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM initParam);
BOOL EndDialog(HWND dialog, INT_PTR result);
LRESULT SendDlgItemMessageA(HWND dialog, int item, UINT message, WPARAM wParam, LPARAM lParam);
BOOL SetDlgItemTextA(HWND dialog, int item, LPCSTR text);

// Drawing through GDI: a window's device context, and a picture in memory copied into it.
HDC GetDC(HWND window);
int ReleaseDC(HWND window, HDC dc);
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage);

}  // namespace win
