#include "plugin/plugin.h"

#include "display/display.h"
#include "effect/fountain.h"

namespace {

const char kName[] = "glintix #1";
const char kWindowedName[] = "glintix #1 (no mode change)";

VisModule theModule = {
    kName,        nullptr,    nullptr,      0,          0,       25, 25, 1, 1, {}, {},
    configModule, initModule, renderModule, quitModule, nullptr,
};

// The same fountain on the monitor that holds the player, in the desktop's own mode.
VisModule windowedModule = {
    kWindowedName, nullptr,        nullptr,      0,       0, 25, 25, 1, 1, {}, {}, configWindowed,
    initWindowed,  renderWindowed, quitWindowed, nullptr,
};

VisHeader theHeader = {kVisInterfaceVersion, kName, moduleAt};

// Whether a start left a display up, of either module; a start without a stop between
// takes the old display down first, so that its window and surfaces do not linger.
bool displayUp = false;

// SSE2 keeps the particle arithmetic exact and MMX carries the row converters. Asked before
// anything else in a start, so that a processor without them gets a failed start instead of
// an illegal instruction; nothing on the way here uses either.
bool processorSupported() {
    return win::IsProcessorFeaturePresent(PF_XMMI64_INSTRUCTIONS_AVAILABLE) &&
           win::IsProcessorFeaturePresent(PF_MMX_INSTRUCTIONS_AVAILABLE);
}

// A start ends whatever run was up, of either module: should this one fail, no render call
// may go on to present on a display that is gone.
bool readyToStart() {
    if (!processorSupported()) {
        return false;
    }
    setRunningFlag(0);
    if (displayUp) {
        displayShutdown();
        releaseFountain();
        displayUp = false;
    }
    return true;
}

// The start's answer to the host, once the display is up (1) or not (0).
int startRun(int displayStarted) {
    if (displayStarted == 0) {
        return 1;
    }
    displayUp = true;
    setRunningFlag(1);
    seedFountain();
    return 0;
}

int renderRun(VisModule* module, int (*present)(const uint32_t* source)) {
    if (runningFlag() == 0) {
        return 1;
    }
    if (stepFountain(module)) {
        present(framebuffer().pixels);
    }
    return 0;
}

// Nothing reads the particles between a stop and the next start, so they go now: after a
// stop nothing of the run is held.
void stopRun() {
    setRunningFlag(0);
    displayShutdown();
    releaseFountain();
    displayUp = false;
}

}  // namespace

extern "C" VisHeader* winampVisGetHeader() { return &theHeader; }

VisModule* moduleAt(int index) {
    switch (index) {
        case 0:
            return &theModule;
        case 1:
            return &windowedModule;
        default:
            return nullptr;
    }
}

void configModule(VisModule* module) {
    win::MessageBoxA(module->parentWindow, "glintix #1\n", "Configuration", MB_OK);
}

int initModule(VisModule*) {
    if (!readyToStart()) {
        return 1;
    }
    return startRun(displayInit(kName, kFrameWidth, kFrameHeight));
}

int renderModule(VisModule* module) { return renderRun(module, displayPresent); }

void quitModule(VisModule*) { stopRun(); }

void configWindowed(VisModule* module) { runMonitorDialog(module->parentWindow); }

// The monitor that the user chose, else the one of the record's parent window, the player's;
// the whole monitor or a window, as the last run left it.
int initWindowed(VisModule* module) {
    if (!readyToStart()) {
        return 1;
    }
    const Settings settings = storedSettings();
    return startRun(windowedInit(kWindowedName, kFrameWidth, kFrameHeight, module->parentWindow,
                                 settings.monitor, settings.window));
}

int renderWindowed(VisModule* module) { return renderRun(module, windowedPresent); }

void quitWindowed(VisModule*) { stopRun(); }
