#pragma once
// A GIF file read whole: its logical screen, its colour table and every image as a frame. The
// picture owns it (m_gif) while it animates and frees it with DeleteImage or NoAnimation.
#include <cstddef>
#include <cstdint>
#include <cstdio>

// Colour table entries packed as red | green << 8 | blue << 16.
struct GifColourTable {
  int size = 0;  // 0 when the file gave no table
  uint32_t entries[256] = {};
};

// What a graphic-control extension says about the image that follows it.
struct GifGraphicControl {
  bool present = false;
  uint8_t packed = 0;  // bits 2-4: disposal method; bit 0: transparency
  uint16_t delay = 0;  // hundredths of a second
  uint8_t transparentIndex = 0;

  int Disposal() const { return (packed >> 2) & 7; }
  bool HasTransparency() const { return present && (packed & 1); }
};

// One image of the file, in file order.
class CGifFrame {
 public:
  // Frees the frames that follow this one as well.
  ~CGifFrame();

  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  GifColourTable localTable;  // size 0 when the frame uses the global table
  GifGraphicControl control;  // all clear when no graphic control preceded the frame
  // The colour indices decoded, in the order the file sends them: row by row, or pass by pass
  // when interlaced. Where the data ended early, the rest of the frame is index 0.
  uint8_t* indices = nullptr;
  size_t decoded = 0;
  CGifFrame* next = nullptr;

  CGifFrame() = default;
  CGifFrame(const CGifFrame&) = delete;
  CGifFrame& operator=(const CGifFrame&) = delete;
};

class CGifDecoder {
 public:
  CGifDecoder() = default;
  CGifDecoder(const CGifDecoder&) = delete;
  CGifDecoder& operator=(const CGifDecoder&) = delete;
  ~CGifDecoder();

  // Reads the whole file. False when it is no GIF, is broken beyond use, or holds no image.
  // firstImageOnly: the images after the first are passed over, their data never decoded; the
  // screen still grows to cover them.
  bool Read(FILE* stream, bool firstImageOnly = false);

  const GifColourTable& TableOf(const CGifFrame& frame) const {
    return frame.localTable.size ? frame.localTable : globalTable;
  }

  // Grown while reading to cover every frame.
  int screenWidth = 0;
  int screenHeight = 0;
  GifColourTable globalTable;
  CGifFrame* first = nullptr;
  CGifFrame* last = nullptr;
  CGifFrame* current = nullptr;  // the frame on the canvas while animating
  int frameCount = 0;

 private:
  void ReadBlock(FILE* stream);
  void ReadExtension(FILE* stream);
  void ReadFrame(FILE* stream);
  void Append(CGifFrame* frame);
  void PassOver(FILE* stream);

  GifGraphicControl pending_;  // from the last graphic control, for the next image
  int64_t framePixels_ = 0;  // of all frames read so far
  int framesSeen_ = 0;        // read or passed over
  bool firstImageOnly_ = false;
  bool ended_ = false;
  bool failed_ = false;
};
