// The windowed display's frames: what changed since the last frame shown, scaled into the
// window's picture and copied to the window through GDI; the whole picture, borders and all,
// whenever the window may show anything else.
#include "display/display.h"
#include "display/display_state.h"

namespace {

// A frame's changes beyond these many rectangles join the last one.
constexpr uint32_t kMaxRects = 64;

}  // namespace

int windowedPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    WindowedDisplay& w = d.windowed;
    pumpWindowMessages(d);
    // Only a minimised window rests: behind another window, or beside the one the user works
    // in, the picture goes on where it shows. It is placed anew only once it is back, since
    // moving a minimised window moves its icon; restored, the system asks for all of it
    // (WM_PAINT).
    if (win::IsIconic(d.window)) {
        win::Sleep(1);
        return 1;
    }
    if (w.switchDue) {
        switchPresentation(d);
    }
    // After a display change (another mode, a monitor that came or went) the window would
    // lie at the old place and size, and after a resize the picture; where the display can
    // no longer hold the picture, the run ends and the host stops it.
    if (w.placeDue && !placeWindowed(d)) {
        setRunningFlag(0);
        return 0;
    }
    const PicturePlacement& place = w.place;
    const uint32_t width = d.requestedWidth;
    const uint32_t height = d.requestedHeight;
    uint32_t* corner = w.pixels + static_cast<size_t>(place.y) * w.pictureWidth + place.x;
    // The window's picture has the framebuffer's own layout.
    const int32_t pitch = static_cast<int32_t>(w.pictureWidth * 4);
    bool copied;
    if (w.wholeDue) {
        w.wholeDue = 0;
        scaleFrame(source, width, height, place.factor, corner, pitch);
        copyBlocks(w.shown, source, width * height * 4);
        copied = copyToWindow(d);
    } else {
        // Between two frames only the particles' old and new places differ: those alone are
        // scaled and copied, and the picture stays whole for the next full copy.
        ChangedRect rects[kMaxRects];
        const uint32_t count = scaleChanges(source, w.shown, width, height, place.factor, corner,
                                            pitch, rects, kMaxRects);
        copied = copyRects(d, rects, count);
    }
    if (!copied) {
        // As after a display change that no message told of.
        w.placeDue = 1;
        return 0;
    }
    win::Sleep(0);
    return 1;
}
