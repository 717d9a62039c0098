#include "platform/sim/internal.h"

namespace sim {

void reset() {
    resetCalls();
    resetFaults();
    resetKernel();
    resetWindows();
    resetDirectDraw();
    resetMonitors();
}

std::string leaks() { return directDrawLeaks() + kernelLeaks() + windowLeaks(); }

}  // namespace sim
