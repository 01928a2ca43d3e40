#include "gif_reference_decoder.h"

namespace {

struct Reader {
  const std::vector<uint8_t>& file;
  size_t at = 0;
  bool Has(size_t n) const { return at + n <= file.size(); }
  int Byte() { return file[at++]; }
  int Word() {
    const int low = Byte();
    return low | Byte() << 8;
  }
};

// Codes are read least significant bit first from the joined sub-blocks.
struct CodeReader {
  const std::vector<uint8_t>& data;
  size_t bit = 0;
  bool Read(int width, int& code) {
    if (bit + size_t(width) > 8 * data.size()) return false;
    code = 0;
    for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
    return true;
  }
};

std::string DecodeLzw(const std::vector<uint8_t>& data, ReferenceGif& gif) {
  const int clear = 1 << gif.codeSize, end = clear + 1;
  std::vector<int> prefix(4096, -1);
  std::vector<uint8_t> suffix(4096), first(4096);
  for (int i = 0; i < clear; ++i) suffix[i] = first[i] = uint8_t(i);
  auto output = [&](int code) {
    std::vector<uint8_t> string;
    for (int c = code; c >= 0; c = prefix[c]) string.push_back(suffix[c]);
    gif.indices.insert(gif.indices.end(), string.rbegin(), string.rend());
  };
  CodeReader reader{data};
  int width = gif.codeSize + 1, next = clear + 2, previous = -1, code;
  while (reader.Read(width, code)) {
    if (code == clear) {
      ++gif.clearCodes;
      width = gif.codeSize + 1;
      next = clear + 2;
      previous = -1;
      continue;
    }
    if (code == end) {
      gif.endCode = true;
      return reader.bit + 8 > 8 * data.size() ? "" : "data after the end code";
    }
    if (previous < 0) {
      if (code >= clear) return "first code after a clear is not a literal";
      output(code);
      previous = code;
      continue;
    }
    if (code > next || (code == next && next >= 4096)) return "code beyond the table";
    if (next < 4096) {
      prefix[next] = previous;
      suffix[next] = first[code == next ? previous : code];
      first[next] = first[previous];
      ++next;
      if (next == (1 << width) && width < 12) ++width;
    }
    output(code);
    previous = code;
  }
  return "no end code";
}

}  // namespace

ReferenceGif DecodeReferenceGif(const std::vector<uint8_t>& file) {
  ReferenceGif gif;
  auto fail = [&](const char* why) {
    gif.error = why;
    return gif;
  };
  Reader in{file};
  if (!in.Has(13)) return fail("short header");
  gif.signature.assign(file.begin(), file.begin() + 6);
  in.at = 6;
  gif.width = in.Word();
  gif.height = in.Word();
  gif.screenFlags = in.Byte();
  gif.background = in.Byte();
  gif.aspect = in.Byte();
  if (gif.screenFlags & 0x80) {
    const size_t size = 3u << ((gif.screenFlags & 7) + 1);
    if (!in.Has(size)) return fail("short colour table");
    gif.globalTable.assign(file.begin() + long(in.at), file.begin() + long(in.at + size));
    in.at += size;
  }
  if (!in.Has(11) || in.Byte() != ',') return fail("no image descriptor");
  gif.imageLeft = in.Word();
  gif.imageTop = in.Word();
  const int width = in.Word(), height = in.Word();
  gif.imageFlags = in.Byte();
  gif.codeSize = in.Byte();
  if (width != gif.width || height != gif.height) return fail("image size differs from the screen");
  if (gif.codeSize < 2 || gif.codeSize > 8) return fail("bad code size");
  std::vector<uint8_t> data;
  for (;;) {
    if (!in.Has(1)) return fail("data blocks run past the end");
    const int size = in.Byte();
    if (size == 0) break;
    if (!in.Has(size_t(size))) return fail("short data block");
    gif.blockSizes.push_back(size);
    data.insert(data.end(), file.begin() + long(in.at), file.begin() + long(in.at) + size);
    in.at += size_t(size);
  }
  gif.trailer = in.Has(1) && in.Byte() == ';' && in.at == file.size();
  gif.error = DecodeLzw(data, gif);
  if (gif.error.empty() && gif.indices.size() != size_t(width) * height) gif.error = "wrong number of pixels";
  return gif;
}
