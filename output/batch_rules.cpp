#include "batch_rules.h"

#include <algorithm>
#include <cctype>
#include <set>

#include "file_system.h"

const char kBatchRootMessage[] = "Sorry, you can't batch process into the root directory";
const char kBatchNoFolderMessage[] =
    "The specified destination path does not exist,\nis not a directory, or is read only";
const char kBatchOverwritesSourceMessage[] =
    "The destination folder holds the pictures to be processed,\nand their new files would replace them.\n"
    "Choose another destination folder or another output format.";

namespace {

const char* const kFormatExtensions[] = {".jpg", ".gif", ".bmp", ".png", ".tif"};

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// Windows compares file names without regard to letter case.
std::string Folded(const std::string& path) {
  std::string folded = path;
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](unsigned char c) { return IsSeparator(char(c)) ? '\\' : char(std::tolower(c)); });
  return folded;
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

std::string BatchDestinationProblem(const std::string& folder, const std::vector<std::string>& sources, int format) {
  if (folder.size() == 2 && folder[1] == ':') return kBatchRootMessage;
  if (platform::KindOfPath(folder) != platform::PathKind::kDirectory || platform::IsReadOnlyFile(folder))
    return kBatchNoFolderMessage;
  for (const std::string& source : sources)
    if (Folded(BatchOutputPath(folder, source, format)) == Folded(source)) return kBatchOverwritesSourceMessage;
  return {};
}

void RemoveDuplicateRows(std::vector<std::string>& rows) {
  std::set<std::string> seen;
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](const std::string& row) { return !seen.insert(row).second; }),
             rows.end());
}
