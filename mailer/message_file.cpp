#include "message_file.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr size_t kMaxFile = 70000;
constexpr size_t kMaxHeaderValue = 1000;
constexpr size_t kMaxText = 65000;

// Takes the line at pos (to its CR or LF) and the run of line ends after it; the value follows
// the prefix when the line starts with it.
std::string TakeHeaderLine(const std::string& bytes, size_t& pos, const char* prefix) {
  const size_t end = std::min(bytes.find_first_of("\r\n", pos), bytes.size());
  std::string value;
  const size_t prefixLength = std::strlen(prefix);
  if (bytes.compare(pos, prefixLength, prefix) == 0 && pos + prefixLength <= end)
    value = bytes.substr(pos + prefixLength, std::min(end - pos - prefixLength, kMaxHeaderValue));
  pos = std::min(bytes.find_first_not_of("\r\n", end), bytes.size());
  return value;
}
}  // namespace

std::string FormatMessageFile(const MessageFields& fields) {
  std::string file = "To:" + fields.to + "\nCc:" + fields.cc + "\nSubject:" + fields.subject + "\n" + fields.text;
  return file + '\0';
}

MessageFields ParseMessageFile(const std::string& whole) {
  const std::string bytes = whole.substr(0, std::min(whole.size(), kMaxFile));
  MessageFields fields;
  size_t pos = 0;
  fields.to = TakeHeaderLine(bytes, pos, "To:");
  fields.cc = TakeHeaderLine(bytes, pos, "Cc:");
  fields.subject = TakeHeaderLine(bytes, pos, "Subject:");
  const std::string rest = bytes.substr(pos, kMaxText);
  fields.text = rest.substr(0, rest.find('\0'));
  return fields;
}

std::string EnsureTxtExtension(const std::string& name) {
  const size_t size = name.size();
  if (size >= 4 && (name.compare(size - 4, 4, ".txt") == 0 || name.compare(size - 4, 4, ".TXT") == 0)) return name;
  return name + ".txt";
}
