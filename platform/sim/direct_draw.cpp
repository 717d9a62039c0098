#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/sim/internal.h"

namespace {

class SimSurface;
class SimDirectDraw;

std::vector<sim::Mode> offeredModes;
std::vector<sim::Mode> refusedModes;
sim::Mode desktop;
sim::Mode current;
int surfaceRefusals = 0;
int lockRefusals = 0;
bool formatOverridden = false;
sim::PixelFormat formatOverride;
LONG pitchOverride = 0;
bool activationMessages = true;

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
    if (!formatOverridden) {
        return formatForDepth(current.bits);
    }
    DDPIXELFORMAT format = formatForDepth(formatOverride.bits);
    format.dwFlags = formatOverride.flags;
    format.dwRBitMask = formatOverride.red;
    format.dwGBitMask = formatOverride.green;
    format.dwBBitMask = formatOverride.blue;
    return format;
}

LONG rowBytes(DWORD width, DWORD bits) { return static_cast<LONG>(width * ((bits + 7) / 8)); }

bool contains(const std::vector<sim::Mode>& modes, const sim::Mode& mode) {
    for (const sim::Mode& m : modes) {
        if (m == mode) {
            return true;
        }
    }
    return false;
}

// What every simulated DirectDraw object shares: its calls recorded under its role, a call
// after its release or after ddraw.dll was unloaded stopped, and its reference count.
template <typename Interface>
class SimObject : public Interface {
public:
    explicit SimObject(std::string role) : role_(std::move(role)) {}
    bool alive() const { return alive_; }
    const std::string& role() const { return role_; }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override {
        return unsupported("QueryInterface");
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        enter("AddRef", "");
        return ++references_;
    }

protected:
    void enter(const char* method, const std::string& arguments) {
        sim::record(role_ + "." + method + "(" + arguments + ")");
        if (!alive_) {
            sim::crash(role_ + "." + method + " called on a released object");
        }
        sim::requireDdrawLoaded(method);
    }
    HRESULT unsupported(const char* method) {
        enter(method, "...");
        return DDERR_UNSUPPORTED;
    }

    std::string role_;
    bool alive_ = true;
    ULONG references_ = 1;
};

// Lets through to a surface only what reaches the screen for its window.
class SimClipper final : public SimObject<IDirectDrawClipper> {
public:
    SimClipper() : SimObject("clipper") {}
    HWND window() const { return window_; }

    ULONG STDMETHODCALLTYPE Release() override {
        enter("Release", "");
        drop();
        return references_;
    }
    // What a surface does when it lets go of the clipper: no call of the code under test.
    void drop() {
        if (references_ > 0 && --references_ == 0) {
            alive_ = false;
        }
    }
    void hold() { ++references_; }

    HRESULT STDMETHODCALLTYPE GetClipList(LPRECT, LPRGNDATA, LPDWORD) override {
        return unsupported("GetClipList");
    }
    HRESULT STDMETHODCALLTYPE GetHWnd(HWND*) override { return unsupported("GetHWnd"); }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW, DWORD) override {
        return unsupported("Initialize");
    }
    HRESULT STDMETHODCALLTYPE IsClipListChanged(BOOL*) override {
        return unsupported("IsClipListChanged");
    }
    HRESULT STDMETHODCALLTYPE SetClipList(LPRGNDATA, DWORD) override {
        return unsupported("SetClipList");
    }
    HRESULT STDMETHODCALLTYPE SetHWnd(DWORD flags, HWND window) override {
        enter("SetHWnd", sim::hex(flags) + ", " + sim::hex(window));
        if (flags || !sim::windowExists(window)) {
            return DDERR_INVALIDPARAMS;
        }
        window_ = window;
        return DD_OK;
    }

private:
    HWND window_ = nullptr;
};

std::vector<SimClipper*> clippers;

