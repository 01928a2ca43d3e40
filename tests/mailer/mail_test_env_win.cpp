#include "mail_test_env_win.h"

#include <cstdlib>

namespace {
const char kKey[] = "Software\\Ashgrove Software\\Postlark";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}
}  // namespace

std::string TestFilePath(const std::string& name) {
  std::string path = "Z:" + Env("POSTLARK_FILES") + "/" + name;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

std::string LocalServer(const char* portVariable) { return "127.0.0.1:" + Env(portVariable); }

void StoreMailValue(const char* name, DWORD type, const std::string& bytes) {
  HKEY key;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != ERROR_SUCCESS)
    return;
  ::RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()));
  ::RegCloseKey(key);
}

std::string StoredMailValue(const char* name) {
  HKEY key;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
  char bytes[2000] = {};
  DWORD size = sizeof bytes;
  const bool read = ::RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(bytes), &size) == ERROR_SUCCESS;
  ::RegCloseKey(key);
  return read ? std::string(bytes, size) : std::string();
}

void StoreMailSettings() {
  const std::string zero(4, '\0');
  StoreMailValue("SMTP_host", REG_SZ, LocalServer("POSTLARK_SMTP"));
  StoreMailValue("SMTP_replyto", REG_SZ, "me@example.com");
  StoreMailValue("FirstUse", REG_DWORD, zero);
  StoreMailValue("DoResize", REG_DWORD, zero);
}
