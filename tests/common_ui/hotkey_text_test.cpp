// The words that name the screen-capture hot key.
#include <gtest/gtest.h>

#include "hotkey_text.h"

namespace {

TEST(HotkeyText, ModifiersComeInFixedOrderBeforeTheKeyName) {
  const struct {
    int key;
    int modifiers;
    const char* text;
  } cases[] = {
      {123, 6, "Alt + Ctrl + F12"},  // the settings' defaults
      {65, 2, "Ctrl + ???"},         // letters have no name
      {48, 0, "???"},                // nor have digits
      {112, 7, "Alt + Ctrl + Shift F1"},
      {135, 1, "Shift F24"},
      {136, 0, "???"},               // past the last function key
      {21, 0, "KANA"},               // of a code's several names, the first
      {25, 4, "Alt + HANJA"},
      {96, 0, "NUM-0"},
      {105, 0, "NUM-9"},
      {34, 0, "Page Dn"},
      {254, 0, "OEM_CLEAR"},
      {0, 0, "???"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatHotkeyText(c.key, c.modifiers), c.text) << c.key << " " << c.modifiers;
}

}  // namespace