class SimSurface final : public SimObject<IDirectDrawSurface> {
public:
    SimSurface(std::string role, SimDirectDraw* owner, DWORD width, DWORD height,
               const DDPIXELFORMAT& format)
        : SimObject(std::move(role)),
          owner_(owner),
          width_(width),
          height_(height),
          format_(format) {
        LONG tight = rowBytes(width, format.dwRGBBitCount);
        pitch_ = pitchOverride >= tight ? pitchOverride : tight;
        memory_.assign(static_cast<size_t>(pitch_) * height, 0xCD);
    }

    SimDirectDraw* owner() const { return owner_; }
    SimSurface* firstBack() const { return backs_.empty() ? nullptr : backs_[0]; }
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
        if (clipper_) {
            clipper_->drop();
            clipper_ = nullptr;
        }
        std::vector<uint8_t>().swap(memory_);
        for (SimSurface* back : backs_) {
            back->die();
        }
    }

    ULONG STDMETHODCALLTYPE Release() override {
        enter("Release", "");
        if (references_ > 0) {
            --references_;
        }
        // A back buffer goes only with its primary, whatever references it was given.
        if (references_ == 0 && !attached_) {
            die();
        }
        return references_;
    }

    HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE) override {
        return unsupported("AddAttachedSurface");
    }
    HRESULT STDMETHODCALLTYPE AddOverlayDirtyRect(LPRECT) override {
        return unsupported("AddOverlayDirtyRect");
    }

    // A colour fill, or a copy of a whole surface of the same size and format, into the
    // whole surface or a rectangle of it. Through a clipper only the pixels that reach the
    // screen for its window are written; without one, a rectangle must lie on the surface.
    HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source, LPRECT sourceRect,
                                  DWORD flags, LPDDBLTFX fx) override {
        enter("Blt", describeRect(destRect) + ", " + describeSource(source) + ", " +
                         sim::hex(sourceRect) + ", " + sim::hex(flags) + ", " +
                         (fx ? "fill " + sim::hex(fx->dwFillColor) : std::string("NULL")));
        SimSurface* from = static_cast<SimSurface*>(source);
        if (locked_ || (from && from->locked_)) {
            return DDERR_SURFACEBUSY;
        }
        if (lost_ || (from && from->lost_)) {
            return DDERR_SURFACELOST;
        }
        const bool fill = (flags & DDBLT_COLORFILL) != 0;
        if (sourceRect || fill == (from != nullptr)) {
            return DDERR_UNSUPPORTED;
        }
        if (fill && (!fx || fx->dwSize != sizeof(DDBLTFX))) {
            return DDERR_INVALIDPARAMS;
        }
        RECT area = destRect ? *destRect
                             : RECT{0, 0, static_cast<LONG>(width_), static_cast<LONG>(height_)};
        if (from && (area.right - area.left != static_cast<LONG>(from->width_) ||
                     area.bottom - area.top != static_cast<LONG>(from->height_) ||
                     from->format_.dwRGBBitCount != format_.dwRGBBitCount)) {
            return DDERR_UNSUPPORTED;  // the simulation neither stretches nor converts
        }
        if (!clipper_ &&
            (area.left < 0 || area.top < 0 || area.right > LONG(width_) ||
             area.bottom > LONG(height_) || area.left > area.right || area.top > area.bottom)) {
            return DDERR_INVALIDRECT;
        }
        const DWORD bytes = (format_.dwRGBBitCount + 7) / 8;
        for (LONG y = std::max(area.top, LONG{0}); y < std::min(area.bottom, LONG(height_)); ++y) {
            uint8_t* row = memory_.data() + static_cast<size_t>(y) * pitch_;
            for (LONG x = std::max(area.left, LONG{0}); x < std::min(area.right, LONG(width_));
                 ++x) {
                if (clipper_ && !sim::reachesScreen(clipper_->window(), x, y)) {
                    continue;
                }
                for (DWORD b = 0; b < bytes; ++b) {
                    row[x * bytes + b] =
                        fill ? static_cast<uint8_t>(fx->dwFillColor >> (8 * b))
                             : from->memory_[static_cast<size_t>(y - area.top) * from->pitch_ +
                                             (x - area.left) * bytes + b];
                }
            }
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE BltBatch(LPDDBLTBATCH, DWORD, DWORD) override {
        return unsupported("BltBatch");
    }
    HRESULT STDMETHODCALLTYPE BltFast(DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD) override {
        return unsupported("BltFast");
    }
    HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD, LPDIRECTDRAWSURFACE) override {
        return unsupported("DeleteAttachedSurface");
    }
    HRESULT STDMETHODCALLTYPE EnumAttachedSurfaces(LPVOID, LPDDENUMSURFACESCALLBACK) override {
        return unsupported("EnumAttachedSurfaces");
    }
    HRESULT STDMETHODCALLTYPE EnumOverlayZOrders(DWORD, LPVOID, LPDDENUMSURFACESCALLBACK) override {
        return unsupported("EnumOverlayZOrders");
    }

    HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD flags) override;

    HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                 LPDIRECTDRAWSURFACE* surface) override {
        enter("GetAttachedSurface", caps ? sim::hex(caps->dwCaps) : std::string("NULL"));
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

    HRESULT STDMETHODCALLTYPE GetBltStatus(DWORD) override { return unsupported("GetBltStatus"); }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDDSCAPS) override { return unsupported("GetCaps"); }
    HRESULT STDMETHODCALLTYPE GetClipper(LPDIRECTDRAWCLIPPER*) override {
        return unsupported("GetClipper");
    }
    HRESULT STDMETHODCALLTYPE GetColorKey(DWORD, LPDDCOLORKEY) override {
        return unsupported("GetColorKey");
    }
    HRESULT STDMETHODCALLTYPE GetDC(HDC*) override { return unsupported("GetDC"); }
    HRESULT STDMETHODCALLTYPE GetFlipStatus(DWORD) override { return unsupported("GetFlipStatus"); }
    HRESULT STDMETHODCALLTYPE GetOverlayPosition(LPLONG, LPLONG) override {
        return unsupported("GetOverlayPosition");
    }
    HRESULT STDMETHODCALLTYPE GetPalette(LPDIRECTDRAWPALETTE*) override {
        return unsupported("GetPalette");
    }

    HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) override {
        enter("GetPixelFormat", format ? std::to_string(format->dwSize) : std::string("NULL"));
        if (sim::faultSet(sim::Fault::PixelFormat)) {
            return DDERR_GENERIC;
        }
        if (!format || format->dwSize != sizeof(DDPIXELFORMAT)) {
            return DDERR_INVALIDPARAMS;
        }
        *format = format_;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC) override {
        return unsupported("GetSurfaceDesc");
    }
    HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW, LPDDSURFACEDESC) override {
        return unsupported("Initialize");
    }

    HRESULT STDMETHODCALLTYPE IsLost() override {
        enter("IsLost", "");
        return lost_ ? DDERR_SURFACELOST : DD_OK;
    }

    HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags,
                                   HANDLE event) override {
        enter("Lock", sim::hex(rect) + ", " +
                          (desc ? std::to_string(desc->dwSize) : std::string("NULL")) + ", " +
                          sim::hex(flags) + ", " + sim::hex(event));
        if (rect) {
            return DDERR_UNSUPPORTED;
        }
        if (!desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
            return DDERR_INVALIDPARAMS;
        }
        if (locked_) {
            return DDERR_SURFACEBUSY;
        }
        if (lost_) {
            return DDERR_SURFACELOST;
        }
        if (sim::faultSet(sim::Fault::Lock) || lockRefusals > 0) {
            if (lockRefusals > 0) {
                --lockRefusals;
            }
            return DDERR_SURFACELOST;
        }
        desc->dwFlags =
            DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_LPSURFACE;
        desc->dwHeight = height_;
        desc->dwWidth = width_;
        desc->lPitch = pitch_;
        desc->lpSurface = memory_.data();
        desc->ddpfPixelFormat = format_;
        desc->ddsCaps.dwCaps = role_ == "primary" ? DDSCAPS_PRIMARYSURFACE
                               : attached_        ? DDSCAPS_BACKBUFFER
                                                  : DDSCAPS_OFFSCREENPLAIN;
        locked_ = true;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC) override { return unsupported("ReleaseDC"); }

    // The memory comes back, not what it held: a restored chain shows whatever is there
    // until it is drawn again. Only in the mode that the surface was made for.
    HRESULT STDMETHODCALLTYPE Restore() override {
        enter("Restore", "");
        if (!lost_) {
            return DD_OK;
        }
        if (current.width != width_ || current.height != height_) {
            return DDERR_WRONGMODE;
        }
        restoreChain();
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE SetClipper(LPDIRECTDRAWCLIPPER clipper) override {
        enter("SetClipper", clipper ? "clipper" : "NULL");
        SimClipper* next = static_cast<SimClipper*>(clipper);
        if (next) {
            next->hold();
        }
        if (clipper_) {
            clipper_->drop();
        }
        clipper_ = next;
        return DD_OK;
    }
    HRESULT STDMETHODCALLTYPE SetColorKey(DWORD, LPDDCOLORKEY) override {
        return unsupported("SetColorKey");
    }
    HRESULT STDMETHODCALLTYPE SetOverlayPosition(LONG, LONG) override {
        return unsupported("SetOverlayPosition");
    }
    HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE) override {
        return unsupported("SetPalette");
    }

    HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) override {
        bool own = surfaceData && surfaceData == memory_.data();
        enter("Unlock", own ? std::string("lpSurface") : sim::hex(surfaceData));
        if (!locked_) {
            return DDERR_NOTLOCKED;
        }
        if (surfaceData && !own) {
            return DDERR_INVALIDPARAMS;
        }
        locked_ = false;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD,
                                            LPDDOVERLAYFX) override {
        return unsupported("UpdateOverlay");
    }
    HRESULT STDMETHODCALLTYPE UpdateOverlayDisplay(DWORD) override {
        return unsupported("UpdateOverlayDisplay");
    }
    HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD, LPDIRECTDRAWSURFACE) override {
        return unsupported("UpdateOverlayZOrder");
    }

