#pragma once
// A small reader of WinHelp files for the tests, written from the file layout rather than from
// our writer: it finds internal files through the directory tree and walks the topic records the
// way a help viewer does, counting characters to learn where each topic starts.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ReadTopic {
  std::string title;
  std::vector<std::string> paragraphs;
};

class HlpReader {
 public:
  // Empty problem() when the header and directory are sound.
  explicit HlpReader(std::vector<uint8_t> bytes);
  const std::string& problem() const { return problem_; }

  std::vector<std::string> FileNames() const;
  // The internal file's bytes after its own header; empty when there is none.
  std::vector<uint8_t> File(const std::string& name) const;
  // Leaf entries of the B+ tree held by an internal file, each split into key and value
  // by the lengths the tree's structure string gives ("z" a NUL-ended string, "4"/"L" 4 bytes).
  std::vector<std::pair<std::vector<uint8_t>, std::vector<uint8_t>>> TreeEntries(const std::string& name) const;
  std::map<uint32_t, uint32_t> ContextNumbers() const;  // |CTXOMAP: number -> topic offset
  std::map<uint32_t, ReadTopic> Topics() const;         // by topic offset

 private:
  std::vector<uint8_t> bytes_;
  std::map<std::string, uint32_t> directory_;
  std::string problem_;
};

uint32_t Le32(const std::vector<uint8_t>& bytes, size_t at);
