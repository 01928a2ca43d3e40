#include "mailer_registry_win.h"

#include <windows.h>

#include <algorithm>
#include <cstring>

MailerSettings g_mailerSettings;

namespace {
const char kKey[] = "Software\\Ashgrove Software\\Postlark";
constexpr DWORD kMaxString = 1000;
constexpr DWORD kMaxList = 100000;

class PostlarkKey {
 public:
  PostlarkKey() {
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~PostlarkKey() {
    if (key_) ::RegCloseKey(key_);
  }
  PostlarkKey(const PostlarkKey&) = delete;
  PostlarkKey& operator=(const PostlarkKey&) = delete;

  // The value's bytes when it exists with the type; false otherwise.
  bool Read(const char* name, DWORD wantedType, std::string& bytes, DWORD limit) const {
    DWORD type = 0, size = 0;
    if (!key_ || ::RegQueryValueExA(key_, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != wantedType)
      return false;
    bytes.assign(std::min(size, limit), '\0');
    size = static_cast<DWORD>(bytes.size());
    LONG result = ::RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(&bytes[0]), &size);
    if (result == ERROR_MORE_DATA) return true;  // a longer value than kept: its first bytes
    if (result != ERROR_SUCCESS) return false;
    bytes.resize(size);
    return true;
  }
  void Write(const char* name, DWORD type, const void* bytes, DWORD size) const {
    if (key_) ::RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(bytes), size);
  }

 private:
  HKEY key_ = nullptr;
};
}  // namespace

int ReadRegDword(const char* name, int fallback) {
  std::string bytes;
  if (!PostlarkKey().Read(name, REG_DWORD, bytes, sizeof(DWORD)) || bytes.size() != sizeof(DWORD)) return fallback;
  DWORD value;
  std::memcpy(&value, bytes.data(), sizeof value);
  return static_cast<int>(value);
}

std::string ReadRegString(const char* name, const std::string& fallback) {
  std::string bytes;
  if (!PostlarkKey().Read(name, REG_SZ, bytes, kMaxString)) return fallback;
  bytes = bytes.substr(0, bytes.find('\0'));
  return bytes.empty() ? fallback : bytes;
}

std::vector<std::string> ReadRegList(const char* name) {
  std::string bytes;
  if (!PostlarkKey().Read(name, REG_BINARY, bytes, kMaxList)) return {};
  return ReadDoubleNulList(bytes.data(), bytes.size());
}

void WriteRegDword(const char* name, int value) {
  const DWORD dword = static_cast<DWORD>(value);
  PostlarkKey().Write(name, REG_DWORD, &dword, sizeof dword);
}

void WriteRegString(const char* name, const std::string& value) {
  PostlarkKey().Write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size()));
}

void WriteRegList(const char* name, const std::vector<std::string>& entries) {
  const std::string list = MakeDoubleNulList(entries);
  PostlarkKey().Write(name, REG_BINARY, list.data(), static_cast<DWORD>(list.size()));
}

void LoadMailerSettings(MailerSettings& settings) {
  const MailerSettings defaults;
  settings.smtpHost = ReadRegString("SMTP_host", defaults.smtpHost);
  settings.replyTo = ReadRegString("SMTP_replyto", defaults.replyTo);
  settings.contactNames = ReadRegList("Contacts");
  settings.contactAddresses = ReadRegList("Addresses");
  settings.doResize = ReadRegDword("DoResize", defaults.doResize);
  settings.resizeWidth = AtLeastOne(ReadRegDword("ResizeWidth", defaults.resizeWidth));
  settings.resizeHeight = AtLeastOne(ReadRegDword("ResizeHeight", defaults.resizeHeight));
  settings.resizeQuality = AtLeastOne(ReadRegDword("ResizeQuality", defaults.resizeQuality));
  settings.firstUse = ReadRegDword("FirstUse", defaults.firstUse);
}