private:
    static std::string describeRect(const RECT* rect) {
        if (!rect) {
            return "NULL";
        }
        return std::to_string(rect->left) + "," + std::to_string(rect->top) + "-" +
               std::to_string(rect->right) + "," + std::to_string(rect->bottom);
    }
    static std::string describeSource(IDirectDrawSurface* source) {
        return source ? static_cast<SimSurface*>(source)->role_ : std::string("NULL");
    }

    void restoreChain() {
        lost_ = false;
        std::fill(memory_.begin(), memory_.end(), uint8_t{0xCD});
        for (SimSurface* back : backs_) {
            back->restoreChain();
        }
    }

    SimDirectDraw* owner_;
    bool attached_ = false;
    SimClipper* clipper_ = nullptr;
    bool lost_ = false;
    DWORD width_;
    DWORD height_;
    LONG pitch_;
    DDPIXELFORMAT format_;
    std::vector<uint8_t> memory_;
    bool locked_ = false;
    std::vector<SimSurface*> backs_;
};

class SimDirectDraw final : public SimObject<IDirectDraw> {
public:
    SimDirectDraw() : SimObject("dd") {}

    ULONG STDMETHODCALLTYPE Release() override {
        enter("Release", "");
        if (references_ > 0 && --references_ == 0) {
            alive_ = false;
        }
        return references_;
    }

