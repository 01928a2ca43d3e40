#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include "file_system.h"
#include "shortcut.h"

namespace platform {
namespace {

template <typename T>
struct ComRelease {
  T* p = nullptr;
  ~ComRelease() {
    if (p) p->Release();
  }
};

}  // namespace

bool ResolveShortcutTarget(std::string& path) {
  ComRelease<IShellLinkA> link;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link.p))))
    return false;
  ComRelease<IPersistFile> file;
  if (FAILED(link.p->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file.p)))) return false;
  wchar_t wide[kMaxPath];
  if (::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, int(kMaxPath)) == 0) return false;
  if (FAILED(file.p->Load(wide, STGM_READ))) return false;
  if (FAILED(link.p->Resolve(nullptr, SLR_NO_UI))) return false;
  char target[kMaxPath] = {};
  WIN32_FIND_DATAA found;
  if (link.p->GetPath(target, int(kMaxPath), &found, SLGP_SHORTPATH) != S_OK || target[0] == 0) return false;
  path = target;
  return true;
}

}  // namespace platform
