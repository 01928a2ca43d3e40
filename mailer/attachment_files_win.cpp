#include "attachment_files_win.h"

#include <windows.h>

#include "Cimage.h"
#include "mime_message.h"

std::vector<AttachmentFile> ExpandAttachmentEntry(const std::string& entry) {
  std::vector<AttachmentFile> files;
  const size_t slash = entry.find_last_of("\\/");
  const std::string folder = slash == std::string::npos ? std::string() : entry.substr(0, slash + 1);
  WIN32_FIND_DATAA found;
  HANDLE search = ::FindFirstFileA(entry.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    files.push_back({folder + found.cFileName, found.cFileName});
  } while (::FindNextFileA(search, &found));
  ::FindClose(search);
  return files;
}

std::string AttachmentContentType(const std::string& name) {
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, name.substr(dot).c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS) {
      char type[41] = {};
      DWORD size = sizeof type - 1, kind = 0;
      const bool found = ::RegQueryValueExA(key, "Content Type", nullptr, &kind, reinterpret_cast<BYTE*>(type),
                                            &size) == ERROR_SUCCESS &&
                         kind == REG_SZ && type[0];
      ::RegCloseKey(key);
      if (found) return type;
    }
  }
  return DefaultContentType(name);
}

std::string JpegName(const std::string& name) {
  const size_t dot = name.rfind('.');
  return (dot == std::string::npos ? name : name.substr(0, dot)) + ".jpg";
}

ReducedPicture::~ReducedPicture() {
  if (!jpeg_.empty()) ::DeleteFileA(jpeg_.c_str());
  if (!reserved_.empty()) ::DeleteFileA(reserved_.c_str());
}

bool ReducedPicture::Make(const std::string& source, const MailerSettings& settings) {
  char folder[MAX_PATH], unique[MAX_PATH];
  if (!::GetTempPathA(MAX_PATH, folder) || !::GetTempFileNameA(folder, "plk", 0, unique)) return false;
  reserved_ = unique;
  Cimage picture;
  picture.LoadImageA(source.c_str(), AtLeastOne(settings.resizeWidth), AtLeastOne(settings.resizeHeight), 4);
  if (picture.m_width > picture.m_origWidth || picture.m_height > picture.m_origHeight)
    picture.LoadImageA(source.c_str(), 0, 0, 5);
  if (picture.m_loadError || picture.m_width <= 0 || picture.m_height <= 0) return false;
  jpeg_ = reserved_ + ".jpg";
  picture.SaveImage(jpeg_.c_str(), AtLeastOne(settings.resizeQuality), 1, 1, 0, 0, 1, 0);
  return !picture.m_saveError;
}