    HRESULT STDMETHODCALLTYPE Compact() override { return unsupported("Compact"); }
    HRESULT STDMETHODCALLTYPE CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                            IUnknown* outer) override {
        enter("CreateClipper", sim::hex(flags) + ", " + sim::hex(outer));
        if (!clipper || flags) {
            return DDERR_INVALIDPARAMS;
        }
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        clippers.push_back(new SimClipper);
        *clipper = clippers.back();
        return DD_OK;
    }
    HRESULT STDMETHODCALLTYPE CreatePalette(DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*,
                                            IUnknown*) override {
        return unsupported("CreatePalette");
    }

    HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc, LPDIRECTDRAWSURFACE* surface,
                                            IUnknown* outer) override {
        enter("CreateSurface", desc ? sim::hex(desc->dwFlags) + ", " +
                                          std::to_string(desc->dwBackBufferCount) + ", " +
                                          sim::hex(desc->ddsCaps.dwCaps)
                                    : std::string("NULL"));
        if (!surface || !desc || desc->dwSize != sizeof(DDSURFACEDESC)) {
            return DDERR_INVALIDPARAMS;
        }
        *surface = nullptr;
        if (outer) {
            return CLASS_E_NOAGGREGATION;
        }
        if (sim::faultSet(sim::Fault::CreateSurface) || surfaceRefusals > 0) {
            if (surfaceRefusals > 0) {
                --surfaceRefusals;
            }
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
        if ((desc->dwFlags & DDSD_CAPS) && (caps & DDSCAPS_OFFSCREENPLAIN)) {
            return createPlain(*desc, surface);
        }
        if (!(desc->dwFlags & DDSD_CAPS) || !(caps & DDSCAPS_PRIMARYSURFACE)) {
            return DDERR_UNSUPPORTED;  // primary surfaces and plain ones only
        }
        if (primary_ && primary_->alive()) {
            return DDERR_PRIMARYSURFACEALREADYEXISTS;
        }
        DWORD backCount = 0;
        if (caps & DDSCAPS_FLIP) {
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
        // At the normal level the primary is the whole desktop, across every monitor.
        DWORD width = current.width, height = current.height;
        if (exclusiveOwner != this) {
            RECT screen = sim::virtualScreen();
            width = static_cast<DWORD>(screen.right);
            height = static_cast<DWORD>(screen.bottom);
        }
        primary_ = new SimSurface("primary", this, width, height, format);
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

    HRESULT STDMETHODCALLTYPE DuplicateSurface(LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE*) override {
        return unsupported("DuplicateSurface");
    }

    HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD flags, LPDDSURFACEDESC desc, LPVOID context,
                                               LPDDENUMMODESCALLBACK callback) override {
        enter("EnumDisplayModes",
              sim::hex(flags) + ", " + sim::hex(desc) + ", " + sim::hex(context));
        if (!callback) {
            return DDERR_INVALIDPARAMS;
        }
        if (desc) {
            return DDERR_UNSUPPORTED;  // no matching description: every mode is offered
        }
        std::vector<sim::Mode> modes = offeredModes;
        for (const sim::Mode& mode : modes) {
            DDSURFACEDESC offered;
            std::memset(&offered, 0, sizeof offered);
            offered.dwSize = sizeof offered;
            offered.dwFlags =
                DDSD_WIDTH | DDSD_HEIGHT | DDSD_PITCH | DDSD_PIXELFORMAT | DDSD_REFRESHRATE;
            offered.dwWidth = mode.width;
            offered.dwHeight = mode.height;
            offered.lPitch = rowBytes(mode.width, mode.bits);
            offered.dwRefreshRate = 60;
            offered.ddpfPixelFormat = formatForDepth(mode.bits);
            if (callback(&offered, context) == DDENUMRET_CANCEL) {
                break;
            }
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE EnumSurfaces(DWORD, LPDDSURFACEDESC, LPVOID,
                                           LPDDENUMSURFACESCALLBACK) override {
        return unsupported("EnumSurfaces");
    }
    HRESULT STDMETHODCALLTYPE FlipToGDISurface() override {
        return unsupported("FlipToGDISurface");
    }
    HRESULT STDMETHODCALLTYPE GetCaps(LPDDCAPS, LPDDCAPS) override {
        return unsupported("GetCaps");
    }
    HRESULT STDMETHODCALLTYPE GetDisplayMode(LPDDSURFACEDESC) override {
        return unsupported("GetDisplayMode");
    }
    HRESULT STDMETHODCALLTYPE GetFourCCCodes(LPDWORD, LPDWORD) override {
        return unsupported("GetFourCCCodes");
    }
    HRESULT STDMETHODCALLTYPE GetGDISurface(LPDIRECTDRAWSURFACE*) override {
        return unsupported("GetGDISurface");
    }
    HRESULT STDMETHODCALLTYPE GetMonitorFrequency(LPDWORD) override {
        return unsupported("GetMonitorFrequency");
    }
    HRESULT STDMETHODCALLTYPE GetScanLine(LPDWORD) override { return unsupported("GetScanLine"); }
    HRESULT STDMETHODCALLTYPE GetVerticalBlankStatus(BOOL*) override {
        return unsupported("GetVerticalBlankStatus");
    }
    HRESULT STDMETHODCALLTYPE Initialize(GUID*) override { return unsupported("Initialize"); }

    HRESULT STDMETHODCALLTYPE RestoreDisplayMode() override {
        enter("RestoreDisplayMode", "");
        current = desktop;
        exclusiveModeSet = false;
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) override {
        enter("SetCooperativeLevel", sim::hex(window) + ", " + sim::hex(flags));
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
            if (newlyExclusive && activationMessages && fromOtherThread) {
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
            if (activationMessages) {
                sim::deliver(previous, WM_ACTIVATEAPP, FALSE, 0);
            }
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bits) override {
        enter("SetDisplayMode",
              std::to_string(width) + ", " + std::to_string(height) + ", " + std::to_string(bits));
        if (exclusiveOwner && exclusiveOwner != this) {
            return DDERR_NOEXCLUSIVEMODE;
        }
        sim::Mode mode{width, height, bits};
        if (sim::faultSet(sim::Fault::DisplayMode) || !contains(offeredModes, mode) ||
            contains(refusedModes, mode)) {
            return DDERR_UNSUPPORTED;
        }
        current = mode;
        if (exclusiveOwner == this) {
            exclusiveModeSet = true;
            exclusiveMode = mode;
        }
        return DD_OK;
    }

    HRESULT STDMETHODCALLTYPE WaitForVerticalBlank(DWORD, HANDLE) override {
        return unsupported("WaitForVerticalBlank");
    }

private:
    HRESULT createPlain(const DDSURFACEDESC& desc, LPDIRECTDRAWSURFACE* surface) {
        const DWORD needed = DDSD_WIDTH | DDSD_HEIGHT;
        if ((desc.dwFlags & needed) != needed || desc.dwWidth == 0 || desc.dwHeight == 0) {
            return DDERR_INVALIDPARAMS;
        }
        DDPIXELFORMAT format = formatForNewSurface();
        if (desc.dwFlags & DDSD_PIXELFORMAT) {
            if (desc.ddpfPixelFormat.dwSize != sizeof(DDPIXELFORMAT)) {
                return DDERR_INVALIDPARAMS;
            }
            format = desc.ddpfPixelFormat;
        }
        SimSurface* plain = new SimSurface("plain", this, desc.dwWidth, desc.dwHeight, format);
        surfaces.push_back(plain);
        *surface = plain;
        return DD_OK;
    }

    bool cooperativeLevelSet_ = false;
    SimSurface* primary_ = nullptr;
};

HRESULT STDMETHODCALLTYPE SimSurface::Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD flags) {
    enter("Flip", sim::hex(targetOverride) + ", " + sim::hex(flags));
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

HRESULT WINAPI directDrawCreate(GUID* driver, LPDIRECTDRAW* directDraw, IUnknown* outer) {
    record("DirectDrawCreate(" + hex(driver) + ", " + hex(outer) + ")");
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
    for (SimClipper* clipper : clippers) {
        delete clipper;
    }
    clippers.clear();
    offeredModes.clear();
    for (DWORD bits : {16u, 32u}) {
        offeredModes.push_back(Mode{640, 480, bits});
        offeredModes.push_back(Mode{800, 600, bits});
        offeredModes.push_back(Mode{1024, 768, bits});
    }
    refusedModes.clear();
    desktop = current = Mode{1024, 768, 32};
    surfaceRefusals = 0;
    lockRefusals = 0;
    formatOverridden = false;
    pitchOverride = 0;
    activationMessages = true;
    exclusiveOwner = nullptr;
    exclusiveFlags = 0;
    exclusiveWindow = nullptr;
    exclusiveModeSet = false;
}

// The state at process start is the state after a reset.
[[maybe_unused]] const bool initialised = (resetDirectDraw(), true);

void setModes(const std::vector<Mode>& offered) { offeredModes = offered; }
void refuseMode(const Mode& mode) { refusedModes.push_back(mode); }
void setDesktopMode(const Mode& mode) { desktop = current = mode; }
Mode desktopMode() { return desktop; }
Mode currentMode() { return current; }
void refuseSurfaceAttempts(int count) { surfaceRefusals = count; }
void refuseLocks(int count) { lockRefusals = count; }

void setPixelFormat(const PixelFormat& format) {
    formatOverridden = true;
    formatOverride = format;
}

void setPitch(LONG pitch) { pitchOverride = pitch; }
void setActivationMessages(bool on) { activationMessages = on; }

SurfaceView visibleSurface() {
    SimSurface* primary = livePrimary();
    // Under an exclusive level the screen shows the primary only through its window.
    if (!primary || (exclusiveOwner && !windowShowing(exclusiveWindow))) {
        return SurfaceView{nullptr, 0, 0, 0, 0};
    }
    return primary->view();
}

void switchAway() {
    otherProgramToFront();
    if (!exclusiveOwner) {
        return;
    }
    post(exclusiveWindow, WM_ACTIVATEAPP, FALSE, 0);
    // The desktop gets its own mode back, and every surface made for the other is lost.
    if (!(current == desktop)) {
        current = desktop;
        for (SimSurface* surface : surfaces) {
            if (surface->alive()) {
                surface->lose();
            }
        }
    }
}

void switchBack(HWND window) {
    bringToFront(window);
    post(window, WM_ACTIVATEAPP, TRUE, 0);
    if (exclusiveOwner && exclusiveModeSet) {
        current = exclusiveMode;
    }
}

SurfaceView backSurface() {
    SimSurface* primary = livePrimary();
    SimSurface* back = primary ? primary->firstBack() : nullptr;
    return back ? back->view() : SurfaceView{nullptr, 0, 0, 0, 0};
}

DWORD cooperativeLevel() { return exclusiveOwner ? exclusiveFlags : DDSCL_NORMAL; }

int liveDirectDraws() {
    int count = 0;
    for (SimDirectDraw* object : objects) {
        count += object->alive();
    }
    return count;
}

int liveSurfaces() {
    int count = 0;
    for (SimSurface* surface : surfaces) {
        count += surface->alive();
    }
    return count;
}

std::string directDrawLeaks() {
    std::string found;
    if (int count = liveDirectDraws()) {
        found += std::to_string(count) + " DirectDraw object(s); ";
    }
    if (int count = liveSurfaces()) {
        found += std::to_string(count) + " surface(s); ";
    }
    if (long count = std::count_if(clippers.begin(), clippers.end(),
                                   [](const SimClipper* c) { return c->alive(); })) {
        found += std::to_string(count) + " clipper(s); ";
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
