// A squeeze cut short by a crash at each of its writes in turn: a second process of this program
// squeezes the cache and is killed in the middle, before one write after another. The cache
// still opens with all the entries it had (or, once the squeezed file is in place, all it keeps),
// and opening it clears away the squeeze's temporary file.
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "killed_child.h"
#include "tnc_squeeze.h"
#include "tnc_test_support.h"

namespace {

namespace fs = std::filesystem;

constexpr char kChildCase[] = "SqueezeInterruptionChild.SqueezesUntilKilled";
int stopAtStep = -1;
int steps = 0;

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

// The process that is killed, given the step to stop before and the folder as "step|folder".
TEST(SqueezeInterruptionChild, SqueezesUntilKilled) {
  const std::string job = ChildJob();
  if (job.empty()) GTEST_SKIP() << "run as a child process by SqueezeInterruption";
  const size_t bar = job.find('|');
  ASSERT_NE(bar, std::string::npos);
  stopAtStep = std::atoi(job.substr(0, bar).c_str());
  tnc_testing::beforeSqueezeStep = [](int step) {
    if (step == stopAtStep) StopAtSeam();
  };
  SqueezeFolder(job.substr(bar + 1));
  tnc_testing::beforeSqueezeStep = nullptr;
}

class SqueezeInterruption : public TncFolderTest {
 protected:
  std::vector<std::string> FolderNames() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(SqueezeInterruption, AKillAtEveryStepLeavesACacheThatOpensWithItsEntries) {
  std::vector<TncTestEntry> entries;
  for (const char* name : {"a.jpg", "gone1.jpg", "b.jpg", "gone2.jpg", "c.jpg"}) {
    entries.push_back(EntryFor(MakeImage(name)));
  }
  fs::remove(folder_ / "gone1.jpg");
  fs::remove(folder_ / "gone2.jpg");
  fs::create_directories(folder_ / "elsewhere");
  const std::vector<uint8_t> original = TncFileBytes(entries);

  // How many steps a squeeze of this cache takes, and what it makes.
  PutFileBytes(CachePath(), original);
  tnc_testing::beforeSqueezeStep = [](int) { ++steps; };
  SqueezeFolder(Folder());
  tnc_testing::beforeSqueezeStep = nullptr;
  ASSERT_GT(steps, 6);
  const std::vector<uint8_t> squeezed = CacheBytes();
  ASSERT_LT(squeezed.size(), original.size());

  for (int step = 0; step <= steps; ++step) {
    SCOPED_TRACE(step);
    PutFileBytes(CachePath(), original);
    const ChildEnd end = RunChildUntilSeam(kChildCase, std::to_string(step) + "|" + Folder());
    if (step < steps) {
      ASSERT_TRUE(end.killed) << "the squeeze had " << steps << " steps";
    } else {
      ASSERT_FALSE(end.killed);
      ASSERT_EQ(end.exitCode, 0);
    }

    const std::vector<uint8_t> after = CacheBytes();
    EXPECT_TRUE(after == (step < steps ? original : squeezed));
    Use();
    EXPECT_EQ(FolderNames(), (std::vector<std::string>{"a.jpg", "b.jpg", "c.jpg", "elsewhere", kTncFileName}))
        << "the squeeze's temporary file is gone once the cache is opened again";
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) {
      EXPECT_TRUE(Finds(RequestFor(name))) << name;
    }
    EXPECT_EQ(cache_.Info().entries, step < steps ? 5 : 3);
    cache_.Close();
  }
}

}  // namespace
