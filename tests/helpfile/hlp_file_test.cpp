// The help file as a help viewer reads it: every internal file found through the directory, the
// context numbers the program uses landing on the topics meant for them, titles agreeing
// everywhere, the warranty worded as the installer's agreement; a tiny file byte for byte; and
// sources that are wrong refused with the line that is wrong.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "cnt_writer.h"
#include "help_source.h"
#include "hlp_reader.h"
#include "hlp_writer.h"

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

HelpDocument ShippedDocument() { return ParseHelpSource(ReadText(HELP_SOURCE)); }

const char* const kTwoTopics =
    "@file-title Tiny\n"
    "@topic first 17\n"
    "@title One\n"
    "Alpha.\n"
    "@book B\n"
    "@topic second 0x21001\n"
    "@title Two\n"
    "Beta gamma.\n";

TEST(HlpFile, ShippedFileIsFoundThroughItsDirectory) {
  const HlpReader reader(WriteHlpFile(ShippedDocument()));
  ASSERT_EQ(reader.problem(), "");
  EXPECT_EQ(reader.FileNames(), (std::vector<std::string>{"|CONTEXT", "|CTXOMAP", "|FONT", "|SYSTEM", "|TOPIC", "|TTLBTREE"}));
  const std::vector<uint8_t> system = reader.File("|SYSTEM");
  EXPECT_EQ(Le32(system, 0), 0x0015036Cu);  // magic and version 3.1
  EXPECT_EQ(std::string(system.begin() + 16, system.begin() + 29), "Vireldan Help");
}

TEST(HlpFile, ContextNumbersOpenTheirTopics) {
  const HlpReader reader(WriteHlpFile(ShippedDocument()));
  const std::map<uint32_t, uint32_t> numbers = reader.ContextNumbers();
  const std::map<uint32_t, ReadTopic> topics = reader.Topics();
  const struct { uint32_t number; const char* title; } cases[] = {
      {98342, "Using Help"},
      {98450, "Warranty"},
      {0x21001, "Sending pictures by e-mail"},
      {0x21002, "E-mail settings"},
      {0x21003, "The address book"},
      {0x21004, "Attachments"},
      {0x200AC, "When a file is already there"},
  };
  EXPECT_EQ(numbers.size(), std::size(cases));
  for (const auto& c : cases) {
    SCOPED_TRACE(c.title);
    ASSERT_EQ(numbers.count(c.number), 1u);
    ASSERT_EQ(topics.count(numbers.at(c.number)), 1u);
    const ReadTopic& topic = topics.at(numbers.at(c.number));
    EXPECT_EQ(topic.title, c.title);
    ASSERT_GE(topic.paragraphs.size(), 2u);
    EXPECT_EQ(topic.paragraphs[0], c.title);  // the heading the window shows
  }
}

// Titles in the title tree, the topics' own records and the contents file agree; every context
// name leads to a topic.
TEST(HlpFile, TitlesAndNamesAgree) {
  const HelpDocument document = ShippedDocument();
  const HlpReader reader(WriteHlpFile(document));
  const std::map<uint32_t, ReadTopic> topics = reader.Topics();
  ASSERT_EQ(topics.size(), document.topics.size());
  std::set<uint32_t> titled;
  for (const auto& [offset, title] : reader.TreeEntries("|TTLBTREE")) {
    const uint32_t at = Le32(offset, 0);
    ASSERT_EQ(topics.count(at), 1u);
    EXPECT_EQ(std::string(title.begin(), title.end() - 1), topics.at(at).title);
    titled.insert(at);
  }
  EXPECT_EQ(titled.size(), topics.size());
  std::set<uint32_t> named;
  int32_t previousHash = INT32_MIN;
  for (const auto& [hash, offset] : reader.TreeEntries("|CONTEXT")) {
    EXPECT_GT(int32_t(Le32(hash, 0)), previousHash);  // searched in signed order
    previousHash = int32_t(Le32(hash, 0));
    named.insert(Le32(offset, 0));
  }
  EXPECT_EQ(named, titled);
  const std::string cnt = WriteCntFile(document, "Vireldan.hlp");
  EXPECT_EQ(cnt.rfind(":Base Vireldan.hlp\r\n:Title Vireldan Help\r\n1 Vireldan\r\n2 What Vireldan is=vireldan_overview\r\n", 0), 0u);
  for (const HelpTopic& topic : document.topics) EXPECT_NE(cnt.find(" " + topic.title + "=" + topic.name + "\r\n"), std::string::npos);
}

