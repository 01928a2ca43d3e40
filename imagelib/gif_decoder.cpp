// Reading a GIF file's structure: header, logical screen, colour tables, extensions and images.
#include "gif_decoder.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <new>

#include "byte_order.h"
#include "data_bound.h"
#include "gif_frame.h"
#include "gif_sub_blocks.h"
#include "picture_limits.h"

namespace {

// A file of millions of tiny frames, or of many large ones, must not exhaust memory: reading
// stops at either bound and keeps the frames before it.
constexpr int kMaxFrames = 10000;
constexpr int64_t kMaxFramePixels = ravelight::kMaxPicturePixels;

// The screen is painted with the background where no frame covers it, so it may outgrow what the
// frames' data describes; up to this size that costs little, beyond it the data must justify it.
constexpr uint64_t kScreenAlwaysAllowed = uint64_t{1} << 22;

constexpr uint8_t kExtensionIntroducer = '!';
constexpr uint8_t kImageSeparator = ',';
constexpr uint8_t kTrailer = ';';
constexpr uint8_t kGraphicControlLabel = 0xF9;

bool ReadExactly(FILE* stream, uint8_t* to, size_t count) {
  return std::fread(to, 1, count, stream) == count;
}

// The screen may still be empty while frames are read; it only has to stay within the caps.
bool WithinPictureCaps(int64_t width, int64_t height) {
  return ravelight::IsSanePictureSize(std::max<int64_t>(width, 1), std::max<int64_t>(height, 1));
}

// A table of 2^(bits + 1) entries of red, green, blue bytes; bits are the low three of a packed
// flags byte.
bool ReadColourTable(FILE* stream, int packed, GifColourTable& table) {
  const int size = 2 << (packed & 7);
  uint8_t rgb[3 * 256];
  if (!ReadExactly(stream, rgb, size_t(3 * size))) return false;
  for (int i = 0; i < size; ++i)
    table.entries[i] = uint32_t(rgb[3 * i]) | uint32_t(rgb[3 * i + 1]) << 8 | uint32_t(rgb[3 * i + 2]) << 16;
  table.size = size;
  return true;
}

}  // namespace

CGifDecoder::~CGifDecoder() { delete first; }

bool CGifDecoder::Read(FILE* stream, bool firstImageOnly) {
  firstImageOnly_ = firstImageOnly;
  uint8_t header[13];  // signature, then the logical screen descriptor
  if (!ReadExactly(stream, header, sizeof header)) return false;
  if (std::memcmp(header, "GIF89a", 6) != 0 && std::memcmp(header, "GIF87a", 6) != 0) return false;
  screenWidth = ravelight::LittleEndian16(header + 6);
  screenHeight = ravelight::LittleEndian16(header + 8);
  if (!WithinPictureCaps(screenWidth, screenHeight)) return false;
  const uint8_t packed = header[10];
  if ((packed & 0x80) && !ReadColourTable(stream, packed, globalTable)) return false;
  // Every block consumes at least one byte, so the file's end ends the loop.
  while (!ended_ && !failed_) ReadBlock(stream);
  const uint64_t screen = uint64_t(screenWidth) * uint64_t(screenHeight);
  const long fileBytes = std::ftell(stream);
  return !failed_ && first && ravelight::IsSanePictureSize(screenWidth, screenHeight) &&
         (screen <= kScreenAlwaysAllowed ||
          (fileBytes > 0 && ravelight::DataCanHold(screen, uint64_t(fileBytes), ravelight::kLzwRatio)));
}

void CGifDecoder::ReadBlock(FILE* stream) {
  const int introducer = std::getc(stream);
  switch (introducer) {
    case EOF:
    case kTrailer:
      ended_ = true;
      break;
    case 0:
      break;
    case kExtensionIntroducer:
      ReadExtension(stream);
      break;
    case kImageSeparator:
      ReadFrame(stream);
      break;
    default:
      failed_ = true;
  }
}

// Every extension, known or not, is read through to the end of its sub-blocks; only graphic
// control is kept, for the image that follows it.
void CGifDecoder::ReadExtension(FILE* stream) {
  const int label = std::getc(stream);
  if (label == EOF) {
    ended_ = true;
    return;
  }
  ravelight::GifSubBlocks data(stream);
  if (label == kGraphicControlLabel) {
    int fields[4];
    for (int& field : fields) field = data.NextByte();
    if (fields[3] >= 0) {
      pending_.present = true;
      pending_.packed = uint8_t(fields[0]);
      pending_.delay = uint16_t(fields[1] | fields[2] << 8);
      pending_.transparentIndex = uint8_t(fields[3]);
    }
  }
  data.SkipRest();
}

void CGifDecoder::ReadFrame(FILE* stream) {
  uint8_t descriptor[9];
  if (framesSeen_ == kMaxFrames || !ReadExactly(stream, descriptor, sizeof descriptor)) {
    ended_ = true;
    return;
  }
  std::unique_ptr<CGifFrame> frame(new (std::nothrow) CGifFrame);
  if (!frame) {
    failed_ = true;
    return;
  }
  // A frame placed beyond the screen is drawn from its edge, and the screen grows to cover it.
  frame->left = ravelight::LittleEndian16(descriptor);
  frame->top = ravelight::LittleEndian16(descriptor + 2);
  frame->width = ravelight::LittleEndian16(descriptor + 4);
  frame->height = ravelight::LittleEndian16(descriptor + 6);
  if (frame->left >= screenWidth) frame->left = 0;
  if (frame->top >= screenHeight) frame->top = 0;
  const int64_t grownWidth = std::max<int64_t>(screenWidth, int64_t{frame->left} + frame->width);
  const int64_t grownHeight = std::max<int64_t>(screenHeight, int64_t{frame->top} + frame->height);
  if (!WithinPictureCaps(grownWidth, grownHeight)) {
    failed_ = true;
    return;
  }
  const int64_t pixels = int64_t{frame->width} * frame->height;
  if (framePixels_ + pixels > kMaxFramePixels) {
    ended_ = true;
    return;
  }

  frame->control = pending_;
  pending_ = GifGraphicControl();
  const uint8_t packed = descriptor[8];
  frame->interlaced = (packed & 0x40) != 0;
  if ((packed & 0x80) && !ReadColourTable(stream, packed, frame->localTable)) {
    ended_ = true;
    return;
  }
  if (firstImageOnly_ && first) {
    PassOver(stream);
  } else if (ravelight::ReadGifImageData(stream, *frame)) {
    Append(frame.release());
  } else {
    failed_ = true;
    return;
  }
  ++framesSeen_;
  screenWidth = int(grownWidth);
  screenHeight = int(grownHeight);
  framePixels_ += pixels;
}

// The code size byte and the data's sub-blocks, read through unused.
void CGifDecoder::PassOver(FILE* stream) {
  if (std::getc(stream) != EOF) ravelight::GifSubBlocks(stream).SkipRest();
}

void CGifDecoder::Append(CGifFrame* frame) {
  if (last)
    last->next = frame;
  else
    first = frame;
  last = frame;
  ++frameCount;
}
