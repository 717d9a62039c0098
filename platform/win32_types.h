// The few Win32 and DirectDraw types, records and constants that the system uses, declared
// for builds that have no <windows.h>. On Windows the real headers are used instead; the
// records here follow the 32-bit ones field for field, and the two DirectDraw interfaces
// list every method in vtable order, so that code written against them (the simulation's
// objects among it) is the same source in both builds.
#pragma once

#ifdef _WIN32
#error "use <windows.h> and <ddraw.h> on Windows"
#endif

#include <cstdint>

typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef int32_t LONG;
typedef LONG* LPLONG;
typedef uint32_t ULONG;
typedef uint32_t UINT;
typedef int BOOL;
typedef uint16_t WORD;
typedef WORD ATOM;
typedef uint8_t BYTE;
typedef int32_t HRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;
typedef void* PVOID;
typedef void* HANDLE;
typedef uintptr_t SIZE_T;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef DWORD EXECUTION_STATE;
#define ES_DISPLAY_REQUIRED 0x00000002u
#define ES_CONTINUOUS 0x80000000u

#define WINAPI
#define CALLBACK
#define STDMETHODCALLTYPE

#define TRUE 1
#define FALSE 0

struct HWND__;
typedef HWND__* HWND;
struct HINSTANCE__;
typedef HINSTANCE__* HINSTANCE;
typedef HINSTANCE HMODULE;
struct HICON__;
typedef HICON__* HICON;
struct HCURSOR__;
typedef HCURSOR__* HCURSOR;
struct HBRUSH__;
typedef HBRUSH__* HBRUSH;
struct HMENU__;
typedef HMENU__* HMENU;
struct HDC__;
typedef HDC__* HDC;
struct HMONITOR__;
typedef HMONITOR__* HMONITOR;
typedef intptr_t (*FARPROC)();

#define SUCCEEDED(hr) (static_cast<HRESULT>(hr) >= 0)
#define FAILED(hr) (static_cast<HRESULT>(hr) < 0)
#define S_OK static_cast<HRESULT>(0)
#define E_NOTIMPL static_cast<HRESULT>(0x80004001u)
#define E_FAIL static_cast<HRESULT>(0x80004005u)
#define E_INVALIDARG static_cast<HRESULT>(0x80070057u)
#define CLASS_E_NOAGGREGATION static_cast<HRESULT>(0x80040110u)

// ---- Window system -------------------------------------------------------------------

struct POINT {
    LONG x;
    LONG y;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;
typedef POINT* LPPOINT;
typedef uintptr_t UINT_PTR;

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
typedef MONITORINFO* LPMONITORINFO;

struct MONITORINFOEXA {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
    char szDevice[32];
};

#define MONITOR_DEFAULTTOPRIMARY 0x00000001u
#define MONITOR_DEFAULTTONEAREST 0x00000002u
#define MONITORINFOF_PRIMARY 0x00000001u

typedef BOOL(CALLBACK* MONITORENUMPROC)(HMONITOR, HDC, LPRECT, LPARAM);

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    DWORD time;
    POINT pt;
};
typedef MSG* LPMSG;

typedef LRESULT(CALLBACK* WNDPROC)(HWND, UINT, WPARAM, LPARAM);
typedef intptr_t INT_PTR;
typedef INT_PTR(CALLBACK* DLGPROC)(HWND, UINT, WPARAM, LPARAM);

struct WNDCLASSA {
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    LPCSTR lpszMenuName;
    LPCSTR lpszClassName;
};

#define WM_CREATE 0x0001
#define WM_DESTROY 0x0002
#define WM_PAINT 0x000F
#define WM_CLOSE 0x0010
#define WM_QUIT 0x0012
#define WM_ACTIVATEAPP 0x001C
#define WM_SETCURSOR 0x0020
#define WM_DISPLAYCHANGE 0x007E
#define WM_INITDIALOG 0x0110
#define WM_COMMAND 0x0111
#define WM_NCCREATE 0x0081
#define WM_NCDESTROY 0x0082
#define WM_KEYDOWN 0x0100
#define WM_KEYUP 0x0101
#define WM_CHAR 0x0102
#define WM_SYSKEYDOWN 0x0104
#define WM_SYSCHAR 0x0106
#define WM_SYSCOMMAND 0x0112
#define WM_SIZE 0x0005
#define WM_GETMINMAXINFO 0x0024
#define WM_WINDOWPOSCHANGED 0x0047
#define WM_LBUTTONDBLCLK 0x0203
#define WM_USER 0x0400

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_F1 0x70
#define VK_F4 0x73

