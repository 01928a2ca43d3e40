#pragma once
// What the File Save Options sheet edits, and the rules it follows: which page a file's type opens
// on, how a palette pair (colour map, dither) reads as one choice, and what a save does before
// writing. The sheet edits a copy; only a confirmed sheet puts it back, so Cancel changes nothing.
#include <string>

// The sheet's pages, in their order.
enum SaveSheetPage { kSavePageBmp, kSavePageGif, kSavePageJpeg, kSavePagePng, kSavePageTif, kSavePageCount };

// The library's save settings and the two "File Options" values the sheet shows.
struct SaveOptions {
  int colormapBmp, ditherBmp, colormapPng, ditherPng, ditherGif;
  int quality, keepExif, tifCompression;
  int confirm, useOriginal;
};

SaveOptions CurrentSaveOptions();
void StoreSaveOptions(const SaveOptions& options);

// The type of a file to be saved: its extension after the last dot of the name, upper-cased
// (empty when the name has no dot).
std::string SaveFileType(const std::string& path);
// The page of a type, exactly "BMP", "GIF", "JPG", "PNG" or "TIF"; -1 for any other.
int SavePageOfType(const std::string& type);

// The palette radio group: 0 "24bit (True Color)" while the colour map is off, else 1
// "Dithered" or 2 "Flat".
int PaletteChoice(int colormap, int dither);
// A choice read back from the group; any other value leaves the pair as it was.
void ApplyPaletteChoice(int choice, int& colormap, int& dither);

// What a save does once the file name is chosen.
enum class SaveStep { kAskOptions, kSave, kRefuseType };
SaveStep StepBeforeSave(const std::string& type, bool optionsAsked, bool confirm);
extern const char kInvalidSaveTypeMessage[];
