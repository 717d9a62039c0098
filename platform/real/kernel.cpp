#include "platform/services.h"

namespace win {

DWORD GetTickCount() { return ::GetTickCount(); }
void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }
HMODULE LoadLibraryA(LPCSTR name) { return ::LoadLibraryA(name); }
FARPROC GetProcAddress(HMODULE module, LPCSTR name) { return ::GetProcAddress(module, name); }
BOOL FreeLibrary(HMODULE module) { return ::FreeLibrary(module); }
HMODULE GetModuleHandleA(LPCSTR name) { return ::GetModuleHandleA(name); }
BOOL IsProcessorFeaturePresent(DWORD feature) { return ::IsProcessorFeaturePresent(feature); }
HANDLE GetProcessHeap() { return ::GetProcessHeap(); }
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) { return ::HeapAlloc(heap, flags, bytes); }
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block) { return ::HeapFree(heap, flags, block); }
DWORD GetCurrentThreadId() { return ::GetCurrentThreadId(); }
HANDLE GetCurrentThread() { return ::GetCurrentThread(); }
BOOL GetThreadTimes(HANDLE thread, LPFILETIME creation, LPFILETIME exit, LPFILETIME kernel,
                    LPFILETIME user) {
    return ::GetThreadTimes(thread, creation, exit, kernel, user);
}
DWORD TlsAlloc() { return ::TlsAlloc(); }
BOOL TlsFree(DWORD slot) { return ::TlsFree(slot); }
LPVOID TlsGetValue(DWORD slot) { return ::TlsGetValue(slot); }
BOOL TlsSetValue(DWORD slot, LPVOID value) { return ::TlsSetValue(slot, value); }

}  // namespace win
