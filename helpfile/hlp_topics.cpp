#include "hlp_topics.h"

#include <stdexcept>

namespace {

constexpr uint8_t kTopicHeaderRecord = 0x02;
constexpr uint8_t kDisplayRecord = 0x20;
constexpr size_t kLinkHeader = 21;
constexpr size_t kTopicHeaderSize = 28;
constexpr uint32_t kNone = 0xFFFFFFFF;

// One record of the topic stream; its position is known only once the blocks are laid out.
struct TopicLink {
  uint8_t type;
  HlpBytes data1;  // the record's format part
  HlpBytes data2;  // its text
  uint16_t characters = 0;
  uint32_t position = 0;
  uint32_t block = 0;
  size_t Size() const { return kLinkHeader + data1.size() + data2.size(); }
};

// A paragraph in one font, followed by a paragraph end; the text's strings are separated by
// NULs, one before each formatting command.
TopicLink Paragraph(const std::string& text, HlpFont font) {
  TopicLink link{kDisplayRecord, {}, {}};
  PutByte(link.data2, 0);
  PutStringZ(link.data2, text);
  link.characters = uint16_t(text.size() + 1);
  PutPackedSignedLong(link.data1, int32_t(link.data2.size()));
  PutPackedUnsignedWord(link.data1, link.characters);
  for (const uint8_t unknown : {0x00, 0x80, 0x00, 0x00}) PutByte(link.data1, unknown);
  constexpr uint16_t kSpaceBelow = 0x0004;
  PutWord(link.data1, kSpaceBelow);
  PutPackedSignedWord(link.data1, font == kHeadingFont ? 16 : 12);  // half points
  PutByte(link.data1, 0x80);  // font change
  PutWord(link.data1, font);
  PutByte(link.data1, 0x82);  // end of paragraph
  PutByte(link.data1, 0xFF);  // end of formatting
  return link;
}

std::vector<std::vector<TopicLink>> TopicLinks(const HelpDocument& document) {
  std::vector<std::vector<TopicLink>> topics;
  for (const HelpTopic& topic : document.topics) {
    std::vector<TopicLink> links;
    links.push_back(TopicLink{kTopicHeaderRecord, HlpBytes(kTopicHeaderSize), {}});
    PutText(links.back().data2, topic.title);
    links.push_back(Paragraph(topic.title, kHeadingFont));
    for (const std::string& paragraph : topic.paragraphs) links.push_back(Paragraph(paragraph, kBodyFont));
    topics.push_back(std::move(links));
  }
  return topics;
}

// Records never straddle two blocks: one that does not fit starts the next block.
std::vector<uint32_t> LayOut(std::vector<std::vector<TopicLink>>& topics) {
  std::vector<uint32_t> topicOffsets;
  uint32_t block = 0, offset = kHlpTopicBlockHeader, characters = 0;
  for (std::vector<TopicLink>& links : topics) {
    for (TopicLink& link : links) {
      if (link.Size() > kHlpTopicBlockSize - kHlpTopicBlockHeader)
        throw std::length_error("a paragraph or title is too long for a topic block: \"" +
                                std::string(link.data2.begin() + 1, link.data2.begin() + 41) + "...\"");
      if (offset + link.Size() > kHlpTopicBlockSize) {
        ++block;
        offset = kHlpTopicBlockHeader;
        characters = 0;
      }
      link.block = block;
      link.position = block * 0x4000 + offset;
      offset += uint32_t(link.Size());
      if (link.type == kTopicHeaderRecord) topicOffsets.push_back(block * 0x8000 + characters);
      characters += link.characters;
    }
  }
  return topicOffsets;
}

void FillTopicHeaders(std::vector<std::vector<TopicLink>>& topics) {
  for (size_t topic = 0; topic < topics.size(); ++topic) {
    std::vector<TopicLink>& links = topics[topic];
    uint32_t size = 0;
    for (const TopicLink& link : links) size += uint32_t(link.Size());
    HlpBytes& header = links[0].data1;
    PutLongAt(header, 0, size);
    PutLongAt(header, 4, kNone);   // no browse sequence
    PutLongAt(header, 8, kNone);
    PutLongAt(header, 12, uint32_t(topic));
    PutLongAt(header, 16, kNone);  // no non-scrolling region
    PutLongAt(header, 20, links.size() > 1 ? links[1].position : kNone);
    PutLongAt(header, 24, topic + 1 < topics.size() ? topics[topic + 1][0].position : kNone);
  }
}

HlpBytes Blocks(const std::vector<const TopicLink*>& links) {
  HlpBytes bytes;
  uint32_t lastHeader = kNone;
  for (size_t i = 0; i < links.size(); ++i) {
    const TopicLink& link = *links[i];
    if (i == 0 || link.block != links[i - 1]->block) {
      bytes.resize(size_t(link.block) * kHlpTopicBlockSize, 0);
      PutLong(bytes, i == 0 ? kNone : links[i - 1]->position);
      PutLong(bytes, link.position);
      PutLong(bytes, lastHeader);
    }
    PutLong(bytes, uint32_t(link.Size()));
    PutLong(bytes, uint32_t(link.data2.size()));
    PutLong(bytes, i == 0 ? kNone : links[i - 1]->position);
    PutLong(bytes, i + 1 == links.size() ? kNone : links[i + 1]->position);
    PutLong(bytes, uint32_t(kLinkHeader + link.data1.size()));
    PutByte(bytes, link.type);
    bytes.insert(bytes.end(), link.data1.begin(), link.data1.end());
    bytes.insert(bytes.end(), link.data2.begin(), link.data2.end());
    if (link.type == kTopicHeaderRecord) lastHeader = link.position;
  }
  bytes.resize((bytes.size() + kHlpTopicBlockSize - 1) / kHlpTopicBlockSize * kHlpTopicBlockSize, 0);
  return bytes;
}

}  // namespace

HlpTopicStream BuildHlpTopicStream(const HelpDocument& document) {
  std::vector<std::vector<TopicLink>> topics = TopicLinks(document);
  HlpTopicStream stream;
  stream.topicOffsets = LayOut(topics);
  FillTopicHeaders(topics);
  std::vector<const TopicLink*> links;
  for (const std::vector<TopicLink>& topic : topics) {
    for (const TopicLink& link : topic) links.push_back(&link);
  }
  stream.bytes = Blocks(links);
  return stream;
}
