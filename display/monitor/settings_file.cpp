#include "display/monitor/settings_file.h"

#include <cstring>

namespace {

// A choice that the file could not take holds for the rest of the load; otherwise the file
// is the one truth, so that deleting it forgets the choice at once.
bool chosenInThisLoad = false;
MonitorName choiceOfThisLoad;

// "%APPDATA%\glintix.txt", or beside it the new file that each write makes first: false
// where the folder is not known or the path too long. Copies of fixed sizes: the DLL
// imports no string functions.
bool settingsPath(char (&path)[MAX_PATH], bool fresh = false) {
    const char kFile[] = "\\glintix.txt";
    const char kFresh[] = "\\glintix.txt.new";
    const DWORD n = win::GetEnvironmentVariableA("APPDATA", path, MAX_PATH);
    if (n == 0 || n + (fresh ? sizeof kFresh : sizeof kFile) > MAX_PATH) {
        return false;
    }
    if (fresh) {
        std::memcpy(path + n, kFresh, sizeof kFresh);
    } else {
        std::memcpy(path + n, kFile, sizeof kFile);
    }
    return true;
}

// One byte beyond the largest file that can be ours, so that a larger one is seen as such.
Settings readSettings() {
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

// The whole file anew: written beside the old one, then renamed over it, so that a write cut
// short by a full disk or a crash leaves the old file as it was.
bool writeSettings(const Settings& settings) {
    static char text[kMaxSettingsBytes];
    char path[MAX_PATH];
    char fresh[MAX_PATH];
    if (!settingsPath(path) || !settingsPath(fresh, true)) {
        return false;
    }
    const DWORD length = static_cast<DWORD>(formatSettings(settings, text));
    HANDLE file = win::CreateFileA(fresh, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole = win::WriteFile(file, text, length, &written, nullptr) && written == length;
    if (win::CloseHandle(file) && whole &&
        win::MoveFileExA(fresh, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    win::DeleteFileA(fresh);
    return false;
}

}  // namespace

Settings storedSettings() {
    Settings settings = readSettings();
    if (chosenInThisLoad) {
        settings.monitor = choiceOfThisLoad;
    }
    return settings;
}

MonitorName chosenMonitor() { return storedSettings().monitor; }

bool keepChosenMonitor(const MonitorName& chosen) {
    Settings settings = storedSettings();
    settings.monitor = chosen;
    const bool saved = writeSettings(settings);
    choiceOfThisLoad = chosen;
    chosenInThisLoad = !saved;
    return saved;
}

bool keepWindowLayout(const WindowLayout& layout) {
    Settings settings = storedSettings();
    settings.window = layout;
    const bool saved = writeSettings(settings);
    chosenInThisLoad = chosenInThisLoad && !saved;
    return saved;
}
