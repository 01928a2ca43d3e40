#include "test_files.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <cctype>
#include <iterator>
#include <random>
#include <system_error>

namespace fs = std::filesystem;

std::string SystemPath(const std::string& unixPath) {
#ifdef _WIN32
  return "Z:" + unixPath;
#else
  return unixPath;
#endif
}

std::string CorpusPath(const std::string& relative) {
  const std::string unixPath = std::string(VIRELDAN_CORPUS_DIR) + "/" + relative;
  std::error_code error;
  return fs::exists(unixPath, error) ? SystemPath(unixPath) : std::string();
}

std::vector<std::string> FilesIn(const std::string& unixFolder, const std::vector<std::string>& extensions) {
  std::vector<std::string> found;
  std::error_code error;
  // A folder already in the program's terms (from CorpusPath) is taken as it is.
  const std::string folder = !unixFolder.empty() && unixFolder[0] == '/' ? SystemPath(unixFolder) : unixFolder;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    std::string ext = entry.path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    if (std::find(extensions.begin(), extensions.end(), ext) != extensions.end())
      found.push_back(entry.path().string());
  }
  std::sort(found.begin(), found.end());
  return found;
}

namespace {

struct TempFolder {
  fs::path path;
  TempFolder() {
    path = fs::temp_directory_path() / ("ravelight-tests-" + std::to_string(std::random_device{}()));
    fs::create_directories(path);
  }
  ~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path, ignored);
  }
};

}  // namespace

std::string TempPath(const std::string& name) {
  static TempFolder folder;
  return (folder.path / name).string();
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::vector<uint8_t> WrittenBytes(const std::function<bool(FILE*)>& write, const std::string& extension) {
  static int serial = 0;
  const std::string path = TempPath("written" + std::to_string(++serial) + extension);
  FILE* stream = std::fopen(path.c_str(), "wb");
  if (!stream) return {};
  const bool done = write(stream);
  std::fclose(stream);
  return done ? ReadBytes(path) : std::vector<uint8_t>{};
}
