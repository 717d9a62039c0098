// The system's one way into Windows: the kernel32 / user32 calls it makes and the way into
// DirectDraw, with the operations and arguments of the Windows calls themselves. The real
// binding (platform/real) forwards each call to Win32; the simulated one (platform/sim)
// answers from a scriptable model so the same code runs under test on any machine.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include "platform/win32_types.h"
#endif

namespace win {

// Kernel services.
DWORD GetTickCount();
void Sleep(DWORD milliseconds);

}  // namespace win
