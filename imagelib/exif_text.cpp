// The camera information Vireldan shows in tips and info views: labelled lines chosen by a mask.
#include <cstdarg>
#include <cstdio>
#include <cstring>

#include "Cimage.h"
#include "exif_info.h"
#include "exif_values.h"

namespace {

enum LineBit : unsigned {
  kMakeLine = 0x1,
  kModelLine = 0x2,
  kDateLine = 0x4,
  kFlashLine = 0x8,
  kFocalLengthLine = 0x10,
  kExposureTimeLine = 0x20,
  kApertureLine = 0x40,
  kDistanceLine = 0x80,
  kIsoLine = 0x200,
  kWhiteBalanceLine = 0x800,
  kMeteringLine = 0x1000,
  kExposureProgramLine = 0x2000,
  kQualityLine = 0x4000,
  kCommentLine = 0x20000,
  kDescriptionLine = 0x40000,
  kAllLines = 0x8000000,
};

// Writes whole lines into the caller's buffer of size bytes, terminator included. The first line
// that does not fit ends the text, so a short buffer holds the leading lines and never half a line.
class LineWriter {
 public:
  LineWriter(char* text, int size) : text_(text), capacity_(text && size > 0 ? size_t(size) : 0) {
    if (capacity_) text_[0] = '\0';
  }

  __attribute__((format(printf, 2, 3))) void Add(const char* format, ...) {
    if (full_) return;
    char line[1200];  // the longest line is a description of 998 characters with its label
    va_list args;
    va_start(args, format);
    const int length = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    if (length < 0 || size_t(length) >= sizeof line || used_ + size_t(length) >= capacity_) {
      full_ = true;
      return;
    }
    std::memcpy(text_ + used_, line, size_t(length) + 1);
    used_ += size_t(length);
  }

 private:
  char* text_;
  size_t capacity_;
  size_t used_ = 0;
  bool full_ = false;
};

const char* WhiteBalanceName(int code) {
  switch (code) {
    case 1: return "sunny";
    case 2: return "fluorescent";
    case 3: return "incandescent";
    default: return "cloudy";
  }
}

const char* MeteringName(int code) {
  switch (code) {
    case 2: return "center weight";
    case 3: return "spot";
    case 5: return "matrix";
    default: return nullptr;
  }
}

const char* ExposureProgramName(int code) {
  switch (code) {
    case 2: return "program (auto)";
    case 3: return "aperture priority (semi-auto)";
    case 4: return "shutter priority (semi-auto)";
    default: return nullptr;
  }
}

const char* QualityName(int code) {
  switch (code) {
    case 1: return "basic";
    case 2: return "normal";
    case 4: return "fine";
    default: return nullptr;
  }
}

// The lines asked for: each by its bit, or all of them by one bit.
struct Mask {
  unsigned lines;
  bool Wants(unsigned bit) const { return (lines & (bit | kAllLines)) != 0; }
};

void WriteExposureLines(const ravelight::ExifInfo& info, Mask mask, LineWriter& out) {
  if (mask.Wants(kFocalLengthLine) && info.focalLength != 0) {
    const double focal = info.focalLength;
    if (info.ccdWidth != 0)
      out.Add("Focal length : %4.1fmm  (35mm equivalent: %dmm)\n", focal,
              ravelight::SaturatedInt(focal / info.ccdWidth * 35 + 0.5));
    else
      out.Add("Focal length : %4.1fmm\n", focal);
  }
  if (mask.Wants(kApertureLine) && info.apertureFNumber != 0)
    out.Add("Aperture     : f/%3.1f\n", double(info.apertureFNumber));
  if (mask.Wants(kExposureTimeLine) && info.exposureTime != 0) {
    const double time = info.exposureTime;
    if (time <= 0.5)
      out.Add("Exposure time:%6.3f s  (1/%d)\n", time, ravelight::SaturatedInt(1 / time + 0.5));
    else
      out.Add("Exposure time:%6.3f s \n", time);
  }
  if (mask.Wants(kIsoLine) && info.isoEquivalent != 0) out.Add("ISO equiv.   : %2d\n", info.isoEquivalent);
  if (mask.Wants(kDistanceLine) && info.distance != 0) {
    if (info.distance < 0)
      out.Add("Focus Dist.  : Infinite\n");
    else
      out.Add("Focus Dist.  :%5.2fm\n", double(info.distance));
  }
}

void WriteModeLines(const ravelight::ExifInfo& info, Mask mask, LineWriter& out) {
  if (mask.Wants(kWhiteBalanceLine) && info.whiteBalance != 0)
    out.Add("Whitebalance : %s\n", WhiteBalanceName(info.whiteBalance));
  const char* metering = MeteringName(info.meteringMode);
  if (mask.Wants(kMeteringLine) && metering) out.Add("Metering Mode: %s\n", metering);
  const char* program = ExposureProgramName(info.exposureProgram);
  if (mask.Wants(kExposureProgramLine) && program) out.Add("Exposure     : %s\n", program);
  const char* quality = QualityName(info.compressionLevel);
  if (mask.Wants(kQualityLine) && quality) out.Add("JPG Quality  : %s\n", quality);
}

void WriteLines(const ravelight::ExifInfo& info, Mask mask, LineWriter& out) {
  if (mask.Wants(kMakeLine) && info.cameraMake[0]) out.Add("Camera make  : %s\n", info.cameraMake);
  if (mask.Wants(kModelLine) && info.cameraModel[0]) out.Add("Camera model : %s\n", info.cameraModel);
  if (mask.Wants(kDateLine) && info.dateTime[0]) out.Add("Date/Time    : %s\n", info.dateTime);
  if (mask.Wants(kFlashLine)) out.Add("Flash used   : %s\n", info.flashUsed ? "Yes" : "No");
  WriteExposureLines(info, mask, out);
  WriteModeLines(info, mask, out);
  if (mask.Wants(kCommentLine) && info.comments[0]) out.Add("Comment      : %s\n", info.comments);
  if (mask.Wants(kDescriptionLine) && info.description[0])
    out.Add("Description  : %s\n", info.description);
}

}  // namespace

void Cimage::EXIF_ImageInfoText(char* text, unsigned int lines, int size) {
  LineWriter out(text, size);
  if (!m_exif || m_exifSize == 0) {
    out.Add("No EXIF data found");
    return;
  }
  ravelight::ExifInfo info;
  if (!ravelight::ParseExif(m_exif, m_exifSize, info)) {
    out.Add("Error in EXIF data");
    return;
  }
  WriteLines(info, Mask{lines}, out);
}
