#pragma once
// The names scanned pictures are saved under: a prefix, a number and the format's extension, the
// number counting up past every name already taken.
#include <functional>
#include <string>

// ".JPG" for 0, ".GIF" for 1, ".PNG" for 2, ".BMP" for anything else.
const char* TwainExtension(int format);

// The first free name from index on; index is counted up after every name tried, so it ends one
// past the number used.
std::string NextTwainFileName(const std::string& prefix, int& index, int format,
                              const std::function<bool(const std::string&)>& taken);
