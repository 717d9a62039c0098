// The display's module-level state, shared by the files of display/ only.
#pragma once

#include <cstdint>

#include "display/row_converters.h"
#include "platform/services.h"

struct DisplayState {
    HMODULE library;
    IDirectDraw* directDraw;
    WNDCLASSA windowClass;
    HWND window;
    IDirectDrawSurface* primary;
    IDirectDrawSurface* backBuffer;
    uint32_t requestedWidth;
    uint32_t requestedHeight;
    uint32_t modeWidth;
    uint32_t modeHeight;
    uint32_t modeDepth;  // the depth of the search pass, then of the chosen mode
    uint32_t bestArea;   // kNoModeFound until the search finds a mode
    uint32_t xOffset;
    uint32_t yOffset;
    RowConverter converter;
    int anyMemoryChain;    // the chain came without the video-memory cap
    int blankDue;          // the chain may hold garbage: blacken it before the next frame
    int classRegistered;   // by this start, so the teardown unregisters it
    int screensaverWasOn;  // before this start, so the teardown switches it back on
};

constexpr uint32_t kNoModeFound = 0x7FFFFFFF;

DisplayState& displayState();

// The mode search, run by displayInit when the display refuses the requested size at every
// depth: leaves the smallest mode at least that large in the state's mode fields.
void findFallbackMode();
HRESULT WINAPI considerMode(LPDDSURFACEDESC mode, LPVOID context);

// Blackens every buffer of the flip chain, whichever of them shows first.
void blankChain(DisplayState& d);
