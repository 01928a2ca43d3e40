#pragma once
// Index files on disk. Each loses its hidden attribute while it is open and gets it back afterwards
// when the "HiddenFiles" value "iif" is on.
#include <string>
#include <vector>

#include "key_index_format.h"

enum class KeyFileLoad { kMissing, kRead, kForeign };

// The whole file read at once and parsed (chain 2 only when withSummary). A file that cannot be
// opened counts as missing; one of another kind as foreign, with nothing read.
KeyFileLoad LoadKeyIndexFile(const std::string& path, bool withSummary, KeyIndexContents* contents);

// Writes the bytes to a temporary file beside path, every write checked, then puts it in place of
// path in one step: an interrupted or failed write leaves the old file as it was. A file marked
// read-only is not replaced. False on failure.
bool ReplaceKeyIndexFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Deletes the file unless it is marked read-only; true when it is gone (also when it was never
// there).
bool DeleteKeyIndexFile(const std::string& path);

// Clears the summary fields of the header in place, only when the file is one of ours and has a
// summary. False when such a file could not be changed.
bool ClearKeyIndexSummary(const std::string& path);

namespace key_index_testing {
// Called before each step of ReplaceKeyIndexFile that changes a file, with its number from 0.
extern void (*beforeWriteStep)(int step);
}  // namespace key_index_testing
