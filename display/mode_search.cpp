#include <initializer_list>

#include "display/display_state.h"

void findFallbackMode() {
    DisplayState& d = displayState();
    d.bestArea = kNoModeFound;
    // A shallower mode only when no deeper one is large enough.
    for (uint32_t depth : {32u, 24u, 16u}) {
        d.modeDepth = depth;
        d.directDraw->EnumDisplayModes(0, nullptr, nullptr, considerMode);
        if (d.bestArea != kNoModeFound) {
            return;
        }
    }
}

HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID) {
    DisplayState& d = displayState();
    if (mode->ddpfPixelFormat.dwRGBBitCount == d.modeDepth && mode->dwWidth >= d.requestedWidth &&
        mode->dwHeight >= d.requestedHeight) {
        uint32_t area = mode->dwWidth * mode->dwHeight;
        // Strictly smaller: of equal areas the first offered stays.
        if (area < d.bestArea) {
            d.bestArea = area;
            d.modeWidth = mode->dwWidth;
            d.modeHeight = mode->dwHeight;
        }
    }
    return DDENUMRET_OK;
}
