#pragma once
// File-system services the portable code needs, behind narrow functions: Win32 in the product,
// POSIX stand-ins in the native tree, so the logic above them is tested in both.
#include <string>

namespace platform {

// Paths handed to the Win32 API live in buffers of this many characters, the terminator included.
constexpr size_t kMaxPath = 260;

// A name for a temporary file in the same folder as path (so that a rename onto path stays on
// one volume), not naming an existing file, and short enough for kMaxPath; empty if none can be
// made.
std::string TemporaryNameBeside(const std::string& path);

// Moves from onto to, replacing to if it exists, in one step: either to is the complete new file
// afterwards, or it is untouched. False on failure (from is then left where it was).
bool ReplaceFileWith(const std::string& from, const std::string& to);

bool RemoveFile(const std::string& path);

bool FileExists(const std::string& path);

}  // namespace platform
