// PCX files: a 128-byte header, then run-length coded rows of one to four planes, and for 8-bit
// palette pictures a 256-colour palette in the last 769 bytes.
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "bilinear_fit.h"
#include "byte_order.h"
#include "data_bound.h"
#include "file_reader.h"
#include "load_state.h"
#include "picture_buffer.h"
#include "picture_limits.h"
#include "scale_fraction.h"

namespace {

constexpr size_t kHeaderSize = 128;
constexpr uint8_t kManufacturer = 10;
constexpr size_t kPaletteBlockSize = 769;  // marker byte 12, then 256 red, green, blue triples
constexpr uint8_t kPaletteMarker = 12;

enum class PcxKind { Mono, SixteenColour, Palette256, TrueColour };

struct PcxHeader {
  int width = 0, height = 0;
  int planes = 0;
  int bytesPerLine = 0;
  PcxKind kind = PcxKind::Mono;
  uint8_t palette[48];  // sixteen red, green, blue triples
};

// The combinations of version, bits and planes that files carry; anything else is not a PCX we read.
bool KindOf(int version, int bits, int planes, PcxKind& kind) {
  const bool known = ((version == 5 || version == 3) && (bits == 8 || bits == 1)) ||
                     (version == 2 && bits == 1) || (version == 0 && bits == 1 && planes == 1);
  if (!known) return false;
  if (bits == 1 && planes == 1) kind = PcxKind::Mono;
  else if (bits == 1 && planes == 4) kind = PcxKind::SixteenColour;
  else if (bits == 8 && planes == 1) kind = PcxKind::Palette256;
  else if (bits == 8 && planes == 3) kind = PcxKind::TrueColour;
  else return false;
  return true;
}

bool ReadHeader(ravelight::FileReader& file, PcxHeader& h) {
  uint8_t raw[kHeaderSize];
  if (!file.Read(raw, sizeof raw) || raw[0] != kManufacturer) return false;
  const int xmin = ravelight::LittleEndian16(raw + 4), ymin = ravelight::LittleEndian16(raw + 6);
  const int xmax = ravelight::LittleEndian16(raw + 8), ymax = ravelight::LittleEndian16(raw + 10);
  if (xmax < xmin || ymax < ymin) return false;
  h.width = xmax - xmin + 1;
  h.height = ymax - ymin + 1;
  h.planes = raw[65];
  h.bytesPerLine = ravelight::LittleEndian16(raw + 66);
  std::memcpy(h.palette, raw + 16, sizeof h.palette);
  const int bits = raw[3];
  // Every row must hold the whole width in each plane.
  return KindOf(raw[1], bits, h.planes, h.kind) && int64_t{h.bytesPerLine} * 8 >= int64_t{h.width} * bits;
}

// Run-length coded bytes: a byte with both top bits set repeats the next byte (its low six bits
// times); any other byte stands for itself. A run may go on into the next row.
class RunReader {
 public:
  RunReader(ravelight::FileReader& file, uint64_t end) : file_(file), end_(end) {}

  bool Read(uint8_t* to, size_t count) {
    for (size_t i = 0; i < count; ++i) {
      while (!pending_) {
        uint8_t code;
        if (!Next(code)) return false;
        if ((code & 0xC0) != 0xC0) {
          pending_ = 1;
          value_ = code;
        } else if (!Next(value_)) {
          return false;
        } else {
          pending_ = code & 0x3F;
        }
      }
      --pending_;
      to[i] = value_;
    }
    return true;
  }

 private:
  bool Next(uint8_t& byte) { return file_.Position() < end_ && file_.ReadByte(byte); }

