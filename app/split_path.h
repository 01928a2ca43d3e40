#pragma once
#include <string>

// The folder (before the last backslash, without it) and the file name (after it) of a path; a
// path without a backslash has an empty folder and is all file name.
void SplitPath(const std::string& path, std::string& folder, std::string& fileName);
