// The per-monitor DPI context, where the system has one: under it, a thread's coordinates
// and a window made on it are the monitor's real pixels.
#pragma once

#include "platform/services.h"

// user32's SetThreadDpiAwarenessContext, or null where the system has none (before
// Windows 10 1607).
win::SetThreadDpiContextFunction lookUpDpiContexts();

// While it lives, the calling thread runs under a per-monitor DPI context, where the system
// has one. The host's own context comes back at the end.
class PerMonitorDpi {
public:
    explicit PerMonitorDpi(win::SetThreadDpiContextFunction set);
    ~PerMonitorDpi();
    PerMonitorDpi(const PerMonitorDpi&) = delete;
    PerMonitorDpi& operator=(const PerMonitorDpi&) = delete;

private:
    win::SetThreadDpiContextFunction set_;
    void* previous_ = nullptr;
};
