#include "display/convert/frame_changes.h"

#include "display/convert/row_converters.h"
#include "display/convert/widening.h"

namespace {

// Whether n pixels differ: one sum of the whole run, which the compiler makes vector code.
bool differs(const uint32_t* a, const uint32_t* b, uint32_t n) {
    uint32_t difference = 0;
    for (uint32_t i = 0; i < n; ++i) {
        difference |= a[i] ^ b[i];
    }
    return difference != 0;
}

// Of the row's run of kTileSize pixels at x (the last may be shorter), how many it holds.
uint32_t runAt(uint32_t width, uint32_t x) { return width - x < kTileSize ? width - x : kTileSize; }

// Whether the run at x differs. A whole run's count is a constant, which the compiler unrolls
// into vector code.
bool runDiffers(const uint32_t* a, const uint32_t* b, uint32_t width, uint32_t x) {
    const uint32_t n = runAt(width, x);
    return n == kTileSize ? differs(a + x, b + x, kTileSize) : differs(a + x, b + x, n);
}

// The first pixel of the first of a row's runs that differs, or width where none does. Most
// rows of a frame differ nowhere.
uint32_t firstChange(const uint32_t* a, const uint32_t* b, uint32_t width) {
    uint32_t x = 0;
    while (x < width && !runDiffers(a, b, width, x)) {
        x += kTileSize;
    }
    return x < width ? x : width;
}

// `into` grown to hold `r` as well.
void join(ChangedRect& into, const ChangedRect& r) {
    into.top = r.top < into.top ? r.top : into.top;
    into.bottom = r.bottom > into.bottom ? r.bottom : into.bottom;
    into.left = r.left < into.left ? r.left : into.left;
    into.right = r.right > into.right ? r.right : into.right;
}

}  // namespace

uint32_t scaleChanges(const uint32_t* frame, uint32_t* shown, uint32_t width, uint32_t height,
                      uint32_t factor, uint32_t* picture, int32_t pitch, ChangedRect* rects,
                      uint32_t capacity) {
    if (factor == 0 || capacity == 0) {
        return 0;
    }
    const widening::Widen widen = widening::widen32(factor);
    // At most 64 tiles a row, so that a row of tiles is one mask.
    const uint32_t tileWidth = kTileSize * ((width + 64 * kTileSize - 1) / (64 * kTileSize));
    uint32_t count = 0;
    // Of each changed tile in the row of tiles, the pixels that changed in it.
    ChangedRect inTile[64];
    for (uint32_t top = 0; top < height; top += kTileSize) {
        const uint32_t bottom = height - top > kTileSize ? top + kTileSize : height;
        uint64_t changed = 0;
        for (uint32_t y = top; y < bottom; ++y) {
            const uint32_t* row = frame + static_cast<size_t>(y) * width;
            uint32_t* before = shown + static_cast<size_t>(y) * width;
            uint8_t* scaled =
                reinterpret_cast<uint8_t*>(picture) + static_cast<ptrdiff_t>(y) * factor * pitch;
            for (uint32_t x = firstChange(row, before, width); x < width; x += kTileSize) {
                if (!runDiffers(row, before, width, x)) {
                    continue;
                }
                // Only the pixels from the first to the last that differ.
                uint32_t first = x, last = x + runAt(width, x);
                while (row[first] == before[first]) {
                    ++first;
                }
                while (row[last - 1] == before[last - 1]) {
                    --last;
                }
                widening::scaleRows(convertRow32, 4, widen, row + first, last - first, 1, factor,
                                    scaled + size_t{first} * factor * 4, pitch);
                copyBlocks(before + first, row + first, (last - first) * 4);
                const uint32_t tile = x / tileWidth;
                const ChangedRect here = {y, y + 1, first, last};
                if (changed & (uint64_t{1} << tile)) {
                    join(inTile[tile], here);
                } else {
                    inTile[tile] = here;
                    changed |= uint64_t{1} << tile;
                }
            }
        }
        // A rectangle for each run of changed tiles side by side, over the pixels that changed.
        for (uint32_t tile = 0; tile < 64 && (changed >> tile) != 0;) {
            while (!((changed >> tile) & 1)) {
                ++tile;
            }
            ChangedRect run = inTile[tile];
            for (++tile; tile < 64 && ((changed >> tile) & 1); ++tile) {
                join(run, inTile[tile]);
            }
            if (count < capacity) {
                rects[count++] = run;
            } else {
                join(rects[count - 1], run);
            }
        }
    }
    return count;
}
