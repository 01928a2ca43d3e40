#pragma once
// The pictures the screen saver shows: the image files of its folder that the thumbnail view
// would list, in the folder's slide order when it has one (the order the user arranged in
// Vireldan), else by name. folder ends in a separator; the paths are full.
#include <string>
#include <vector>

std::vector<std::string> SaverPlaylist(const std::string& folder);
