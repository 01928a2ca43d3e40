// What the path and file-name edits let through, character by character.
#include <gtest/gtest.h>

#include <string>

#include "edit_char_rules.h"

namespace {

TEST(EditCharRules, PathFieldsTakeOnlyPathCharacters) {
  const std::string passed = std::string("\r\x1b\b") + "09AZaz\\._-~#$:";
  for (const char c : passed) EXPECT_EQ(PathCharVerdict(c), CharVerdict::kPass) << int(c);
  const std::string dropped = std::string(" /*?\"<>|!'\t\n", 12) + '\0' + "\xe9\x80\xff" + "@%&()=+,;[]{}^`";
  for (const char c : dropped) EXPECT_EQ(PathCharVerdict(c), CharVerdict::kDrop) << int(static_cast<unsigned char>(c));
}

TEST(EditCharRules, FileNameFieldsRefuseWhatNamesCannotHold) {
  const struct {
    char typed;
    const char* kept;
    CharVerdict verdict;
  } cases[] = {
      {'\\', "", CharVerdict::kDropWithBeep}, {'/', "", CharVerdict::kDropWithBeep},
      {':', "", CharVerdict::kDropWithBeep},  {'?', "", CharVerdict::kDropWithBeep},
      {'|', "", CharVerdict::kDropWithBeep},  {'>', "", CharVerdict::kDropWithBeep},
      {'<', "", CharVerdict::kDropWithBeep},  {'"', "", CharVerdict::kDropWithBeep},
      {'#', "PIC_", CharVerdict::kPass},      {'#', "PIC_#", CharVerdict::kDrop},
      {'*', "#_", CharVerdict::kPass},        {' ', "", CharVerdict::kPass},
      {'a', "#", CharVerdict::kPass},         {'\xe9', "", CharVerdict::kPass},
      {'\b', "#", CharVerdict::kPass},        {'.', "", CharVerdict::kPass},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FileNameCharVerdict(c.typed, c.kept), c.verdict) << int(c.typed) << " with \"" << c.kept << "\"";
}

}  // namespace
