#pragma once
// The text of "keyexport.htm": a page listing, for each exported key, the files below a folder
// that carry it, as links relative to that folder with their annotations. Every name and text of
// the user's is escaped, so the page shows them as they are.
#include <string>
#include <vector>

struct KeyExportHit {
  std::string relativePath;  // below the exported folder, with Windows separators
  std::string annotation;    // empty: none
};

std::string KeyExportPageStart(const std::string& folder);
std::string KeyExportSection(const std::string& keyPath, const std::vector<KeyExportHit>& hits);
std::string KeyExportPageEnd();

// The part of path below folder (with or without a trailing separator); the whole path when it
// does not lie below it.
std::string PathBelowFolder(const std::string& folder, const std::string& path);
