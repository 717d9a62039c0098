#include "platform/sim/sim.h"

namespace {

DWORD currentTick = 0;
std::vector<DWORD> sleepLog;

}  // namespace

namespace sim {

void resetKernel() {
    currentTick = 0;
    sleepLog.clear();
}

void setTick(DWORD tick) { currentTick = tick; }
DWORD tick() { return currentTick; }
const std::vector<DWORD>& sleeps() { return sleepLog; }

}  // namespace sim

namespace win {

DWORD GetTickCount() { return currentTick; }

void Sleep(DWORD milliseconds) {
    sleepLog.push_back(milliseconds);
    currentTick += milliseconds;
}

}  // namespace win
