// The temporary files that an interrupted squeeze leaves beside a cache: the program's own names
// go when the cache is next opened by a writer; other programs' files, and everything beside a
// cache that may not be written, stay.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tnc_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Leftover {
  const char* name;
  bool ours;
};

// Names of the kind the program gives its temporary files, and look-alikes of other programs.
const Leftover kLeftovers[] = {
    {"~vl0123abcd.tmp", true},
    {"~vlffffffff.tmp", true},
    {"~vl00000000.tmp", true},
    {"~vl0123abc.tmp", false},     // seven digits
    {"~vl0123abcde.tmp", false},   // nine
    {"~vl0123abcg.tmp", false},    // not hexadecimal
    {"~VL89ABCDEF.TMP", false},    // the program writes lower case only
    {"~vl0123abcd.tmp.bak", false},
    {"x~vl0123abcd.tmp", false},
    {"~vl0123abcd.txt", false},
    {"~wrl0001.tmp", false},
    {"vireldan.sts", false},
};

class SqueezeLeftovers : public TncFolderTest {
 protected:
  void PutLeftovers() {
    for (const Leftover& leftover : kLeftovers) Make(leftover.name, std::string("data of ") + leftover.name);
    fs::create_directories(folder_ / "~vl0000beef.tmp");  // a folder, whatever its name
  }
  // The leftovers still there.
  std::vector<std::string> Remaining() const {
    std::vector<std::string> names;
    for (const Leftover& leftover : kLeftovers)
      if (fs::exists(folder_ / leftover.name)) names.push_back(leftover.name);
    if (fs::is_directory(folder_ / "~vl0000beef.tmp")) names.push_back("~vl0000beef.tmp");
    return names;
  }
  static std::vector<std::string> AllBut(bool ours) {
    std::vector<std::string> names;
    for (const Leftover& leftover : kLeftovers)
      if (!ours || !leftover.ours) names.push_back(leftover.name);
    names.push_back("~vl0000beef.tmp");
    return names;
  }
};

TEST_F(SqueezeLeftovers, OnlyAWriterRemovesThemAndOnlyTheProgramsOwnNames) {
  const TncRequest a = MakeImage("a.jpg");
  const struct {
    const char* cache;
    int cacheMode;
    int16_t locked;
    bool removes;
  } rows[] = {
      {"writable", kTncAutomatic, 0, true},
      {"read-only mode", kTncReadOnly, 0, false},
      {"locked", kTncAutomatic, 1, false},
      {"disabled", kTncDisabled, 0, false},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.cache);
    PutFileBytes(CachePath(), TncFileBytes({EntryFor(a)}, kTncVersion, row.locked));
    const std::vector<uint8_t> cache = CacheBytes();
    PutLeftovers();
    options_.cacheMode = row.cacheMode;
    Use();
    EXPECT_EQ(Remaining(), AllBut(row.removes));
    cache_.Close();
    EXPECT_EQ(CacheBytes(), cache);
    for (const Leftover& leftover : kLeftovers) fs::remove(folder_ / leftover.name);
  }
}

}  // namespace
