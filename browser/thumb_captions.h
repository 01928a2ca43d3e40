#pragma once
// The texts the thumbnail view shows: the size line under a thumbnail and the status bar's count.
#include <cstdint>
#include <string>

class CThumbItem;

// "%i K, %i x %i" (KB, full picture width and height) once the thumbnail is loaded; "%i K" when
// it failed or is not loaded yet; empty for a size of 0 KB before loading.
std::string SizeCaption(const CThumbItem& item);

// "%i Selected,  %iKb " with a selection, else "%i File(s), %iKb Total".
std::string ListingStatusText(int count, int64_t totalKB, int selected, int64_t selectedKB);
