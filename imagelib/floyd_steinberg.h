#pragma once
// Floyd-Steinberg error diffusion along one row: 7/16 of each pixel's error goes on to the next
// pixel of the row, 3/16, 5/16 and 1/16 to the row below, behind, under and ahead of it.

namespace ravelight {

// errors: the row below's carried errors, 16 times their size, kChannels per column, with one
// spare column at either end (width + 2 columns); zeroed before the first row.
// mapPixel(x, error): error holds, per channel, the error carried to pixel x, rounded; it maps
// the pixel and leaves in error what the pixel's mapping got wrong.
template <int kChannels, typename MapPixel>
void DiffuseRow(int width, bool rightToLeft, int* errors, MapPixel&& mapPixel) {
  const int dir = rightToLeft ? -1 : 1;
  int x = rightToLeft ? width - 1 : 0;
  int column = rightToLeft ? width + 1 : 0;  // error entry of the column before x
  int ahead[kChannels] = {};      // 7/16 of the last pixel's error
  int underLast[kChannels] = {};  // gathered so far for the row below, under the last pixel
  int lastError[kChannels] = {};  // the last pixel's error, 1/16 of which goes under this one
  for (int n = 0; n < width; ++n, x += dir, column += dir) {
    int error[kChannels];
    for (int c = 0; c < kChannels; ++c) error[c] = (ahead[c] + errors[kChannels * (column + dir) + c] + 8) >> 4;
    mapPixel(x, error);
    for (int c = 0; c < kChannels; ++c) {
      errors[kChannels * column + c] = underLast[c] + 3 * error[c];
      underLast[c] = lastError[c] + 5 * error[c];
      lastError[c] = error[c];
      ahead[c] = 7 * error[c];
    }
  }
  for (int c = 0; c < kChannels; ++c) errors[kChannels * column + c] = underLast[c];
}

}  // namespace ravelight
