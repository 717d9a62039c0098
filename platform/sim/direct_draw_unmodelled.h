// The plumbing of the simulated DirectDraw objects, apart from the model in direct_draw.cpp:
// what every object shares, and every method that the display never calls. Such a method
// is recorded and refuses with DDERR_UNSUPPORTED, so that a new call shows in the log and
// fails until the simulation models it.
#pragma once

#include <string>
#include <utility>

#include "platform/sim/internal.h"

namespace sim {

// Its calls recorded under its role, a call after its release or after ddraw.dll was
// unloaded stopped, and its reference count.
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
        enter("AddRef");
        return ++references_;
    }

protected:
    void enter(const char* method) {
        record(role_ + "." + method);
        if (!alive_) {
            crash(role_ + "." + method + " called on a released object");
        }
        requireDdrawLoaded(method);
    }
    HRESULT unsupported(const char* method) {
        enter(method);
        return DDERR_UNSUPPORTED;
    }

    std::string role_;
    bool alive_ = true;
    ULONG references_ = 1;
};

#define GLINTIX_UNMODELLED(method, ...) \
    HRESULT STDMETHODCALLTYPE method(__VA_ARGS__) override { return unsupported(#method); }

class UnmodelledSurface : public SimObject<IDirectDrawSurface> {
public:
    using SimObject::SimObject;
    GLINTIX_UNMODELLED(AddAttachedSurface, LPDIRECTDRAWSURFACE)
    GLINTIX_UNMODELLED(AddOverlayDirtyRect, LPRECT)
    GLINTIX_UNMODELLED(BltBatch, LPDDBLTBATCH, DWORD, DWORD)
    GLINTIX_UNMODELLED(BltFast, DWORD, DWORD, LPDIRECTDRAWSURFACE, LPRECT, DWORD)
    GLINTIX_UNMODELLED(DeleteAttachedSurface, DWORD, LPDIRECTDRAWSURFACE)
    GLINTIX_UNMODELLED(EnumAttachedSurfaces, LPVOID, LPDDENUMSURFACESCALLBACK)
    GLINTIX_UNMODELLED(EnumOverlayZOrders, DWORD, LPVOID, LPDDENUMSURFACESCALLBACK)
    GLINTIX_UNMODELLED(GetBltStatus, DWORD)
    GLINTIX_UNMODELLED(GetCaps, LPDDSCAPS)
    GLINTIX_UNMODELLED(GetClipper, LPDIRECTDRAWCLIPPER*)
    GLINTIX_UNMODELLED(GetColorKey, DWORD, LPDDCOLORKEY)
    GLINTIX_UNMODELLED(GetDC, HDC*)
    GLINTIX_UNMODELLED(GetFlipStatus, DWORD)
    GLINTIX_UNMODELLED(GetOverlayPosition, LPLONG, LPLONG)
    GLINTIX_UNMODELLED(GetPalette, LPDIRECTDRAWPALETTE*)
    GLINTIX_UNMODELLED(GetSurfaceDesc, LPDDSURFACEDESC)
    GLINTIX_UNMODELLED(Initialize, LPDIRECTDRAW, LPDDSURFACEDESC)
    GLINTIX_UNMODELLED(ReleaseDC, HDC)
    GLINTIX_UNMODELLED(SetClipper, LPDIRECTDRAWCLIPPER)
    GLINTIX_UNMODELLED(SetColorKey, DWORD, LPDDCOLORKEY)
    GLINTIX_UNMODELLED(SetOverlayPosition, LONG, LONG)
    GLINTIX_UNMODELLED(SetPalette, LPDIRECTDRAWPALETTE)
    GLINTIX_UNMODELLED(UpdateOverlay, LPRECT, LPDIRECTDRAWSURFACE, LPRECT, DWORD, LPDDOVERLAYFX)
    GLINTIX_UNMODELLED(UpdateOverlayDisplay, DWORD)
    GLINTIX_UNMODELLED(UpdateOverlayZOrder, DWORD, LPDIRECTDRAWSURFACE)
};

class UnmodelledDirectDraw : public SimObject<IDirectDraw> {
public:
    using SimObject::SimObject;
    GLINTIX_UNMODELLED(Compact)
    GLINTIX_UNMODELLED(CreateClipper, DWORD, LPDIRECTDRAWCLIPPER*, IUnknown*)
    GLINTIX_UNMODELLED(CreatePalette, DWORD, LPPALETTEENTRY, LPDIRECTDRAWPALETTE*, IUnknown*)
    GLINTIX_UNMODELLED(DuplicateSurface, LPDIRECTDRAWSURFACE, LPDIRECTDRAWSURFACE*)
    GLINTIX_UNMODELLED(EnumSurfaces, DWORD, LPDDSURFACEDESC, LPVOID, LPDDENUMSURFACESCALLBACK)
    GLINTIX_UNMODELLED(FlipToGDISurface)
    GLINTIX_UNMODELLED(GetCaps, LPDDCAPS, LPDDCAPS)
    GLINTIX_UNMODELLED(GetDisplayMode, LPDDSURFACEDESC)
    GLINTIX_UNMODELLED(GetFourCCCodes, LPDWORD, LPDWORD)
    GLINTIX_UNMODELLED(GetGDISurface, LPDIRECTDRAWSURFACE*)
    GLINTIX_UNMODELLED(GetMonitorFrequency, LPDWORD)
    GLINTIX_UNMODELLED(GetScanLine, LPDWORD)
    GLINTIX_UNMODELLED(GetVerticalBlankStatus, BOOL*)
    GLINTIX_UNMODELLED(Initialize, GUID*)
    GLINTIX_UNMODELLED(WaitForVerticalBlank, DWORD, HANDLE)
};

#undef GLINTIX_UNMODELLED

}  // namespace sim
