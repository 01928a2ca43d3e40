#pragma once
// Loading GIFs into pictures the way the loader does, and reading their pixels back as 0xRRGGBB.
#include <cstdint>
#include <string>
#include <vector>

#include "Cimage.h"

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF;
// The colour table most tests use, and its indices.
const std::vector<uint32_t> kFourColours = {kBlack, kRed, kGreen, kBlue};
constexpr uint8_t kRedIndex = 1, kGreenIndex = 2, kBlueIndex = 3;

// A background colour that no test file uses, so it shows where nothing was drawn.
constexpr uint32_t kBackground = 0x102030;

// A picture with that background colour.
struct GifPicture : Cimage {
  GifPicture();
};

// A picture made ready as the loader makes it (old picture deleted, three components), then the
// GIF codec on the file. The background colour the picture had is kept. False when the file
// could not be opened.
bool LoadGifFile(Cimage& picture, const std::string& path);
// The same for bytes written to a temporary file.
void LoadGifBytes(Cimage& picture, const std::vector<uint8_t>& file);

uint32_t ColourAt(const Cimage& picture, int x, int y);
// Every pixel, row by row.
std::vector<uint32_t> Canvas(const Cimage& picture);
// Pixels written as letters, row after row: K black, W white, R red, G green, U blue, B background.
std::vector<uint32_t> Pixels(const std::string& letters);
