#pragma once
#include <string>

// A decimal integer with an optional sign, as users type it: the whole text must be the number,
// blanks around it aside; false when it is not, or when it does not fit an int.
bool ParseDecimalInt(const std::string& text, int& value);

// The decimal integer the text starts with (after blanks), as the profile reads stored numbers:
// what follows it is ignored; false when there is none or it does not fit an int.
bool ParseLeadingDecimalInt(const std::string& text, int& value);
