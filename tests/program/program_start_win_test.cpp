// Vireldan.exe itself: start-up with a folder (also in Unix form, and falling back to the
// remembered one), the shell's DDE commands, printing a picture the shell names (on the test
// printer), drives that come and go, the layout and the list of keys kept across a close and a
// new start.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <dde.h>

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "command_ids.h"
#include "missing_files.h"
#include "running_program.h"
#include "ui_driver.h"
#include "viewer_pictures.h"

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

// The current folder of this process for the life of the object; the program started meanwhile
// inherits it.
class CurrentFolder {
 public:
  explicit CurrentFolder(const std::string& folder) {
    ::GetCurrentDirectoryA(MAX_PATH, previous_);
    ::SetCurrentDirectoryA(folder.c_str());
  }
  ~CurrentFolder() { ::SetCurrentDirectoryA(previous_); }

 private:
  char previous_[MAX_PATH] = {};
};

// Started from a Unix shell under Wine, the program is given Unix paths; Wine's Z: drive is the
// Unix root, so a folder under /tmp has a path there in both forms.
class UnixPathTest : public ProgramTest {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    // Other checkouts may run this test at the same time under the same /tmp.
    name_ = std::string("vireldan-unix-") + test->name() + "-" + std::to_string(std::random_device{}());
    folder_ = std::filesystem::path("Z:\\tmp") / name_;
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
    if (!std::filesystem::create_directories(folder_ / "photos", ignored)) GTEST_SKIP() << "no Z: drive at /";
  }
  std::string Unix(const std::string& relative) const { return "/tmp/" + name_ + "/" + relative; }
  std::string name_;
};

// A folder on the command line in Unix form opens that folder; a path the shell cannot take
// opens the remembered folder instead, and the program neither crashes nor hangs.
TEST_F(UnixPathTest, ACommandLinePathOpensItsFolderOrTheRememberedOne) {
  const std::string photos = WindowsPath(folder_ / "photos") + "\\";
  const std::string remembered = WindowsPath(folder_) + "\\";
  SettingsValues settings = Quiet();
  settings["Main Options/mainpath"] = remembered;
  const struct {
    std::string argument;
    std::string shown;
  } cases[] = {
      {"\"" + Unix("photos") + "\"", photos},
      {"\"" + Unix("photos/") + "\"", photos},
      {"\"" + Unix("photos//") + "\"", photos},
      {"\"" + Unix("x/../photos/.") + "\"", photos},
      {"\"" + Unix("missing") + "\"", remembered},
      {"\"\\\\?\\" + WindowsPath(folder_ / "photos") + "\"", remembered},  // not a plain path
      {"\"" + Unix("photos/*") + "\"", remembered},
      {"NUL", remembered},
      {"\"\"", remembered},
  };
  CurrentFolder inside("Z:\\");
  for (const auto& c : cases) {
    RunningProgram program(settings, c.argument);
    ASSERT_TRUE(program.Frame()) << c.argument;
    EXPECT_TRUE(program.WaitForFolderShown(c.shown)) << c.argument;
    program.Settle();
    ASSERT_TRUE(program.Close()) << c.argument << ": the program did not end normally";
    EXPECT_EQ(StoredSetting("Main Options", "mainpath"), c.shown) << c.argument;
  }
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

BOOL CALLBACK MatchVisibleTree(HWND window, LPARAM found) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof className);
  if (std::string(className) != WC_TREEVIEWA || !::IsWindowVisible(window)) return TRUE;
  *reinterpret_cast<HWND*>(found) = window;
  return FALSE;
}

// The program's folder tree (the visible tree view; the hidden Key view is one too).
HWND FolderTree(HWND frame) {
  HWND found = nullptr;
  ::EnumChildWindows(frame, MatchVisibleTree, LPARAM(&found));
  return found;
}

// What the system tells every window when a drive's medium comes or goes.
LRESULT SendDeviceChange(HWND frame, WPARAM event, DWORD deviceType, DWORD units) {
  DEV_BROADCAST_VOLUME volume = {};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = deviceType;
  volume.dbcv_unitmask = units;
  DWORD_PTR result = 0;
  ::SendMessageTimeoutA(frame, WM_DEVICECHANGE, event, LPARAM(&volume), SMTO_NORMAL, 10000, &result);
  return LRESULT(result);
}

