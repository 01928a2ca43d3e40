#pragma once
// The contents file beside a help file: its books and the topics under them, by context name.
#include <string>

#include "help_source.h"

std::string WriteCntFile(const HelpDocument& document, const std::string& helpFileName);
