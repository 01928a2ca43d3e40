// The built "Vireldan.hlp" opened as the program opens it: WinHelp starts Windows' help viewer,
// which shows the topic of the context number (Using Help, Warranty, an e-mail window's topic) or
// the first topic for Help Topics and the index, in a window titled with the file's title.
#include <gtest/gtest.h>
#include <windows.h>

#include <cctype>
#include <string>

namespace {

std::string HelpFile() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder = path;
  return folder.substr(0, folder.rfind('\\')) + "\\Vireldan.hlp";
}

std::string Text(HWND window) {
  char text[8192] = {};
  DWORD_PTR length = 0;
  ::SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, LPARAM(text), SMTO_ABORTIFHUNG, 5000, &length);
  return text;
}

struct HelpWindow {
  HWND frame = nullptr;
  std::string caption;
  std::string topic;  // the text of its topic pane
};

BOOL CALLBACK FindTopicPane(HWND child, LPARAM context) {
  char name[64] = {};
  ::GetClassNameA(child, name, sizeof name);
  std::string lower = name;
  for (char& c : lower) c = char(std::tolower(static_cast<unsigned char>(c)));
  if (lower.rfind("richedit", 0) != 0) return TRUE;
  reinterpret_cast<HelpWindow*>(context)->topic = Text(child);
  return FALSE;
}

// The viewer's caption is its own ("Wine Help" there), so the window is known by its topic pane.
BOOL CALLBACK FindHelpWindow(HWND window, LPARAM context) {
  HelpWindow& help = *reinterpret_cast<HelpWindow*>(context);
  if (!::IsWindowVisible(window)) return TRUE;
  ::EnumChildWindows(window, FindTopicPane, context);
  if (help.topic.empty()) return TRUE;
  char caption[512] = {};
  ::GetWindowTextA(window, caption, sizeof caption);
  help.frame = window;
  help.caption = caption;
  return FALSE;
}

// The help window once its topic pane begins with the heading, or what was last seen of it.
HelpWindow WaitForTopic(const std::string& heading) {
  HelpWindow help;
  for (int attempt = 0; attempt < 600; ++attempt) {
    help = HelpWindow();
    ::EnumWindows(FindHelpWindow, LPARAM(&help));
    if (help.topic.rfind(heading, 0) == 0) break;
    ::Sleep(50);
  }
  return help;
}

bool WaitUntilGone(HWND window) {
  for (int attempt = 0; attempt < 600 && ::IsWindow(window); ++attempt) ::Sleep(50);
  return !::IsWindow(window);
}

// The viewer outlives its caller unless told to quit, and would hold the test's output open.
struct ViewerQuit {
  HWND owner;
  std::string file;
  ~ViewerQuit() { ::WinHelpA(owner, file.c_str(), HELP_QUIT, 0); }
};

TEST(WinHelpViewer, OpensTheProgramsTopics) {
  const HWND owner = ::CreateWindowA("STATIC", "help owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  const std::string file = HelpFile();
  const ViewerQuit quit{owner, file};
  ASSERT_NE(::GetFileAttributesA(file.c_str()), INVALID_FILE_ATTRIBUTES) << file;
  const struct { UINT command; DWORD data; const char* heading; const char* text; } cases[] = {
      {HELP_CONTEXT, 98342, "Using Help", "Help Topics on the Help menu lists the topics of this help."},
      {HELP_CONTEXT, 98450, "Warranty", "Vireldan is provided \"as is\", without warranty of any kind."},
      {HELP_CONTEXT, 0x21003, "The address book", "New adds an entry"},
      {HELP_CONTEXT, 0x200AC, "When a file is already there", "Skip leaves both files as they are"},
      {HELP_FINDER, 0, "What Vireldan is", "Vireldan is an image browser"},
      {HELP_INDEX, 0, "What Vireldan is", "Help Topics"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.heading);
    ASSERT_TRUE(::WinHelpA(owner, file.c_str(), c.command, c.data));
    const HelpWindow help = WaitForTopic(c.heading);
    ASSERT_NE(help.frame, nullptr) << "no help window";
    EXPECT_NE(help.caption.find("Help"), std::string::npos) << help.caption;
    EXPECT_EQ(help.topic.rfind(c.heading, 0), 0u) << help.topic;
    EXPECT_NE(help.topic.find(c.text), std::string::npos) << help.topic;
    ::WinHelpA(owner, file.c_str(), HELP_QUIT, 0);
    EXPECT_TRUE(WaitUntilGone(help.frame));
  }
}

}  // namespace
