// The windowed display's frames: scaled into the canvas, then one blit to the window's
// centred rectangle, which the clipper cuts to what shows of the window.
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"
#include "display/scaled_frame.h"

namespace {

// The window around the picture: black wherever the window is drawn afresh (shown,
// uncovered, restored), since the canvas covers only the picture.
bool fillBorders(DisplayState& d, const RECT& window, const RECT& picture) {
    const RECT borders[] = {
        {window.left, window.top, window.right, picture.top},
        {window.left, picture.bottom, window.right, window.bottom},
        {window.left, picture.top, picture.left, picture.bottom},
        {picture.right, picture.top, window.right, picture.bottom},
    };
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    bool filled = true;
    for (RECT border : borders) {
        if (border.left < border.right && border.top < border.bottom) {
            filled &= !failed(
                d.primary->Blt(&border, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx));
        }
    }
    return filled;
}

}  // namespace

int windowedPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    pumpWindowMessages(d);
    // Only a minimised window rests: behind another window, or beside the one the user works
    // in, the picture goes on where it shows.
    if (win::IsIconic(d.window)) {
        d.bordersDue = 1;
        win::Sleep(1);
        return 1;
    }
    PerMonitorDpi dpi(d.setThreadDpi);
    // Another program's mode change loses the surfaces; Restore gives the memory back but
    // not the picture, which the canvas gets anew below and the window's borders now.
    if (d.primary->IsLost() < 0 && !failed(d.primary->Restore())) {
        d.bordersDue = 1;
    }
    if (d.canvas->IsLost() < 0) {
        d.canvas->Restore();
    }
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (failed(d.canvas->Lock(nullptr, &desc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr))) {
        return 0;
    }
    convertScaledFrame(d.converter, desc.ddpfPixelFormat.dwRGBBitCount / 8, source,
                       d.requestedWidth, d.requestedHeight, d.scale,
                       static_cast<uint8_t*>(desc.lpSurface), desc.lPitch);
    d.canvas->Unlock(desc.lpSurface);

    // Where the window is now: the user may have moved it.
    RECT window;
    if (!win::GetWindowRect(d.window, &window)) {
        return 0;
    }
    const LONG left = window.left + static_cast<LONG>(d.xOffset);
    const LONG top = window.top + static_cast<LONG>(d.yOffset);
    RECT picture = {left, top, left + static_cast<LONG>(d.requestedWidth * d.scale),
                    top + static_cast<LONG>(d.requestedHeight * d.scale)};
    if (d.bordersDue && fillBorders(d, window, picture)) {
        d.bordersDue = 0;
    }
    d.primary->Blt(&picture, d.canvas, nullptr, DDBLT_WAIT, nullptr);
    win::Sleep(0);
    return 1;
}
