// The second module's configuration: which monitor its picture covers.
#include <cstring>

#include "display/dpi_context.h"
#include "display/monitor/monitor_dialog.h"
#include "display/monitor/monitor_dialog_ids.h"
#include "display/monitor/monitor_list.h"
#include "display/monitor/settings_file.h"

namespace {

struct DialogState {
    PresentMonitor monitors[kMaxMonitors];
    int count;
    MonitorName chosen;
    int unsavedItem;  // the item whose choice could not be saved, once the user was told
};

// One dialog at a time: it is modal, on the host's thread.
DialogState* openDialog = nullptr;

LRESULT toList(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    return win::SendDlgItemMessageA(dialog, GLINTIX_MONITOR_LIST, message, wParam, lParam);
}

void fillList(HWND dialog, const DialogState& state) {
    toList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("The player's monitor"));
    for (int i = 0; i < state.count; ++i) {
        char text[96];
        describeMonitor(i + 1, state.monitors[i], text, sizeof text);
        toList(dialog, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    }
    const int chosen = findChosenMonitor(state.chosen, state.monitors, state.count);
    toList(dialog, LB_SETCURSEL, static_cast<WPARAM>(chosen + 1), 0);
}

// Keeps the selected item's monitor; where it cannot be saved, says so once and stays open.
void accept(HWND dialog, DialogState& state) {
    const int item = static_cast<int>(toList(dialog, LB_GETCURSEL, 0, 0));
    MonitorName chosen;
    std::memset(&chosen, 0, sizeof chosen);
    if (item >= 1 && item <= state.count) {
        std::memcpy(chosen.device, state.monitors[item - 1].device, sizeof chosen.device);
        chosen.rect = state.monitors[item - 1].rect;
    }
    if (keepChosenMonitor(chosen) || item == state.unsavedItem) {
        win::EndDialog(dialog, IDOK);
        return;
    }
    state.unsavedItem = item;
    win::SetDlgItemTextA(dialog, GLINTIX_SAVE_NOTE,
                         "The choice could not be saved: it holds until the player closes.");
}

INT_PTR CALLBACK dialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            openDialog = reinterpret_cast<DialogState*>(lParam);
            fillList(dialog, *openDialog);
            return TRUE;  // the focus goes to the list, the first control that takes it
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK ||
                (LOWORD(wParam) == GLINTIX_MONITOR_LIST && HIWORD(wParam) == LBN_DBLCLK)) {
                accept(dialog, *openDialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                win::EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

// The rectangles in real pixels, as the windowed display places itself in them.
void runMonitorDialog(HWND owner) {
    DialogState state;
    std::memset(&state, 0, sizeof state);
    state.unsavedItem = -1;
    {
        PerMonitorDpi dpi(lookUpDpiContexts());
        state.count = listMonitors(state.monitors, kMaxMonitors);
    }
    sortAsSeen(state.monitors, state.count);
    state.chosen = chosenMonitor();
    win::DialogBoxParamA(win::thisModule(), MAKEINTRESOURCEA(GLINTIX_MONITOR_DIALOG), owner,
                         dialogProc, reinterpret_cast<LPARAM>(&state));
    openDialog = nullptr;
}
