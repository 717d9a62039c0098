// What the host sees of glintix: the exported header getter, the module getter and the
// module's four callbacks, which wire the host's calls to the effect and the display.
#pragma once

#include "plugin/vis_records.h"

constexpr int kVisInterfaceVersion = 0x101;

extern "C" VisHeader* winampVisGetHeader();

VisModule* moduleAt(int index);
void configModule(VisModule* module);
int initModule(VisModule* module);    // 0: started; 1: the start failed
int renderModule(VisModule* module);  // 0: go on; 1: please stop
void quitModule(VisModule* module);
