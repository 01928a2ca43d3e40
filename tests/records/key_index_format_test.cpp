// The index file's bytes: what earlier versions write and read, and what damaged files do to the
// reader.
#include <cstring>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "key_index_format.h"
#include "key_test_support.h"

namespace {

// Little-endian fields and texts, to spell out a file.
class Spelled {
 public:
  Spelled& U32(uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes.push_back(uint8_t(value >> 8 * i));
    return *this;
  }
  Spelled& Text(const std::string& text) {
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(0);
    return *this;
  }
  Spelled& Key(uint32_t next, uint32_t child, const std::string& name) {
    U32(next).U32(child).U32(0);
    std::string padded = name;
    padded.resize(32, '\0');
    bytes.insert(bytes.end(), padded.begin(), padded.end());
    return *this;
  }
  std::vector<uint8_t> bytes;
};

// Two keys (Family, Family\Anna), two files (one annotated), and a summary of one file below.
std::vector<uint8_t> GoldenIndex() {
  return Spelled()
      .U32(0x1519BC54).U32(100).U32(32).U32(120).U32(1).U32(2).U32(1).U32(184)
      .Key(0, 76, "Family")              // 32
      .Key(0, 0, "Anna")                 // 76
      .U32(141).U32(176).U32(0).Text("a.jpg").Text("Hi")  // 120
      .U32(0).U32(160).U32(0).Text("b.jpg").Text("")      // 141
      .U32(168).U32(32).U32(0).U32(76)   // 160: b.jpg's keys
      .U32(0).U32(76)                    // 176: a.jpg's key
      .U32(0).U32(207).U32(0).Text("sub\\c.jpg").Text("")  // 184: the summary
      .U32(0).U32(76)                    // 207
      .bytes;
}

KeyIndexContents GoldenContents() {
  KeyIndexContents contents;
  CKeyNode* anna = FindOrInsertPath(contents.tree, "Family\\Anna");
  CKeyNode* family = anna->parent;
  contents.entries.push_back({"a.jpg", "Hi", {{anna}}});
  contents.entries.push_back({"b.jpg", "", {{family}, {anna}}});
  contents.summary.push_back({"sub\\c.jpg", "", {{anna}}});
  return contents;
}

TEST(KeyIndexFormat, WritesTheBytesEarlierVersionsWrite) {
  KeyIndexContents contents = GoldenContents();
  EXPECT_EQ(KeyIndexBytes(contents, true), GoldenIndex());
}

TEST(KeyIndexFormat, ReadsWhatItWrites) {
  const std::vector<uint8_t> bytes = GoldenIndex();
  KeyIndexContents read;
  ASSERT_TRUE(ParseKeyIndex(bytes.data(), bytes.size(), true, &read));
  EXPECT_EQ(KeyPaths(read.tree), (std::vector<std::string>{"Family", "Family\\Anna"}));
  EXPECT_EQ(Describe(read.entries), (std::vector<std::string>{"a.jpg:Hi:Family\\Anna", "b.jpg::Family|Family\\Anna"}));
  EXPECT_EQ(Describe(read.summary), (std::vector<std::string>{"sub\\c.jpg::Family\\Anna"}));
  EXPECT_EQ(KeyIndexBytes(read, true), bytes);

  KeyIndexContents withoutSummary;
  ASSERT_TRUE(ParseKeyIndex(bytes.data(), bytes.size(), false, &withoutSummary));
  EXPECT_TRUE(withoutSummary.summary.empty());
}

TEST(KeyIndexFormat, WritesKeysSiblingSubtreeFirstAndAKeyTreeAlone) {
  KeyIndexContents contents;
  for (const char* path : {"A\\A1", "A\\A2", "B", "B\\B1"}) FindOrInsertPath(contents.tree, path);
  const std::vector<uint8_t> bytes = KeyIndexBytes(contents, false);
  // A, then B's subtree (B, B1), then A's children (A1, A2).
  const std::vector<uint8_t> expected = Spelled()
      .U32(0x1519BC54).U32(100).U32(32).U32(0).U32(0).U32(0).U32(0).U32(0)
      .Key(76, 164, "A").Key(0, 120, "B").Key(0, 0, "B1").Key(208, 0, "A1").Key(0, 0, "A2")
      .bytes;
  EXPECT_EQ(bytes, expected);
}

TEST(KeyIndexFormat, ADeepTreeIsWrittenAndReadWithoutRecursion) {
  KeyIndexContents contents;
  std::string path = "k";
  CKeyNode* node = FindOrInsertPath(contents.tree, path);
  for (int depth = 1; depth < 200000; ++depth) node = node->child = NewKeyNode("k", 1, node);
  const std::vector<uint8_t> bytes = KeyIndexBytes(contents, false);
  KeyIndexContents read;
  ASSERT_TRUE(ParseKeyIndex(bytes.data(), bytes.size(), false, &read));
  EXPECT_EQ(KeyIndexBytes(read, false), bytes);
}

struct Damage {
  const char* what;
  std::vector<uint8_t> bytes;
  bool ours;
  std::vector<std::string> keys;
  std::vector<std::string> entries;
};

TEST(KeyIndexFormat, DamagedFilesReadOnlyWhatLiesInsideThemOnce) {
  const std::vector<uint8_t> golden = GoldenIndex();
  std::vector<uint8_t> otherMagic = golden;
  otherMagic[0] ^= 1;
  std::vector<uint8_t> otherVersion = golden;
  otherVersion[4] = 101;
  const Damage cases[] = {
      {"another magic", otherMagic, false, {}, {}},
      {"another version", otherVersion, false, {}, {}},
      {"a short header", std::vector<uint8_t>(golden.begin(), golden.begin() + 31), false, {}, {}},
      {"cut inside the entries: records past the end are absent, names end at the end",
       std::vector<uint8_t>(golden.begin(), golden.begin() + 156), true, {"Family", "Family\\Anna"},
       {"a.jpg:Hi:", "b.j::"}},
      {"a key linking to itself and back",
       Spelled().U32(0x1519BC54).U32(100).U32(32).U32(0).U32(0).U32(0).U32(0).U32(0).Key(32, 32, "A").Key(32, 0, "B").bytes,
       true, {"A"}, {}},
      {"two links to one key read it once",
       Spelled().U32(0x1519BC54).U32(100).U32(32).U32(0).U32(0).U32(0).U32(0).U32(0).Key(76, 76, "A").Key(0, 0, "B").bytes,
       true, {"A", "B"}, {}},
      {"an entry chain looping back, references to no key, a name with no end",
       Spelled().U32(0x1519BC54).U32(100).U32(0).U32(32).U32(0).U32(0).U32(0).U32(0)
           .U32(32).U32(51).U32(0).Text("x").Text("note")
           .U32(51).U32(999)
           .U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).U32(0).bytes,
       true, {}, {"x:note:"}},
  };
  for (const Damage& damage : cases) {
    SCOPED_TRACE(damage.what);
    KeyIndexContents read;
    EXPECT_EQ(ParseKeyIndex(damage.bytes.data(), damage.bytes.size(), true, &read), damage.ours);
    EXPECT_EQ(KeyPaths(read.tree), damage.keys);
    EXPECT_EQ(Describe(read.entries), damage.entries);
  }
}