#define PM_NOREMOVE 0x0000
#define PM_REMOVE 0x0001

#define SW_HIDE 0
#define SW_SHOWMAXIMIZED 3
#define SW_MAXIMIZE 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_SHOWNA 8
#define SW_RESTORE 9

#define WS_POPUP 0x80000000u
#define WS_VISIBLE 0x10000000u
#define WS_CAPTION 0x00C00000u
#define WS_SYSMENU 0x00080000u
#define WS_THICKFRAME 0x00040000u
#define WS_MINIMIZEBOX 0x00020000u
#define WS_MAXIMIZEBOX 0x00010000u
#define WS_OVERLAPPEDWINDOW \
    (WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)
#define CS_DBLCLKS 0x0008u
#define GWL_STYLE (-16)
#define HTCLIENT 1
#define HTCAPTION 2

#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

#define HWND_TOP reinterpret_cast<HWND>(intptr_t{0})
#define HWND_TOPMOST reinterpret_cast<HWND>(intptr_t{-1})
#define HWND_NOTOPMOST reinterpret_cast<HWND>(intptr_t{-2})
#define SWP_NOSIZE 0x0001u
#define SWP_NOMOVE 0x0002u
#define SWP_NOZORDER 0x0004u
#define SWP_NOACTIVATE 0x0010u
#define SWP_FRAMECHANGED 0x0020u

#define SC_MAXIMIZE 0xF030u
#define SC_CLOSE 0xF060u
#define SC_RESTORE 0xF120u
#define MF_STRING 0x0000u
#define MF_BYCOMMAND 0x0000u
#define MF_UNCHECKED 0x0000u
#define MF_CHECKED 0x0008u
#define MF_SEPARATOR 0x0800u

struct MINMAXINFO {
    POINT ptReserved;
    POINT ptMaxSize;
    POINT ptMaxPosition;
    POINT ptMinTrackSize;
    POINT ptMaxTrackSize;
};

// ---- GDI -----------------------------------------------------------------------------

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: the rows run from the top down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

#define BI_RGB 0
#define DIB_RGB_COLORS 0

// 100-nanosecond intervals since 1601, as the kernel reports thread times.
struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
typedef FILETIME* LPFILETIME;

#define PF_MMX_INSTRUCTIONS_AVAILABLE 3
#define PF_XMMI64_INSTRUCTIONS_AVAILABLE 10
#define TLS_OUT_OF_INDEXES 0xFFFFFFFFu
#define HEAP_ZERO_MEMORY 0x00000008u

#define SPI_GETSCREENSAVEACTIVE 0x0010
#define SPI_SETSCREENSAVEACTIVE 0x0011

#define MB_OK 0x00000000u
#define IDOK 1
#define IDCANCEL 2

#define LOWORD(value) static_cast<WORD>(static_cast<uintptr_t>(value) & 0xFFFF)
#define HIWORD(value) static_cast<WORD>((static_cast<uintptr_t>(value) >> 16) & 0xFFFF)
#define MAKEINTRESOURCEA(id) reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(static_cast<WORD>(id)))
#define LB_ADDSTRING 0x0180
#define LB_SETCURSEL 0x0186
#define LB_GETCURSEL 0x0188
#define LBN_SELCHANGE 1
#define LBN_DBLCLK 2
#define LB_ERR (-1)
#define BN_CLICKED 0
#define MAKEWPARAM(low, high)                      \
    static_cast<WPARAM>((static_cast<WORD>(low)) | \
                        (static_cast<DWORD>(static_cast<WORD>(high)) << 16))

// ---- Files ---------------------------------------------------------------------------

#define MAX_PATH 260
#define INVALID_HANDLE_VALUE reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1))
#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define MOVEFILE_REPLACE_EXISTING 0x00000001u
#define MOVEFILE_WRITE_THROUGH 0x00000008u
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

// ---- COM and DirectDraw --------------------------------------------------------------

struct GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
};
typedef const GUID& REFIID;

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

protected:
    ~IUnknown() = default;
};

