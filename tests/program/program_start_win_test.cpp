// Vireldan.exe itself: start-up with a folder, the shell's DDE commands, the layout and the list
// of keys kept across a close and a new start.
#include <windows.h>
#include <dde.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "running_program.h"

namespace {

std::string WindowsPath(const std::filesystem::path& path) {
  std::string text = path.string();
  for (char& c : text)
    if (c == '/') c = '\\';
  return text;
}

// A fresh folder for the program to show; its Windows path.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    folder_ = std::filesystem::temp_directory_path() / (std::string("vireldan-program-") + test->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_ / "Sub");
    std::ofstream(folder_ / "picture.jpg", std::ios::binary) << "not really a picture";
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  SettingsValues Quiet() const { return {{"Main Options/tipson", "0"}, {"Main Options/mainpath", "C:\\"}}; }
  std::filesystem::path folder_;
};

TEST_F(ProgramTest, AFolderOnTheCommandLineBecomesTheFolderShownAndIsRemembered) {
  const std::string folder = WindowsPath(folder_ / "Sub");
  RunningProgram program(Quiet(), "\"" + folder + "\"");
  ASSERT_TRUE(program.Frame());
  EXPECT_TRUE(program.WaitForFolderShown(folder + "\\"));
  program.Settle();
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Main Options", "mainpath"), folder + "\\");
}

TEST_F(ProgramTest, WithoutArgumentsTheRememberedFolderIsShownAgain) {
  const std::string folder = WindowsPath(folder_);
  SettingsValues settings = Quiet();
  settings["Main Options/mainpath"] = folder;  // the folder change adds the backslash
  RunningProgram program(settings, "");
  ASSERT_TRUE(program.Frame());
  EXPECT_TRUE(program.WaitForFolderShown(folder + "\\"));
  program.Settle();
  ASSERT_TRUE(program.Close());
  EXPECT_EQ(StoredSetting("Main Options", "mainpath"), folder + "\\");
}

