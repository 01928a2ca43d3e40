#pragma once
// The picture files the programs know by their names: one table for the listing, the loader, the
// saver, slide shows, Thumbwell and the rest. Windows' "*.tif" also finds "x.tiff", as "*.jpe"
// finds "x.jpeg" (through their short names), so the long spellings stand beside the short ones.
#include <string>

namespace platform {

// In the order the thumbnail view lists them.
enum class PictureType { kNone = -1, kJpeg, kGif, kBmp, kTiff, kPng, kPsd, kPcx };

// The type an extension (without its dot, in any case) names; kNone for any other.
PictureType PictureTypeOfExtension(const std::string& extension);

// The type a file name's extension names; kNone for a name without one (a dot that starts the
// name or lies in a folder's name is none) or with another.
PictureType PictureTypeOfName(const std::string& name);

}  // namespace platform
