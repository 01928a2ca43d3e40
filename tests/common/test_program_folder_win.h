#pragma once
// The folder of the running test program: the build's bin folder, beside the programs it tests.
#include <windows.h>

#include <string>

inline std::string TestProgramFolder() {
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  const std::string program = path;
  return program.substr(0, program.rfind('\\'));
}