struct IDirectDraw;
struct IDirectDrawSurface;
struct IDirectDrawClipper;
struct IDirectDrawPalette;
typedef IDirectDraw* LPDIRECTDRAW;
typedef IDirectDrawSurface* LPDIRECTDRAWSURFACE;
typedef IDirectDrawClipper* LPDIRECTDRAWCLIPPER;
typedef IDirectDrawPalette* LPDIRECTDRAWPALETTE;

// Records the system never fills; only their addresses pass through the interfaces.
struct PALETTEENTRY;
typedef PALETTEENTRY* LPPALETTEENTRY;
struct DDCAPS;
typedef DDCAPS* LPDDCAPS;
struct DDBLTBATCH;
typedef DDBLTBATCH* LPDDBLTBATCH;
struct DDOVERLAYFX;
typedef DDOVERLAYFX* LPDDOVERLAYFX;

struct DDCOLORKEY {
    DWORD dwColorSpaceLowValue;
    DWORD dwColorSpaceHighValue;
};
typedef DDCOLORKEY* LPDDCOLORKEY;

struct DDSCAPS {
    DWORD dwCaps;
};
typedef DDSCAPS* LPDDSCAPS;

struct DDPIXELFORMAT {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwFourCC;
    union {
        DWORD dwRGBBitCount;
        DWORD dwYUVBitCount;
        DWORD dwZBufferBitDepth;
        DWORD dwAlphaBitDepth;
    };
    union {
        DWORD dwRBitMask;
        DWORD dwYBitMask;
    };
    union {
        DWORD dwGBitMask;
        DWORD dwUBitMask;
    };
    union {
        DWORD dwBBitMask;
        DWORD dwVBitMask;
    };
    union {
        DWORD dwRGBAlphaBitMask;
        DWORD dwYUVAlphaBitMask;
    };
};
typedef DDPIXELFORMAT* LPDDPIXELFORMAT;

struct DDSURFACEDESC {
    DWORD dwSize;
    DWORD dwFlags;
    DWORD dwHeight;
    DWORD dwWidth;
    union {
        LONG lPitch;
        DWORD dwLinearSize;
    };
    DWORD dwBackBufferCount;
    union {
        DWORD dwMipMapCount;
        DWORD dwZBufferBitDepth;
        DWORD dwRefreshRate;
    };
    DWORD dwAlphaBitDepth;
    DWORD dwReserved;
    LPVOID lpSurface;
    DDCOLORKEY ddckCKDestOverlay;
    DDCOLORKEY ddckCKDestBlt;
    DDCOLORKEY ddckCKSrcOverlay;
    DDCOLORKEY ddckCKSrcBlt;
    DDPIXELFORMAT ddpfPixelFormat;
    DDSCAPS ddsCaps;
};
typedef DDSURFACEDESC* LPDDSURFACEDESC;

struct DDBLTFX {
    DWORD dwSize;
    DWORD dwDDFX;
    DWORD dwROP;
    DWORD dwDDROP;
    DWORD dwRotationAngle;
    DWORD dwZBufferOpCode;
    DWORD dwZBufferLow;
    DWORD dwZBufferHigh;
    DWORD dwZBufferBaseDest;
    DWORD dwZDestConstBitDepth;
    union {
        DWORD dwZDestConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferDest;
    };
    DWORD dwZSrcConstBitDepth;
    union {
        DWORD dwZSrcConst;
        LPDIRECTDRAWSURFACE lpDDSZBufferSrc;
    };
    DWORD dwAlphaEdgeBlendBitDepth;
    DWORD dwAlphaEdgeBlend;
    DWORD dwReserved;
    DWORD dwAlphaDestConstBitDepth;
    union {
        DWORD dwAlphaDestConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaDest;
    };
    DWORD dwAlphaSrcConstBitDepth;
    union {
        DWORD dwAlphaSrcConst;
        LPDIRECTDRAWSURFACE lpDDSAlphaSrc;
    };
    union {
        DWORD dwFillColor;
        DWORD dwFillDepth;
        DWORD dwFillPixel;
        LPDIRECTDRAWSURFACE lpDDSPattern;
    };
    DDCOLORKEY ddckDestColorkey;
    DDCOLORKEY ddckSrcColorkey;
};
typedef DDBLTFX* LPDDBLTFX;

