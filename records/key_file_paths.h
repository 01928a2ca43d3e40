#pragma once
// Folder and name of a file path as the keyword index keeps them.
#include <string>

struct FileInFolder {
  std::string folder;  // without a trailing separator; a drive is its letter and colon
  std::string name;
};

FileInFolder SplitFilePath(const std::string& path);

// The path a key on path lands on: a shortcut's target when it resolves, else path itself.
std::string KeyedFilePath(const std::string& path);
