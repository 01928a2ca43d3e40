#pragma once
// The uncompressed rows of a BMP file read straight from the file, top row first, a band of
// stored rows at a time (from the end of the file first when the rows are stored bottom-up), so
// that a thumbnail is fitted without the file's rows ever being held whole.
#include <cstdint>

#include "bilinear_fit.h"
#include "dib_decoders.h"
#include "file_reader.h"

namespace ravelight {

class BmpFileRows : public RowSource {
 public:
  // dib: the header, masks and colour table as a packed DIB has them; bitsStart: where the rows
  // start in the file.
  BmpFileRows(FileReader& file, uint64_t bitsStart, const DibLayout& layout, const uint8_t* dib);
  ~BmpFileRows() override;
  BmpFileRows(const BmpFileRows&) = delete;
  BmpFileRows& operator=(const BmpFileRows&) = delete;

  explicit operator bool() const { return band_ != nullptr; }
  int Width() const override { return layout_.width; }
  int Height() const override { return layout_.height; }
  const uint8_t* Row(int y) override;

 private:
  bool ReadBandHolding(int stored);

  FileReader& file_;
  uint64_t bitsStart_;
  const DibLayout& layout_;
  DibPalette palette_;
  DibRowConverter convert_;
  int bandRows_ = 0;
  uint8_t* band_ = nullptr;  // then two converted rows, so the row before stays valid
  int first_ = 0, count_ = 0;  // the stored rows the band holds
};

}  // namespace ravelight
