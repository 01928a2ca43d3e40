#include "ini_profile.h"

#include <cstdio>

#include "file_system.h"
#include "number_text.h"

namespace {

// Whatever can be read of the file; nothing when it is missing or unreadable.
std::string ReadWholeFile(const std::string& path) {
  std::string text;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return text;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
  std::fclose(file);
  return text;
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const bool flushed = std::fflush(file) == 0;
  return std::fclose(file) == 0 && written && flushed;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)), document_(ReadWholeFile(path_)) {}

int IniProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) {
  std::string text;
  int value = defaultValue;
  if (document_.Find(section, name, text) && ParseLeadingDecimalInt(text, value)) return value;
  return defaultValue;
}

std::string IniProfile::GetString(const std::string& section, const std::string& name,
                                  const std::string& defaultValue) {
  std::string value;
  return document_.Find(section, name, value) ? value : defaultValue;
}

bool IniProfile::WriteInt(const std::string& section, const std::string& name, int value) {
  return WriteString(section, name, std::to_string(value));
}

bool IniProfile::WriteString(const std::string& section, const std::string& name, const std::string& value) {
  document_.Set(section, name, value);
  changed_ = true;
  return true;
}

bool IniProfile::Flush() {
  if (!changed_) return true;
  const std::string temporary = platform::TemporaryNameBeside(path_);
  if (temporary.empty()) return false;
  if (!WriteWholeFile(temporary, document_.Text()) || !platform::ReplaceFileWith(temporary, path_)) {
    platform::RemoveFile(temporary);
    return false;
  }
  changed_ = false;
  return true;
}
