#include "tnc_options.h"

#include "app_settings.h"

TncOptions TncOptionsFrom(const CAppSettings& settings, const std::string& desktopFolder) {
  TncOptions options;
  options.cacheMode = settings.thumbnails.cachemode;
  options.cacheQuality = settings.thumbnails.cachequality;
  options.limit = settings.thumbnails.limit != 0;
  options.deferSqueeze = settings.thumbnails.thresh != 0;
  options.hideFile = settings.hiddenFiles.tnc != 0;
  options.useCdCache = settings.fileOptions.usecdcache != 0;
  options.cacheCds = settings.fileOptions.cachecds != 0;
  options.cacheRemovable = settings.fileOptions.cacheremove != 0;
  options.cachePath = settings.mainOptions.cachepath;
  options.desktopFolder = desktopFolder;
  return options;
}

int TncJpegQuality(int cacheQuality) {
  switch (cacheQuality) {
    case 0: return 70;
    case 1: return 78;
    default: return 88;
  }
}
