// Feeds arbitrary bytes to the thumbnail-cache reader as a whole cache file: the header, the
// chain of entries, their JPEG extents and matching. The reader is the program's, compiled in
// here from its portable pieces (fuzz targets link only the image library). Every entry must lie
// inside the file, after the one before, and every name read must end inside its field.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../../records/tnc_chain.cpp"
#include "../../records/tnc_format.cpp"
#include "../../records/tnc_matching.cpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TncBytes source(data, size);
  TncHeader header;
  const bool known = ReadTncHeader(source, &header);
  // Unknown versions are read too: only the header decides, not the reader's safety.
  const int32_t first = size >= kTncHeaderSize ? header.first : int32_t(kTncHeaderSize);
  const TncChain chain = ReadTncChain(source, first);
  int64_t earliest = kTncHeaderSize;
  for (size_t i = 0; i < chain.entries.size(); ++i) {
    const TncEntryAt& read = chain.entries[i];
    const int64_t jpegEnd = TncJpegEnd(chain, i, int64_t(size));
    if (read.offset < earliest || read.offset + int64_t(kTncEntrySize) > jpegEnd || jpegEnd > int64_t(size))
      std::abort();
    earliest = read.offset + int64_t(kTncEntrySize);
    const std::string name = TncEntryName(read.entry);
    if (name.size() >= kTncNameSize) std::abort();
    TncRequest file;
    file.name = name;
    file.sizeKB = read.entry.sizeKB;
    file.lastWrite = file.creation = read.entry.time;
    const bool matches = TncEntryMatches(read.entry, file, read.entry.edge, false, known && header.version == 1997);
    if (matches != TncNameCanMatch(name)) std::abort();
  }
  if (chain.entries.size() > size / kTncEntrySize) std::abort();
  return 0;
}
