// What changed between two frames, and only that scaled: a frame of a few hundred particles
// differs from the one before it in a few hundred pixels, and a large monitor's picture need
// not be scaled and copied whole for them.
#pragma once

#include <cstdint>

// Rows [top, bottom) and columns [left, right) of a frame.
struct ChangedRect {
    uint32_t top;
    uint32_t bottom;
    uint32_t left;
    uint32_t right;
};

// The frame is compared in tiles of kTileSize x kTileSize pixels (wider where the frame is
// wider than 64 of them), a row of tiles at a time.
constexpr uint32_t kTileSize = 16;

// Compares `frame` with `shown` (both width x height pixels, rows packed), scales into
// `picture` as scaleFrame would (the whole frame at `picture`, rows pitch bytes apart) each
// row's pixels from the first to the last that changed in each tile, makes `shown` the same
// as `frame`, and lists what changed in `rects`: for each run of changed tiles side by side
// in a row of tiles, the rectangle that holds their changed pixels. Its result, the number
// of rectangles, is at most `capacity`: the changes beyond join the last one. Factor 0
// scales nothing.
uint32_t scaleChanges(const uint32_t* frame, uint32_t* shown, uint32_t width, uint32_t height,
                      uint32_t factor, uint32_t* picture, int32_t pitch, ChangedRect* rects,
                      uint32_t capacity);
