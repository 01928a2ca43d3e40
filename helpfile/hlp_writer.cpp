#include "hlp_writer.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <utility>

#include "hlp_topics.h"

namespace {

constexpr HlpTreeShape kDirectoryTree{1024, 0x0402, "z4"};
constexpr HlpTreeShape kContextTree{2048, 0x0002, "L4"};
constexpr HlpTreeShape kTitleTree{2048, 0x0002, "Lz"};

HlpBytes SystemFile(const HelpDocument& document) {
  HlpBytes system;
  PutWord(system, 0x036C);
  PutWord(system, 21);  // WinHelp 3.1
  PutWord(system, 1);
  PutLong(system, 0);   // date of making: none, so that a build is repeatable
  PutWord(system, 0);   // topic blocks of 4 KB, uncompressed
  const auto record = [&system](uint16_t type, const HlpBytes& data) {
    PutWord(system, type);
    PutWord(system, uint16_t(data.size()));
    system.insert(system.end(), data.begin(), data.end());
  };
  HlpBytes title;
  PutStringZ(title, document.title);
  record(1, title);
  HlpBytes contents;
  PutLong(contents, 0);  // the first topic
  record(3, contents);
  return system;
}

HlpBytes FontFile() {
  const std::string face = "Arial";
  constexpr uint16_t kHeader = 8, kFaceSize = 32;
  HlpBytes font;
  PutWord(font, 1);  // face names
  PutWord(font, 2);  // descriptors
  PutWord(font, kHeader);
  PutWord(font, kHeader + kFaceSize);
  PutText(font, face);
  font.resize(kHeader + kFaceSize, 0);
  struct Descriptor { uint8_t attributes, halfPoints; uint8_t red, green, blue; };
  for (const Descriptor& d : {Descriptor{0, 20, 0, 0, 0}, Descriptor{1, 28, 0, 0, 0x80}}) {  // body, heading
    PutByte(font, d.attributes);
    PutByte(font, d.halfPoints);
    PutByte(font, 3);  // swiss
    PutWord(font, 0);  // the face
    for (const uint8_t c : {d.red, d.green, d.blue, uint8_t(0xFF), uint8_t(0xFF), uint8_t(0xFF)}) PutByte(font, c);
  }
  return font;
}

HlpBytes ContextFile(const HelpDocument& document, const std::vector<uint32_t>& offsets) {
  std::map<int32_t, std::pair<std::string, uint32_t>> byHash;
  for (size_t i = 0; i < document.topics.size(); ++i) {
    const std::string& name = document.topics[i].name;
    const auto [at, added] = byHash.emplace(HlpContextHash(name), std::make_pair(name, offsets[i]));
    if (!added) throw std::invalid_argument("context names \"" + at->second.first + "\" and \"" + name + "\" share a hash");
  }
  std::vector<HlpBytes> entries;
  for (const auto& [hash, topic] : byHash) {
    entries.emplace_back();
    PutLong(entries.back(), uint32_t(hash));
    PutLong(entries.back(), topic.second);
  }
  return HlpLeafTree(kContextTree, entries);
}

HlpBytes ContextNumberFile(const HelpDocument& document, const std::vector<uint32_t>& offsets) {
  std::map<uint32_t, uint32_t> byNumber;
  for (size_t i = 0; i < document.topics.size(); ++i) {
    for (const uint32_t number : document.topics[i].contextNumbers) byNumber[number] = offsets[i];
  }
  if (byNumber.size() > 0xFFFF) throw std::length_error("too many context numbers");
  HlpBytes map;
  PutWord(map, uint16_t(byNumber.size()));
  for (const auto& [number, offset] : byNumber) {
    PutLong(map, number);
    PutLong(map, offset);
  }
  return map;
}

HlpBytes TitleFile(const HelpDocument& document, const std::vector<uint32_t>& offsets) {
  std::vector<HlpBytes> entries;
  for (size_t i = 0; i < document.topics.size(); ++i) {  // offsets grow with the topics
    entries.emplace_back();
    PutLong(entries.back(), offsets[i]);
    PutStringZ(entries.back(), document.topics[i].title);
  }
  return HlpLeafTree(kTitleTree, entries);
}

void PutInternalFile(HlpBytes& file, const HlpBytes& content) {
  PutLong(file, uint32_t(content.size() + 9));  // reserved, with this header
  PutLong(file, uint32_t(content.size()));      // used
  PutByte(file, 4);
  file.insert(file.end(), content.begin(), content.end());
}

}  // namespace

HlpBytes WriteHlpFile(const HelpDocument& document) {
  const HlpTopicStream topics = BuildHlpTopicStream(document);
  // The directory is searched by byte order of the names.
  const std::map<std::string, HlpBytes> internalFiles{
      {"|CONTEXT", ContextFile(document, topics.topicOffsets)},
      {"|CTXOMAP", ContextNumberFile(document, topics.topicOffsets)},
      {"|FONT", FontFile()},
      {"|SYSTEM", SystemFile(document)},
      {"|TOPIC", topics.bytes},
      {"|TTLBTREE", TitleFile(document, topics.topicOffsets)},
  };
  constexpr size_t kFileHeader = 16;
  HlpBytes file(kFileHeader, 0);
  std::vector<HlpBytes> directory;
  for (const auto& [name, content] : internalFiles) {
    directory.emplace_back();
    PutStringZ(directory.back(), name);
    PutLong(directory.back(), uint32_t(file.size()));
    PutInternalFile(file, content);
  }
  const uint32_t directoryStart = uint32_t(file.size());
  PutInternalFile(file, HlpLeafTree(kDirectoryTree, directory));
  PutLongAt(file, 0, 0x00035F3F);
  PutLongAt(file, 4, directoryStart);
  PutLongAt(file, 8, 0xFFFFFFFF);  // no free blocks
  PutLongAt(file, 12, uint32_t(file.size()));
  return file;
}
