#pragma once
#include <string>

// A decimal integer with an optional sign and leading blanks, as the profile stores numbers and
// as users type them; false when the text does not start with one or it does not fit an int.
bool ParseDecimalInt(const std::string& text, int& value);
