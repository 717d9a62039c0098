#include "tools/host/wave_player.h"

#include <algorithm>
#include <cstring>

double nowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

bool WavePlayer::start(std::string* reason) {
    close();
    nextFrame_ = 0;
    lastHeard_ = -1;
    notice_.clear();
    fallBackToClock(0);

    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = static_cast<WORD>(clip_.channels);
    format.nSamplesPerSec = static_cast<DWORD>(clip_.sampleRate);
    format.wBitsPerSample = 16;
    format.nBlockAlign = static_cast<WORD>(clip_.channels * 2);
    format.nAvgBytesPerSec = format.nSamplesPerSec * format.nBlockAlign;
    MMRESULT result = waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        device_ = nullptr;
        *reason = "no audio device (waveOutOpen error " + std::to_string(result) + ")";
        return false;
    }
    // A tenth of a second a buffer keeps most of a second queued: render calls that stall
    // for a while (a display mode change) do not starve the device.
    const size_t frames = static_cast<size_t>(std::max(clip_.sampleRate / 10, 256));
    waveOutPause(device_);
    for (int i = 0; i < kBuffers; ++i) {
        blocks_[i].assign(frames * clip_.channels, 0);
        queue(i);
    }
    waveOutRestart(device_);
    lastProgressMs_ = deviceStartMs_ = nowMs();
    return true;
}

bool WavePlayer::queue(int index) {
    WAVEHDR& header = headers_[index];
    if (header.dwFlags & WHDR_PREPARED) {
        waveOutUnprepareHeader(device_, &header, sizeof header);
    }
    std::vector<int16_t>& block = blocks_[index];
    const int64_t capacity = static_cast<int64_t>(block.size()) / clip_.channels;
    int64_t count = capacity;
    if (!clip_.loops) {
        count = std::min(capacity, clip_.frames() - nextFrame_);
    }
    if (count <= 0) {
        return false;
    }
    for (int64_t i = 0; i < count; ++i) {
        for (int c = 0; c < clip_.channels; ++c) {
            block[static_cast<size_t>(i * clip_.channels + c)] =
                static_cast<int16_t>(clip_.sampleAt(nextFrame_ + i, c));
        }
    }
    nextFrame_ += count;
    header = WAVEHDR();
    header.lpData = reinterpret_cast<LPSTR>(block.data());
    header.dwBufferLength = static_cast<DWORD>(count * clip_.channels * 2);
    if (waveOutPrepareHeader(device_, &header, sizeof header) != MMSYSERR_NOERROR) {
        return false;
    }
    return waveOutWrite(device_, &header, sizeof header) == MMSYSERR_NOERROR;
}

void WavePlayer::pump() {
    if (!device_) {
        return;
    }
    for (int i = 0; i < kBuffers; ++i) {
        if (headers_[i].dwFlags & WHDR_DONE) {
            queue(i);
        }
    }
}

int64_t WavePlayer::position() {
    double now = nowMs();
    if (!device_) {
        return clockFrame_ + static_cast<int64_t>((now - clockStartMs_) * clip_.sampleRate / 1000);
    }
    MMTIME time = {};
    time.wType = TIME_SAMPLES;
    int64_t heard = -1;
    if (waveOutGetPosition(device_, &time, sizeof time) == MMSYSERR_NOERROR) {
        if (time.wType == TIME_SAMPLES) {
            heard = time.u.sample;
        } else if (time.wType == TIME_BYTES) {
            heard = time.u.cb / (clip_.channels * 2);
        }
    }
    if (heard < 0) {
        fallBackToClock(std::max<int64_t>(lastHeard_, 0));
        return position();
    }
    const double rate = clip_.sampleRate / 1000.0;
    const int64_t wallClock = static_cast<int64_t>((now - deviceStartMs_) * rate);
    if (heard > wallClock + static_cast<int64_t>(kRunawayMs * rate)) {
        giveUpDevice(wallClock, "the audio device plays faster than real time");
        return wallClock;
    }
    if (heard != lastHeard_) {
        lastHeard_ = heard;
        lastProgressMs_ = now;
    } else if (heard < nextFrame_ && now - lastProgressMs_ > kStallMs) {
        giveUpDevice(heard, "the audio device stopped playing");
    }
    return heard;
}

std::string WavePlayer::takeNotice() {
    std::string notice;
    notice.swap(notice_);
    return notice;
}

void WavePlayer::giveUpDevice(int64_t frame, const char* why) {
    notice_ = why;
    fallBackToClock(frame);
}

void WavePlayer::fallBackToClock(int64_t frame) {
    close();
    clockFrame_ = frame;
    clockStartMs_ = nowMs();
}

void WavePlayer::close() {
    if (!device_) {
        return;
    }
    waveOutReset(device_);
    for (WAVEHDR& header : headers_) {
        if (header.dwFlags & WHDR_PREPARED) {
            waveOutUnprepareHeader(device_, &header, sizeof header);
        }
        header = WAVEHDR();
    }
    waveOutClose(device_);
    device_ = nullptr;
}
