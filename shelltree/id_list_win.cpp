#include "id_list.h"

#include <cstring>

#include "file_system.h"

IMalloc* GetShellAllocator() {
  static IMalloc* const allocator = [] {
    IMalloc* fetched = nullptr;
    return SUCCEEDED(::SHGetMalloc(&fetched)) ? fetched : nullptr;
  }();
  return allocator;
}

IdList& IdList::operator=(IdList&& other) noexcept {
  if (this != &other) {
    Reset();
    list_ = other.list_;
    other.list_ = nullptr;
  }
  return *this;
}

LPITEMIDLIST* IdList::Out() {
  Reset();
  return &list_;
}

void IdList::Reset() {
  if (list_ && GetShellAllocator()) GetShellAllocator()->Free(list_);
  list_ = nullptr;
}

size_t IdListSize(LPCITEMIDLIST list) {
  size_t size = 0;
  if (!list) return 0;
  for (const BYTE* element = reinterpret_cast<const BYTE*>(list);;) {
    USHORT length;
    std::memcpy(&length, element, sizeof length);
    if (length == 0) return size;
    size += length;
    element += length;
  }
}

namespace {

// A list of the given bytes followed by the two-byte terminator.
IdList Allocate(const void* first, size_t firstSize, const void* second, size_t secondSize) {
  IMalloc* allocator = GetShellAllocator();
  if (!allocator) return IdList();
  BYTE* bytes = static_cast<BYTE*>(allocator->Alloc(firstSize + secondSize + sizeof(USHORT)));
  if (!bytes) return IdList();
  if (firstSize) std::memcpy(bytes, first, firstSize);
  if (secondSize) std::memcpy(bytes + firstSize, second, secondSize);
  std::memset(bytes + firstSize + secondSize, 0, sizeof(USHORT));
  return IdList(reinterpret_cast<LPITEMIDLIST>(bytes));
}

}  // namespace

IdList IdList::CopyFirstLevel(LPCITEMIDLIST list) {
  if (!list) return IdList();
  return Allocate(list, list->mkid.cb, nullptr, 0);
}

IdList IdList::Join(LPCITEMIDLIST first, LPCITEMIDLIST second) {
  return Allocate(first, IdListSize(first), second, IdListSize(second));
}

IdList IdList::OfSpecialFolder(int csidl) {
  IdList list;
  if (FAILED(::SHGetSpecialFolderLocation(nullptr, csidl, list.Out()))) list.Reset();
  return list;
}

IdList IdList::Parse(IShellFolder* folder, const std::string& name) {
  IdList list;
  wchar_t wide[platform::kMaxPath];
  if (!folder || name.size() >= platform::kMaxPath) return list;
  if (!::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, int(platform::kMaxPath))) return list;
  ULONG eaten = 0;
  if (FAILED(folder->ParseDisplayName(nullptr, nullptr, wide, &eaten, list.Out(), nullptr))) list.Reset();
  return list;
}

bool SameIdList(IShellFolder* folder, LPCITEMIDLIST a, LPCITEMIDLIST b) {
  const HRESULT result = folder->CompareIDs(0, a, b);
  return SUCCEEDED(result) && HRESULT_CODE(result) == 0;
}

ComPtr<IShellFolder> DesktopFolder() {
  ComPtr<IShellFolder> desktop;
  if (FAILED(::SHGetDesktopFolder(reinterpret_cast<IShellFolder**>(desktop.out())))) desktop.reset();
  return desktop;
}

ComPtr<IShellFolder> BindFolder(IShellFolder* parent, LPCITEMIDLIST relative) {
  ComPtr<IShellFolder> folder;
  if (!parent || !relative ||
      FAILED(parent->BindToObject(relative, nullptr, IID_IShellFolder, folder.out()))) {
    folder.reset();
  }
  return folder;
}
