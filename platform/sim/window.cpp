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
    RECT rect = {0, 0, 0, 0};  // the outer rectangle, in the window's own coordinates
    unsigned z = 0;            // higher lies in front, among windows of its band
    bool onTop = false;        // in the band of topmost windows, in front of every other
    bool zoomed = false;
    RECT normal = {0, 0, 0, 0};                    // where a restore puts a maximised window
    std::vector<std::pair<UINT, bool>> menu = {};  // the items added to its system menu, checked
    bool perMonitorDpi = false;
    bool paintDue = false;  // its update region holds something: WM_PAINT comes
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
// WM_PAINT handed out in a row without the region being validated.
int unvalidatedPaints = 0;

Window* find(HWND handle) {
    for (Window& window : windows) {
        if (window.handle == handle) {
            return &window;
        }
    }
    return nullptr;
}

bool inFront(const Window& a, const Window& b) { return a.onTop != b.onTop ? a.onTop : a.z > b.z; }

// The frame that the system draws around a window of the style, as Windows 10 draws it at
// 100%: a sizing border of 8 pixels (SM_CXSIZEFRAME + SM_CXPADDEDBORDER) and a caption of 23
// (SM_CYCAPTION) above the client area; none around a pop-up.
RECT frameOf(DWORD style) {
    if (style & WS_CAPTION) {
        return RECT{8, 31, 8, 8};
    }
    return style & WS_THICKFRAME ? RECT{8, 8, 8, 8} : RECT{0, 0, 0, 0};
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
    unvalidatedPaints = 0;
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

// Of the code under test's windows that show, those that the area touches (Microsoft:
// "Invalidating the Client Area"; a window that goes away exposes the ones behind it).
void needPainting(const RECT& area) {
    for (Window& window : windows) {
        const RECT client = clientScreenRect(window.handle);
        if (!window.host && window.visible && !window.minimised && client.left < area.right &&
            area.left < client.right && client.top < area.bottom && area.top < client.bottom) {
            window.paintDue = true;
        }
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

RECT clientScreenRect(HWND handle) {
    const Window* window = find(handle);
    if (!window) {
        return RECT{0, 0, 0, 0};
    }
    const RECT f = frameOf(window->style);
    const RECT& r = window->rect;
    const int s = window->scale;
    return RECT{(r.left + f.left) * s / 100, (r.top + f.top) * s / 100,
                (r.right - f.right) * s / 100, (r.bottom - f.bottom) * s / 100};
}

// The window's new place, and what the system tells it of that (Microsoft:
// WM_WINDOWPOSCHANGED, which the default handling turns into WM_SIZE).
void placeWindow(HWND handle, const RECT& rect) {
    Window* window = find(handle);
    // What the window leaves and what it comes to are drawn afresh.
    if (window->visible) {
        drawnAfresh(screenRect(handle));
    }
    window->rect = rect;
    if (window->visible) {
        drawnAfresh(screenRect(handle));
    }
    deliver(handle, WM_WINDOWPOSCHANGED, 0, 0);
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
        if (!inFront(other, *window) || !other.visible || other.minimised || y < r.top ||
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

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM) {
    sim::record("DefWindowProcA");
    // A close request ends the window (Microsoft: WM_CLOSE, "DefWindowProc calls the
    // DestroyWindow function"); Alt+F4 asks for one, as the system menu's Close does; a
    // window's new place tells its new size (WM_WINDOWPOSCHANGED); the system menu's
    // commands maximise and restore. Any other message gets the condition's answer.
    Window* found = find(window);
    switch (message) {
        case WM_CLOSE:
            destroy(window);
            return 0;
        case WM_SYSKEYDOWN:
            if (wParam == VK_F4) {
                sim::deliver(window, WM_SYSCOMMAND, SC_CLOSE, 0);
            }
            return 0;
        case WM_SYSCOMMAND:
            if ((wParam & 0xFFF0) == SC_CLOSE) {
                sim::deliver(window, WM_CLOSE, 0, 0);
            } else if ((wParam & 0xFFF0) == SC_MAXIMIZE || (wParam & 0xFFF0) == SC_RESTORE) {
                win::ShowWindow(window,
                                (wParam & 0xFFF0) == SC_MAXIMIZE ? SW_MAXIMIZE : SW_RESTORE);
            }
            return 0;
        case WM_PAINT:
            // The default handling validates the update region (Microsoft: WM_PAINT, by
            // BeginPaint and EndPaint).
            if (found) {
                found->paintDue = false;
            }
            return 0;
        case WM_WINDOWPOSCHANGED:
            if (found) {
                RECT client;
                win::GetClientRect(window, &client);
                sim::deliver(window, WM_SIZE, found->zoomed ? SIZE_MAXIMIZED : SIZE_RESTORED,
                             static_cast<LPARAM>((client.bottom << 16) | (client.right & 0xFFFF)));
            }
            return 0;
        default:
            return sim::conditions().defWindowProcResult;
    }
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
    // Maximised, the window's client area is its monitor's work area below the caption, its
    // sizing border beyond the work area's edges (Microsoft: WM_GETMINMAXINFO, ptMaxSize).
    if (command == SW_MAXIMIZE && !found->zoomed) {
        const RECT work = sim::workAreaOf(window);
        const RECT f = frameOf(found->style);
        found->normal = found->rect;
        found->zoomed = true;
        sim::placeWindow(window, RECT{work.left - f.left, work.top - f.left, work.right + f.right,
                                      work.bottom + f.bottom});
    } else if (command == SW_RESTORE && found->zoomed) {
        found->zoomed = false;
        sim::placeWindow(window, found->normal);
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
    sim::placeWindow(window, RECT{x, y, x + width, y + height});
    return TRUE;
}

BOOL IsZoomed(HWND window) {
    sim::record("IsZoomed");
    Window* found = find(window);
    return found && found->zoomed;
}

// Only the style: changing it moves nothing until SetWindowPos with SWP_FRAMECHANGED
// (Microsoft: SetWindowLong, "Certain window data is cached").
LONG SetWindowLongA(HWND window, int index, LONG value) {
    sim::record("SetWindowLongA");
    Window* found = find(window);
    if (!found || index != GWL_STYLE) {
        return 0;
    }
    const LONG previous = static_cast<LONG>(found->style);
    found->style = static_cast<DWORD>(value);
    return previous;
}

BOOL SetWindowPos(HWND window, HWND after, int x, int y, int width, int height, UINT flags) {
    sim::record("SetWindowPos");
    Window* found = find(window);
    if (!found || (!(flags & SWP_NOSIZE) && (width < 0 || height < 0))) {
        return FALSE;
    }
    if (!(flags & SWP_NOZORDER)) {
        if (after == HWND_TOPMOST || after == HWND_NOTOPMOST) {
            found->onTop = after == HWND_TOPMOST;
        }
        found->z = ++topZ;
    }
    RECT rect = found->rect;
    if (!(flags & SWP_NOMOVE)) {
        rect = RECT{x, y, x + rect.right - rect.left, y + rect.bottom - rect.top};
    }
    if (!(flags & SWP_NOSIZE)) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    sim::placeWindow(window, rect);
    return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    Window* found = find(window);
    if (!found || !rect) {
        return FALSE;
    }
    *rect = found->rect;
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    Window* found = find(window);
    if (!found || !rect) {
        return FALSE;
    }
    const RECT f = frameOf(found->style);
    *rect = RECT{0, 0, std::max<LONG>(0, found->rect.right - found->rect.left - f.left - f.right),
                 std::max<LONG>(0, found->rect.bottom - found->rect.top - f.top - f.bottom)};
    return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
    Window* found = find(window);
    if (!found || !point) {
        return FALSE;
    }
    const RECT f = frameOf(found->style);
    point->x += found->rect.left + f.left;
    point->y += found->rect.top + f.top;
    return TRUE;
}

// A window's system menu as the items added to it; reverting takes them away (Microsoft:
// GetSystemMenu, bRevert).
HMENU GetSystemMenu(HWND window, BOOL revert) {
    Window* found = find(window);
    if (!found || revert) {
        if (found) {
            found->menu.clear();
        }
        return nullptr;
    }
    return reinterpret_cast<HMENU>(window);
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR id, LPCSTR) {
    Window* found = find(reinterpret_cast<HWND>(menu));
    if (!found) {
        return FALSE;
    }
    if (!(flags & MF_SEPARATOR)) {
        found->menu.push_back({static_cast<UINT>(id), (flags & MF_CHECKED) != 0});
    }
    return TRUE;
}

// The item's state before, or -1 where there is no such item (Microsoft: CheckMenuItem).
DWORD CheckMenuItem(HMENU menu, UINT id, UINT flags) {
    Window* found = find(reinterpret_cast<HWND>(menu));
    if (!found) {
        return static_cast<DWORD>(-1);
    }
    for (auto& item : found->menu) {
        if (item.first == id) {
            const DWORD before = item.second ? MF_CHECKED : MF_UNCHECKED;
            item.second = (flags & MF_CHECKED) != 0;
            return before;
        }
    }
    return static_cast<DWORD>(-1);
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
    // With nothing posted, a window whose update region holds something gets WM_PAINT, and
    // keeps getting it, removed or not, until the region is validated (Microsoft:
    // PeekMessage, "WM_PAINT messages" after posted and input ones; "Invalidating the
    // Client Area"). Code that never validates loops there for ever.
    for (Window& each : windows) {
        if (each.paintDue && each.thread == std::this_thread::get_id() &&
            (!window || each.handle == window)) {
            if (++unvalidatedPaints > 1000) {
                sim::crash("WM_PAINT never validated: the message loop would never end");
            }
            *message = MSG{each.handle, WM_PAINT, 0, 0, sim::tick(), POINT{0, 0}};
            return TRUE;
        }
    }
    unvalidatedPaints = 0;
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
