#pragma once
// The CF_HDROP form of a list of one path, as the clipboard and drag and drop carry it: a
// 20-byte DROPFILES header (file-list offset 20, no point, not wide), the path, then two NULs.
#include <string>

std::string DropFilesBlock(const std::string& path);
