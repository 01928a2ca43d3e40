#pragma once
// What the path and file-name edits let through of the characters typed into them.
#include <string>

enum class CharVerdict {
  kPass,
  kDrop,          // silently
  kDropWithBeep,  // with an exclamation beep
};

// Path fields: the keys that edit or end the field (Enter, Escape, Backspace), ASCII letters and
// digits, and \ . _ - ~ # $ : only; everything else, the blank included, is dropped silently.
CharVerdict PathCharVerdict(char typed);

// File-name fields: the characters Windows refuses in names (\ / : ? | > < and ") are dropped
// with a beep; '*' passes, since name formats use it for the original name. A '#' passes only
// when kept holds none yet (kept is the text that stays after the typing: the field's text
// outside its selection), and a second one is dropped silently.
CharVerdict FileNameCharVerdict(char typed, const std::string& kept);
