#pragma once
// What Copy Filename (HTML) puts on the clipboard for a file: a path to paste elsewhere, or an
// image tag or thumbnail link for a web page.
#include <string>

enum class FilenameHtmlStyle {
  kFullPath,       // no key held
  kName,           // Alt
  kImageTag,       // Ctrl: with the picture's size when its thumbnail is loaded
  kThumbnailLink,  // Shift: the thumbnail linking to the picture, when its thumbnail is loaded
};

struct FilenameHtmlSource {
  std::string folder;  // ends in a backslash
  std::string name;
  bool loaded = false;  // the thumbnail, and so the picture's size, is known
  int width = 0, height = 0;
};

// Names in tags are written as link targets, so a space, '&' or quotation mark in a file name
// keeps the tag whole.
std::string FilenameHtml(const FilenameHtmlSource& file, FilenameHtmlStyle style);
