// The windowed display's frames: scaled into the window's picture, which GDI copies to the
// window whole, borders and all, wherever the window shows.
#include "display/display.h"
#include "display/display_state.h"

int windowedPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    WindowedDisplay& w = d.windowed;
    pumpWindowMessages(d);
    // Only a minimised window rests: behind another window, or beside the one the user works
    // in, the picture goes on where it shows. It is placed anew only once it is back, since
    // moving a minimised window moves its icon.
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
    uint32_t* corner = w.pixels + static_cast<size_t>(place.y) * w.pictureWidth + place.x;
    // The window's picture has the framebuffer's own layout.
    scaleFrame(source, d.requestedWidth, d.requestedHeight, place.factor, corner,
               static_cast<int32_t>(w.pictureWidth * 4));
    if (!copyToWindow(d)) {
        // As after a display change that no message told of.
        w.placeDue = 1;
        return 0;
    }
    win::Sleep(0);
    return 1;
}
