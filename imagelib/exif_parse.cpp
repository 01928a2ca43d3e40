// Walking the directories of an EXIF segment into the camera record. Every offset and count in
// the segment is untrusted: they are checked in 64 bits against the bytes actually there, and the
// segment itself is only read.
#include <cmath>
#include <cstring>

#include "exif_info.h"
#include "exif_tags.h"
#include "exif_values.h"

namespace ravelight {

namespace {

constexpr size_t kTiffStart = 8;          // after the length bytes and "Exif" with two zero bytes
constexpr size_t kHeaderSize = 16;        // up to the first directory
constexpr uint64_t kFirstDirectory = 8;   // from the TIFF header, the only value allowed
constexpr uint64_t kEntrySize = 12;
constexpr uint64_t kIgnoredLinkSlack = 19;  // old editors cut the thumbnail but kept its link
constexpr size_t kMaxCommentChars = 998;
// Real segments hold three to five directories; a cap on distinct directories bounds the work
// and the recursion however the links of a damaged segment are tangled.
constexpr int kMaxDirectories = 32;

struct Entry {
  uint16_t tag;
  unsigned format;
  const uint8_t* value;
  uint64_t byteCount;
};

struct Walk {
  const uint8_t* tiff;
  uint64_t limit;  // bytes from the TIFF header to the end of the block
  bool motorola;
  ExifInfo& info;
  double focalPlaneXResolution;
  double focalPlaneUnitMm;
  int exifImageWidth;
  int thumbnailOffset;
  int thumbnailLength;
  uint64_t walked[kMaxDirectories];
  int walkedCount;
};

bool WalkDirectory(Walk& walk, uint64_t start);

// Copies text up to its terminator, its byte count or maxChars, whichever comes first.
void CopyText(char* to, size_t maxChars, const uint8_t* from, uint64_t count) {
  size_t n = 0;
  while (n < maxChars && n < count && from[n]) {
    to[n] = char(from[n]);
    ++n;
  }
  to[n] = '\0';
}

// Comments and descriptions: cameras pad them with blanks, and a comment may start with the
// character-code prefix "ASCII" followed by zeros or blanks. The blanks are trimmed from the copy
// (also those before a terminator); the segment stays as the file had it, since it is saved again.
void CopyComment(char* to, const uint8_t* value, uint64_t count) {
  constexpr uint64_t kPrefix = 5, kTextBy = 10;
  uint64_t start = 0;
  if (count >= kPrefix && std::memcmp(value, "ASCII", kPrefix) == 0) {
    start = kPrefix;
    while (start < kTextBy && start < count && (value[start] == 0 || value[start] == ' ')) ++start;
    if (start == kTextBy || start == count) {
      to[0] = '\0';
      return;
    }
  }
  CopyText(to, kMaxCommentChars, value + start, count - start);
  for (size_t n = std::strlen(to); n > 0 && to[n - 1] == ' '; --n) to[n - 1] = '\0';
}

double FocalPlaneUnitMm(int unit) {
  switch (unit) {
    case 1:
    case 2: return 25.4;
    case 3: return 10.0;
    case 4: return 1.0;
    case 5: return 0.001;
    default: return 0.0;
  }
}

// A sub-directory's value is its offset; it must lie inside the block.
bool WalkSubDirectory(Walk& walk, const Entry& entry) {
  const uint64_t start = ExifU32(entry.value, walk.motorola);
  return start < walk.limit && WalkDirectory(walk, start);
}

bool ActOnEntry(Walk& walk, const Entry& entry) {
  ExifInfo& info = walk.info;
  const double number = ExifNumber(entry.value, entry.byteCount, entry.format, walk.motorola);
  switch (entry.tag) {
    case kTagMake: CopyText(info.cameraMake, sizeof info.cameraMake - 1, entry.value, entry.byteCount); break;
    case kTagModel: CopyText(info.cameraModel, sizeof info.cameraModel - 1, entry.value, entry.byteCount); break;
    case kTagDateTimeOriginal: CopyText(info.dateTime, sizeof info.dateTime - 1, entry.value, entry.byteCount); break;
    case kTagUserComment: CopyComment(info.comments, entry.value, entry.byteCount); break;
    case kTagDescription: CopyComment(info.description, entry.value, entry.byteCount); break;
    // Bit 0 is "fired"; the higher bits tell the flash mode, also for a flash that stayed dark.
    case kTagFlash: info.flashUsed = SaturatedInt(number) & 1; break;
    case kTagFocalLength: info.focalLength = SaturatedFloat(number); break;
    case kTagExposureTime: info.exposureTime = SaturatedFloat(number); break;
    case kTagShutterSpeed:
      if (info.exposureTime == 0) info.exposureTime = SaturatedFloat(std::exp2(-number));
      break;
    case kTagFNumber: info.apertureFNumber = SaturatedFloat(number); break;
    case kTagApertureValue:
    case kTagMaxApertureValue:
      if (info.apertureFNumber == 0) info.apertureFNumber = SaturatedFloat(std::exp2(number / 2));
      break;
    case kTagSubjectDistance: info.distance = SaturatedFloat(number); break;
    case kTagExposureBias: info.exposureBias = SaturatedFloat(number); break;
    case kTagLightSource: info.whiteBalance = SaturatedInt(number); break;
    case kTagMeteringMode: info.meteringMode = SaturatedInt(number); break;
    case kTagExposureProgram: info.exposureProgram = SaturatedInt(number); break;
    case kTagIsoSpeed: {
      const int iso = SaturatedInt(number);
      info.isoEquivalent = iso < 50 ? SaturatedInt(iso * 200.0) : iso;  // old cameras wrote a gain code
      break;
    }
    case kTagCompressedBitsPerPixel: info.compressionLevel = SaturatedInt(number); break;
    case kTagThumbnailOffset: walk.thumbnailOffset = SaturatedInt(number); break;
    case kTagThumbnailLength: walk.thumbnailLength = SaturatedInt(number); break;
    case kTagFocalPlaneXResolution: walk.focalPlaneXResolution = number; break;
    case kTagFocalPlaneUnit: walk.focalPlaneUnitMm = FocalPlaneUnitMm(SaturatedInt(number)); break;
    case kTagImageWidth:
    case kTagImageHeight:
      if (walk.exifImageWidth < SaturatedInt(number)) walk.exifImageWidth = SaturatedInt(number);
      break;
    case kTagExifDirectory:
    case kTagInteropDirectory: return WalkSubDirectory(walk, entry);
    default: break;
  }
  return true;
}

// Values of up to four bytes sit in the entry itself, longer ones at an offset in the block.
bool ReadEntry(const Walk& walk, const uint8_t* at, Entry& entry) {
  entry.tag = ExifU16(at, walk.motorola);
  entry.format = ExifU16(at + 2, walk.motorola);
  const unsigned size = ExifFormatSize(entry.format);
  if (size == 0) return false;
  entry.byteCount = uint64_t{ExifU32(at + 4, walk.motorola)} * size;
  if (entry.byteCount <= 4) {
    entry.value = at + 8;
    return true;
  }
  const uint64_t offset = ExifU32(at + 8, walk.motorola);
  if (offset + entry.byteCount > walk.limit) return false;
  entry.value = walk.tiff + offset;
  return true;
}

// The link after the entries leads to the next directory, the thumbnail's.
bool FollowLink(Walk& walk, uint64_t linkAt) {
  if (linkAt + 4 > walk.limit) return true;
  const uint64_t next = ExifU32(walk.tiff + linkAt, walk.motorola);
  if (next == 0) return true;
  if (next < walk.limit) return WalkDirectory(walk, next);
  return next - walk.limit <= kIgnoredLinkSlack;
}

// A directory reached a second time (a link back to itself or to an ancestor) adds nothing new.
bool AlreadyWalked(const Walk& walk, uint64_t start) {
  for (int i = 0; i < walk.walkedCount; ++i)
    if (walk.walked[i] == start) return true;
  return false;
}

bool WalkDirectory(Walk& walk, uint64_t start) {
  if (AlreadyWalked(walk, start)) return true;
  if (walk.walkedCount == kMaxDirectories) return false;
  walk.walked[walk.walkedCount++] = start;
  if (start + 2 > walk.limit) return false;
  const unsigned count = ExifU16(walk.tiff + start, walk.motorola);
  const uint64_t entries = start + 2;
  const uint64_t end = entries + kEntrySize * count;
  if (end > walk.limit) return false;
  for (unsigned i = 0; i < count; ++i) {
    Entry entry;
    if (!ReadEntry(walk, walk.tiff + entries + kEntrySize * i, entry) || !ActOnEntry(walk, entry)) return false;
  }
  return FollowLink(walk, end);
}

void FinishRecord(const Walk& walk, ExifInfo& info) {
  if (walk.focalPlaneXResolution != 0)
    info.ccdWidth = SaturatedFloat(walk.exifImageWidth * walk.focalPlaneUnitMm / walk.focalPlaneXResolution);
  const int64_t offset = walk.thumbnailOffset, length = walk.thumbnailLength;
  if (offset > 0 && length > 0 && uint64_t(offset + length) <= walk.limit) {
    info.thumbnailOffset = walk.thumbnailOffset;
    info.thumbnailLength = walk.thumbnailLength;
  }
}

}  // namespace

bool ParseExif(const uint8_t* block, size_t size, ExifInfo& info) {
  info = ExifInfo{};
  if (!block || size < kHeaderSize) return false;
  if (std::memcmp(block + 2, "Exif\0\0", 6) != 0) return false;
  const uint8_t* tiff = block + kTiffStart;
  if (std::memcmp(tiff, "II", 2) == 0) {
    info.motorolaOrder = 0;
  } else if (std::memcmp(tiff, "MM", 2) == 0) {
    info.motorolaOrder = 1;
  } else {
    return false;
  }
  const bool motorola = info.motorolaOrder != 0;
  if (ExifU16(tiff + 2, motorola) != 42 || ExifU32(tiff + 4, motorola) != kFirstDirectory) return false;

  Walk walk{tiff, size - kTiffStart, motorola, info, 0.0, 0.0, 0, 0, 0, {}, 0};
  if (!WalkDirectory(walk, kFirstDirectory)) return false;
  FinishRecord(walk, info);
  return true;
}

}  // namespace ravelight
