// A squeeze cut short by the end of the process, at each of its writes in turn: the cache still
// opens, with all the entries it had (or, once the squeezed file is in place, all it keeps).
// The test runs its own program again as the process that dies.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "tnc_squeeze.h"
#include "tnc_test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr char kJobVariable[] = "VIRELDAN_SQUEEZE_JOB";
constexpr int kDied = 3;
constexpr int kFinished = 4;
int dieAtStep = -1;
int steps = 0;

// An empty value takes the variable away.
void SetVariable(const std::string& name, const std::string& value) {
#if defined(_WIN32)
  _putenv_s(name.c_str(), value.c_str());
#else
  if (value.empty())
    unsetenv(name.c_str());
  else
    setenv(name.c_str(), value.c_str(), 1);
#endif
}

int ExitCode(int status) {
#if defined(_WIN32)
  return status;
#else
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
#endif
}

// Squeezes the cache of folder, as leaving the folder does when a squeeze was asked for.
void SqueezeFolder(const std::string& folder) {
  TncOptions options;
  options.hideFile = false;
  ThumbnailCache cache;
  cache.SetOptions(options);
  cache.UseFolder(folder, platform::DriveInfo(), 90);
  cache.NoteStale(-1);
  cache.UseFolder((fs::path(folder) / "elsewhere").string(), platform::DriveInfo(), 90);
}

// The process that dies: run by the test below with the folder and the step to die before.
TEST(SqueezeInterruptionChild, SqueezesUntilItDies) {
  const char* job = std::getenv(kJobVariable);
  if (!job || !*job) GTEST_SKIP() << "started by SqueezeInterruption with a job";
  const std::string text = job;
  const size_t bar = text.find('|');
  dieAtStep = std::atoi(text.substr(0, bar).c_str());
  tnc_testing::beforeSqueezeStep = [](int step) {
    if (step == dieAtStep) std::_Exit(kDied);  // no stream is flushed, no file closed by us
  };
  SqueezeFolder(text.substr(bar + 1));
  std::_Exit(kFinished);
}

class SqueezeInterruption : public TncFolderTest {};

TEST_F(SqueezeInterruption, EveryStepLeavesACacheThatOpensWithItsEntries) {
  std::vector<TncTestEntry> entries;
  for (const char* name : {"a.jpg", "gone1.jpg", "b.jpg", "gone2.jpg", "c.jpg"}) {
    entries.push_back(EntryFor(MakeImage(name)));
  }
  fs::remove(folder_ / "gone1.jpg");
  fs::remove(folder_ / "gone2.jpg");
  fs::create_directories(folder_ / "elsewhere");
  const std::vector<uint8_t> original = TncFileBytes(entries);

  // How many steps a squeeze of this cache takes.
  PutFileBytes(CachePath(), original);
  tnc_testing::beforeSqueezeStep = [](int) { ++steps; };
  SqueezeFolder(Folder());
  tnc_testing::beforeSqueezeStep = nullptr;
  ASSERT_GT(steps, 6);
  const std::vector<uint8_t> squeezed = CacheBytes();
  ASSERT_LT(squeezed.size(), original.size());

  const std::string program = ::testing::internal::GetArgvs()[0];
  for (int step = 0; step <= steps; ++step) {
    SCOPED_TRACE(step);
    PutFileBytes(CachePath(), original);
    SetVariable(kJobVariable, std::to_string(step) + "|" + Folder());
    const std::string command =
        "\"" + program + "\" --gtest_filter=SqueezeInterruptionChild.SqueezesUntilItDies > " +
        (folder_ / "child.txt").string();
    ASSERT_EQ(ExitCode(std::system(command.c_str())), step < steps ? kDied : kFinished);

    const std::vector<uint8_t> after = CacheBytes();
    EXPECT_TRUE(after == original || after == squeezed);
    Use();
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      EXPECT_TRUE(Finds(RequestFor(name))) << name;
    }
    EXPECT_EQ(cache_.Info().entries, after == original ? 5 : 3);
    cache_.Close();
  }
  SetVariable(kJobVariable, "");
}

}  // namespace
