// The windowed display's configuration: which monitor its picture covers.
#pragma once

#include "platform/services.h"

// The configuration dialog: the monitors as they are now, the choice marked; OK keeps the
// one selected, Cancel nothing. Owned by `owner`, and modal to it.
void runMonitorDialog(HWND owner);
