#pragma once
// The names a file transfer works with: where a file lands in a folder, the numbered names that
// make room beside one already there, shortcut names, and folders compared the way the system
// compares them (case ignored, trailing separators and short names do not count).
#include <string>

// The path of name inside folder.
std::string PathInFolder(const std::string& folder, const std::string& name);

// The form in which two folder paths are equal exactly when they name the same folder: the long
// name of each component, one kind of separator and none at the end, ASCII letters in lower case.
std::string ComparableFolder(const std::string& path);

bool IsSameFolder(const std::string& a, const std::string& b);

// path is folder itself or lies somewhere below it.
bool IsSameOrInside(const std::string& folder, const std::string& path);

// The same for two paths already in comparable form, without asking the system.
bool IsSameOrInsideComparable(const std::string& folder, const std::string& path);

// The comparable form of a file's name inside a folder given in comparable form, as it was written
// (a short name is not looked up).
std::string ComparableName(const std::string& comparableFolder, const std::string& name);

// fileName with "_" and the number before its extension ("a.b.jpg", 3 gives "a.b_3.jpg"); empty
// for a name without ".", which cannot be suffixed.
std::string SuffixedName(const std::string& fileName, int number);

// The shortcut name of a file: its name up to the last "." with ".lnk"; empty for a name without
// ".", which gets no shortcut.
std::string FileShortcutName(const std::string& fileName);

// The shortcut name of a folder: its name without the text from its last "." on, with ".lnk".
std::string FolderShortcutName(const std::string& folderName);
