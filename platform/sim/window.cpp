#include <algorithm>
#include <deque>
#include <map>
#include <thread>

#include "platform/sim/internal.h"

namespace {

struct Window {
    HWND handle;
    std::string className;
    std::string title;
    DWORD style;
    DWORD exStyle;
    std::thread::id thread;
    DWORD threadId;
    WNDPROC procedure;
    bool visible;
    bool minimised = false;
    bool host = false;         // the host's or another program's: not the code under test's
    RECT rect = {0, 0, 0, 0};  // in the window's own coordinates
    unsigned z = 0;            // higher lies in front
    bool perMonitorDpi = false;
    // How far, in percent, the system stretches the window's picture on the screen: a
    // window made outside a per-monitor DPI context is drawn in logical pixels and scaled up
    // to its monitor's (Microsoft, "High DPI Desktop Application Development on Windows":
    // DPI virtualization). The simulation takes the primary monitor's scale for it, the
    // system DPI of an unaware program.
    int scale = 100;
};

struct RegisteredClass {
    WNDCLASSA record;
    std::string name;
};

// Handles are reused, lowest free first, as Windows reuses the slots of destroyed windows:
// code that keeps a stale handle then meets another window under it.
constexpr uintptr_t kFirstWindow = 0x10010;
constexpr uintptr_t kWindowStep = 4;

// The foreground window of another program, as after the user switched to it: no window
// of this process, so no thread of ours owns it.
HWND const kOtherProgramWindow = reinterpret_cast<HWND>(uintptr_t{0x2F0010});

HCURSOR const kArrowCursor = reinterpret_cast<HCURSOR>(uintptr_t{0x10003});
HICON const kMainIcon = reinterpret_cast<HICON>(uintptr_t{0x10021});
constexpr DWORD kProcessId = 0x1F4;

std::vector<Window> windows;
std::map<std::string, RegisteredClass> classes;
std::map<std::thread::id, std::deque<MSG>> queues;
ATOM nextAtom = 0xC000;
HCURSOR currentCursor = kArrowCursor;
bool screensaver = true;
bool userScreensaver = true;
std::vector<sim::ShownBox> boxes;
HWND foreground = nullptr;
unsigned topZ = 0;

Window* find(HWND handle) {
    for (Window& window : windows) {
        if (window.handle == handle) {
            return &window;
        }
    }
    return nullptr;
}

HWND freeHandle() {
    for (uintptr_t value = kFirstWindow;; value += kWindowStep) {
        HWND handle = reinterpret_cast<HWND>(value);
        if (!find(handle)) {
            return handle;
        }
    }
}

// The window and what waits for it go; the display handles none of the messages of a
// window's making and ending, so none is sent.
void destroy(HWND handle) {
    if (foreground == handle) {
        foreground = nullptr;
    }
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const Window& w) { return w.handle == handle; }),
                  windows.end());
    for (auto& entry : queues) {
        std::deque<MSG>& queue = entry.second;
        queue.erase(std::remove_if(queue.begin(), queue.end(),
                                   [&](const MSG& m) { return m.hwnd == handle; }),
                    queue.end());
    }
}

}  // namespace

namespace sim {

void resetWindows() {
    windows.clear();
    classes.clear();
    queues.clear();
    nextAtom = 0xC000;
    currentCursor = kArrowCursor;
    screensaver = userScreensaver = true;
    boxes.clear();
    foreground = nullptr;
    topZ = 0;
}

LRESULT deliver(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = find(handle);
    if (!window || !window->procedure) {
        return 0;
    }
    return window->procedure(handle, message, wParam, lParam);
}

bool windowShowing(HWND handle) {
    Window* window = find(handle);
    return window && window->visible && !window->minimised;
}

void post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* found = find(window);
    if (found) {
        queues[found->thread].push_back(
            MSG{window, message, wParam, lParam, sim::tick(), POINT{0, 0}});
    }
}

void otherProgramToFront() { foreground = kOtherProgramWindow; }

