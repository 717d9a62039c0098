#include "display/windowed/window_layout.h"

#include "display/convert/scaled_frame.h"

namespace {

LONG overlap(LONG a0, LONG a1, LONG b0, LONG b1) {
    const LONG low = a0 > b0 ? a0 : b0;
    const LONG high = a1 < b1 ? a1 : b1;
    return high > low ? high - low : 0;
}

}  // namespace

RECT firstWindowRect(const RECT& work, const Frame& frame, uint32_t width, uint32_t height) {
    const LONG spareX = frame.left + frame.right;
    const LONG spareY = frame.top + frame.bottom;
    const LONG roomX = work.right - work.left - spareX;
    const LONG roomY = work.bottom - work.top - spareY;
    uint32_t factor = placePicture(roomX > 0 ? static_cast<uint32_t>(roomX) : 0,
                                   roomY > 0 ? static_cast<uint32_t>(roomY) : 0, width, height)
                          .factor;
    factor = factor ? factor : 1;
    const LONG w = static_cast<LONG>(width * factor) + spareX;
    const LONG h = static_cast<LONG>(height * factor) + spareY;
    const LONG left = work.left + (work.right - work.left - w) / 2;
    const LONG top = work.top + (work.bottom - work.top - h) / 2;
    return RECT{left, top, left + w, top + h};
}

// The bar's area that the monitors cover; mirrored monitors, which share their place, count
// once. The bar lies below the sizing border, as thick at the top as at the sides: Windows
// 10 draws that border unseen, and where a window manager frames the window under Wine,
// Wine's frame is its own reckoning, its top border above the manager's title bar.
bool titleBarShown(const RECT& window, const Frame& frame, const PresentMonitor* monitors,
                   int count) {
    const RECT bar = {window.left, window.top + frame.left, window.right, window.top + frame.top};
    int64_t covered = 0;
    for (int i = 0; i < count; ++i) {
        const RECT& m = monitors[i].rect;
        bool seen = false;
        for (int j = 0; j < i; ++j) {
            const RECT& o = monitors[j].rect;
            seen = seen || (o.left == m.left && o.top == m.top && o.right == m.right &&
                            o.bottom == m.bottom);
        }
        if (!seen) {
            covered += int64_t{overlap(bar.left, bar.right, m.left, m.right)} *
                       overlap(bar.top, bar.bottom, m.top, m.bottom);
        }
    }
    return bar.right > bar.left && bar.bottom > bar.top &&
           covered == int64_t{bar.right - bar.left} * (bar.bottom - bar.top);
}
