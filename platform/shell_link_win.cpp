#include "shell_link_win.h"

#include "file_system.h"

namespace platform {
namespace {

bool Widen(const std::string& path, wchar_t (&wide)[kMaxPath]) {
  return ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, int(kMaxPath)) != 0;
}

}  // namespace

ShellLink::ShellLink() {
  created_ = ::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link_));
  if (SUCCEEDED(created_)) created_ = link_->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file_));
}

ShellLink::~ShellLink() {
  if (file_) file_->Release();
  if (link_) link_->Release();
}

HRESULT ShellLink::Load(const std::string& path) {
  if (FAILED(created_)) return created_;
  wchar_t wide[kMaxPath];
  if (!Widen(path, wide)) return E_INVALIDARG;
  return file_->Load(wide, STGM_READ);
}

HRESULT ShellLink::Resolve() { return FAILED(created_) ? created_ : link_->Resolve(nullptr, SLR_NO_UI); }

HRESULT ShellLink::GetTarget(std::string& target, bool shortForm) {
  if (FAILED(created_)) return created_;
  char text[kMaxPath] = {};
  WIN32_FIND_DATAA found;
  const HRESULT result = link_->GetPath(text, int(kMaxPath), &found, shortForm ? SLGP_SHORTPATH : 0);
  if (result != S_OK) return FAILED(result) ? result : E_FAIL;  // S_FALSE: the link has no path
  target = text;
  return S_OK;
}

HRESULT ShellLink::SetTarget(const std::string& target) {
  return FAILED(created_) ? created_ : link_->SetPath(target.c_str());
}

HRESULT ShellLink::SetDescription(const std::string& text) {
  return FAILED(created_) ? created_ : link_->SetDescription(text.c_str());
}

HRESULT ShellLink::Save(const std::string& path) {
  if (FAILED(created_)) return created_;
  wchar_t wide[kMaxPath];
  if (!Widen(path, wide)) return E_INVALIDARG;
  return file_->Save(wide, TRUE);
}

}  // namespace platform
