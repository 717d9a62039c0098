#include "platform/services.h"

namespace win {

DWORD GetTickCount() { return ::GetTickCount(); }
void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }
HMODULE LoadLibraryA(LPCSTR name) { return ::LoadLibraryA(name); }
FARPROC GetProcAddress(HMODULE module, LPCSTR name) { return ::GetProcAddress(module, name); }
BOOL FreeLibrary(HMODULE module) { return ::FreeLibrary(module); }
HMODULE GetModuleHandleA(LPCSTR name) { return ::GetModuleHandleA(name); }

}  // namespace win
