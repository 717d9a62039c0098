// The configuration dialog's resource and control numbers, shared with its template.
#pragma once

#define GLINTIX_MONITOR_DIALOG 100
#define GLINTIX_MONITOR_LIST 101
#define GLINTIX_SAVE_NOTE 102
