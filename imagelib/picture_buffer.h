#pragma once
// The pixel buffer of a picture, kept in step with its geometry.
#include "Cimage.h"

namespace ravelight {

// Operations on pixels act only on a usable picture: one that loaded without error and has pixels.
inline bool IsUsable(const Cimage& picture) {
  return picture.m_valid && picture.m_pixels && !picture.m_loadError;
}

// Replaces the picture's pixels by an uninitialised buffer of width × height and sets the
// geometry. False, with no buffer and the geometry untouched, when the size is not a sane
// picture or memory ran out.
bool AttachNewPixels(Cimage& picture, int width, int height);

// The display copy is derived from the pixels; whoever changes the pixels drops it.
void DropDisplayCopy(Cimage& picture);

}  // namespace ravelight
