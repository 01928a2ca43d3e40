// Shell shortcuts: made, resolved, replaced, and refused when they are not shortcuts.
#include <windows.h>
#include <objbase.h>

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>

#include "shell_shortcuts.h"

namespace {

namespace fs = std::filesystem;

class ShellShortcuts : public ::testing::Test {
 protected:
  void SetUp() override {
    ::CoInitialize(nullptr);
    folder_ = fs::temp_directory_path() / "vireldan-shortcuts";
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override {
    fs::remove_all(folder_);
    ::CoUninitialize();
  }
  std::string Make(const std::string& name) {
    const std::string path = (folder_ / name).string();
    std::ofstream(path) << "picture";
    return path;
  }
  // The long form of a path, so a short (8.3) target compares with the name it was made from.
  static std::string LongForm(const std::string& path) {
    char text[MAX_PATH] = {};
    ::GetLongPathNameA(path.c_str(), text, MAX_PATH);
    return text;
  }
  fs::path folder_;
};

TEST_F(ShellShortcuts, MadeThenResolvedGivesTheTargetsShortPath) {
  const std::string target = Make("a long picture name.jpg");
  const std::string link = (folder_ / "picture.lnk").string();
  ASSERT_EQ(CreateShortcut(target, link, "A picture"), S_OK);
  std::string resolved;
  EXPECT_EQ(ResolveShortcut(link, resolved), S_OK);
  EXPECT_EQ(LongForm(resolved), LongForm(target));

  // Made again over the old link, to another target: the old one is replaced whole.
  const std::string other = Make("other.jpg");
  ASSERT_EQ(CreateShortcut(other, link, "Another picture"), S_OK);
  EXPECT_EQ(ResolveShortcut(link, resolved), S_OK);
  EXPECT_EQ(LongForm(resolved), LongForm(other));
  size_t files = 0;
  for (const auto& entry : fs::directory_iterator(folder_)) files += entry.is_regular_file();
  EXPECT_EQ(files, 3u);  // two pictures and one link: no temporary left behind
}

TEST_F(ShellShortcuts, AFileThatIsNotAShortcutFailsWithAnEmptyTarget) {
  const std::string notALink = Make("fake.lnk");
  std::string resolved = "stale";
  EXPECT_TRUE(FAILED(ResolveShortcut(notALink, resolved)));
  EXPECT_EQ(resolved, "");
  EXPECT_TRUE(FAILED(ResolveShortcut((folder_ / "missing.lnk").string(), resolved)));
  EXPECT_EQ(resolved, "");
}

}  // namespace
