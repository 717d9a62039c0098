// The simulated DirectDraw: display modes, the exclusive level, flip chains and what they
// show. Only what the exclusive display uses is modelled; the rest refuses
// (direct_draw_unmodelled.h).
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/sim/direct_draw_unmodelled.h"

namespace {

class SimSurface;
class SimDirectDraw;

sim::Mode desktop;
sim::Mode current;

SimDirectDraw* exclusiveOwner = nullptr;
DWORD exclusiveFlags = 0;
HWND exclusiveWindow = nullptr;
// The mode that the exclusive owner set, which DirectDraw sets again when it comes back to
// the foreground; none while it keeps the desktop's.
bool exclusiveModeSet = false;
sim::Mode exclusiveMode;

// Every object made since the reset, released ones included, so that a call on a released
// object is caught instead of reaching freed memory.
std::vector<SimDirectDraw*> objects;
std::vector<SimSurface*> surfaces;

DDPIXELFORMAT formatForDepth(DWORD bits) {
    DDPIXELFORMAT format;
    std::memset(&format, 0, sizeof format);
    format.dwSize = sizeof format;
    format.dwRGBBitCount = bits;
    if (bits == 8) {
        format.dwFlags = DDPF_PALETTEINDEXED8;
    } else if (bits == 16) {
        format.dwFlags = DDPF_RGB;
        format.dwRBitMask = 0xF800;
        format.dwGBitMask = 0x07E0;
        format.dwBBitMask = 0x001F;
    } else {
        format.dwFlags = DDPF_RGB;
        if (bits == 24 || bits == 32) {
            format.dwRBitMask = 0x00FF0000;
            format.dwGBitMask = 0x0000FF00;
            format.dwBBitMask = 0x000000FF;
        }
    }
    return format;
}

DDPIXELFORMAT formatForNewSurface() {
    const std::optional<sim::PixelFormat>& chosen = sim::conditions().pixelFormat;
    if (!chosen) {
        return formatForDepth(current.bits);
    }
    DDPIXELFORMAT format = formatForDepth(chosen->bits);
    format.dwFlags = chosen->flags;
    format.dwRBitMask = chosen->red;
    format.dwGBitMask = chosen->green;
    format.dwBBitMask = chosen->blue;
    return format;
}

LONG rowBytes(DWORD width, DWORD bits) { return static_cast<LONG>(width * ((bits + 7) / 8)); }

bool contains(const std::vector<sim::Mode>& modes, const sim::Mode& mode) {
    return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

class SimSurface final : public sim::UnmodelledSurface {
public:
    SimSurface(std::string role, SimDirectDraw* owner, DWORD width, DWORD height,
               const DDPIXELFORMAT& format)
        : UnmodelledSurface(std::move(role)),
          owner_(owner),
          width_(width),
          height_(height),
          format_(format) {
        LONG tight = rowBytes(width, format.dwRGBBitCount);
        pitch_ = std::max(sim::conditions().pitch, tight);
        memory_.assign(static_cast<size_t>(pitch_) * height, 0xCD);
    }

    SimSurface* firstBack() const { return backs_.empty() ? nullptr : backs_[0]; }
    sim::ChainView chain() const {
        return sim::ChainView{static_cast<int>(backs_.size()), videoMemory_, flips_};
    }
    void placeInVideoMemory(bool inVideoMemory) { videoMemory_ = inVideoMemory; }
    void attach(SimSurface* back) {
        back->attached_ = true;
        backs_.push_back(back);
    }

    sim::SurfaceView view() const {
        return sim::SurfaceView{memory_.data(), pitch_, width_, height_, format_.dwRGBBitCount};
    }

    // Lost with its chain, as every surface is when the display mode changes under it.
    void lose() {
        lost_ = true;
        for (SimSurface* back : backs_) {
            back->lose();
        }
    }

    // A flip chain lives and dies with its primary.
    void die() {
        alive_ = false;
        std::vector<uint8_t>().swap(memory_);
        for (SimSurface* back : backs_) {
            back->die();
        }
    }

    ULONG STDMETHODCALLTYPE Release() override {
        enter("Release");
        if (references_ > 0) {
            --references_;
        }
        // A back buffer goes only with its primary, whatever references it was given.
        if (references_ == 0 && !attached_) {
            die();
        }
        return references_;
    }

    // A colour fill of the whole surface, the display's one kind of blit.
    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override {
        enter("Blt");
        // A locked surface takes no blit (Microsoft: IDirectDrawSurface::Blt, DDERR_SURFACEBUSY).
        if (locked_) {
            return DDERR_SURFACEBUSY;
        }
        if (lost_) {
            return DDERR_SURFACELOST;
        }
        if (destRect || source || sourceRect || !(flags & DDBLT_COLORFILL)) {
            return DDERR_UNSUPPORTED;
        }
        if (!fx || fx->dwSize != sizeof(DDBLTFX)) {
            return DDERR_INVALIDPARAMS;
        }
        const DWORD bytes = (format_.dwRGBBitCount + 7) / 8;
        for (DWORD y = 0; y < height_; ++y) {
            uint8_t* row = memory_.data() + static_cast<size_t>(y) * pitch_;
            for (DWORD x = 0; x < width_; ++x) {
                for (DWORD b = 0; b < bytes; ++b) {
                    row[x * bytes + b] = static_cast<uint8_t>(fx->dwFillColor >> (8 * b));
                }
            }
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD flags) override;

    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE* surface) override {
        enter("GetAttachedSurface");
        if (!caps || !surface) {
            return DDERR_INVALIDPARAMS;
        }
        if (sim::faultSet(sim::Fault::BackBuffer)) {
            *surface = sim::leftover<IDirectDrawSurface>();
            return DDERR_NOTFOUND;
        }
        if (!(caps->dwCaps & DDSCAPS_BACKBUFFER) || backs_.empty()) {
            return DDERR_NOTFOUND;
        }
        *surface = backs_[0];
        ++backs_[0]->references_;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) override {
        enter("GetPixelFormat");
        if (sim::faultSet(sim::Fault::PixelFormat)) {
            return DDERR_GENERIC;
        }
        if (!format || format->dwSize != sizeof(DDPIXELFORMAT)) {
            return DDERR_INVALIDPARAMS;
        }
        *format = format_;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE IsLost() override {
        enter("IsLost");
        return lost_ ? DDERR_SURFACELOST : DD_OK;
    }

    HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD, HANDLE) override {
        enter("Lock");
        if (rect) {
            return DDERR_UNSUPPORTED;
        }
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
            return DDERR_INVALIDPARAMS;
        }
        // One lock at a time (Microsoft: IDirectDrawSurface::Lock, DDERR_SURFACEBUSY).
        if (locked_) {
            return DDERR_SURFACEBUSY;
        }
        if (lost_ || sim::takeOne(sim::conditions().refusedLocks)) {
            return DDERR_SURFACELOST;
        }
        // Of the description, only what the display reads.
        desc->lPitch = pitch_;
        desc->lpSurface = memory_.data();
        desc->ddpfPixelFormat = format_;
        locked_ = true;
        return DD_OK;
    }

    // The memory comes back, not what it held: a restored chain shows whatever is there
    // until it is drawn again. Only in the mode that the surface was made for
    // (IDirectDrawSurface::Restore, DDERR_WRONGMODE).
    HRESULT STDMETHODCALLTYPE Restore() override {
        enter("Restore");
        if (!lost_) {
            return DD_OK;
        }
        if (current.width != width_ || current.height != height_) {
            return DDERR_WRONGMODE;
        }
        restoreChain();
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) override {
        bool own = surfaceData && surfaceData == memory_.data();
        enter("Unlock");
        if (!locked_) {
            return DDERR_NOTLOCKED;
        }
        if (surfaceData && !own) {
            return DDERR_INVALIDPARAMS;
        }
        locked_ = false;
        return DD_OK;
    }

private:
    void restoreChain() {
        lost_ = false;
        std::fill(memory_.begin(), memory_.end(), uint8_t{0xCD});
        for (SimSurface* back : backs_) {
            back->restoreChain();
        }
    }

    SimDirectDraw* owner_;
    bool attached_ = false;
    bool lost_ = false;
    DWORD width_;
    DWORD height_;
    LONG pitch_;
    DDPIXELFORMAT format_;
    std::vector<uint8_t> memory_;
    bool locked_ = false;
    bool videoMemory_ = false;
    int flips_ = 0;
    std::vector<SimSurface*> backs_;
};

class SimDirectDraw final : public sim::UnmodelledDirectDraw {
public:
    SimDirectDraw() : UnmodelledDirectDraw("dd") {}

