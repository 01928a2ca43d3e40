#pragma once
// File tests and comparisons shared by several parts of the program.
#include <cstdint>
#include <string>

// A folder (drive roots and paths with a trailing backslash included); never a wildcard pattern.
bool IsDirectory(const std::string& path);
// A file that is not a folder.
bool IsPlainFile(const std::string& path);
// The file's length in bytes; 0 when it cannot be opened.
int64_t GetFileLength(const std::string& path);
// 1 when both files can be read and have the same bytes, else 0.
int CompareFiles(const std::string& pathA, const std::string& pathB);
