// Every program and library that Setup.exe carries, and the installer program itself, is
// stripped: no debugging section, and a debug link naming the file beside the build's output
// that holds its debugging information, with that file's CRC.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "payload_format.h"
#include "test_program_folder_win.h"

namespace {

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t Word(const std::vector<uint8_t>& bytes, size_t at, size_t width = 4) {
  uint32_t value = 0;
  for (size_t i = 0; i < width && at + i < bytes.size(); ++i) value |= uint32_t(bytes[at + i]) << (8 * i);
  return value;
}

struct Section {
  std::string name;
  std::vector<uint8_t> contents;
};

// The sections of a PE file, long names ("/<offset>") read from the COFF string table.
std::vector<Section> Sections(const std::vector<uint8_t>& pe) {
  const size_t header = Word(pe, 0x3c);
  if (pe.size() < header + 24 || Word(pe, header) != 0x4550) return {};
  const size_t count = Word(pe, header + 6, 2), optional = Word(pe, header + 20, 2);
  const size_t strings = Word(pe, header + 12) + size_t(Word(pe, header + 16)) * 18;
  std::vector<Section> sections;
  for (size_t i = 0, at = header + 24 + optional; i < count && at + 40 <= pe.size(); ++i, at += 40) {
    std::string name(reinterpret_cast<const char*>(&pe[at]), strnlen(reinterpret_cast<const char*>(&pe[at]), 8));
    if (name.size() > 1 && name[0] == '/') {
      const size_t offset = strings + std::stoul(name.substr(1));
      name = offset < pe.size() ? reinterpret_cast<const char*>(&pe[offset]) : "";
    }
    const size_t size = Word(pe, at + 16), start = Word(pe, at + 20);
    Section section{name, {}};
    if (start + size <= pe.size()) section.contents.assign(pe.begin() + start, pe.begin() + start + size);
    sections.push_back(section);
  }
  return sections;
}

// "" when the file is stripped and linked to debugFile; otherwise what is wrong.
std::string StrippedAndLinked(const std::vector<uint8_t>& pe, const std::string& debugFile) {
  const std::vector<Section> sections = Sections(pe);
  if (sections.empty()) return "no sections";
  const Section* link = nullptr;
  for (const Section& section : sections) {
    if (section.name.rfind(".debug", 0) == 0) return "carries " + section.name;
    if (section.name == ".gnu_debuglink") link = &section;
  }
  if (!link) return "no debug link";
  // The link: the file's name, NUL-padded to four bytes, then the CRC-32 of that file.
  const std::string named(reinterpret_cast<const char*>(link->contents.data()), strnlen(reinterpret_cast<const char*>(link->contents.data()), link->contents.size()));
  const size_t crcAt = (named.size() + 4) & ~size_t(3);
  if (named != debugFile.substr(debugFile.rfind('\\') + 1)) return "links " + named;
  const std::vector<uint8_t> debug = ReadBytes(debugFile);
  bool debugInfo = false;
  for (const Section& section : Sections(debug)) debugInfo |= section.name == ".debug_info";
  if (!debugInfo) return debugFile + " holds no debugging information";
  if (Word(link->contents, crcAt) != crc32(0, debug.data(), uInt(debug.size()))) return "CRC differs from " + debugFile;
  return "";
}

TEST(ShippedFiles, EveryProgramOfTheInstallerIsStrippedAndLinkedToItsDebugFile) {
  const std::string folder = TestProgramFolder();
  const std::vector<uint8_t> setup = ReadBytes(folder + "\\Setup.exe");
  PayloadDirectory directory;
  std::string problem;
  ASSERT_TRUE(ReadPayloadDirectory(setup, directory, problem)) << problem;

  const std::vector<uint8_t> installer(setup.begin(), setup.begin() + directory.programSize);
  EXPECT_EQ(StrippedAndLinked(installer, folder + "\\unfurl.exe.debug"), "") << "the installer program";

  // The build's file of each entry, from the list written beside Setup.exe.
  std::ifstream list(folder + "\\Setup.exe.files");
  int programs = 0;
  for (const PayloadEntry& entry : directory.entries) {
    std::string line;
    ASSERT_TRUE(std::getline(list, line)) << entry.name;
    std::string source = "Z:" + line.substr(line.find('|') + 1);
    for (char& c : source)
      if (c == '/') c = '\\';
    std::vector<uint8_t> bytes(entry.size);
    uLongf length = entry.size;
    ASSERT_EQ(uncompress(bytes.data(), &length, setup.data() + entry.dataOffset, entry.packedSize), Z_OK) << entry.name;
    if (bytes.size() < 2 || bytes[0] != 'M' || bytes[1] != 'Z') continue;
    ++programs;
    EXPECT_EQ(StrippedAndLinked(bytes, source + ".debug"), "") << entry.name;
  }
  EXPECT_EQ(programs, 6) << "Vireldan, Ravelight, Thumbwell, Postlark, the screen saver and the uninstaller";
}

}  // namespace
