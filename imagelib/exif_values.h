#pragma once
// Reading EXIF values in either byte order, and turning them into numbers that are always safe to
// store and print, whatever a damaged file holds.
#include <cstddef>
#include <cstdint>

namespace ravelight {

uint16_t ExifU16(const uint8_t* at, bool motorola);
uint32_t ExifU32(const uint8_t* at, bool motorola);

// Bytes of one value of an EXIF format (1..12); 0 for any other format.
unsigned ExifFormatSize(unsigned format);

// The first value of byteCount bytes as a number; 0 for text and undefined formats, for a
// rational with denominator 0, and when the bytes do not hold one whole value.
double ExifNumber(const uint8_t* value, uint64_t byteCount, unsigned format, bool motorola);

// Conversions that a stray NaN or a huge value cannot make undefined: NaN gives 0, and values
// beyond the target's range give its end (an infinity for float).
int SaturatedInt(double value);
float SaturatedFloat(double value);

}  // namespace ravelight
