#include <cstddef>
#include <cstring>

#include "display/display.h"
#include "display/display_state.h"

int displayPresent(const uint32_t* source) {
    DisplayState& d = displayState();
    MSG message;
    // Only the display window's messages: those posted to the host's thread are its own.
    while (win::PeekMessageA(&message, d.window, 0, 0, PM_REMOVE)) {
        win::TranslateMessage(&message);
        win::DispatchMessageA(&message);
    }
    // A minimised window may keep the activation (Wine's does when something outside
    // minimises it): it too is away, and drawing for it would only burn the processor.
    if (!activeFlag() || win::IsIconic(d.window)) {
        win::Sleep(1);
        return 1;
    }

    d.primary->Restore();
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
