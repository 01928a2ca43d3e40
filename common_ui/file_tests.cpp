#include "file_tests.h"

#include <cstdio>
#include <cstring>
#include <memory>

#include "file_system.h"
#include "stream_size.h"

namespace {

struct FileCloser {
  void operator()(FILE* file) const {
    if (file) std::fclose(file);
  }
};
using File = std::unique_ptr<FILE, FileCloser>;

constexpr size_t kBlock = 65536;

}  // namespace

bool IsDirectory(const std::string& path) { return platform::KindOfPath(path) == platform::PathKind::kDirectory; }

bool IsPlainFile(const std::string& path) { return platform::KindOfPath(path) == platform::PathKind::kFile; }

int64_t GetFileLength(const std::string& path) {
  File file(std::fopen(path.c_str(), "rb"));
  if (!file) return 0;
  const int64_t size = platform::StreamSize(file.get());
  return size < 0 ? 0 : size;
}

int CompareFiles(const std::string& pathA, const std::string& pathB) {
  File a(std::fopen(pathA.c_str(), "rb")), b(std::fopen(pathB.c_str(), "rb"));
  if (!a || !b) return 0;
  std::unique_ptr<char[]> blockA(new char[kBlock]), blockB(new char[kBlock]);
  for (;;) {
    const size_t readA = std::fread(blockA.get(), 1, kBlock, a.get());
    const size_t readB = std::fread(blockB.get(), 1, kBlock, b.get());
    if (readA != readB || std::memcmp(blockA.get(), blockB.get(), readA) != 0) return 0;
    if (readA < kBlock) return std::ferror(a.get()) || std::ferror(b.get()) ? 0 : 1;
  }
}