TEST_F(ProgramTest, AVolumeThatComesOrGoesIsForgottenByTheFolderTree) {
  RunningProgram program(Quiet(), "\"" + WindowsPath(folder_ / "Sub") + "\"");
  ASSERT_TRUE(program.Frame());
  EXPECT_TRUE(program.WaitForFolderShown(WindowsPath(folder_ / "Sub") + "\\"));
  program.Settle();
  const HWND tree = FolderTree(program.Frame());
  ASSERT_TRUE(tree);
  const LRESULT expanded = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
  const DWORD drive = DWORD(1) << (std::toupper(folder_.string()[0]) - 'A');
  const struct {
    const char* name;
    WPARAM event;
    DWORD deviceType;
    bool forgets;
  } cases[] = {
      {"a port arrived", DBT_DEVICEARRIVAL, DBT_DEVTYP_PORT, false},
      {"a removal is asked for", DBT_DEVICEQUERYREMOVE, DBT_DEVTYP_VOLUME, false},
      {"the volume arrived", DBT_DEVICEARRIVAL, DBT_DEVTYP_VOLUME, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SendDeviceChange(program.Frame(), c.event, c.deviceType, drive), TRUE) << c.name;
    program.Settle();
    const LRESULT count = ::SendMessageA(tree, TVM_GETCOUNT, 0, 0);
    if (c.forgets) {
      EXPECT_LT(count, expanded) << c.name << ": the drive's folders are still there";
    } else {
      EXPECT_EQ(count, expanded) << c.name;
    }
  }
  EXPECT_TRUE(program.Close());
}

