#pragma once
// The HTML image map of an index image: one rectangle a thumbnail, linking to its file, with the
// map's and the picture's names left as placeholders for the user to replace.
#include <string>
#include <vector>

#include "index_sheet_layout.h"

// names holds the file name of every selected item, indexed as the places' items are.
std::string IndexImageMap(const std::vector<IndexPlace>& places, const std::vector<std::string>& names);