RECT screenRect(HWND handle) {
    const Window* window = find(handle);
    if (!window) {
        return RECT{0, 0, 0, 0};
    }
    const RECT& r = window->rect;
    const int s = window->scale;
    return RECT{r.left * s / 100, r.top * s / 100, r.right * s / 100, r.bottom * s / 100};
}

std::vector<std::pair<LONG, LONG>> visibleSpans(HWND handle, LONG y) {
    const Window* window = find(handle);
    std::vector<std::pair<LONG, LONG>> spans;
    const RECT own = screenRect(handle);
    if (!window || !window->visible || window->minimised || y < own.top || y >= own.bottom ||
        own.left >= own.right) {
        return spans;
    }
    spans.push_back({own.left, own.right});
    for (const Window& other : windows) {
        const RECT r = screenRect(other.handle);
        if (other.z <= window->z || !other.visible || other.minimised || y < r.top ||
            y >= r.bottom) {
            continue;
        }
        std::vector<std::pair<LONG, LONG>> left;
        for (const auto& span : spans) {
            if (span.first < std::min(span.second, r.left)) {
                left.push_back({span.first, std::min(span.second, r.left)});
            }
            if (std::max(span.first, r.right) < span.second) {
                left.push_back({std::max(span.first, r.right), span.second});
            }
        }
        spans.swap(left);
    }
    return spans;
}

int windowScale(HWND handle) {
    const Window* window = find(handle);
    return window ? window->scale : 100;
}

bool setMinimised(HWND handle, bool minimised) {
    Window* window = find(handle);
    if (!window) {
        return false;
    }
    bool was = window->minimised;
    window->minimised = minimised;
    return was;
}

void postToEveryWindow(UINT message, WPARAM wParam, LPARAM lParam) {
    for (const Window& window : windows) {
        if (window.procedure) {
            post(window.handle, message, wParam, lParam);
        }
    }
}

void closeWindow(HWND handle) {
    const RECT area = screenRect(handle);
    windows.erase(std::remove_if(windows.begin(), windows.end(),
                                 [&](const Window& w) { return w.host && w.handle == handle; }),
                  windows.end());
    if (foreground == handle) {
        foreground = nullptr;
    }
    drawnAfresh(area);
}

bool bringToFront(HWND handle) {
    Window* window = find(handle);
    Window* previous = find(foreground);
    foreground = handle;
    if (window) {
        window->z = ++topZ;
    }
    return !window || !previous || previous->threadId != window->threadId;
}

}  // namespace sim

namespace {

// A window that is not the code under test's, never a leak: shown, in front of every other
// and in the foreground.
HWND showForeignWindow(const char* name, const RECT& rect, std::thread::id thread, DWORD threadId) {
    HWND handle = freeHandle();
    windows.push_back(Window{handle, name, name, WS_VISIBLE, 0, thread, threadId, nullptr, true});
    windows.back().host = true;
    windows.back().rect = rect;
    windows.back().z = ++topZ;
    foreground = handle;
    // What it shows is its own, never the code under test's.
    sim::drawnAfresh(rect);
    return handle;
}

}  // namespace

namespace sim {

HWND showHostWindow(const RECT& rect) {
    return showForeignWindow("host", rect, std::this_thread::get_id(), win::GetCurrentThreadId());
}

// A thread of another process: no thread of this one has its id.
HWND showOtherProgramWindow(const RECT& rect) {
    return showForeignWindow("other", rect, std::thread::id(), 0xFFFC);
}

bool windowPerMonitorDpi(HWND handle) {
    Window* window = find(handle);
    return window && window->perMonitorDpi;
}

HWND findWindow(const char* className) {
    for (const Window& window : windows) {
        if (window.className == className) {
            return window.handle;
        }
    }
    return nullptr;
}

bool windowExists(HWND window) { return find(window) != nullptr; }

bool windowVisible(HWND handle) {
    Window* window = find(handle);
    return window && window->visible;
}

int liveWindows() {
    return static_cast<int>(
        std::count_if(windows.begin(), windows.end(), [](const Window& w) { return !w.host; }));
}

const WNDCLASSA* windowClass(const char* className) {
    auto found = classes.find(className);
    return found == classes.end() ? nullptr : &found->second.record;
}

int registeredClasses() { return static_cast<int>(classes.size()); }
HCURSOR cursor() { return currentCursor; }
size_t queuedMessages() { return queues[std::this_thread::get_id()].size(); }
void setScreensaverActive(bool on) { screensaver = userScreensaver = on; }
bool screensaverActive() { return screensaver; }

void postMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!window) {
        queues[std::this_thread::get_id()].push_back(
            MSG{nullptr, message, wParam, lParam, tick(), POINT{0, 0}});
    } else {
        post(window, message, wParam, lParam);
    }
}

