// Loading a visualization plug-in and reaching its records.
#pragma once

#include <string>

#include "plugin/vis_records.h"

// The interface version this host understands.
constexpr int kVisInterfaceVersion = 0x101;

struct PluginLibrary {
    HMODULE library = nullptr;
    VisHeader* header = nullptr;
};

// Loads the DLL and takes its header. On failure returns false with a one-line reason and
// leaves nothing loaded.
bool loadPlugin(const std::string& path, PluginLibrary* plugin, std::string* error);

void unloadPlugin(PluginLibrary* plugin);

// vis_glintix.dll in the host executable's own folder.
std::string defaultPluginPath();

// Module `index` with the callbacks a run or a configuration call needs, or null with a
// reason.
VisModule* moduleWithCallbacks(const PluginLibrary& plugin, int index, std::string* error);