  ravelight::FileReader& file_;
  const uint64_t end_;
  int pending_ = 0;
  uint8_t value_ = 0;
};

bool ReadTrailingPalette(ravelight::FileReader& file, uint8_t palette[768]) {
  uint8_t block[kPaletteBlockSize];
  if (file.Size() < kHeaderSize + kPaletteBlockSize || !file.Seek(file.Size() - kPaletteBlockSize) ||
      !file.Read(block, sizeof block) || block[0] != kPaletteMarker)
    return false;
  std::memcpy(palette, block + 1, 768);
  return file.Seek(kHeaderSize);
}

void PutRgb(uint8_t* out, const uint8_t* rgb) {
  out[0] = rgb[2];
  out[1] = rgb[1];
  out[2] = rgb[0];
}

void ConvertRow(const PcxHeader& h, const uint8_t* row, const uint8_t* palette256, uint8_t* out) {
  const int bpl = h.bytesPerLine;
  for (int x = 0; x < h.width; ++x, out += 3) {
    const int shift = 7 - x % 8;
    switch (h.kind) {
      case PcxKind::Mono:
        std::memset(out, (row[x / 8] >> shift & 1) ? 255 : 0, 3);
        break;
      case PcxKind::SixteenColour: {
        int index = 0;
        for (int p = 0; p < 4; ++p) index |= (row[p * bpl + x / 8] >> shift & 1) << p;
        PutRgb(out, h.palette + 3 * index);
        break;
      }
      case PcxKind::Palette256:
        PutRgb(out, palette256 + 3 * row[x]);
        break;
      case PcxKind::TrueColour:
        out[0] = row[2 * bpl + x];
        out[1] = row[bpl + x];
        out[2] = row[x];
        break;
    }
  }
}

// The rows as the runs give them, converted to blue, green, red into one of two buffers (so the
// row before stays valid); rows skipped over are read all the same.
class PcxRows : public ravelight::RowSource {
 public:
  PcxRows(ravelight::FileReader& file, uint64_t dataEnd, const PcxHeader& h, const uint8_t* palette256)
      : runs_(file, dataEnd), h_(h), palette256_(palette256), rowSize_(size_t(h.planes) * size_t(h.bytesPerLine)),
        buffer_(static_cast<uint8_t*>(std::malloc(rowSize_ + 2 * 3 * size_t(h.width)))) {}
  ~PcxRows() override { std::free(buffer_); }
  PcxRows(const PcxRows&) = delete;
  PcxRows& operator=(const PcxRows&) = delete;

  explicit operator bool() const { return buffer_ != nullptr; }
  int Width() const override { return h_.width; }
  int Height() const override { return h_.height; }

  const uint8_t* Row(int y) override { return Into(y, Slot(y)); }

  // Row y into out; null when the data ran out.
  const uint8_t* Into(int y, uint8_t* out) {
    if (held_[y & 1] == y && out == Slot(y)) return out;
    for (; next_ <= y; ++next_) {
      if (!runs_.Read(buffer_, rowSize_)) return nullptr;
      if (next_ == y) ConvertRow(h_, buffer_, palette256_, out);
    }
    if (out == Slot(y)) held_[y & 1] = y;
    return out;
  }

 private:
  uint8_t* Slot(int y) const { return buffer_ + rowSize_ + size_t(y & 1) * 3 * size_t(h_.width); }

  RunReader runs_;
  const PcxHeader& h_;
  const uint8_t* palette256_;
  size_t rowSize_;
  uint8_t* buffer_;
  int next_ = 0;
  int held_[2] = {-1, -1};
};

bool Decode(ravelight::FileReader& file, Cimage& picture, int boxWidth, int boxHeight, int mode) {
  PcxHeader h;
  if (!ReadHeader(file, h)) return false;
  uint8_t palette256[768];
  uint64_t dataEnd = file.Size();
  if (h.kind == PcxKind::Palette256) {
    if (!ReadTrailingPalette(file, palette256)) return false;
    dataEnd -= kPaletteBlockSize;
  }
  const uint64_t rawBytes = uint64_t(h.height) * uint64_t(h.planes) * uint64_t(h.bytesPerLine);
  if (file.Position() > dataEnd || !ravelight::DataCanHold(rawBytes, dataEnd - file.Position(), ravelight::kPcxRunRatio))
    return false;
  const ravelight::FitPlan plan = ravelight::PlanFit(h.width, h.height, boxWidth, boxHeight);
  const bool fitWhileReading = mode == 1 && (plan.halvings > 0 || plan.width != h.width || plan.height != h.height);
  if (!(fitWhileReading ? ravelight::IsSaneStreamedSize(h.width, h.height) : ravelight::IsSanePictureSize(h.width, h.height)))
    return false;
  picture.m_origWidth = h.width;
  picture.m_origHeight = h.height;
  PcxRows rows(file, dataEnd, h, palette256);
  if (!rows) return false;
  if (fitWhileReading) {
    if (!ravelight::IsSanePictureSize(plan.width, plan.height) ||
        !ravelight::HalveAndFitRows(picture, rows, plan.halvings, int(plan.width), int(plan.height)))
      return false;
    for (int i = 0; i < plan.halvings; ++i) ravelight::MultiplyScale(picture.m_scaleDen, picture.m_scaleNum, 2);
    return true;
  }
  if (!ravelight::AttachNewPixels(picture, h.width, h.height)) return false;
  for (int y = 0; y < h.height; ++y)
    if (!rows.Into(y, picture.m_pixels + size_t(y) * size_t(picture.m_stride))) return false;
  return true;
}

}  // namespace

void Cimage::LoadPCX(FILE* stream, int width, int height, int mode) {
  if (ravelight::DecodeFromFile(*this, stream,
                                [&](ravelight::FileReader& file) { return Decode(file, *this, width, height, mode); }))
    MakeBMIstruct();
}
