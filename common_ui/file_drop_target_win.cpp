#include "file_drop_target.h"

#include <cstring>
#include <string>
#include <utility>

#include "drop_files_block.h"
#include "drop_files_names.h"
#include "file_system.h"
#include "global_memory.h"
#include "name_node.h"

namespace {

// The ANSI form of a wide name from another program. Where the code page has no character for
// one of its letters, the short form of the path stands in: it names the same file in ANSI
// letters only.
std::string AnsiName(const std::u16string& name) {
  const std::wstring wide(name.begin(), name.end());
  const auto toAnsi = [](const wchar_t* text, std::string& ansi) {
    char buffer[2 * MAX_PATH];
    BOOL lost = FALSE;
    // No best fit: "\u03a9" as "O" would name another file, or none.
    const int length =
        ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, buffer, sizeof buffer, nullptr, &lost);
    ansi = length > 0 ? buffer : "";
    return length > 0 && !lost;
  };
  std::string ansi;
  if (toAnsi(wide.c_str(), ansi)) return ansi;
  wchar_t shortPath[MAX_PATH];
  const DWORD length = ::GetShortPathNameW(wide.c_str(), shortPath, MAX_PATH);
  std::string shortAnsi;
  if (length > 0 && length < MAX_PATH && toAnsi(shortPath, shortAnsi)) return shortAnsi;
  return ansi;
}

FORMATETC FileListFormat() { return FORMATETC{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool OffersFileList(IDataObject* data) {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

}  // namespace

CFileDropTarget::~CFileDropTarget() { FreeNames(); }

void CFileDropTarget::FreeNames() {
  CNameNode::FreeList(names_);
  delete names_;
  names_ = nullptr;
  containsFolder_ = false;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  draggingFiles_ = OffersFileList(data);
  if (draggingFiles_) return OleDropTarget::DragEnter(data, keys, point, effect);
  *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragOver(DWORD keys, POINTL point, DWORD* effect) {
  if (draggingFiles_) return OleDropTarget::DragOver(keys, point, effect);
  *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::DragLeave() {
  if (!std::exchange(draggingFiles_, false)) return S_OK;
  return OleDropTarget::DragLeave();
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  FreeNames();
  if (!std::exchange(draggingFiles_, false)) {
    *effect = DROPEFFECT_NONE;
    return S_OK;
  }
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (data && SUCCEEDED(data->GetData(&format, &medium))) {
    if (medium.tymed == TYMED_HGLOBAL) {
      const GlobalLockScope block(medium.hGlobal);
      ReadNames(block.data(), block.size());
    }
    ::ReleaseStgMedium(&medium);
  }
  // Also with no names read: the owner takes its drag feedback away.
  return OleDropTarget::Drop(data, keys, point, effect);
}

void CFileDropTarget::SetFileList(const std::vector<std::string>& paths) {
  const std::string block = DropFilesBlock(paths);
  ReadNames(block.data(), block.size());
}

void CFileDropTarget::ReadNames(const void* block, size_t size) {
  FreeNames();
  names_ = NameListFromDropFiles(static_cast<const unsigned char*>(block), size, AnsiName);
  for (const CNameNode* node = names_; node && !containsFolder_; node = node->next)
    containsFolder_ = platform::KindOfPath(node->name) == platform::PathKind::kDirectory;
}

const char* CFileDropTarget::GetNextFile() {
  if (!names_) return nullptr;
  CNameNode* head = names_;
  names_ = head->next;
  head->next = nullptr;
  std::strncpy(current_, head->name, sizeof current_ - 1);
  CNameNode::FreeList(head);
  delete head;
  return current_;
}

int CFileDropTarget::NameCount() const { return CNameNode::GetCount(names_); }
