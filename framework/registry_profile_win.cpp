#include <windows.h>

#include <vector>

#include "registry_profile.h"

namespace {

class Key {
 public:
  Key(const std::string& path, bool create) {
    const LONG status =
        create ? ::RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_READ | KEY_WRITE, nullptr, &key_, nullptr)
               : ::RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key_);
    if (status != ERROR_SUCCESS) key_ = nullptr;
  }
  ~Key() {
    if (key_) ::RegCloseKey(key_);
  }
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

}  // namespace

RegistryProfile::RegistryProfile(const std::string& company, const std::string& program)
    : root_("Software\\" + company + "\\" + program) {}

int RegistryProfile::GetInt(const std::string& section, const std::string& name, int defaultValue) {
  Key key(root_ + "\\" + section, false);
  DWORD type = 0, value = 0, size = sizeof value;
  if (!key.get() || ::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD)
    return defaultValue;
  return int(value);
}

std::string RegistryProfile::GetString(const std::string& section, const std::string& name,
                                       const std::string& defaultValue) {
  Key key(root_ + "\\" + section, false);
  DWORD type = 0, size = 0;
  if (!key.get() || ::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return defaultValue;
  std::vector<char> text(size + 1, '\0');
  if (::RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
      ERROR_SUCCESS)
    return defaultValue;
  return std::string(text.data());
}

bool RegistryProfile::WriteInt(const std::string& section, const std::string& name, int value) {
  Key key(root_ + "\\" + section, true);
  const DWORD stored = DWORD(value);
  return key.get() && ::RegSetValueExA(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&stored),
                                       sizeof stored) == ERROR_SUCCESS;
}

bool RegistryProfile::WriteString(const std::string& section, const std::string& name, const std::string& value) {
  Key key(root_ + "\\" + section, true);
  return key.get() && ::RegSetValueExA(key.get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                       DWORD(value.size() + 1)) == ERROR_SUCCESS;
}