TEST(HlpFile, WarrantyReadsAsTheAgreement) {
  const HlpReader reader(WriteHlpFile(ShippedDocument()));
  const ReadTopic warranty = reader.Topics().at(reader.ContextNumbers().at(98450));
  const std::string agreement = ReadText(AGREEMENT);
  const size_t start = agreement.find("Vireldan is provided");
  ASSERT_NE(start, std::string::npos);
  const std::string clause = agreement.substr(start, agreement.find('\n', start) - start);
  ASSERT_EQ(warranty.paragraphs.size(), 2u);
  EXPECT_EQ(warranty.paragraphs[1], clause);
}

// The bytes of a two-topic file, second topic in a contents book; the golden file was checked
// field by field against the file layout when it was made.
TEST(HlpFile, TwoTopicFileByteForByte) {
  const HelpDocument document = ParseHelpSource(kTwoTopics);
  const HlpBytes file = WriteHlpFile(document);
  const std::string golden = ReadText(TWO_TOPICS_GOLDEN);
  EXPECT_EQ(std::string(file.begin(), file.end()), golden);
  EXPECT_EQ(WriteCntFile(document, "tiny.hlp"), ":Base tiny.hlp\r\n:Title Tiny\r\n1 One=first\r\n1 B\r\n2 Two=second\r\n");
  const HlpReader reader(file);
  EXPECT_EQ(reader.ContextNumbers(), (std::map<uint32_t, uint32_t>{{17, 0}, {0x21001, 4 + 7}}));  // "One" and "Alpha." with their paragraph ends
}

TEST(HlpFile, LongTopicsFillSeveralBlocks) {
  std::string source = "@file-title Long\n";
  for (int topic = 0; topic < 12; ++topic) {
    source += "@topic t" + std::to_string(topic) + " " + std::to_string(1000 + topic) + "\n@title T" + std::to_string(topic) + "\n";
    for (int line = 0; line < 3; ++line) source += std::string(400, char('a' + line)) + "\n";
  }
  const HlpReader reader(WriteHlpFile(ParseHelpSource(source)));
  const std::map<uint32_t, ReadTopic> topics = reader.Topics();
  ASSERT_EQ(topics.size(), 12u);
  EXPECT_GT(topics.rbegin()->first, 0x8000u * 3);  // past the third block
  for (int topic = 0; topic < 12; ++topic) {
    const ReadTopic& read = topics.at(reader.ContextNumbers().at(1000 + topic));
    EXPECT_EQ(read.title, "T" + std::to_string(topic));
    ASSERT_EQ(read.paragraphs.size(), 4u);
    EXPECT_EQ(read.paragraphs[3], std::string(400, 'c'));
  }
  EXPECT_THROW(WriteHlpFile(ParseHelpSource("@file-title L\n@topic a\n@title A\n" + std::string(4100, 'x') + "\n")),
               std::length_error);
}

TEST(HlpFile, ContextHashesAsViewersComputeThem) {
  const struct { const char* name; int32_t hash; } cases[] = {
      {"a", 17}, {"A", 17}, {"ab", 17 * 43 + 18}, {"0", 10}, {"9.", 9 * 43 + 12}, {"_", 13}, {"a-b", 17 * 43 + 18},
      {"using_help", int32_t(0xB4B6C466u)},
  };
  for (const auto& c : cases) EXPECT_EQ(HlpContextHash(c.name), c.hash) << c.name;
}

TEST(HelpSource, WrongSourcesAreRefusedWithTheirLine) {
  const struct { const char* source; const char* message; } cases[] = {
      {"@topic a\n@title A\n", "line 2: the file has no @file-title"},
      {"@file-title T\n", "line 1: the file has no @topic"},
      {"@file-title T\nText\n", "line 2: text before the first @topic"},
      {"@file-title T\n@topic a\nText\n@topic b\n@title B\n", "line 2: topic \"a\" has no @title"},
      {"@file-title T\n@topic a\n@title A\n@topic A\n", "line 4: topic \"A\" twice"},
      {"@file-title T\n@topic a 5\n@title A\n@topic b 0x5\n", "line 4: context number 0x5 twice"},
      {"@file-title T\n@topic a 12x\n", "line 2: \"12x\" is not a context number"},
      {"@file-title T\n@topic a 0\n", "line 2: \"0\" is not a context number"},
      {"@file-title T\n@topic a -3\n", "line 2: \"-3\" is not a context number"},
      {"@file-title T\n@topic a-b\n", "line 2: \"a-b\" is not a context name"},
      {"@file-title T\n@topic a\n@title A\nCaf\xe9\n", "line 4: holds a character that is not printable ASCII"},
      {"@file-title T\n@title A\n", "line 2: \"@title A\" is not a directive here"},
      {"@file-title T\n@topic\n", "line 2: @topic needs a context name"},
  };
  for (const auto& c : cases) {
    try {
      ParseHelpSource(c.source);
      ADD_FAILURE() << "accepted: " << c.source;
    } catch (const HelpSourceError& error) {
      EXPECT_EQ(std::string(error.what()), c.message);
    }
  }
}

}  // namespace
