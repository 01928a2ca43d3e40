#pragma once
// A message saved as a text file: three header lines (To, Cc, Subject) and the text.
#include <string>

#include "mime_message.h"

// "To:...\n", "Cc:...\n", "Subject:...\n", then the text with its terminating NUL.
std::string FormatMessageFile(const MessageFields& fields);

// The first three lines give To, Cc and Subject when they start with their prefixes; each line
// is used up, with the run of line ends after it, either way. The rest is the text.
MessageFields ParseMessageFile(const std::string& bytes);

// report -> report.txt; names ending in .txt or .TXT stay.
std::string EnsureTxtExtension(const std::string& name);
