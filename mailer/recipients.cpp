#include "recipients.h"

#include <algorithm>
#include <cctype>

#include "mail_headers.h"

namespace {
bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::vector<std::string> Split(const std::string& text, const char* separators) {
  std::vector<std::string> pieces;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find_first_of(separators, start);
    pieces.push_back(text.substr(start, end - start));
    if (end == std::string::npos) return pieces;
    start = end + 1;
  }
}

// Drops a "(" comment up to its ")" and a "'" part up to the next "'"; an unclosed one
// runs to the end of the field.
std::string CleanField(const std::string& field) {
  std::string clean;
  for (size_t i = 0; i < field.size(); ++i) {
    const char c = field[i];
    if (c == '(' || c == '\'') {
      const size_t end = field.find(c == '(' ? ')' : '\'', i + 1);
      if (end == std::string::npos) break;
      i = end;
      continue;
    }
    clean += c;
  }
  return clean;
}
}  // namespace

std::vector<std::string> EnvelopeAddresses(const std::string& field) {
  std::vector<std::string> addresses;
  for (const std::string& item : SplitAddressList(SingleLine(field))) {
    const size_t open = item.rfind('<');
    const size_t close = open == std::string::npos ? open : item.find('>', open);
    if (close != std::string::npos) {
      const std::string inside = CleanField(item.substr(open + 1, close - open - 1));
      if (!inside.empty()) addresses.push_back(inside);
      continue;
    }
    for (const std::string& address : Split(CleanField(item), " \t"))
      if (!address.empty()) addresses.push_back(address);
  }
  return addresses;
}

std::string ResolveRecipients(const std::string& text, const std::vector<Contact>& contacts) {
  if (text.empty()) return text;
  std::string joined;
  bool first = true;
  for (const std::string& piece : Split(text, ",")) {
    std::string resolved = piece;
    for (const Contact& contact : contacts)
      if (SameIgnoringCase(piece, contact.name)) {
        resolved = contact.address;
        break;
      }
    joined += (first ? "" : ",") + resolved;
    first = false;
  }
  return joined;
}
