#pragma once
// The names scanned pictures are saved under: a prefix, a number and the format's extension, the
// number counting up past every name already taken, within 0 to kTwainIndexMaximum.
#include <functional>
#include <string>

constexpr int kTwainIndexMaximum = 99999999;

// ".JPG" for 0, ".GIF" for 1, ".PNG" for 2, ".BMP" for anything else.
const char* TwainExtension(int format);

// The index brought into the range (a stored one may lie outside it).
int BoundedTwainIndex(long long index);

// The first free name from index on; index ends one past the number used, or at the last number
// when that was used. Empty when every number from index to the last is taken (index unchanged).
std::string NextTwainFileName(const std::string& prefix, int& index, int format,
                              const std::function<bool(const std::string&)>& taken);
