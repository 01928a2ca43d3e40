#include "png_test_files.h"

#include <cstring>

#include <png.h>
#include <zlib.h>

namespace {

constexpr uint8_t kSignature[8] = {137, 'P', 'N', 'G', 13, 10, 26, 10};

uint32_t BigEndian32(const uint8_t* p) { return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

void PutBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(v >> shift));
}

bool IsColourSpaceChunk(const std::string& type) {
  return type == "gAMA" || type == "cHRM" || type == "sRGB" || type == "iCCP" || type == "cICP";
}

std::vector<uint8_t> WithoutColourSpace(const std::vector<uint8_t>& file) {
  std::vector<PngChunk> kept;
  for (const PngChunk& chunk : PngChunks(file))
    if (!IsColourSpaceChunk(chunk.type)) kept.push_back(chunk);
  return AssemblePng(kept);
}

std::vector<uint8_t> Encode(png_image& image, const void* samples) {
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&image, nullptr, &size, 0, samples, 0, nullptr)) return {};
  std::vector<uint8_t> file(size);
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, samples, 0, nullptr)) return {};
  file.resize(size);
  return file;
}

png_image ImageOf(int width, int height, int channels) {
  static const png_uint_32 kFormats[5] = {0, PNG_FORMAT_GRAY, PNG_FORMAT_GA, PNG_FORMAT_RGB, PNG_FORMAT_RGBA};
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  image.width = png_uint_32(width);
  image.height = png_uint_32(height);
  image.format = kFormats[channels];
  return image;
}

}  // namespace

std::vector<PngChunk> PngChunks(const std::vector<uint8_t>& file) {
  std::vector<PngChunk> chunks;
  size_t at = sizeof kSignature;
  while (at + 12 <= file.size()) {
    const uint32_t length = BigEndian32(&file[at]);
    if (length > file.size() - at - 12) break;
    PngChunk chunk;
    chunk.type.assign(reinterpret_cast<const char*>(&file[at + 4]), 4);
    chunk.data.assign(file.begin() + long(at + 8), file.begin() + long(at + 8 + length));
    chunks.push_back(chunk);
    at += 12 + size_t(length);
  }
  return chunks;
}

std::vector<uint8_t> AssemblePng(const std::vector<PngChunk>& chunks) {
  std::vector<uint8_t> file(kSignature, kSignature + sizeof kSignature);
  for (const PngChunk& chunk : chunks) {
    PutBigEndian32(file, uint32_t(chunk.data.size()));
    const size_t typeAt = file.size();
    file.insert(file.end(), chunk.type.begin(), chunk.type.end());
    file.insert(file.end(), chunk.data.begin(), chunk.data.end());
    PutBigEndian32(file, uint32_t(crc32(0, &file[typeAt], uInt(file.size() - typeAt))));
  }
  return file;
}

ReferencePng DecodeReferencePng(const std::vector<uint8_t>& original) {
  ReferencePng out;
  const std::vector<uint8_t> file = WithoutColourSpace(original);
  png_image image;
  std::memset(&image, 0, sizeof image);
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) return out;
  const bool deep = (image.format & PNG_FORMAT_FLAG_LINEAR) != 0;
  const bool colour = (image.format & PNG_FORMAT_FLAG_COLOR) != 0;
  image.format = PNG_FORMAT_FLAG_ALPHA | (colour ? PNG_FORMAT_FLAG_COLOR : 0) | (deep ? PNG_FORMAT_FLAG_LINEAR : 0);
  const int channels = colour ? 4 : 2;
  const size_t pixels = size_t(image.width) * image.height;
  std::vector<uint16_t> deepSamples(deep ? pixels * channels : 0);
  std::vector<uint8_t> samples(deep ? 0 : pixels * channels);
  void* buffer = deep ? static_cast<void*>(deepSamples.data()) : samples.data();
  if (!png_image_finish_read(&image, nullptr, buffer, 0, nullptr)) {
    png_image_free(&image);
    return out;
  }
  out.decoded = true;
  out.width = int(image.width);
  out.height = int(image.height);
  out.bgr.resize(pixels * 3);
  out.opaque.resize(pixels);
  for (size_t i = 0; i < pixels; ++i) {
    auto sample = [&](int c) { return deep ? uint8_t(deepSamples[i * channels + c] >> 8) : samples[i * channels + c]; };
    const int alpha = deep ? deepSamples[i * channels + channels - 1] : samples[i * channels + channels - 1];
    out.opaque[i] = alpha == (deep ? 65535 : 255);
    out.bgr[3 * i] = sample(colour ? 2 : 0);
    out.bgr[3 * i + 1] = sample(colour ? 1 : 0);
    out.bgr[3 * i + 2] = sample(0);
  }
  return out;
}

std::vector<uint8_t> EncodeReferencePng(int width, int height, int channels, const std::vector<uint8_t>& samples) {
  png_image image = ImageOf(width, height, channels);
  return Encode(image, samples.data());
}

std::vector<uint8_t> EncodeReferencePng16(int width, int height, int channels, const std::vector<uint16_t>& samples) {
  png_image image = ImageOf(width, height, channels);
  image.format |= PNG_FORMAT_FLAG_LINEAR;
  return Encode(image, samples.data());
}
