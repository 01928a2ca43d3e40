#pragma once
// Where the program stands: the folder it shows and the process's current directory.
#include <string>

// The folder shown ("Main Options" "mainpath") and the process's current directory, both without
// a trailing backslash (a drive is its letter and colon).
std::string CurrentFolder();
std::string CurrentDirectory();
