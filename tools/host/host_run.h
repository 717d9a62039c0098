// Driving a module: start, render at its delay with fresh audio data, stop.
#pragma once

#include <string>

#include "plugin/vis_records.h"
#include "tools/host/audio_clip.h"

enum class RunEnd { pluginAsked, timeUp, audioEnded, stopped, failedStart, interrupted };

struct RunReport {
    RunEnd end = RunEnd::failedStart;
    long renderCalls = 0;
    double renderTotalMs = 0;
    double renderMaxMs = 0;
    double seconds = 0;  // from the end of the start to the stop
};

// Runs the module until it asks to stop, `seconds` pass (0: no limit), a one-shot clip ends
// or the file `stopFile` (unless empty) exists. Prints progress lines and the summary, and
// with `everySecond` a line a second on the render calls of that second.
RunReport runModule(VisModule* module, HINSTANCE library, HWND hostWindow, const AudioClip& clip,
                    double seconds, bool everySecond, const std::string& stopFile);
