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

// SSE2 keeps the particle arithmetic exact and MMX carries the row converters. Asked before
// anything else in a start, so that a processor without them gets a failed start instead of
// an illegal instruction; nothing on the way here uses either.
bool processorSupported() {
    return win::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) &&
           win::IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE);
}

}  // namespace

extern "C" VisHeader* winampVisGetHeader() { return &theHeader; }

VisModule* moduleAt(int index) { return index == 0 ? &theModule : nullptr; }

void configModule(VisModule* module) {
    win::MessageBoxA(module->parentWindow, "glintix #1\n", "Configuration", MB_OK);
}

int initModule(VisModule*) {
    if (!processorSupported()) {
        return 1;
    }
    // A start ends whatever run was up: should this one fail, no render call may go on to
    // present on a display that is gone.
    setRunningFlag(0);
    if (displayUp) {
        displayShutdown();
        releaseFountain();
        displayUp = false;
    }
    if (displayInit(kName, kFrameWidth, kFrameHeight) == 0) {
        return 1;
    }
    displayUp = true;
    setRunningFlag(1);
    seedFountain();
    return 0;
}

int renderModule(VisModule* module) {
    if (runningFlag() == 0) {
        return 1;
    }
    if (stepFountain(module)) {
        displayPresent(framebuffer().pixels);
    }
    return 0;
}

// Nothing reads the particles between a stop and the next start, so they go now: after a
// stop nothing of the run is held.
void quitModule(VisModule*) {
    setRunningFlag(0);
    displayShutdown();
    releaseFountain();
    displayUp = false;
}
