#pragma once
// Paths compared as the file system compares them: long forms, without regard to case.
#include <string>

std::string Canonical(const std::string& path);