TEST(KeyIndexFormat, KeyNamesAreCutAtTheFieldAndAtABackslash) {
  std::vector<uint8_t> bytes = Spelled().U32(0x1519BC54).U32(100).U32(32).U32(0).U32(0).U32(0).U32(0).U32(0)
                                   .Key(76, 0, "").Key(0, 0, "left\\right").bytes;
  std::memset(bytes.data() + 32 + 12, 'n', 32);  // no terminator in the field
  KeyIndexContents read;
  ASSERT_TRUE(ParseKeyIndex(bytes.data(), bytes.size(), false, &read));
  EXPECT_EQ(KeyPaths(read.tree), (std::vector<std::string>{std::string(31, 'n'), "left"}));
}

TEST(KeyIndexFormat, LongNamesAndAnnotationsAreCutToTheirFields) {
  const std::string name(400, 'f'), note(400, 'a');
  const std::vector<uint8_t> bytes =
      Spelled().U32(0x1519BC54).U32(100).U32(0).U32(32).U32(0).U32(1).U32(0).U32(0).U32(0).U32(0).U32(0).Text(name).Text(note).bytes;
  KeyIndexContents read;
  ASSERT_TRUE(ParseKeyIndex(bytes.data(), bytes.size(), false, &read));
  ASSERT_EQ(read.entries.size(), 1u);
  EXPECT_EQ(read.entries.front().name, std::string(259, 'f'));
  EXPECT_EQ(read.entries.front().annotation, std::string(255, 'a'));
}

}  // namespace
