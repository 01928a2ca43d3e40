#include "quick_web_names.h"

namespace {

std::string Folded(std::string name) {
  for (char& c : name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return name;
}

std::string Numbered(const std::string& part, int number) {
  return number < 2 ? part : part + "_" + std::to_string(number);
}

}  // namespace

std::string QuickWebNamePart(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  return dot == std::string::npos ? fileName : fileName.substr(0, dot);
}

bool QuickWebNaming::Free(const std::string& fileName) const { return taken_.count(Folded(fileName)) == 0; }

void QuickWebNaming::Take(const std::string& fileName) { taken_.insert(Folded(fileName)); }

std::string QuickWebNaming::Reserve(const std::string& fileName) {
  const size_t dot = fileName.rfind('.');
  const std::string part = dot == std::string::npos ? fileName : fileName.substr(0, dot);
  const std::string extension = dot == std::string::npos ? "" : fileName.substr(dot);
  for (int number = 1;; ++number) {
    const std::string candidate = Numbered(part, number) + extension;
    if (Free(candidate)) {
      Take(candidate);
      return candidate;
    }
  }
}

QuickWebNames QuickWebNaming::ForPicture(const std::string& sourceName) {
  const std::string part = QuickWebNamePart(sourceName);
  for (int number = 1;; ++number) {
    const std::string numbered = Numbered(part, number);
    const QuickWebNames names{numbered + ".jpg", "tn_" + numbered + ".jpg", numbered + ".htm"};
    if (Free(names.image) && Free(names.thumbnail) && Free(names.page)) {
      Take(names.image);
      Take(names.thumbnail);
      Take(names.page);
      return names;
    }
  }
}
