#pragma once
// What the settings tests expect, written down from the description of the profile rather than
// taken from the program's own table, so that a slip in one shows against the other.
#include <string>
#include <vector>

#include "app_settings.h"
#include "profile.h"

struct ExpectedValue {
  ExpectedValue(const char* valueName, bool isText = false) : name(valueName), text(isText) {}
  std::string name;
  bool text;  // a string value; otherwise an int
};

struct ExpectedSection {
  std::string name;
  std::vector<ExpectedValue> values;  // in load order
};

// The 20 sections with their value names, in load order.
const std::vector<ExpectedSection>& ExpectedSections();

// Every value of the record as text, in the order of ExpectedSections(); the seven "File Options"
// values come from the image library's statics.
std::vector<std::string> FieldValues(const CAppSettings& settings);

// A 1024 by 768 screen and a program folder.
SettingsEnvironment TestScreen();

// Writes a value unlike its default under every expected name, chosen so that no clamp changes
// it on that screen, and returns the values in the order of FieldValues().
std::vector<std::string> WriteDistinctValues(Profile& profile);

// Reads back every expected name, as text, in the order of FieldValues().
std::vector<std::string> ReadAllValues(Profile& profile);
