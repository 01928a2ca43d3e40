#include "rename_pattern.h"

#include <cctype>
#include <cstdio>

namespace {

std::string BaseName(const std::string& name) {
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

void ReplaceFirst(std::string& text, char placeholder, const std::string& by) {
  const size_t at = text.find(placeholder);
  if (at != std::string::npos) text.replace(at, 1, by);
}

}  // namespace

std::string PatternName(const std::string& pattern, const std::string& oldName, int number, int fileCount) {
  char digits[16];
  std::snprintf(digits, sizeof digits, fileCount < 100 ? "%02i" : "%03i", number);
  const bool hasNumber = pattern.find('#') != std::string::npos;
  const bool hasOldName = pattern.find('*') != std::string::npos;
  if (!hasNumber && !hasOldName) return pattern + digits;
  // The old name goes in last, so that a "#" inside it is not taken for the number.
  std::string name = pattern;
  const size_t star = name.find('*');
  if (hasNumber) {
    const size_t hash = name.find('#');
    name.replace(hash, 1, digits);
    if (hasOldName && hash < star) {
      name.replace(star + std::string(digits).size() - 1, 1, BaseName(oldName));
      return name;
    }
  }
  ReplaceFirst(name, '*', BaseName(oldName));
  return name;
}

std::string WithOldExtension(const std::string& typedName, const std::string& oldName) {
  std::string name = BaseName(typedName);
  const size_t dot = oldName.rfind('.');
  if (dot == std::string::npos) return name;
  for (size_t i = dot; i < oldName.size(); ++i)
    name += char(std::tolower(static_cast<unsigned char>(oldName[i])));
  return name;
}
