// BMP files: the file header and the DIB behind it are gathered into one packed DIB in memory,
// which the DIB decoder turns into the picture; a thumbnail of uncompressed rows is fitted while
// the rows are read instead. OS/2 files (12-byte core header, 3-byte colour
// entries) are widened to the Windows layout on the way; a file without the "BM" header is taken
// as a bare DIB.
#include <cstdlib>
#include <cstring>

#include "Cimage.h"
#include "bilinear_fit.h"
#include "bmp_rows.h"
#include "byte_order.h"
#include "data_bound.h"
#include "dib_layout.h"
#include "file_reader.h"
#include "load_state.h"
#include "scale_fraction.h"

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kCoreHeaderSize = 12;
// Later Windows headers (V2 52, V3 56, V4 108, V5 124 bytes) begin with the 40 bytes of the
// classic one; from V2 on the three bit-field masks sit in the header itself, at byte 40.
constexpr size_t kMasksInHeaderFrom = 52;
constexpr size_t kLargestHeader = 124;

struct PackedDib {
  uint8_t* bytes = nullptr;
  size_t size = 0;
  ~PackedDib() { std::free(bytes); }
};

// A header longer than 40 bytes read into the 40-byte one. Its masks, when the pixels are bit
// fields, are handed back so that they can stand after the header where a classic DIB has them.
bool ReadLongerHeader(ravelight::FileReader& file, uint32_t size, uint8_t header[ravelight::kDibHeaderSize],
                      uint8_t masks[ravelight::kDibMaskBytes], bool& masksInHeader) {
  if (size != 52 && size != 56 && size != 108 && size != kLargestHeader) return false;
  uint8_t whole[kLargestHeader];
  std::memcpy(whole, header, 4);
  if (!file.Read(whole + 4, size - 4)) return false;
  std::memcpy(header, whole, ravelight::kDibHeaderSize);
  header[0] = uint8_t(ravelight::kDibHeaderSize);
  header[1] = header[2] = header[3] = 0;
  masksInHeader = size >= kMasksInHeaderFrom;
  if (masksInHeader) std::memcpy(masks, whole + ravelight::kDibHeaderSize, ravelight::kDibMaskBytes);
  return true;
}

// The header as a 40-byte Windows header, and how big each colour entry is in the file.
bool ReadInfoHeader(ravelight::FileReader& file, uint8_t header[ravelight::kDibHeaderSize], size_t& entrySize,
                    uint8_t masks[ravelight::kDibMaskBytes], bool& masksInHeader) {
  std::memset(header, 0, ravelight::kDibHeaderSize);
  masksInHeader = false;
  if (!file.Read(header, 4)) return false;
  const uint32_t size = ravelight::LittleEndian32(header);
  entrySize = 4;
  if (size == ravelight::kDibHeaderSize) return file.Read(header + 4, ravelight::kDibHeaderSize - 4);
  if (size > ravelight::kDibHeaderSize) return ReadLongerHeader(file, size, header, masks, masksInHeader);
  if (size != kCoreHeaderSize) return false;
  uint8_t core[kCoreHeaderSize - 4];  // 16-bit width, height, planes and bit count
  if (!file.Read(core, sizeof core)) return false;
  entrySize = 3;
  header[0] = uint8_t(ravelight::kDibHeaderSize);
  std::memcpy(header + 4, core, 2);
  std::memcpy(header + 8, core + 2, 2);
  std::memcpy(header + 12, core + 4, 4);
  return true;
}

// What stands before the rows, and how many bytes of rows follow; the file is left at the rows.
struct DibHeaders {
  uint8_t header[ravelight::kDibHeaderSize];
  uint8_t masks[ravelight::kDibMaskBytes] = {};
  uint8_t table[256 * 4] = {};
  ravelight::DibLayout layout;
  uint64_t bitsSize = 0;
};

