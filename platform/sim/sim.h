// Knobs and records of the simulated platform, for tests. Everything here lives in the
// process and is reset by sim::reset().
#pragma once

#include <string>
#include <vector>

#include "platform/services.h"

namespace sim {

// Puts every simulated service back to its state at process start.
void reset();

// The tick count that win::GetTickCount() answers.
void setTick(DWORD tick);
DWORD tick();

// Every win::Sleep argument since the last reset, in order. Sleeping also moves the tick on.
const std::vector<DWORD>& sleeps();

}  // namespace sim
