// VNSaver.scr started as the folder tree starts it (the file with " -s", and with nothing),
// from a folder of its own with Ravelight.dll and a "vnsaver" folder of real pictures.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "Cimage.h"
#include "slide_order_file.h"
#include "temp_folder.h"
#include "test_program_folder_win.h"
#include "thumb_list.h"

namespace {

std::string CorpusPicture(const char* name) {
  std::string path = std::string("Z:") + VIRELDAN_CORPUS_DIR + "/png/pngsuite/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// A visible top-level window of the process with the class, waited for while the process runs.
HWND WaitForWindow(HANDLE process, const char* windowClass) {
  const DWORD id = ::GetProcessId(process);
  for (int attempt = 0; attempt < 200; ++attempt) {
    for (HWND window = ::FindWindowExA(nullptr, nullptr, windowClass, nullptr); window;
         window = ::FindWindowExA(nullptr, window, windowClass, nullptr)) {
      DWORD owner = 0;
      ::GetWindowThreadProcessId(window, &owner);
      if (owner == id && ::IsWindowVisible(window)) return window;
    }
    if (::WaitForSingleObject(process, 50) == WAIT_OBJECT_0) break;
  }
  return nullptr;
}

// The colour the saver shows at the screen's centre for a picture fitted to the screen.
COLORREF CentreColourOf(const std::string& path, int screenWidth, int screenHeight) {
  Cimage picture;
  picture.LoadImageA(path.c_str(), screenWidth, screenHeight, 4);
  const unsigned rgb = picture.GetRGB(picture.m_width / 2, picture.m_height / 2);
  return RGB(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

BOOL CALLBACK CollectText(HWND child, LPARAM text) {
  char part[1024] = {};
  ::GetWindowTextA(child, part, sizeof part);
  *reinterpret_cast<std::string*>(text) += part;
  return TRUE;
}

class SaverTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    Cimage::S_Initialize();
    ::CreateDirectoryA(Pictures().c_str(), nullptr);
    for (const char* file : {"VNSaver.scr", "Ravelight.dll"})
      ASSERT_TRUE(::CopyFileA((TestProgramFolder() + "\\" + file).c_str(), (folder_.string() + "\\" + file).c_str(), FALSE))
          << file;
  }
  // As the folder tree's commands open the file: no owner, the parameter text as given.
  HANDLE Start(const char* parameters) {
    const std::string file = folder_.string() + "\\vnsaver.scr";
    SHELLEXECUTEINFOA execute = {};
    execute.cbSize = sizeof execute;
    execute.fMask = SEE_MASK_NOCLOSEPROCESS;
    execute.lpFile = file.c_str();
    execute.lpParameters = parameters;
    execute.nShow = SW_SHOWNORMAL;
    return ::ShellExecuteExA(&execute) ? execute.hProcess : nullptr;
  }
  // Waits for the process to end; its exit code, or -1 when it did not end.
  static int Ended(HANDLE process) {
    DWORD code = 0;
    if (::WaitForSingleObject(process, 30000) != WAIT_OBJECT_0) {
      ::TerminateProcess(process, 99);
      code = DWORD(-1);
    } else {
      ::GetExitCodeProcess(process, &code);
    }
    ::CloseHandle(process);
    return int(code);
  }

  std::string Pictures() const { return folder_.string() + "\\vnsaver"; }
};

TEST_F(SaverTest, FullScreenShowsTheFirstPictureOfTheSlideOrderFittedAndEndsOnAKey) {
  // "a.png" comes first by name; the slide order puts "b.png" first.
  ASSERT_TRUE(::CopyFileA(CorpusPicture("basn2c08.png").c_str(), (Pictures() + "\\a.png").c_str(), FALSE));
  ASSERT_TRUE(::CopyFileA(CorpusPicture("basn0g08.png").c_str(), (Pictures() + "\\b.png").c_str(), FALSE));
  {
    CThumbList order;
    order.AddTail()->name = "b.png";
    order.AddTail()->name = "a.png";
    int position = 0;
    for (CThumbItem* item = order.GetFirst(); item; item = order.GetNext()) item->slidePos = ++position;
    ASSERT_TRUE(WriteSlideOrder(Pictures() + "\\", order));
  }
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  const COLORREF first = CentreColourOf(Pictures() + "\\b.png", width, height);
  ASSERT_NE(first, CentreColourOf(Pictures() + "\\a.png", width, height)) << "the pictures must tell apart";

  HANDLE saver = Start(" -s");
  ASSERT_TRUE(saver);
  const HWND window = WaitForWindow(saver, "VNSaverWindow");
  ASSERT_TRUE(window) << "no full-screen window";
  RECT area = {};
  ::GetWindowRect(window, &area);
  EXPECT_EQ(area.left, 0);
  EXPECT_EQ(area.top, 0);
  EXPECT_EQ(area.right, width);
  EXPECT_EQ(area.bottom, height);
  HDC screen = ::GetDC(nullptr);
  COLORREF shown = CLR_INVALID;
  for (int attempt = 0; attempt < 100 && shown != first; ++attempt) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW);
    shown = ::GetPixel(screen, width / 2, height / 2);
    if (shown != first) ::WaitForSingleObject(saver, 50);
  }
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(shown, first) << "the centre of the screen is not the slide order's first picture";

  ::PostMessageA(window, WM_KEYDOWN, VK_SHIFT, 0);
  EXPECT_EQ(Ended(saver), 0) << "a key did not end the saver";
}

TEST_F(SaverTest, WithoutParametersItTellsWhichFolderItShows) {
  HANDLE saver = Start(nullptr);
  ASSERT_TRUE(saver);
  const HWND box = WaitForWindow(saver, "#32770");
  ASSERT_TRUE(box) << "no settings box";
  std::string text;
  ::EnumChildWindows(box, CollectText, LPARAM(&text));
  EXPECT_NE(text.find(Pictures() + "\\"), std::string::npos) << text;
  EXPECT_NE(text.find("6 seconds"), std::string::npos) << text;
  ::PostMessageA(box, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Ended(saver), 0);
}

}  // namespace
