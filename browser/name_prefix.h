#pragma once
// The leading part of a file name that a camera or a user repeats across a series ("IMG_",
// "DSC", "Holiday 2003 "), used to select files with a like name and to sort a folder into
// subfolders by series.
#include <cstddef>
#include <string>
#include <vector>

struct NamePrefix {
  size_t start = 0;
  size_t length = 0;
  std::string Text(const std::string& name) const { return name.substr(start, length); }
  // The other name holds the same text at the same place.
  bool Matches(const std::string& name, const std::string& other) const;
};

// The series part of a name: a run of two or more letters, spaces, '-' or '_' (from the first of
// them, unless a '.' comes first); else the leading digits of a name that starts with one; else a
// single such character, followed by the digits after it when the name's second character is a
// digit. The name's last character is never part of it.
NamePrefix GetNamePrefix(const std::string& name);

// One series that Auto Sort moves into its own subfolder.
struct AutoSortGroup {
  std::string prefix;
  std::string folder;           // the subfolder's name: the prefix without trailing spaces
  std::vector<size_t> members;  // indices into the names, in their order
};

// Walks the names in order; the first one not yet handled gives a prefix, and every name not yet
// handled that matches it is handled with it. A group is kept when its prefix is shorter than the
// name it came from, names a folder, and has 6 to 200 members.
std::vector<AutoSortGroup> AutoSortGroups(const std::vector<std::string>& names);
