#pragma once
// The shell's form of a list of paths: each followed by a NUL, then one more NUL.
#include <string>
#include <vector>

std::string DoubleNulList(const std::vector<std::string>& paths);
std::vector<std::string> PathsOfDoubleNulList(const std::string& list);
