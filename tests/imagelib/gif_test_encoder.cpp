#include "gif_test_encoder.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

class BitWriter {
 public:
  void Put(int value, int width) {
    bits_ |= uint32_t(value) << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_.push_back(uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  Bytes Finish() {
    if (count_ > 0) bytes_.push_back(uint8_t(bits_));
    return bytes_;
  }

 private:
  Bytes bytes_;
  uint32_t bits_ = 0;
  int count_ = 0;
};

void PutLittle16(Bytes& out, int value) {
  out.push_back(uint8_t(value));
  out.push_back(uint8_t(value >> 8));
}

// Table size bits for the packed flags (entries = 2^(bits + 1)), and the table padded to that size.
int TableBits(size_t entries) {
  int bits = 0;
  while ((size_t{2} << bits) < entries) ++bits;
  return bits;
}

void PutTable(Bytes& out, const std::vector<uint32_t>& table) {
  const size_t padded = size_t{2} << TableBits(table.size());
  for (size_t i = 0; i < padded; ++i) {
    const uint32_t rgb = i < table.size() ? table[i] : 0;
    out.insert(out.end(), {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)});
  }
}

Bytes InterlacedOrder(const GifImage& image) {
  Bytes sent;
  const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  for (const auto& pass : passes)
    for (int y = pass[0]; y < image.height; y += pass[1]) {
      const auto row = image.indices.begin() + size_t(y) * size_t(image.width);
      sent.insert(sent.end(), row, row + image.width);
    }
  return sent;
}

}  // namespace

Bytes PackCodes(const std::vector<LzwCode>& codes) {
  BitWriter out;
  for (const LzwCode& code : codes) out.Put(code.value, code.width);
  return out.Finish();
}

Bytes LzwCompress(const Bytes& indices, int minCodeSize, int clearEvery) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  std::map<std::pair<int, int>, int> table;
  int width = 0, next = 0, sinceClear = 0;
  auto reset = [&] {
    table.clear();
    width = minCodeSize + 1;
    next = end + 1;
    sinceClear = 0;
  };
  // The decoder widens its codes once the code after this one would not fit.
  auto emit = [&](BitWriter& out, int code) {
    out.Put(code, width);
    ++sinceClear;
    if (next >= (1 << width) && width < 12) ++width;
  };

  BitWriter out;
  reset();
  out.Put(clear, width);
  if (indices.empty()) {
    out.Put(end, width);
    return out.Finish();
  }
  int current = indices[0];
  for (size_t i = 1; i < indices.size(); ++i) {
    const int c = indices[i];
    const auto found = table.find({current, c});
    if (found != table.end()) {
      current = found->second;
      continue;
    }
    emit(out, current);
    if (next < 4096 && (clearEvery == 0 || sinceClear < clearEvery)) {
      table[{current, c}] = next++;
    } else {
      out.Put(clear, width);
      reset();
    }
    current = c;
  }
  emit(out, current);
  out.Put(end, width);
  return out.Finish();
}

Bytes SubBlocks(const Bytes& data) {
  Bytes out;
  for (size_t at = 0; at < data.size(); at += 255) {
    const size_t n = std::min<size_t>(255, data.size() - at);
    out.push_back(uint8_t(n));
    out.insert(out.end(), data.begin() + long(at), data.begin() + long(at + n));
  }
  out.push_back(0);
  return out;
}

GifBuilder::GifBuilder(int width, int height, const std::vector<uint32_t>& globalTable,
                       const std::string& signature) {
  bytes_.assign(signature.begin(), signature.end());
  PutLittle16(bytes_, width);
  PutLittle16(bytes_, height);
  bytes_.push_back(globalTable.empty() ? 0 : uint8_t(0x80 | 0x70 | TableBits(globalTable.size())));
  bytes_.push_back(0);  // background index
  bytes_.push_back(0);  // aspect
  if (!globalTable.empty()) PutTable(bytes_, globalTable);
}

GifBuilder& GifBuilder::GraphicControl(int disposal, int delay, int transparentIndex) {
  const uint8_t packed = uint8_t(disposal << 2 | (transparentIndex >= 0 ? 1 : 0));
  return Extension(0xF9, {{packed, uint8_t(delay), uint8_t(delay >> 8), uint8_t(transparentIndex >= 0 ? transparentIndex : 0)}});
}

GifBuilder& GifBuilder::Extension(uint8_t label, const std::vector<Bytes>& blocks) {
  bytes_.push_back('!');
  bytes_.push_back(label);
  for (const Bytes& block : blocks) {
    bytes_.push_back(uint8_t(block.size()));
    bytes_.insert(bytes_.end(), block.begin(), block.end());
  }
  bytes_.push_back(0);
  return *this;
}

GifBuilder& GifBuilder::Image(const GifImage& image) {
  bytes_.push_back(',');
  PutLittle16(bytes_, image.left);
  PutLittle16(bytes_, image.top);
  PutLittle16(bytes_, image.width);
  PutLittle16(bytes_, image.height);
  uint8_t packed = image.interlaced ? 0x40 : 0;
  if (!image.localTable.empty()) packed |= uint8_t(0x80 | TableBits(image.localTable.size()));
  bytes_.push_back(packed);
  if (!image.localTable.empty()) PutTable(bytes_, image.localTable);
  if (!image.rawData.empty()) return Raw(image.rawData);
  bytes_.push_back(uint8_t(image.minCodeSize));
  const Bytes sent = image.interlaced ? InterlacedOrder(image) : image.indices;
  return Raw(SubBlocks(LzwCompress(sent, image.minCodeSize, image.clearEvery)));
}

GifBuilder& GifBuilder::Raw(const Bytes& bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
  return *this;
}

Bytes GifBuilder::File(bool trailer) const {
  Bytes file = bytes_;
  if (trailer) file.push_back(';');
  return file;
}

GifImage SolidImage(int left, int top, int width, int height, uint8_t index) {
  GifImage image;
  image.left = left;
  image.top = top;
  image.width = width;
  image.height = height;
  image.indices.assign(size_t(width) * size_t(height), index);
  return image;
}
