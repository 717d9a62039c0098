#include "tools/host/plugin_library.h"

#include <cstdio>

namespace {

typedef VisHeader* (*HeaderGetter)();

bool fail(std::string* error, const std::string& reason) {
    *error = reason;
    return false;
}

std::string loadErrorText(DWORD code) {
    switch (code) {
        case ERROR_BAD_EXE_FORMAT:
            return "not a 32-bit Windows DLL";
        case ERROR_MOD_NOT_FOUND:
            return "it, or a DLL it needs, was not found";
        case ERROR_DLL_INIT_FAILED:
            return "its initialisation failed";
        default:
            return "error " + std::to_string(code);
    }
}

}  // namespace

std::string defaultPluginPath() {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    if (length == 0 || length >= sizeof path) {
        return "vis_glintix.dll";
    }
    std::string folder(path, length);
    size_t slash = folder.find_last_of("\\/");
    folder.resize(slash == std::string::npos ? 0 : slash + 1);
    return folder + "vis_glintix.dll";
}

bool loadPlugin(const std::string& path, PluginLibrary* plugin, std::string* error) {
    *plugin = PluginLibrary();
    // A full path: a bare name would otherwise be looked for in the system folders too, and
    // the plug-in's own DLLs are then found beside it.
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (length == 0 || length >= sizeof full) {
        return fail(error, "cannot load plug-in " + path + ": bad path");
    }
    DWORD attributes = GetFileAttributesA(full);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return fail(error,
                    "cannot load plug-in " + path + ": " +
                        (attributes == INVALID_FILE_ATTRIBUTES ? "no such file" : "a folder"));
    }
    // No "cannot find DLL" dialog boxes: failures come back as errors.
    UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE library = LoadLibraryExA(full, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    DWORD code = GetLastError();
    SetErrorMode(oldMode);
    if (!library) {
        return fail(error, "cannot load plug-in " + path + ": " + loadErrorText(code));
    }
    // Through a plain function pointer: FARPROC's own signature is a placeholder.
    HeaderGetter getHeader = reinterpret_cast<HeaderGetter>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "winampVisGetHeader")));
    if (!getHeader) {
        FreeLibrary(library);
        return fail(error, path + " has no winampVisGetHeader export");
    }
    VisHeader* header = getHeader();
    if (!header) {
        FreeLibrary(library);
        return fail(error, path + ": winampVisGetHeader returned no header");
    }
    if (header->version != kVisInterfaceVersion) {
        char text[128];
        std::snprintf(text, sizeof text, ": interface version 0x%X, this host knows 0x%X",
                      static_cast<unsigned>(header->version), kVisInterfaceVersion);
        FreeLibrary(library);
        return fail(error, path + text);
    }
    if (!header->moduleAt) {
        FreeLibrary(library);
        return fail(error, path + ": the header has no module getter");
    }
    plugin->library = library;
    plugin->header = header;
    return true;
}

void unloadPlugin(PluginLibrary* plugin) {
    if (plugin->library) {
        FreeLibrary(plugin->library);
    }
    *plugin = PluginLibrary();
}

VisModule* moduleWithCallbacks(const PluginLibrary& plugin, int index, std::string* error) {
    VisModule* module = plugin.header->moduleAt(index);
    if (!module) {
        *error = "the plug-in offers no module " + std::to_string(index);
        return nullptr;
    }
    if (!module->config || !module->start || !module->render || !module->stop) {
        *error = "module " + std::to_string(index) + " lacks one of its callbacks";
        return nullptr;
    }
    return module;
}
