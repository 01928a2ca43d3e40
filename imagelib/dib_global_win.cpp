// Clipboard and scanner bitmaps arrive as packed DIBs in movable global memory.
#include "Cimage.h"

void Cimage::FromDIB(HGLOBAL dib) {
  const void* bytes = dib ? GlobalLock(dib) : nullptr;
  FromPackedDIB(bytes, bytes ? GlobalSize(dib) : 0);
  if (bytes) GlobalUnlock(dib);
}
