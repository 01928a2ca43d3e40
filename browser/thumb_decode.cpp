#include "thumb_decode.h"

#include <atomic>

#include "Cimage.h"

namespace {

constexpr int kFitIntoBox = 1;

void DecodeWithImageLibrary(const std::string& path, int edge, Cimage& image) {
  image.LoadImageA(path.c_str(), edge, edge, kFitIntoBox);
}

std::atomic<ThumbDecoder> g_decoder{DecodeWithImageLibrary};

}  // namespace

void DecodeThumbnail(const std::string& path, int edge, Cimage& image) { g_decoder.load()(path, edge, image); }

ThumbDecoder ReplaceThumbDecoder(ThumbDecoder decoder) {
  return g_decoder.exchange(decoder ? decoder : DecodeWithImageLibrary);
}
