#include "palette_test_pictures.h"

#include <cstring>
#include <random>
#include <string>

#include "cimage_test_access.h"
#include "jpeg_reference.h"
#include "test_files.h"

BgrImage MakeBgrImage(int width, int height, const std::function<Rgb(int x, int y)>& colourAt) {
  BgrImage image;
  image.width = width;
  image.height = height;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const Rgb c = colourAt(x, y);
      image.bytes.insert(image.bytes.end(), {c.blue, c.green, c.red});
    }
  return image;
}

BgrImage RandomImage(int width, int height, const std::vector<Rgb>& palette) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<size_t> pick(0, palette.size() - 1);
  return MakeBgrImage(width, height, [&](int x, int y) {
    const size_t i = size_t(y) * width + x;
    return palette[i < palette.size() ? i : pick(random)];
  });
}

std::vector<Rgb> DistinctPalette(int count) {
  std::vector<Rgb> colours;
  for (int i = 0; i < count; ++i)
    colours.push_back({uint8_t(i * 97 % 256), uint8_t(i * 57 % 251), uint8_t((i * 31 + i / 7) % 256)});
  return colours;
}

BgrImage RainbowImage(int width, int height) {
  return MakeBgrImage(width, height, [&](int x, int y) {
    const int h = x * 255 / (width - 1), v = y * 255 / (height - 1);
    return Rgb{uint8_t(h), uint8_t(v), uint8_t(255 - (h + v) / 2)};
  });
}

void MakePicture(Cimage& picture, const BgrImage& image) {
  LoadJpegBytes(picture, EncodeReferenceJpeg(GradientPicture(image.width, image.height, 3)));
  for (int y = 0; y < image.height; ++y)
    std::memcpy(picture.m_pixels + size_t(y) * picture.m_stride, image.Row(y), size_t(image.width) * 3);
}

Rgb PixelAt(const Cimage& picture, int x, int y) {
  const uint8_t* p = picture.m_pixels + size_t(y) * picture.m_stride + 3 * x;
  return {p[2], p[1], p[0]};
}

std::vector<uint8_t> SavedBytes(Cimage& picture, const std::function<void(Cimage&, FILE*)>& save) {
  static int serial = 0;
  const std::string path = TempPath("saved" + std::to_string(++serial));
  FILE* stream = std::fopen(path.c_str(), "wb");
  if (!stream) return {};
  save(picture, stream);
  std::fclose(stream);
  return ReadBytes(path);
}

int SaveErrorOnReadOnlyStream(Cimage& picture, const std::function<void(Cimage&, FILE*)>& save) {
  const std::string path = TempPath("read-only");
  WriteBytes(path, {1, 2, 3});
  FILE* stream = std::fopen(path.c_str(), "rb");
  if (!stream) return -1;
  picture.m_saveError = 0;
  save(picture, stream);
  std::fclose(stream);
  return picture.m_saveError;
}

::testing::AssertionResult UnusablePicturesWriteNothing(const std::function<void(Cimage&, FILE*)>& save) {
  enum Kind { kFailedLoad, kNotValid, kEmpty };
  const char* names[] = {"failed load", "not valid", "empty"};
  for (Kind kind : {kFailedLoad, kNotValid, kEmpty}) {
    Cimage picture;
    if (kind != kEmpty) MakePicture(picture, RainbowImage(8, 8));
    if (kind == kFailedLoad) picture.m_loadError = 1;
    if (kind == kNotValid) picture.m_valid = 0;
    if (!SavedBytes(picture, save).empty()) return ::testing::AssertionFailure() << names[kind] << ": bytes written";
    if (picture.m_saveError != 1) return ::testing::AssertionFailure() << names[kind] << ": no save error";
  }
  return ::testing::AssertionSuccess();
}

ravelight::ColourMap GreyColourMap(const std::vector<uint8_t>& values) {
  ravelight::ColourMap map;
  map.count = int(values.size());
  for (size_t i = 0; i < values.size(); ++i) map.red[i] = map.green[i] = map.blue[i] = values[i];
  return map;
}
