#include "platform/sim/internal.h"

namespace sim {

void reset() {
    resetCalls();
    resetFaults();
    resetKernel();
    resetWindows();
    resetDirectDraw();
    resetMonitors();
    resetGdi();
}

std::string leaks() { return directDrawLeaks() + gdiLeaks() + kernelLeaks() + windowLeaks(); }

}  // namespace sim
