#pragma once
// Where a file being turned is written before it replaces the original.
#include <string>

namespace ravelight {

// The file's base name in the system's temporary folder, then "_", a suffix of up to five
// characters and the file's extension: the first such name that names no file. The base name is
// shortened so that the whole fits a 260-character path buffer; empty when even that cannot fit
// or every suffix is taken.
std::string RotationTemporaryName(const std::string& path);

}  // namespace ravelight
