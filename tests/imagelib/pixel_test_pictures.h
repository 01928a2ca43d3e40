#pragma once
// Pictures with exactly chosen pixels for the pixel operations' tests, on top of the palette tests'
// pictures (Rgb, MakeBgrImage, MakePicture, PixelAt): also their row padding is marked, so a test
// can tell whether an operation wrote there.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "Cimage.h"
#include "palette_test_pictures.h"

Rgb Grey(int value);
Rgb RgbOf(int red, int green, int blue);  // each taken modulo 256
std::string Describe(const Rgb& colour);

// A usable width × height picture whose pixel (x, y) is colour(x, y), with marked padding.
void MakeMarkedPicture(Cimage& picture, int width, int height, const std::function<Rgb(int x, int y)>& colour);
void MakeMarkedPicture(Cimage& picture, int width, int height, Rgb fill);
// Grey levels given row by row.
void MakeGreyPicture(Cimage& picture, const std::vector<std::vector<int>>& rows);

bool PaddingIntact(const Cimage& picture);

void SetPixel(Cimage& picture, int x, int y, Rgb colour);
// The blue channel (Y in the YCbCr layout) of every pixel, row by row.
std::vector<std::vector<int>> FirstChannel(const Cimage& picture);
// The whole buffer, padding included.
std::vector<uint8_t> BufferBytes(const Cimage& picture);

// Hands the picture a display copy allocated by the library (each module of a Windows program has
// its own heap, and the library frees what the picture holds), so a test can see it dropped.
void GiveDisplayCopy(Cimage& picture);
