// What the host sees of glintix: the exported header getter, the module getter and the
// two modules' callbacks, which wire the host's calls to the effect and the display.
// Module 0 takes the screen in a mode of the picture's size; module 1 keeps the desktop's
// mode and scales the picture on the monitor of the host's window.
#pragma once

#include "plugin/vis_records.h"

constexpr int kVisInterfaceVersion = 0x101;

extern "C" VisHeader* winampVisGetHeader();

VisModule* moduleAt(int index);
void configModule(VisModule* module);
int initModule(VisModule* module);    // 0: started; 1: the start failed
int renderModule(VisModule* module);  // 0: go on; 1: please stop
void quitModule(VisModule* module);

void configWindowed(VisModule* module);
int initWindowed(VisModule* module);    // 0: started; 1: the start failed
int renderWindowed(VisModule* module);  // 0: go on; 1: please stop
void quitWindowed(VisModule* module);
