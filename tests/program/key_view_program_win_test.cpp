// The Key view in Vireldan.exe: hidden at start, shown by its toggle in the row below the folder
// tree with the keys "startup.iif" brought, a key made there is kept in "startup.iif" at exit.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "command_ids.h"
#include "running_program.h"

namespace {

namespace fs = std::filesystem;

constexpr int kKeyViewPaneId = 0xE910;  // the inner splitter's second row

// The key file beside the program, written for the test and taken away afterwards.
class StartupKeys {
 public:
  StartupKeys() {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    path_ = fs::path(module).parent_path() / "startup.iif";
    ::SetFileAttributesA(path_.string().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  ~StartupKeys() {
    std::error_code ignored;
    fs::remove(path_, ignored);
  }
  // The top-level keys, each record linked to the next.
  void Write(const std::vector<std::string>& names) {
    const unsigned char header[32] = {0x54, 0xBC, 0x19, 0x15, 100, 0, 0, 0, 32};
    std::string bytes(reinterpret_cast<const char*>(header), sizeof header);
    for (size_t i = 0; i < names.size(); ++i) {
      std::string record(44, '\0');
      if (i + 1 < names.size()) record[0] = char(32 + 44 * (i + 1));
      record.replace(12, names[i].size(), names[i]);
      bytes += record;
    }
    std::ofstream(path_, std::ios::binary) << bytes;
  }
  std::string Read() const {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }

 private:
  fs::path path_;
};

BOOL CALLBACK FindKeyTree(HWND window, LPARAM found) {
  char type[64] = {};
  ::GetClassNameA(window, type, sizeof type);
  if (std::string(type) == WC_TREEVIEWA && ::GetDlgCtrlID(::GetParent(window)) == kKeyViewPaneId) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

HWND KeyTree(HWND frame) {
  HWND found = nullptr;
  ::EnumChildWindows(frame, FindKeyTree, reinterpret_cast<LPARAM>(&found));
  return found;
}

int ItemCount(HWND tree) { return int(::SendMessageA(tree, TVM_GETCOUNT, 0, 0)); }

TEST(KeyViewProgram, TheToggleShowsTheKeysAndANewKeyIsKeptAtExit) {
  const fs::path folder = fs::temp_directory_path() / "vireldan-key-view-program";
  fs::remove_all(folder);
  fs::create_directories(folder);
  StartupKeys keys;
  keys.Write({"People", "Places"});

  const SettingsValues settings = {
      {"Main Options/tipson", "0"}, {"Main Options/mainpath", "C:\\"}, {"HiddenFiles/iif", "0"}};
  {
    RunningProgram program(settings, "\"" + folder.string() + "\"");
    ASSERT_TRUE(program.Frame());
    ASSERT_TRUE(program.WaitForFolderShown(folder.string() + "\\"));
    program.Settle();
    EXPECT_EQ(KeyTree(program.Frame()), nullptr) << "the Key view row is hidden at start";

    ::SendMessageA(program.Frame(), WM_COMMAND, ID_KEY_VIEW, 0);
    const HWND tree = KeyTree(program.Frame());
    ASSERT_TRUE(tree);
    EXPECT_TRUE(::IsWindowVisible(tree));
    EXPECT_EQ(ItemCount(tree), 3) << "the folder item and the two keys";

    // A new top-level key, named in place.
    ::SendMessageA(program.Frame(), WM_COMMAND, ID_KEY_NEW_ROOT, 0);
    const HWND edit = reinterpret_cast<HWND>(::SendMessageA(tree, TVM_GETEDITCONTROL, 0, 0));
    ASSERT_TRUE(edit);
    ::SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Trips"));
    ::SendMessageA(tree, TVM_ENDEDITLABELNOW, FALSE, 0);
    EXPECT_EQ(ItemCount(tree), 4);

    ::SendMessageA(program.Frame(), WM_COMMAND, ID_KEY_VIEW, 0);
    EXPECT_EQ(KeyTree(program.Frame()), nullptr);
    ASSERT_TRUE(program.Close());
  }
  const std::string saved = keys.Read();
  EXPECT_NE(saved.find(std::string("Trips") + '\0'), std::string::npos);
  EXPECT_NE(saved.find(std::string("People") + '\0'), std::string::npos);
  fs::remove_all(folder);
}

}  // namespace
