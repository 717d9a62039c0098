// The simulated modal dialog: made from a template among the plug-in's own resources,
// owned by the window it is given, with one list box and a line of text; the user acts on
// it through the test's dialogUser, and Escape ends what the user leaves open.
#include "platform/sim/internal.h"

namespace {

HWND const kDialog = reinterpret_cast<HWND>(uintptr_t{0x3A0010});

struct Running {
    DLGPROC procedure;
    bool ended;
    INT_PTR result;
};

sim::DialogView view;
Running* running = nullptr;

void command(HWND dialog, WPARAM wParam) {
    if (running && dialog == kDialog) {
        running->procedure(kDialog, WM_COMMAND, wParam, 0);
    }
}

}  // namespace

namespace sim {

void resetDialog() { view = DialogView{}; }
const DialogView& dialog() { return view; }

void selectListItem(HWND dialog, int list, int index) {
    view.selected = index;
    command(dialog, MAKEWPARAM(list, LBN_SELCHANGE));
}

void doubleClickListItem(HWND dialog, int list, int index) {
    view.selected = index;
    command(dialog, MAKEWPARAM(list, LBN_DBLCLK));
}

void pressButton(HWND dialog, int button) { command(dialog, MAKEWPARAM(button, BN_CLICKED)); }

}  // namespace sim

namespace win {

// A template by number from the module given, which must be the plug-in's, where its
// resources are; -1 where the dialog cannot be made (Microsoft: DialogBoxParamA). The
// owner, a window or none, is the dialog's for as long as it runs.
INT_PTR DialogBoxParamA(HINSTANCE instance, LPCSTR templateName, HWND owner, DLGPROC procedure,
                        LPARAM initParam) {
    sim::record("DialogBoxParamA(" + sim::hex(owner) + ")");
    if (instance != win::thisModule() || reinterpret_cast<uintptr_t>(templateName) >= 0x10000 ||
        !procedure || running || (owner && !sim::windowExists(owner))) {
        return -1;
    }
    Running dialog{procedure, false, 0};
    running = &dialog;
    view = sim::DialogView{owner, true, {}, -1, {}};
    procedure(kDialog, WM_INITDIALOG, 0, initParam);
    if (!dialog.ended && sim::conditions().dialogUser) {
        sim::conditions().dialogUser(kDialog);
    }
    // Escape, as the dialog manager turns it into a command (Microsoft: "Dialog Box
    // Keyboard Interface").
    if (!dialog.ended) {
        procedure(kDialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    running = nullptr;
    view.open = false;
    if (!dialog.ended) {
        sim::crash("a dialog that neither its user nor Escape ends");
    }
    return dialog.result;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!running || dialog != kDialog) {
        return FALSE;
    }
    running->ended = true;
    running->result = result;
    return TRUE;
}

// The list box's messages (Microsoft: LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL): an index
// out of range selects nothing and answers LB_ERR, as -1 does.
LRESULT SendDlgItemMessageA(HWND dialog, int, UINT message, WPARAM wParam, LPARAM lParam) {
    if (!running || dialog != kDialog) {
        return 0;
    }
    switch (message) {
        case LB_ADDSTRING:
            view.items.push_back(reinterpret_cast<const char*>(lParam));
            return static_cast<LRESULT>(view.items.size() - 1);
        case LB_SETCURSEL: {
            const auto index = static_cast<int>(static_cast<intptr_t>(wParam));
            view.selected = index >= 0 && index < static_cast<int>(view.items.size()) ? index : -1;
            return view.selected < 0 ? LB_ERR : view.selected;
        }
        case LB_GETCURSEL:
            return view.selected < 0 ? LB_ERR : view.selected;
        default:
            sim::crash("a list-box message that the simulation does not model");
    }
}

BOOL SetDlgItemTextA(HWND dialog, int, LPCSTR text) {
    if (!running || dialog != kDialog) {
        return FALSE;
    }
    view.note = text ? text : "";
    return TRUE;
}

}  // namespace win
