#include "batch_rules.h"

#include <algorithm>
#include <set>

#include "file_system.h"

const char kBatchRootMessage[] = "Sorry, you can't batch process into the root directory";
const char kBatchNoFolderMessage[] =
    "The specified destination path does not exist,\nis not a directory, or is read only";

namespace {

const char* const kFormatExtensions[] = {".jpg", ".gif", ".bmp", ".png", ".tif"};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A drive's or a share's top folder however it is written: "C:", "C:\\", "c:/", "\\" (the
// current drive's), "\\\\server\\share\\".
bool IsRootFolder(const std::string& folder) {
  size_t end = folder.size();
  while (end > 0 && IsSeparator(folder[end - 1])) --end;
  const std::string trimmed = folder.substr(0, end);
  if (trimmed.empty()) return !folder.empty();
  if (trimmed.size() == 2 && trimmed[1] == ':') return true;
  if (trimmed.size() < 3 || !IsSeparator(trimmed[0]) || !IsSeparator(trimmed[1])) return false;
  const size_t server = trimmed.find_first_of("\\/", 2);
  return server == std::string::npos || trimmed.find_first_of("\\/", server + 1) == std::string::npos;
}

}  // namespace

bool BatchTargetSize(int targetsize, int customWidth, int customHeight, BatchSize* size) {
  static const BatchSize kFixed[] = {{640, 480}, {800, 600}, {1024, 768}};
  if (targetsize >= 0 && targetsize <= 2) {
    *size = kFixed[targetsize];
    return true;
  }
  if (targetsize == 3) {
    *size = {customWidth, customHeight};
    return true;
  }
  return false;
}

BatchSize SolidBorderCanvas(int borderWidth, int borderHeight, BatchSize picture) {
  if (borderHeight > picture.height && borderWidth > picture.width) return {borderWidth, borderHeight};
  return {borderWidth + picture.width, borderHeight + picture.height};
}

std::string BatchOutputPath(const std::string& folder, const std::string& source, int format) {
  const size_t slash = source.find_last_of("\\/");
  std::string name = slash == std::string::npos ? source : source.substr(slash + 1);
  if (format >= 1 && format <= 5) {
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    name += kFormatExtensions[format - 1];
  }
  std::string path = folder;
  if (path.empty() || !IsSeparator(path.back())) path += platform::kPathSeparator;
  return path + name;
}

std::string BatchDestinationProblem(const std::string& folder) {
  if (IsRootFolder(folder)) return kBatchRootMessage;
  if (platform::KindOfPath(folder) != platform::PathKind::kDirectory || platform::IsReadOnlyFile(folder))
    return kBatchNoFolderMessage;
  return {};
}

void RemoveDuplicateRows(std::vector<std::string>& rows) {
  std::set<std::string> seen;
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](const std::string& row) { return !seen.insert(row).second; }),
             rows.end());
}
