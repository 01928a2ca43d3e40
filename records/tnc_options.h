#pragma once
// The settings the thumbnail cache works by, taken from the program's settings (the loader) or
// set by a program of its own (Thumbwell, tests).
#include <string>

class CAppSettings;

enum TncCacheMode : int { kTncAutomatic = 0, kTncReadOnly = 1, kTncDisabled = 2 };

struct TncOptions {
  int cacheMode = kTncAutomatic;  // "Thumbnails" cachemode
  int cacheQuality = 1;           // "Thumbnails" cachequality: 0 compact, 1 compromise, else high
  bool limit = true;              // "Thumbnails" limit: stop adding past 1000 entries
  bool deferSqueeze = true;       // "Thumbnails" thresh: squeeze only when enough is stale
  bool hideFile = true;           // "HiddenFiles" tnc
  bool useCdCache = true;         // "File Options" usecdcache: read a CD's own cache
  bool cacheCds = true;           // "File Options" cachecds: mirror CD caches under cachePath
  bool cacheRemovable = false;    // "File Options" cacheremove: mirror removable drives' caches
  std::string cachePath;          // "Main Options" cachepath
  std::string desktopFolder;      // the user's desktop, which has no cache
};

TncOptions TncOptionsFrom(const CAppSettings& settings, const std::string& desktopFolder);

// JPEG quality of the thumbnails added to a cache.
int TncJpegQuality(int cacheQuality);
