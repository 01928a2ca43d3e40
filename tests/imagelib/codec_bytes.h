#pragma once
// Running one decoder on bytes made in a test, and reading back what it made.
#include <cstdint>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "Cimage.h"

using StreamDecoder = void (*)(Cimage& picture, FILE* stream);

// Writes the bytes to a temporary file and runs the decoder on it, opened for binary reading.
void DecodeBytes(Cimage& picture, const std::vector<uint8_t>& file, StreamDecoder decode);

// The pixel at x, y as 0xRRGGBB.
uint32_t RgbAt(const Cimage& picture, int x, int y);

// Every pixel, top row first, as 0xRRGGBB.
std::vector<uint32_t> AllPixels(const Cimage& picture);

// A load that worked: the fresh state every decoder starts from, the size given, the geometry also
// as the size in the file, and the display header built.
::testing::AssertionResult LoadedAs(const Cimage& picture, int width, int height);

// A load that failed cleanly: an attempt is marked, nothing is kept.
::testing::AssertionResult FailedCleanly(const Cimage& picture);

// Shorter prefixes of the file fail cleanly: every one through the headers, a sample after them.
::testing::AssertionResult EveryTruncationFails(const std::vector<uint8_t>& file, StreamDecoder decode);

// A good file and the picture it must give, top row first as 0xRRGGBB.
struct DecodeCase {
  std::string name;
  std::vector<uint8_t> file;
  int width, height;
  std::vector<uint32_t> pixels;
};
inline void PrintTo(const DecodeCase& c, std::ostream* out) { *out << c.name; }
inline std::string CaseName(const ::testing::TestParamInfo<DecodeCase>& info) { return info.param.name; }

// Loads the case's file and compares every pixel.
void ExpectDecodesExactly(const DecodeCase& c, StreamDecoder decode);