    ULONG STDMETHODCALLTYPE Release() override {
        enter("Release");
        if (references_ > 0 && --references_ == 0) {
            alive_ = false;
        }
        return references_;
    }

    // Primary surfaces only, with or without a flip chain.
    HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                            IUnknown* outer) override {
        enter("CreateSurface");
        if (!surface || !desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
            return DDERR_INVALIDPARAMS;
        }
        *surface = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        if (sim::takeOne(sim::conditions().refusedSurfaces)) {
            *surface = sim::leftover<IDirectDrawSurface>();
            return DDERR_OUTOFVIDEOMEMORY;
        }
        if (!cooperativeLevelSet_) {
            return DDERR_NOCOOPERATIVELEVELSET;
        }
        DWORD caps = desc->ddsCaps.dwCaps;
        if (sim::faultSet(sim::Fault::VideoMemory) && (caps & DDSCAPS_VIDEOMEMORY)) {
            *surface = sim::leftover<IDirectDrawSurface>();
            return DDERR_NODIRECTDRAWHW;
        }
        if (!(desc->dwFlags & DDSD_CAPS) || !(caps & DDSCAPS_PRIMARYSURFACE)) {
            return DDERR_UNSUPPORTED;
        }
        // One primary an object (Microsoft: IDirectDraw::CreateSurface,
        // DDERR_PRIMARYSURFACEALREADYEXISTS; Wine's dlls/ddraw/surface.c, ddraw_surface_create).
        if (primary_ && primary_->alive()) {
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        }
        DWORD backCount = 0;
        if (caps & DDSCAPS_FLIP) {
            // A flippable primary needs the exclusive level, and a complex surface with at
            // least one back buffer (Wine's dlls/ddraw/surface.c, ddraw_surface_create:
            // DDERR_NOEXCLUSIVEMODE, then DDERR_INVALIDCAPS; Microsoft: "Creating Complex
            // Surfaces and Flipping Chains").
            if (exclusiveOwner != this) {
                return DDERR_NOEXCLUSIVEMODE;
            }
            if (!(caps & DDSCAPS_COMPLEX) || !(desc->dwFlags & DDSD_BACKBUFFERCOUNT) ||
                desc->dwBackBufferCount == 0) {
                return DDERR_INVALIDCAPS;
            }
            backCount = desc->dwBackBufferCount;
        }
        DDPIXELFORMAT format = formatForNewSurface();
        primary_ = new SimSurface("primary", this, current.width, current.height, format);
        primary_->placeInVideoMemory((caps & DDSCAPS_VIDEOMEMORY) != 0);
        surfaces.push_back(primary_);
        for (DWORD i = 0; i < backCount; ++i) {
            SimSurface* back = new SimSurface(i == 0 ? "back" : "back" + std::to_string(i + 1),
                                              this, current.width, current.height, format);
            surfaces.push_back(back);
            primary_->attach(back);
        }
        *surface = primary_;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD, LPDDSURFACEDESC desc, LPVOID context,
                                               LPDDENUMMODESCALLBACK callback) override {
        enter("EnumDisplayModes");
        if (!callback) {
            return DDERR_INVALIDPARAMS;
        }
        if (desc) {
            return DDERR_UNSUPPORTED;  // no matching description: every mode is offered
        }
        std::vector<sim::Mode> modes = sim::conditions().modes;
        for (const sim::Mode& mode : modes) {
            DDSURFACEDESC offered;
            std::memset(&offered, 0, sizeof offered);
            offered.dwSize = sizeof offered;
            offered.dwWidth = mode.width;
            offered.dwHeight = mode.height;
            offered.ddpfPixelFormat = formatForDepth(mode.bits);
            if (callback(&offered, context) == DDENUMRET_CANCEL) {
                break;
            }
        }
        return DD_OK;
    }

