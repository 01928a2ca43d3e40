#pragma once
// Pictures for the quantizer and file-writer tests, and the bytes the savers write for them.
#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"
#include "colour_quantizer.h"

struct Rgb {
  uint8_t red, green, blue;
  bool operator==(const Rgb& o) const { return red == o.red && green == o.green && blue == o.blue; }
};

// Rows of blue, green, red pixels without padding, as the quantizers take them.
struct BgrImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> bytes;
  const uint8_t* Row(int y) const { return bytes.data() + size_t(y) * width * 3; }
  Rgb At(int x, int y) const {
    const uint8_t* p = Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
  }
};

BgrImage MakeBgrImage(int width, int height, const std::function<Rgb(int x, int y)>& colourAt);

// A colour map of greys, as a quantizer of grey samples makes: each value in all three channels.
ravelight::ColourMap GreyColourMap(const std::vector<uint8_t>& values);

// Every colour of the palette at least once (the first ones in order), the rest at random
// places from a fixed seed.
BgrImage RandomImage(int width, int height, const std::vector<Rgb>& palette);
// count distinct colours spread over the whole colour cube.
std::vector<Rgb> DistinctPalette(int count);
// Smooth ramps of all three channels: far more colours than a palette holds.
BgrImage RainbowImage(int width, int height);

// A usable picture (made through the JPEG loader) holding the image's pixels.
void MakePicture(Cimage& picture, const BgrImage& image);
Rgb PixelAt(const Cimage& picture, int x, int y);

// Saves through one of the private savers into a fresh temporary file; returns its bytes.
std::vector<uint8_t> SavedBytes(Cimage& picture, const std::function<void(Cimage&, FILE*)>& save);
// Saves into a stream opened for reading only, so every write fails; returns m_saveError.
int SaveErrorOnReadOnlyStream(Cimage& picture, const std::function<void(Cimage&, FILE*)>& save);
// Saves pictures that are not usable (a failed load, no valid picture, no pixels at all): each
// must leave the file empty and set m_saveError.
::testing::AssertionResult UnusablePicturesWriteNothing(const std::function<void(Cimage&, FILE*)>& save);
