// The shell registration under Wine's registry: a type switched on becomes ours and remembers its
// previous owner; switched off, it goes back. Checked through the registry API and through the
// system's own "reg" tool, as a user would.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "ini_profile.h"
#include "shell_options.h"
#include "temp_folder.h"

namespace {

constexpr char kProgram[] = "C:\\Program Files\\Vireldan\\Vireldan.exe";

std::string DefaultValue(const std::string& key) {
  char value[501] = {};
  LONG size = sizeof value - 1;
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), value, &size) != ERROR_SUCCESS) return "<missing>";
  return value;
}

void SetDefault(const std::string& key, const std::string& value) {
  ASSERT_EQ(::RegSetValueA(HKEY_CLASSES_ROOT, key.c_str(), REG_SZ, value.c_str(), DWORD(value.size())),
            ERROR_SUCCESS);
}

bool KeyExists(const std::string& key) {
  HKEY handle = nullptr;
  if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  ::RegCloseKey(handle);
  return true;
}

// What "reg query" prints for a key's default value.
std::string RegToolQuery(const std::string& key) {
  const std::string command = "reg query \"HKCR\\" + key + "\" /ve 2>&1";
  FILE* pipe = _popen(command.c_str(), "r");
  if (!pipe) return std::string();
  std::string output;
  char buffer[256];
  while (fgets(buffer, sizeof buffer, pipe)) output += buffer;
  _pclose(pipe);
  return output;
}

class ShellOptionsTest : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    profile_ = std::make_unique<IniProfile>((folder_ / "Vireldan.ini").string());
    SetDefault(".pcx", "pcxfile");
    SetDefault(".png", "pngfile");
  }
  void TearDown() override {
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "Folder\\Shell\\Vireldan\\command");
    ::RegDeleteKeyA(HKEY_CLASSES_ROOT, "Folder\\Shell\\Vireldan");
    TempFolderTest::TearDown();
  }
  ShellChoices With(int type) const {
    ShellChoices choices;
    choices.types[type] = 1;
    return choices;
  }
  std::unique_ptr<IniProfile> profile_;
};

constexpr int kPcx = 5;
constexpr int kPng = 4;

TEST_F(ShellOptionsTest, SwitchingATypeOnTakesItAndOffGivesItBack) {
  ApplyShellChoices(*profile_, ShellChoices(), With(kPcx), kProgram);
  EXPECT_EQ(DefaultValue(".pcx"), "Vireldan.Image");
  EXPECT_EQ(DefaultValue(".png"), "pngfile") << "a type left off is not touched";
  EXPECT_EQ(profile_->GetString("Shell remove", ".pcx", ""), "pcxfile");
  EXPECT_EQ(profile_->GetInt("Shell Types", ".pcx", 0), 1);
  EXPECT_NE(RegToolQuery(".pcx").find("Vireldan.Image"), std::string::npos) << RegToolQuery(".pcx");

  ApplyShellChoices(*profile_, With(kPcx), ShellChoices(), kProgram);
  EXPECT_EQ(DefaultValue(".pcx"), "pcxfile");
  EXPECT_EQ(profile_->GetInt("Shell Types", ".pcx", 1), 0);
  EXPECT_NE(RegToolQuery(".pcx").find("pcxfile"), std::string::npos) << RegToolQuery(".pcx");
}

TEST_F(ShellOptionsTest, TheProgIdNamesTheProgramForOpenAndPrint) {
  ApplyShellChoices(*profile_, ShellChoices(), With(kPng), kProgram);
  const std::string quoted = std::string("\"") + kProgram + "\"";
  EXPECT_EQ(DefaultValue("Vireldan.Image\\shell\\open\\command"), quoted + " \"%1\"");
  EXPECT_EQ(DefaultValue("Vireldan.Image\\shell\\open\\ddeexec"), "open %1");
  EXPECT_EQ(DefaultValue("Vireldan.Image\\shell\\print\\command"), quoted + " /p %1");
  EXPECT_EQ(DefaultValue("Vireldan.Image\\shell\\print\\ddeexec"), "print %1");
  EXPECT_EQ(DefaultValue("Vireldan.Image\\DefaultIcon"), std::string(kProgram) + ",0");
  ApplyShellChoices(*profile_, With(kPng), ShellChoices(), kProgram);
}

// A profile that lost its choices (a new INI file) while the registry still names us must not
// record our own ProgID as the owner to give the type back to.
TEST_F(ShellOptionsTest, OurOwnProgIdIsNeverRememberedAsThePreviousOwner) {
  ApplyShellChoices(*profile_, ShellChoices(), With(kPcx), kProgram);
  ApplyShellChoices(*profile_, ShellChoices(), With(kPcx), kProgram);
  EXPECT_EQ(profile_->GetString("Shell remove", ".pcx", ""), "pcxfile");
  ApplyShellChoices(*profile_, With(kPcx), ShellChoices(), kProgram);
  EXPECT_EQ(DefaultValue(".pcx"), "pcxfile");
}

TEST_F(ShellOptionsTest, TheJpegChoiceCoversEveryJpegExtension) {
  for (const char* extension : {".jpg", ".jpeg", ".jfif", ".jif", ".jpe"}) SetDefault(extension, "jpegfile");
  ApplyShellChoices(*profile_, ShellChoices(), With(0), kProgram);
  for (const char* extension : {".jpg", ".jpeg", ".jfif", ".jif", ".jpe"}) {
    EXPECT_EQ(DefaultValue(extension), "Vireldan.Image") << extension;
    EXPECT_EQ(profile_->GetString("Shell remove", extension, ""), "jpegfile") << extension;
  }
  ApplyShellChoices(*profile_, With(0), ShellChoices(), kProgram);
  for (const char* extension : {".jpg", ".jpeg", ".jfif", ".jif", ".jpe"})
    EXPECT_EQ(DefaultValue(extension), "jpegfile") << extension;
}

TEST_F(ShellOptionsTest, TheFolderVerbComesAndGoes) {
  ShellChoices folder;
  folder.folderVerb = 1;
  ApplyShellChoices(*profile_, ShellChoices(), folder, kProgram);
  EXPECT_EQ(DefaultValue("Folder\\Shell\\Vireldan\\command"), std::string("\"") + kProgram + "\" \"%1\"");
  EXPECT_EQ(profile_->GetInt("Shell Types", "ofold", 0), 1);
  ApplyShellChoices(*profile_, folder, ShellChoices(), kProgram);
  EXPECT_FALSE(KeyExists("Folder\\Shell\\Vireldan"));
  EXPECT_EQ(profile_->GetInt("Shell Types", "ofold", 1), 0);
}

}  // namespace
