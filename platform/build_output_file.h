#pragma once
// For the build's host tools: an output written beside the old file and renamed over it, so an
// interrupted build leaves no half file for the next step to take.
#include <cstdio>
#include <fstream>
#include <string>

inline bool WriteBuildOutput(const std::string& path, const void* data, size_t size) {
  const std::string partial = path + ".partial";
  {
    std::ofstream out(partial, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), std::streamsize(size));
    if (!out.flush()) return false;
  }
  return std::rename(partial.c_str(), path.c_str()) == 0;
}
