// Batch Process in Vireldan.exe: Alt-B opens the sheet on the thumbnail view's selection,
// Process Now writes every selected photograph, fitted, into the destination folder with the
// image library's own pixels; into the photographs' own folder each one to be replaced is asked
// for; a read-only destination is refused and a read-only picture in it kept; Abort stops a run.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

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
  // A folder made read-only by the build, as Wine keeps no read-only attribute on folders.
  static std::string ReadOnlyDestination() {
    std::string path = std::string("Z:") + READ_ONLY_DESTINATION;
    for (char& c : path)
      if (c == '/') c = '\\';
    return path;
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

  // Alt-B on the selection, the destination and format set on the Output page, Process Now.
  static void ProcessInto(const std::string& destination, bool png) {
    TypeKey('B', {VK_MENU});
    HWND sheet = WaitForAnyWindow("Batch process images");
    ASSERT_TRUE(sheet);
    ASSERT_TRUE(ShowSheetPage(sheet, 1));
    HWND output = SheetPage(sheet, 1);
    ::SetDlgItemTextA(output, IDC_BATCH_PATH, destination.c_str());
    ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT_PNG, BM_SETCHECK, png ? BST_CHECKED : BST_UNCHECKED, 0);
    ::SendDlgItemMessageA(output, IDC_BATCH_FORMAT, BM_SETCHECK, png ? BST_UNCHECKED : BST_CHECKED, 0);
    PressButton(sheet, IDC_BATCH_PROCESS_NOW);
    ASSERT_TRUE(WaitUntilClosed(sheet));
  }
  // Waits for a dialog of the program, presses the button and waits until it has gone; the text
  // of its control, or what came instead.
  static std::string Answer(const char* caption, int button, int textId) {
    HWND box = nullptr;
    // Visible only once its dialog procedure has filled it in.
    if (!WaitFor([&] { return (box = ::FindWindowA("#32770", caption)) != nullptr && ::IsWindowVisible(box); }, 30000))
      return std::string("no \"") + caption + "\" came";
    const std::string text = Text(box, textId);
    PressButton(box, button);
    if (!WaitUntilClosed(box)) return text + " (stayed up)";
    return text;
  }
  static std::string AnswerBox(int button) { return Answer("Vireldan", button, 0xFFFF); }
  static std::string AnswerFileExists(int button) { return Answer("File exists", button, IDC_EXISTING_FILE); }
  // Size and write time of the three photographs.
  std::vector<std::pair<uintmax_t, fs::file_time_type>> Stamps() const {
    std::vector<std::pair<uintmax_t, fs::file_time_type>> stamps;
    for (const char* name : {"one.jpg", "two.jpg", "three.jpg"})
      stamps.emplace_back(fs::file_size(folder_ / name), fs::last_write_time(folder_ / name));
    return stamps;
  }

  fs::path folder_;
};

TEST_F(BatchProcessProgram, AltBProcessesTheSelectionAndInPlaceEachReplacedPhotographIsAskedFor) {
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

  // Into the photographs' own folder in their own format: the first question's No stops the run
  // with nothing replaced.
  ProcessInto(Folder(), false);
  const auto before = Stamps();
  std::string asked = AnswerFileExists(IDCANCEL);
  EXPECT_EQ(asked.rfind(Folder() + "\\", 0), 0u) << asked;
  EXPECT_EQ(AnswerBox(IDOK), "Batch process aborted.");
  ASSERT_TRUE(WaitFor([] { return !::FindWindowA(nullptr, "Batch Operation - Progress"); }));
  EXPECT_EQ(Stamps(), before);

  // Yes replaces the first, Yes to All the rest without another question: each a whole picture.
  ProcessInto(Folder(), false);
  const std::string first = AnswerFileExists(IDOK);
  const std::string second = AnswerFileExists(IDC_YES_TO_ALL);
  EXPECT_NE(first, second);
  ASSERT_TRUE(WaitFor([] { return !::FindWindowA(nullptr, "Batch Operation - Progress"); }, 60000))
      << "asked again after Yes to All";
  EXPECT_FALSE(::FindWindowA("#32770", "File exists"));
  for (const char* name : {"one.jpg", "two.jpg", "three.jpg"}) {
    Cimage picture;
    picture.LoadImageA((folder_ / name).string().c_str(), 0, 0, 5);
    EXPECT_FALSE(picture.m_loadError) << name;
    EXPECT_EQ(picture.m_width, 480) << name;
    EXPECT_EQ(picture.m_height, 480) << name;
  }
  for (const auto& entry : fs::directory_iterator(folder_))
    EXPECT_NE(entry.path().filename().string().rfind("~vl", 0), 0u) << "a temporary left: " << entry.path();
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Batch Resize", "batchpath"), Folder()) << "the page in front stored its edit";
  EXPECT_EQ(StoredSetting("Batch Resize", "format"), "0");
}

