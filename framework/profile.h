#pragma once
// Where the program keeps its settings: values named by (section, value name), read with a
// default for what is missing. Two stores exist: the registry key (Windows 95-family systems)
// and the program's INI file (NT-family systems).
#include <string>

class Profile {
 public:
  virtual ~Profile() = default;

  virtual int GetInt(const std::string& section, const std::string& name, int defaultValue) = 0;
  virtual std::string GetString(const std::string& section, const std::string& name,
                                const std::string& defaultValue) = 0;
  virtual bool WriteInt(const std::string& section, const std::string& name, int value) = 0;
  virtual bool WriteString(const std::string& section, const std::string& name, const std::string& value) = 0;

  // Makes the writes so far permanent; false when they could not be stored (what was stored
  // before is then still there).
  virtual bool Flush() = 0;
};
