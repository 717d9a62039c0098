// The few Win32 and DirectDraw types and constants that the system uses, declared for
// builds that have no <windows.h>. On Windows the real headers are used instead; the
// layouts here follow the 32-bit ones field for field.
#pragma once

#ifdef _WIN32
#error "use <windows.h> on Windows"
#endif

#include <cstdint>

typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int BOOL;
typedef uint16_t WORD;
typedef uint8_t BYTE;
typedef int32_t HRESULT;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;
typedef const char* LPCSTR;
typedef char* LPSTR;

#define WINAPI
#define CALLBACK
#define STDMETHODCALLTYPE

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
typedef intptr_t (*FARPROC)();
