#include "shell_item.h"

#include <cstring>

#include "shell_shortcuts.h"

namespace {

constexpr char kUnknownName[] = "unknown...";
constexpr char kRootName[] = "Desktop";
constexpr char kScreenSaverName[] = "VN Screen Saver";
constexpr int kTextSize = CShellItem::kTextSize;

// Copies at most length characters of text, and only when they fit with the terminator;
// otherwise the field is left empty.
bool CopyText(char (&field)[kTextSize], const char* text, size_t length) {
  field[0] = '\0';
  if (length >= size_t(kTextSize)) return false;
  std::memcpy(field, text, length);
  field[length] = '\0';
  return true;
}

bool CopyText(char (&field)[kTextSize], const std::string& text) { return CopyText(field, text.c_str(), text.size()); }

// A name the shell returned, in the form it chose, into a field: wide text converted to the ANSI
// code page with "_" for what it cannot show; text at an offset inside the item's first element;
// or inline text. Any other form, or text too long for the field, fails.
bool TakeName(STRRET& name, LPCITEMIDLIST relative, char (&field)[kTextSize]) {
  field[0] = '\0';
  switch (name.uType) {
    case STRRET_WSTR: {
      const int converted = ::WideCharToMultiByte(CP_ACP, 0, name.pOleStr, -1, field, kTextSize, "_", nullptr);
      ::CoTaskMemFree(name.pOleStr);
      if (converted > 0) return true;
      field[0] = '\0';
      return false;
    }
    case STRRET_OFFSET: {
      const size_t elementSize = relative ? relative->mkid.cb : 0;
      if (name.uOffset >= elementSize) return false;
      const char* text = reinterpret_cast<const char*>(relative) + name.uOffset;
      const size_t room = elementSize - name.uOffset;
      const size_t length = strnlen(text, room);
      return length < room && CopyText(field, text, length);
    }
    case STRRET_CSTR:
      return CopyText(field, name.cStr, strnlen(name.cStr, sizeof name.cStr));
    default:
      return false;
  }
}

bool GetName(IShellFolder* folder, LPCITEMIDLIST relative, SHGDNF kind, char (&field)[kTextSize]) {
  STRRET name = {};
  return SUCCEEDED(folder->GetDisplayNameOf(relative, kind, &name)) && TakeName(name, relative, field);
}

int SmallIconOf(LPCSTR pathOrList, UINT flags) {
  SHFILEINFOA info = {};
  return ::SHGetFileInfoA(pathOrList, 0, &info, sizeof info, flags | SHGFI_SYSICONINDEX | SHGFI_SMALLICON)
             ? info.iIcon
             : 0;
}

}  // namespace

std::unique_ptr<CShellItem> CShellItem::Make(IdList relative, LPCITEMIDLIST parentList, IShellFolder* parentFolder,
                                             bool childOfRoot) {
  if (!relative) return nullptr;
  std::unique_ptr<CShellItem> item(new CShellItem);
  item->isRoot_ = parentList == nullptr;
  item->absolute_ = IdList::Join(parentList, relative.Get());
  item->relative_ = std::move(relative);
  if (!item->absolute_) return nullptr;
  if (!parentFolder) {
    CopyText(item->displayName_, kRootName);
  } else {
    if (childOfRoot) item->MarkSpecialFolders(parentFolder);
    item->ReadNames(parentFolder);
    item->ReadAttributes(parentFolder);
    if (item->isLink_) item->ReadLinkTarget();
  }
  item->ReadIcons();
  return item;
}

std::unique_ptr<CShellItem> CShellItem::MakeScreenSaver(const std::string& folder, const std::string& program) {
  std::unique_ptr<CShellItem> item(new CShellItem);
  item->screenSaverKind_ = 1;
  CopyText(item->displayName_, kScreenSaverName);
  CopyText(item->parsePath_, folder);
  item->normalIcon_ = item->openIcon_ = SmallIconOf(program.c_str(), 0);
  return item;
}

void CShellItem::MarkSpecialFolders(IShellFolder* desktop) {
  const IdList drives = IdList::OfSpecialFolder(CSIDL_DRIVES);
  const IdList recycleBin = IdList::OfSpecialFolder(CSIDL_BITBUCKET);
  isMyComputer_ = drives && SameIdList(desktop, drives.Get(), absolute_.Get());
  isRecycleBin_ = recycleBin && SameIdList(desktop, recycleBin.Get(), absolute_.Get());
}

void CShellItem::ReadNames(IShellFolder* parentFolder) {
  const bool named = GetName(parentFolder, Relative(), SHGDN_INFOLDER, displayName_) &&
                     GetName(parentFolder, Relative(), SHGDN_FORPARSING, parsePath_);
  if (!named) CopyText(displayName_, kUnknownName);
}

void CShellItem::ReadAttributes(IShellFolder* parentFolder) {
  LPCITEMIDLIST element = Relative();
  ULONG attributes = kAttributeMask;
  if (SUCCEEDED(parentFolder->GetAttributesOf(1, &element, &attributes))) attributes_ = attributes & kAttributeMask;
  isLink_ = (attributes_ & SFGAO_LINK) != 0;
}

void CShellItem::ReadLinkTarget() {
  std::string target;
  if (FAILED(ResolveShortcut(parsePath_, target)) || !CopyText(linkTargetPath_, target)) return;
  const DWORD targetAttributes = ::GetFileAttributesA(linkTargetPath_);
  linkTargetIsFolder_ = targetAttributes != INVALID_FILE_ATTRIBUTES && (targetAttributes & FILE_ATTRIBUTE_DIRECTORY);
  const ComPtr<IShellFolder> desktop = DesktopFolder();
  linkTarget_ = IdList::Parse(desktop.get(), linkTargetPath_);
}

void CShellItem::ReadIcons() {
  const LPCSTR list = reinterpret_cast<LPCSTR>(Absolute());
  normalIcon_ = SmallIconOf(list, SHGFI_PIDL);
  openIcon_ = SmallIconOf(list, SHGFI_PIDL | SHGFI_OPENICON);
}
