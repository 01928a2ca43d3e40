#include "payload_extract_win.h"

#include <windows.h>
#include <zlib.h>

#include "setup_dialogs_win.h"
#include "setup_shell_win.h"

namespace {

// The checked name cannot leave the folder; this states it for the path Windows will use.
bool LiesBelow(const std::string& path, const std::string& folder) {
  const std::string full = NormalisedPath(path), base = NormalisedPath(folder) + "\\";
  return full.size() > base.size() && ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, full.c_str(),
                                                       int(base.size()), base.c_str(), int(base.size())) == CSTR_EQUAL;
}

enum class WriteResult { kWritten, kNotCreated, kIncomplete };

WriteResult WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
  const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return WriteResult::kNotCreated;
  DWORD written = 0;
  const bool complete = ::WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) && written == bytes.size();
  return ::CloseHandle(file) && complete ? WriteResult::kWritten : WriteResult::kIncomplete;
}

}  // namespace

bool ExtractPayloadEntry(const std::vector<uint8_t>& installer, const std::string& target, const PayloadEntry& entry) {
  const std::string path = JoinPath(target, entry.name);
  if (!LiesBelow(path, target)) {
    ShowInstallError("Refused to write " + path + "\nIt lies outside the installation folder.");
    return false;
  }
  const size_t slash = entry.name.find('\\');
  if (slash != std::string::npos) {
    const std::string folder = JoinPath(target, entry.name.substr(0, slash));
    if (::GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES) ::CreateDirectoryA(folder.c_str(), nullptr);
  }
  std::vector<uint8_t> bytes(entry.size);
  uLongf length = entry.size;
  const bool inflated = uncompress(bytes.data(), &length, installer.data() + entry.dataOffset, entry.packedSize) == Z_OK &&
                        length == entry.size;
  const std::string partial = path + ".partial";
  if (!inflated) {
    ShowInstallError("ERROR decompressing " + path);
    return false;
  }
  const WriteResult written = WriteWhole(partial, bytes);
  if (written != WriteResult::kWritten || !::MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ::DeleteFileA(partial.c_str());
    ShowInstallError((written == WriteResult::kIncomplete ? "ERROR decompressing " : "Error creating  ") + path);
    return false;
  }
  return true;
}
