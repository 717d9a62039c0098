#include "display/dpi_context.h"

win::SetThreadDpiContextFunction lookUpDpiContexts() {
    HMODULE user32 = win::GetModuleHandleA("user32.dll");
    FARPROC entry = user32 ? win::GetProcAddress(user32, "SetThreadDpiAwarenessContext") : nullptr;
    return reinterpret_cast<win::SetThreadDpiContextFunction>(reinterpret_cast<void (*)()>(entry));
}

PerMonitorDpi::PerMonitorDpi(win::SetThreadDpiContextFunction set) : set_(set) {
    if (set_) {
        // Version 2 from Windows 10 1703 on; the first version before.
        previous_ = set_(reinterpret_cast<void*>(win::kDpiPerMonitorAwareV2));
        if (!previous_) {
            previous_ = set_(reinterpret_cast<void*>(win::kDpiPerMonitorAware));
        }
    }
}

PerMonitorDpi::~PerMonitorDpi() {
    if (previous_) {
        set_(previous_);
    }
}
