// Plays a clip through waveOut and says which sample frame is being heard. Without a
// working device it plays silently and the clock says where the audio would be.
#pragma once

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// mmsystem.h needs the types of windows.h, which leaves it out when kept lean.
#include <mmsystem.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/host/audio_clip.h"

// Milliseconds from the performance counter: the one clock of the host.
double nowMs();

class WavePlayer {
public:
    explicit WavePlayer(const AudioClip& clip) : clip_(clip) {}
    ~WavePlayer() { close(); }
    WavePlayer(const WavePlayer&) = delete;
    WavePlayer& operator=(const WavePlayer&) = delete;

    // Starts playing from the clip's first frame. Returns false, with the reason, when it
    // has to go on silently.
    bool start(std::string* reason);
    // Hands finished buffers new audio; call it often, at least every few tens of ms.
    void pump();
    // The sample frame being heard now, counted from the start; it runs past the end of a
    // clip that loops.
    int64_t position();
    // Once, after playback went silent because the device misbehaved: why; else empty.
    std::string takeNotice();
    void close();

private:
    static constexpr int kBuffers = 8;
    // Nothing is heard for this long while audio is queued: the device is not playing.
    static constexpr double kStallMs = 1000;
    // The device is this far ahead of the wall clock: it is not playing in real time.
    static constexpr double kRunawayMs = 500;

    void fallBackToClock(int64_t frame);
    void giveUpDevice(int64_t frame, const char* why);
    bool queue(int index);

    const AudioClip& clip_;
    HWAVEOUT device_ = nullptr;
    WAVEHDR headers_[kBuffers] = {};
    std::vector<int16_t> blocks_[kBuffers];
    int64_t nextFrame_ = 0;  // the next frame to queue
    int64_t lastHeard_ = -1;
    double lastProgressMs_ = 0;
    double deviceStartMs_ = 0;
    std::string notice_;
    // The silent clock: frame `clockFrame_` was heard at `clockStartMs_`.
    int64_t clockFrame_ = 0;
    double clockStartMs_ = 0;
};
