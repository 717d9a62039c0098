// The exclusive display's frames: converted into the back buffer, centred, and flipped.
#include <cstddef>
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

namespace {

void blank(ExclusiveDisplay& e) {
    DDBLTFX fx;
    std::memset(&fx, 0, sizeof fx);
    fx.dwSize = sizeof fx;
    fx.dwFillColor = 0;
    e.primary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    e.backBuffer->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
    // The fills alone blacken a chain of one back buffer. Under Wine's GDI renderer, a
    // display without video memory, a flip here made the first frame's flip crash the host
    // (Wine read freed memory copying the picture to the window).
    if (!e.anyMemoryChain) {
        e.primary->Flip(nullptr, DDFLIP_WAIT);
    }
}

}  // namespace

void blankChain(ExclusiveDisplay& e) {
    // Twice across a flip: a chain of up to three buffers is black whichever shows.
    blank(e);
    blank(e);
    e.blankDue = 0;
}

int displayPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    ExclusiveDisplay& e = d.exclusive;
    pumpWindowMessages(d);
    // A minimised window may keep the activation (Wine's does when something outside
    // minimises it): it too is away, and drawing for it would only burn the processor.
    if (!activeFlag() || win::IsIconic(d.window)) {
        // What the chain holds on return is not ours to trust: see below.
        e.blankDue = 1;
        win::Sleep(1);
        return 1;
    }

    // A surface lost to a mode change (the user switched away, or another program set a
    // mode) comes back from Restore with its memory but not its contents, and only the
    // picture's rows are drawn again: the border around a centred picture would show that
    // memory for the rest of the run.
    if (e.primary->IsLost() < 0) {
        e.blankDue = 1;
    }
    if (e.primary->Restore() >= 0 && e.blankDue) {
        blankChain(e);
    }
    DDSURFACEDESC desc;
    std::memset(&desc, 0, sizeof desc);
    desc.dwSize = sizeof desc;
    if (e.backBuffer->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr) < 0) {
        return 0;
    }
    // The locked surface's own depth turns the x offset into bytes.
    uint8_t* destination = static_cast<uint8_t*>(desc.lpSurface) +
                           static_cast<ptrdiff_t>(e.yOffset) * desc.lPitch +
                           ((e.xOffset * desc.ddpfPixelFormat.dwRGBBitCount) >> 3);
    int32_t rows = static_cast<int32_t>(d.requestedHeight);
    for (int32_t row = 0; row < rows; ++row) {
        e.converter(source, destination, d.requestedWidth);
        source += d.requestedWidth;
        destination += desc.lPitch;
    }
    e.backBuffer->Unlock(desc.lpSurface);
    e.primary->Flip(nullptr, DDFLIP_WAIT);
    win::Sleep(0);
    return 1;
}
