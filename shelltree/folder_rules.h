#pragma once
// Which folder commands the folder tree allows on which kind of item, which paths may reach the
// shell's delete, which names a folder can be given, and when a delete asks first. Pure
// functions over text, so they are tested natively too.
#include <string>

#include "folder_count.h"

// What the tree knows of an item.
struct FolderItemKind {
  bool fileSystem = false;  // the tree's file-system test (true also for the desktop root and the Recycle Bin)
  bool root = false;        // the desktop
  bool driveRoot = false;
  bool recycleBin = false;
  bool screenSaver = false;
  bool link = false;        // a shortcut to a folder
  std::string path;         // the item's path as the tree gives it ("C:" for a drive, a shortcut's target)
  std::string linkFile;     // a shortcut's own file
};

// An absolute path on a drive ("C:\..." in either case) or a network share ("\\server\share..."),
// with no "." or ".." component and no wildcard; never a bare "C:", a relative path or a shell
// name. A bare "C:" names a drive's current folder, and SHFileOperation expands wildcards.
bool IsAbsolutePath(const std::string& path);
// An absolute path below a drive root or a network share: one that may be deleted, renamed or
// given a sibling.
bool IsBelowVolumeRoot(const std::string& path);

bool CanMakeChildFolder(const FolderItemKind& item);
bool CanMakeSiblingFolder(const FolderItemKind& item);
// The Rename command; renaming in place itself then refuses what CanRenameInPlace refuses.
bool CanStartRename(const FolderItemKind& item);
// F2: only where a rename can succeed.
bool CanRenameWithKey(const FolderItemKind& item);
bool CanRenameInPlace(const FolderItemKind& item);
bool CanDeleteFolder(const FolderItemKind& item);
// The item has a folder to count (drives included).
bool CanShowProperties(const FolderItemKind& item);

extern const char kNotAFolderItemMessage[];
extern const char kCannotDeleteMessage[];
extern const char kBadFolderNameMessage[];

// The name the user typed for a folder, without surrounding blanks and with every "/" made "_",
// in name; false when it cannot name a folder (empty, only blanks, "." or "..", ending in a dot,
// or holding any of \ : * ? " < > | or a control character).
bool CleanFolderLabel(const std::string& label, std::string& name);

// The path with its last component replaced by name.
std::string SiblingPath(const std::string& path, const std::string& name);

// The shell's list form of one path: the path, then two NULs.
std::string DoubleNulList(const std::string& path);

// Whether deleting a folder with these counts asks first, by the "Confirmations" values.
bool DeleteNeedsConfirmation(const FolderCounts& counts, int nonnest, int nested, int allsize);

// The question asked before a delete on a drive without a recycle bin, which is permanent.
std::string PermanentDeleteQuestion(const std::string& path);

// The root of the drive or network share a path lies on ("C:\", "\\server\share\"), for free
// space queries ("C:" counts as "C:\"); empty when the path is not absolute.
std::string VolumeRootOf(const std::string& path);
