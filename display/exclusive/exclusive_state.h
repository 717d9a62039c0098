// The exclusive display's own state and the parts that its files share: DirectDraw, its
// flip chain, the mode the picture is in and the converter into that mode's pixels.
#pragma once

#include <cstdint>

#include "display/convert/row_converters.h"
#include "platform/services.h"

struct ExclusiveDisplay {
    HMODULE library;
    IDirectDraw* directDraw;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    uint32_t modeWidth;
    uint32_t modeHeight;
    uint32_t modeDepth;  // the depth of the search pass, then of the chosen mode
    uint32_t bestArea;   // kNoModeFound until the search finds a mode
    uint32_t xOffset;    // of the picture in the mode
    uint32_t yOffset;
    RowConverter converter;
    int anyMemoryChain;  // the chain came without the video-memory cap
    int blankDue;        // the chain may hold garbage: blacken it before the next frame
};

constexpr uint32_t kNoModeFound = 0x7FFFFFFF;

// DirectDraw reports failure by a negative result; positive ones are successes.
inline bool failed(HRESULT result) { return result < 0; }

// The mode search, run by displayInit when the display refuses the requested size at every
// depth: leaves the smallest mode at least that large in the exclusive mode fields.
void findFallbackMode();
HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID context);

// Blackens every buffer of the flip chain, whichever of them shows first.
void blankChain(ExclusiveDisplay& e);
