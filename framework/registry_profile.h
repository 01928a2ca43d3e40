#pragma once
// A profile under HKEY_CURRENT_USER\Software\<company>\<program>, one subkey per section; ints as
// DWORD values, strings as string values. Every write goes to the registry at once.
#include <string>

#include "profile.h"

class RegistryProfile : public Profile {
 public:
  RegistryProfile(const std::string& company, const std::string& program);

  int GetInt(const std::string& section, const std::string& name, int defaultValue) override;
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& defaultValue) override;
  bool WriteInt(const std::string& section, const std::string& name, int value) override;
  bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
  bool Flush() override { return true; }

 private:
  std::string root_;  // Software\<company>\<program>
};
