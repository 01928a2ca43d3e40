#include "edit_char_rules.h"

#include <cstring>

#include "ascii_text.h"

namespace {

constexpr char kEnter = '\r';
constexpr char kEscape = '\x1b';
constexpr char kBackspace = '\b';

}  // namespace

CharVerdict PathCharVerdict(char typed) {
  if (typed == kEnter || typed == kEscape || typed == kBackspace) return CharVerdict::kPass;
  if (platform::IsAsciiLetter(typed) || (typed >= '0' && typed <= '9')) return CharVerdict::kPass;
  return typed != '\0' && std::strchr("\\._-~#$:", typed) ? CharVerdict::kPass : CharVerdict::kDrop;
}

CharVerdict FileNameCharVerdict(char typed, const std::string& kept) {
  if (typed != '\0' && std::strchr("\\/:?|><\"", typed)) return CharVerdict::kDropWithBeep;
  if (typed == '#' && kept.find('#') != std::string::npos) return CharVerdict::kDrop;
  return CharVerdict::kPass;
}
