#include "hotkey_text.h"

namespace {

struct KeyName {
  int code;
  const char* name;
};

// Searched from the top: where a code has several names, the first is the one shown.
constexpr KeyName kKeyNames[] = {
    {8, "Back"},        {9, "Tab"},          {12, "CLEAR"},      {13, "Enter"},       {18, "MENU"},
    {19, "PAUSE"},      {20, "CAPITAL"},     {21, "KANA"},       {21, "HANGEUL"},     {21, "HANGUL"},
    {23, "JUNJA"},      {24, "FINAL"},       {25, "HANJA"},      {25, "KANJI"},       {27, "ESCAPE"},
    {28, "CONVERT"},    {29, "NONCONVERT"},  {30, "ACCEPT"},     {31, "MODECHANGE"},  {32, "Space"},
    {33, "Page Up"},    {34, "Page Dn"},     {35, "End"},        {36, "Home"},        {37, "Left"},
    {38, "Up"},         {39, "Right"},       {40, "Down"},       {41, "Select"},      {42, "Print"},
    {43, "EXECUTE"},    {44, "SNAPSHOT"},    {45, "INSERT"},     {46, "DELETE"},      {47, "HELP"},
    {91, "Left WIN"},   {92, "Right WIN"},   {93, "APPS"},       {106, "NUM *"},      {107, "NUM +"},
    {108, "SEPARATOR"}, {109, "NUM -"},      {110, "NUM ."},     {111, "NUM /"},      {144, "NUMLOCK"},
    {145, "SCROLL"},    {246, "ATTN"},       {247, "CRSEL"},     {248, "EXSEL"},      {249, "EREOF"},
    {250, "PLAY"},      {251, "ZOOM"},       {252, "NONAME"},    {253, "PA1"},        {254, "OEM_CLEAR"},
};

constexpr int kFirstNumPad = 96;  // "NUM-0" to "NUM-9"
constexpr int kFirstFunction = 112;  // "F1" to "F24"

std::string KeyNameOf(int code) {
  for (const KeyName& key : kKeyNames)
    if (key.code == code) return key.name;
  if (code >= kFirstNumPad && code < kFirstNumPad + 10) return "NUM-" + std::to_string(code - kFirstNumPad);
  if (code >= kFirstFunction && code < kFirstFunction + 24) return "F" + std::to_string(code - kFirstFunction + 1);
  return "???";
}

}  // namespace

std::string FormatHotkeyText(int virtualKey, int modifiers) {
  std::string text;
  if (modifiers & kHotkeyAlt) text += "Alt + ";
  if (modifiers & kHotkeyControl) text += "Ctrl + ";
  if (modifiers & kHotkeyShift) text += "Shift ";
  return text + KeyNameOf(virtualKey);
}