void stopScreensaverForExclusiveMode() {
    if (conditions().exclusiveModeStopsScreensaver) {
        screensaver = false;
    }
}
const std::vector<ShownBox>& messageBoxes() { return boxes; }

std::string windowLeaks() {
    std::string found;
    for (const Window& window : windows) {
        if (!window.host) {
            found += "window " + hex(window.handle) + " (" + window.className + "); ";
        }
    }
    for (const auto& entry : classes) {
        found += "class " + entry.first + "; ";
    }
    if (screensaver != userScreensaver) {
        found += std::string("screensaver ") + (screensaver ? "on" : "off") + "; ";
    }
    return found;
}

}  // namespace sim

namespace win {

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
    sim::record("RegisterClassA");
    if (!windowClass || !windowClass->lpszClassName || classes.count(windowClass->lpszClassName)) {
        return 0;
    }
    std::string name = windowClass->lpszClassName;
    RegisteredClass& entry = classes[name];
    entry.name = name;
    entry.record = *windowClass;
    entry.record.lpszClassName = entry.name.c_str();
    entry.record.lpszMenuName = nullptr;
    return nextAtom++;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE) {
    sim::record("UnregisterClassA");
    auto found = classes.find(className ? className : "");
    if (found == classes.end() || sim::findWindow(found->first.c_str())) {
        return FALSE;
    }
    classes.erase(found);
    return TRUE;
}

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR title, DWORD style, int x, int y,
                     int width, int height, HWND, HMENU, HINSTANCE, LPVOID) {
    sim::record("CreateWindowExA");
    auto found = classes.find(className ? className : "");
    if (sim::faultSet(sim::Fault::WindowCreation) || found == classes.end()) {
        return nullptr;
    }
    HWND handle = freeHandle();
    windows.push_back(Window{handle, found->first, title ? title : "", style, exStyle,
                             std::this_thread::get_id(), win::GetCurrentThreadId(),
                             found->second.record.lpfnWndProc, (style & WS_VISIBLE) != 0});
    windows.back().rect = RECT{x, y, x + width, y + height};
    windows.back().z = ++topZ;
    windows.back().perMonitorDpi = sim::threadPerMonitorDpi();
    windows.back().scale = windows.back().perMonitorDpi ? 100 : sim::primaryScale();
    return handle;
}

BOOL DestroyWindow(HWND window) {
    sim::record("DestroyWindow");
    Window* found = find(window);
    // Only the thread that made a window may destroy it.
    if (!found || found->thread != std::this_thread::get_id()) {
        return FALSE;
    }
    destroy(window);
    return TRUE;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
    sim::record("LoadIconA");
    return instance == sim::hostInstance() && name && std::string(name) == "IDI_MAIN" ? kMainIcon
                                                                                      : nullptr;
}

HCURSOR SetCursor(HCURSOR cursor) {
    sim::record("SetCursor");
    HCURSOR previous = currentCursor;
    currentCursor = cursor;
    return previous;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM, LPARAM) {
    sim::record("DefWindowProcA");
    // A close request ends the window (Microsoft: WM_CLOSE, "DefWindowProc calls the
    // DestroyWindow function"); any other message gets the condition's answer.
    if (message == WM_CLOSE) {
        destroy(window);
        return 0;
    }
    return sim::conditions().defWindowProcResult;
}

