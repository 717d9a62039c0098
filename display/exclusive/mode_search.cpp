#include <initializer_list>

#include "display/display_state.h"

void findFallbackMode() {
    ExclusiveDisplay& e = displayState().exclusive;
    e.bestArea = kNoModeFound;
    // A shallower mode only when no deeper one is large enough.
    for (uint32_t depth : {32u, 24u, 16u}) {
        e.modeDepth = depth;
        e.directDraw->EnumDisplayModes(0, nullptr, nullptr, considerMode);
        if (e.bestArea != kNoModeFound) {
            return;
        }
    }
}

HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID) {
    DisplayState& d = displayState();
    ExclusiveDisplay& e = d.exclusive;
    if (mode->ddpfPixelFormat.dwRGBBitCount == e.modeDepth && mode->dwWidth >= d.requestedWidth &&
        mode->dwHeight >= d.requestedHeight) {
        uint32_t area = mode->dwWidth * mode->dwHeight;
        // Strictly smaller: of equal areas the first offered stays.
        if (area < e.bestArea) {
            e.bestArea = area;
            e.modeWidth = mode->dwWidth;
            e.modeHeight = mode->dwHeight;
        }
    }
    return DDENUMRET_OK;
}
