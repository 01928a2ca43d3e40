#pragma once
// A DLL's function with the type it really has. GetProcAddress answers one generic function type,
// whose return type differs between 32 and 64 bits, so the cast goes through a plain function
// pointer and compiles cleanly in both.
#include <windows.h>

template <class Function>
Function ProcAddress(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
