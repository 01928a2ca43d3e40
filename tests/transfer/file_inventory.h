#pragma once
// Folder trees written from and read into tables, and the inventory rule every transfer keeps:
// each original file's bytes exist afterwards exactly once after a move, once or twice after a
// copy (never zero times, unless the user chose to replace that name), and no temporary file is
// left behind. Names are the system's narrow names, as the transfer sees them.
#include <map>
#include <set>
#include <string>
#include <vector>

// Relative paths with "/" between folders; a folder is listed as "name/" with no bytes.
using FileLayout = std::map<std::string, std::string>;

// The native path of a relative one below root.
std::string PathBelow(const std::string& root, const std::string& relative);

void WriteLayout(const std::string& root, const FileLayout& layout);
FileLayout ReadLayout(const std::string& root);

enum class TransferKind { kMove, kCopy };

// Checks the rule over all roots taken together (a transfer across drives spans two); the bytes
// of replaced files (the user's Replace) may be gone. Every file's bytes must be unique before.
void ExpectInventoryKept(const std::vector<FileLayout>& before, const std::vector<FileLayout>& after,
                         TransferKind kind, const std::set<std::string>& replacedBytes = {});
