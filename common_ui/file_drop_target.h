#pragma once
// A window's OLE drop target that keeps the names of the files dropped on it: at a drop it reads
// the data's CF_HDROP list into its name list (replacing the last drop's), then the owner's
// OnDrop hands the names out one by one. Data without a file list is refused without troubling
// the owner, and its drop leaves the list empty: no drop works on another one's names.
#include <string>
#include <vector>

#include "ole_drop_target.h"

class CNameNode;

class CFileDropTarget : public OleDropTarget {
 public:
  explicit CFileDropTarget(DropTargetEvents& events) : OleDropTarget(events) {}
  ~CFileDropTarget();

  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL point, DWORD* effect) override;

  // Replaces the name list with the files a drag from this program starts with.
  void SetFileList(const std::vector<std::string>& paths);

  // Takes the next name off the list; valid until the next call; none when the list is empty.
  const char* GetNextFile();
  int NameCount() const;
  // One of the names of the last drop was a folder when it was dropped.
  bool ContainsFolder() const { return containsFolder_; }

 private:
  void FreeNames();
  // Replaces the name list from a CF_HDROP block.
  void ReadNames(const void* block, size_t size);

  CNameNode* names_ = nullptr;
  bool containsFolder_ = false;
  bool draggingFiles_ = false;  // the drag over the window offers a file list
  char current_[260] = {};
};
