#include "running_program.h"

#include <commctrl.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "property_sheet_driver.h"

namespace {

std::string ReadWhole(const std::string& path, bool* exists) {
  std::ifstream in(path, std::ios::binary);
  *exists = bool(in);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.rfind('\\') + 1) + "Vireldan.exe";
}

// A window of the process, by class or caption (either may be left empty).
struct WindowSearch {
  DWORD process;
  std::string className;
  std::string caption;
  HWND found;
  bool captionStartOnly;  // the caption only has to start with the text
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
  WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  char className[64] = {}, caption[256] = {};
  ::GetClassNameA(window, className, sizeof className);
  ::GetWindowTextA(window, caption, sizeof caption);
  if (owner != search.process || !::IsWindowVisible(window)) return TRUE;
  if (!search.className.empty() && search.className != className) return TRUE;
  if (!search.caption.empty() && (search.captionStartOnly ? std::string(caption).rfind(search.caption, 0) != 0
                                                          : search.caption != caption))
    return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

std::string ProgramSettingsPath() {
  char windows[MAX_PATH] = {};
  ::GetWindowsDirectoryA(windows, MAX_PATH);
  return std::string(windows) + "\\Vireldan.ini";
}

SettingsValues FolderInSmallThumbnails(const std::string& folder) {
  return {{"Main Options/tipson", "0"},       {"Main Options/mainpath", folder},
          {"Thumbnails/Thumbnail Size", "4"}, {"Thumbnails/showfilename", "0"},
          {"Thumbnails/showfiledate", "0"},   {"Thumbnails/showsizeinfo", "0"}};
}

std::string MakePictureFolder(const std::string& folder, const FolderFile* files, size_t count) {
  namespace fs = std::filesystem;
  std::error_code error;
  fs::remove_all(folder, error);
  fs::create_directories(folder);
  for (size_t i = 0; i < count; ++i) {
    const fs::path target = fs::path(folder) / files[i].name;
    if (!files[i].source) {
      std::ofstream(target, std::ios::binary) << "\xFF\xD8\xFF\xE0 not really a picture";
      continue;
    }
    fs::copy_file(std::string("Z:") + files[i].source, target, error);
    if (error) return files[i].source;
  }
  return "";
}

std::string StoredSetting(const std::string& section, const std::string& name) {
  char value[1024] = {};
  ::GetPrivateProfileStringA(section.c_str(), name.c_str(), "<missing>", value, sizeof value,
                             ProgramSettingsPath().c_str());
  return value;
}

RunningProgram::RunningProgram(const SettingsValues& settings, const std::string& arguments) {
  const std::string ini = ProgramSettingsPath();
  savedSettings_ = ReadWhole(ini, &hadSettings_);
  ::DeleteFileA(ini.c_str());
  for (const auto& [key, value] : settings) {
    const size_t slash = key.find('/');
    ::WritePrivateProfileStringA(key.substr(0, slash).c_str(), key.substr(slash + 1).c_str(), value.c_str(),
                                 ini.c_str());
  }
  ::WritePrivateProfileStringA(nullptr, nullptr, nullptr, ini.c_str());  // flush the cache

  std::string command = "\"" + ProgramPath() + "\" " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (!::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_))
    return;
  ::WaitForInputIdle(process_.hProcess, 30000);
  for (int attempt = 0; attempt < 300 && !frame_; ++attempt) {
    WindowSearch search = {process_.dwProcessId, "VireldanFrame", "", nullptr, false};
    ::EnumWindows(MatchWindow, LPARAM(&search));
    if (search.found) frame_ = search.found;
    else ::Sleep(100);
  }
}

void RunningProgram::Settle() const {
  // A message sent to the frame returns once the program's thread is back in its message loop;
  // a second round lets the posts of the first idle moment be handled too.
  for (int round = 0; round < 3; ++round) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutA(frame_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    ::Sleep(300);
  }
}

bool RunningProgram::WaitForFolderShown(const std::string& folder, DWORD milliseconds) const {
  const HWND status = ::FindWindowExA(frame_, nullptr, STATUSCLASSNAMEA, nullptr);
  const DWORD start = ::GetTickCount();
  do {
    DWORD_PTR length = 0;
    if (status && ::SendMessageTimeoutA(status, SB_GETTEXTLENGTHA, 1, 0, SMTO_NORMAL, 10000, &length) &&
        LOWORD(length) >= folder.size())
      return true;
    ::Sleep(100);
  } while (::GetTickCount() - start < milliseconds);
  return false;
}

