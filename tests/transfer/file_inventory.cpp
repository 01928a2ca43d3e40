#include "file_inventory.h"

#include <fstream>
#include <sstream>

#include <gtest/gtest.h>

#include "file_system.h"
#include "folder_entries.h"

std::string PathBelow(const std::string& root, const std::string& relative) {
  std::string path = root;
  for (const char c : "/" + relative) path += c == '/' ? platform::kPathSeparator : c;
  while (!path.empty() && path.back() == platform::kPathSeparator) path.pop_back();
  return path;
}

void WriteLayout(const std::string& root, const FileLayout& layout) {
  platform::CreateDirectoryChain(root);
  for (const auto& [relative, bytes] : layout) {
    const std::string path = PathBelow(root, relative);
    if (relative.back() == '/') {
      ASSERT_TRUE(platform::CreateDirectoryChain(path)) << path;
      continue;
    }
    const size_t slash = relative.rfind('/');
    if (slash != std::string::npos) platform::CreateDirectoryChain(PathBelow(root, relative.substr(0, slash)));
    std::ofstream(path, std::ios::binary) << bytes;
    ASSERT_EQ(platform::KindOfPath(path), platform::PathKind::kFile) << path;
  }
}

namespace {

void ReadFolder(const std::string& folder, const std::string& prefix, FileLayout& layout) {
  platform::ListFolder(folder, [&](const platform::FolderEntry& entry) {
    const std::string path = folder + platform::kPathSeparator + entry.name;
    if (entry.stamp.directory) {
      layout[prefix + entry.name + "/"];
      ReadFolder(path, prefix + entry.name + "/", layout);
    } else {
      std::ifstream file(path, std::ios::binary);
      std::ostringstream bytes;
      bytes << file.rdbuf();
      layout[prefix + entry.name] = bytes.str();
    }
    return true;
  });
}

bool IsTemporaryName(const std::string& relative) {
  const std::string name = relative.substr(relative.rfind('/') + 1);
  return name.rfind("~vl", 0) == 0 && name.size() > 4 && name.compare(name.size() - 4, 4, ".tmp") == 0;
}

std::map<std::string, int> CountBytes(const std::vector<FileLayout>& layouts) {
  std::map<std::string, int> counts;
  for (const FileLayout& layout : layouts)
    for (const auto& [relative, bytes] : layout)
      if (relative.back() != '/') ++counts[bytes];
  return counts;
}

}  // namespace

FileLayout ReadLayout(const std::string& root) {
  FileLayout layout;
  ReadFolder(root, "", layout);
  return layout;
}

void ExpectInventoryKept(const std::vector<FileLayout>& before, const std::vector<FileLayout>& after,
                         TransferKind kind, const std::set<std::string>& replacedBytes) {
  for (const FileLayout& layout : after)
    for (const auto& entry : layout) EXPECT_FALSE(IsTemporaryName(entry.first)) << "left behind: " << entry.first;
  const std::map<std::string, int> counts = CountBytes(after);
  for (const auto& [bytes, count] : CountBytes(before)) {
    ASSERT_EQ(count, 1) << "the bytes \"" << bytes << "\" are not unique before the transfer";
    const auto found = counts.find(bytes);
    const int now = found == counts.end() ? 0 : found->second;
    if (now == 0 && replacedBytes.count(bytes)) continue;
    if (kind == TransferKind::kMove)
      EXPECT_EQ(now, 1) << "\"" << bytes << "\" after a move";
    else
      EXPECT_TRUE(now == 1 || now == 2) << "\"" << bytes << "\" exists " << now << " times after a copy";
  }
}
