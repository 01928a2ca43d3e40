#pragma once
// Small pictures for the turn and mirror tests, built directly so that every pixel is known.
#include <cstdint>
#include <vector>

#include "Cimage.h"

// A usable picture of width × height whose pixel (x, y) holds the label y × width + x + 1 in
// blue, label + 1 in green and label + 2 in red (each modulo 256); its row padding is zero.
void MakeLabelledPicture(Cimage& picture, int width, int height);

// A usable picture of one colour.
void MakePlainPicture(Cimage& picture, int width, int height, uint8_t value);

// The label of pixel (x, y) as MakeLabelledPicture wrote it (its blue byte).
int LabelAt(const Cimage& picture, int x, int y);

// The whole buffer, row padding included.
std::vector<uint8_t> BufferOf(const Cimage& picture);
