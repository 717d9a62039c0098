#include "platform/services.h"

namespace win {

DWORD GetTickCount() { return ::GetTickCount(); }
void Sleep(DWORD milliseconds) { ::Sleep(milliseconds); }

}  // namespace win
