#pragma once
// Loading GIFs into pictures the way the loader does, and reading their pixels back as 0xRRGGBB.
#include <cstdint>
#include <string>
#include <vector>

#include "Cimage.h"

// A picture made ready as the loader makes it (old picture deleted, three components), then the
// GIF codec on the file. The background colour the picture had is kept. False when the file
// could not be opened.
bool LoadGifFile(Cimage& picture, const std::string& path);
// The same for bytes written to a temporary file.
void LoadGifBytes(Cimage& picture, const std::vector<uint8_t>& file);

uint32_t PixelAt(const Cimage& picture, int x, int y);
// Every pixel, row by row.
std::vector<uint32_t> Canvas(const Cimage& picture);
