#pragma once
// One file of a listing: its name, folder, size and times, selection state and, once loaded, its
// thumbnail. Items are chained through next into a CThumbList, which owns them.
#include <cstdint>
#include <string>

#include "filetime.h"

class Cimage;

// Orders of CThumbItem::Compare and CThumbList::Sort (the "Thumbnails" value "sortby").
constexpr int kSortByName = 0;
constexpr int kSortByDate = 1;
constexpr int kSortBySize = 2;
constexpr int kSortRandom = 3;
constexpr int kSortBySlideOrder = 4;

class CThumbItem {
 public:
  CThumbItem() = default;
  ~CThumbItem();
  CThumbItem(const CThumbItem&) = delete;
  CThumbItem& operator=(const CThumbItem&) = delete;

  // Replaces the thumbnail by a new empty picture and returns it; null when there is no memory.
  Cimage* NewThumbnail();
  void FreeThumbnail();
  // The last-write time as FormatFileTime prints it.
  std::string GetDateText() const;
  // 1 when this item sorts after other in the given order, else 0. Names: the folders decide when
  // they differ; then the names, byte by byte as signed values (so bytes 0x80 and above come
  // before ASCII), ASCII letters folded to upper case unless caseSensitive, a name that is the
  // start of the other counting as equal. Dates and sizes: equal keys fall back to the ids. Slide
  // order: equal positions are equal. The random order and unknown types have no order: 0.
  int Compare(const CThumbItem& other, int sortType, bool caseSensitive) const;

  CThumbItem* next = nullptr;
  std::string name;    // without folder
  std::string folder;  // ends in a backslash
  int32_t sizeKB = 0;  // low 32 bits of the size, shifted right by 10
  FILETIME lastWrite{};
  FILETIME creation{};
  int32_t selected = 0;  // on open-queue items: the open mode
  int32_t savedSelected = 0;
  int32_t quietOpen = 0;  // open-queue items only: open the image window quietly
  Cimage* thumbnail = nullptr;  // owned; null until loaded
  int32_t seen = 0;       // the view's scratch mark while it refreshes
  int32_t needsStat = 0;  // listed from a keyword search: size and times not read yet
  int32_t marked = 0;     // cut or copied
  uint32_t slidePos = 0;  // position in the folder's slide order
  CThumbItem* aux = nullptr;  // second link, set by CThumbList::LinkAux
  int32_t id = -1;            // unique within one view's listing; -1 when new
};
