// Scanning in the real program through the fake source manager of the test tree: pictures saved
// as the next numbered files of the folder shown or opened in image windows, the commands refused
// while a source is open, a failing transfer and a failing save.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <fstream>
#include <string>
#include <vector>

#include "command_ids.h"
#include "fake_twain.h"
#include "running_program.h"
#include "ui_driver.h"

namespace fs = std::filesystem;

namespace {

bool Logged(const std::string& line) {
  for (const std::string& logged : FakeTwainLog())
    if (logged == line) return true;
  return false;
}

// The program's message box with the caption; null when none came.
HWND WaitForProgramMessage(const char* caption, DWORD milliseconds = 20000) {
  HWND box = nullptr;
  WaitFor([&] { return (box = ::FindWindowA("#32770", caption)) != nullptr; }, milliseconds);
  return box;
}

// The box's text, answered with OK.
std::string Answer(HWND box) {
  if (!box) return "(no message box)";
  char text[512] = {};
  ::GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  return text;
}

std::string AnswerProgramMessage(const char* caption) { return Answer(WaitForProgramMessage(caption)); }

// The user closes the scanner's own window.
void CloseScanner(const RunningProgram& program) {
  HWND scanner = program.WaitForWindow("Fake Scanner");
  ASSERT_TRUE(scanner);
  ::PostMessageA(scanner, ::RegisterWindowMessageA("FakeTwainClose"), 0, 0);
}

std::vector<std::string> LogAfterOpening() {
  const std::vector<std::string> log = FakeTwainLog();
  return log.empty() ? log : std::vector<std::string>(log.begin() + 1, log.end());
}

// A scan shown in a window was never saved: the exit asks, and No lets it go.
bool CloseDroppingTheScan(RunningProgram& program) {
  ::PostMessageA(program.Frame(), WM_CLOSE, 0, 0);
  return program.AnswerDialog("Save modified image?", IDCANCEL) != "(no dialog)" && program.Close();
}

class TwainProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fake_.Installed());
    folder_ = fs::temp_directory_path() / "vireldan-program-twain";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  SettingsValues Settings(const std::string& mode, const std::string& prefix, int format, int index = 1) const {
    SettingsValues settings = FolderInSmallThumbnails(folder_.string() + "\\");
    settings["TWAINDest/mode"] = mode;
    settings["TWAINDest/filename"] = prefix;
    settings["TWAINDest/index"] = std::to_string(index);
    settings["TWAINDest/format"] = std::to_string(format);
    return settings;
  }

  // Starts the program on the folder and gives the Acquire command.
  std::unique_ptr<RunningProgram> Acquire(const SettingsValues& settings) const {
    auto program = std::make_unique<RunningProgram>(settings, "");
    EXPECT_TRUE(program->Frame());
    EXPECT_TRUE(program->WaitForFolderShown(folder_.string() + "\\"));
    ::PostMessageA(program->Frame(), WM_COMMAND, ID_TWAIN_ACQUIRE, 0);
    return program;
  }

  InstalledFakeTwain fake_;
  fs::path folder_;
};

TEST_F(TwainProgram, ScansAreSavedUnderTheNextFreeNumbersOfTheFolderShown) {
  std::ofstream(folder_ / "TWAIN1.JPG") << "taken";
  std::ofstream(folder_ / "TWAIN2.JPG") << "taken";
  WriteScanScript({2, 0, 0, 1});
  const auto program = Acquire(Settings("1", "TWAIN", 0));
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
  EXPECT_TRUE(fs::file_size(folder_ / "TWAIN3.JPG") > 0);
  EXPECT_TRUE(fs::file_size(folder_ / "TWAIN4.JPG") > 0);
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(StoredSetting("TWAINDest", "index"), "5");
  const std::vector<std::string> log = FakeTwainLog();
  ASSERT_FALSE(log.empty());
  EXPECT_EQ(log.front(), "OPENDSM Vireldan|Ashgrove Software|Vireldan image browser|Version 5.2 5.2 protocol 1.6 groups 3 parent");
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
            (std::vector<std::string>{"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=1",
                                      "GET 2 done", "ENDXFER pending=0", "CLOSEDSREQ", "DISABLEDS", "CLOSEDS",
                                      "CLOSEDSM"}));
}

