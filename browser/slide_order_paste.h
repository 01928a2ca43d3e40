#pragma once
// Pasting cut thumbnails within a folder shown in slide order moves them, not their files.
#include "thumb_list.h"

// Numbers the slide positions from 0: the unmarked items before target, then every marked item,
// then target (when unmarked) and the unmarked items after it, each group in list order. With no
// target the marked items go last. The list itself is not reordered.
void PlaceMarkedBefore(CThumbList& items, const CThumbItem* target);
