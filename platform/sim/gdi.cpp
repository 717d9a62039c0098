// The simulated GDI: device contexts of windows, and pictures copied into them, which
// reach the screen where their window shows.
#include <algorithm>
#include <cstring>
#include <map>

#include "platform/sim/internal.h"

namespace {

constexpr uint32_t kUndrawn = 0xCDCDCDCD;

// In physical pixels across the virtual screen.
std::vector<uint32_t> screen;
RECT bounds = {0, 0, 0, 0};
// Handed out and not yet released: each window's device contexts must go back (Microsoft:
// GetDC, "the application must call the ReleaseDC function ... after painting").
std::map<HDC, HWND> contexts;
uintptr_t nextContext = 0x1A0000;

bool operator!=(const RECT& a, const RECT& b) {
    return a.left != b.left || a.top != b.top || a.right != b.right || a.bottom != b.bottom;
}

LONG screenWidth() { return bounds.right - bounds.left; }

// GDI takes no notice of the top byte of a 32-bit picture's pixels (Microsoft: BITMAPINFOHEADER).
void copyColours(uint32_t* __restrict to, const uint32_t* __restrict from, LONG count) {
    for (LONG i = 0; i < count; ++i) {
        to[i] = from[i] & 0x00FFFFFF;
    }
}

// The screen follows the monitors; a new layout has nothing drawn on it.
void fitScreen() {
    RECT now = sim::virtualScreen();
    if (now != bounds || screen.empty()) {
        bounds = now;
        screen.assign(static_cast<size_t>(screenWidth()) * (bounds.bottom - bounds.top), kUndrawn);
    }
}

}  // namespace

namespace sim {

void resetGdi() {
    std::vector<uint32_t>().swap(screen);
    bounds = RECT{0, 0, 0, 0};
    contexts.clear();
    nextContext = 0x1A0000;
}

void drawnAfresh(const RECT& area) {
    fitScreen();
    for (LONG y = std::max(area.top, bounds.top); y < std::min(area.bottom, bounds.bottom); ++y) {
        for (LONG x = std::max(area.left, bounds.left); x < std::min(area.right, bounds.right);
             ++x) {
            screen[static_cast<size_t>(y - bounds.top) * screenWidth() + (x - bounds.left)] =
                kUndrawn;
        }
    }
    needPainting(area);
}

void clearScreen() {
    fitScreen();
    std::fill(screen.begin(), screen.end(), kUndrawn);
}

ScreenView gdiScreen() {
    fitScreen();
    return ScreenView{screen.data(), bounds};
}

uint32_t ScreenView::at(LONG x, LONG y) const {
    if (x < bounds.left || x >= bounds.right || y < bounds.top || y >= bounds.bottom) {
        return kUndrawn;
    }
    return pixels[static_cast<size_t>(y - bounds.top) * (bounds.right - bounds.left) +
                  (x - bounds.left)];
}

std::string gdiLeaks() {
    return contexts.empty() ? std::string()
                            : std::to_string(contexts.size()) + " device context(s); ";
}

}  // namespace sim

namespace win {

HDC GetDC(HWND window) {
    sim::record("GetDC");
    // The screen's own context (a null window) is not simulated.
    if (!sim::windowExists(window)) {
        return nullptr;
    }
    HDC dc = reinterpret_cast<HDC>(nextContext);
    nextContext += 4;
    contexts[dc] = window;
    return dc;
}

int ReleaseDC(HWND window, HDC dc) {
    sim::record("ReleaseDC");
    auto found = contexts.find(dc);
    if (found == contexts.end() || found->second != window) {
        return 0;
    }
    contexts.erase(found);
    return 1;
}

// A 32-bit picture without compression, top-down or bottom-up, copied from its first row on
// (no source row, start scan or line count but the whole picture's) and from any column of
// it; anything else the simulation refuses. Each screen pixel that the window shows gets the
// picture's pixel under it, in the window's own coordinates, which the system scales for a window
// that it stretches.
int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
    sim::record("SetDIBitsToDevice");
    // A copy may fail, copying nothing: 0 lines (Microsoft: SetDIBitsToDevice).
    auto found = contexts.find(dc);
    if (found == contexts.end() || !bits || !info || usage != DIB_RGB_COLORS ||
        sim::takeOne(sim::conditions().refusedCopies)) {
        return 0;
    }
    const BITMAPINFOHEADER& header = info->bmiHeader;
    const LONG rows = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    if (header.biSize != sizeof(BITMAPINFOHEADER) || header.biPlanes != 1 ||
        header.biBitCount != 32 || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        rows == 0 || sourceX < 0 || sourceX >= header.biWidth || sourceY != 0 || startScan != 0 ||
        lines != static_cast<UINT>(rows) || width > static_cast<DWORD>(header.biWidth - sourceX) ||
        height > static_cast<DWORD>(rows)) {
        return 0;
    }
    fitScreen();
    const HWND window = found->second;
    const RECT place = sim::clientScreenRect(window);
    const LONG scale = sim::windowScale(window);
    const uint32_t* picture = static_cast<const uint32_t*>(bits);
    for (LONG sy = std::max(place.top, bounds.top); sy < std::min(place.bottom, bounds.bottom);
         ++sy) {
        const LONG row = (sy - place.top) * 100 / scale - y;
        if (row < 0 || row >= static_cast<LONG>(height)) {
            continue;
        }
        const LONG pictureRow = header.biHeight < 0 ? row : rows - 1 - row;
        const uint32_t* from = picture + static_cast<size_t>(pictureRow) * header.biWidth + sourceX;
        uint32_t* to = screen.data() + static_cast<size_t>(sy - bounds.top) * screenWidth();
        for (const auto& span : sim::visibleSpans(window, sy)) {
            // A window's context draws in its client area alone (Microsoft: GetDC).
            LONG first = std::max({span.first, bounds.left, place.left});
            LONG last = std::min({span.second, bounds.right, place.right});
            if (scale == 100) {
                // Unstretched: the picture's columns lie at a fixed distance from the screen's.
                const LONG shift = place.left + x;
                first = std::max(first, shift);
                last = std::min(last, shift + static_cast<LONG>(width));
                if (first < last) {
                    copyColours(to + (first - bounds.left), from + (first - shift), last - first);
                }
                continue;
            }
            for (LONG sx = first; sx < last; ++sx) {
                const LONG column = (sx - place.left) * 100 / scale - x;
                if (column >= 0 && column < static_cast<LONG>(width)) {
                    to[sx - bounds.left] = from[column] & 0x00FFFFFF;
                }
            }
        }
    }
    return rows;
}

}  // namespace win
