// The installer file's layout: what the host tool writes, byte for byte, and what the installer
// accepts from a file it cannot trust.
#include <gtest/gtest.h>

#include <cstring>

#include "payload_builder.h"
#include "payload_format.h"

namespace {

const std::vector<uint8_t> kProgram = {'M', 'Z', 1, 2, 3};

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

std::vector<uint8_t> Installer(const std::vector<PayloadFile>& files) {
  std::vector<uint8_t> installer;
  EXPECT_TRUE(BuildInstallerFile(kProgram, files, installer));
  return installer;
}

uint32_t U32At(const std::vector<uint8_t>& file, size_t at) {
  uint32_t value;
  std::memcpy(&value, &file[at], 4);
  return value;
}

std::string DirectoryProblem(const std::vector<uint8_t>& file) {
  PayloadDirectory directory;
  std::string problem;
  return ReadPayloadDirectory(file, directory, problem) ? "" : problem;
}

TEST(PayloadLayout, DirectoryRecordsFollowTheStreamsAndEndWithReservedWordAndChecksum) {
  const std::vector<uint8_t> file = Installer({{"readme.txt", Bytes("hello")}, {"Vireldan.exe", Bytes("MZ!")}});
  // program, two streams, the records in storage order (program, last extracted, first extracted)
  const size_t records = file.size() - 8 - 3 * 48;
  EXPECT_EQ(U32At(file, records), 0u);
  EXPECT_EQ(U32At(file, records + 4), 5u);
  EXPECT_EQ(U32At(file, records + 8), 5u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[records + 16])), "Setup.exe");
  EXPECT_EQ(U32At(file, records + 48), 5u);  // Vireldan.exe's stream starts right after the program
  EXPECT_EQ(file[5], 0x78);                  // a zlib header
  EXPECT_EQ(U32At(file, records + 48 + 8), 3u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&file[records + 48 + 16])), "Vireldan.exe");
  for (size_t pad = records + 48 + 16 + 12; pad < records + 96; ++pad) EXPECT_EQ(file[pad], 0) << pad;
  EXPECT_EQ(U32At(file, records + 96), 5u + U32At(file, records + 48 + 4));
  EXPECT_EQ(U32At(file, file.size() - 8), 0u);
  EXPECT_TRUE(PayloadChecksumMatches(file));

  PayloadDirectory directory;
  std::string problem;
  ASSERT_TRUE(ReadPayloadDirectory(file, directory, problem)) << problem;
  EXPECT_EQ(directory.programSize, 5u);
  ASSERT_EQ(directory.entries.size(), 2u);
  EXPECT_EQ(directory.entries[0].name, "readme.txt");
  EXPECT_EQ(directory.entries[1].name, "Vireldan.exe");
}

TEST(PayloadLayout, EveryChangedByteFailsTheChecksum) {
  const std::vector<uint8_t> file = Installer({{"readme.txt", Bytes("hello")}});
  for (size_t at = 0; at < file.size(); ++at) {
    std::vector<uint8_t> changed = file;
    changed[at] ^= 0x01;
    EXPECT_FALSE(PayloadChecksumMatches(changed)) << "byte " << at;
  }
}

// Its first stream would start at offset 0, which the reader takes for the program's own record:
// the file would install without that stream's file.
TEST(PayloadLayout, NoInstallerIsBuiltWithoutAProgram) {
  std::vector<uint8_t> installer;
  EXPECT_FALSE(BuildInstallerFile({}, {{"readme.txt", Bytes("hello")}}, installer));
}

TEST(PayloadNames, TrailingBlanksAreNotPartOfTheName) {
  PayloadDirectory directory;
  std::string problem;
  ASSERT_TRUE(ReadPayloadDirectory(Installer({{"readme.txt  ", Bytes("x")}, {"printsetups\\2-5x7.psu ", Bytes("y")}}),
                                   directory, problem))
      << problem;
  EXPECT_EQ(directory.entries[0].name, "readme.txt");
  EXPECT_EQ(directory.entries[1].name, "printsetups\\2-5x7.psu");
}

TEST(PayloadNames, NamesThatCouldLeaveTheTargetAreRefused) {
  const struct {
    const char* name;
    bool safe;
  } cases[] = {
      {"Vireldan.exe", true},         {"printsetups\\1-8x10.psu", true}, {"..\\evil.txt", false},
      {"..", false},                  {"printsetups\\..\\..\\x", false}, {"printsetups\\..", false},
      {"\\Windows\\evil.dll", false}, {"\\\\server\\share\\x", false},   {"C:\\evil.txt", false},
      {"C:evil.txt", false},          {"readme.txt:stream", false},      {"a/../../evil.txt", false},
      {"a\\b\\c.txt", false},         {"CON", false},                    {"nul.txt", false},
      {"lpt1", false},                {"...", false},                    {"a.\\b", false},
      {"", false},                    {"tab\there", false},              {"wild*.txt", false},
      {"CON .txt", false},            {"printsetups\\aux  .psu", false}, {"conin$", false},
      {"CONOUT$.log", false},         {"console.txt", true},             {"com10.txt", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PayloadNameProblem(c.name).empty(), c.safe) << c.name;
    if (c.safe || !*c.name) continue;
    const std::string problem = DirectoryProblem(Installer({{"readme.txt", Bytes("x")}, {c.name, Bytes("evil")}}));
    EXPECT_NE(problem.find("has "), std::string::npos) << c.name << ": " << problem;
  }
}

TEST(PayloadDirectoryBounds, DamagedDirectoriesAreRefusedWithoutReadingOutsideTheFile) {
  const std::vector<uint8_t> good = Installer({{"readme.txt", Bytes("hello")}, {"Vireldan.exe", Bytes("MZ!")}});
  const size_t last = good.size() - 8 - 48;  // the record read first
  const struct {
    const char* what;
    size_t at;
    uint32_t value;
    const char* problem;
  } cases[] = {
      {"stream past the directory", last, uint32_t(last - 2), "outside the payload"},
      {"stream inside the program", last, 2, "outside the payload"},
      {"stream far past the end", last, 0xFFFFFFF0u, "outside the payload"},
      {"packed size past the directory", last + 4, 0xFFFFFFFFu, "outside the payload"},
      {"program longer than the file", last - 96 + 8, 0x7FFFFFFFu, "program is longer"},
      {"size no product file has", last + 8, 0x40000000u, "larger than any file"},
      {"no installer entry", last - 96, 7, "no entry for the installer"},
  };
  for (const auto& c : cases) {
    std::vector<uint8_t> file = good;
    for (int i = 0; i < 4; ++i) file[c.at + i] = uint8_t(c.value >> (8 * i));
    EXPECT_NE(DirectoryProblem(file).find(c.problem), std::string::npos) << c.what << ": " << DirectoryProblem(file);
  }
  std::vector<uint8_t> unterminated = good;
  std::memset(&unterminated[last + 16], 'a', 32);
  EXPECT_NE(DirectoryProblem(unterminated).find("not terminated"), std::string::npos);
  // Cut anywhere, the file never leads the walk outside itself.
  for (size_t length = 0; length < good.size(); ++length)
    DirectoryProblem(std::vector<uint8_t>(good.begin(), good.begin() + length));
}

}  // namespace