TEST_F(TwainProgram, FormatThreeSavesBmpAndTheScanningCommandsWaitWhileTheSourceIsOpen) {
  WriteScanScript({1, 0, 0, 0});
  const auto program = Acquire(Settings("1", "scan", 3));
  ASSERT_TRUE(WaitFor([&] { return fs::exists(folder_ / "scan1.BMP") && program->WaitForWindow("Fake Scanner", 0); }));
  // The source stays open until its own window closes; meanwhile the commands do nothing.
  for (UINT command : {ID_TWAIN_ACQUIRE, ID_TWAIN_SOURCE})
    ::PostMessageA(program->Frame(), WM_COMMAND, command, 0);
  CloseScanner(*program);
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
  std::ifstream bmp(folder_ / "scan1.BMP", std::ios::binary);
  char header[26] = {};
  bmp.read(header, sizeof header);
  EXPECT_EQ(std::string(header, 2), "BM");
  EXPECT_EQ(*reinterpret_cast<const int32_t*>(header + 18), 40);
  EXPECT_EQ(*reinterpret_cast<const int32_t*>(header + 22), 30);
  ASSERT_TRUE(program->Close());
  const std::vector<std::string> log = FakeTwainLog();
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
            (std::vector<std::string>{"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=0",
                                      "CLOSEDSREQ", "DISABLEDS", "CLOSEDS", "CLOSEDSM"}));
}

// The source's close request comes while the program's message box is up: the box's own loop
// hands it to the connection too.
TEST_F(TwainProgram, AFailingTransferIsToldAndTheSourceIsResetAfterThePictureBeforeItOpened) {
  WriteScanScript({2, 2, 0, 0});
  const auto program = Acquire(Settings("0", "TWAIN", 0));
  const HWND box = WaitForProgramMessage("Vireldan");
  ASSERT_TRUE(box);
  CloseScanner(*program);
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 20000)) << "the close request was lost under the box";
  EXPECT_TRUE(::IsWindow(box));
  EXPECT_EQ(Answer(box), "A TWAIN error occurred.");
  EXPECT_TRUE(program->WaitForWindowStartingWith("untitled.jpg 40 X 30"));
  EXPECT_TRUE(fs::is_empty(folder_)) << "an opened scan is not saved";
  const std::vector<std::string> log = FakeTwainLog();
  EXPECT_EQ(std::vector<std::string>(log.begin() + 1, log.end()),
            (std::vector<std::string>{"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done", "ENDXFER pending=1",
                                      "GET 2 failed", "RESET", "CLOSEDSREQ", "DISABLEDS", "CLOSEDS"}));
  ASSERT_TRUE(CloseDroppingTheScan(*program));
}

TEST_F(TwainProgram, AScanThatCannotBeSavedIsToldAndShownInAWindow) {
  WriteScanScript({1, 0, 0, 0});
  const auto program = Acquire(Settings("1", "no such folder\\TWAIN", 0));
  const std::string told = AnswerProgramMessage("Vireldan");
  EXPECT_EQ(told.rfind("The scanned picture could not be saved as\n", 0), 0u) << told;
  EXPECT_NE(told.find("no such folder\\TWAIN1.JPG\nIt is shown in a new window instead."), std::string::npos) << told;
  EXPECT_TRUE(program->WaitForWindowStartingWith("untitled.jpg 40 X 30"));
  CloseScanner(*program);
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
  ASSERT_TRUE(CloseDroppingTheScan(*program));
}

