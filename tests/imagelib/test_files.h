#pragma once
// Where test files live, and small helpers to read and make them.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// A path on this machine's file system as the program under test sees it (Wine maps / to Z:).
std::string SystemPath(const std::string& unixPath);

// A file or folder of the shared corpus of real images that sits beside the repository; empty when
// this checkout has no corpus beside it (a fresh clone), so the caller can skip.
std::string CorpusPath(const std::string& relative);

// The files of a folder (a path on this machine, or one from CorpusPath) whose names end in one
// of the extensions (lower-case, with the dot), sorted; empty when the folder is missing.
std::vector<std::string> FilesIn(const std::string& unixFolder, const std::vector<std::string>& extensions);

// A fresh path in a temporary folder of this test program; the folder goes when the program ends.
std::string TempPath(const std::string& name);

std::vector<uint8_t> ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);

// Runs a writer into a fresh temporary file named with this extension; the file's bytes, empty
// when the writer failed.
std::vector<uint8_t> WrittenBytes(const std::function<bool(FILE*)>& write, const std::string& extension);
