#include "file_drop_target.h"

#include <cstring>

#include "drop_files_names.h"
#include "global_memory.h"
#include "name_node.h"

CFileDropTarget::~CFileDropTarget() { FreeNames(); }

void CFileDropTarget::FreeNames() {
  CNameNode::FreeList(names_);
  delete names_;
  names_ = nullptr;
}

HRESULT STDMETHODCALLTYPE CFileDropTarget::Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) {
  FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium = {};
  if (data && SUCCEEDED(data->GetData(&format, &medium))) {
    FreeNames();
    if (medium.tymed == TYMED_HGLOBAL) {
      const GlobalLockScope block(medium.hGlobal);
      names_ = NameListFromDropFiles(static_cast<const unsigned char*>(block.data()), block.size());
    }
    ::ReleaseStgMedium(&medium);
  }
  return OleDropTarget::Drop(data, keys, point, effect);
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