TEST_F(TwainProgram, EventsTheSourcePostsToTheThreadReachTheConnection) {
  WriteScanScript({1, 0, 0, 1, 1});
  const auto program = Acquire(Settings("1", "TWAIN", 0));
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
  EXPECT_TRUE(fs::exists(folder_ / "TWAIN1.JPG"));
  ASSERT_TRUE(program->Close());
  EXPECT_EQ(LogAfterOpening(), (std::vector<std::string>{"OPENDS", "ENABLEDS showui=1", "XFERREADY", "GET 1 done",
                                                         "ENDXFER pending=0", "CLOSEDSREQ", "DISABLEDS", "CLOSEDS",
                                                         "CLOSEDSM"}));
}

// A source that cannot be opened or enabled is told, and the connection is back where it was:
// the next Acquire scans.
TEST_F(TwainProgram, ASourceThatCannotBeOpenedOrEnabledIsToldAndTheNextScanWorks) {
  const struct {
    ScanScript refusing;
    std::vector<std::string> calls;
  } kCases[] = {
      {{1, 0, 0, 1, 0, 0, 1, 0}, {"OPENDS failed"}},
      {{1, 0, 0, 1, 0, 0, 0, 1}, {"OPENDS", "ENABLEDS failed", "CLOSEDS"}},
  };
  for (const auto& refused : kCases) {
    fs::remove(folder_ / "TWAIN1.JPG");
    WriteScanScript(refused.refusing);
    const auto program = Acquire(Settings("1", "TWAIN", 0));
    EXPECT_EQ(AnswerProgramMessage("Vireldan"), "A TWAIN error occurred.");
    EXPECT_TRUE(WaitFor([&] { return FakeTwainLog().size() > refused.calls.size(); }, 5000));
    EXPECT_EQ(LogAfterOpening(), refused.calls);
    WriteScanScript({1, 0, 0, 1});
    ::PostMessageA(program->Frame(), WM_COMMAND, ID_TWAIN_ACQUIRE, 0);
    EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
    EXPECT_TRUE(fs::exists(folder_ / "TWAIN1.JPG"));
    ASSERT_TRUE(program->Close());
  }
}

// Without a source manager the commands do nothing and nothing is said.
TEST_F(TwainProgram, WithoutTheSourceManagerTheCommandsDoNothing) {
  ASSERT_TRUE(fake_.Remove());
  const auto program = Acquire(Settings("1", "TWAIN", 0));
  for (UINT command : {ID_TWAIN_SOURCE, ID_TWAIN_DESTINATION})
    ::PostMessageA(program->Frame(), WM_COMMAND, command, 0);
  EXPECT_FALSE(WaitForProgramMessage("Vireldan", 3000) || program->WaitForWindow("TWAIN destination", 1000));
  EXPECT_TRUE(FakeTwainLog().empty());
  EXPECT_TRUE(fs::is_empty(folder_));
  ASSERT_TRUE(program->Close());
}

TEST_F(TwainProgram, WhenNoNumberIsLeftTheScanIsToldAndShownInAWindow) {
  std::ofstream(folder_ / "TWAIN99999999.JPG") << "taken";
  WriteScanScript({1, 0, 0, 0});
  const auto program = Acquire(Settings("1", "TWAIN", 0, 99999999));
  EXPECT_EQ(AnswerProgramMessage("Vireldan"),
            "The scanned picture could not be saved: no file number from 99999999 to 99999999 is free.\nChoose a "
            "lower next index with Select Destination. It is shown in a new window instead.");
  EXPECT_TRUE(program->WaitForWindowStartingWith("untitled.jpg 40 X 30"));
  CloseScanner(*program);
  EXPECT_TRUE(WaitFor([] { return Logged("CLOSEDS"); }, 30000));
  ASSERT_TRUE(CloseDroppingTheScan(*program));
  EXPECT_EQ(StoredSetting("TWAINDest", "index"), "99999999");
  EXPECT_FALSE(fs::exists(folder_ / "TWAIN100000000.JPG"));
}

}  // namespace
