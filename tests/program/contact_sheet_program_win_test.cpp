// Print Thumbnails in Vireldan.exe: a contact sheet of a composed list (here the folder's
// subfolder listing, which holds no pictures of its subfolders) can only be of the selection, as
// the view knows whatever folders its files lie in.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "command_ids.h"
#include "print_resource.h"
#include "running_program.h"
#include "ui_driver.h"

namespace {

namespace fs = std::filesystem;

struct SheetChoice {
  bool allEnabled, allChosen, selectedChosen;
};

// Opens Print Thumbnails, reads which of its lists it offers and has chosen, and closes it.
SheetChoice ReadSheetChoice(const RunningProgram& program) {
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_PRINT_THUMBNAILS, 0);
  const HWND dialog = program.WaitForWindow("Print thumbnails setup");
  EXPECT_TRUE(dialog);
  if (!dialog) return {};
  const SheetChoice choice = {::IsWindowEnabled(::GetDlgItem(dialog, IDC_PT_ALL)) != FALSE,
                              ::IsDlgButtonChecked(dialog, IDC_PT_ALL) == BST_CHECKED,
                              ::IsDlgButtonChecked(dialog, IDC_PT_SELECTED) == BST_CHECKED};
  ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
  return choice;
}

TEST(ContactSheetProgram, ASubfolderListingOfOneFoldersFilesPrintsOnlyTheSelection) {
  const fs::path folder = fs::temp_directory_path() / "vireldan-program-contact-sheet";
  fs::remove_all(folder);
  fs::create_directories(folder / "Empty");
  for (const char* name : {"a.jpg", "b.jpg"}) std::ofstream(folder / name, std::ios::binary) << "not a picture";
  const std::string shown = fs::path(folder).make_preferred().string() + "\\";
  {
    SettingsValues settings = FolderInSmallThumbnails(shown);
    settings["ThumbPrint/allorsel"] = "0";
    RunningProgram program(settings, "");
    ASSERT_TRUE(program.Frame());
    ASSERT_TRUE(program.WaitForFolderShown(shown));
    program.Settle();

    const SheetChoice plain = ReadSheetChoice(program);
    EXPECT_TRUE(plain.allEnabled);
    EXPECT_TRUE(plain.allChosen);

    ::PostMessageA(program.Frame(), WM_COMMAND, ID_SUBFOLDER_CONTENTS, 0);
    const SheetChoice listing = ReadSheetChoice(program);
    EXPECT_FALSE(listing.allEnabled);
    EXPECT_FALSE(listing.allChosen);
    EXPECT_TRUE(listing.selectedChosen);
    EXPECT_TRUE(program.Close());
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
