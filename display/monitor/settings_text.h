// The settings file's text: what it holds of the monitor choice, and how it is read back.
#pragma once

#include <cstddef>

#include "display/monitor/monitor_choice.h"

// The settings file holds at most this much; a larger one is not ours.
constexpr size_t kMaxSettingsBytes = 4096;

// The choice that a settings file's `length` bytes name: the player's monitor (an empty
// device name) where they are empty, too many, cut short or anything but what
// formatSettings writes.
MonitorName parseSettings(const char* text, size_t length);

// The settings file's text for the choice, into `out` of kMaxSettingsBytes; its length.
size_t formatSettings(const MonitorName& chosen, char* out);
