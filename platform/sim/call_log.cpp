#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "platform/sim/internal.h"

namespace {

std::vector<std::string> callLog;
bool recording = true;
bool faults[16];

}  // namespace

namespace sim {

void record(const std::string& call) {
    if (recording) {
        callLog.push_back(call);
    }
}

void setRecording(bool on) { recording = on; }
const std::vector<std::string>& calls() { return callLog; }
void clearCalls() { callLog.clear(); }
void resetCalls() {
    callLog.clear();
    recording = true;
}

std::vector<std::string> callNames() {
    std::vector<std::string> names;
    names.reserve(callLog.size());
    for (const std::string& call : callLog) {
        names.push_back(call.substr(0, call.find('(')));
    }
    return names;
}

std::string hex(uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIxPTR, value);
    return text;
}

std::string hex(const void* pointer) {
    return pointer ? hex(reinterpret_cast<uintptr_t>(pointer)) : "NULL";
}

void setFault(Fault fault, bool on) { faults[static_cast<int>(fault)] = on; }
bool faultSet(Fault fault) { return faults[static_cast<int>(fault)]; }

void resetFaults() {
    for (bool& fault : faults) {
        fault = false;
    }
}

void crash(const std::string& why) {
    std::fprintf(stderr, "simulated platform: %s\n", why.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace sim
