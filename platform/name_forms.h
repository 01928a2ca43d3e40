#pragma once
// Other spellings of a name the program holds: the full path a relative one stands for, and the
// UTF-8 bytes of a name kept in the system's code page (what a link in a web page must carry
// so that a browser finds the file whatever code page it reads the page in).
#include <string>

namespace platform {

// The absolute path: relative to the current folder, with "." and ".." resolved; the path as it
// was when the system cannot say.
std::string FullPathName(const std::string& path);

// The name in UTF-8. On Windows the program's names are in the ANSI code page; POSIX names are
// taken as UTF-8 already.
std::string NameAsUtf8(const std::string& name);

}  // namespace platform
