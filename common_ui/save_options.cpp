#include "save_options.h"

#include <cctype>

#include "Cimage.h"
#include "app_settings.h"

const char kInvalidSaveTypeMessage[] = "Invalid file name extension\nUse JPG, GIF, PNG, TIF, or BMP";

SaveOptions CurrentSaveOptions() {
  return {Cimage::S_file_colormap_bmp,
          Cimage::S_file_dither_bmp,
          Cimage::S_file_colormap_png,
          Cimage::S_file_dither_png,
          Cimage::S_file_dither_gif,
          Cimage::S_file_save_quality,
          Cimage::S_keep_exifinfo,
          Cimage::S_tifcompression,
          g_settings.fileOptions.confirm,
          g_settings.fileOptions.useoriginal};
}

void StoreSaveOptions(const SaveOptions& options) {
  Cimage::S_file_colormap_bmp = options.colormapBmp;
  Cimage::S_file_dither_bmp = options.ditherBmp;
  Cimage::S_file_colormap_png = options.colormapPng;
  Cimage::S_file_dither_png = options.ditherPng;
  Cimage::S_file_dither_gif = options.ditherGif;
  Cimage::S_file_save_quality = options.quality;
  Cimage::S_keep_exifinfo = options.keepExif;
  Cimage::S_tifcompression = options.tifCompression;
  g_settings.fileOptions.confirm = options.confirm;
  g_settings.fileOptions.useoriginal = options.useOriginal;
}

// A dot in a folder's name is no extension of the file.
std::string SaveFileType(const std::string& path) {
  const size_t name = path.find_last_of("\\/:");
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || (name != std::string::npos && dot < name)) return std::string();
  std::string type = path.substr(dot + 1);
  for (char& c : type) c = char(std::toupper(static_cast<unsigned char>(c)));
  return type;
}

int SavePageOfType(const std::string& type) {
  static const char* const kTypes[kSavePageCount] = {"BMP", "GIF", "JPG", "PNG", "TIF"};
  for (int page = 0; page < kSavePageCount; ++page)
    if (type == kTypes[page]) return page;
  return -1;
}

int PaletteChoice(int colormap, int dither) {
  if (!colormap) return 0;
  return dither ? 1 : 2;
}

void ApplyPaletteChoice(int choice, int& colormap, int& dither) {
  if (choice == 2) {
    colormap = 1;
    dither = 0;
  } else if (choice == 0 || choice == 1) {
    colormap = choice;
    dither = 1;
  }
}

// A type the sheet has no page for is refused whether or not the sheet would have been shown:
// the library could not write it.
SaveStep StepBeforeSave(const std::string& type, bool optionsAsked, bool confirm) {
  if (SavePageOfType(type) < 0) return SaveStep::kRefuseType;
  return optionsAsked || confirm ? SaveStep::kAskOptions : SaveStep::kSave;
}
