// The two records shared in memory with the host. Their layout is the host's: on the
// 32-bit host pointers and handles are 4 bytes and the fields follow without gaps.
#pragma once

#include <cstddef>

#include "platform/services.h"

constexpr int kSpectrumBytes = 576;

struct VisModule;

typedef VisModule* (*ModuleGetter)(int index);
typedef void (*ModuleConfig)(VisModule* module);
typedef int (*ModuleStart)(VisModule* module);
typedef int (*ModuleRender)(VisModule* module);
typedef void (*ModuleStop)(VisModule* module);

struct VisHeader {
    int version;
    const char* description;
    ModuleGetter moduleAt;
};

struct VisModule {
    const char* description;
    HWND parentWindow;  // the host's; owner of the configuration box
    HINSTANCE libraryInstance;
    int sampleRate;
    int channels;
    int latencyMs;  // declared to the host only
    int delayMs;    // declared to the host only
    int spectrumChannels;
    int waveformChannels;
    unsigned char spectrumData[2][kSpectrumBytes];
    unsigned char waveformData[2][kSpectrumBytes];
    ModuleConfig config;
    ModuleStart start;
    ModuleRender render;
    ModuleStop stop;
    void* userData;
};

// Checked where pointers are 4 bytes, as in the host. A build of another pointer width (the
// tests, natively or as 64-bit Windows programs) keeps the order and the widths of the
// integers and data blocks.
constexpr bool kHostPointers = sizeof(void*) == 4;
static_assert(!kHostPointers || sizeof(VisHeader) == 12, "header layout");
static_assert(!kHostPointers || offsetof(VisHeader, description) == 4, "header layout");
static_assert(!kHostPointers || offsetof(VisHeader, moduleAt) == 8, "header layout");
static_assert(!kHostPointers || offsetof(VisModule, parentWindow) == 4, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, libraryInstance) == 8, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, sampleRate) == 12, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, channels) == 16, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, latencyMs) == 20, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, delayMs) == 24, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, spectrumChannels) == 28, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, waveformChannels) == 32, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, spectrumData) == 36, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, waveformData) == 1188, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, config) == 2340, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, start) == 2344, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, render) == 2348, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, stop) == 2352, "module layout");
static_assert(!kHostPointers || offsetof(VisModule, userData) == 2356, "module layout");
static_assert(!kHostPointers || sizeof(VisModule) == 2360, "module layout");
