#include "name_prefix.h"

namespace {

constexpr size_t kMinGroup = 6;
constexpr size_t kMaxGroup = 200;

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSeriesChar(char c) { return IsAsciiLetter(c) || c == ' ' || c == '-' || c == '_'; }

size_t DigitsFrom(const std::string& name, size_t from, size_t end) {
  size_t at = from;
  while (at < end && IsDigit(name[at])) ++at;
  return at - from;
}

}  // namespace

bool NamePrefix::Matches(const std::string& name, const std::string& other) const {
  return other.size() >= start + length && other.compare(start, length, name, start, length) == 0;
}

NamePrefix GetNamePrefix(const std::string& name) {
  const size_t end = name.empty() ? 0 : name.size() - 1;
  NamePrefix prefix;
  size_t start = 0;
  while (start < end && !IsSeriesChar(name[start]) && name[start] != '.') ++start;
  size_t run = 0;
  if (start < end && name[start] != '.') {
    while (start + run < end && IsSeriesChar(name[start + run])) ++run;
  } else {
    start = 0;
  }
  if (run >= 2) {
    prefix.start = start;
    prefix.length = run;
  } else if (end > 0 && IsDigit(name[0])) {
    prefix.length = DigitsFrom(name, 0, end);
  } else if (run == 1 && end > 1 && IsDigit(name[1])) {
    prefix.length = 1 + DigitsFrom(name, 1, end);
  } else {
    prefix.start = start;
    prefix.length = run;
  }
  return prefix;
}

std::vector<AutoSortGroup> AutoSortGroups(const std::vector<std::string>& names) {
  std::vector<AutoSortGroup> groups;
  std::vector<bool> handled(names.size(), false);
  for (size_t first = 0; first < names.size(); ++first) {
    if (handled[first]) continue;
    const std::string& name = names[first];
    const NamePrefix prefix = GetNamePrefix(name);
    AutoSortGroup group;
    group.prefix = prefix.Text(name);
    for (size_t at = first; at < names.size(); ++at) {
      if (handled[at] || !prefix.Matches(name, names[at])) continue;
      handled[at] = true;
      group.members.push_back(at);
    }
    // A folder name cannot end in a space: the system would drop it and the moves would miss.
    group.folder = group.prefix;
    while (!group.folder.empty() && group.folder.back() == ' ') group.folder.pop_back();
    if (prefix.length > 0 && prefix.length < name.size() && !group.folder.empty() &&
        group.members.size() >= kMinGroup && group.members.size() <= kMaxGroup)
      groups.push_back(std::move(group));
  }
  return groups;
}
