#include "platform/sim/sim.h"

namespace sim {

void resetKernel();

void reset() { resetKernel(); }

}  // namespace sim
