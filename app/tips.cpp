#include "tips.h"

namespace {

constexpr int kCentreLines = 6;
constexpr int kTallTip = 8;

}  // namespace

// Blank lines above a short tip centre it in the dialog's text area.
bool TipText(const std::string& tips, int n, std::string& text) {
  if (n < 1) return false;
  size_t start = 0;
  for (int i = 1; i < n; ++i) {
    const size_t separator = tips.find('~', start);
    if (separator == std::string::npos) return false;
    start = separator + 1;
  }
  if (start >= tips.size() || tips[start] == '~') return false;  // "~~" ends the list
  start = tips.find_first_not_of("\r\n ", start);
  if (start == std::string::npos) return false;
  const size_t end = tips.find('~', start);
  const std::string tip = tips.substr(start, end == std::string::npos ? std::string::npos : end - start);
  int lines = 1;
  for (char c : tip) lines += c == '\r';
  text.clear();
  for (int i = lines >= kTallTip ? 0 : (kCentreLines - lines) / 2 + 1; i > 0; --i) text += "\r\n";
  text += tip;
  return true;
}
