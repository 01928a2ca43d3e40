#pragma once
#include <string>
#include <vector>

// The files under a folder and all its subfolders whose names end in one of the extensions
// (lower-case, with the dot), sorted. The folder is a path as the program sees it (SystemPath,
// CorpusPath); empty when it is missing.
std::vector<std::string> FilesUnder(const std::string& folder, const std::vector<std::string>& extensions);