bool ReadHeaders(ravelight::FileReader& file, DibHeaders& h) {
  uint8_t fileHeader[kFileHeaderSize];
  if (!file.Read(fileHeader, sizeof fileHeader)) return false;
  const bool hasFileHeader = fileHeader[0] == 'B' && fileHeader[1] == 'M';
  const uint32_t bitsOffset = hasFileHeader ? ravelight::LittleEndian32(fileHeader + 10) : 0;
  if (!hasFileHeader) file.Seek(0);

  size_t entrySize = 0;
  bool masksInHeader = false;
  ravelight::DibLayout& layout = h.layout;
  if (!ReadInfoHeader(file, h.header, entrySize, h.masks, masksInHeader) || !ravelight::DescribeDib(h.header, layout))
    return false;
  // The rows never start inside the headers; they may start before the colour table has all the
  // entries the header counts (writers that stored only the colours they used), and the missing
  // entries are black.
  const uint32_t masksInFile = masksInHeader ? 0 : layout.maskBytes;
  if (bitsOffset && bitsOffset < file.Position() + masksInFile) return false;
  if (!file.Read(h.masks, masksInFile)) return false;
  const uint64_t entriesStored = bitsOffset ? (bitsOffset - file.Position()) / entrySize : layout.colours;
  for (uint32_t i = 0; i < layout.colours && i < entriesStored; ++i)
    if (!file.Read(h.table + 4 * i, entrySize)) return false;
  if (bitsOffset && !file.Seek(bitsOffset)) return false;

  // Uncompressed rows have a size we know; compressed data runs to the end of the file at most.
  // The header's own image size is never trusted.
  h.bitsSize = layout.IsRunLength() ? file.Remaining() : layout.UncompressedBitsSize();
  if (h.bitsSize > file.Remaining()) return false;
  const uint64_t pixels = uint64_t(layout.width) * uint64_t(layout.height);
  return !layout.IsRunLength() || ravelight::DataCanHold(pixels, h.bitsSize, ravelight::kBmpRunPixelsPerByte);
}

// The headers as a packed DIB has them, followed by bitsBytes of the rows read from the file.
bool Pack(ravelight::FileReader& file, const DibHeaders& h, uint64_t bitsBytes, PackedDib& dib) {
  const ravelight::DibLayout& layout = h.layout;
  const uint64_t tableBytes = 4 * uint64_t(layout.colours);
  dib.size = size_t(layout.BitsOffset() + bitsBytes);
  dib.bytes = static_cast<uint8_t*>(std::malloc(dib.size));
  if (!dib.bytes) return false;
  uint8_t* at = dib.bytes;
  std::memcpy(at, h.header, sizeof h.header);
  std::memcpy(at += sizeof h.header, h.masks, layout.maskBytes);
  std::memcpy(at += layout.maskBytes, h.table, size_t(tableBytes));
  return file.Read(at + tableBytes, size_t(bitsBytes));
}

// A thumbnail fit of uncompressed rows, made while reading them: exactly the fit the whole
// picture would get.
bool FitWhileReading(ravelight::FileReader& file, const DibHeaders& h, const ravelight::FitPlan& plan,
                     Cimage& picture) {
  PackedDib headers;
  if (!Pack(file, h, 0, headers)) return false;
  ravelight::BmpFileRows rows(file, file.Position(), h.layout, headers.bytes);
  if (!rows || !ravelight::HalveAndFitRows(picture, rows, plan.halvings, plan.width, plan.height)) return false;
  picture.m_origWidth = h.layout.width;
  picture.m_origHeight = h.layout.height;
  for (int i = 0; i < plan.halvings; ++i) ravelight::MultiplyScale(picture.m_scaleDen, picture.m_scaleNum, 2);
  return true;
}

// Either the whole file gathered into dib, or (streamed) the picture already fitted.
bool ReadBmp(ravelight::FileReader& file, Cimage& picture, int boxWidth, int boxHeight, int mode, PackedDib& dib,
             bool& streamed) {
  DibHeaders h;
  if (!ReadHeaders(file, h)) return false;
  const ravelight::FitPlan plan = ravelight::PlanFit(h.layout.width, h.layout.height, boxWidth, boxHeight);
  streamed = mode == 1 && !h.layout.IsRunLength() &&
             (plan.halvings > 0 || plan.width != h.layout.width || plan.height != h.layout.height);
  return streamed ? FitWhileReading(file, h, plan, picture) : Pack(file, h, h.bitsSize, dib);
}

}  // namespace

void Cimage::LoadBMP(FILE* stream, int width, int height, int mode) {
  PackedDib dib;
  bool streamed = false;
  if (!ravelight::DecodeFromFile(*this, stream, [&](ravelight::FileReader& file) {
        return ReadBmp(file, *this, width, height, mode, dib, streamed);
      }))
    return;
  if (streamed)
    MakeBMIstruct();
  else
    FromPackedDIB(dib.bytes, dib.size);
}
