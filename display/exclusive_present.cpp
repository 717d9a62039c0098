// The exclusive display's frames: converted into the back buffer, centred, and flipped.
#include <cstddef>
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

namespace {

void blank(DisplayState& d) {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    d.primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    d.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    // The fills alone blacken a chain of one back buffer. Under Wine's GDI renderer, a
    // display without video memory, a flip here made the first frame's flip crash the host
    // (Wine read freed memory copying the picture to the window).
    if (!d.anyMemoryChain) {
        d.primary->Flip(nullptr, DDFLIP_WAIT);
    }
}

}  // namespace

void blankChain(DisplayState& d) {
    // Twice across a flip: a chain of up to three buffers is black whichever shows.
    blank(d);
    blank(d);
    d.blankDue = 0;
}

int displayPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    pumpWindowMessages(d);
    // A minimised window may keep the activation (Wine's does when something outside
    // minimises it): it too is away, and drawing for it would only burn the processor.
    if (!activeFlag() || win::IsIconic(d.window)) {
        // What the chain holds on return is not ours to trust: see below.
        d.blankDue = 1;
        win::Sleep(1);
        return 1;
    }

    // A surface lost to a mode change (the user switched away, or another program set a
    // mode) comes back from Restore with its memory but not its contents, and only the
    // picture's rows are drawn again: the border around a centred picture would show that
    // memory for the rest of the run.
    if (d.primary->IsLost() < 0) {
        d.blankDue = 1;
    }
    if (d.primary->Restore() >= 0 && d.blankDue) {
        blankChain(d);
    }
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (d.backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) < 0) {
        return 0;
    }
    // The locked surface's own depth turns the x offset into bytes.
    uint8_t* destination = static_cast<uint8_t*>(desc.lpSurface) +
                           static_cast<ptrdiff_t>(d.yOffset) * desc.lPitch +
                           ((d.xOffset * desc.ddpfPixelFormat.dwRGBBitCount) >> 3);
    int32_t rows = static_cast<int32_t>(d.requestedHeight);
    for (int32_t row = 0; row < rows; ++row) {
        d.converter(source, destination, d.requestedWidth);
        source += d.requestedWidth;
        destination += desc.lPitch;
    }
    d.backBuffer->Unlock(desc.lpSurface);
    d.primary->Flip(nullptr, DDFLIP_WAIT);
    win::Sleep(0);
    return 1;
}
