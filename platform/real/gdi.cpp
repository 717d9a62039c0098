#include "platform/services.h"

namespace win {

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int sourceX, int sourceY,
                      UINT startScan, UINT lines, const void* bits, const BITMAPINFO* info,
                      UINT usage) {
    return ::SetDIBitsToDevice(dc, x, y, width, height, sourceX, sourceY, startScan, lines, bits,
                               info, usage);
}

}  // namespace win