TEST_F(ProgramTest, ALayoutOutsideTheWindowIsClampedAndTheLayoutIsSavedOnClose) {
  SettingsValues settings = Quiet();
  settings["Frame Layout/left"] = "20";
  settings["Frame Layout/top"] = "30";
  settings["Frame Layout/right"] = "820";
  settings["Frame Layout/bottom"] = "630";
  settings["Frame Layout/leftpane"] = "5000";
  settings["Frame Layout/dirpaney"] = "3";
  RunningProgram program(settings, "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  RECT client = {};
  ::GetClientRect(program.Frame(), &client);
  ASSERT_TRUE(program.Close());

  EXPECT_EQ(StoredSetting("Frame Layout", "left"), "20");
  EXPECT_EQ(StoredSetting("Frame Layout", "top"), "30");
  EXPECT_EQ(StoredSetting("Frame Layout", "right"), "820");
  EXPECT_EQ(StoredSetting("Frame Layout", "bottom"), "630");
  const int leftPane = std::stoi(StoredSetting("Frame Layout", "leftpane"));
  EXPECT_GT(leftPane, 0);
  EXPECT_LE(leftPane, client.right - 25) << "the stored width was wider than the window";
  EXPECT_EQ(StoredSetting("Frame Layout", "dirpaney"), "100") << "a tree row below 10 starts at 100";
  EXPECT_EQ(StoredSetting("Frame Layout", "maximized"), "0");
  EXPECT_EQ(StoredSetting("Frame Layout", "statusbar"), "1");
  EXPECT_EQ(StoredSetting("Frame Layout", "toolbar"), "1");
}

// The keys "startup.iif" beside the program holds are read at start-up and written back at exit:
// bytes after the key records, which the program does not read, are gone afterwards.
TEST_F(ProgramTest, TheListOfKeysIsReadAtStartAndWrittenBackAtExit) {
  char module[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, module, MAX_PATH);
  const std::filesystem::path keyFile = std::filesystem::path(module).parent_path() / "startup.iif";
  // Header (magic, version 100, the tree at 32), then the top-level keys "B" and "A".
  const unsigned char header[32] = {0x54, 0xBC, 0x19, 0x15, 100, 0, 0, 0, 32};
  std::string keys(reinterpret_cast<const char*>(header), sizeof header);
  std::string b(44, '\0'), a(44, '\0');
  b[0] = 76;
  b[12] = 'B';
  a[12] = 'A';
  keys += b + a;
  ::SetFileAttributesA(keyFile.string().c_str(), FILE_ATTRIBUTE_NORMAL);
  std::ofstream(keyFile, std::ios::binary) << keys << "left over";

  SettingsValues settings = Quiet();
  settings["HiddenFiles/iif"] = "0";
  {
    RunningProgram program(settings, "");
    ASSERT_TRUE(program.Frame());
    program.Settle();
    ASSERT_TRUE(program.Close());
  }
  std::ifstream in(keyFile, std::ios::binary);
  const std::string written{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  EXPECT_EQ(written, keys);
}

// The shell's side of a DDE conversation with the running program.
class DdeClient {
 public:
  DdeClient() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = Receive;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "VireldanTestDdeClient";
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPED, 0, 0, 0, 0, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, LONG_PTR(this));
  }
  ~DdeClient() {
    if (server_) ::PostMessageA(server_, WM_DDE_TERMINATE, WPARAM(window_), 0);
    ::DestroyWindow(window_);
  }

  bool Connect(const char* application, const char* topic) {
    const ATOM app = ::GlobalAddAtomA(application), subject = ::GlobalAddAtomA(topic);
    ::SendMessageTimeoutA(HWND_BROADCAST, WM_DDE_INITIATE, WPARAM(window_), MAKELPARAM(app, subject), SMTO_ABORTIFHUNG,
                          5000, nullptr);
    ::GlobalDeleteAtom(app);
    ::GlobalDeleteAtom(subject);
    return server_ != nullptr;
  }

  // The server's answer to the command: 1 accepted, 0 refused, -1 no answer.
  int Execute(const std::string& command) {
    HGLOBAL text = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, command.size() + 1);
    memcpy(::GlobalLock(text), command.c_str(), command.size() + 1);
    ::GlobalUnlock(text);
    answer_ = -1;
    if (!::PostMessageA(server_, WM_DDE_EXECUTE, WPARAM(window_), LPARAM(text))) return -1;
    for (DWORD start = ::GetTickCount(); answer_ < 0 && ::GetTickCount() - start < 10000;) {
      MSG message;
      while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
      ::Sleep(10);
    }
    return answer_;
  }

 private:
  static LRESULT CALLBACK Receive(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<DdeClient*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != WM_DDE_ACK || !self) return ::DefWindowProcA(window, message, wParam, lParam);
    if (!self->server_) {  // the answer to the broadcast initiate
      self->server_ = reinterpret_cast<HWND>(wParam);
      ::GlobalDeleteAtom(LOWORD(lParam));
      ::GlobalDeleteAtom(HIWORD(lParam));
      return 0;
    }
    UINT_PTR status = 0, commands = 0;
    ::UnpackDDElParam(WM_DDE_ACK, lParam, &status, &commands);
    ::FreeDDElParam(WM_DDE_ACK, lParam);
    ::GlobalFree(reinterpret_cast<HGLOBAL>(commands));
    self->answer_ = (status & 0x8000) ? 1 : 0;
    return 0;
  }

  HWND window_ = nullptr;
  HWND server_ = nullptr;
  int answer_ = -1;
};

TEST_F(ProgramTest, TheShellsDdeCommandsAreAcceptedOrRefusedByTheirForm) {
  RunningProgram program(Quiet(), "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  {
    DdeClient client;
    ASSERT_TRUE(client.Connect("Vireldan", "System"));
    const std::string picture = WindowsPath(folder_ / "picture.jpg");
    EXPECT_EQ(client.Execute("open " + picture), 1);
    EXPECT_EQ(client.Execute("print " + picture), 1);
    EXPECT_EQ(client.Execute("open picture.jpg"), 0) << "a name without a folder";
    EXPECT_EQ(client.Execute("open \\picture.jpg"), 0) << "a backslash only at the start";
    EXPECT_EQ(client.Execute("open "), 0) << "shorter than 6 characters";
    EXPECT_EQ(client.Execute("Open " + picture), 0) << "commands are case-sensitive";
    EXPECT_EQ(client.Execute("[open(\"" + picture + "\")]"), 0);
  }
  {
    DdeClient stranger;
    EXPECT_FALSE(stranger.Connect("Vireldan", "Topics")) << "only the System topic answers";
  }
  EXPECT_TRUE(program.Close());
}

}  // namespace
