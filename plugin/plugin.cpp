#include "plugin/plugin.h"

#include "display/display.h"
#include "effect/fountain.h"

namespace {

const char kName[] = "glintix #1";

VisModule theModule = {
    kName,        nullptr,    nullptr,      0,          0,       25, 25, 1, 1, {}, {},
    configModule, initModule, renderModule, quitModule, nullptr,
};

VisHeader theHeader = {kVisInterfaceVersion, kName, moduleAt};

// Whether a start left the display up; a second start without a stop between takes the
// old display down first, so that its window and surfaces do not linger.
bool displayUp = false;

}  // namespace

extern "C" VisHeader* winampVisGetHeader() { return &theHeader; }

VisModule* moduleAt(int index) { return index == 0 ? &theModule : nullptr; }

// No exception may reach the host, whose frames know nothing of ours: every callback
// catches whatever might escape.

void configModule(VisModule* module) {
    try {
        win::MessageBoxA(module->parentWindow, "glintix #1\n", "Configuration", MB_OK);
    } catch (...) {
    }
}

int initModule(VisModule*) {
    try {
        // A start ends whatever run was up: should this one fail, no render call may go on
        // to present on a display that is gone.
        setRunningFlag(0);
        if (displayUp) {
            displayShutdown();
            displayUp = false;
        }
        if (displayInit(kName, kFrameWidth, kFrameHeight) == 0) {
            return 1;
        }
        displayUp = true;
        setRunningFlag(1);
        seedFountain();
        return 0;
    } catch (...) {
        return 1;
    }
}

int renderModule(VisModule* module) {
    try {
        if (runningFlag() == 0) {
            return 1;
        }
        if (stepFountain(module)) {
            displayPresent(framebuffer().pixels);
        }
        return 0;
    } catch (...) {
        return 1;
    }
}

void quitModule(VisModule*) {
    try {
        setRunningFlag(0);
        displayShutdown();
        displayUp = false;
    } catch (...) {
    }
}
