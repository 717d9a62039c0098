#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>

#include "tools/host/beat_track.h"
#include "tools/host/spectrum.h"

namespace {

// What the fountain watches: spectrum channel 0, bytes 0-287, summed.
int lowerHalfSum(const AudioClip& clip, int64_t ms) {
    VisFrame f;
    analyseMoment(clip, ms * clip.sampleRate / 1000, 1, 1, &f);
    return std::accumulate(f.spectrum[0], f.spectrum[0] + kVisBytes / 2, 0);
}

TEST(BeatTrack, AStereoLoopThatNeverClips) {
    AudioClip clip = makeBeatTrack();
    EXPECT_EQ(clip.sampleRate, kBeatRate);
    EXPECT_EQ(clip.channels, 2);
    EXPECT_TRUE(clip.loops);
    EXPECT_EQ(clip.frames(), static_cast<int64_t>(kBeatSeconds * kBeatRate));
    int peak = 0;
    for (int16_t s : clip.samples) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_LT(peak, 32000);
    EXPECT_GT(peak, 16000);
    EXPECT_EQ(makeBeatTrack().samples, clip.samples);
}

// Render calls come every 25 ms at whatever offset from the beat. At every offset each kick
// must lift the lower half of the spectrum by well over the 1,000 that sets off a burst,
// and nothing else in the track may come near it.
TEST(BeatTrack, EveryKickAndOnlyTheKickMakesTheSpectrumJump) {
    AudioClip clip = makeBeatTrack();
    const int beatMs = static_cast<int>(kBeatInterval * 1000);
    const int loopMs = static_cast<int>(kBeatSeconds * 1000);
    int weakestKick = 1 << 30, strongestOther = 0;
    for (int offset = 0; offset < 25; offset += 2) {
        // One whole loop, starting between two beats so that each kick is seen from before.
        const int first = beatMs / 2 + offset;
        int kickJump = 0;
        int previous = lowerHalfSum(clip, first - 25);
        for (int ms = first; ms < first + loopMs; ms += 25) {
            int current = lowerHalfSum(clip, ms);
            int jump = current - previous;
            previous = current;
            int sinceBeat = ms % beatMs;
            // The analysis window reaches 12 ms ahead of the moment heard.
            if (sinceBeat >= beatMs - 15 || sinceBeat < 100) {
                kickJump = std::max(kickJump, jump);
            } else {
                strongestOther = std::max(strongestOther, jump);
                if (kickJump > 0) {
                    weakestKick = std::min(weakestKick, kickJump);
                    kickJump = 0;
                }
            }
        }
    }
    RecordProperty("weakest_kick_jump", weakestKick);
    RecordProperty("strongest_other_jump", strongestOther);
    EXPECT_GT(weakestKick, 3000);
    EXPECT_LT(strongestOther, 1000);
}

}  // namespace
