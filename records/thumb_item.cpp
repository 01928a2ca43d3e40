#include "thumb_item.h"

#include <cstring>
#include <new>

#include "Cimage.h"
#include "ascii_text.h"
#include "file_time_text.h"

namespace {

// Bytes compare as signed values: 0x80 and above sort before ASCII.
int SignedDifference(unsigned char a, unsigned char b) { return int(static_cast<signed char>(a)) - static_cast<signed char>(b); }

// The difference of the first differing bytes of two names, walked until either ends; 0 when
// one name is the start of the other.
int NameDifference(const char* a, const char* b, bool caseSensitive) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    unsigned char x = static_cast<unsigned char>(*a), y = static_cast<unsigned char>(*b);
    if (!caseSensitive) {
      x = static_cast<unsigned char>(platform::AsciiUpper(*a));
      y = static_cast<unsigned char>(platform::AsciiUpper(*b));
    }
    if (x != y) return SignedDifference(x, y);
  }
  return 0;
}

// Folders order fully: a folder that is the start of another comes first.
int FolderDifference(const char* a, const char* b) {
  const int difference = NameDifference(a, b, true);
  if (difference != 0) return difference;
  const size_t lengthA = std::strlen(a), lengthB = std::strlen(b);
  return int(lengthA > lengthB) - int(lengthA < lengthB);
}

}  // namespace

CThumbItem::~CThumbItem() { delete thumbnail; }

Cimage* CThumbItem::NewThumbnail() {
  FreeThumbnail();
  thumbnail = new (std::nothrow) Cimage;
  return thumbnail;
}

void CThumbItem::FreeThumbnail() {
  delete thumbnail;
  thumbnail = nullptr;
}

std::string CThumbItem::GetDateText() const { return FormatFileTime(lastWrite); }

int CThumbItem::Compare(const CThumbItem& other, int sortType, bool caseSensitive) const {
  switch (sortType) {
    case kSortByName: {
      const int folders = FolderDifference(folder.c_str(), other.folder.c_str());
      if (folders != 0) return folders > 0;
      return NameDifference(name.c_str(), other.name.c_str(), caseSensitive) > 0;
    }
    case kSortByDate:
      if (platform::FileTimeTicks(lastWrite) != platform::FileTimeTicks(other.lastWrite))
        return platform::FileTimeTicks(lastWrite) > platform::FileTimeTicks(other.lastWrite);
      return id > other.id;
    case kSortBySize:
      if (sizeKB != other.sizeKB) return sizeKB > other.sizeKB;
      return id > other.id;
    case kSortBySlideOrder:
      return slidePos > other.slidePos;
    default:
      return 0;
  }
}
