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

bool tileDiffers(const uint32_t* a, const uint32_t* b) {
    uint32_t difference = 0;
    for (uint32_t i = 0; i < kTileSize; ++i) {
        difference |= a[i] ^ b[i];
    }
    return difference != 0;
}

// The first pixel of the first of a row's runs of kTileSize that differs, or width where
// none does. Most rows of a frame differ nowhere.
uint32_t firstChange(const uint32_t* a, const uint32_t* b, uint32_t width) {
    uint32_t x = 0;
    while (width - x >= kTileSize && !tileDiffers(a + x, b + x)) {
        x += kTileSize;
    }
    const uint32_t n = width - x < kTileSize ? width - x : kTileSize;
    return x < width && differs(a + x, b + x, n) ? x : width;
}

// The rectangle added to the list: below the last one where that spans the same columns and
// ends where this begins, into the last one where the list is full.
uint32_t addRect(ChangedRect* rects, uint32_t count, uint32_t capacity, const ChangedRect& r) {
    ChangedRect* last = count ? &rects[count - 1] : nullptr;
    if (last && last->bottom == r.top && last->left == r.left && last->right == r.right) {
        last->bottom = r.bottom;
        return count;
    }
    if (count < capacity) {
        rects[count] = r;
        return count + 1;
    }
    last->top = last->top < r.top ? last->top : r.top;
    last->bottom = last->bottom > r.bottom ? last->bottom : r.bottom;
    last->left = last->left < r.left ? last->left : r.left;
    last->right = last->right > r.right ? last->right : r.right;
    return count;
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
                const uint32_t n = width - x > kTileSize ? kTileSize : width - x;
                if (n == kTileSize ? !tileDiffers(row + x, before + x)
                                   : !differs(row + x, before + x, n)) {
                    continue;
                }
                // Only the pixels from the first to the last that differ.
                uint32_t first = x, last = x + n;
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
                ChangedRect& r = inTile[tile];
                if (!(changed & (uint64_t{1} << tile))) {
                    r = ChangedRect{y, y + 1, first, last};
                    changed |= uint64_t{1} << tile;
                } else {
                    r.bottom = y + 1;
                    r.left = first < r.left ? first : r.left;
                    r.right = last > r.right ? last : r.right;
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
                const ChangedRect& r = inTile[tile];
                run.top = r.top < run.top ? r.top : run.top;
                run.bottom = r.bottom > run.bottom ? r.bottom : run.bottom;
                run.right = r.right;
            }
            count = addRect(rects, count, capacity, run);
        }
    }
    return count;
}