// A destination marked read-only is refused before anything is written; a read-only picture in
// the destination is kept as it was when the run comes to it, the user is told, and the rest of
// the run goes on.
TEST_F(BatchProcessProgram, AReadOnlyDestinationIsRefusedAndAReadOnlyPictureInItKept) {
  const std::string out = Folder() + "\\out";
  std::string readOnly = out;
  ASSERT_TRUE(::SetFileAttributesA(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
  if (!(::GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY))
    readOnly = ReadOnlyDestination();  // Wine kept no attribute: a folder its owner may not write
  ASSERT_TRUE(::GetFileAttributesA(readOnly.c_str()) & FILE_ATTRIBUTE_READONLY) << readOnly;
  SettingsValues settings = Settings();
  settings["Batch Resize/batchpath"] = readOnly;
  const auto before = Stamps();
  RunningProgram program(settings, "");
  ASSERT_TRUE(ProcessAll(program, "3"));
  EXPECT_EQ(AnswerBox(IDOK), "The specified destination path does not exist,\nis not a directory, or is read only");
  EXPECT_FALSE(::FindWindowA(nullptr, "Batch Operation - Progress"));
  EXPECT_TRUE(fs::is_empty(readOnly));
  EXPECT_EQ(Stamps(), before);
  ::SetFileAttributesA(out.c_str(), FILE_ATTRIBUTE_NORMAL);
  // Nothing the user set was lost with the refusal: the sheet opens on the same destination.
  TypeKey('B', {VK_MENU});
  HWND sheet = WaitForAnyWindow("Batch process images");
  ASSERT_TRUE(sheet);
  ASSERT_TRUE(ShowSheetPage(sheet, 1));
  EXPECT_EQ(Text(SheetPage(sheet, 1), IDC_BATCH_PATH), readOnly);
  ::PostMessageA(sheet, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitUntilClosed(sheet));

  const std::string kept = out + "\\two.png";
  {
    std::ofstream(kept, std::ios::binary) << "the user's own two.png";
  }
  ASSERT_TRUE(::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY));
  const auto stamp = fs::last_write_time(kept);
  ProcessInto(out, true);
  EXPECT_EQ(AnswerFileExists(IDOK), kept);
  EXPECT_EQ(AnswerBox(IDYES), "Error writing image " + kept + "\nDo you want to continue");
  ASSERT_TRUE(WaitFor([] { return !::FindWindowA(nullptr, "Batch Operation - Progress"); }, 60000));
  EXPECT_FALSE(::FindWindowA("#32770", "Vireldan")) << "the run ended without a further message";
  std::ifstream in(kept, std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "the user's own two.png");
  EXPECT_EQ(fs::last_write_time(kept), stamp);
  EXPECT_TRUE(::GetFileAttributesA(kept.c_str()) & FILE_ATTRIBUTE_READONLY);
  for (const char* name : {"one.png", "three.png"}) {
    Cimage picture;
    picture.LoadImageA((folder_ / "out" / name).string().c_str(), 0, 0, 5);
    EXPECT_EQ(picture.m_width, 480) << name;
  }
  int files = 0;
  for (const auto& entry : fs::directory_iterator(folder_ / "out")) files += entry.is_regular_file();
  EXPECT_EQ(files, 3) << "no temporary left beside the pictures";
  ASSERT_TRUE(::SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL));
  ASSERT_TRUE(program.Close());
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
