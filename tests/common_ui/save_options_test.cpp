// The File Save Options sheet's rules: the page a file's type opens on, the palette radio group
// read from and written to a (colour map, dither) pair, what a save does before it writes, and
// the copy the sheet edits going back to the library and the settings.
#include <gtest/gtest.h>

#include <cstring>

#include "Cimage.h"
#include "app_settings.h"
#include "save_options.h"

namespace {

TEST(SaveOptionsRules, TheTypeOfAFileIsItsUpperCasedExtension) {
  const struct {
    const char* path;
    const char* type;
  } cases[] = {
      {"C:\\Pictures\\holiday.jpg", "JPG"}, {"C:\\Pictures\\scan.Tif", "TIF"},  {"photo.JPEG", "JPEG"},
      {"C:\\a.b\\layers.psd", "PSD"},       {"archive.tar.png", "PNG"},          {"C:\\my.pictures\\noext", ""},
      {"trailing.", ""},                    {"plain", ""},                       {"D:/unix.style/x.bmp", "BMP"},
  };
  for (const auto& c : cases) EXPECT_EQ(SaveFileType(c.path), c.type) << c.path;
}

TEST(SaveOptionsRules, OnlyTheFiveTypesHaveAPageAndTheCaseMatters) {
  const struct {
    const char* type;
    int page;
  } cases[] = {{"BMP", kSavePageBmp}, {"GIF", kSavePageGif}, {"JPG", kSavePageJpeg}, {"PNG", kSavePagePng},
               {"TIF", kSavePageTif}, {"JPEG", -1},          {"PSD", -1},            {"TIFF", -1},
               {"jpg", -1},           {"", -1},              {"PCX", -1}};
  for (const auto& c : cases) EXPECT_EQ(SavePageOfType(c.type), c.page) << c.type;
  EXPECT_EQ(kSavePageJpeg, 2);
}

TEST(SaveOptionsRules, ThePaletteChoiceIsReadFromThePairAndWrittenBack) {
  const struct {
    int colormap, dither, shown;       // the pair as stored and the button it checks
    int storedColormap, storedDither;  // the pair after the page is read back unchanged
  } cases[] = {{0, 0, 0, 0, 1}, {0, 1, 0, 0, 1}, {1, 1, 1, 1, 1}, {1, 0, 2, 1, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(PaletteChoice(c.colormap, c.dither), c.shown);
    int colormap = c.colormap, dither = c.dither;
    ApplyPaletteChoice(c.shown, colormap, dither);
    EXPECT_EQ(colormap, c.storedColormap);
    EXPECT_EQ(dither, c.storedDither);
  }
  // Flat shown, then "24bit (True Color)" chosen: colour map off, dither on.
  int colormap = 1, dither = 0;
  ApplyPaletteChoice(0, colormap, dither);
  EXPECT_EQ(colormap, 0);
  EXPECT_EQ(dither, 1);
  // No button checked leaves the pair alone.
  ApplyPaletteChoice(-1, colormap, dither);
  EXPECT_EQ(colormap, 0);
  EXPECT_EQ(dither, 1);
}

TEST(SaveOptionsRules, ASaveAsksForOptionsWhenAskedOrConfirmingAndRefusesOtherTypes) {
  const struct {
    const char* type;
    bool asked, confirm;
    SaveStep step;
  } cases[] = {
      {"JPG", false, false, SaveStep::kSave},        {"JPG", false, true, SaveStep::kAskOptions},
      {"BMP", true, false, SaveStep::kAskOptions},   {"TIF", true, true, SaveStep::kAskOptions},
      {"JPEG", false, true, SaveStep::kRefuseType},  {"PSD", true, false, SaveStep::kRefuseType},
      {"JPEG", false, false, SaveStep::kRefuseType}, {"", false, false, SaveStep::kRefuseType},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepBeforeSave(c.type, c.asked, c.confirm), c.step) << c.type << c.asked << c.confirm;
}

TEST(SaveOptionsRules, TheEditedCopyGoesBackToTheLibraryAndTheSettings) {
  StoreSaveOptions({0, 1, 0, 0, 1, 80, 1, 0, 1, 1});
  const SaveOptions edited = {1, 0, 1, 1, 0, 55, 0, 2, 0, 0};  // every value another
  StoreSaveOptions(edited);
  const struct {
    const int* stored;
    int value;
  } places[] = {{&Cimage::S_file_colormap_bmp, 1}, {&Cimage::S_file_dither_bmp, 0},
                {&Cimage::S_file_colormap_png, 1}, {&Cimage::S_file_dither_png, 1},
                {&Cimage::S_file_dither_gif, 0},   {&Cimage::S_file_save_quality, 55},
                {&Cimage::S_keep_exifinfo, 0},     {&Cimage::S_tifcompression, 2},
                {&g_settings.fileOptions.confirm, 0}, {&g_settings.fileOptions.useoriginal, 0}};
  for (const auto& place : places) EXPECT_EQ(*place.stored, place.value) << (&place - places);
  const SaveOptions read = CurrentSaveOptions();
  EXPECT_EQ(std::memcmp(&read, &edited, sizeof read), 0);
}

}  // namespace
