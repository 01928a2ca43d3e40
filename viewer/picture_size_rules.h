#pragma once
// The size dialogs' arithmetic. Every size they hand on is one the image library can make: no
// side below one pixel or above its largest side, and no more pixels than its cap, whatever was
// typed. Products are taken in 64 bits so that no typed number overflows them.
#include <cstdint>
#include <string>

struct PictureSize {
  int width;
  int height;
};

// The side that keeps the starting proportions when the other side is typed: startOther ×
// typed / startTyped, within 1 .. the library's largest side. A starting side of 0 or less keeps
// startOther (within the same bounds).
int ProportionalSide(int typed, int startTyped, int startOther);

// Each side within 1 .. the largest side; a size of more pixels than the cap shrinks both sides by
// the same factor until it fits.
PictureSize WithinPictureLimits(int64_t width, int64_t height);

// What a size dialog tells the user when it shrank a size of more pixels than a picture may
// have to the size given, which its fields then show.
std::string PixelCapMessage(const PictureSize& size);