typedef HRESULT(WINAPI* LPDDENUMMODESCALLBACK)(LPDDSURFACEDESC, LPVOID);
typedef HRESULT(WINAPI* LPDDENUMSURFACESCALLBACK)(LPDIRECTDRAWSURFACE, LPDDSURFACEDESC, LPVOID);

struct IDirectDraw : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Compact() = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateClipper(DWORD flags, LPDIRECTDRAWCLIPPER* clipper,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreatePalette(DWORD flags, LPPALETTEENTRY colours,
                                                    LPDIRECTDRAWPALETTE* palette,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE CreateSurface(LPDDSURFACEDESC desc,
                                                    LPDIRECTDRAWSURFACE* surface,
                                                    IUnknown* outer) = 0;
    virtual HRESULT STDMETHODCALLTYPE DuplicateSurface(LPDIRECTDRAWSURFACE surface,
                                                       LPDIRECTDRAWSURFACE* duplicate) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumDisplayModes(DWORD flags, LPDDSURFACEDESC desc,
                                                       LPVOID context,
                                                       LPDDENUMMODESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumSurfaces(DWORD flags, LPDDSURFACEDESC desc,
                                                   LPVOID context,
                                                   LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE FlipToGDISurface() = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDDCAPS driverCaps, LPDDCAPS emulationCaps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDisplayMode(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFourCCCodes(LPDWORD count, LPDWORD codes) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetGDISurface(LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetMonitorFrequency(LPDWORD frequency) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetScanLine(LPDWORD line) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetVerticalBlankStatus(BOOL* inBlank) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(GUID* driver) = 0;
    virtual HRESULT STDMETHODCALLTYPE RestoreDisplayMode() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetCooperativeLevel(HWND window, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetDisplayMode(DWORD width, DWORD height, DWORD bits) = 0;
    virtual HRESULT STDMETHODCALLTYPE WaitForVerticalBlank(DWORD flags, HANDLE event) = 0;

protected:
    ~IDirectDraw() = default;
};

struct IDirectDrawSurface : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE AddAttachedSurface(LPDIRECTDRAWSURFACE surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE AddOverlayDirtyRect(LPRECT rect) = 0;
    virtual HRESULT STDMETHODCALLTYPE Blt(LPRECT destRect, LPDIRECTDRAWSURFACE source,
                                          LPRECT sourceRect, DWORD flags, LPDDBLTFX fx) = 0;
    virtual HRESULT STDMETHODCALLTYPE BltBatch(LPDDBLTBATCH batch, DWORD count, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE BltFast(DWORD x, DWORD y, LPDIRECTDRAWSURFACE source,
                                              LPRECT sourceRect, DWORD transfer) = 0;
    virtual HRESULT STDMETHODCALLTYPE DeleteAttachedSurface(DWORD flags,
                                                            LPDIRECTDRAWSURFACE surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumAttachedSurfaces(LPVOID context,
                                                           LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE EnumOverlayZOrders(DWORD flags, LPVOID context,
                                                         LPDDENUMSURFACESCALLBACK callback) = 0;
    virtual HRESULT STDMETHODCALLTYPE Flip(LPDIRECTDRAWSURFACE targetOverride, DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetAttachedSurface(LPDDSCAPS caps,
                                                         LPDIRECTDRAWSURFACE* surface) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetBltStatus(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetCaps(LPDDSCAPS caps) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetClipper(LPDIRECTDRAWCLIPPER* clipper) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetDC(HDC* dc) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetFlipStatus(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetOverlayPosition(LPLONG x, LPLONG y) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPalette(LPDIRECTDRAWPALETTE* palette) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetPixelFormat(LPDDPIXELFORMAT format) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetSurfaceDesc(LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE Initialize(LPDIRECTDRAW directDraw, LPDDSURFACEDESC desc) = 0;
    virtual HRESULT STDMETHODCALLTYPE IsLost() = 0;
    virtual HRESULT STDMETHODCALLTYPE Lock(LPRECT rect, LPDDSURFACEDESC desc, DWORD flags,
                                           HANDLE event) = 0;
    virtual HRESULT STDMETHODCALLTYPE ReleaseDC(HDC dc) = 0;
    virtual HRESULT STDMETHODCALLTYPE Restore() = 0;
    virtual HRESULT STDMETHODCALLTYPE SetClipper(LPDIRECTDRAWCLIPPER clipper) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetColorKey(DWORD flags, LPDDCOLORKEY key) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetOverlayPosition(LONG x, LONG y) = 0;
    virtual HRESULT STDMETHODCALLTYPE SetPalette(LPDIRECTDRAWPALETTE palette) = 0;
    virtual HRESULT STDMETHODCALLTYPE Unlock(LPVOID surfaceData) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlay(LPRECT sourceRect,
                                                    LPDIRECTDRAWSURFACE destination,
                                                    LPRECT destRect, DWORD flags,
                                                    LPDDOVERLAYFX fx) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlayDisplay(DWORD flags) = 0;
    virtual HRESULT STDMETHODCALLTYPE UpdateOverlayZOrder(DWORD flags,
                                                          LPDIRECTDRAWSURFACE reference) = 0;

protected:
    ~IDirectDrawSurface() = default;
};

#define DD_OK S_OK
#define DDENUMRET_CANCEL 0
#define DDENUMRET_OK 1

#define MAKE_DDHRESULT(code) static_cast<HRESULT>(0x88760000u | (code))
#define DDERR_GENERIC E_FAIL
#define DDERR_INVALIDPARAMS E_INVALIDARG
#define DDERR_UNSUPPORTED E_NOTIMPL
#define DDERR_INVALIDCAPS MAKE_DDHRESULT(100)
#define DDERR_INVALIDMODE MAKE_DDHRESULT(120)
#define DDERR_INVALIDRECT MAKE_DDHRESULT(150)
#define DDERR_INVALIDOBJECT MAKE_DDHRESULT(130)
#define DDERR_NOCOOPERATIVELEVELSET MAKE_DDHRESULT(212)
#define DDERR_NOEXCLUSIVEMODE MAKE_DDHRESULT(225)
#define DDERR_NOTFOUND MAKE_DDHRESULT(255)
#define DDERR_OUTOFVIDEOMEMORY MAKE_DDHRESULT(380)
#define DDERR_SURFACEBUSY MAKE_DDHRESULT(430)
#define DDERR_SURFACELOST MAKE_DDHRESULT(450)
#define DDERR_WRONGMODE MAKE_DDHRESULT(587)
#define DDERR_NODIRECTDRAWHW MAKE_DDHRESULT(563)
#define DDERR_PRIMARYSURFACEALREADYEXISTS MAKE_DDHRESULT(564)
#define DDERR_EXCLUSIVEMODEALREADYSET MAKE_DDHRESULT(581)
#define DDERR_NOTFLIPPABLE MAKE_DDHRESULT(582)
#define DDERR_NOTLOCKED MAKE_DDHRESULT(584)

#define DDSCL_FULLSCREEN 0x00000001u
#define DDSCL_NORMAL 0x00000008u
#define DDSCL_EXCLUSIVE 0x00000010u

#define DDSD_CAPS 0x00000001u
#define DDSD_HEIGHT 0x00000002u
#define DDSD_WIDTH 0x00000004u
#define DDSD_PITCH 0x00000008u
#define DDSD_BACKBUFFERCOUNT 0x00000020u
#define DDSD_LPSURFACE 0x00000800u
#define DDSD_PIXELFORMAT 0x00001000u
#define DDSD_REFRESHRATE 0x00020000u

#define DDSCAPS_BACKBUFFER 0x00000004u
#define DDSCAPS_COMPLEX 0x00000008u
#define DDSCAPS_FLIP 0x00000010u
#define DDSCAPS_OFFSCREENPLAIN 0x00000040u
#define DDSCAPS_FRONTBUFFER 0x00000020u
#define DDSCAPS_PRIMARYSURFACE 0x00000200u
#define DDSCAPS_SYSTEMMEMORY 0x00000800u
#define DDSCAPS_VIDEOMEMORY 0x00004000u

#define DDPF_PALETTEINDEXED8 0x00000020u
#define DDPF_RGB 0x00000040u

#define DDBLT_COLORFILL 0x00000400u
#define DDBLT_WAIT 0x01000000u
#define DDFLIP_WAIT 0x00000001u
#define DDLOCK_WAIT 0x00000001u
#define DDLOCK_WRITEONLY 0x00000020u
