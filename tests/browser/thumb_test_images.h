#pragma once
// Image files for the thumbnail loader's tests and benchmark: pictures with content that varies
// with a seed (so that each compresses differently and well above the small-file size), written
// through the image library, and a counting stand-in for the loader's decoder.
#include <string>
#include <vector>

// A width x height picture saved by extension (".jpg", ".png", ...); false when it was not saved.
bool WritePatternPicture(const std::string& path, int width, int height, unsigned seed);

// The first keep bytes of a file copied to another: a damaged (cut short) file.
bool WriteTruncatedCopy(const std::string& from, const std::string& to, size_t keep);

// Counts the loader's decodes (and remembers the files) while it is alive; decodes go on through
// the image library.
class DecodeCounter {
 public:
  DecodeCounter();
  ~DecodeCounter();
  DecodeCounter(const DecodeCounter&) = delete;
  DecodeCounter& operator=(const DecodeCounter&) = delete;

  int Count() const;
  std::vector<std::string> Files() const;  // their names, without folders, in decoding order
  void Reset();
};
