#include "tools/host/host_run.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include <mmsystem.h>

#include "tools/host/host_window.h"
#include "tools/host/spectrum.h"
#include "tools/host/wave_player.h"

namespace {

// A delay above this is taken as a mistake in the record, not a wish for a slide show.
constexpr int kMaxDelayMs = 1000;

volatile LONG interruptRequested = 0;
volatile LONG runStopped = 0;

// Ctrl+C ends the run through the stop call, so the plug-in can give the screen back.
BOOL WINAPI onConsoleControl(DWORD event) {
    if (event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT || event == CTRL_CLOSE_EVENT) {
        InterlockedExchange(&interruptRequested, 1);
        // Closing the console ends the process as soon as this returns: wait (Windows allows
        // about five seconds) until the run has made its stop call.
        for (int waited = 0; event == CTRL_CLOSE_EVENT && !runStopped && waited < 4500;
             waited += 10) {
            Sleep(10);
        }
        return TRUE;
    }
    return FALSE;
}

const char* describeEnd(RunEnd end) {
    switch (end) {
        case RunEnd::pluginAsked:
            return "the plug-in asked to stop";
        case RunEnd::timeUp:
            return "time ran out";
        case RunEnd::audioEnded:
            return "the audio ended";
        case RunEnd::stopped:
            return "stopped by the user";
        case RunEnd::failedStart:
            return "the start failed";
        case RunEnd::interrupted:
            return "interrupted";
    }
    return "?";
}

void printSummary(const RunReport& report) {
    double mean = report.renderCalls ? report.renderTotalMs / report.renderCalls : 0;
    std::printf(
        "glintix-host: %ld render calls in %.1f s; ended: %s; time in render: mean %.2f ms, "
        "max %.2f ms\n",
        report.renderCalls, report.seconds, describeEnd(report.end), mean, report.renderMaxMs);
}

void fillAudioData(VisModule* module, const AudioClip& clip, int64_t frame) {
    VisFrame data;
    analyseMoment(clip, frame, module->spectrumChannels, module->waveformChannels, &data);
    std::memcpy(module->spectrumData, data.spectrum, sizeof module->spectrumData);
    std::memcpy(module->waveformData, data.waveform, sizeof module->waveformData);
}

// Waits until `due`, keeping the audio fed and the host's own messages handled.
void waitUntil(double due, WavePlayer& player, HWND hostWindow) {
    for (;;) {
        player.pump();
        pumpHostMessages(hostWindow);
        double left = due - nowMs();
        if (left <= 0 || interruptRequested) {
            return;
        }
        Sleep(static_cast<DWORD>(std::clamp(left, 1.0, 5.0)));
    }
}

}  // namespace

RunReport runModule(VisModule* module, HINSTANCE library, HWND hostWindow, const AudioClip& clip,
                    double seconds, bool everySecond, const std::string& stopFile) {
    RunReport report;
    module->parentWindow = hostWindow;
    module->libraryInstance = library;
    module->sampleRate = clip.sampleRate;
    module->channels = clip.channels;
    fillAudioData(module, clip, 0);

    int started = module->start(module);
    if (started != 0) {
        std::fprintf(stderr, "glintix-host: the plug-in failed to start (start returned %d)\n",
                     started);
        // The stop call releases whatever the failed start left behind, such as its window.
        module->stop(module);
        report.end = RunEnd::failedStart;
        printSummary(report);
        return report;
    }
    // The plug-in's window is its own business, as in a player: the host never shows,
    // moves or activates it. The line tells a watcher that the run is under way.
    std::printf("glintix-host: the plug-in started\n");
    InterlockedExchange(&runStopped, 0);
    SetConsoleCtrlHandler(onConsoleControl, TRUE);

    const int delay = std::clamp(module->delayMs, 0, kMaxDelayMs);
    // Sleep then wakes within a millisecond, so a 25 ms delay stays 25 ms.
    timeBeginPeriod(1);
    WavePlayer player(clip);
    std::string silentReason;
    if (!player.start(&silentReason)) {
        std::printf("glintix-host: %s; going on without sound\n", silentReason.c_str());
    }
    const double begin = nowMs();
    double due = begin;
    // The render calls of the second under way, for the line a second.
    double secondBegan = begin;
    long secondCalls = 0;
    double secondLongestMs = 0;
    double secondTotalMs = 0;
    for (;;) {
        if (interruptRequested) {
            report.end = RunEnd::interrupted;
            break;
        }
        if (seconds > 0 && nowMs() - begin >= seconds * 1000) {
            report.end = RunEnd::timeUp;
            break;
        }
        if (!stopFile.empty() && GetFileAttributesA(stopFile.c_str()) != INVALID_FILE_ATTRIBUTES) {
            report.end = RunEnd::stopped;
            break;
        }
        player.pump();
        int64_t heard = player.position();
        std::string notice = player.takeNotice();
        if (!notice.empty()) {
            std::printf("glintix-host: %s; going on without sound\n", notice.c_str());
        }
        if (!clip.loops && heard >= clip.frames()) {
            report.end = RunEnd::audioEnded;
            break;
        }
        fillAudioData(module, clip, heard);

        double before = nowMs();
        int result = module->render(module);
        double spent = nowMs() - before;
        ++report.renderCalls;
        report.renderTotalMs += spent;
        report.renderMaxMs = std::max(report.renderMaxMs, spent);
        ++secondCalls;
        secondLongestMs = std::max(secondLongestMs, spent);
        secondTotalMs += spent;
        if (everySecond && nowMs() - secondBegan >= 1000) {
            std::printf(
                "glintix-host: at %.1f s: %ld render calls in the last second, the longest "
                "%.2f ms, %.2f ms in all\n",
                (nowMs() - begin) / 1000, secondCalls, secondLongestMs, secondTotalMs);
            secondBegan = nowMs();
            secondCalls = 0;
            secondLongestMs = 0;
            secondTotalMs = 0;
        }
        if (result != 0) {
            report.end = RunEnd::pluginAsked;
            break;
        }

        due += delay;
        // After a long render call, go on from now rather than rush to catch up.
        due = std::max(due, nowMs() - delay);
        waitUntil(due, player, hostWindow);
    }
    report.seconds = (nowMs() - begin) / 1000;
    timeEndPeriod(1);
    player.close();
    module->stop(module);
    InterlockedExchange(&runStopped, 1);
    SetConsoleCtrlHandler(onConsoleControl, FALSE);
    printSummary(report);
    return report;
}
