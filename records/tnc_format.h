#pragma once
// The thumbnail cache file "vireldan.tnc": a 12-byte header, then a chain of 296-byte entries in
// file order, each followed by the JPEG of its thumbnail up to the next entry (or the end of the
// file). All integers little-endian. Thumbwell and earlier versions write the same bytes.
#include <cstddef>
#include <cstdint>
#include <string>

// By path: the fuzz targets compile the reader without the platform folder on their include path.
#include "filetime.h"

constexpr char kTncFileName[] = "vireldan.tnc";
constexpr int32_t kTncVersion = 1999;
// Entry times of this older layout are creation times, not last-write times.
constexpr int32_t kTncOldVersion = 1997;
constexpr size_t kTncHeaderSize = 12;
constexpr size_t kTncEntrySize = 296;
constexpr size_t kTncNameSize = 260;
constexpr int kTncMaxStale = 32767;  // the header keeps it in 16 bits

// Where the fields that are patched in place lie: in the header, and within an entry.
constexpr long kTncLockedAt = 4, kTncStaleAt = 6, kTncFirstAt = 8;
constexpr long kTncNextInEntry = 8, kTncTimeInEntry = 16, kTncNameInEntry = 36;

struct TncHeader {
  int32_t version = kTncVersion;
  int16_t locked = 0;  // non-zero: read, never changed
  int16_t stale = 0;   // entries known to be out of date since the last squeeze
  int32_t first = 0;   // offset of the first entry, 0 when there is none
};

struct TncEntry {
  int32_t link = 0;        // meaningless on disk
  int32_t dataOffset = 0;  // Thumbwell writes the JPEG's offset, the viewer 0; readers ignore it
  int32_t next = 0;        // offset of the next entry, 0 for the last
  int32_t sizeKB = 0;      // the image file's size, low 32 bits shifted right by 10
  FILETIME time;           // its last-write time (creation time in an old-layout file)
  int32_t edge = 0;        // the thumbnail edge it was made for
  int32_t imageHeight = 0;
  int32_t imageWidth = 0;
  char name[kTncNameSize] = {};  // file name without folder, NUL-terminated
};

void EncodeTncHeader(const TncHeader& header, uint8_t (&bytes)[kTncHeaderSize]);
TncHeader DecodeTncHeader(const uint8_t (&bytes)[kTncHeaderSize]);
bool IsKnownTncVersion(int32_t version);

void EncodeTncEntry(const TncEntry& entry, uint8_t (&bytes)[kTncEntrySize]);
TncEntry DecodeTncEntry(const uint8_t (&bytes)[kTncEntrySize]);

// The stored name up to its terminator; a name that fills all 260 bytes has none and reads as
// empty, so it can neither match nor lead anywhere.
std::string TncEntryName(const TncEntry& entry);
// False (the entry unchanged) for a name that does not fit with its terminator.
bool SetTncEntryName(TncEntry& entry, const std::string& name);

// A blanked entry never matches and is dropped by the next squeeze.
void BlankTncEntry(TncEntry& entry);

// The size field of a file of this many bytes.
int32_t TncSizeKB(uint64_t bytes);
