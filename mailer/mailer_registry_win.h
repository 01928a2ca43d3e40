#pragma once
// Postlark's registry key, HKEY_CURRENT_USER\Software\Ashgrove Software\Postlark. Each access
// opens and closes the key; a key that cannot be opened gives the defaults and takes no writes.
#include <string>
#include <vector>

#include "mailer_settings.h"

int ReadRegDword(const char* name, int fallback);
std::string ReadRegString(const char* name, const std::string& fallback);
std::vector<std::string> ReadRegList(const char* name);
void WriteRegDword(const char* name, int value);
void WriteRegString(const char* name, const std::string& value);
void WriteRegList(const char* name, const std::vector<std::string>& entries);

// All values, in the order the library reads them at start.
void LoadMailerSettings(MailerSettings& settings);
