// Photoshop files: the merged picture that follows the header and three length-prefixed sections,
// as planes of raw or PackBits-coded rows, one plane per channel.
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "byte_order.h"
#include "data_bound.h"
#include "file_reader.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"

namespace {

constexpr size_t kHeaderSize = 26;
constexpr int kMaxChannels = 56;
constexpr uint32_t kPaletteSize = 768;  // 256 red values, then 256 green, then 256 blue

enum Mode { kGrey = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kMultichannel = 7, kLab = 9 };
enum Compression { kRaw = 0, kPackBits = 1 };

struct PsdFile {
  int channels = 0;
  int width = 0, height = 0;
  int sampleBytes = 1;  // 2 for 16-bit files, of which only the high byte is kept
  int mode = 0;
  uint8_t palette[kPaletteSize] = {};
};

// Channels a colour mode needs before it is a picture; 0 for modes we don't show.
int ChannelsNeeded(int mode) {
  switch (mode) {
    case kGrey: case kIndexed: case kMultichannel: return 1;
    case kRgb: case kLab: return 3;
    case kCmyk: return 4;
    default: return 0;
  }
}

bool ReadHeader(ravelight::FileReader& file, PsdFile& psd) {
  uint8_t raw[kHeaderSize];
  if (!file.Read(raw, sizeof raw) || std::memcmp(raw, "8BPS", 4) != 0 || ravelight::BigEndian16(raw + 4) != 1)
    return false;
  psd.channels = ravelight::BigEndian16(raw + 12);
  const uint32_t height = ravelight::BigEndian32(raw + 14), width = ravelight::BigEndian32(raw + 18);
  const int depth = ravelight::BigEndian16(raw + 22);
  psd.mode = ravelight::BigEndian16(raw + 24);
  if ((depth != 8 && depth != 16) || !ravelight::IsSanePictureSize(width, height)) return false;
  const int needed = ChannelsNeeded(psd.mode);
  if (!needed || psd.channels < needed || psd.channels > kMaxChannels) return false;
  psd.width = int(width);
  psd.height = int(height);
  psd.sampleBytes = depth / 8;
  return true;
}

bool ReadLength(ravelight::FileReader& file, uint32_t& length) {
  uint8_t raw[4];
  if (!file.Read(raw, 4)) return false;
  length = ravelight::BigEndian32(raw);
  return true;
}

// The colour mode data (an indexed file's palette), the image resources and the layers.
bool ReadSections(ravelight::FileReader& file, PsdFile& psd) {
  uint32_t length;
  if (!ReadLength(file, length)) return false;
  if (psd.mode == kIndexed) {
    if (length != kPaletteSize || !file.Read(psd.palette, kPaletteSize)) return false;
  } else if (!file.Skip(length)) {
    return false;
  }
  for (int section = 0; section < 2; ++section)
    if (!ReadLength(file, length) || !file.Skip(length)) return false;
  return true;
}

void PutColorref(uint8_t* out, unsigned rgb) {
  out[0] = uint8_t(rgb >> 16);
  out[1] = uint8_t(rgb >> 8);
  out[2] = uint8_t(rgb);
}

// One row of one channel into the picture. Channels that take part in a conversion wait in the
// pixel's bytes until the last of them arrives; channels the mode doesn't use are dropped.
void PlaceRow(const PsdFile& psd, int channel, int y, const uint8_t* samples, Cimage& picture) {
  uint8_t* out = picture.m_pixels + size_t(y) * size_t(picture.m_stride);
  for (int x = 0; x < psd.width; ++x, out += 3) {
    const uint8_t s = samples[x];
    switch (psd.mode) {
      case kRgb:
        if (channel < 3) out[2 - channel] = s;
        break;
      case kGrey:
      case kMultichannel:
        if (channel == 0) std::memset(out, s, 3);
        break;
      case kIndexed:
        if (channel == 0) PutColorref(out, psd.palette[s] | psd.palette[256 + s] << 8 | psd.palette[512 + s] << 16);
        break;
      case kCmyk:
        if (channel < 3) out[channel] = s;
        else if (channel == 3) PutColorref(out, RGBfromCMYK(out[0], out[1], out[2], s));
        break;
      case kLab:
        if (channel < 2) out[channel] = s;
        else if (channel == 2) PutColorref(out, RGBfromLAB(out[0], out[1], s));
        break;
    }
  }
}

// 16-bit samples are big-endian: their high byte comes first.
void KeepHighBytes(uint8_t* row, int width, int sampleBytes) {
  if (sampleBytes == 2)
    for (int x = 0; x < width; ++x) row[x] = row[2 * x];
}

// One PackBits-coded row: a control byte n of 0..127 copies n + 1 bytes, −1..−127 repeats the next
// byte 1 − n times, −128 does nothing. The row must fill exactly; a run past its end is corrupt.
bool UnpackRow(const uint8_t* in, size_t inSize, uint8_t* out, size_t outSize) {
  size_t i = 0, o = 0;
  while (o < outSize) {
    if (i >= inSize) return false;
    const int n = int8_t(in[i++]);
    if (n >= 0) {
      const size_t count = size_t(n) + 1;
      if (inSize - i < count || outSize - o < count) return false;
      std::memcpy(out + o, in + i, count);
      i += count;
      o += count;
    } else if (n != -128) {
      const size_t count = size_t(1 - n);
      if (i >= inSize || outSize - o < count) return false;
      std::memset(out + o, in[i++], count);
      o += count;
    }
  }
  return true;
}

struct Buffers {
  uint8_t* row = nullptr;
  uint8_t* packed = nullptr;
  uint8_t* rowLengths = nullptr;
  ~Buffers() {
    std::free(row);
    std::free(packed);
    std::free(rowLengths);
  }
};

bool ReadRaw(ravelight::FileReader& file, const PsdFile& psd, Buffers& buffers, Cimage& picture) {
  const size_t rowBytes = size_t(psd.width) * size_t(psd.sampleBytes);
  for (int c = 0; c < psd.channels; ++c)
    for (int y = 0; y < psd.height; ++y) {
      if (!file.Read(buffers.row, rowBytes)) return false;
      KeepHighBytes(buffers.row, psd.width, psd.sampleBytes);
      PlaceRow(psd, c, y, buffers.row, picture);
    }
  return true;
}

bool ReadPackBits(ravelight::FileReader& file, const PsdFile& psd, Buffers& buffers, Cimage& picture) {
  const size_t rowBytes = size_t(psd.width) * size_t(psd.sampleBytes);
  buffers.packed = static_cast<uint8_t*>(std::malloc(0xFFFF));
  if (!buffers.packed) return false;
  uint64_t row = 0;
  for (int c = 0; c < psd.channels; ++c)
    for (int y = 0; y < psd.height; ++y, ++row) {
      const size_t length = ravelight::BigEndian16(buffers.rowLengths + 2 * row);
      if (!file.Read(buffers.packed, length) || !UnpackRow(buffers.packed, length, buffers.row, rowBytes)) return false;
      KeepHighBytes(buffers.row, psd.width, psd.sampleBytes);
      PlaceRow(psd, c, y, buffers.row, picture);
    }
  return true;
}

bool Decode(ravelight::FileReader& file, Cimage& picture) {
  PsdFile psd;
  uint8_t word[2];
  if (!ReadHeader(file, psd) || !ReadSections(file, psd) || !file.Read(word, 2)) return false;
  const int compression = ravelight::BigEndian16(word);
  if (compression != kRaw && compression != kPackBits) return false;

  // Make sure the file holds the data it announces before memory is taken for the picture.
  const uint64_t rows = uint64_t(psd.channels) * uint64_t(psd.height);
  const uint64_t rowBytes = uint64_t(psd.width) * uint64_t(psd.sampleBytes);
  Buffers buffers;
  if (compression == kRaw) {
    if (rows * rowBytes > file.Remaining()) return false;
  } else {
    if (2 * rows > file.Remaining()) return false;
    buffers.rowLengths = static_cast<uint8_t*>(std::malloc(size_t(2 * rows)));
    if (!buffers.rowLengths || !file.Read(buffers.rowLengths, size_t(2 * rows))) return false;
    uint64_t total = 0;
    for (uint64_t i = 0; i < rows; ++i) total += ravelight::BigEndian16(buffers.rowLengths + 2 * i);
    if (total > file.Remaining() || !ravelight::DataCanHold(rows * rowBytes, total, ravelight::kPackBitsRatio))
      return false;
  }
  buffers.row = static_cast<uint8_t*>(std::malloc(size_t(rowBytes)));
  if (!buffers.row || !ravelight::AttachNewPixels(picture, psd.width, psd.height)) return false;
  picture.m_origWidth = psd.width;
  picture.m_origHeight = psd.height;
  return compression == kRaw ? ReadRaw(file, psd, buffers, picture) : ReadPackBits(file, psd, buffers, picture);
}

}  // namespace

void Cimage::LoadPSD(FILE* stream) {
  if (ravelight::DecodeFromFile(*this, stream, [this](ravelight::FileReader& file) { return Decode(file, *this); }))
    MakeBMIstruct();
}
