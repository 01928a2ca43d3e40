#pragma once
// The CF_HDROP form of a list of paths, as the clipboard and drag and drop carry it: a 20-byte
// DROPFILES header (file-list offset 20, no point, not wide), each path followed by a NUL, then
// one more NUL.
#include <string>
#include <vector>

std::string DropFilesBlock(const std::vector<std::string>& paths);
std::string DropFilesBlock(const std::string& path);
