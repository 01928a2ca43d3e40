// Create Collage Image in Vireldan.exe: with every file of the folder selected, a "Collage" window
// of its own opens with the pictures on its canvas, and closes on its own.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "command_ids.h"
#include "dialog_user_win.h"
#include "missing_files.h"
#include "running_program.h"
#include "ui_driver.h"

namespace {

const FolderFile kFiles[] = {
    {"a.jpg", "/usr/libexec/installed-tests/gdk-pixbuf/bug143608-comment.jpg"},
    {"b.jpg", "/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg"},
};

TEST(CollageCommand, OpensACollageOfTheSelectedFiles) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "vireldan-program-collage";
  const std::string missing = MakePictureFolder(folder.string(), kFiles);
  if (!missing.empty()) SKIP_OR_FAIL_MISSING(missing + " is not installed");
  const std::string shown = folder.string() + "\\";
  RunningProgram program(FolderInSmallThumbnails(shown), "");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(shown));
  program.Settle();
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_SELECT_ALL, 0);
  ::PostMessageA(program.Frame(), WM_COMMAND, ID_CREATE_COLLAGE, 0);
  const HWND collage = program.WaitForWindow("Collage");
  ASSERT_TRUE(collage);
  // Both pictures on the white canvas: the window shows more than white and dark grey.
  bool pictured = false;
  WaitFor([&] {
    Cimage picture = ShownPicture(collage, true, "collage_command_window");
    for (int y = 40; y < picture.m_height - 40 && !pictured; y += 7)
      for (int x = 40; x < picture.m_width - 40 && !pictured; x += 7) {
        const unsigned colour = picture.GetRGB(x, y);
        pictured = colour != 0xFFFFFFu && colour != 0x202020u;
      }
    return pictured;
  });
  EXPECT_TRUE(pictured);
  ::PostMessageA(collage, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(collage); }));
  EXPECT_TRUE(program.Close());
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
}

}  // namespace