TEST_F(ProgramTest, ALayoutOutsideTheWindowIsClampedAndTheLayoutIsSavedOnClose) {
  SettingsValues settings = Quiet();
  settings["Frame Layout/left"] = "20";
  settings["Frame Layout/top"] = "30";
  settings["Frame Layout/right"] = "820";
  settings["Frame Layout/bottom"] = "630";
  settings["Frame Layout/leftpane"] = "5000";
  settings["Frame Layout/dirpaney"] = "3";
  settings["Frame Layout/preview_x"] = "40";
  settings["Frame Layout/preview_y"] = "60";
  settings["Frame Layout/preview_w"] = "250";
  settings["Frame Layout/preview_h"] = "180";
  RunningProgram program(settings, "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  RECT client = {};
  ::GetClientRect(program.Frame(), &client);
  // The preview pop-up waits, hidden and always on top, where the settings put it.
  const HWND preview = ::FindWindowA(nullptr, "Preview");
  ASSERT_TRUE(preview);
  EXPECT_FALSE(::IsWindowVisible(preview));
  EXPECT_TRUE(::GetWindowLongA(preview, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(::GetWindow(preview, GW_OWNER), program.Frame());
  RECT placed = {};
  ::GetWindowRect(preview, &placed);
  EXPECT_EQ(placed.left, 40);
  EXPECT_EQ(placed.bottom - placed.top, 180);
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
  EXPECT_EQ(StoredSetting("Frame Layout", "preview_x"), "40");
  EXPECT_EQ(StoredSetting("Frame Layout", "preview_y"), "60");
  EXPECT_EQ(StoredSetting("Frame Layout", "preview_w"), "250");
  EXPECT_EQ(StoredSetting("Frame Layout", "preview_h"), "180");
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

struct DialogSearch {
  const std::string &caption, &text;
  HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<DialogSearch*>(data);
  char caption[256] = {}, text[512] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  ::GetDlgItemTextA(window, 0xFFFF, text, sizeof text);
  if (!::IsWindowVisible(window) || (!search->caption.empty() && search->caption != caption) ||
      (!search->text.empty() && search->text != text))
    return TRUE;
  search->found = window;
  return FALSE;
}

// A dialog of the program: a top-level window of another process with the caption, or a message
// box with the text.
HWND WaitForProgramDialog(const std::string& caption, const std::string& text = "") {
  DialogSearch search = {caption, text, nullptr};
  for (DWORD start = ::GetTickCount(); !search.found && ::GetTickCount() - start < 30000; ::Sleep(20))
    ::EnumWindows(MatchDialog, LPARAM(&search));
  return search.found;
}

void Press(HWND dialog, int id) { ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// The test printer's port: the file Wine's PostScript driver writes each printed job into.
const char kPrinterPort[] = "C:\\vireldan-test-printer.ps";

// The user presses Print in the program's page layout; then a job reaches the printer.
::testing::AssertionResult PrintsFromThePageLayout() {
  HWND layout = WaitForProgramDialog("Page Layout");
  if (!layout) return ::testing::AssertionFailure() << "no page layout";
  Press(layout, IDOK);
  for (DWORD start = ::GetTickCount(); ::GetTickCount() - start < 30000; ::Sleep(20))
    if (::GetFileAttributesA(kPrinterPort) != INVALID_FILE_ATTRIBUTES) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "nothing printed";
}

// A picture of 2 x 1 pixels as a 24-bit BMP.
void WriteBmp(const std::filesystem::path& path) {
  const unsigned char bytes[] = {'B', 'M', 62, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0, 40, 0, 0, 0, 2, 0, 0, 0, 1, 0,
                                 0,   0,   1,  0, 24, 0, 0, 0, 0, 0, 8, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                                 0,   0,   0,  0, 0, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

TEST_F(ProgramTest, APictureTheShellNamesIsLaidOutAndPrinted) {
  const std::string picture = WindowsPath(folder_ / "print me.bmp");
  WriteBmp(folder_ / "print me.bmp");
  {
    ::DeleteFileA(kPrinterPort);
    SettingsValues tips = Quiet();
    tips["Main Options/tipson"] = "1";
    RunningProgram program(tips, "/p \"" + picture + "\"");
    ASSERT_TRUE(program.Frame());
    EXPECT_TRUE(PrintsFromThePageLayout()) << "the command line's print request";
    program.Settle();
    EXPECT_FALSE(::FindWindowA(nullptr, "Tip of the Day")) << "no start-up tip when started to print";
    EXPECT_TRUE(program.Close());
  }
  RunningProgram program(Quiet(), "");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  DdeClient client;
  ASSERT_TRUE(client.Connect("Vireldan", "System"));
  ::DeleteFileA(kPrinterPort);
  EXPECT_EQ(client.Execute("print " + picture), 1) << "answered before the user lays out the page";
  EXPECT_TRUE(PrintsFromThePageLayout());
  EXPECT_TRUE(program.Close());
}

TEST_F(ProgramTest, PrintPrintsTheOneSelectedThumbnail) {
  WriteBmp(folder_ / "Sub" / "only.bmp");
  const std::string folder = WindowsPath(folder_ / "Sub");
  RunningProgram program(Quiet(), "\"" + folder + "\"");
  ASSERT_TRUE(program.Frame());
  ASSERT_TRUE(program.WaitForFolderShown(folder + "\\"));
  program.Settle();
  HWND view = ::FindWindowExA(program.Frame(), nullptr, "VireldanThumbnailView", nullptr);
  for (HWND pane = ::GetWindow(program.Frame(), GW_CHILD); !view && pane; pane = ::GetWindow(pane, GW_HWNDNEXT))
    view = ::FindWindowExA(pane, nullptr, "VireldanThumbnailView", nullptr);
  ASSERT_TRUE(view);
  ::SendMessageA(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));  // on the first thumbnail
  ::SendMessageA(view, WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
  ::DeleteFileA(kPrinterPort);
  ::PostMessageA(program.Frame(), WM_COMMAND, MAKEWPARAM(ID_FILE_PRINT, 0), 0);
  EXPECT_TRUE(PrintsFromThePageLayout());
  EXPECT_TRUE(program.Close());
}

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
  // The file printed above is no picture: the program says so and prints nothing.
  HWND failed = WaitForProgramDialog("", "Error reloading image");
  ASSERT_TRUE(failed);
  Press(failed, IDOK);
  {
    DdeClient stranger;
    EXPECT_FALSE(stranger.Connect("Vireldan", "Topics")) << "only the System topic answers";
  }
  EXPECT_TRUE(program.Close());
}

// The start-up tip draws as soon as it is shown, also while the thumbnails of a folder of
// photographs are still being made: it is visible with nothing of it left to paint.
TEST_F(ProgramTest, TheStartUpTipDrawsWhileTheThumbnailsLoad) {
  const std::string flower = FlowerPhotoPath();
  if (flower.empty()) SKIP_OR_FAIL_MISSING("libjxl-testdata's flower photograph is not installed");
  for (int i = 0; i < 40; ++i)
    std::filesystem::copy_file(flower, folder_ / ("photo " + std::to_string(i) + ".jpg"));
  SettingsValues settings = Quiet();
  settings["Main Options/tipson"] = "1";
  settings["Main Options/mainpath"] = WindowsPath(folder_) + "\\";
  RunningProgram program(settings, "");
  ASSERT_TRUE(program.Frame());
  const HWND tip = program.WaitForWindow("Tip of the Day");
  ASSERT_TRUE(tip);
  bool drawn = false;
  for (DWORD start = ::GetTickCount(); !drawn && ::GetTickCount() - start < 30000; ::Sleep(20))
    drawn = ::IsWindowVisible(tip) && !::GetUpdateRect(tip, nullptr, FALSE);
  EXPECT_TRUE(drawn);
  Press(tip, IDOK);
  EXPECT_TRUE(program.Close());
}

// Started from the command line for a picture, the program opens it at its first idle moment and
// takes the shell's DDE "open" of that picture as the start's own; any other command that comes
// first is the user's: a print the shell asks for next is carried out, not passed over.
TEST_F(ProgramTest, AStartForAPictureStillCarriesOutTheShellsNextPrint) {
  const std::string picture = WindowsPath(folder_ / "started.bmp");
  WriteBmp(folder_ / "started.bmp");
  RunningProgram program(Quiet(), "\"" + picture + "\"");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  DdeClient client;
  ASSERT_TRUE(client.Connect("Vireldan", "System"));
  ::DeleteFileA(kPrinterPort);
  EXPECT_EQ(client.Execute("print " + picture), 1);
  EXPECT_TRUE(PrintsFromThePageLayout());
  EXPECT_EQ(client.Execute("open " + picture), 1);
  EXPECT_TRUE(program.Close());
}

struct ImageWindowSearch {
  DWORD process;
  std::string prefix;
  int found;
};

BOOL CALLBACK CountImageWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ImageWindowSearch*>(data);
  DWORD process = 0;
  char caption[300] = {};
  ::GetWindowThreadProcessId(window, &process);
  ::GetWindowTextA(window, caption, sizeof caption);
  if (process == search->process && ::IsWindowVisible(window) && std::string(caption).rfind(search->prefix, 0) == 0)
    ++search->found;
  return TRUE;
}

// The visible image windows of the program that show the file (their captions start with its name).
int ImageWindowsOf(HWND frame, const std::string& name) {
  ImageWindowSearch search = {0, name + " ", 0};
  ::GetWindowThreadProcessId(frame, &search.process);
  ::EnumWindows(CountImageWindow, LPARAM(&search));
  return search.found;
}

// A shell that starts the program for a picture may send its DDE "open" as well: the picture opens
// once; an open the user asks for later opens it again.
TEST_F(ProgramTest, AStartForAPictureOpensItOnceAlsoWhenTheShellSendsItsOpen) {
  const std::string picture = WindowsPath(folder_ / "started.bmp");
  WriteBmp(folder_ / "started.bmp");
  RunningProgram program(Quiet(), "\"" + picture + "\"");
  ASSERT_TRUE(program.Frame());
  program.Settle();
  ASSERT_TRUE(WaitFor([&] { return ImageWindowsOf(program.Frame(), "started.bmp") == 1; }));
  DdeClient client;
  ASSERT_TRUE(client.Connect("Vireldan", "System"));
  EXPECT_EQ(client.Execute("open " + picture), 1);
  program.Settle();
  EXPECT_EQ(ImageWindowsOf(program.Frame(), "started.bmp"), 1);
  EXPECT_EQ(client.Execute("open " + picture), 1);
  EXPECT_TRUE(WaitFor([&] { return ImageWindowsOf(program.Frame(), "started.bmp") == 2; }));
  EXPECT_TRUE(program.Close());
}

}  // namespace