    // Only under the exclusive level (Microsoft: IDirectDraw7::RestoreDisplayMode,
    // "Exclusive-level access is required", DDERR_NOEXCLUSIVEMODE).
    HRESULT STDMETHODCALLTYPE RestoreDisplayMode() override {
        enter("RestoreDisplayMode");
        if (exclusiveOwner != this) {
            return DDERR_NOEXCLUSIVEMODE;
        }
        current = desktop;
        exclusiveModeSet = false;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override {
        enter("SetCooperativeLevel");
        if (sim::faultSet(sim::Fault::CooperativeLevel)) {
            return DDERR_EXCLUSIVEMODEALREADYSET;
        }
        if (flags & DDSCL_EXCLUSIVE) {
            if (!(flags & DDSCL_FULLSCREEN) || !sim::windowExists(window)) {
                return DDERR_INVALIDPARAMS;
            }
            if (exclusiveOwner && exclusiveOwner != this) {
                return DDERR_EXCLUSIVEMODEALREADYSET;
            }
            bool newlyExclusive = exclusiveOwner != this;
            exclusiveOwner = this;
            exclusiveFlags = flags;
            exclusiveWindow = window;
            cooperativeLevelSet_ = true;
            // The window comes to the front but stays as hidden as it was: showing it is
            // the program's own business.
            bool fromOtherThread = sim::bringToFront(window);
            sim::stopScreensaverForExclusiveMode();
            if (newlyExclusive && sim::conditions().activationMessages && fromOtherThread) {
                sim::deliver(window, WM_ACTIVATEAPP, TRUE, 0);
            }
            return DD_OK;
        }
        if (!(flags & DDSCL_NORMAL)) {
            return DDERR_INVALIDPARAMS;
        }
        cooperativeLevelSet_ = true;
        if (exclusiveOwner == this) {
            HWND previous = exclusiveWindow;
            exclusiveOwner = nullptr;
            exclusiveFlags = 0;
            exclusiveWindow = nullptr;
            if (sim::conditions().activationMessages) {
                sim::deliver(previous, WM_ACTIVATEAPP, FALSE, 0);
            }
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bits) override {
        enter("SetDisplayMode");
        if (exclusiveOwner && exclusiveOwner != this) {
            return DDERR_NOEXCLUSIVEMODE;
        }
        sim::Mode mode{width, height, bits};
        if (sim::faultSet(sim::Fault::DisplayMode) || !contains(sim::conditions().modes, mode) ||
            contains(sim::conditions().refusedModes, mode)) {
            return DDERR_UNSUPPORTED;
        }
        current = mode;
        if (exclusiveOwner == this) {
            exclusiveModeSet = true;
            exclusiveMode = mode;
        }
        return DD_OK;
    }

private:
    bool cooperativeLevelSet_ = false;
    SimSurface* primary_ = nullptr;
};

HRESULT STDMETHODCALLTYPE SimSurface::Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD) {
    enter("Flip");
    if (targetOverride) {
        return DDERR_UNSUPPORTED;
    }
    if (backs_.empty()) {
        return DDERR_NOTFLIPPABLE;
    }
    if (exclusiveOwner != owner_) {
        return DDERR_NOEXCLUSIVEMODE;
    }
    if (locked_) {
        return DDERR_SURFACEBUSY;
    }
    for (SimSurface* back : backs_) {
        if (back->locked_) {
            return DDERR_SURFACEBUSY;
        }
    }
    if (lost_) {
        return DDERR_SURFACELOST;
    }
    // The memory moves one step along the chain: the first back buffer's picture shows,
    // and the one that showed goes to the end of the chain.
    ++flips_;
    std::swap(memory_, backs_[0]->memory_);
    for (size_t i = 0; i + 1 < backs_.size(); ++i) {
        std::swap(backs_[i]->memory_, backs_[i + 1]->memory_);
    }
    return DD_OK;
}

SimSurface* livePrimary() {
    for (auto it = surfaces.rbegin(); it != surfaces.rend(); ++it) {
        if ((*it)->alive() && (*it)->role() == "primary") {
            return *it;
        }
    }
    return nullptr;
}

}  // namespace

