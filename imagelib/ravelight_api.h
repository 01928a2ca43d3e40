#pragma once
// Marks what Ravelight exports. Programs built with the same toolchain import it from Ravelight.dll.
#if defined(_WIN32)
#  if defined(RAVELIGHT_BUILD)
#    define RAVELIGHT_API __declspec(dllexport)
#  else
#    define RAVELIGHT_API __declspec(dllimport)
#  endif
#else
#  define RAVELIGHT_API __attribute__((visibility("default")))
#endif
