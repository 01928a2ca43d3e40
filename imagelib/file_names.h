#pragma once
// How the loader and the saver read a file name: which format its extension names.
#include <string>

namespace ravelight {

enum FileFormat {
  kUnknownFormat = 0,
  kJpegFormat = 1,
  kGifFormat = 2,
  kBmpFormat = 3,
  kTiffFormat = 4,
  kPngFormat = 5,
  kPsdFormat = 6,
  kPcxFormat = 7,
};

// The path with trailing blanks cut off; false when there is none or it does not fit a
// 260-character path buffer.
bool TrimmedPath(const char* path, std::string& trimmed);

// The upper-cased text after the last dot of the file name (a dot that starts the file name, or
// one in a folder's name, does not count); empty when there is none.
std::string ExtensionOf(const std::string& path);

FileFormat FormatOfExtension(const std::string& extension);

}  // namespace ravelight