BOOL ShowWindow(HWND window, int command) {
    sim::record("ShowWindow");
    Window* found = find(window);
    if (!found) {
        return FALSE;
    }
    BOOL wasVisible = found->visible ? TRUE : FALSE;
    found->visible = command != SW_HIDE;
    if (!wasVisible && found->visible) {
        sim::drawnAfresh(sim::screenRect(window));
    }
    // The commands that activate as they show; the activation moves the foreground, and
    // WM_ACTIVATEAPP is sent only when it moves between threads.
    if (command == 1 || command == 3 || command == SW_SHOW || command == 9) {
        if (sim::bringToFront(window)) {
            sim::deliver(window, WM_ACTIVATEAPP, TRUE, 0);
        }
    }
    return wasVisible;
}

BOOL IsWindow(HWND window) {
    sim::record("IsWindow");
    return find(window) != nullptr;
}

// In the window's own coordinates, which are the caller's where the caller runs in the
// window's DPI context, as the display always does.
BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    sim::record("MoveWindow");
    Window* found = find(window);
    if (!found || width < 0 || height < 0) {
        return FALSE;
    }
    found->rect = RECT{x, y, x + width, y + height};
    if (found->visible) {
        sim::drawnAfresh(sim::screenRect(window));
    }
    return TRUE;
}

BOOL IsIconic(HWND window) {
    sim::record("IsIconic");
    Window* found = find(window);
    return found && found->minimised;
}

HWND GetForegroundWindow() {
    sim::record("GetForegroundWindow");
    return foreground;
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
    sim::record("GetWindowThreadProcessId");
    Window* found = find(window);
    if (processId) {
        *processId = found ? kProcessId : 0;
    }
    return found ? found->threadId : 0;
}

// Messages of one window or of any, and no message ranges: the display pumps its own
// window's messages whole.
BOOL PeekMessageA(LPMSG message, HWND window, UINT first, UINT last, UINT removal) {
    sim::record("PeekMessageA");
    if (first || last || window == reinterpret_cast<HWND>(intptr_t{-1})) {
        sim::crash("PeekMessageA with a filter that the simulation does not model");
    }
    if (window) {
        Window* found = find(window);
        if (!found || found->thread != std::this_thread::get_id()) {
            return FALSE;
        }
    }
    std::deque<MSG>& queue = queues[std::this_thread::get_id()];
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!window || it->hwnd == window) {
            *message = *it;
            if (removal & PM_REMOVE) {
                queue.erase(it);
            }
            return TRUE;
        }
    }
    return FALSE;
}

// The display handles keys, never characters: no WM_CHAR is made.
BOOL TranslateMessage(const MSG*) { return FALSE; }

LRESULT DispatchMessageA(const MSG* message) {
    sim::record("DispatchMessageA");
    return message->hwnd
               ? sim::deliver(message->hwnd, message->message, message->wParam, message->lParam)
               : 0;
}

BOOL SystemParametersInfoA(UINT action, UINT uiParam, PVOID pvParam, UINT) {
    sim::record("SystemParametersInfoA");
    switch (action) {
        case SPI_GETSCREENSAVEACTIVE:
            if (!pvParam) {
                return FALSE;
            }
            *static_cast<BOOL*>(pvParam) = screensaver ? TRUE : FALSE;
            return TRUE;
        case SPI_SETSCREENSAVEACTIVE:
            screensaver = uiParam != 0;
            return TRUE;
        default:
            return FALSE;
    }
}

// The plug-in's resources are not modelled, so its dialog cannot be made (Microsoft:
// DialogBoxParamA returns -1 where it fails); the dialog is shown end to end under Wine.
// With no dialog, its controls are not windows either.
INT_PTR DialogBoxParamA(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) {
    sim::record("DialogBoxParamA");
    return -1;
}
BOOL EndDialog(HWND, INT_PTR) { return FALSE; }
LRESULT SendDlgItemMessageA(HWND, int, UINT, WPARAM, LPARAM) { return 0; }
BOOL SetDlgItemTextA(HWND, int, LPCSTR) { return FALSE; }

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    sim::record("MessageBoxA");
    boxes.push_back(sim::ShownBox{owner, text ? text : "", caption ? caption : "", type});
    return IDOK;
}

}  // namespace win
