#include "platform/services.h"

// The linker's symbol for the start of this image: its module handle, wherever it loaded.
extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace win {

HINSTANCE thisModule() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

DWORD GetTickCount() { return ::GetTickCount(); }
void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }
HMODULE LoadLibraryA(LPCSTR name) { return ::LoadLibraryA(name); }
FARPROC GetProcAddress(HMODULE module, LPCSTR name) { return ::GetProcAddress(module, name); }
BOOL FreeLibrary(HMODULE module) { return ::FreeLibrary(module); }
HMODULE GetModuleHandleA(LPCSTR name) { return ::GetModuleHandleA(name); }
BOOL IsProcessorFeaturePresent(DWORD feature) { return ::IsProcessorFeaturePresent(feature); }
EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags) {
    return ::SetThreadExecutionState(flags);
}
HANDLE GetProcessHeap() { return ::GetProcessHeap(); }
LPVOID HeapAlloc(HANDLE heap, DWORD flags, SIZE_T bytes) { return ::HeapAlloc(heap, flags, bytes); }
BOOL HeapFree(HANDLE heap, DWORD flags, LPVOID block) { return ::HeapFree(heap, flags, block); }
DWORD GetCurrentThreadId() { return ::GetCurrentThreadId(); }
HANDLE GetCurrentThread() { return ::GetCurrentThread(); }
BOOL GetThreadTimes(HANDLE thread, LPFILETIME creation, LPFILETIME exit, LPFILETIME kernel,
                    LPFILETIME user) {
    return ::GetThreadTimes(thread, creation, exit, kernel, user);
}
DWORD GetEnvironmentVariableA(LPCSTR name, LPSTR value, DWORD size) {
    return ::GetEnvironmentVariableA(name, value, size);
}
HANDLE CreateFileA(LPCSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                   DWORD disposition, DWORD attributes, HANDLE templateFile) {
    return ::CreateFileA(path, access, share, security, disposition, attributes, templateFile);
}
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytes, LPDWORD read, LPOVERLAPPED overlapped) {
    return ::ReadFile(file, buffer, bytes, read, overlapped);
}
BOOL WriteFile(HANDLE file, const void* buffer, DWORD bytes, LPDWORD written,
               LPOVERLAPPED overlapped) {
    return ::WriteFile(file, buffer, bytes, written, overlapped);
}
BOOL CloseHandle(HANDLE object) { return ::CloseHandle(object); }
BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) { return ::MoveFileExA(from, to, flags); }
BOOL DeleteFileA(LPCSTR path) { return ::DeleteFileA(path); }
DWORD TlsAlloc() { return ::TlsAlloc(); }
BOOL TlsFree(DWORD slot) { return ::TlsFree(slot); }
LPVOID TlsGetValue(DWORD slot) { return ::TlsGetValue(slot); }
BOOL TlsSetValue(DWORD slot, LPVOID value) { return ::TlsSetValue(slot, value); }

}  // namespace win
