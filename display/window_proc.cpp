#include "display/display.h"
#include "display/display_state.h"

namespace {

int running = 0;
int active = 0;

}  // namespace

int runningFlag() { return running; }
void setRunningFlag(int value) { running = value; }
int activeFlag() { return active; }
void setActiveFlag(int value) { active = value; }

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The windowed display's own keys, clicks and sizes; then what both ways share.
    LRESULT result;
    DisplayState& d = displayState();
    if (d.windowed.up && windowedMessage(d, message, wParam, lParam, &result)) {
        return result;
    }
    switch (message) {
        case WM_CLOSE:
            // Only a stop request: the window must outlive it until the teardown, so the
            // default handling, which would destroy it, is kept away.
            running = 0;
            return 0;
        case WM_ACTIVATEAPP:
            active = static_cast<int>(static_cast<uint32_t>(wParam));
            return 0;
        case WM_SETCURSOR:
            win::SetCursor(nullptr);
            return 0;
        case WM_DISPLAYCHANGE:
            // Another mode, or a monitor that came or went: the windowed display places its
            // window and picture anew before its next frame.
            d.windowed.placeDue = 1;
            return win::DefWindowProcA(window, message, wParam, lParam);
        case WM_KEYDOWN:
            if ((wParam & 0xFF) == VK_ESCAPE) {
                running = 0;
            }
            return 0;
        default:
            return win::DefWindowProcA(window, message, wParam, lParam);
    }
}
