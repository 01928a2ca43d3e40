#pragma once
// The names that renaming gives: a sequence of names from a pattern, and the rule that a renamed
// file keeps its kind (the old extension, in lower case, whatever extension was typed).
#include <string>

// "#" in the pattern stands for the number, "*" for the old name without its extension (each
// once; a second one stays as typed). With neither, the number follows the pattern. The number
// has at least two digits when fewer than 100 files are renamed, else at least three.
std::string PatternName(const std::string& pattern, const std::string& oldName, int number, int fileCount);

// The typed name without anything from its last dot on, then the old name's extension in lower
// case (nothing when the old name has none).
std::string WithOldExtension(const std::string& typedName, const std::string& oldName);
