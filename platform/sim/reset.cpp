#include "platform/sim/internal.h"

namespace sim {

namespace {

Conditions current;

}  // namespace

Conditions& conditions() { return current; }

void reset() {
    current = Conditions{};
    resetCalls();
    resetKernel();
    resetWindows();
    resetDirectDraw();
    resetMonitors();
    resetGdi();
    resetFiles();
}

std::string leaks() {
    return directDrawLeaks() + gdiLeaks() + kernelLeaks() + fileLeaks() + windowLeaks();
}

}  // namespace sim
