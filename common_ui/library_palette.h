#pragma once
// Selects and realises the library's shared palette in a device context for a scope, when the
// display uses it: pictures are drawn through it there, and look wrong in any other palette.
#include <windows.h>

#include "Cimage.h"

class LibraryPalette {
 public:
  explicit LibraryPalette(HDC dc) : dc_(dc) {
    if (!Cimage::S_use_palette || !Cimage::S_hpal) return;
    previous_ = ::SelectPalette(dc, Cimage::S_hpal, FALSE);
    ::RealizePalette(dc);
  }
  ~LibraryPalette() {
    if (previous_) ::SelectPalette(dc_, previous_, FALSE);
  }
  LibraryPalette(const LibraryPalette&) = delete;
  LibraryPalette& operator=(const LibraryPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_ = nullptr;
};
