// Batch Process in Vireldan.exe: Alt-B opens the sheet on the thumbnail view's selection,
// Process Now writes every selected photograph, fitted, into the destination folder with the
// image library's own pixels, a destination that would replace the photographs is refused, and
// Abort stops a run.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "Cimage.h"
#include "command_ids.h"
#include "missing_files.h"
#include "property_sheet_driver.h"
#include "resource.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

namespace {

namespace fs = std::filesystem;

const char kSquare[] = "Z:/usr/share/libjxl-testdata/jxl/flower/flower_cropped.jpg";  // 1040 x 1040

HWND WaitForAnyWindow(const char* caption) {
  HWND found = nullptr;
  WaitFor([&] { return (found = ::FindWindowA(nullptr, caption)) != nullptr; }, 30000);
  return found;
}

std::string Text(HWND window, int id) {
  char text[600] = {};
  ::SendDlgItemMessageA(window, id, WM_GETTEXT, sizeof text, LPARAM(text));
  return text;
}

int ListCount(HWND page) { return int(::SendDlgItemMessageA(page, IDC_BATCH_LIST, LVM_GETITEMCOUNT, 0, 0)); }

class BatchProcessProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!fs::exists(kSquare)) SKIP_OR_FAIL_MISSING(std::string("missing ") + kSquare);
    folder_ = fs::temp_directory_path() / "vireldan-program-batch";
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "out");
    for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) fs::copy_file(kSquare, folder_ / name);
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  std::string Folder() const { return fs::path(folder_).make_preferred().string(); }
  // The folder's files into its "out" folder as PNG, fitted inside 640 x 480, without a bevel.
  SettingsValues Settings() const {
    return {{"Main Options/tipson", "0"},           {"Main Options/mainpath", Folder() + "\\"},
            {"Batch Resize/batchpath", Folder() + "\\out"}, {"Batch Resize/format", "4"},
            {"Batch Resize/colormap", "0"},         {"Batch Resize/targetsize", "0"},
            {"Effects/batchmode", "3"}};
  }
  // Starts the program on the folder and processes every file of it; the sheet has closed.
  bool ProcessAll(RunningProgram& program, const std::string& count) const {
    if (!program.Frame() || !program.WaitForFolderShown(Folder() + "\\")) return false;
    program.Settle();
    ::SetWindowPos(program.Frame(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ::SetForegroundWindow(program.Frame());
    TypeKey('A', {VK_CONTROL});
    EXPECT_TRUE(WaitFor([&] { return program.StatusText(2).find(count + " Selected") == 0; })) << program.StatusText(2);
    TypeKey('B', {VK_MENU});
    HWND sheet = WaitForAnyWindow("Batch process images");
    if (!sheet) return false;
    EXPECT_EQ(ListCount(SheetPage(sheet, 0)), std::stoi(count));
    PressButton(sheet, IDC_BATCH_PROCESS_NOW);
    return WaitUntilClosed(sheet);
  }

  fs::path folder_;
};

TEST_F(BatchProcessProgram, AltBProcessesTheSelectionAndARunThatWouldReplaceThePhotographsIsRefused) {
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(ProcessAll(program, "3"));
  ASSERT_TRUE(WaitFor(
      [&] {
        return fs::exists(folder_ / "out" / "one.png") && fs::exists(folder_ / "out" / "two.png") &&
               fs::exists(folder_ / "out" / "three.png") && !::FindWindowA(nullptr, "Batch Operation - Progress");
      },
      60000));
  Cimage expected, written;
  expected.LoadFrameFilled(kSquare, 640, 480, 0);
  written.LoadImageA((folder_ / "out" / "two.png").string().c_str(), 0, 0, 5);
  EXPECT_TRUE(SamePixels(written, expected));

  // Into the photographs' own folder in their own format: refused before anything is written.
  TypeKey('B', {VK_MENU});
  HWND sheet = WaitForAnyWindow("Batch process images");
  ASSERT_TRUE(sheet);
  ASSERT_TRUE(ShowSheetPage(sheet, 1));
  HWND output = SheetPage(sheet, 1);
  ::SetDlgItemTextA(output, IDC_BATCH_PATH, Folder().c_str());
  ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT_PNG, BM_SETCHECK, BST_UNCHECKED, 0);
  ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT, BM_SETCHECK, BST_CHECKED, 0);
  const auto before = fs::last_write_time(folder_ / "one.jpg");
  PressButton(sheet, IDC_BATCH_PROCESS_NOW);
  ASSERT_TRUE(WaitUntilClosed(sheet));
  HWND refusal = nullptr;
  WaitFor([&] { return (refusal = ::FindWindowA("#32770", "Vireldan")) != nullptr; });
  ASSERT_TRUE(refusal);
  EXPECT_EQ(Text(refusal, 0xFFFF),
            "The destination folder holds the pictures to be processed,\nand their new files would replace them.\n"
            "Choose another destination folder or another output format.");
  PressButton(refusal, IDOK);
  ASSERT_TRUE(WaitUntilClosed(refusal));
  EXPECT_EQ(fs::last_write_time(folder_ / "one.jpg"), before);
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Batch Resize", "batchpath"), Folder()) << "the page in front stored its edit";
  EXPECT_EQ(StoredSetting("Batch Resize", "format"), "0");
}

// Abort in the progress window: the step in hand ends, no further file is loaded, the program
// says so, and only complete pictures stand in the destination.
TEST_F(BatchProcessProgram, AbortStopsTheRunAndLeavesOnlyCompletePictures) {
  for (int i = 0; i < 40; ++i) fs::copy_file(kSquare, folder_ / ("photo" + std::to_string(i) + ".jpg"));
  RunningProgram program(Settings(), "");
  ASSERT_TRUE(ProcessAll(program, "43"));
  HWND progress = WaitForAnyWindow("Batch Operation - Progress");
  ASSERT_TRUE(progress);
  PressButton(progress, IDC_BATCH_ABORT);
  HWND told = nullptr;
  WaitFor([&] { return (told = ::FindWindowA("#32770", "Vireldan")) != nullptr; }, 30000);
  ASSERT_TRUE(told);
  EXPECT_EQ(Text(told, 0xFFFF), "Batch process aborted.");
  PressButton(told, IDOK);
  ASSERT_TRUE(WaitFor([] { return !::FindWindowA(nullptr, "Batch Operation - Progress"); }));
  int written = 0;
  for (const auto& entry : fs::directory_iterator(folder_ / "out")) {
    Cimage picture;
    picture.LoadImageA(entry.path().string().c_str(), 0, 0, 5);
    EXPECT_EQ(entry.path().extension(), ".png") << "no temporary left beside the pictures";
    EXPECT_FALSE(picture.m_loadError) << entry.path();
    EXPECT_EQ(picture.m_width, 480) << entry.path();
    ++written;
  }
  EXPECT_LT(written, 43);
  ASSERT_TRUE(program.Close());
}

}  // namespace
