#include <windows.h>

// The loader calls this at every load and unload of the library and at every thread start
// and end in the process, holding its lock. The system has nothing to set up or take down
// at those times, and the C runtime's start-up code is left out of the link, so this is
// all that runs.
extern "C" BOOL WINAPI dllEntry(HINSTANCE, DWORD, LPVOID) { return TRUE; }
