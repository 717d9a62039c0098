#include "display/monitor/settings_file.h"

#include <cstring>

#include "display/monitor/settings_text.h"

namespace {

// A choice that the file could not take holds for the rest of the load; otherwise the file
// is the one truth, so that deleting it forgets the choice at once.
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

MonitorName chosenMonitor() { return chosenInThisLoad ? choiceOfThisLoad : readSettings(); }

bool keepChosenMonitor(const MonitorName& chosen) {
    const bool saved = writeSettings(chosen);
    choiceOfThisLoad = chosen;
    chosenInThisLoad = !saved;
    return saved;
}
