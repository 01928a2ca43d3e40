// The settings record against the registry profile of Windows 95-family systems: one subkey per
// section under the program's key, ints as DWORDs and strings as string values.
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "app_settings.h"
#include "app_settings_expectations.h"
#include "ini_profile.h"
#include "registry_profile.h"

namespace {

// A program name of its own, so that the test never touches the real program's settings.
const char kCompany[] = "Ashgrove Software";
const char kProgram[] = "Vireldan Settings Test";
const std::string kProgramKey = std::string("Software\\") + kCompany + "\\" + kProgram;

void DeleteProgramKey() {
  for (const ExpectedSection& section : ExpectedSections())
    ::RegDeleteKeyA(HKEY_CURRENT_USER, (kProgramKey + "\\" + section.name).c_str());
  ::RegDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
}

class RegistrySettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { DeleteProgramKey(); }
  void TearDown() override { DeleteProgramKey(); }
};

class SectionKey {
 public:
  explicit SectionKey(const std::string& section) {
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, (kProgramKey + "\\" + section).c_str(), 0, KEY_READ, &key_) !=
        ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~SectionKey() {
    if (key_) ::RegCloseKey(key_);
  }
  SectionKey(const SectionKey&) = delete;
  SectionKey& operator=(const SectionKey&) = delete;

  DWORD Type(const char* name) const {
    DWORD type = REG_NONE;
    return key_ && ::RegQueryValueExA(key_, name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS ? type : REG_NONE;
  }
  DWORD Number(const char* name) const {
    DWORD value = 0, size = sizeof value;
    if (key_) ::RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(&value), &size);
    return value;
  }
  std::string Text(const char* name) const {
    char text[512] = {};
    DWORD size = sizeof text - 1;
    if (key_) ::RegQueryValueExA(key_, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &size);
    return text;
  }
  DWORD ValueCount() const {
    DWORD count = 0;
    if (key_) ::RegQueryInfoKeyA(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                                 nullptr, nullptr);
    return count;
  }

 private:
  HKEY key_ = nullptr;
};

TEST_F(RegistrySettingsTest, AMissingKeyGivesTheSameRecordAsAnEmptyIniFile) {
  RegistryProfile registry(kCompany, kProgram);
  CAppSettings fromRegistry;
  fromRegistry.Load(registry, TestScreen());
  const std::vector<std::string> registryValues = FieldValues(fromRegistry);

  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  IniProfile ini(std::string(folder) + "vireldan-settings-missing.ini");  // never flushed: stays missing
  CAppSettings fromIni;
  fromIni.Load(ini, TestScreen());
  EXPECT_EQ(registryValues, FieldValues(fromIni));
  EXPECT_EQ(fromRegistry.mainOptions.cachepath, "C:\\Program Files\\Vireldan\\cache");
}

TEST_F(RegistrySettingsTest, DistinctValuesRoundTripThroughTheRegistry) {
  RegistryProfile registry(kCompany, kProgram);
  const std::vector<std::string> written = WriteDistinctValues(registry);
  CAppSettings first;
  first.Load(registry, TestScreen());
  ASSERT_EQ(FieldValues(first), written);

  DeleteProgramKey();
  first.Save(registry);
  EXPECT_EQ(ReadAllValues(registry), written);
  CAppSettings second;
  second.Load(registry, TestScreen());
  EXPECT_EQ(FieldValues(second), FieldValues(first));

  // One subkey per section holding exactly its values, with the right types.
  for (const ExpectedSection& section : ExpectedSections()) {
    const SectionKey key(section.name);
    EXPECT_EQ(key.ValueCount(), section.values.size()) << section.name;
    for (const ExpectedValue& value : section.values)
      EXPECT_EQ(key.Type(value.name.c_str()), DWORD(value.text ? REG_SZ : REG_DWORD))
          << section.name << " " << value.name;
  }
  const SectionKey thumbnails("Thumbnails");
  EXPECT_EQ(thumbnails.Number("Thumbnail Size"), DWORD(first.thumbnails.thumbnailSize));
  const SectionKey resize("Batch Resize");
  EXPECT_EQ(resize.Number("original quality"), DWORD(first.batchResize.originalQuality));
  const SectionKey capture("Capture");
  EXPECT_EQ(capture.Number("vkey"), DWORD(first.capture.vkey));
  const SectionKey options("Main Options");
  EXPECT_EQ(options.Text("mainpath"), first.mainOptions.mainpath);
  const SectionKey web("QuickWeb");
  EXPECT_EQ(web.Text("imgps"), first.quickWeb.imgps);
  EXPECT_EQ(web.Text("imgpe"), first.quickWeb.imgpe);
  const SectionKey files("File Options");
  EXPECT_EQ(files.Number("savequality"), DWORD(Cimage::S_file_save_quality));
}

TEST_F(RegistrySettingsTest, TheFrameAndNegativeNumbersSurviveAsDwords) {
  RegistryProfile registry(kCompany, kProgram);
  CAppSettings settings;
  settings.Load(registry, TestScreen());
  settings.batchPrint.coloffset = -25;
  settings.frameLayout.left = 3;
  settings.frameLayout.top = 4;
  settings.frameLayout.right = 1000;
  settings.frameLayout.bottom = 760;
  settings.Save(registry);

  EXPECT_EQ(SectionKey("Batch Print").Number("coloffset"), DWORD(-25));
  CAppSettings loaded;
  loaded.Load(registry, TestScreen());
  EXPECT_EQ(loaded.batchPrint.coloffset, -25);
  EXPECT_EQ(loaded.frameLayout.left, 3);
  EXPECT_EQ(loaded.frameLayout.top, 4);
  EXPECT_EQ(loaded.frameLayout.right, 1000);
  EXPECT_EQ(loaded.frameLayout.bottom, 760);
}

}  // namespace
