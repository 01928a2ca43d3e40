#pragma once
// The shell's link object for ".lnk" files (Windows only). COM must be initialised on the calling
// thread. Every call returns the COM result of the step that failed, or S_OK.
#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

namespace platform {

class ShellLink {
 public:
  ShellLink();
  ~ShellLink();
  ShellLink(const ShellLink&) = delete;
  ShellLink& operator=(const ShellLink&) = delete;

  HRESULT Load(const std::string& path);
  // Finds a moved target again, with no window and no user interface.
  HRESULT Resolve();
  // The target path, in its short (8.3) form when asked.
  HRESULT GetTarget(std::string& target, bool shortForm);
  HRESULT SetTarget(const std::string& target);
  HRESULT SetDescription(const std::string& text);
  HRESULT Save(const std::string& path);

 private:
  HRESULT created_;
  IShellLinkA* link_ = nullptr;
  IPersistFile* file_ = nullptr;
};

}  // namespace platform
