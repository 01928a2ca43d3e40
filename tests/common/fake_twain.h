#pragma once
// Puts the test tree's fake TWAIN source manager where programs look for the real one (the
// Windows folder) for the life of the object, with the scanner's script, and reads the log of
// the calls it got. The file it replaces comes back afterwards.
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

inline std::string WindowsFolderFile(const char* name) {
  char folder[MAX_PATH] = {};
  ::GetWindowsDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\" + name;
}

// The scanner's script: see tests/fake_twain/fake_twain_32.cpp.
struct ScanScript {
  int pictures = 0;
  int fail = 0;
  int cancel = 0;
  int close = 1;
  int thread = 0;
  int openManager = 0;
  int openSource = 0;
  int enable = 0;
};

inline void WriteScanScript(const ScanScript& script) {
  const std::string ini = WindowsFolderFile("fake_twain.ini");
  for (const auto& [key, value] :
       {std::pair<const char*, int>{"pictures", script.pictures}, {"fail", script.fail}, {"cancel", script.cancel},
        {"close", script.close}, {"thread", script.thread}, {"openmanager", script.openManager},
        {"opensource", script.openSource}, {"enable", script.enable}})
    ::WritePrivateProfileStringA("scan", key, std::to_string(value).c_str(), ini.c_str());
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());
  ::DeleteFileA(WindowsFolderFile("fake_twain.log").c_str());
}

inline std::vector<std::string> FakeTwainLog() {
  std::ifstream in(WindowsFolderFile("fake_twain.log"));
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

class InstalledFakeTwain {
 public:
  InstalledFakeTwain() : manager_(WindowsFolderFile("TWAIN_32.DLL")), saved_(manager_ + ".saved-by-test") {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string fake(path);
    fake = fake.substr(0, fake.rfind('\\') + 1) + "fake_twain_32.dll";
    PreferFileOverBuiltIn(true);
    // A run that was killed left its fake in place and the original aside: that one is kept.
    if (::GetFileAttributesA(saved_.c_str()) == INVALID_FILE_ATTRIBUTES)
      ::MoveFileA(manager_.c_str(), saved_.c_str());
    else
      ::DeleteFileA(manager_.c_str());
    hadManager_ = ::GetFileAttributesA(saved_.c_str()) != INVALID_FILE_ATTRIBUTES;
    installed_ = ::CopyFileA(fake.c_str(), manager_.c_str(), FALSE) != 0;
    WriteScanScript(ScanScript());
  }
  ~InstalledFakeTwain() {
    ::DeleteFileA(manager_.c_str());
    if (hadManager_) ::MoveFileExA(saved_.c_str(), manager_.c_str(), MOVEFILE_REPLACE_EXISTING);
    ::DeleteFileA(WindowsFolderFile("fake_twain.ini").c_str());
    PreferFileOverBuiltIn(false);
  }
  InstalledFakeTwain(const InstalledFakeTwain&) = delete;
  InstalledFakeTwain& operator=(const InstalledFakeTwain&) = delete;
  bool Installed() const { return installed_; }
  // No source manager at all, as on a system without TWAIN.
  bool Remove() const { return ::DeleteFileA(manager_.c_str()) != 0; }

 private:
  // Wine loads its own source manager for any file of that name unless told to take the file;
  // Windows has no such key and ignores it.
  static void PreferFileOverBuiltIn(bool prefer) {
    HKEY key = nullptr;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\DllOverrides", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                          &key, nullptr) != ERROR_SUCCESS)
      return;
    if (prefer)
      ::RegSetValueExA(key, "twain_32", 0, REG_SZ, reinterpret_cast<const BYTE*>("native"), 7);
    else
      ::RegDeleteValueA(key, "twain_32");
    ::RegCloseKey(key);
  }

  std::string manager_;
  std::string saved_;
  bool hadManager_ = false;
  bool installed_ = false;
};
