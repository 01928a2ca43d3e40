// EXIF value formats and their numeric reading.
#include "exif_values.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace ravelight {

namespace {

enum ExifFormat : unsigned {
  kByte = 1,
  kAscii,
  kShort,
  kLong,
  kRational,
  kSignedByte,
  kUndefined,
  kSignedShort,
  kSignedLong,
  kSignedRational,
  kFloat,
  kDouble,
};

uint64_t ExifU64(const uint8_t* at, bool motorola) {
  const uint64_t first = ExifU32(at, motorola);
  const uint64_t second = ExifU32(at + 4, motorola);
  return motorola ? first << 32 | second : second << 32 | first;
}

double Ratio(const uint8_t* at, bool motorola) {
  const auto num = int32_t(ExifU32(at, motorola));
  const auto den = int32_t(ExifU32(at + 4, motorola));
  return den == 0 ? 0.0 : double(num) / double(den);
}

}  // namespace

uint16_t ExifU16(const uint8_t* at, bool motorola) {
  return motorola ? uint16_t(at[0] << 8 | at[1]) : uint16_t(at[1] << 8 | at[0]);
}

uint32_t ExifU32(const uint8_t* at, bool motorola) {
  const uint32_t high = ExifU16(motorola ? at : at + 2, motorola);
  const uint32_t low = ExifU16(motorola ? at + 2 : at, motorola);
  return high << 16 | low;
}

unsigned ExifFormatSize(unsigned format) {
  static const unsigned kSizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8};
  return format < sizeof kSizes / sizeof kSizes[0] ? kSizes[format] : 0;
}

double ExifNumber(const uint8_t* value, uint64_t byteCount, unsigned format, bool motorola) {
  const unsigned size = ExifFormatSize(format);
  if (size == 0 || byteCount < size) return 0.0;
  switch (format) {
    case kByte: return value[0];
    case kSignedByte: return int8_t(value[0]);
    case kShort: return ExifU16(value, motorola);
    case kSignedShort: return int16_t(ExifU16(value, motorola));
    case kLong:
    case kSignedLong: return int32_t(ExifU32(value, motorola));
    case kRational:
    case kSignedRational: return Ratio(value, motorola);
    case kFloat: {
      const uint32_t bits = ExifU32(value, motorola);
      float f;
      std::memcpy(&f, &bits, sizeof f);
      return f;
    }
    case kDouble: {
      const uint64_t bits = ExifU64(value, motorola);
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    default: return 0.0;  // text and undefined bytes are no number
  }
}

int SaturatedInt(double value) {
  if (std::isnan(value)) return 0;
  if (value <= double(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  if (value >= double(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  return int(value);
}

float SaturatedFloat(double value) {
  if (std::isnan(value)) return 0.0f;
  constexpr double kMax = std::numeric_limits<float>::max();
  constexpr float kInfinity = std::numeric_limits<float>::infinity();
  if (value > kMax) return kInfinity;
  if (value < -kMax) return -kInfinity;
  return float(value);
}

}  // namespace ravelight
