#pragma once
// The |TOPIC internal file: the topics' records in uncompressed 4 KB blocks, and where each
// topic starts in the form the context tables use.
#include <cstdint>
#include <vector>

#include "help_source.h"
#include "hlp_bytes.h"

constexpr uint32_t kHlpTopicBlockSize = 4096;
constexpr uint32_t kHlpTopicBlockHeader = 12;

enum HlpFont : uint16_t { kBodyFont = 0, kHeadingFont = 1 };

struct HlpTopicStream {
  HlpBytes bytes;                     // whole blocks
  std::vector<uint32_t> topicOffsets;  // per topic: block * 0x8000 + characters before it in its block
};

// Throws std::length_error for a paragraph that would not fit a block.
HlpTopicStream BuildHlpTopicStream(const HelpDocument& document);
