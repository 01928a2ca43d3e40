#pragma once
// A profile kept in an INI file. The file is read once; writes change the text in memory, and
// Flush writes the whole file beside the old one and swaps it in, so an interrupted save never
// leaves a half-written settings file.
#include <string>

#include "ini_document.h"
#include "profile.h"

class IniProfile : public Profile {
 public:
  explicit IniProfile(std::string path);

  int GetInt(const std::string& section, const std::string& name, int defaultValue) override;
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& defaultValue) override;
  bool WriteInt(const std::string& section, const std::string& name, int value) override;
  bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
  bool Flush() override;

  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  IniDocument document_;
  bool changed_ = false;
};
