#pragma once
// The message that tells which files a command could not handle: a heading, then the first few
// names, one a line, and "..." when more failed.
#include <string>
#include <vector>

// Empty when nothing failed.
std::string FailureListText(const std::string& heading, const std::vector<std::string>& failed);
