#pragma once
// The text rules the shell folder tree applies to paths: which parsing names are file-system
// folders, how a missing path is cut back to an existing ancestor, and which new folder names
// can be given. Pure functions over text, safe with any bytes.
#include <cstdint>
#include <string>
#include <vector>

// A drive path ("C:\...", upper-case letter) or a network path with a server and a share
// ("\\server\share..."), longer than two characters.
bool IsFileSystemParsePath(const std::string& parsePath);
// Exactly a drive letter A to Z, a colon and a backslash.
bool IsDriveRootPath(const std::string& parsePath);

// The path without the backslashes it ends in, so a drive root becomes its letter and colon.
std::string WithoutTrailingBackslash(const std::string& path);
// The part after the last backslash, a trailing backslash ignored.
std::string LastPathComponent(const std::string& path);

// A name a folder can be renamed to: not empty, not "." or "..", none of \ / : * ? " < > |
// and no control characters.
bool IsAcceptableFolderName(const std::string& name);

// The paths to try, in order, when the folder of a path may be gone: the path itself, then each
// ancestor, ending with the drive root ("C:\"), the longest one first. Paths longer than the
// shell's 259 characters are first cut back to an ancestor that fits.
std::vector<std::string> NearestPathCandidates(const std::string& path);

// The root ("D:\") of the drive named by the lowest set bit of a drive mask (bit 0 is A); empty
// when no bit names a drive letter.
std::string DriveRootOfUnitMask(uint32_t unitMask);

// The components of a display path, each of which was followed by a backslash; text after the
// last backslash is not a component.
std::vector<std::string> DisplayPathComponents(const std::string& displayPath);

// A file system whose name begins "FAT" (the one kind whose root shows hidden folders).
bool IsFatFileSystemName(const std::string& fileSystemName);
