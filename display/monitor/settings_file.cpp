#include "display/monitor_settings.h"

#include <cstring>

namespace {

struct Listing {
    PresentMonitor* out;
    int capacity;
    int count;
};

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM context) {
    Listing& list = *reinterpret_cast<Listing*>(context);
    MONITORINFOEXA info;
    std::memset(&info, 0, sizeof info);
    info.cbSize = sizeof info;
    if (list.count < list.capacity &&
        win::GetMonitorInfoA(monitor, reinterpret_cast<LPMONITORINFO>(&info))) {
        PresentMonitor& m = list.out[list.count++];
        std::memset(&m, 0, sizeof m);
        std::memcpy(m.device, info.szDevice, sizeof m.device - 1);
        m.rect = info.rcMonitor;
        m.primary = (info.dwFlags & MONITORINFOF_PRIMARY) != 0;
    }
    return list.count < list.capacity;
}

// Until the user picks a monitor in this load, the file's choice holds.
bool chosenInThisLoad = false;
MonitorName choiceOfThisLoad;

// "%APPDATA%\glintix.txt": false where the folder is not known or the path too long.
bool settingsPath(char (&path)[MAX_PATH]) {
    const char kFile[] = "\\glintix.txt";
    const DWORD n = win::GetEnvironmentVariableA("APPDATA", path, MAX_PATH);
    if (n == 0 || n + sizeof kFile > MAX_PATH) {
        return false;
    }
    std::memcpy(path + n, kFile, sizeof kFile);
    return true;
}

// One byte beyond the largest file that can be ours, so that a larger one is seen as such.
MonitorName readSettings() {
    static char text[kMaxSettingsBytes + 1];
    char path[MAX_PATH];
    DWORD length = 0;
    if (settingsPath(path)) {
        HANDLE file = win::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            if (!win::ReadFile(file, text, sizeof text, &length, nullptr)) {
                length = 0;
            }
            win::CloseHandle(file);
        }
    }
    return parseSettings(text, length);
}

bool writeSettings(const MonitorName& chosen) {
    static char text[kMaxSettingsBytes];
    char path[MAX_PATH];
    if (!settingsPath(path)) {
        return false;
    }
    const DWORD length = static_cast<DWORD>(formatSettings(chosen, text));
    HANDLE file = win::CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole = win::WriteFile(file, text, length, &written, nullptr) && written == length;
    return win::CloseHandle(file) && whole;
}

}  // namespace

int listMonitors(PresentMonitor* out, int capacity) {
    Listing list{out, capacity, 0};
    win::EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&list));
    return list.count;
}

MonitorName chosenMonitor() { return chosenInThisLoad ? choiceOfThisLoad : readSettings(); }

bool keepChosenMonitor(const MonitorName& chosen) {
    choiceOfThisLoad = chosen;
    chosenInThisLoad = true;
    return writeSettings(chosen);
}
