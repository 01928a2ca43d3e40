// Feeds arbitrary bytes to the settings record as the program's INI file, through the program's
// own profile. The document must write back what reads back the same; the values loaded must lie
// in their ranges (the frame on the screen, panes wide enough to grab, a scaling mode of 0..2,
// print areas of a size); and saving them into that same file, as the program does at exit, must
// keep every value.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <variant>
#include <vector>

#include "app_settings.h"
#include "app_settings_table.h"
#include "ini_profile.h"

namespace {

const SettingsEnvironment kScreen = {1024, 768, "C:\\Program Files\\Vireldan"};

std::string g_folder;

std::string PathOf(const char* name) { return g_folder + "/" + name; }

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << text;
  if (!out.flush()) std::abort();
}

CAppSettings Loaded(const std::string& path) {
  IniProfile profile(path);
  CAppSettings settings;
  settings.Load(profile, kScreen);
  return settings;
}

// Every stored value alike (the image library's values are shared, and so alike anyway).
bool Same(CAppSettings& a, CAppSettings& b) {
  const std::vector<SettingRow> rowsA = SettingsTable(a), rowsB = SettingsTable(b);
  for (size_t i = 0; i < rowsA.size(); ++i) {
    const bool same = std::visit([&](auto* field) { return *field == *std::get<decltype(field)>(rowsB[i].field); },
                                 rowsA[i].field);
    if (!same) return false;
  }
  return true;
}

bool InRange(const CAppSettings& s) {
  const CAppSettings::FrameLayout& frame = s.frameLayout;
  const CAppSettings::BatchPrint& print = s.batchPrint;
  return frame.left >= 0 && frame.top >= 0 && frame.right <= kScreen.screenWidth &&
         frame.bottom <= kScreen.screenHeight && frame.left < frame.right && frame.top < frame.bottom &&
         frame.leftpane >= 10 && frame.keypane >= 10 && s.pictureFrames.scalingmode >= 0 &&
         s.pictureFrames.scalingmode <= 2 && print.colwidth >= 1 && print.colheight >= 1 && print.pawidth >= 10 &&
         print.paheight >= 10 && print.tasizex >= 1 && print.tasizey >= 1;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  g_folder = "/tmp/settings_profile_fuzzer." + std::to_string(getpid());
  std::remove(g_folder.c_str());
  if (std::system(("mkdir -p '" + g_folder + "'").c_str()) != 0) std::abort();
  std::atexit([] { (void)std::system(("rm -rf '" + g_folder + "'").c_str()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  // The document writes back every line as it read it, each ended by CR LF.
  const std::string written = IniDocument(text).Text();
  if (IniDocument(written).Text() != written) std::abort();

  const std::string file = PathOf("vireldan.ini");
  WriteFile(file, text);
  IniProfile profile(file);
  CAppSettings settings;
  settings.Load(profile, kScreen);
  if (!InRange(settings)) std::abort();
  // Written over the user's own lines, whatever else they hold, as at the program's exit.
  if (!settings.Save(profile)) std::abort();
  CAppSettings again = Loaded(file);
  if (!Same(settings, again)) std::abort();
  return 0;
}
