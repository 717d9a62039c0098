// The simulated file system: the user's application-data folder and what a test puts
// around it, files held in memory, and the handles that the code under test opens on them.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/sim/internal.h"

namespace {

struct Entry {
    bool folder;
    std::string bytes;
};

struct Handle {
    std::string path;
    DWORD access;
    DWORD share;
    size_t position;
};

// By path as the display spells it: Windows would take other spellings too.
std::map<std::string, Entry> entries;
std::map<HANDLE, Handle> handles;
uintptr_t nextHandle = 0x1F0;

std::string appDataKey() { return sim::conditions().appData; }

bool isFolder(const std::string& key) {
    auto found = entries.find(key);
    return (!key.empty() && key == appDataKey()) ||
           (found != entries.end() && found->second.folder);
}

std::string parentOf(const std::string& key) {
    const size_t slash = key.rfind('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

// Two opens of one file must each allow what the other does (Microsoft: "Creating and
// Opening Files", the sharing table).
bool shareable(const Handle& open, DWORD access, DWORD share) {
    const auto refuses = [](DWORD wanted, DWORD allowed) {
        return ((wanted & GENERIC_READ) && !(allowed & FILE_SHARE_READ)) ||
               ((wanted & GENERIC_WRITE) && !(allowed & FILE_SHARE_WRITE));
    };
    return !refuses(access, open.share) && !refuses(open.access, share);
}

bool isOpen(const std::string& key) {
    return std::any_of(handles.begin(), handles.end(),
                       [&](const auto& open) { return open.second.path == key; });
}

// Nothing in the application-data folder changes while it refuses writes.
bool writable(const std::string& key) {
    return !(parentOf(key) == appDataKey() && sim::conditions().appDataReadOnly);
}

}  // namespace

namespace sim {

void resetFiles() {
    entries.clear();
    handles.clear();
}

void putFile(const std::string& path, const std::string& bytes) {
    entries[path] = Entry{false, bytes};
}

void putFolder(const std::string& path) { entries[path] = Entry{true, {}}; }

std::optional<std::string> fileBytes(const std::string& path) {
    auto found = entries.find(path);
    if (found == entries.end() || found->second.folder) {
        return std::nullopt;
    }
    return found->second.bytes;
}

std::string fileLeaks() {
    return handles.empty() ? std::string() : std::to_string(handles.size()) + " open file(s); ";
}

}  // namespace sim

namespace win {

// The variable's length without its terminating zero where the buffer holds it, else the
// size it needs; 0 where it is not set (Microsoft: GetEnvironmentVariableA).
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR value, DWORD size) {
    sim::record("GetEnvironmentVariableA");
    const std::string& appData = sim::conditions().appData;
    if (!name || std::strcmp(name, "APPDATA") != 0 || appData.empty()) {
        return 0;
    }
    const DWORD length = static_cast<DWORD>(appData.size());
    if (!value || size <= length) {
        return length + 1;
    }
    std::copy(appData.begin(), appData.end(), value);
    value[length] = '\0';
    return length;
}

// Opens an existing file or makes one anew, in a folder that exists. A folder cannot be
// opened as a file (Microsoft: CreateFile, "To open a directory ... FILE_FLAG_BACKUP_
// SEMANTICS"), nor can anything be written in a folder that refuses writes.
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES, DWORD disposition,
                   DWORD, HANDLE) {
    sim::record("CreateFileA");
    if (disposition != OPEN_EXISTING && disposition != CREATE_ALWAYS) {
        sim::crash("CreateFileA with a disposition that the simulation does not model");
    }
    if (!path) {
        return INVALID_HANDLE_VALUE;
    }
    const std::string key = path;
    const std::string parent = parentOf(key);
    if (isFolder(key) || !isFolder(parent)) {
        return INVALID_HANDLE_VALUE;
    }
    for (const auto& open : handles) {
        if (open.second.path == key && !shareable(open.second, access, share)) {
            return INVALID_HANDLE_VALUE;
        }
    }
    const bool writing = (access & GENERIC_WRITE) || disposition == CREATE_ALWAYS;
    if (writing && !writable(key)) {
        return INVALID_HANDLE_VALUE;
    }
    if (disposition == OPEN_EXISTING && !entries.count(key)) {
        return INVALID_HANDLE_VALUE;
    }
    if (disposition == CREATE_ALWAYS) {
        entries[key] = Entry{false, {}};
    }
    HANDLE handle = reinterpret_cast<HANDLE>(nextHandle);
    nextHandle += 4;
    handles[handle] = Handle{key, access, share, 0};
    return handle;
}

// An open file with that access, for a call without an OVERLAPPED record, whose count must
// then be there (Microsoft: ReadFile, WriteFile).
static Handle* opened(HANDLE file, DWORD access, const void* count, LPOVERLAPPED overlapped) {
    if (!count && !overlapped) {
        sim::crash("a read or write without a place for its count");
    }
    auto found = handles.find(file);
    Handle* open = found == handles.end() ? nullptr : &found->second;
    return open && (open->access & access) && !overlapped ? open : nullptr;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD read, LPOVERLAPPED overlapped) {
    Handle* open = opened(file, GENERIC_READ, read, overlapped);
    if (!open) {
        return FALSE;
    }
    *read = static_cast<DWORD>(
        entries[open->path].bytes.copy(static_cast<char*>(buffer), bytes, open->position));
    open->position += *read;
    return TRUE;
}

BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes, LPDWORD written,
               LPOVERLAPPED overlapped) {
    Handle* open = opened(file, GENERIC_WRITE, written, overlapped);
    if (!open) {
        return FALSE;
    }
    // A full disk takes nothing (Microsoft: WriteFile, ERROR_DISK_FULL).
    if (sim::conditions().diskFull) {
        *written = 0;
        return FALSE;
    }
    entries[open->path].bytes.replace(open->position, bytes, static_cast<const char*>(buffer),
                                      bytes);
    open->position += bytes;
    *written = bytes;
    return TRUE;
}

BOOL CloseHandle(HANDLE object) { return handles.erase(object) != 0; }

// A file that no handle holds open, renamed over another file only where asked to, within
// the folders that take writes (Microsoft: MoveFileExA, MOVEFILE_REPLACE_EXISTING).
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    sim::record("MoveFileExA");
    const std::string source = std::string(from ? from : ""), target = std::string(to ? to : "");
    auto found = entries.find(source);
    if (found == entries.end() || found->second.folder || isOpen(source) || isOpen(target) ||
        isFolder(target) || !isFolder(parentOf(target)) || !writable(source) || !writable(target) ||
        (entries.count(target) && !(flags & MOVEFILE_REPLACE_EXISTING))) {
        return FALSE;
    }
    entries[target] = found->second;
    entries.erase(source);
    return TRUE;
}

BOOL DeleteFileA(LPCSTR path) {
    sim::record("DeleteFileA");
    const std::string key = std::string(path ? path : "");
    auto found = entries.find(key);
    if (found == entries.end() || found->second.folder || isOpen(key) || !writable(key)) {
        return FALSE;
    }
    entries.erase(found);
    return TRUE;
}

}  // namespace win
