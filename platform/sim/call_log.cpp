#include <cinttypes>
#include <cstdio>
#include <cstdlib>

#include "platform/sim/internal.h"

namespace {

std::vector<std::string> callLog;
bool recording = true;

}  // namespace

namespace sim {

void record(const std::string& call) {
    if (recording) {
        callLog.push_back(call);
    }
}

void setRecording(bool on) { recording = on; }
const std::vector<std::string>& calls() { return callLog; }
void resetCalls() {
    callLog.clear();
    recording = true;
}

std::string hex(uintptr_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%" PRIxPTR, value);
    return text;
}

std::string hex(const void* pointer) {
    return pointer ? hex(reinterpret_cast<uintptr_t>(pointer)) : "NULL";
}

bool faultSet(Fault fault) { return conditions().failing.count(fault) != 0; }

// One of the next `count` calls: true, and one fewer left, while any are.
bool takeOne(int& count) {
    if (count <= 0) {
        return false;
    }
    if (count != INT_MAX) {
        --count;
    }
    return true;
}

void crash(const std::string& why) {
    std::fprintf(stderr, "simulated platform: %s\n", why.c_str());
    std::fflush(stderr);
    std::abort();
}

}  // namespace sim
