#pragma once
// Real files that nobody here made come from Debian's test-image packages and from tools the
// dependency script builds. A test whose files are missing skips on a developer's machine, but
// under CI (CI=true) it fails, so that no suite passes without ever reading its files.
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

inline bool RunningUnderCi() {
  const char* ci = std::getenv("CI");
  return ci != nullptr && std::strcmp(ci, "true") == 0;
}

#define SKIP_OR_FAIL_MISSING(why)                                                  \
  do {                                                                             \
    const std::string missing_why_ = (why);                                        \
    if (RunningUnderCi()) FAIL() << missing_why_ << " (a missing file fails under CI)"; \
    GTEST_SKIP() << missing_why_;                                                  \
  } while (0)