namespace sim {

HRESULT WINAPI directDrawCreate(GUID*, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    record("DirectDrawCreate");
    requireDdrawLoaded("DirectDrawCreate");
    if (!directDraw) {
        return DDERR_INVALIDPARAMS;
    }
    *directDraw = nullptr;
    if (outer) {
        return CLASS_E_NOAGGREGATION;
    }
    if (faultSet(Fault::DirectDrawCreate)) {
        *directDraw = leftover<IDirectDraw>();
        return DDERR_NODIRECTDRAWHW;
    }
    SimDirectDraw* object = new SimDirectDraw;
    objects.push_back(object);
    *directDraw = object;
    return DD_OK;
}

bool operator==(const Mode& a, const Mode& b) {
    return a.width == b.width && a.height == b.height && a.bits == b.bits;
}

std::string describe(const Mode& mode) {
    return std::to_string(mode.width) + "x" + std::to_string(mode.height) + "x" +
           std::to_string(mode.bits);
}

void resetDirectDraw() {
    for (SimSurface* surface : surfaces) {
        delete surface;
    }
    surfaces.clear();
    for (SimDirectDraw* object : objects) {
        delete object;
    }
    objects.clear();
    desktop = current = Mode{1024, 768, 32};
    exclusiveOwner = nullptr;
    exclusiveFlags = 0;
    exclusiveWindow = nullptr;
    exclusiveModeSet = false;
}

// The state at process start is the state after a reset.
[[maybe_unused]] const bool initialised = (resetDirectDraw(), true);

void setDesktopMode(const Mode& mode) { desktop = current = mode; }
Mode desktopMode() { return desktop; }
Mode currentMode() { return current; }

SurfaceView visibleSurface() {
    SimSurface* primary = livePrimary();
    // Under an exclusive level the screen shows the primary only through its window.
    if (!primary || (exclusiveOwner && !windowShowing(exclusiveWindow))) {
        return SurfaceView{nullptr, 0, 0, 0, 0};
    }
    return primary->view();
}

SurfaceView backSurface() {
    SimSurface* primary = livePrimary();
    SimSurface* back = primary ? primary->firstBack() : nullptr;
    return back ? back->view() : SurfaceView{nullptr, 0, 0, 0, 0};
}

ChainView flipChain() {
    SimSurface* primary = livePrimary();
    return primary ? primary->chain() : ChainView{0, false, 0};
}

HWND exclusiveLevelWindow() { return exclusiveOwner ? exclusiveWindow : nullptr; }

bool exclusiveModeOf(Mode* mode) {
    if (!exclusiveOwner || !exclusiveModeSet) {
        return false;
    }
    *mode = exclusiveMode;
    return true;
}

void switchMode(const Mode& mode) {
    if (mode == current) {
        return;
    }
    current = mode;
    for (SimSurface* surface : surfaces) {
        if (surface->alive()) {
            surface->lose();
        }
    }
}

void setDesktop(const Mode& mode) { desktop = mode; }

DWORD cooperativeLevel() { return exclusiveOwner ? exclusiveFlags : DDSCL_NORMAL; }

int liveDirectDraws() {
    return static_cast<int>(std::count_if(objects.begin(), objects.end(),
                                          [](const SimDirectDraw* o) { return o->alive(); }));
}

static int liveSurfaceCount() {
    return static_cast<int>(std::count_if(surfaces.begin(), surfaces.end(),
                                          [](const SimSurface* s) { return s->alive(); }));
}

std::string directDrawLeaks() {
    std::string found;
    if (int count = liveDirectDraws()) {
        found += std::to_string(count) + " DirectDraw object(s); ";
    }
    if (int count = liveSurfaceCount()) {
        found += std::to_string(count) + " surface(s); ";
    }
    if (!(current == desktop)) {
        found += "display mode " + describe(current) + " (desktop " + describe(desktop) + "); ";
    }
    if (exclusiveOwner) {
        found += "exclusive level " + hex(exclusiveFlags) + "; ";
    }
    return found;
}

}  // namespace sim
