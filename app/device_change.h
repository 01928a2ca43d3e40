#pragma once
// Which drives a WM_DEVICECHANGE names, so that the folder tree forgets what it knew of them.
#include <windows.h>

// The unit mask (bit 0 is A) of a volume that arrived, is about to go, or went; 0 for every other
// event and device.
DWORD ChangedVolumeUnits(WPARAM event, LPARAM data);
