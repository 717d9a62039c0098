// glintix-trace: runs the fountain on scripted render calls and prints every frame.
//
// Input, one render call a line: "TICK LEVEL", the tick count of the call and the value
// (0-255) of every byte of spectrum channel 0. Output, a line a call: "TICK idle", or
// "TICK frame COUNT P1 P2 ...", the particle count after the frame and the indices
// y*640+x of the white pixels, ascending. A line "start" stands for a stop and a
// successful start within the same load: the run's particles are released and a fresh run
// is seeded, the random sequence going on; it is echoed as "start". A malformed line stops
// the run with status 2.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "effect/fountain.h"
#include "platform/sim/sim.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace {

const char* skipBlanks(const char* text) {
    while (*text == ' ' || *text == '\t') {
        ++text;
    }
    return text;
}

// Parses one unsigned decimal field of at most `limit`; advances `text` past it.
bool parseField(const char*& text, unsigned long limit, unsigned long& value) {
    text = skipBlanks(text);
    if (*text < '0' || *text > '9') {
        return false;
    }
    value = 0;
    while (*text >= '0' && *text <= '9') {
        value = value * 10 + static_cast<unsigned long>(*text - '0');
        if (value > limit) {
            return false;
        }
        ++text;
    }
    return true;
}

enum class Call { render, start };

bool parseLine(const std::string& line, Call& call, unsigned long& tick, unsigned long& level,
               const char*& problem) {
    const char* text = skipBlanks(line.c_str());
    if (std::strncmp(text, "start", 5) == 0) {
        if (*skipBlanks(text + 5) != '\0') {
            problem = "unexpected text after start";
            return false;
        }
        call = Call::start;
        return true;
    }
    call = Call::render;
    if (!parseField(text, 0xFFFFFFFFul, tick)) {
        problem = "expected start or TICK, an unsigned 32-bit decimal number";
        return false;
    }
    if (!parseField(text, 255, level)) {
        problem = "expected LEVEL, a decimal number from 0 to 255";
        return false;
    }
    if (*skipBlanks(text) != '\0') {
        problem = "unexpected text after LEVEL";
        return false;
    }
    return true;
}

}  // namespace

int main() {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);  // the same bytes as the native build
#endif
    std::ios::sync_with_stdio(false);
    static VisModule module;
    seedFountain();

    std::string line;
    std::string out;
    for (unsigned long number = 1; std::getline(std::cin, line); ++number) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        Call call = Call::render;
        unsigned long tick = 0;
        unsigned long level = 0;
        const char* problem = nullptr;
        if (!parseLine(line, call, tick, level, problem)) {
            std::cout.flush();
            std::fprintf(stderr, "glintix-trace: line %lu: %s: \"%s\"\n", number, problem,
                         line.c_str());
            return 2;
        }
        if (call == Call::start) {
            // Nothing between a stop and a start reseeds the random source, so the new run
            // draws on from where the old one left off, as it does in one load of the DLL.
            releaseFountain();
            seedFountain();
            std::cout << "start\n";
            continue;
        }
        std::memset(module.spectrumData[0], static_cast<int>(level), kSpectrumBytes);
        sim::setTick(static_cast<DWORD>(tick));

        out = std::to_string(tick);
        if (!stepFountain(&module)) {
            out += " idle\n";
        } else {
            out += " frame ";
            out += std::to_string(fountainStore()->count());
            const uint32_t* pixels = framebuffer().pixels;
            for (int i = 0; i < kFrameWidth * kFrameHeight; ++i) {
                if (pixels[i] != 0) {
                    out += ' ';
                    out += std::to_string(i);
                }
            }
            out += '\n';
        }
        std::cout << out;
    }
    return 0;
}