std::string RunningProgram::StatusText(int pane) const {
  const HWND status = ::FindWindowExA(frame_, nullptr, STATUSCLASSNAMEA, nullptr);
  const HANDLE process =
      ::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, process_.dwProcessId);
  if (!status || !process) return "<no status bar>";
  char text[1024] = {};
  if (void* lent = ::VirtualAllocEx(process, nullptr, sizeof text, MEM_COMMIT, PAGE_READWRITE)) {
    DWORD_PTR ignored = 0;
    if (::SendMessageTimeoutA(status, SB_GETTEXTA, WPARAM(pane), LPARAM(lent), SMTO_NORMAL, 10000, &ignored))
      ::ReadProcessMemory(process, lent, text, sizeof text - 1, nullptr);
    ::VirtualFreeEx(process, lent, 0, MEM_RELEASE);
  }
  ::CloseHandle(process);
  return text;
}

HWND RunningProgram::FindChild(const char* className) const {
  WindowSearch search = {process_.dwProcessId, className, "", nullptr, false};
  ::EnumChildWindows(frame_, MatchWindow, LPARAM(&search));
  return search.found;
}

HWND RunningProgram::WaitForWindow(const std::string& caption, DWORD milliseconds) const {
  return WaitForWindowCaption(caption, false, milliseconds, "");
}

HWND RunningProgram::WaitForWindowStartingWith(const std::string& captionStart, DWORD milliseconds) const {
  return WaitForWindowCaption(captionStart, true, milliseconds, "");
}

HWND RunningProgram::WaitForWindowCaption(const std::string& caption, bool startOnly, DWORD milliseconds,
                                          const char* className) const {
  const DWORD start = ::GetTickCount();
  do {
    WindowSearch search = {process_.dwProcessId, className, caption, nullptr, startOnly};
    ::EnumWindows(MatchWindow, LPARAM(&search));
    if (search.found) return search.found;
    ::Sleep(50);
  } while (::GetTickCount() - start < milliseconds);
  return nullptr;
}

std::string RunningProgram::AnswerDialog(const std::string& caption, int button, DWORD milliseconds) const {
  // A dialog, never the main frame, whose caption is a message box's.
  const HWND dialog = WaitForWindowCaption(caption, false, milliseconds, "#32770");
  if (!dialog) return "(no dialog)";
  // A message box's text, else the dialog's first static text.
  HWND text = ::GetDlgItem(dialog, 0xFFFF);
  if (!text) text = ::FindWindowExA(dialog, nullptr, "Static", nullptr);
  char said[1024] = {};
  if (text) ::GetWindowTextA(text, said, sizeof said);
  ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), LPARAM(::GetDlgItem(dialog, button)));
  if (!WaitUntilClosed(dialog, milliseconds)) return std::string(said) + " (the dialog stayed)";
  return said;
}

bool RunningProgram::Close(DWORD milliseconds) {
  if (!process_.hProcess) return false;
  if (frame_) {
    // The close box cannot be pressed while a modal window of the frame (a print job finishing,
    // a sheet) still has it disabled, and the frame refuses a close that comes then.
    const DWORD start = ::GetTickCount();
    while (::IsWindow(frame_) && !::IsWindowEnabled(frame_) && ::GetTickCount() - start < milliseconds) ::Sleep(50);
    ::PostMessageA(frame_, WM_CLOSE, 0, 0);
  }
  DWORD code = 1;
  const bool ended = ::WaitForSingleObject(process_.hProcess, milliseconds) == WAIT_OBJECT_0 &&
                     ::GetExitCodeProcess(process_.hProcess, &code) && code == 0;
  frame_ = nullptr;
  return ended;
}

RunningProgram::~RunningProgram() {
  if (process_.hProcess) {
    if (::WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
      if (frame_) ::PostMessageA(frame_, WM_CLOSE, 0, 0);
      if (::WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) ::TerminateProcess(process_.hProcess, 1);
    }
    ::CloseHandle(process_.hThread);
    ::CloseHandle(process_.hProcess);
  }
  const std::string ini = ProgramSettingsPath();
  if (hadSettings_) std::ofstream(ini, std::ios::binary) << savedSettings_;
  else ::DeleteFileA(ini.c_str());
}
