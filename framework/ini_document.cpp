#include "ini_document.h"

#include <cctype>

namespace {

std::string Trimmed(const std::string& text) {
  const size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string::npos) return std::string();
  const size_t last = text.find_last_not_of(" \t\r");
  return text.substr(first, last - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

bool NeedsQuotes(const std::string& value) {
  if (value.empty()) return false;
  if (value.front() == ' ' || value.back() == ' ' || value.front() == '"') return true;
  return value.find_first_of("\r\n\t") != std::string::npos;
}

}  // namespace

IniDocument::IniDocument(const std::string& text) {
  std::string section;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;

    const std::string trimmed = Trimmed(line);
    std::string name;
    if (trimmed.size() >= 2 && trimmed.front() == '[' && trimmed.back() == ']') {
      section = Trimmed(trimmed.substr(1, trimmed.size() - 2));
    } else if (!trimmed.empty() && trimmed.front() != ';') {
      const size_t equals = trimmed.find('=');
      if (equals != std::string::npos) name = Trimmed(trimmed.substr(0, equals));
    }
    lines_.push_back({line, section, name});
  }
}

bool IniDocument::Find(const std::string& section, const std::string& name, std::string& value) const {
  for (const Line& line : lines_) {
    if (line.name.empty() || !SameName(line.section, section) || !SameName(line.name, name)) continue;
    value = Unquote(Trimmed(line.text.substr(line.text.find('=') + 1)));
    return true;
  }
  return false;
}

void IniDocument::Set(const std::string& section, const std::string& name, const std::string& value) {
  const std::string text = name + "=" + Quote(value);
  size_t endOfSection = lines_.size();
  bool sectionSeen = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    Line& line = lines_[i];
    if (!SameName(line.section, section)) continue;
    if (!line.name.empty() && SameName(line.name, name)) {
      line.text = text;
      return;
    }
    sectionSeen = true;
    if (!Trimmed(line.text).empty()) endOfSection = i + 1;
  }
  if (!sectionSeen) {
    if (!lines_.empty() && !Trimmed(lines_.back().text).empty()) lines_.push_back({"", lines_.back().section, ""});
    lines_.push_back({"[" + section + "]", section, ""});
    endOfSection = lines_.size();
  }
  lines_.insert(lines_.begin() + long(endOfSection), {text, section, name});
}

std::string IniDocument::Text() const {
  std::string text;
  for (const Line& line : lines_) text += line.text + "\r\n";
  return text;
}

std::string IniDocument::Quote(const std::string& value) {
  if (!NeedsQuotes(value)) return value;
  std::string quoted = "\"";
  for (char c : value) {
    switch (c) {
      case '\\': quoted += "\\\\"; break;
      case '"': quoted += "\\\""; break;
      case '\n': quoted += "\\n"; break;
      case '\r': quoted += "\\r"; break;
      case '\t': quoted += "\\t"; break;
      default: quoted += c;
    }
  }
  return quoted + "\"";
}

std::string IniDocument::Unquote(const std::string& stored) {
  if (stored.size() < 2 || stored.front() != '"' || stored.back() != '"') return stored;
  std::string value;
  for (size_t i = 1; i + 1 < stored.size(); ++i) {
    const char c = stored[i];
    if (c != '\\' || i + 2 >= stored.size()) {
      value += c;
      continue;
    }
    const char next = stored[++i];
    switch (next) {
      case '\\': value += '\\'; break;
      case '"': value += '"'; break;
      case 'n': value += '\n'; break;
      case 'r': value += '\r'; break;
      case 't': value += '\t'; break;
      default: value += '\\'; value += next;  // not an escape of ours: keep it as written
    }
  }
  return value;
}
