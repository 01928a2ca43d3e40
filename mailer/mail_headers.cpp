#include "mail_headers.h"

#include <cstring>
#include <vector>

namespace {
// Encoded words may run to 75 characters; shorter ones let the first fit beside "Subject: "
// within 78 columns.
constexpr size_t kMaxEncodedWord = 66;
constexpr size_t kFoldColumn = 78;
// A run without spaces longer than this could not be folded into 78 columns; it is encoded,
// which splits it into words.
constexpr size_t kLongestPlainWord = 70;
const char kHexDigits[] = "0123456789ABCDEF";

bool IsPlainByte(unsigned char c) { return c >= 0x20 && c < 0x7F; }

bool IsPlain(const std::string& text) {
  size_t run = 0;
  for (unsigned char c : text) {
    if (!IsPlainByte(c)) return false;
    run = c == ' ' ? 0 : run + 1;
    if (run > kLongestPlainWord) return false;
  }
  // A plain text that looks like an encoded word would be decoded by the reader.
  return text.find("=?") == std::string::npos;
}

// One character inside an encoded word ("Q" encoding, with the rules for display names too).
std::string QToken(unsigned char c) {
  if (c == ' ') return "_";
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
      std::strchr("!*+-/", c))
    return std::string(1, static_cast<char>(c));
  return {'=', kHexDigits[c >> 4], kHexDigits[c & 15]};
}

std::string EncodedWords(const std::string& text) {
  const std::string prefix = std::string("=?") + TextCharset(text) + "?Q?";
  const size_t room = kMaxEncodedWord - prefix.size() - 2;
  std::string result, word;
  for (unsigned char c : text) {
    const std::string token = QToken(c);
    if (word.size() + token.size() > room) {
      result += (result.empty() ? "" : " ") + prefix + word + "?=";
      word.clear();
    }
    word += token;
  }
  if (!word.empty() || result.empty()) result += (result.empty() ? "" : " ") + prefix + word + "?=";
  return result;
}

std::string Trim(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasSpecials(const std::string& text) { return text.find_first_of("()<>@,;:\\\".[]") != std::string::npos; }

std::string QuotedString(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + '"';
}

std::string DisplayName(std::string name) {
  name = Trim(name);
  if (name.size() >= 2 && name.front() == '"' && name.back() == '"') name = name.substr(1, name.size() - 2);
  if (!IsPlain(name)) return EncodedWords(name);
  return HasSpecials(name) ? QuotedString(name) : name;
}

std::string EncodeAddress(const std::string& item) {
  const size_t open = item.rfind('<');
  const size_t close = open == std::string::npos ? open : item.find('>', open);
  if (close == std::string::npos) return Trim(item);
  const std::string address = item.substr(open, close - open + 1);
  const std::string name = DisplayName(item.substr(0, open));
  return name.empty() ? address : name + " " + address;
}
}  // namespace

std::vector<std::string> SplitAddressList(const std::string& list) {
  std::vector<std::string> items;
  std::string item;
  bool quoted = false;
  int depth = 0;
  for (char c : list) {
    if (c == '"') quoted = !quoted;
    if (!quoted && (c == '<' || c == '(')) ++depth;
    if (!quoted && (c == '>' || c == ')') && depth > 0) --depth;
    if (c == ',' && !quoted && depth == 0) {
      items.push_back(item);
      item.clear();
    } else {
      item += c;
    }
  }
  items.push_back(item);
  return items;
}

const char* TextCharset(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80 && c <= 0x9F) return "windows-1252";
  return "ISO-8859-1";
}

std::string SingleLine(const std::string& text) {
  std::string line = text;
  for (char& c : line)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return line;
}

std::string EncodeHeaderWord(const std::string& text) {
  const std::string line = SingleLine(text);
  return IsPlain(line) ? line : EncodedWords(line);
}

std::string EncodeAddressList(const std::string& list) {
  std::string result;
  for (const std::string& item : SplitAddressList(SingleLine(list))) {
    const std::string address = EncodeAddress(item);
    if (address.empty()) continue;
    result += (result.empty() ? "" : ", ") + address;
  }
  return result;
}

std::string HeaderLine(const std::string& name, const std::string& value) {
  std::string rest = name + ": " + SingleLine(value);
  std::string folded;
  size_t minimum = name.size() + 2;  // never fold between the name and its value
  while (rest.size() > kFoldColumn) {
    size_t cut = rest.rfind(' ', kFoldColumn);
    if (cut == std::string::npos || cut < minimum) cut = rest.find(' ', kFoldColumn);
    if (cut == std::string::npos) break;
    folded += rest.substr(0, cut) + "\r\n";
    rest.erase(0, cut);  // the space stays as the continuation line's indent
    minimum = 1;
    if (rest.find_first_not_of(' ') == std::string::npos) break;
  }
  return folded + rest + "\r\n";
}

std::string MimeParameter(const std::string& name, const std::string& value) {
  const std::string line = SingleLine(value);
  bool ascii = true;
  for (unsigned char c : line) ascii = ascii && c < 0x80;
  if (ascii) return name + "=" + QuotedString(line);
  std::string encoded = name + "*=" + TextCharset(line) + "''";
  for (unsigned char c : line) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || std::strchr("!#$&+-.^_`|~", c))
      encoded += static_cast<char>(c);
    else
      encoded += {'%', kHexDigits[c >> 4], kHexDigits[c & 15]};
  }
  return encoded;
}
