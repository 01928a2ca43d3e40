#include "ini_profile.h"

#include "file_system.h"
#include "number_text.h"
#include "whole_file.h"

namespace {

// Whatever can be read of the file; nothing when it is missing or unreadable.
std::string WholeText(const std::string& path) {
  std::string text;
  platform::ReadWholeFile(path, text);
  return text;
}

}  // namespace

IniProfile::IniProfile(std::string path) : path_(std::move(path)), document_(WholeText(path_)) {}

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
  if (!platform::WriteWholeFile(temporary, document_.Text()) || !platform::ReplaceFileWith(temporary, path_)) {
    platform::RemoveFile(temporary);
    return false;
  }
  changed_ = false;
  return true;
}
